#pragma once
// Number objects: new Number(v), and the wrappers ToObject makes for Number
// values. Class name "Number"; the primitive value is the number record,
// integer or double form as it came.
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CNumberObject : public CScriptObject {
public:
  // Prototype Number.prototype of the global object.
  CNumberObject(CGlobalObjectBase* global, CScriptNumber value);
  // With a prototype of its own (Number.prototype itself).
  CNumberObject(CGlobalObjectBase* global, CScriptObject* prototype, CScriptNumber value);

  Core::StringView GetClassName() const override { return u"Number"; }
  XValue GetPrimitiveValue() const override;
  CScriptNumber GetValue() const { return m_value; }

private:
  CScriptNumber m_value;
};

} // namespace EcmaScript
