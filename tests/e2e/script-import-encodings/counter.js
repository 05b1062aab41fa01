// Counts the times it was run: the variable keeps its value when declared again.
var runs;
runs = runs ? runs + 1 : 1;
