var ok = 1;
var broken = (1 + 2;
