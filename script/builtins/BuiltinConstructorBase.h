#pragma once
// The base of the eight built-in constructor objects: function objects
// (class "Function", typeof "function") whose prototype is
// Function.prototype. Each constructor overrides Construct and Call itself.
#include <cstdint>

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CBuiltinConstructorBase : public CScriptObject {
public:
  explicit CBuiltinConstructorBase(CGlobalObjectBase* global);

  Core::StringView GetClassName() const override { return u"Function"; }
  Core::StringView GetTypeOf() const override { return u"function"; }

protected:
  // 'length' and 'prototype', both ReadOnly, DontEnum and DontDelete: the
  // first registrations of every constructor.
  void DefineLengthAndPrototype(int32_t length, CScriptObject* prototype);
};

} // namespace EcmaScript
