#include "script/builtins/BooleanObject.h"

namespace EcmaScript {

CBooleanObject::CBooleanObject(CGlobalObjectBase* global, bool value)
    : CScriptObject(global, global->GetBooleanPrototype()), m_value(value) {}

CBooleanObject::CBooleanObject(CGlobalObjectBase* global, CScriptObject* prototype, bool value)
    : CScriptObject(global, prototype), m_value(value) {}

XValue CBooleanObject::GetPrimitiveValue() const { return MakeBoolean(m_value); }

} // namespace EcmaScript
