// Reading and writing properties of objects.
function Point(x, y) { this.x = x; this.y = y; }
var p = new Point(1, 2);
var o = new Object();
o.count = 0;
for (var i = 0; i < 1000000; i++) {
  p.x = p.y + 1;
  p.y = p.x - 1;
  o.count = o.count + 1;
  o["k"] = o.count;
}
print(p.x + p.y + o.count + o.k);
