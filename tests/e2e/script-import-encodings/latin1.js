// Stored as ISO-8859-1: one byte per character.
var latinText = "café";
