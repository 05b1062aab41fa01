// A 'prototype' object outliving its function no longer names it
var F = Function("this.made = true;");
var made = new F();
var p = F.prototype;
print(p.constructor == F);
F = null;
print(p.constructor == Object);
print(made.made + " " + (made.constructor == Object));
p.constructor = 7;
print(p.constructor);
