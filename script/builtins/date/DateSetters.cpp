// The setters of Date.prototype. Each checks `this`, reads the old time
// value (and its local form), then converts its arguments left to right,
// and only then computes and stores: a conversion that fails leaves the
// date unchanged, and one that changes the date (a valueOf calling setTime)
// is overwritten by the result computed from the value read before it.
#include <cmath>

#include "script/builtins/date/DateArithmetic.h"
#include "script/builtins/date/DateConversion.h"
#include "script/builtins/date/DatePrototype.h"
#include "script/engine/Conversions.h"

namespace EcmaScript {

namespace {

// The argument as a number; an optional one that is Undefined (absent or
// passed as undefined) keeps the component taken from the old value.
void ReadComponent(CExecutionContext& context, const CArgumentList& arguments, int32_t index, bool optional,
                   double& component) {
  XValue argument = GetArgument(arguments, index);
  if (optional && argument->GetType() == CValue::UndefinedType) return;
  component = ToNumber(context, argument.Get()).ToDouble();
}

bool IsLocal(int32_t methodNumber, int32_t firstLocal) { return (methodNumber - firstLocal) % 2 == 0; }

} // namespace

XValue CDatePrototype::Store(CScriptObject* thisObject, double time) {
  XValue stored = MakeNumber(DateNumber(TimeClip(time)));
  thisObject->SetPrimitiveValue(stored.Get());
  return thisObject->GetPrimitiveValue();
}

XValue CDatePrototype::SetTime(CExecutionContext& context, CScriptObject* thisObject,
                               const CArgumentList& arguments) {
  ThisTimeValue(thisObject);
  XValue argument = GetArgument(arguments, 0);
  return Store(thisObject, ToNumber(context, argument.Get()).ToDouble());
}

XValue CDatePrototype::SetTimeOfDay(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                                    const CArgumentList& arguments) {
  // setMilliseconds and setUTCMilliseconds set from the fourth component
  // (milliseconds) on, setHours and setUTCHours from the first (hours).
  const int32_t first = 3 - (methodNumber - MethodSetMilliseconds) / 2;
  const bool local = IsLocal(methodNumber, MethodSetMilliseconds);
  double t = ThisTimeValue(thisObject);
  if (local) t = LocalTime(t);
  double c[4] = {HourFromTime(t), MinFromTime(t), SecFromTime(t), msFromTime(t)};
  for (int32_t i = first; i < 4; ++i) ReadComponent(context, arguments, i - first, i > first, c[i]);
  double time = MakeDate(Day(t), MakeTime(c[0], c[1], c[2], c[3]));
  return Store(thisObject, local ? UTC(time) : time);
}

XValue CDatePrototype::SetCalendarDate(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                                       const CArgumentList& arguments) {
  // setDate and setUTCDate set the third component (date), setFullYear and
  // setUTCFullYear from the first (year).
  const int32_t first = 2 - (methodNumber - MethodSetDate) / 2;
  const bool local = IsLocal(methodNumber, MethodSetDate);
  double t = ThisTimeValue(thisObject);
  if (first == 0 && std::isnan(t)) {
    // An invalid date gets a year: midnight of January 1 of 1970, local or
    // UTC as the method, before the arguments apply.
    t = 0;
  } else if (local) {
    t = LocalTime(t);
  }
  double c[3] = {YearFromTime(t), MonthFromTime(t), DateFromTime(t)};
  for (int32_t i = first; i < 3; ++i) ReadComponent(context, arguments, i - first, i > first, c[i]);
  double time = MakeDate(MakeDay(c[0], c[1], c[2]), TimeWithinDay(t));
  return Store(thisObject, local ? UTC(time) : time);
}

XValue CDatePrototype::SetYear(CExecutionContext& context, CScriptObject* thisObject,
                               const CArgumentList& arguments) {
  double t = ThisTimeValue(thisObject);
  t = std::isnan(t) ? 0 : LocalTime(t);
  XValue argument = GetArgument(arguments, 0);
  CScriptNumber y = ToNumber(context, argument.Get());
  if (y.IsNaN()) return Store(thisObject, std::nan(""));
  double year = y.ToDouble();
  double whole = y.ToInteger().ToDouble();
  if (whole >= 0 && whole <= 99) year = whole + 1900;
  double time = MakeDate(MakeDay(year, MonthFromTime(t), DateFromTime(t)), TimeWithinDay(t));
  return Store(thisObject, UTC(time));
}

} // namespace EcmaScript
