// Strings grown in place stay correct when earlier values are kept
var s = "";
var kept = "";
for (var i = 0; i < 5; i++) {
  s += i;
  if (i == 2) kept = s;
}
var t = s + "x";
var u = s + "y";
print(s + " " + kept + " " + t + " " + u);
var d = "ab";
d = d + d;
d += d;
print(d);
var n = 1;
n += 2;
print(n + "" + n);
