// Dates with TZ fixed to UTC: local and UTC fields agree.
var d = new Date(2000, 1, 29, 13, 45, 30, 250);
print(d.getTime() + ' ' + d.getFullYear() + ' ' + d.getMonth() + ' ' + d.getDate() + ' ' + d.getDay());
print(d.toString() + ' | ' + d.toUTCString() + ' | ' + d.getTimezoneOffset());
d.setMonth(11);
d.setUTCHours(25);
print(d.getUTCFullYear() + '-' + d.getUTCMonth() + '-' + d.getUTCDate() + ' ' + d.getUTCHours() + ' ' + d.getMilliseconds());
print(Date.UTC(1970, 0, 1, 0, 0, 1) + ' ' + Date.parse('3/2/2001 4:5:6 extra') + ' ' + new Date('31/12/1999 23:59:59').getTime());
print(new Date(99, 0).getFullYear() + ' ' + new Date(100, 0).getTime() + ' ' + new Date(8.64e15 + 1).getTime());
var e = new Date(0);
e.setFullYear(4294969296);
print(e.getTime() + ' ' + new Date(1e300, 0).getTime() + ' ' + Date.UTC(-1e15));
e = new Date(0);
e.setYear(95);
print(e.getYear() + ' ' + e.getFullYear() + ' ' + typeof Date() + ' ' + (new Date() - 0 > 0));
var notDate = new Object();
notDate.getTime = Date.prototype.getTime;
notDate.getTime();
