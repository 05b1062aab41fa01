// Integer arithmetic and comparisons in loops, at the top level and in a function.
var s = 0;
for (var i = 0; i < 2000000; i++) { s = s + i % 7; }
function sum(n) {
  var t = 0;
  for (var j = 0; j < n; j++) { t += j & 15; if (t > 1000000) t -= 1000000; }
  return t;
}
print(s + sum(2000000));
