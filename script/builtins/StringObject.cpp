#include "script/builtins/StringObject.h"

namespace EcmaScript {

namespace {

constexpr int32_t kLengthId = 0;

Core::XInterface<CStringBuffer> FixedBuffer(Core::String value) {
  Core::XInterface<CStringBuffer> buffer(new CStringBuffer);
  buffer->text = std::move(value);
  buffer->exposed = true;
  return buffer;
}

const CPropertyName& LengthName() {
  static const CPropertyName name(u"length");
  return name;
}

} // namespace

CStringObject::CStringObject(CGlobalObjectBase* global, Core::String value)
    : CScriptObject(global, global->GetStringPrototype()), m_text(FixedBuffer(std::move(value))) {
  DefineLength();
}

CStringObject::CStringObject(CGlobalObjectBase* global, const CStringValue* value)
    : CScriptObject(global, global->GetStringPrototype()), m_text(value->ShareBuffer()) {
  DefineLength();
}

CStringObject::CStringObject(CGlobalObjectBase* global, CScriptObject* prototype, Core::String value)
    : CScriptObject(global, prototype), m_text(FixedBuffer(std::move(value))) {
  DefineLength();
}

void CStringObject::DefineLength() { DefineNativeProperty(LengthName(), kLengthId, ReadOnly | DontEnum | DontDelete); }

// A new value each time, over the same text.
XValue CStringObject::GetPrimitiveValue() const { return XValue(new CStringValue(m_text.Get(), m_text->text.size())); }

XValue CStringObject::GetNativeProperty(CExecutionContext& context, int32_t nativeId) {
  if (nativeId == kLengthId) return MakeNumber(CScriptNumber(static_cast<int32_t>(m_text->text.size())));
  return CScriptObject::GetNativeProperty(context, nativeId);
}

} // namespace EcmaScript
