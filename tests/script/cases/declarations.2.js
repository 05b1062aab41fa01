counter++;
print(shared(counter));
