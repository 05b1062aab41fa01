#pragma once
// The Number built-in: the constructor (new Number(v) makes an object,
// Number(v) converts), its five constants, and Number.prototype, itself a
// Number object holding 0, with toString and valueOf (runtime error 17 on a
// this object of another class). toString writes decimal only: radix 10 or
// none gives the number's text, any other radix from 2 to 36 the empty
// string, and every other radix value is runtime error 18.
#include <cstdint>

#include "script/builtins/BuiltinConstructorBase.h"
#include "script/builtins/NumberObject.h"

namespace EcmaScript {

class CNumberPrototype : public CNumberObject {
public:
  enum : int32_t { MethodToString, MethodValueOf, MethodCount };

  // Prototype Object.prototype.
  explicit CNumberPrototype(CGlobalObjectBase* global);
  void Populate();
  // valueOf for 1, toString for every other number.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;

  static XValue ToString(CScriptObject* thisObject, CValue* radix);
};

class CNumberConstructor : public CBuiltinConstructorBase {
public:
  using CBuiltinConstructorBase::CBuiltinConstructorBase;
  void Populate();
  XValue Construct(CExecutionContext& context, const CArgumentList& arguments) override;
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
};

} // namespace EcmaScript
