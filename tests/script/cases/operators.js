// Arithmetic, strings, shifts, comparisons, equality and unary operators
print('1' + 2); print(1 + '2'); print(1 + 2); print(true + 1); print(null + 1); var u1; print(u1 + 1);
print('3' * '4'); print('a' - 1); print(7 % 0); print(1 / 0); print(-7 % 2); print(5 / 2);
print(1 << 32); print(1 << 33); print(1 << 31); print(-8 >> 1); print(-8 >>> 1); print(-1 >>> 0);
print(5 & 3); print(5 | 3); print(5 ^ 3); print(4294967295 & 1); print(~5);
print(null == (void 0)); print(null == 0); print((void 0) == 0); print(null == false);
print(1 == true); print('1' == true); print(2 == true); print(NaN == NaN); print(NaN != NaN);
print(1 == 'abc'); print(0 == ''); print('1.0' == 1); print('1.0' == '1');
var o = new Object(); var p = new Object();
print(o == p); print(o == o);
o.valueOf = Function('return 5');
print(o == 5); print(o == '5');
print('a' < 'b'); print('abc' < 'abd'); print('abc' > 'ab'); print('10' < '9'); print(10 < '9');
print(1 < NaN); print(1 > NaN); print(1 <= NaN); print(1 >= NaN); print((void 0) < 1);
print(2 <= 2); print(2 >= 2); print(-0 < 0); print(-0 <= 0);
print(typeof undeclared); print(typeof null); print(typeof print); print(typeof 1); print(typeof 'x'); print(typeof true);
print(delete undeclared);
var x = '5';
print(x++); print(x); print(++x);
print(-(0/0)); print(!0); print(!'');
print(void f());
function f() { print('void evaluates'); return 1; }
var s = 'a'; s += 1; print(s);
var n = 1; n += '1'; print(n); n = 1; n -= '1'; print(n);
print(0 && g()); print('' || 'x'); print(null || (void 0));
var c = true;
print(c ? 1 : g());
var m = -1; m >>>= 0; print(m);
function g() { print('never'); }
x = y = 3; print(x + y);
print((a1 = 1, b1 = 2));
print(a1 + b1);
var big = 2147483647; big++; print(big);
print(1e21); print(1e-7); print(0.1 + 0.2); print(-0);
