// A 1 MB text split on a separator and by unit, and joined again.
var word = "lorem,ipsum,dolor,sit,amet,";
var text = "";
while (text.length < 1048576) { text += word; }
var total = 0;
for (var round = 0; round < 3; round++) {
  var parts = text.split(",");
  var back = parts.join(";");
  total += parts.length + back.length;
}
var units = text.substring(0, 262144).split("");
print(total + units.join("").length);
