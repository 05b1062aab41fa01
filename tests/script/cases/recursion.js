// Recursion through built-ins ends in an error, not a crash.
var a = new Array();
a[0] = a;
print('start');
a.join();
