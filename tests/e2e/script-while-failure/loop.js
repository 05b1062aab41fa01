// True the first time; the second call reads a variable nobody declared.
var calls = 0;
function again() {
  calls = calls + 1;
  return calls > 1 ? missing : true;
}
