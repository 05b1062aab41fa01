var plain = new Object();
plain.x = 3;
function fail() {
  return missingThing;
}
