// Values and comparisons as conditions of if, while, for, ?: and !, on
// their own and joined by && and ||.
var values = new Array(0, 1, -1, NaN, "", "0", " ", null, void 0, true, false, new Object(), 1 / 0);
var line = "";
for (var i = 0; i < values.length; i++) {
  var v = values[i];
  var r = "";
  if (v) r += "i"; else r += "-";
  r += v ? "c" : "-";
  r += !v ? "n" : "-";
  r += !!v ? "N" : "-";
  var w = 0; while (v && w < 1) w++; r += w;
  for (w = 0; v || w < 0; ) { w = 1; break; } r += w;
  if (v && 1 < 2) r += "a"; else r += "-";
  if (v || NaN < 1) r += "o"; else r += "-";
  line += r + " ";
}
print(line);
var cmp = "";
var pairs = new Array(1, 2, 2, 2, NaN, 1, "a", "b", "10", "9", "10", 9, null, 0, void 0, null);
for (var j = 0; j < pairs.length; j += 2) {
  var a = pairs[j], b = pairs[j + 1];
  if (a < b) cmp += "<"; if (a > b) cmp += ">"; if (a <= b) cmp += "l"; if (a >= b) cmp += "g";
  if (a == b) cmp += "="; if (a != b) cmp += "!";
  if (!(a < b) && !(a >= b)) cmp += "u";
  cmp += (a < b || a == b) ? "t" : "f";
  cmp += " ";
}
print(cmp);
print((0 && 5) + " " + (1 && 5) + " " + (0 || "") + " " + ("" || 7) + " " + !0 + " " + !"a" + " " + (1 < 2));
