// utf8Mark
var utf8Mark = "héllo €";
