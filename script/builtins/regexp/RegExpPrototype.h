#pragma once
// RegExp.prototype: a plain object of class "Object" owning exec, test and
// toString. exec and test work through the this object's own operations
// (its global and lastIndex properties and its [[Match]]), so on anything
// but a RegExp object they fail with runtime error 3 once they try a
// position; toString requires a RegExp object (runtime error 20).
#include <cstdint>

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CRegExpPrototype : public CScriptObject {
public:
  enum : int32_t { MethodExec, MethodTest, MethodToString, MethodCount };

  // Prototype Object.prototype.
  explicit CRegExpPrototype(CGlobalObjectBase* global);

  // 'constructor', exec, test, toString; all DontEnum.
  void Populate();
  // toString for 2, test for 1, exec for every other number.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;

  // An array of the match and its groups with 'index' and 'input', or null.
  static XValue Exec(CExecutionContext& context, CScriptObject* thisObject, CValue* string);
  static XValue Test(CExecutionContext& context, CScriptObject* thisObject, CValue* string);
  // "/source/" and the flags g, i, m in this order.
  static XValue ToString(CExecutionContext& context, CScriptObject* thisObject);
};

} // namespace EcmaScript
