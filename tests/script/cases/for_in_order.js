// The order in which for-in visits an object's names, recorded as it is:
// after inserts, deletes and re-inserts, with names that look like numbers,
// and with enough names to make the table grow many times over. Names that
// hash close together share long runs of neighbouring slots.
function names(o) {
  var s = "", n = 0, k;
  for (k in o) { s += (n % 16 == 0 ? (n ? "\n  " : "  ") : " ") + k; n++; }
  return n + " names\n" + s;
}

// A few names, some deleted and given again.
var o = new Object();
o.alpha = 1; o.beta = 2; o.gamma = 3; o.delta = 4; o.epsilon = 5;
delete o.beta; delete o.delta;
o.zeta = 6; o.beta = 7;
print("small: " + names(o));

// Names that look like numbers, beside ones that only nearly do.
var numbers = new Object();
var looks = "0|1|2|10|9|99|100|007|00|-1|1.5|1e3|4294967295|4294967296|2147483647|2147483648|0x10| 1|1 |NaN|Infinity"
    .split("|");
for (var i = 0; i < looks.length; i++) numbers[looks[i]] = i;
for (i = 0; i < 40; i++) numbers[i] = i;
print("numbers: " + names(numbers));

// Many names of one shape: their hashes fill a few dense runs.
var many = new Object();
for (i = 0; i < 3000; i++) many["p" + i] = i;
print("many: " + names(many));

// Every third one deleted, then some given again and some new ones,
// which take the holes the deletes left.
for (i = 0; i < 3000; i += 3) delete many["p" + i];
for (i = 0; i < 3000; i += 9) many["p" + i] = -i;
for (i = 0; i < 500; i++) many["q" + i] = i;
print("changed: " + names(many));

// Growing while names of different shapes are mixed in.
var mixed = new Object();
for (i = 0; i < 700; i++) {
  mixed["k" + (i * 7919 % 1000)] = i;
  mixed[i * 3] = i;
  if (i % 5 == 0) delete mixed["k" + (i * 31 % 1000)];
}
print("mixed: " + names(mixed));
