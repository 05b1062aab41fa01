#include "script/engine/ExecutionContext.h"

#include "script/engine/GlobalObjectBase.h"

namespace EcmaScript {

CExecutionContext::CExecutionContext() = default;

CExecutionContext::~CExecutionContext() {
  m_this = nullptr;
  m_variable = nullptr;
  m_activation = nullptr;
  // The scope chain's array releases its entries last to first.
}

void CExecutionContext::InitGlobalCode(CGlobalObjectBase* global) {
  m_global = global;
  m_variable = global;
  m_this = global;
  m_scopeChain.Append(XObject(global));
}

void CExecutionContext::SetActivationObject(CScriptObject* object) { m_activation = object; }
void CExecutionContext::SetVariableObject(CScriptObject* object) { m_variable = object; }
void CExecutionContext::SetThisObject(CScriptObject* object) { m_this = object; }

} // namespace EcmaScript
