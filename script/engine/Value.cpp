#include "script/engine/Value.h"

#include "script/engine/ScriptObject.h"

namespace EcmaScript {

namespace {

// A shared value that is never freed: it keeps one use of its own.
template <class T, class... Args>
CValue* Immortal(Args... args) {
  T* value = new T(args...);
  value->AddRef();
  return value;
}

} // namespace

CReference::CReference(CScriptObject* base, const CPropertyName& name) : m_base(base), m_name(name) {}
CReference::~CReference() = default;
CScriptObject* CReference::GetBase() const { return m_base.Get(); }

const Core::String& CValue::GetString() const {
  static const Core::String empty;
  return empty;
}

CObjectValue::CObjectValue(CScriptObject* object) : m_object(object) {
  if (m_object) m_object->AddRef();
}

CObjectValue::~CObjectValue() {
  if (m_object) m_object->Release();
}

XValue MakeUndefined() {
  static CValue* const value = Immortal<CUndefinedValue>();
  return XValue(value);
}

XValue MakeNull() {
  static CValue* const value = Immortal<CNullValue>();
  return XValue(value);
}

XValue MakeBoolean(bool b) {
  static CValue* const yes = Immortal<CBooleanValue>(true);
  static CValue* const no = Immortal<CBooleanValue>(false);
  return XValue(b ? yes : no);
}

XValue MakeNumber(CScriptNumber value) { return XValue(new CNumberValue(value)); }
XValue MakeString(Core::String value) { return XValue(new CStringValue(std::move(value))); }
XValue MakeObject(CScriptObject* object) { return XValue(new CObjectValue(object)); }

} // namespace EcmaScript
