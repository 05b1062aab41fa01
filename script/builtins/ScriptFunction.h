#pragma once
// Functions defined by script: declared ones and those the Function
// constructor makes. A call runs the definition's body in a new function
// context; new f() makes an object whose prototype is f.prototype. Each
// function makes its own 'prototype' object, whose 'constructor' is the
// function through an uncounted link that the function drops when it dies.
#include "script/builtins/FunctionBuiltin.h"

namespace EcmaScript {

class CScriptFunctionPrototype;

class CScriptFunction : public CFunctionObject {
public:
  // Prototype Function.prototype; 'length' the number of parameters;
  // 'prototype' a new object linked back to this function.
  CScriptFunction(CGlobalObjectBase* global, CFunctionDefinition* definition);
  ~CScriptFunction() override;

  // Enters the depth guard. A script failure leaving the body is stamped
  // with this function's name and program, unless an inner function
  // already stamped it.
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
  XValue Construct(CExecutionContext& context, const CArgumentList& arguments) override;
  void Clear() override;

private:
  Core::XInterface<CScriptFunctionPrototype> m_prototypeObject;
};

// A plain object whose 'constructor' is its function while the link holds.
// Storing or deleting 'constructor' drops the link; from then on the name
// is an ordinary property.
class CScriptFunctionPrototype : public CScriptObject {
public:
  CScriptFunctionPrototype(CGlobalObjectBase* global, CScriptFunction* function);

  XValue Get(CExecutionContext& context, const CPropertyName& name) override;
  void Put(CExecutionContext& context, const CPropertyName& name, CValue* value) override;
  bool CanPut(CExecutionContext& context, const CPropertyName& name) override;
  bool HasProperty(CExecutionContext& context, const CPropertyName& name) override;
  bool Delete(CExecutionContext& context, const CPropertyName& name) override;

  void DropLink() { m_function = nullptr; }

private:
  CScriptFunction* m_function;
};

} // namespace EcmaScript
