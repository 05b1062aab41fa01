var box = new Object();
box.size = 1;
function pair(a, b) { return a + "-" + b; }
function count() { return arguments.length; }
function makeBox() { return new Object(); }

// Gives 1, 2, then 0.
var seq = new Array(1, 2, 0);
var at = 0;
function step() { var v = seq[at]; at = at + 1; return v; }

// The limit is read once, when the loop starts: raising it in the body
// changes nothing.
var done = 0;
var limit = 3;
function below(max) { return done < max; }
function bump() { done = done + 1; limit = 100; return done; }
