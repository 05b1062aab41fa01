// An object used as a dictionary: many names of one shape added, looked up,
// some deleted and added again, and enumerated.
function fill(n) { var o = new Object(); for (var i = 0; i < n; i++) o["p" + i] = i; return o; }
var n = 200000;
var d = fill(n);
var sum = 0;
for (var i = 0; i < n; i++) sum += d["p" + i];
for (i = 0; i < n; i += 2) delete d["p" + i];
for (i = 0; i < n; i += 4) d["p" + i] = 1;
for (i = 0; i < n; i++) if (d["q" + i] != null) sum++;
var count = 0;
for (var k in d) count++;
print(sum + " " + count);
