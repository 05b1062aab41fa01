// eval runs in its caller's scope; the number-text functions.
function counter() {
  var count = 0;
  eval('count = count + 1; var extra = count * 10');
  return count + extra;
}
print(counter());
print(eval('var t = 2; t * 21'));
print(typeof t);
print(parseInt('  42abc') + ' ' + parseInt('010') + ' ' + parseInt('019') + ' ' + parseInt('z', 36));
print(parseInt('12', 37) + ' ' + parseInt('\n5') + ' ' + parseInt('12345678901234567890'));
print(parseFloat('-2.5e3') + ' ' + parseFloat('1e') + ' ' + parseFloat('-Infinity') + ' ' + parseFloat('.'));
print(escape('a b@*_+-./' + String.fromCharCode(233, 8364)));
print(unescape('%u20AC%41%zz%').charCodeAt(0) + ' ' + unescape('%u20AC%41%zz%').substring(1) + ' ' + unescape('%U0041'));
print(isNaN('abc') + ' ' + isNaN('12') + ' ' + isFinite(1 / 0) + ' ' + isFinite(0));
print();
