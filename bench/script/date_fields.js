// Date getters and setters over 100,000 time values.
var d = new Date(0);
var sum = 0;
for (var i = 0; i < 100000; i++) {
  d.setTime(i * 86400000 * 3 + i * 1000);
  sum += d.getUTCFullYear() + d.getUTCMonth() + d.getUTCDate() + d.getUTCDay() + d.getUTCHours();
  sum += d.getFullYear() + d.getMonth() + d.getDate() + d.getMinutes();
  d.setUTCDate(15);
  d.setMonth(3);
  d.setUTCFullYear(1999);
  sum += d.getTime() % 1000;
}
print(sum);
