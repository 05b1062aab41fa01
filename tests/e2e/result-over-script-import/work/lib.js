function greet(name) { return "hello, " + name; }
