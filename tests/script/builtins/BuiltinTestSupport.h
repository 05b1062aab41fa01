#pragma once
// Calling built-in methods from tests as a script would: read the method
// from the object (or any object), call it with a this object and an
// argument list built from values.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "script/engine/ScriptExceptions.h"
#include "support/ScriptTestGlobal.h"

namespace ScriptTest {

inline CArgumentList Args(std::initializer_list<XValue> values) {
  CArgumentList list;
  for (const XValue& value : values) list.Append(value);
  return list;
}

inline XValue Num(double value) { return MakeNumber(CScriptNumber(value)); }
inline XValue Int(int32_t value) { return MakeNumber(CScriptNumber(value)); }
inline XValue Str(const char16_t* text) { return MakeString(text); }
inline XValue Undef() { return MakeUndefined(); }

// The number of a value that must be a Number; NaN otherwise.
inline double NumberOf(const XValue& value) {
  if (!value || value->GetType() != CValue::NumberType) return std::nan("");
  return value->GetNumber().ToDouble();
}

// holder.name(arguments) with `this` set to thisObject.
inline XValue CallProperty(CExecutionContext& context, CScriptObject* holder, const char16_t* name,
                           CScriptObject* thisObject, const CArgumentList& arguments) {
  XValue function = holder->Get(context, CPropertyName(name));
  EXPECT_EQ(function->GetType(), CValue::ObjectType) << "no method";
  if (function->GetType() != CValue::ObjectType) return MakeUndefined();
  return function->GetObject()->Call(context, thisObject, arguments);
}

// The code of the runtime error a call throws, or -1 when it throws none.
template <class F>
int32_t RuntimeErrorCode(F&& call, CScriptObject** object = nullptr) {
  try {
    call();
  } catch (const CRuntimeError& e) {
    if (object) *object = e.GetObject();
    return e.GetCode();
  }
  return -1;
}

} // namespace ScriptTest
