#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

#include "BuiltinTestSupport.h"
#include "script/builtins/date/DateArithmetic.h"
#include "script/builtins/date/DateConstructor.h"
#include "script/builtins/date/DateConversion.h"
#include "script/builtins/date/DateObject.h"
#include "script/builtins/date/DatePrototype.h"
#include "support/ScopedEnv.h"

namespace {

using namespace ScriptTest;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Utc(double y, double m, double d, double h = 0, double mi = 0, double s = 0, double ms = 0) {
  return MakeDate(MakeDay(y, m, d), MakeTime(h, mi, s, ms));
}

// Same number, NaN equal to NaN.
::testing::AssertionResult SameNumber(double actual, double expected) {
  if ((std::isnan(actual) && std::isnan(expected)) || actual == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << actual << ", expected " << expected;
}

class DateBuiltin : public CScriptTest {
protected:
  DateBuiltin() {
    XObject prototype(new CDatePrototype(global.Get()));
    XObject constructor(new CDateConstructor(global.Get()));
    global->SetBuiltin(CTestGlobalObject::Date, prototype, constructor);
    static_cast<CDatePrototype*>(prototype.Get())->Populate();
    static_cast<CDateConstructor*>(constructor.Get())->Populate();
  }

  CScriptObject* Prototype() { return global->GetDatePrototype(); }
  CScriptObject* Constructor() { return global->GetDateConstructor(); }

  XObject NewDate(double t) { return XObject(new CDateObject(global.Get(), DateNumber(t))); }

  // date.name(arguments), the method found on Date.prototype.
  XValue Call(CScriptObject* thisObject, const char16_t* name, const CArgumentList& arguments = {}) {
    return CallProperty(context, Prototype(), name, thisObject, arguments);
  }
  double CallNumber(CScriptObject* thisObject, const char16_t* name, const CArgumentList& arguments = {}) {
    return NumberOf(Call(thisObject, name, arguments));
  }
  Core::String CallText(CScriptObject* thisObject, const char16_t* name) {
    XValue value = Call(thisObject, name);
    EXPECT_EQ(value->GetType(), CValue::StringType);
    return value->GetString();
  }
  double TimeOf(CScriptObject* date) { return static_cast<CDateObject*>(date)->GetTime().ToDouble(); }

  XValue New(const CArgumentList& arguments) { return Constructor()->Construct(context, arguments); }
  double NewTime(const CArgumentList& arguments) { return TimeOf(New(arguments)->GetObject()); }
  XValue Static(const char16_t* name, const CArgumentList& arguments) {
    return CallProperty(context, Constructor(), name, Constructor(), arguments);
  }

  // An object whose valueOf counts its calls and gives the number.
  XObject CountingNumber(double number, int& calls) {
    XObject object = global->NewObject();
    DefineFunction(object.Get(), u"valueOf", [number, &calls](CExecutionContext&, CScriptObject*, const CArgumentList&) {
      ++calls;
      return Num(number);
    });
    return object;
  }
};

const char16_t* const kGetterNames[] = {
    u"getYear",    u"getFullYear",    u"getUTCFullYear",  u"getMonth",          u"getUTCMonth",
    u"getDate",    u"getUTCDate",     u"getDay",          u"getUTCDay",         u"getHours",
    u"getUTCHours", u"getMinutes",    u"getUTCMinutes",   u"getSeconds",        u"getUTCSeconds",
    u"getMilliseconds", u"getUTCMilliseconds", u"getTimezoneOffset", u"getTime", u"valueOf",
};

TEST_F(DateBuiltin, Getters) {
  struct Case {
    const char* zone;
    double t;
    const char16_t* method;
    double expected;
  } cases[] = {
      {kUtcZone, 0, u"getFullYear", 1970},
      {kUtcZone, 0, u"getUTCFullYear", 1970},
      {kUtcZone, 0, u"getYear", 70},
      {kUtcZone, 0, u"getMonth", 0},
      {kUtcZone, 0, u"getDate", 1},
      {kUtcZone, 0, u"getDay", 4},
      {kUtcZone, 0, u"getUTCDay", 4},
      {kUtcZone, 0, u"getHours", 0},
      {kUtcZone, 0, u"getTimezoneOffset", 0},
      {kOneHourEastZone, 0, u"getHours", 1},
      {kOneHourEastZone, 0, u"getUTCHours", 0},
      {kOneHourEastZone, 0, u"getTimezoneOffset", -60},
      {kOneHourEastZone, -1, u"getFullYear", 1970},
      {kOneHourEastZone, -1, u"getUTCFullYear", 1969},
      {kOneHourEastZone, -1, u"getMonth", 0},
      {kOneHourEastZone, -1, u"getUTCMonth", 11},
      {kOneHourEastZone, -1, u"getDate", 1},
      {kOneHourEastZone, -1, u"getUTCDate", 31},
      {kOneHourEastZone, -1, u"getDay", 4},
      {kOneHourEastZone, -1, u"getUTCDay", 3},
      {kOneHourEastZone, -1, u"getHours", 0},
      {kOneHourEastZone, -1, u"getUTCHours", 23},
      {kOneHourEastZone, -1, u"getMinutes", 59},
      {kOneHourEastZone, -1, u"getUTCMinutes", 59},
      {kOneHourEastZone, -1, u"getSeconds", 59},
      {kOneHourEastZone, -1, u"getUTCSeconds", 59},
      {kOneHourEastZone, -1, u"getMilliseconds", 999},
      {kOneHourEastZone, -1, u"getUTCMilliseconds", 999},
      {kUtcZone, Utc(2000, 1, 29, 12, 34, 56, 789), u"getMonth", 1},
      {kUtcZone, Utc(2000, 1, 29, 12, 34, 56, 789), u"getDate", 29},
      {kUtcZone, Utc(2000, 1, 29, 12, 34, 56, 789), u"getDay", 2},
      {kUtcZone, Utc(2000, 1, 29, 12, 34, 56, 789), u"getMinutes", 34},
      {kUtcZone, Utc(2000, 1, 29, 12, 34, 56, 789), u"getMilliseconds", 789},
      {kUtcZone, Utc(2005, 5, 15), u"getYear", 105},
      {kUtcZone, Utc(1850, 5, 15), u"getYear", -50},
      // Local time exists for the years 1601 to 30827 only.
      {kUtcZone, Utc(1500, 0, 1), u"getFullYear", kNaN},
      {kUtcZone, Utc(1500, 0, 1), u"getTimezoneOffset", kNaN},
      {kUtcZone, Utc(1500, 0, 1), u"getUTCFullYear", 1500},
      {kUtcZone, MaxTimeValue, u"getUTCFullYear", 275760},
      {kUtcZone, -MaxTimeValue, u"getUTCFullYear", -271821},
      {kUtcZone, -MaxTimeValue, u"getUTCMonth", 3},
      {kUtcZone, -MaxTimeValue, u"getUTCDate", 20},
  };
  for (const auto& c : cases) {
    CScopedEnv tz("TZ", c.zone);
    XObject date = NewDate(c.t);
    EXPECT_TRUE(SameNumber(CallNumber(date.Get(), c.method), c.expected))
        << Core::ToUtf8(c.method) << " of " << c.t << " in " << c.zone;
  }
  // An invalid date gives NaN from every getter, and no error.
  CScopedEnv tz("TZ", kUtcZone);
  XObject invalid = NewDate(kNaN);
  for (const char16_t* name : kGetterNames) EXPECT_TRUE(std::isnan(CallNumber(invalid.Get(), name)));
  // Extra arguments are ignored.
  XObject zero = NewDate(0);
  EXPECT_EQ(CallNumber(zero.Get(), u"getUTCDay", Args({Num(1), Num(2)})), 4);
  // getTimezoneOffset is a quotient: always the double form.
  EXPECT_FALSE(Call(zero.Get(), u"getTimezoneOffset")->GetNumber().IsInteger());
  EXPECT_TRUE(Call(zero.Get(), u"getUTCFullYear")->GetNumber().IsInteger());
}

TEST_F(DateBuiltin, StringForms) {
  struct Case {
    double t;
    const char16_t* text;
  } cases[] = {
      {0, u"01/01/1970 00:00:00"},
      {-1, u"31/12/1969 23:59:59"},
      {Utc(2000, 1, 29, 12, 34, 56, 789), u"29/02/2000 12:34:56"},
      {kNaN, u"NaN"},
  };
  // The fields of the time value itself, whatever the zone.
  for (const char* zone : {kUtcZone, kOneHourEastZone}) {
    CScopedEnv tz("TZ", zone);
    for (const auto& c : cases) {
      XObject date = NewDate(c.t);
      EXPECT_EQ(CallText(date.Get(), u"toString"), c.text);
      EXPECT_EQ(CallText(date.Get(), u"toUTCString"), c.text);
      EXPECT_EQ(CallText(date.Get(), u"toGMTString"), c.text);
    }
  }
  XObject invalid = NewDate(kNaN);
  EXPECT_EQ(CallText(invalid.Get(), u"toLocaleString"), u"NaN");
  XObject zero = NewDate(0);
  EXPECT_EQ(CallText(zero.Get(), u"toLocaleString"), FormatLocaleDateString(0));
  // Two methods giving one text.
  XValue utc = Prototype()->Get(context, CPropertyName(u"toUTCString"));
  XValue gmt = Prototype()->Get(context, CPropertyName(u"toGMTString"));
  EXPECT_NE(utc->GetObject(), gmt->GetObject());
  // Numbers the table does not know run toString.
  for (int32_t number : {40, 1000, -1}) {
    XValue text = Prototype()->CallMethod(context, number, zero.Get(), {});
    EXPECT_EQ(text->GetString(), u"01/01/1970 00:00:00");
  }
}

TEST_F(DateBuiltin, Setters) {
  const double t0 = Utc(2000, 0, 1, 2, 3, 4, 5);
  struct Case {
    const char* zone;
    double start;
    const char16_t* method;
    CArgumentList arguments;
    double expected;
  } cases[] = {
      {kUtcZone, 0, u"setTime", Args({Str(u"1000")}), 1000},
      {kUtcZone, 0, u"setTime", Args({Num(1.9)}), 1},
      {kUtcZone, 0, u"setTime", Args({}), kNaN},
      {kUtcZone, 0, u"setTime", Args({Num(8.64e15)}), 8.64e15},
      {kUtcZone, 0, u"setTime", Args({Num(8.64e15 + 1)}), kNaN},
      {kUtcZone, kNaN, u"setTime", Args({Num(-0.0)}), 0},
      {kUtcZone, 0, u"setUTCMilliseconds", Args({Num(1.9)}), 1},
      {kUtcZone, 0, u"setUTCHours", Args({Num(25)}), 25 * 3600000.0},
      {kUtcZone, 0, u"setUTCMonth", Args({Num(12)}), 365 * msPerDay},
      {kUtcZone, 0, u"setUTCDate", Args({Num(0)}), -msPerDay},
      {kUtcZone, 1234, u"setUTCSeconds", Args({Num(5), Undef()}), 5234},
      {kUtcZone, 0, u"setUTCMinutes", Args({Num(1), Num(2), Num(3)}), 62003},
      {kUtcZone, 0, u"setUTCSeconds", Args({Num(1), Num(2), Num(3)}), 1002},
      {kUtcZone, t0, u"setUTCHours", Args({Num(1), Undef(), Undef(), Undef()}), Utc(2000, 0, 1, 1, 3, 4, 5)},
      {kUtcZone, t0, u"setUTCMonth", Args({Num(1), Num(30)}), Utc(2000, 2, 1, 2, 3, 4, 5)},
      {kUtcZone, t0, u"setUTCFullYear", Args({Num(2004), Num(1), Num(29)}), Utc(2004, 1, 29, 2, 3, 4, 5)},
      {kUtcZone, t0, u"setUTCFullYear", Args({Num(1500)}), Utc(1500, 0, 1, 2, 3, 4, 5)},
      // The first argument is never optional.
      {kUtcZone, 0, u"setSeconds", Args({}), kNaN},
      {kUtcZone, 0, u"setUTCHours", Args({Undef()}), kNaN},
      {kUtcZone, 0, u"setUTCMonth", Args({Undef(), Num(5)}), kNaN},
      {kUtcZone, 0, u"setUTCDate", Args({Num(1.0 / 0.0)}), kNaN},
      // An invalid date stays invalid, except for the year setters.
      {kUtcZone, kNaN, u"setMilliseconds", Args({Num(5)}), kNaN},
      {kUtcZone, kNaN, u"setUTCHours", Args({Num(1)}), kNaN},
      {kUtcZone, kNaN, u"setDate", Args({Num(1)}), kNaN},
      {kUtcZone, kNaN, u"setUTCMonth", Args({Num(0)}), kNaN},
      {kOneHourEastZone, kNaN, u"setUTCFullYear", Args({Num(2000)}), Utc(2000, 0, 1)},
      {kOneHourEastZone, kNaN, u"setFullYear", Args({Num(2000)}), Utc(1999, 11, 31, 23)},
      {kOneHourEastZone, kNaN, u"setYear", Args({Num(99)}), Utc(1998, 11, 31, 23)},
      // Local setters work on the local fields and convert back.
      {kOneHourEastZone, Utc(1999, 11, 31, 23, 30), u"setDate", Args({Num(2)}), Utc(2000, 0, 1, 23, 30)},
      {kOneHourEastZone, Utc(1999, 11, 31, 23, 30), u"setUTCDate", Args({Num(2)}), Utc(1999, 11, 2, 23, 30)},
      {kOneHourEastZone, Utc(1999, 11, 31, 23, 30), u"setHours", Args({Num(5)}), Utc(2000, 0, 1, 4, 30)},
      {kOneHourEastZone, Utc(1999, 11, 31, 23, 30), u"setMinutes", Args({Num(0), Num(9)}),
       Utc(1999, 11, 31, 23, 0, 9)},
      {kOneHourEastZone, Utc(1999, 11, 31, 23, 30), u"setMonth", Args({Num(5)}), Utc(2000, 5, 1, 0, 30) - 3600000},
      {kOneHourEastZone, Utc(1999, 11, 31, 23, 30), u"setFullYear", Args({Num(2001)}), Utc(2001, 0, 1, 0, 30) - 3600000},
      {kOneHourEastZone, Utc(1999, 11, 31, 23, 30, 0, 4), u"setMilliseconds", Args({Num(7)}),
       Utc(1999, 11, 31, 23, 30, 0, 7)},
      {kOneHourEastZone, Utc(1999, 11, 31, 23, 30, 0, 4), u"setSeconds", Args({Num(7)}),
       Utc(1999, 11, 31, 23, 30, 7, 4)},
      // setYear: two-digit years are of the 1900s; the local day and time stay.
      {kOneHourEastZone, Utc(2005, 5, 15, 10), u"setYear", Args({Num(99)}), Utc(1999, 5, 15, 10)},
      {kUtcZone, Utc(2005, 5, 15, 10), u"setYear", Args({Num(-0.5)}), Utc(1900, 5, 15, 10)},
      {kUtcZone, Utc(2005, 5, 15, 10), u"setYear", Args({Num(2000.7)}), Utc(2000, 5, 15, 10)},
      {kUtcZone, Utc(2005, 5, 15, 10), u"setYear", Args({Num(100)}), kNaN},
      {kUtcZone, Utc(2005, 5, 15, 10), u"setYear", Args({Num(kNaN)}), kNaN},
      {kUtcZone, Utc(2005, 5, 15, 10), u"setYear", Args({Str(u"x")}), kNaN},
      // Local conversions exist for the years 1601 to 30827 only.
      {kUtcZone, t0, u"setFullYear", Args({Num(1500)}), kNaN},
      {kUtcZone, Utc(1500, 0, 1), u"setHours", Args({Num(1)}), kNaN},
      // Far years end at once in NaN, not after stepping through them, and
      // a year beyond 32 bits does not wrap into another year.
      {kUtcZone, 0, u"setFullYear", Args({Num(1e12)}), kNaN},
      {kUtcZone, 0, u"setUTCFullYear", Args({Num(1e12)}), kNaN},
      {kUtcZone, 0, u"setFullYear", Args({Num(4294969296.0)}), kNaN},
      {kUtcZone, 0, u"setUTCFullYear", Args({Num(4294969296.0)}), kNaN},
      {kUtcZone, 0, u"setUTCFullYear", Args({Num(1e300)}), kNaN},
      {kUtcZone, 0, u"setUTCFullYear", Args({Num(275760), Num(8), Num(13)}), 8.64e15},
      {kUtcZone, 0, u"setUTCFullYear", Args({Num(275760), Num(8), Num(14)}), kNaN},
  };
  for (auto& c : cases) {
    CScopedEnv tz("TZ", c.zone);
    XObject date = NewDate(c.start);
    double result = CallNumber(date.Get(), c.method, c.arguments);
    EXPECT_TRUE(SameNumber(result, c.expected)) << Core::ToUtf8(c.method) << " on " << c.start << " in " << c.zone;
    // The result is what was stored.
    EXPECT_TRUE(SameNumber(TimeOf(date.Get()), result)) << Core::ToUtf8(c.method);
  }
}

TEST_F(DateBuiltin, SetterConvertsArgumentsAfterReadingTheDate) {
  CScopedEnv tz("TZ", kUtcZone);
  XObject date = NewDate(0);
  // valueOf changes the date; the setter's result, computed from the value
  // read before, overwrites that change.
  XObject sneaky = global->NewObject();
  CScriptObject* target = date.Get();
  DefineFunction(sneaky.Get(), u"valueOf", [this, target](CExecutionContext&, CScriptObject*, const CArgumentList&) {
    Call(target, u"setTime", Args({Num(5)}));
    return Num(1);
  });
  EXPECT_EQ(CallNumber(date.Get(), u"setUTCMinutes", Args({MakeObject(sneaky.Get())})), 60000);
  EXPECT_EQ(TimeOf(date.Get()), 60000);

  // Arguments are converted left to right, and one that fails leaves the
  // date as it was.
  std::u16string order;
  XObject first = global->NewObject(), failing = global->NewObject();
  DefineFunction(first.Get(), u"valueOf", [&order](CExecutionContext&, CScriptObject*, const CArgumentList&) {
    order += u'1';
    return Num(3);
  });
  DefineFunction(failing.Get(), u"valueOf", [&order](CExecutionContext&, CScriptObject*, const CArgumentList&) -> XValue {
    order += u'2';
    throw CRuntimeError(CRuntimeError::NoCall, static_cast<CValue*>(nullptr));
  });
  EXPECT_EQ(RuntimeErrorCode([&] {
              Call(date.Get(), u"setUTCHours", Args({MakeObject(first.Get()), MakeObject(failing.Get())}));
            }),
            CRuntimeError::NoCall);
  EXPECT_EQ(order, u"12");
  EXPECT_EQ(TimeOf(date.Get()), 60000);
}

TEST_F(DateBuiltin, EveryMethodRequiresADate) {
  int calls = 0;
  XObject argument = CountingNumber(1, calls);
  XObject plain = global->NewObject();
  XObject number(new CNumberObject(global.Get(), CScriptNumber(0)));
  CPropertyName name;
  auto enumerator = Prototype()->GetEnumerator();
  EXPECT_FALSE(enumerator->Next(name)) << "Date.prototype lists nothing";
  for (int32_t method = 0; method < CDatePrototype::MethodCount; ++method) {
    for (CScriptObject* thisObject : {plain.Get(), number.Get(), Constructor(), static_cast<CScriptObject*>(nullptr)}) {
      CScriptObject* carried = Prototype();
      int32_t code = RuntimeErrorCode(
          [&] {
            Prototype()->CallMethod(context, method, thisObject,
                                    Args({MakeObject(argument.Get()), MakeObject(argument.Get())}));
          },
          &carried);
      EXPECT_EQ(code, CRuntimeError::DateObjectRequired) << "method " << method;
      EXPECT_EQ(carried, thisObject);
    }
  }
  EXPECT_EQ(calls, 0) << "no argument is converted before the check";
  // The method object of another holder still runs Date's code.
  XValue getTime = Prototype()->Get(context, CPropertyName(u"getTime"));
  plain->Put(context, CPropertyName(u"f"), getTime.Get());
  EXPECT_EQ(RuntimeErrorCode([&] { CallProperty(context, plain.Get(), u"f", plain.Get(), {}); }),
            CRuntimeError::DateObjectRequired);
}

TEST_F(DateBuiltin, PrototypeIsADate) {
  CScopedEnv tz("TZ", kUtcZone);
  CScriptObject* prototype = Prototype();
  EXPECT_EQ(prototype->GetClassName(), u"Date");
  EXPECT_EQ(prototype->GetPrototype(), global->GetObjectPrototype());
  EXPECT_TRUE(std::isnan(CallNumber(prototype, u"getTime")));
  EXPECT_TRUE(std::isnan(CallNumber(prototype, u"getFullYear")));
  EXPECT_EQ(CallText(prototype, u"toString"), u"NaN");
  EXPECT_EQ(CallNumber(prototype, u"setTime", Args({Num(0)})), 0);
  EXPECT_EQ(CallNumber(prototype, u"getTime"), 0);
  XValue constructor = prototype->Get(context, CPropertyName(u"constructor"));
  EXPECT_EQ(constructor->GetObject(), Constructor());
  // Lengths as registered, not writable.
  struct Case {
    const char16_t* name;
    int32_t length;
  } lengths[] = {{u"toString", 0}, {u"setTime", 1}, {u"setSeconds", 2}, {u"setUTCMinutes", 3},
                 {u"setHours", 4}, {u"setFullYear", 3}, {u"setYear", 1}, {u"toGMTString", 0}};
  for (const auto& c : lengths) {
    XValue method = prototype->Get(context, CPropertyName(c.name));
    ASSERT_EQ(method->GetType(), CValue::ObjectType) << Core::ToUtf8(c.name);
    CScriptObject* function = method->GetObject();
    EXPECT_EQ(NumberOf(function->Get(context, CPropertyName(u"length"))), c.length) << Core::ToUtf8(c.name);
  }
}

TEST_F(DateBuiltin, ConstructFromValue) {
  CScopedEnv tz("TZ", kOneHourEastZone);
  XObject date = NewDate(123);
  struct Case {
    XValue argument;
    double expected;
  } cases[] = {
      {Num(0), 0},
      {Num(1.9), 1},
      {Num(-0.0), 0},
      {Num(8.64e15), 8.64e15},
      {Num(8.64e15 + 1), kNaN},
      {Num(kNaN), kNaN},
      {MakeBoolean(true), 1},
      {MakeNull(), 0},
      {Undef(), kNaN},
      {MakeObject(date.Get()), 123},
      // Text is read as UTC: six numbers, what follows ignored.
      {Str(u"31/12/1999 23:59:59"), Utc(1999, 11, 31, 23, 59, 59)},
      {Str(u"1/1/1970 0:0:0 GMT+2"), 0},
      {Str(u"31/12/1999 24:00:00"), Utc(2000, 0, 1)},
      {Str(u"1/1/2000"), kNaN},
      {Str(u"2000-01-01"), kNaN},
  };
  for (const auto& c : cases) EXPECT_TRUE(SameNumber(NewTime(Args({c.argument})), c.expected));
  XValue made = New(Args({Num(0)}));
  ASSERT_EQ(made->GetType(), CValue::ObjectType);
  EXPECT_EQ(made->GetObject()->GetClassName(), u"Date");
  EXPECT_EQ(made->GetObject()->GetPrototype(), Prototype());
  // The failure of an object without a primitive default value passes through.
  XObject stubborn = global->NewObject();
  for (const char16_t* name : {u"valueOf", u"toString"}) {
    DefineFunction(stubborn.Get(), name, [&](CExecutionContext&, CScriptObject*, const CArgumentList&) {
      return MakeObject(stubborn.Get());
    });
  }
  int32_t expected = RuntimeErrorCode([&] { ToPrimitive(context, MakeObject(stubborn.Get()).Get(), HintNone); });
  EXPECT_NE(expected, -1);
  EXPECT_EQ(RuntimeErrorCode([&] { New(Args({MakeObject(stubborn.Get())})); }), expected);
}

TEST_F(DateBuiltin, ConstructFromComponents) {
  struct Case {
    const char* zone;
    CArgumentList arguments;
    double expected;
  } cases[] = {
      {kUtcZone, Args({Num(2000), Num(0)}), Utc(2000, 0, 1)},
      {kUtcZone, Args({Num(99), Num(0)}), Utc(1999, 0, 1)},
      {kUtcZone, Args({Num(-0.5), Num(0)}), Utc(1900, 0, 1)},
      {kUtcZone, Args({Num(99.9), Num(0)}), Utc(1999, 0, 1)},
      {kUtcZone, Args({Num(100), Num(0)}), kNaN},
      {kUtcZone, Args({Num(2000.9), Num(1.9), Num(29.9)}), Utc(2000, 1, 29)},
      {kUtcZone, Args({Num(2000), Num(0), Num(32)}), Utc(2000, 1, 1)},
      {kUtcZone, Args({Num(2000), Num(12), Num(1)}), Utc(2001, 0, 1)},
      {kUtcZone, Args({Num(2000), Num(-1), Num(1)}), Utc(1999, 11, 1)},
      {kUtcZone, Args({Num(2000), Num(0), Num(0)}), Utc(1999, 11, 31)},
      {kUtcZone, Args({Num(2000), Num(0), Num(1), Num(25)}), Utc(2000, 0, 2, 1)},
      {kUtcZone, Args({Num(2000), Num(0), Num(1), Num(1), Num(2), Num(3), Num(4)}), Utc(2000, 0, 1, 1, 2, 3, 4)},
      {kUtcZone, Args({Num(2000), Num(kNaN)}), kNaN},
      {kUtcZone, Args({Num(2000), Num(0), Num(1), Undef()}), kNaN},
      {kOneHourEastZone, Args({Num(2000), Num(0)}), Utc(1999, 11, 31, 23)},
      {kOneHourEastZone, Args({Num(1970), Num(0), Num(1), Num(1)}), 0},
      // Far years: NaN at once.
      {kUtcZone, Args({Num(1e300), Num(0)}), kNaN},
      {kUtcZone, Args({Num(-1e15), Num(0)}), kNaN},
      {kUtcZone, Args({Num(4294969296.0), Num(0)}), kNaN},
  };
  for (auto& c : cases) {
    CScopedEnv tz("TZ", c.zone);
    EXPECT_TRUE(SameNumber(NewTime(c.arguments), c.expected)) << "in " << c.zone;
  }
  // Only the first seven arguments are converted.
  CScopedEnv tz("TZ", kUtcZone);
  int calls = 0;
  XObject eighth = CountingNumber(5, calls);
  EXPECT_EQ(NewTime(Args({Num(2000), Num(0), Num(1), Num(0), Num(0), Num(0), Num(0), MakeObject(eighth.Get())})),
            Utc(2000, 0, 1));
  EXPECT_EQ(calls, 0);
}

TEST_F(DateBuiltin, NowAndCalledAsFunction) {
  CScopedEnv tz("TZ", kOneHourEastZone);
  auto now = [] {
    return static_cast<double>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
  };
  double before = now();
  double made = NewTime({});
  double utc = NumberOf(Static(u"UTC", {}));
  double after = now();
  EXPECT_GE(made, before);
  EXPECT_LE(made, after);
  EXPECT_GE(utc, before);
  EXPECT_LE(utc, after);
  // Date() is text of the current UTC time; no argument is converted.
  int calls = 0;
  XObject argument = CountingNumber(1, calls);
  XValue text = Constructor()->Call(context, nullptr, Args({MakeObject(argument.Get())}));
  ASSERT_EQ(text->GetType(), CValue::StringType);
  EXPECT_EQ(calls, 0);
  Core::String expectedNow = FormatDateString(std::floor(before / 1000) * 1000);
  Core::String expectedLater = FormatDateString(std::floor(now() / 1000) * 1000);
  EXPECT_TRUE(text->GetString() == expectedNow || text->GetString() == expectedLater) << Core::ToUtf8(text->GetString());
}

TEST_F(DateBuiltin, ParseAndUTC) {
  CScopedEnv tz("TZ", kOneHourEastZone);
  struct Case {
    const char16_t* method;
    CArgumentList arguments;
    double expected;
  } cases[] = {
      {u"parse", Args({Str(u"1/1/1970 0:0:0")}), 0},
      {u"parse", Args({Str(u"1/2/2000 3:4:5")}), Utc(2000, 1, 1, 3, 4, 5)},
      {u"parse", Args({Str(u"32/1/2000 0:0:0")}), Utc(2000, 1, 1)},
      {u"parse", Args({}), kNaN},
      {u"parse", Args({Num(0)}), kNaN},
      // Not clipped.
      {u"parse", Args({Str(u"1/1/300000 0:0:0")}), Utc(300000, 0, 1)},
      {u"UTC", Args({Num(2000)}), Utc(2000, 0, 1)},
      {u"UTC", Args({Num(2000), Num(0), Num(1)}), Utc(2000, 0, 1)},
      {u"UTC", Args({Num(99), Num(11), Num(31)}), Utc(1999, 11, 31)},
      {u"UTC", Args({Num(2000), Num(1)}), Utc(2000, 1, 1)},
      {u"UTC", Args({Num(2000), Num(12), Num(1)}), Utc(2001, 0, 1)},
      {u"UTC", Args({Num(2000), Num(0), Num(1), Num(1), Num(2), Num(3), Num(4), Num(5)}), Utc(2000, 0, 1, 1, 2, 3, 4)},
      {u"UTC", Args({Num(1500)}), Utc(1500, 0, 1)},
      {u"UTC", Args({Num(kNaN)}), kNaN},
      {u"UTC", Args({Num(2000), Num(kNaN)}), kNaN},
      {u"UTC", Args({Num(275760), Num(8), Num(13)}), 8.64e15},
      {u"UTC", Args({Num(275760), Num(8), Num(13), Num(0), Num(0), Num(0), Num(1)}), kNaN},
      {u"UTC", Args({Num(-1e15)}), kNaN},
      {u"UTC", Args({Num(1e300)}), kNaN},
      {u"UTC", Args({Num(2000), Num(-1e300)}), kNaN},
  };
  for (auto& c : cases) {
    EXPECT_TRUE(SameNumber(NumberOf(Static(c.method, c.arguments)), c.expected)) << Core::ToUtf8(c.method);
  }
  // The constructor's own properties: none enumerable, lengths fixed.
  EXPECT_EQ(NumberOf(Constructor()->Get(context, CPropertyName(u"length"))), 7);
  EXPECT_EQ(Constructor()->Get(context, CPropertyName(u"prototype"))->GetObject(), Prototype());
  for (auto [name, length] : {std::pair{u"parse", 1}, std::pair{u"UTC", 7}}) {
    XValue method = Constructor()->Get(context, CPropertyName(name));
    EXPECT_EQ(NumberOf(method->GetObject()->Get(context, CPropertyName(u"length"))), length);
  }
  CPropertyName name;
  EXPECT_FALSE(Constructor()->GetEnumerator()->Next(name));
  EXPECT_EQ(Constructor()->GetTypeOf(), u"function");
  EXPECT_EQ(Constructor()->GetClassName(), u"Function");
}

} // namespace
