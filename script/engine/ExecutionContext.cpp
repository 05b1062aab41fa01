#include "script/engine/ExecutionContext.h"

#include "script/engine/ActivationObject.h"
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/Program.h"
#include "script/engine/PropertyTable.h"

namespace EcmaScript {

CScopeChain::CScopeChain() = default;
CScopeChain::CScopeChain(const CScopeChain& other) { *this = other; }

CScopeChain& CScopeChain::operator=(const CScopeChain& other) {
  if (this == &other) return *this;
  Clear();
  for (int32_t i = 0; i < other.m_size; ++i) Append(XObject(other[i]));
  return *this;
}

CScopeChain::~CScopeChain() {
  Clear();
}

void CScopeChain::AppendMore(XObject object) { m_more.Append(std::move(object)); }
void CScopeChain::RemoveMore() { m_more.RemoveAt(m_size - kInline); }

CExecutionContext::CExecutionContext() = default;

CExecutionContext::~CExecutionContext() {
  if (m_ownsActivation) {
    static_cast<CActivationObject*>(m_activation.Get())->EndCall();
    m_this = nullptr;
    m_variable = nullptr;
    m_scopeChain.Clear();
    if (!CActivationObject::Park(m_activation)) m_activation = nullptr;
    return;
  }
  m_this = nullptr;
  m_variable = nullptr;
  m_activation = nullptr;
  // The scope chain releases its entries last to first.
}

void CExecutionContext::InitGlobalCode(CGlobalObjectBase* global) {
  m_global = global;
  m_variable = global;
  m_this = global;
  m_scopeChain.Append(XObject(global));
}

void CExecutionContext::EnterGlobalCode(CGlobalObjectBase* global, CProgram* program) {
  InitGlobalCode(global);
  DeclareFunctions(program->GetFunctions(), 0);
  DeclareVariables(program->GetVariables(), 0);
}

void CExecutionContext::EnterEvalCode(const CExecutionContext& calling, CProgram* program) {
  m_global = calling.m_global;
  m_activation = calling.m_activation;
  m_variable = calling.m_variable;
  m_this = calling.m_this;
  m_scopeChain = calling.m_scopeChain;
  if (m_activation) static_cast<CActivationObject*>(m_activation.Get())->MarkTouchedByEval();
  DeclareFunctions(program->GetFunctions(), 0);
  DeclareVariables(program->GetVariables(), 0);
}

void CExecutionContext::EnterFunctionCode(CGlobalObjectBase* global, CFunctionDefinition* definition,
                                          CScriptObject* callee, CScriptObject* thisObject,
                                          const CArgumentList& arguments) {
  m_global = global;
  XObject activation = CActivationObject::Unpark(global, callee, definition, arguments);
  bool reused = static_cast<bool>(activation);
  if (!reused) activation = new CActivationObject(global, callee, definition, arguments);
  auto* activationObject = static_cast<CActivationObject*>(activation.Get());
  m_ownsActivation = true;
  m_activation = activation;
  m_variable = activation;
  m_this = thisObject ? thisObject : global;
  m_scopeChain.Append(XObject(global));
  if (definition->HasPlainBindings()) {
    // The same bindings as below, without a lookup for each.
    XValue undefined;
    const CFunctionDefinition::CLayout& layout = definition->GetLayout();
    CPropertyTable& table = activation->GetPropertyTable();
    int32_t i = 0;
    for (const CFunctionDefinition::CBinding& binding : definition->GetBindings()) {
      CValue* value;
      if (binding.argument >= 0 && binding.argument < arguments.GetSize()) {
        value = arguments[binding.argument].Get();
      } else {
        if (!undefined) undefined = MakeUndefined();
        value = undefined.Get();
      }
      ++i;
      if (reused) table.GetAt(layout.slots[i])->SetValue(value);
      else if (layout.usable) table.PlaceReserved(layout.slots[i], binding.name, value, -1, DontDelete);
      else activation->DefineValueProperty(binding.name, value, DontDelete);
    }
    activationObject->EndBinding();
    m_scopeChain.Append(std::move(activation));
    return;
  }
  m_scopeChain.Append(std::move(activation));
  BindParameters(definition->GetParameters(), arguments, DontDelete);
  DeclareVariables(definition->GetVariables(), DontDelete);
  activationObject->EndBinding();
}

void CExecutionContext::DeclareFunctions(const Core::XArray<XFunctionDefinition>& definitions, int32_t attributes) {
  for (const XFunctionDefinition& definition : definitions) {
    XObject function = definition->CreateFunctionObject(*this);
    XValue value = MakeObject(function.Get());
    m_variable->DefineOwnProperty(definition->GetName(), value.Get(), attributes, true);
  }
}

void CExecutionContext::DeclareVariables(const Core::XArray<CPropertyName>& names, int32_t attributes) {
  if (names.GetSize() == 0) return;
  XValue undefined = MakeUndefined();
  for (const CPropertyName& name : names) m_variable->DefineOwnProperty(name, undefined.Get(), attributes, false);
}

void CExecutionContext::BindParameters(const Core::XArray<CPropertyName>& names, const CArgumentList& arguments,
                                       int32_t attributes) {
  for (int32_t i = 0; i < names.GetSize(); ++i) {
    XValue value = i < arguments.GetSize() ? arguments[i] : MakeUndefined();
    m_variable->DefineOwnProperty(names[i], value.Get(), attributes, true);
  }
}

void CExecutionContext::SetActivationObject(CScriptObject* object) { m_activation = object; }
void CExecutionContext::SetVariableObject(CScriptObject* object) { m_variable = object; }
void CExecutionContext::SetThisObject(CScriptObject* object) { m_this = object; }

} // namespace EcmaScript
