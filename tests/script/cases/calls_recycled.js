// Calls of one function one after another, nested in each other's
// arguments and recursive: no call sees a value of an earlier one.
function leftUnset(set) { var v; if (set) v = "set"; return typeof v; }
print("leftUnset: " + leftUnset(true) + " " + leftUnset(false));
function missing(a, b) { return typeof b; }
print("missing: " + missing(1, 2) + " " + missing(1));
function pair(a, b) { var x = a; return "" + x + b; }
print("pair: " + pair(pair(1, 2), pair(pair(3, 4), 5)));
function sumDepth(n) { var v = n; var r = n > 0 ? sumDepth(n - 1) : 0; return v + r; }
print("sumDepth: " + sumDepth(100) + " " + sumDepth(3));

// Calls that read arguments or run eval.
function keepArgs(a) { return arguments; }
var k1 = keepArgs(1), k2 = keepArgs(2);
print("keepArgs: " + k1[0] + k2[0] + " " + keepArgs(3).length);
function evalOnce(n) { if (n) eval("var w = n"); return typeof w; }
print("evalOnce: " + evalOnce(1) + " " + evalOnce(0));
function selfArgs(a) { if (a) return arguments.length; var u; return typeof u + typeof a; }
print("selfArgs: " + selfArgs(1, 2) + " " + selfArgs());
