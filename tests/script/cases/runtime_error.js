// A failure inside a nested call names the innermost function and the line
// of the failing statement inside it
print("before");
function inner(o) {
  var x = 1;
  return o.missing.deeper;
}
function outer() {
  return inner(new Object());
}
outer();
print("never");
