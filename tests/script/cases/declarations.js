// Declarations of one file stay visible to the files run after it
function shared(x) { return "shared " + x; }
var counter = 1;
var x = 2;
function x() {}
print(typeof x);
function g() { return 1; }
function g() { return 2; }
print(g());
