// match, replace with a string and with a function, and search over a 1 MB text.
var line = "item-1234 costs 56 euro; item-987 costs 4 euro\n";
var text = "";
while (text.length < 1048576) { text += line; }
var total = 0;
var numbers = new RegExp("\\d+", "g");
total += text.match(numbers).length;
total += text.replace(new RegExp("euro", "g"), "EUR").length;
function twice(m) { return m + m; }
total += text.replace(new RegExp("item-(\\d+)", "g"), twice).length;
total += text.search(new RegExp("costs 5 euro"));
total += text.search(new RegExp("[A-Z]"));
print(total);
