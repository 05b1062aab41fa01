// A total that reads a variable nobody declared.
function total(n) {
  var sum = n;
  sum = sum + missing;
  return sum;
}
