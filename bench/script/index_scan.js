// indexOf and lastIndexOf scans over a 1 MB text with a late needle.
var text = "";
while (text.length < 1048576) { text += "abcabcabd"; }
text += "needle";
var count = 0;
for (var round = 0; round < 10; round++) {
  count += text.indexOf("needle") + text.lastIndexOf("abcabd", text.length - 100);
  var from = 0;
  var hits = 0;
  while (hits < 2000) {
    from = text.indexOf("abd", from) + 1;
    hits++;
  }
  count += from;
}
print(count);
