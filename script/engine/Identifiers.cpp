#include "script/engine/Identifiers.h"

#include "script/engine/ScriptExceptions.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

using namespace EcmaScript;

CScriptObject* FindScope(CExecutionContext& context, const CPropertyName& name) {
  const CScopeChain& chain = context.GetScopeChain();
  for (int32_t i = chain.GetSize() - 1; i >= 0; --i) {
    CScriptObject* scope = chain[i];
    if (scope->HasProperty(context, name)) return scope;
  }
  return nullptr;
}

XValue FetchIdentifier(CExecutionContext& context, const CPropertyName& name, CScriptObject** scope) {
  const CScopeChain& chain = context.GetScopeChain();
  XValue value;
  for (int32_t i = chain.GetSize() - 1; i >= 0; --i) {
    CScriptObject* object = chain[i];
    if (object->GetIfPresent(context, name, value)) {
      if (scope) *scope = object;
      return value;
    }
  }
  XValue reference(new CReferenceValue(nullptr, name));
  throw CRuntimeError(CRuntimeError::GetValueInvalidReference, reference.Get());
}

} // namespace EcmaScriptPrivate
