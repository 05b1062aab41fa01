#pragma once
// The interface through which the interpreter reaches the global object: the
// engine, the eight built-in constructors and prototypes, the clear list,
// and the creation of the built-in objects the interpreter makes itself
// (wrappers for ToObject, method objects for DefineMethod). The built-ins
// implement it, so this layer stays below them.
//
// Shared by all objects of one global object: the list of live objects,
// cleared at engine shutdown, and the depth guard, which bounds the nesting
// of conversions and calls so that runaway recursion ends in runtime error
// 25 instead of a stack overflow.
#include <cstdint>
#include <vector>

#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CFunctionDefinition;
class CScriptEngine;

class CGlobalObjectBase : public CScriptObject {
public:
  // Nesting of calls and conversions allowed by default: deep enough for
  // recursive scripts.
  static constexpr int32_t kDefaultDepthLimit = 3000;
  // Stack a level must find left below it, or the guard fails as at the
  // depth limit. The real limit counts, not a share of it: a small stack
  // limit, or templates that took much of the stack before the script ran,
  // leave the script less. What one level may take before the next guard
  // is bounded by the parser's nesting limit; this is room for the deepest
  // such level, the built-in work below it and the throw of the error.
#if defined(KELTO_SANITIZED)
  static constexpr uintptr_t kStackReserve = uintptr_t(512) << 10;
#else
  static constexpr uintptr_t kStackReserve = uintptr_t(256) << 10;
#endif

  CGlobalObjectBase();
  ~CGlobalObjectBase() override;

  // Breaks the reference cycles of the engine's objects (engine shutdown).
  void Clear() override = 0;
  virtual CScriptEngine* GetEngine() const = 0;

  // No use added.
  virtual CScriptObject* GetObjectConstructor() const = 0;
  virtual CScriptObject* GetFunctionConstructor() const = 0;
  virtual CScriptObject* GetArrayConstructor() const = 0;
  virtual CScriptObject* GetStringConstructor() const = 0;
  virtual CScriptObject* GetBooleanConstructor() const = 0;
  virtual CScriptObject* GetNumberConstructor() const = 0;
  virtual CScriptObject* GetDateConstructor() const = 0;
  virtual CScriptObject* GetRegExpConstructor() const = 0;
  virtual CScriptObject* GetObjectPrototype() const = 0;
  virtual CScriptObject* GetFunctionPrototype() const = 0;
  virtual CScriptObject* GetArrayPrototype() const = 0;
  virtual CScriptObject* GetStringPrototype() const = 0;
  virtual CScriptObject* GetBooleanPrototype() const = 0;
  virtual CScriptObject* GetNumberPrototype() const = 0;
  virtual CScriptObject* GetDatePrototype() const = 0;
  virtual CScriptObject* GetRegExpPrototype() const = 0;
  virtual void AddToClearList(CScriptObject* object) = 0;

  // The wrapper objects of ToObject.
  virtual XObject CreateBooleanObject(bool value) = 0;
  virtual XObject CreateNumberObject(CScriptNumber value) = 0;
  virtual XObject CreateStringObject(const CStringValue* value) = 0;
  // The function object of a built-in method of the owner.
  virtual XObject CreateBuiltinMethod(CScriptObject* owner, int32_t methodNumber, int32_t length) = 0;
  // The function object of a function definition (declarations, the
  // Function constructor).
  virtual XObject CreateScriptFunction(CFunctionDefinition* definition) = 0;

  // Clears every live object of this global object (CScriptObject::Clear),
  // in order of creation; the global object itself is not among them.
  // Objects that survive (held from outside) stay on the list.
  void ClearLiveObjects();
  int32_t CountLiveObjects() const;

  int32_t GetDepth() const { return m_depth; }
  int32_t GetDepthLimit() const { return m_depthLimit; }
  void SetDepthLimit(int32_t limit) { m_depthLimit = limit; }

  // The definition parked more activation objects than it keeps between
  // runs: they are trimmed when the outermost level ends.
  void NoteSpareExcess(CFunctionDefinition* definition);

protected:
  // Makes the object its own global object.
  void BecomeOwnGlobalObject() { SetGlobalObjectUnlinked(this); }

private:
  friend class CScriptObject;
  friend class CDepthGuard;

  void Link(CLiveLink& link) { link.InsertBefore(&m_liveObjects); }
  void TrimSpareActivations();

  CLiveLink m_liveObjects;
  int32_t m_depth = 0;
  int32_t m_depthLimit = kDefaultDepthLimit;
  // The lowest address the stack may reach, taken when the outermost level
  // is entered.
  uintptr_t m_stackLimit = 0;
  std::vector<Core::XInterface<CFunctionDefinition>> m_spareExcess;
};

// One level of nesting for the scope of a conversion or call. Throws runtime
// error 25 (with the object) when the limit is reached. A null global
// object counts nothing.
class CDepthGuard {
public:
  CDepthGuard(CGlobalObjectBase* global, CScriptObject* object);
  ~CDepthGuard() {
    if (m_global && --m_global->m_depth == 0 && !m_global->m_spareExcess.empty()) m_global->TrimSpareActivations();
  }
  CDepthGuard(const CDepthGuard&) = delete;
  CDepthGuard& operator=(const CDepthGuard&) = delete;

private:
  CGlobalObjectBase* m_global;
};

} // namespace EcmaScript
