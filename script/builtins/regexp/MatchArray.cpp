#include "script/builtins/regexp/MatchArray.h"

#include "script/builtins/ArrayObject.h"

namespace EcmaScript {

namespace {

const CPropertyName& IndexName() {
  static const CPropertyName name(u"index");
  return name;
}

const CPropertyName& InputName() {
  static const CPropertyName name(u"input");
  return name;
}

} // namespace

XValue CaptureValue(Core::StringView text, int32_t start, int32_t length) {
  if (start < 0) return MakeUndefined();
  return MakeString(Core::String(text.substr(static_cast<size_t>(start), static_cast<size_t>(length))));
}

XValue MakeMatchArray(CExecutionContext& context, const Core::String& text, CValue* textValue,
                      const RegExp::CCaptureList& captures) {
  CArgumentList elements;
  int32_t start = 0, length = 0;
  for (int32_t i = 0; i < captures.GetCount(); ++i) {
    captures.Get(i, start, length);
    elements.Append(CaptureValue(text, start, length));
  }
  XObject array(new CArrayInstance(context.GetGlobalObject(), elements));
  captures.Get(0, start, length);
  array->Put(context, IndexName(), MakeNumber(CScriptNumber(start)).Get());
  array->Put(context, InputName(), textValue);
  return MakeObject(array.Get());
}

} // namespace EcmaScript
