#pragma once
// Boolean objects: new Boolean(v), and the wrappers ToObject makes for
// Boolean values. Class name "Boolean"; the primitive value is the boolean.
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CBooleanObject : public CScriptObject {
public:
  // Prototype Boolean.prototype of the global object.
  CBooleanObject(CGlobalObjectBase* global, bool value);
  // With a prototype of its own (Boolean.prototype itself).
  CBooleanObject(CGlobalObjectBase* global, CScriptObject* prototype, bool value);

  Core::StringView GetClassName() const override { return u"Boolean"; }
  XValue GetPrimitiveValue() const override;
  bool GetValue() const { return m_value; }

private:
  bool m_value;
};

} // namespace EcmaScript
