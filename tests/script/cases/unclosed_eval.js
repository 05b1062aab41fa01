// Eval code that ends inside blocks fails at once: nothing limits the
// errors of a parse without a handler, yet it must end.
print("before");
function attempt() {
  eval("while (true) { if (x) {");
}
attempt();
