function add(a, b) { return a + b; }
function typeName(v) { return typeof v; }
function nothing() { }
function make() {
  var o = new Object();
  o.x = 42;
  o.label = "made";
  return o;
}
function isMade(o) { return o.label == "made"; }
function thisName() { return this.name; }
var name = "global";
var obj = make();
var when = new Date(86400000);
var five = 5;
var wrapped = new String("wrapped");
var flag = new Boolean(false);
