// Calls, arguments objects, this, 'prototype' objects and new
function f(a, b) {}
print(f.length + " " + typeof f + " " + (f.prototype.constructor == f));
for (var k in f.prototype) print("never listed " + k);
function none() {}
function bare() { return; }
print(none() + " " + bare());
function fewer(a, b) { return typeof b; }
print(fewer(1));
function twice(a, a) { return a; }
print(twice(1, 2));
function shared(a) { arguments[0] = 5; return a; }
print(shared(1));
function back(a) { a = 7; return arguments[0]; }
print(back(1));
function extra(a) { arguments[1] = 3; return arguments.length + " " + arguments[1]; }
print(extra(1, 2));
function empty() { return arguments.length + " " + arguments[0]; }
print(empty());
function del(a) { var first = delete arguments[0]; var second = delete arguments[0]; return first + " " + second + " " + arguments[0] + " " + a; }
print(del(1));
function named(arguments) { return arguments; }
print(named(4));
function callee() { return arguments.callee == callee; }
print(callee());
function keep(a) { return arguments; }
var kept = keep(1, 2);
print(kept[0] + " " + kept[1] + " " + kept.length);
kept[0] = 9;
print(kept[0]);
function counter() { this.count = 1; }
var c = new counter();
print(c.count + " " + (c.constructor == counter));
function returnsObject() { var o = new Object(); o.tag = "own"; return o; }
print(new returnsObject().tag);
function returnsPrimitive() { return 3; }
print(typeof new returnsPrimitive());
counter.prototype = 5;
print(new counter().toString());
function P() {}
P.prototype.constructor = 1;
print(P.prototype.constructor);
function Q() {}
delete Q.prototype.constructor;
print(Q.prototype.constructor == Object);
var o = new Object();
o.m = function_this;
function function_this() { return this == o; }
print(o.m());
function global_this() { return this; }
print(global_this() == this);
function local_call() { var g = global_this; return g() == this; }
print(local_call());
print(Function("return 1")());
print(new Function("a", "b", "return a + b").length);
print(typeof new Function()());
print(Function.prototype() + " " + Function.prototype.length);
print(Object.prototype.toString());
print(typeof new Object(true));
var same = new Object();
print(new Object(same) == same);
print(Object(null).toString());
function selfish() { var s = new Object(); s.self = s; return s; }
var cycle = selfish();
cycle.fn = selfish;
