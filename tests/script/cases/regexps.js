// Regular expressions through RegExp and the String pattern methods.
var r = new RegExp('(\\d+)-(\\d+)', 'g');
var text = 'a 10-20 b 3-4 c';
var m = r.exec(text);
print(m + ' ' + m.index + ' ' + r.lastIndex + ' ' + m.input);
print(r.exec(text) + ' ' + r.lastIndex + ' ' + r.exec(text) + ' ' + r.lastIndex);
print(text.match(r) + ' ' + text.search(new RegExp('b')) + ' ' + text.replace(r, '$2:$1'));
function twice(match, first) { return first * 2; }
print(text.replace(r, twice) + ' ' + r.lastIndex);
print(new RegExp('A', 'gi') + ' ' + r.source + ' ' + r.global + ' ' + r.ignoreCase + ' ' + r.multiline);
print(new RegExp('(a)|b').exec('b') + ' ' + new RegExp('x*?y').test('xxy') + ' ' + 'a.b'.replace('.', '!'));
var shared = new RegExp(r);
shared.lastIndex = 5;
print(r.lastIndex + ' ' + (RegExp(r) == r));
new RegExp('a', 'gg');
