#pragma once
// The Object built-in: plain objects (new Object(), Object()) and
// Object.prototype, the root of every prototype chain, with toString and
// valueOf.
#include "script/builtins/BuiltinConstructorBase.h"
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

struct CBuiltinKit;

// An object of class "Object" with no properties of its own.
class CPlainObject : public CScriptObject {
public:
  // Prototype Object.prototype.
  explicit CPlainObject(CGlobalObjectBase* global) : CScriptObject(global, global->GetObjectPrototype()) {}
  CPlainObject(CGlobalObjectBase* global, CScriptObject* prototype) : CScriptObject(global, prototype) {}
};

class CObjectPrototype : public CScriptObject {
public:
  enum : int32_t { MethodToString = 0, MethodValueOf = 1 };

  // No prototype.
  explicit CObjectPrototype(CGlobalObjectBase* global) : CScriptObject(global, nullptr) {}
  void Populate();
  // valueOf for method 1, toString for every other number.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;

  // "[object CLASS]".
  static XValue ToString(CExecutionContext& context, CScriptObject* thisObject);
  static XValue ValueOf(CExecutionContext& context, CScriptObject* thisObject);
};

// Called or constructed alike: no argument, Undefined or Null give a new
// plain object; anything else goes through ToObject (an object is itself).
class CObjectConstructor : public CBuiltinConstructorBase {
public:
  using CBuiltinConstructorBase::CBuiltinConstructorBase;
  void Populate();
  XValue Construct(CExecutionContext& context, const CArgumentList& arguments) override;
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
  static XValue ConstructFromValue(CExecutionContext& context, CValue* value);
};

// How the global object makes Object.prototype and Object.
const CBuiltinKit& GetObjectKit();

} // namespace EcmaScript
