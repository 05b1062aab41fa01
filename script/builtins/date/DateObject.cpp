#include "script/builtins/date/DateObject.h"

#include <cmath>
#include <cstdint>

namespace EcmaScript {

CDateObject::CDateObject(CGlobalObjectBase* global, CScriptNumber time)
    : CScriptObject(global, global->GetDatePrototype()), m_time(time) {}

CDateObject::CDateObject(CGlobalObjectBase* global, CScriptObject* prototype)
    : CScriptObject(global, prototype), m_time(CScriptNumber::NaN) {}

CDateObject::CDateObject(CGlobalObjectBase* global, CScriptObject* prototype, CScriptNumber time)
    : CScriptObject(global, prototype), m_time(time) {}

XValue CDateObject::GetPrimitiveValue() const { return MakeNumber(m_time); }

void CDateObject::SetPrimitiveValue(CValue* value) {
  if (value) m_time = value->GetNumber();
}

CScriptNumber DateNumber(double value) {
  // The integer form keeps strictly inside the 32-bit range, as the record
  // arithmetic does, and never holds -0.
  if (value > -2147483648.0 && value < 2147483647.0 && value == std::trunc(value) &&
      !(value == 0 && std::signbit(value))) {
    return CScriptNumber(static_cast<int32_t>(value));
  }
  return CScriptNumber(value);
}

} // namespace EcmaScript
