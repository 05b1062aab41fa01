#include "script/builtins/BuiltinMethod.h"

#include "script/engine/ExecutionContext.h"

namespace EcmaScript {

namespace {

const CPropertyName& LengthName() {
  static const CPropertyName name(u"length");
  return name;
}

} // namespace

CBuiltinMethod::CBuiltinMethod(CGlobalObjectBase* global, CScriptObject* owner, int32_t methodNumber, int32_t length)
    : CScriptObject(global, global->GetFunctionPrototype()), m_owner(owner), m_methodNumber(methodNumber) {
  DefineNumberProperty(LengthName(), CScriptNumber(length), ReadOnly | DontEnum | DontDelete);
}

CBuiltinMethod::~CBuiltinMethod() { ReleaseLater(m_owner); }

XValue CBuiltinMethod::Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) {
  CDepthGuard guard(GetGlobalObject(), this);
  XObject owner = m_owner;
  if (!owner) return MakeUndefined();  // cleared at shutdown
  // A method called without this (through a variable of a function) works
  // on the global object.
  if (!thisObject) thisObject = context.GetGlobalObject();
  return owner->CallMethod(context, m_methodNumber, thisObject, arguments);
}

void CBuiltinMethod::Clear() {
  ReleaseLater(m_owner);
  CScriptObject::Clear();
}

} // namespace EcmaScript
