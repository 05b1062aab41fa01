// Globals and function names read and written inside functions, where a
// name once found outside the activation object must not be taken from
// there when a later call, or eval, binds it locally.
var g = "global";
function read(local) { if (local) eval("var g = 'local'"); return g; }
print("read: " + read(false) + " " + read(true) + " " + read(false));
function before() { var r = g; eval("var g = 'inner'"); return r + " " + g; }
print("before: " + before() + ", " + before());
function withObject(o) { var r = ""; with (o) r = g; return r + " " + g; }
var o = new Object(); o.g = "member";
print("withObject: " + withObject(o) + ", " + withObject(new Object()));

// A global deleted and made again lands in another slot.
function readH() { return typeof h == "undefined" ? "none" : h; }
h = "first";
print("readH: " + readH() + " " + readH());
delete h;
print("deleted: " + readH());
for (var k = 0; k < 40; k++) eval("filler" + k + " = k");
h = "second";
print("again: " + readH());

// Writes from a function: plain, compound, increments, read-only.
var counter = 0;
function bump() { counter++; counter += 10; ++counter; var c = counter; counter = c * 2; }
bump(); bump();
print("counter: " + counter);
function setNaN() { NaN = 5; return NaN; }
print("NaN: " + setNaN() + " " + setNaN());
function assignUndeclared(v) { fresh = v; return fresh; }
print("fresh: " + assignUndeclared(1) + " " + assignUndeclared(2) + " " + fresh);

// The callee is read after the arguments were evaluated.
function one() { return 1; }
function two() { return 2; }
var f = one;
function callF() { return f(f = two) + f(f = one) * 10; }
print("callF: " + callF() + " " + callF());
function twice(n) { if (n == 0) return "done"; var r = twice(n - 1); return r; }
print("recursive: " + twice(3) + " " + twice(0));
twice = function2;
function function2(n) { return "replaced " + n; }
function callTwice() { return twice(1); }
print("replaced: " + callTwice());

// A parameter or variable that shadows a global in one function only.
var s = "global s";
function shadowed(s) { return s; }
function plain() { return s; }
print("shadowed: " + shadowed("param") + ", " + plain() + ", " + shadowed() + ", " + plain());
