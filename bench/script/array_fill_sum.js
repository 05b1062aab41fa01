// Arrays filled by index and by growing length, then summed.
var a = new Array();
for (var i = 0; i < 300000; i++) { a[i] = i % 1000; }
var b = new Array(300000);
for (var j = 0; j < b.length; j++) { b[j] = a[j] * 2; }
var sum = 0;
for (var round = 0; round < 3; round++) {
  for (var k = 0; k < a.length; k++) { sum += a[k] + b[k]; }
}
print(sum);
