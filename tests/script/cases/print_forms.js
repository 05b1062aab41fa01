// Function.prototype.toString shows the parse tree printed back
function f(a) {
  var x = 1;
  if (a) { x = 2; }
  else x = 3;
  return x;
}
print(f);
function g() { a; b; }
print(g);
function empty(a, b) { }
print(empty);
function loops(n) {
  for (;;) x();
  for (i = 0; i < n; i++) s;
  for (var i = 0, j; i < n; ++i) { }
  for (var k = 5 in o) ;
  for (o.p in o) continue;
  while (false) break;
  with (o) return;
}
print(loops);
function operators() {
  x = (a + b) * c; y = a+b*c; z = - -x; w = + +x; v = x++ + --y;
  a = b = c ? d : e ? f : g, h;
  q = a == b != c; r = !!typeof typeof delete void x;
  s = a || b && c | d ^ e & f << g >> h >>> i;
  t *= 1; t /= 2; t %= 3; t += 4; t -= 5; t <<= 6; t >>= 7; t >>>= 8; t &= 9; t ^= 10; t |= 11;
  u = a < b > c <= d >= e;
}
print(operators);
function members() {
  new C; new C(); new a.b(1)(2); new new X()(); f()(); o['x']; o.x; f(a,b); f((a, b)); (((a)));
}
print(members);
function strings() { return 'it\'s' + "tab\there" + "crlf\r\n" + "quote\"back\\" + 1.50 + 0x10 + 010 + 1e3 + null + true + this; }
print(strings);
print(Function("a", "b", "if (a) b(); else c();"));
