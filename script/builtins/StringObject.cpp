#include "script/builtins/StringObject.h"

namespace EcmaScript {

namespace {

constexpr int32_t kLengthId = 0;

const CPropertyName& LengthName() {
  static const CPropertyName name(u"length");
  return name;
}

} // namespace

CStringObject::CStringObject(CGlobalObjectBase* global, Core::String value)
    : CScriptObject(global, global->GetStringPrototype()), m_value(std::move(value)) {
  DefineLength();
}

CStringObject::CStringObject(CGlobalObjectBase* global, CScriptObject* prototype, Core::String value)
    : CScriptObject(global, prototype), m_value(std::move(value)) {
  DefineLength();
}

void CStringObject::DefineLength() { DefineNativeProperty(LengthName(), kLengthId, ReadOnly | DontEnum | DontDelete); }

XValue CStringObject::GetPrimitiveValue() const { return MakeString(m_value); }

XValue CStringObject::GetNativeProperty(CExecutionContext& context, int32_t nativeId) {
  if (nativeId == kLengthId) return MakeNumber(CScriptNumber(static_cast<int32_t>(m_value.size())));
  return CScriptObject::GetNativeProperty(context, nativeId);
}

} // namespace EcmaScript
