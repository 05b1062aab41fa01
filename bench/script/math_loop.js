// Math functions in a tight loop.
var acc = 0;
for (var i = 1; i < 300000; i++) {
  acc += Math.sqrt(i) + Math.floor(i / 3) + Math.abs(Math.sin(i)) + Math.max(i % 7, 3) + Math.round(i * 0.37);
  acc += Math.pow(1.0001, i % 100) + Math.random();
}
print(Math.floor(acc / 1000000));
