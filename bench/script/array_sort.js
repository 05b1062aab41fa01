// 100,000 numbers sorted with a compare function, then by text.
function byNumber(x, y) { return x - y; }
var a = new Array(100000);
var seed = 12345;
for (var i = 0; i < a.length; i++) {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  a[i] = seed % 1000000;
}
a.sort(byNumber);
var ordered = true;
for (var j = 1; j < a.length; j++) { if (a[j - 1] > a[j]) { ordered = false; } }
a.sort();
print(ordered + " " + a[0] + " " + a[a.length - 1]);
