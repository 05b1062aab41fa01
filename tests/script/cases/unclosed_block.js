function f() {
  if (x) {
    { y = 1;
