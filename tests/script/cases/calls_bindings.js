// What a call binds on its activation object, and names found again in the
// same scope on later calls.
function twice(a, a) { return a; }
function keep(a) { var a; return a; }
function again(x) { var y = 1; var y; return y; }
function shadow(arguments) { return arguments; }
function declared(a) { var arguments; return typeof arguments; }
function shared(a) { arguments[0] = 9; return a; }
function back(a) { a = 4; return arguments[0]; }
function evalVar() { eval("var z = 3"); return z; }
function stay(a) { delete a; return a; }
print("twice: " + twice(1, 2) + " " + twice(1));
print("keep: " + keep(5) + ", again: " + again(0));
print("shadow: " + shadow(7) + ", declared: " + declared(1));
print("shared: " + shared(1) + ", back: " + back(1));
print("evalVar: " + evalVar() + " " + evalVar() + ", stay: " + stay(6));

// The same identifier read in different innermost scopes.
function inWith(o) {
  var x = 1, r = "";
  with (o) r += x;
  return r + x;
}
var p = new Object(), q = new Object();
p.x = 2; q.y = 0; q.x = 3;
print("inWith: " + inWith(p) + " " + inWith(q) + " " + inWith(new Object()));

// Layouts that differ between calls of one function.
function grows(n) {
  var s = 0;
  if (n > 0) eval("var extra" + n + " = n");
  for (var i = 0; i < 3; i++) s += i;
  return s + n;
}
print("grows: " + grows(0) + " " + grows(1) + " " + grows(0) + " " + grows(2));
function depth(n) { var v = n; if (n > 0) depth(n - 1); return v; }
print("depth: " + depth(5));
