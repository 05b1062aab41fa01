// print writes every unit: U+0000 as a zero byte, unpaired surrogates as U+FFFD
print("a\u0000b");
print("\ud800|\udc00|\ud83d\ude00|\u00e9");
print();
