// Endless recursion ends in a runtime error, not a stack overflow
function f() { f(); }
print("start");
f();
