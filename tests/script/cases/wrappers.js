// Boolean, Number and String objects and their prototypes.
var b = new Boolean(false);
print(typeof b + ' ' + (b ? 'truthy' : 'falsy') + ' ' + b + ' ' + Boolean('x'));
var n = new Number('12');
print(typeof n + ' ' + (n + 1) + ' ' + (255).toString(16).length + ' ' + Number.MIN_VALUE);
var s = new String('Hello, World');
print(s.length + ' ' + s.charAt(7) + ' ' + s.charCodeAt(0) + ' ' + s.indexOf('o') + ' ' + s.lastIndexOf('o'));
print(s.substring(7, 12).toUpperCase() + s.substring(5, 0).toLowerCase());
var parts = 'k1=v1;k2=v2;k3'.split(';');
for (var i = 0; i < parts.length; i++) print(i + ' ' + parts[i].split('='));
print(String.fromCharCode(72, 105) + String.prototype.toString() + '!');
function Describe() { return 'described'; }
var holder = new Object();
holder.toString = Describe;
holder.upper = String.prototype.toUpperCase;
print(holder.upper());
holder.valueOf = Number.prototype.valueOf;
holder.valueOf();
