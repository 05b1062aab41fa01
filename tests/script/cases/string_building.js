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
// The length of a string value, also of one that shares its text with a
// longer one; an assignment to it changes nothing.
var head = "ab";
var whole = head;
whole += "cd";
print(head.length + " " + whole.length + " " + "".length + " " + (whole + head).length);
whole.length = 9;
print(whole.length + " " + whole);
var grown = "";
var total = 0;
for (var k = 0; k < 4; k++) { grown += "xy"; total += grown.length; }
print(total + " " + grown);
// A string appended to the text it shares a buffer with.
var g = "ab";
g += "c";
var prefix = g;
g += "d";
g = g + prefix;
g += g;
print(g + " " + prefix);
