// Math with a seeded generator: the same draws on every run.
print(Math.PI + ' ' + Math.E + ' ' + Math.LOG10E + ' ' + Math.SQRT1_2);
print(Math.max(1, 5, 9) + ' ' + Math.min(4) + ' ' + Math.round(-2.5) + ' ' + Math.round(4503599627370497));
print(Math.pow(-8, 1 / 3) + ' ' + Math.pow(2, 10) + ' ' + Math.atan2(1, 1) * 4 + ' ' + Math.floor(-0.5));
Math.PI = 3;
delete Math.E;
print(Math.PI + ' ' + Math.E);
var draws = '';
for (var i = 0; i < 5; i++) draws += Math.floor(Math.random() * 32767) + ' ';
print(draws);
