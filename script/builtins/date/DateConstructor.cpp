#include "script/builtins/date/DateConstructor.h"

#include <cmath>

#include "script/builtins/date/DateArithmetic.h"
#include "script/builtins/date/DateConversion.h"
#include "script/builtins/date/DateObject.h"
#include "script/engine/Conversions.h"

namespace EcmaScript {

CDateConstructor::CDateConstructor(CGlobalObjectBase* global) : CScriptObject(global, global->GetFunctionPrototype()) {}

void CDateConstructor::Populate() {
  DefineNumberProperty(u"length", CScriptNumber(7), ReadOnly | DontEnum | DontDelete);
  DefineObjectProperty(u"prototype", GetGlobalObject()->GetDatePrototype(), ReadOnly | DontEnum | DontDelete);
  DefineMethod(u"parse", MethodParse, 1, DontEnum);
  DefineMethod(u"UTC", MethodUTC, 7, DontEnum);
}

double CDateConstructor::FromValue(CExecutionContext& context, CValue* value) {
  // No hint: a Date object gives its valueOf, so new Date(d) copies d exactly.
  XValue primitive = ToPrimitive(context, value, HintNone);
  if (primitive->GetType() == CValue::StringType) return ParseDateString(primitive->GetString());
  return ToNumber(context, primitive.Get()).ToDouble();
}

double CDateConstructor::FromComponents(CExecutionContext& context, const CArgumentList& arguments) {
  // year, month, date, hours, minutes, seconds, ms
  double c[7] = {0, 0, 1, 0, 0, 0, 0};
  const int32_t count = arguments.GetSize() < 7 ? static_cast<int32_t>(arguments.GetSize()) : 7;
  for (int32_t i = 0; i < count; ++i) c[i] = ToNumber(context, arguments[i].Get()).ToDouble();
  // Two-digit years are of the 1900s.
  if (!std::isnan(c[0])) {
    double whole = std::trunc(c[0]);
    if (whole >= 0 && whole <= 99) c[0] = 1900 + whole;
  }
  double time = count > 3 ? MakeTime(c[3], c[4], c[5], c[6]) : 0;
  return MakeDate(MakeDay(c[0], c[1], c[2]), time);
}

XValue CDateConstructor::Construct(CExecutionContext& context, const CArgumentList& arguments) {
  double time;
  if (arguments.GetSize() == 0) {
    time = CurrentTime();
  } else if (arguments.GetSize() == 1) {
    time = FromValue(context, arguments[0].Get());
  } else {
    // Components in local time.
    time = UTC(FromComponents(context, arguments));
  }
  XObject date(new CDateObject(context.GetGlobalObject(), DateNumber(TimeClip(time))));
  return MakeObject(date.Get());
}

XValue CDateConstructor::Call(CExecutionContext&, CScriptObject*, const CArgumentList&) {
  return MakeString(FormatDateString(CurrentTime()));
}

XValue CDateConstructor::CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject*,
                                    const CArgumentList& arguments) {
  if (methodNumber == MethodUTC) return Utc(context, arguments);
  XValue value = GetArgument(arguments, 0);
  return Parse(context, value.Get());
}

XValue CDateConstructor::Parse(CExecutionContext& context, CValue* value) {
  XValue text = ToStringValue(context, value);
  // Not clipped: a text beyond the time-value range gives its number.
  return MakeNumber(DateNumber(ParseDateString(text->GetString())));
}

XValue CDateConstructor::Utc(CExecutionContext& context, const CArgumentList& arguments) {
  if (arguments.GetSize() == 0) return MakeNumber(DateNumber(CurrentTime()));
  return MakeNumber(DateNumber(TimeClip(FromComponents(context, arguments))));
}

} // namespace EcmaScript
