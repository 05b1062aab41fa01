#pragma once
// The environment code runs in: the scope chain (outermost first, the global
// object at its start; identifiers are resolved from its end), the global
// object, the activation and variable objects and the this object. Every
// internal method and conversion receives the context of the running code
// and hands it on.
#include "core/Array.h"
#include "script/engine/Value.h"

namespace EcmaScript {

class CGlobalObjectBase;

class CExecutionContext {
public:
  // Every field empty.
  CExecutionContext();
  ~CExecutionContext();
  CExecutionContext(const CExecutionContext&) = delete;
  CExecutionContext& operator=(const CExecutionContext&) = delete;

  // Makes the object the global object, variable object, this object and
  // only scope of an empty context.
  void InitGlobalCode(CGlobalObjectBase* global);

  Core::XArray<XObject>& GetScopeChain() { return m_scopeChain; }
  const Core::XArray<XObject>& GetScopeChain() const { return m_scopeChain; }
  // Not counted.
  CGlobalObjectBase* GetGlobalObject() const { return m_global; }
  CScriptObject* GetActivationObject() const { return m_activation.Get(); }
  CScriptObject* GetVariableObject() const { return m_variable.Get(); }
  CScriptObject* GetThisObject() const { return m_this.Get(); }

  void SetGlobalObject(CGlobalObjectBase* global) { m_global = global; }
  void SetActivationObject(CScriptObject* object);
  void SetVariableObject(CScriptObject* object);
  void SetThisObject(CScriptObject* object);

private:
  Core::XArray<XObject> m_scopeChain;
  CGlobalObjectBase* m_global = nullptr;
  XObject m_activation;
  XObject m_variable;
  XObject m_this;
};

} // namespace EcmaScript
