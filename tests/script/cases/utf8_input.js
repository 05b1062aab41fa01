print("bom skipped");
print("bad ÿ byte");
