// Dates with TZ fixed one hour east of UTC, without daylight saving.
var d = new Date(2000, 0, 1, 0, 30);
print(d.getTime() + ' ' + d.getTimezoneOffset() + ' ' + d.getHours() + ' ' + d.getUTCHours());
print(d.getDate() + ' ' + d.getUTCDate() + ' ' + d.getDay() + ' ' + d.getUTCDay() + ' ' + d.toString());
d.setHours(23);
print(d.getTime() + ' ' + d.getDate() + ' ' + d.getUTCDate());
d.setUTCHours(23);
print(d.getTime() + ' ' + d.getDate() + ' ' + d.getHours());
print(new Date(2000, 6, 1).getTimezoneOffset() + ' ' + (new Date(2000, 0, 1) - Date.UTC(2000, 0, 1)));
