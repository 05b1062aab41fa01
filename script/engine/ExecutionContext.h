#pragma once
// The environment code runs in: the scope chain (outermost first, the global
// object at its start; identifiers are resolved from its end), the global
// object, the activation and variable objects and the this object. Every
// internal method and conversion receives the context of the running code
// and hands it on.
#include "core/Array.h"
#include "script/engine/ScriptObject.h"
#include "script/engine/Value.h"

namespace EcmaScript {

// The scope chain: counted objects, outermost first. A function's chain
// (the global object and its activation object) fits the inline room, so
// a call allocates nothing for it.
class CScopeChain {
public:
  CScopeChain();
  CScopeChain(const CScopeChain& other);
  CScopeChain& operator=(const CScopeChain& other);
  ~CScopeChain();

  int32_t GetSize() const { return m_size; }
  CScriptObject* operator[](int32_t i) const { return i < kInline ? m_inline[i].Get() : m_more[i - kInline].Get(); }
  void Append(XObject object) {
    if (m_size < kInline) m_inline[m_size] = std::move(object);
    else AppendMore(std::move(object));
    ++m_size;
  }
  // Releases every entry, innermost first.
  void Clear() {
    while (m_size > 0) RemoveLast();
  }
  // Removes the innermost entry.
  void RemoveLast() {
    --m_size;
    if (m_size < kInline) m_inline[m_size] = nullptr;
    else RemoveMore();
  }

private:
  static constexpr int32_t kInline = 4;
  void AppendMore(XObject object);
  void RemoveMore();

  XObject m_inline[kInline];
  Core::XArray<XObject> m_more;
  int32_t m_size = 0;
};

class CFunctionDefinition;
class CGlobalObjectBase;
class CProgram;

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
  // A program run by the engine: InitGlobalCode, then the program's
  // functions and variables declared on the global object.
  void EnterGlobalCode(CGlobalObjectBase* global, CProgram* program);
  // Eval code: the caller's global, activation, variable and this objects
  // and a copy of its scope chain; declarations go to the caller's
  // variable object.
  void EnterEvalCode(const CExecutionContext& calling, CProgram* program);
  // A call of a script function: a new activation object as variable
  // object, the scope chain the global object and the activation object,
  // the this object or, when there is none, the global object. The
  // arguments must outlive the context.
  void EnterFunctionCode(CGlobalObjectBase* global, CFunctionDefinition* definition, CScriptObject* callee,
                         CScriptObject* thisObject, const CArgumentList& arguments);

  // Declaration binding on the variable object. Functions replace what is
  // there; variables keep an existing property; a parameter named twice
  // gets the later argument.
  void DeclareFunctions(const Core::XArray<Core::XInterface<CFunctionDefinition>>& definitions, int32_t attributes);
  void DeclareVariables(const Core::XArray<CPropertyName>& names, int32_t attributes);
  void BindParameters(const Core::XArray<CPropertyName>& names, const CArgumentList& arguments, int32_t attributes);

  CScopeChain& GetScopeChain() { return m_scopeChain; }
  const CScopeChain& GetScopeChain() const { return m_scopeChain; }
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
  CScopeChain m_scopeChain;
  CGlobalObjectBase* m_global = nullptr;
  XObject m_activation;
  XObject m_variable;
  XObject m_this;
  // Set by EnterFunctionCode: the context ends the call of its activation.
  bool m_ownsActivation = false;
};

} // namespace EcmaScript
