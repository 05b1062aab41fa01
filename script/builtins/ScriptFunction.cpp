#include "script/builtins/ScriptFunction.h"

#include "core/WorkBudget.h"
#include "script/builtins/ObjectBuiltin.h"
#include "script/engine/ExecutionContext.h"
#include "script/engine/ScriptExceptions.h"
#include "script/engine/Statements.h"

namespace EcmaScript {

namespace {

const CPropertyName& ConstructorName() {
  static const CPropertyName name(u"constructor");
  return name;
}

const CPropertyName& PrototypeName() {
  static const CPropertyName name(u"prototype");
  return name;
}

// Out of line, so that a call's frame, stacked once for every level of a
// recursion, holds nothing of it.
[[gnu::noinline, gnu::cold]] void NameFailure(CEcmaScriptException& failure, const CFunctionDefinition* definition) {
  if (!failure.GetFunctionName().empty()) return;
  failure.SetFunctionName(definition->GetName().GetText());
  failure.SetProgramName(definition->GetProgramName());
}

} // namespace

CScriptFunction::CScriptFunction(CGlobalObjectBase* global, CFunctionDefinition* definition)
    : CFunctionObject(global, global->GetFunctionPrototype(), definition) {
  DefineNumberProperty(u"length", CScriptNumber(definition->GetParameters().GetSize()),
                       ReadOnly | DontEnum | DontDelete);
  m_prototypeObject = new CScriptFunctionPrototype(global, this);
  DefineObjectProperty(PrototypeName(), m_prototypeObject.Get(), DontEnum);
}

CScriptFunction::~CScriptFunction() {
  if (m_prototypeObject) m_prototypeObject->DropLink();
  ReleaseLater(m_prototypeObject);
}

void CScriptFunction::Clear() {
  if (m_prototypeObject) m_prototypeObject->DropLink();
  ReleaseLater(m_prototypeObject);
  CFunctionObject::Clear();
}

XValue CScriptFunction::Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) {
  CFunctionDefinition* definition = GetDefinition();
  Core::SpendWork(Core::kCallWork);
  CDepthGuard guard(GetGlobalObject(), this);
  XObject self(this);
  XFunctionDefinition held(definition);
  CExecutionContext function;
  function.EnterFunctionCode(context.GetGlobalObject(), definition, this, thisObject, arguments);
  try {
    if (EcmaScriptPrivate::CReturnStatement* sole = definition->GetSoleReturn()) {
      try {
        return sole->GetExpression()->EvaluateValue(function);
      } catch (...) {
        EcmaScriptPrivate::CStatementList::RethrowWithLine(sole);
      }
    }
    CCompletion completion = definition->GetBody().Execute(function);
    if (completion.type == CCompletion::Return) return completion.value;
    return MakeUndefined();
  } catch (CEcmaScriptException& failure) {
    NameFailure(failure, definition);
    throw;
  }
}

XValue CScriptFunction::Construct(CExecutionContext& context, const CArgumentList& arguments) {
  XValue prototypeValue = Get(context, PrototypeName());
  CScriptObject* prototype = prototypeValue->GetObject();
  if (!prototype) prototype = GetGlobalObject()->GetObjectPrototype();
  XObject object(new CPlainObject(GetGlobalObject(), prototype));
  XValue result = Call(context, object.Get(), arguments);
  if (result->GetObject()) return result;
  return MakeObject(object.Get());
}

CScriptFunctionPrototype::CScriptFunctionPrototype(CGlobalObjectBase* global, CScriptFunction* function)
    : CScriptObject(global, global->GetObjectPrototype()), m_function(function) {
  SetCustomLookup();
}

XValue CScriptFunctionPrototype::Get(CExecutionContext& context, const CPropertyName& name) {
  if (m_function && name == ConstructorName()) return MakeObject(m_function);
  return CScriptObject::Get(context, name);
}

void CScriptFunctionPrototype::Put(CExecutionContext& context, const CPropertyName& name, CValue* value) {
  if (name == ConstructorName()) {
    m_function = nullptr;
    DefineOwnProperty(name, value, DontEnum, true);
    return;
  }
  CScriptObject::Put(context, name, value);
}

bool CScriptFunctionPrototype::CanPut(CExecutionContext& context, const CPropertyName& name) {
  if (name == ConstructorName()) return true;
  return CScriptObject::CanPut(context, name);
}

bool CScriptFunctionPrototype::HasProperty(CExecutionContext& context, const CPropertyName& name) {
  if (m_function && name == ConstructorName()) return true;
  return CScriptObject::HasProperty(context, name);
}

bool CScriptFunctionPrototype::Delete(CExecutionContext& context, const CPropertyName& name) {
  if (m_function && name == ConstructorName()) {
    m_function = nullptr;
    return true;
  }
  return CScriptObject::Delete(context, name);
}

} // namespace EcmaScript
