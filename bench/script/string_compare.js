// Equality and order of strings.
var a = "the quick brown fox jumps over the lazy dog 1";
var b = "the quick brown fox jumps over the lazy dog 2";
var c = "the quick brown fox jumps over the lazy dog 1";
var n = 0;
for (var i = 0; i < 1000000; i++) {
  if (a < b) n++;
  if (a == c) n++;
  if (b > c) n++;
  if (a != b) n++;
}
print(n);
