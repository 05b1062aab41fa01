// for-in while the body changes the object: every property present at the
// start and not deleted is seen exactly once, in the order of the start.
function O() { this.a = 1; this.b = 2; this.c = 3; this.d = 4; this.e = 5; }

// Adding enough properties to make the table grow.
var o = new O(), s = "", n = 0, k, i;
for (k in o) {
  if (k.length == 1) s += k;
  n++;
  if (n == 1) for (i = 0; i < 100; i++) o["x" + i] = i;
}
print("grown: " + s);

// A property deleted before its turn is not seen, also when the table grows.
o = new O(); s = "";
for (k in o) {
  s += k;
  if (k == "a") { delete o.c; delete o.e; for (i = 0; i < 50; i++) o["y" + i] = i; }
}
print("deleted: " + s.substring(0, 3) + " " + (s.indexOf("c") < 0) + " " + (s.indexOf("e") < 0));

// Deleting the name just visited.
o = new O(); s = "";
for (k in o) { s += k; delete o[k]; }
print("emptied: " + s);
s = "";
for (k in o) s += k;
print("left: [" + s + "]");

// Forty properties, each counted when seen while the body adds more.
function Many() { for (var j = 0; j < 40; j++) this["p" + j] = 0; }
var m = new Many(), seen = new Many(), extra = 0;
for (k in m) {
  if (k.charAt(0) == "p") seen[k]++;
  else extra++;
  m["q" + n++] = 1;
}
var twice = 0, missed = 0;
for (k in seen) { if (seen[k] > 1) twice++; if (seen[k] == 0) missed++; }
print("many: twice " + twice + ", missed " + missed);

// The named properties of an array, beside its elements.
var a = new Array(3);
a[0] = "x"; a[2] = "z"; a.f = 1; a.g = 2;
s = "";
for (k in a) { s += k + ","; if (k == "f") for (i = 0; i < 30; i++) a["h" + i] = i; }
print("array: " + s.substring(0, 4) + " " + (s.indexOf("0,") >= 0) + " " + (s.indexOf("2,") >= 0));
