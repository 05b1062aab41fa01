#pragma once
// The Function built-in: the function object base (class "Function",
// typeof "function", an optional definition), Function.prototype and the
// Function constructor, which makes script functions from source text.
#include "script/builtins/BuiltinConstructorBase.h"
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/Program.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

struct CBuiltinKit;

class CFunctionObject : public CScriptObject {
public:
  CFunctionObject(CGlobalObjectBase* global, CScriptObject* prototype, CFunctionDefinition* definition)
      : CScriptObject(global, prototype), m_definition(definition) {}
  ~CFunctionObject() override;

  Core::StringView GetClassName() const override { return u"Function"; }
  Core::StringView GetTypeOf() const override { return u"function"; }
  // Null for Function.prototype.
  CFunctionDefinition* GetDefinition() const { return m_definition.Get(); }

private:
  XFunctionDefinition m_definition;
};

// Callable, returning Undefined; toString is its one method.
class CFunctionPrototype : public CFunctionObject {
public:
  enum : int32_t { MethodToString = 0 };

  // Prototype Object.prototype.
  explicit CFunctionPrototype(CGlobalObjectBase* global)
      : CFunctionObject(global, global->GetObjectPrototype(), nullptr) {}
  void Populate();
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;

  // The source text of a script function; "function anonymous() { }" for
  // other function objects; runtime error 12 for anything else.
  static XValue ToString(CExecutionContext& context, CScriptObject* thisObject);
};

// new Function(p1, ..., pn, body) and Function(...) alike: the parameters
// joined by "," and the body parsed into a function named anonymous.
class CFunctionConstructor : public CBuiltinConstructorBase {
public:
  using CBuiltinConstructorBase::CBuiltinConstructorBase;
  void Populate();
  XValue Construct(CExecutionContext& context, const CArgumentList& arguments) override;
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
  // Runtime error 21 (parameters) or 22 (body) on a syntax error, with the
  // text as the offending value.
  XValue CreateFunction(CExecutionContext& context, const CArgumentList& arguments);
};

// How the global object makes Function.prototype and Function.
const CBuiltinKit& GetFunctionKit();

} // namespace EcmaScript
