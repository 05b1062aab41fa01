#include "extensions/textinput/TextInputFunctions.h"

#include <cstdint>
#include <limits>

#include "core/StringHelpers.h"
#include "extensions/textinput/TextInputException.h"
#include "extensions/textinput/TextInputPackage.h"
#include "xpath/ValueConverter.h"

namespace XsltTextInput {

using Exception = CXsltTextInputException;

namespace {

Core::String SourceId(const Xpath::CValueConverter& convert, const Xpath::CArgumentList& arguments, size_t at) {
  return arguments.size() > at ? convert.ToString(*arguments[at]) : Core::String();
}

// The field index an argument names: number(), then round(), then the
// 32-bit integer. A value without a 32-bit form lies outside every field
// range; its error shows the rounded number's text.
struct CFieldIndex {
  explicit CFieldIndex(const Xpath::CValueConverter& convert, const Xpath::CValue& argument)
      : number(convert.ToNumber(argument).Round()) {}

  // Checked once the source is known, so that an unknown id is reported first.
  int32_t Get() const {
    double rounded = number.GetValue();
    if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max()))
      throw Exception(Exception::InvalidFieldIndex, number.ToString());
    return number.ToInt();
  }

  Xpath::CNumber number;
};

} // namespace

Core::XInterface<Xpath::CValue> CFieldCountFunction::Evaluate(Xslt::CExtensionContext* context,
                                                              Xpath::CContext* xpathContext,
                                                              const Xpath::CArgumentList& arguments) {
  CTextInputPackageContext& run = GetTextInputContext(context);
  if (arguments.size() > 1) throw Exception(Exception::InvalidArgumentCount, u"field-count");
  Xpath::CValueConverter convert(xpathContext);
  int32_t count = run.GetFieldCount(SourceId(convert, arguments, 0));
  return new Xpath::CNumberValue(Xpath::CNumber(count));
}

Core::XInterface<Xpath::CValue> CFieldNameFunction::Evaluate(Xslt::CExtensionContext* context,
                                                             Xpath::CContext* xpathContext,
                                                             const Xpath::CArgumentList& arguments) {
  CTextInputPackageContext& run = GetTextInputContext(context);
  if (arguments.size() < 1 || arguments.size() > 2) throw Exception(Exception::InvalidArgumentCount, u"field-name");
  Xpath::CValueConverter convert(xpathContext);
  Core::String id = SourceId(convert, arguments, 1);
  CFieldIndex index(convert, *arguments[0]);
  CTextSource& source = run.FindSource(id);
  return new Xpath::CStringValue(source.GetFieldName(index.Get()));
}

Core::XInterface<Xpath::CValue> CFieldValueFunction::Evaluate(Xslt::CExtensionContext* context,
                                                              Xpath::CContext* xpathContext,
                                                              const Xpath::CArgumentList& arguments) {
  CTextInputPackageContext& run = GetTextInputContext(context);
  if (arguments.size() < 1 || arguments.size() > 2) throw Exception(Exception::InvalidArgumentCount, u"field-value");
  Xpath::CValueConverter convert(xpathContext);
  Core::String id = SourceId(convert, arguments, 1);
  const Xpath::CValue& key = *arguments[0];
  if (key.GetType() == Xpath::CValue::NumberType) {
    CFieldIndex index(convert, key);
    return new Xpath::CStringValue(run.FindSource(id).GetFieldValue(index.Get()));
  }
  Core::String name = convert.ToString(key);
  return new Xpath::CStringValue(run.FindSource(id).GetFieldValueByName(name));
}

} // namespace XsltTextInput
