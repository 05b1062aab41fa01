#include "script/builtins/date/DatePrototype.h"

#include <cmath>

#include "script/builtins/date/DateArithmetic.h"
#include "script/builtins/date/DateConversion.h"
#include "script/engine/ScriptExceptions.h"

namespace EcmaScript {

namespace {

struct CMethodEntry {
  const char16_t* name;
  int32_t length;
};

// By method number.
constexpr CMethodEntry kMethods[CDatePrototype::MethodCount] = {
    {u"toString", 0},           {u"valueOf", 0},            {u"getTime", 0},
    {u"getYear", 0},            {u"getFullYear", 0},        {u"getUTCFullYear", 0},
    {u"getMonth", 0},           {u"getUTCMonth", 0},        {u"getDate", 0},
    {u"getUTCDate", 0},         {u"getDay", 0},             {u"getUTCDay", 0},
    {u"getHours", 0},           {u"getUTCHours", 0},        {u"getMinutes", 0},
    {u"getUTCMinutes", 0},      {u"getSeconds", 0},         {u"getUTCSeconds", 0},
    {u"getMilliseconds", 0},    {u"getUTCMilliseconds", 0}, {u"getTimezoneOffset", 0},
    {u"setTime", 1},            {u"setMilliseconds", 1},    {u"setUTCMilliseconds", 1},
    {u"setSeconds", 2},         {u"setUTCSeconds", 2},      {u"setMinutes", 3},
    {u"setUTCMinutes", 3},      {u"setHours", 4},           {u"setUTCHours", 4},
    {u"setDate", 1},            {u"setUTCDate", 1},         {u"setMonth", 2},
    {u"setUTCMonth", 2},        {u"setFullYear", 3},        {u"setUTCFullYear", 3},
    {u"setYear", 1},            {u"toLocaleString", 0},     {u"toUTCString", 0},
    {u"toGMTString", 0},
};

double GetYearOffset(double t) { return YearFromTime(t) - 1900.0; }

struct CGetterEntry {
  double (*field)(double);
  bool local;
};

// Methods 3 to 19, from getYear on.
constexpr CGetterEntry kGetters[] = {
    {GetYearOffset, true},  {YearFromTime, true},   {YearFromTime, false},  {MonthFromTime, true},
    {MonthFromTime, false}, {DateFromTime, true},   {DateFromTime, false},  {WeekDay, true},
    {WeekDay, false},       {HourFromTime, true},   {HourFromTime, false},  {MinFromTime, true},
    {MinFromTime, false},   {SecFromTime, true},    {SecFromTime, false},   {msFromTime, true},
    {msFromTime, false},
};
static_assert(sizeof(kGetters) / sizeof(kGetters[0]) ==
              CDatePrototype::MethodGetUTCMilliseconds - CDatePrototype::MethodGetYear + 1);

} // namespace

CDatePrototype::CDatePrototype(CGlobalObjectBase* global) : CDateObject(global, global->GetObjectPrototype()) {}

void CDatePrototype::Populate() {
  DefineObjectProperty(u"constructor", GetGlobalObject()->GetDateConstructor(), DontEnum);
  for (int32_t i = 0; i < MethodCount; ++i) DefineMethod(kMethods[i].name, i, kMethods[i].length, DontEnum);
}

double CDatePrototype::ThisTimeValue(CScriptObject* thisObject) {
  if (!thisObject || thisObject->GetClassName() != u"Date") {
    throw CRuntimeError(CRuntimeError::DateObjectRequired, thisObject);
  }
  XValue value = thisObject->GetPrimitiveValue();
  return value ? value->GetNumber().ToDouble() : std::nan("");
}

XValue CDatePrototype::CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                                  const CArgumentList& arguments) {
  switch (methodNumber) {
    case MethodValueOf:
    case MethodGetTime:
      ThisTimeValue(thisObject);
      return thisObject->GetPrimitiveValue();
    case MethodGetTimezoneOffset:
      return GetTimezoneOffset(thisObject);
    case MethodSetTime:
      return SetTime(context, thisObject, arguments);
    case MethodSetYear:
      return SetYear(context, thisObject, arguments);
    default:
      break;
  }
  if (methodNumber >= MethodGetYear && methodNumber <= MethodGetUTCMilliseconds) {
    return Getter(methodNumber, thisObject);
  }
  if (methodNumber >= MethodSetMilliseconds && methodNumber <= MethodSetUTCHours) {
    return SetTimeOfDay(context, methodNumber, thisObject, arguments);
  }
  if (methodNumber >= MethodSetDate && methodNumber <= MethodSetUTCFullYear) {
    return SetCalendarDate(context, methodNumber, thisObject, arguments);
  }
  return StringForm(methodNumber, thisObject);
}

XValue CDatePrototype::Getter(int32_t methodNumber, CScriptObject* thisObject) {
  const CGetterEntry& getter = kGetters[methodNumber - MethodGetYear];
  double t = ThisTimeValue(thisObject);
  if (std::isnan(t)) return MakeNumber(CScriptNumber::NaN);
  if (getter.local) t = LocalTime(t);
  return MakeNumber(DateNumber(getter.field(t)));
}

XValue CDatePrototype::GetTimezoneOffset(CScriptObject* thisObject) {
  double t = ThisTimeValue(thisObject);
  if (std::isnan(t)) return MakeNumber(CScriptNumber::NaN);
  // Always the double form, as a quotient is.
  return MakeNumber(CScriptNumber((t - LocalTime(t)) / msPerMinute));
}

XValue CDatePrototype::StringForm(int32_t methodNumber, CScriptObject* thisObject) {
  double t = ThisTimeValue(thisObject);
  if (methodNumber == MethodToLocaleString) return MakeString(FormatLocaleDateString(t));
  // toString, toUTCString and toGMTString alike: the fields of the time
  // value itself, no local conversion.
  return MakeString(FormatDateString(t));
}

} // namespace EcmaScript
