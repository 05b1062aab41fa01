#pragma once
// The function object of one built-in method: calling it calls the owner's
// CallMethod with the method number, whatever object `this` is. One class
// serves every built-in method of the engine; DefineMethod makes them.
#include <cstdint>

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CBuiltinMethod : public CScriptObject {
public:
  // Prototype Function.prototype; one own property, 'length' (ReadOnly,
  // DontEnum, DontDelete).
  CBuiltinMethod(CGlobalObjectBase* global, CScriptObject* owner, int32_t methodNumber, int32_t length);
  ~CBuiltinMethod() override;

  Core::StringView GetClassName() const override { return u"Function"; }
  // Enters the depth guard and forwards to the owner's dispatcher.
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
  Core::StringView GetTypeOf() const override { return u"function"; }
  void Clear() override;

  CScriptObject* GetOwner() const { return m_owner.Get(); }
  int32_t GetMethodNumber() const { return m_methodNumber; }

private:
  // Counted, so that a method kept by a script can never outlive its owner;
  // engine shutdown clears the cycle through the owner's property.
  XObject m_owner;
  int32_t m_methodNumber;
};

// typeof of every function object.
inline Core::StringView GetFunctionTypeofName() { return u"function"; }

} // namespace EcmaScript
