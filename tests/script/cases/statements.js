// var, if, loops, break and continue, for-in and with
var a = 1, b = a + 1;
print(a + " " + b);
if (a == 1) print("then"); else print("else");
if ("0") print("a non-empty string is true");
var i = 0;
while (i < 3) i++;
print("while " + i);
for (var j = 0; j < 3; j++) ;
print("for var " + j);
var n = 0;
for (i = 0; i < 10; i++) { if (i % 2) continue; if (i > 6) break; n += i; }
print("continue and break " + n + " " + i);
var k = 0;
for (;;) { if (++k == 4) break; }
print("empty clauses " + k);
var o = new Object();
o.p = 1; o.q = 2; o[0] = "zero";
var names = "";
for (var name in o) names += name + ";";
print("for-in " + names);
var t;
for (t in o) ;
print("for-in target keeps the last name " + t);
for (var m = 5 in new Object()) ;
print("initialiser stored first " + m);
var w = new Object();
w.x = 1;
var x = "global";
with (w) { x = 2; var y = x; }
print("with " + w.x + " " + x + " " + y);
function leave() { with (w) { return x; } }
print("with and return " + leave() + " " + x);
for (i = 0; i < 2; i++) with (w) { break; }
print("with and break " + x);
