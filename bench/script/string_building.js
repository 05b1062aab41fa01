// Strings grown by += and by s = s + t.
var s = "";
for (var i = 0; i < 50000; i++) { s += "abc"; }
var t = "";
for (var j = 0; j < 50000; j++) { t = t + "x" + j % 10; }
print(s.length + t.length);
