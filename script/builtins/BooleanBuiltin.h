#pragma once
// The Boolean built-in: the constructor (new Boolean(v) makes an object,
// Boolean(v) converts) and Boolean.prototype, itself a Boolean object
// holding false, with toString and valueOf; both fail with runtime error 16
// on a this object of another class.
#include <cstdint>

#include "script/builtins/BooleanObject.h"
#include "script/builtins/BuiltinConstructorBase.h"

namespace EcmaScript {

class CBooleanPrototype : public CBooleanObject {
public:
  enum : int32_t { MethodToString, MethodValueOf, MethodCount };

  // Prototype Object.prototype.
  explicit CBooleanPrototype(CGlobalObjectBase* global);
  void Populate();
  // valueOf for 1, toString for every other number.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;
};

class CBooleanConstructor : public CBuiltinConstructorBase {
public:
  using CBuiltinConstructorBase::CBuiltinConstructorBase;
  void Populate();
  XValue Construct(CExecutionContext& context, const CArgumentList& arguments) override;
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
};

} // namespace EcmaScript
