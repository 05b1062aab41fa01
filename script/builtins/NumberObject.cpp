#include "script/builtins/NumberObject.h"

namespace EcmaScript {

CNumberObject::CNumberObject(CGlobalObjectBase* global, CScriptNumber value)
    : CScriptObject(global, global->GetNumberPrototype()), m_value(value) {}

CNumberObject::CNumberObject(CGlobalObjectBase* global, CScriptObject* prototype, CScriptNumber value)
    : CScriptObject(global, prototype), m_value(value) {}

XValue CNumberObject::GetPrimitiveValue() const { return MakeNumber(m_value); }

} // namespace EcmaScript
