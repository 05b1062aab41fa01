#pragma once
// eval(x): a String value is parsed as a program and run in the caller's
// context (its scope chain, variable object and this), so that what it
// declares lands where the caller's own declarations do; any other value is
// the result itself.
#include "script/engine/ExecutionContext.h"
#include "script/engine/Value.h"

namespace EcmaScript {

// Runtime error 23 (with x) when the text has a syntax error; nothing of it
// runs then. The completion value of the program, or Undefined.
XValue Eval(CExecutionContext& context, CValue* x);

} // namespace EcmaScript
