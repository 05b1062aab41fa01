// Calls with a few arguments and locals: plain calls in a loop, method
// calls, and recursion.
function add3(a, b, c) { var s = a + b; var t = s + c; return t; }
function dist2(x1, y1, x2, y2) { var dx = x2 - x1, dy = y2 - y1; return dx * dx + dy * dy; }
function sum(n) { if (n == 0) return 0; var rest = sum(n - 1); return rest + n; }
function tak(x, y, z) {
  if (y >= x) return z;
  return tak(tak(x - 1, y, z), tak(y - 1, z, x), tak(z - 1, x, y));
}
function Point(x, y) { this.x = x; this.y = y; }
function norm1() { var ax = this.x, ay = this.y; if (ax < 0) ax = -ax; if (ay < 0) ay = -ay; return ax + ay; }
Point.prototype.norm1 = norm1;
var p = new Point(3, -4);
var total = 0;
for (var i = 0; i < 200000; i++) total += add3(i, 1, 2) + dist2(i, 0, 3, 4) + p.norm1();
for (var j = 0; j < 500; j++) total += sum(200);
total += tak(18, 12, 6);
print(total);
