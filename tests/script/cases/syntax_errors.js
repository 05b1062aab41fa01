print("nothing runs");
x = 1 y = 2;
var do = 1;
a.if;
f(a;
x ? y;
x + y = 1;
return }
function (a) { b }
{ x = ; y = 1; }
a[1;
do;
