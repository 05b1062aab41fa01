// Read as UTF-8: the default encoding of an import.
var utf8Text = "héllo €";
