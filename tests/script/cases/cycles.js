// Objects that refer to themselves are freed at shutdown
var o = new Object();
o.self = o;
function f() {}
f.prototype.back = f;
var a = new Object();
var b = new Object();
a.b = b;
b.a = a;
function keep(x) { return arguments; }
var args = keep(o);
args.again = args;
print("done");
