#include <gtest/gtest.h>

#include <cmath>

#include "script/builtins/GlobalFunctions.h"
#include "script/engine/ScriptExceptions.h"
#include "support/ScriptTestGlobal.h"

namespace {

using namespace ScriptTest;

class GlobalFunctions : public CScriptTest {
protected:
  // The text of a number result, with the sign of a zero.
  static std::string NumberText(const XValue& value) {
    EXPECT_EQ(value->GetType(), CValue::NumberType);
    CScriptNumber n = value->GetNumber();
    if (n.IsNegativeZero()) return "-0";
    return Core::ToUtf8(n.ToString());
  }
};

XValue Str(const char16_t* text) { return MakeString(text); }
XValue Undef() { return MakeUndefined(); }

TEST_F(GlobalFunctions, ParseInt) {
  struct Case {
    Core::String text;
    XValue radix;
    const char* expected;
  } cases[] = {
      {u"  42abc", Undef(), "42"},
      {u"-0x1A", Undef(), "-26"},
      {u"0x1A", MakeNumber(16), "26"},
      {u"0X1a", MakeNumber(16), "26"},
      {u"0x1A", MakeNumber(10), "0"},
      {u"010", Undef(), "8"},
      {u"010", MakeNumber(10), "10"},
      {u"019", Undef(), "1"},
      {u"z", MakeNumber(36), "35"},
      {u"Z", MakeNumber(36.9), "35"},
      {u"12", MakeNumber(1), "NaN"},
      {u"12", MakeNumber(37), "NaN"},
      {u"12", MakeNumber(-1), "NaN"},
      {u"12", MakeNumber(0), "12"},
      {u"12", MakeNumber(4294967312.0), "18"},  // ToInt32 of the radix is 16
      {u"", Undef(), "NaN"},
      {u"x", Undef(), "NaN"},
      {u"-", Undef(), "NaN"},
      {u"0x", Undef(), "NaN"},
      {u"\n5", Undef(), "NaN"},
      {u"\r5", Undef(), "NaN"},
      {u"\t\v\f 5", Undef(), "5"},
      {u"+7", Undef(), "7"},
      {u"-0", Undef(), "0"},
      {u"4294967295", Undef(), "4294967295"},
      {u"12345678901234567890", Undef(), "12345678901234570000"},  // digit by digit in doubles
      {u"1e3", Undef(), "1"},
      {u"3.9", Undef(), "3"},
      {u"11", MakeString(u"2"), "3"},
      {u"\u0661", Undef(), "NaN"},  // digits beyond ASCII are no digits
  };
  for (auto& c : cases) {
    SCOPED_TRACE(Core::ToUtf8(c.text));
    EXPECT_EQ(NumberText(ParseInt(context, Str(c.text.c_str()).Get(), c.radix.Get())), c.expected);
  }
  // Values below 2^31 keep the integer form.
  EXPECT_TRUE(ParseInt(context, Str(u"2147483647").Get(), Undef().Get())->GetNumber().IsInteger());
  EXPECT_FALSE(ParseInt(context, Str(u"2147483648").Get(), Undef().Get())->GetNumber().IsInteger());
}

TEST_F(GlobalFunctions, ParseFloat) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"3.14abc", "3.14"}, {u".5", "0.5"},           {u"5.", "5"},         {u"-2.5e3", "-2500"},
      {u"1e", "1"},         {u"1e+", "1"},            {u"1E-2x", "0.01"},   {u"Infinityx", "Infinity"},
      {u"-Infinity", "-Infinity"}, {u"+Infinity", "Infinity"}, {u".", "NaN"}, {u"e5", "NaN"},
      {u"", "NaN"},         {u"-", "NaN"},            {u"-.5", "-0.5"},     {u" \t12", "12"},
      {u"\n12", "NaN"},     {u"-0", "0"},            {u"0x10", "0"},       {u"1.5.5", "1.5"},
      {u"Infinit", "NaN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Core::ToUtf8(c.text));
    EXPECT_EQ(NumberText(ParseFloat(context, Str(c.text).Get())), c.expected);
  }
}

TEST_F(GlobalFunctions, ScanAndHexDigits) {
  EXPECT_EQ(ScanUnsignedDecimal(u"x12.5e3y", 1), 7);
  EXPECT_EQ(ScanUnsignedDecimal(u"12", 2), -1);
  EXPECT_EQ(ScanUnsignedDecimal(u"Inf", 0), -1);
  EXPECT_EQ(ScanUnsignedDecimal(u"1.e5", 0), 4);
  char16_t unit = 0;
  EXPECT_TRUE(ParseHexDigits(u"%20aC", 1, 4, unit));
  EXPECT_EQ(unit, 0x20AC);
  EXPECT_FALSE(ParseHexDigits(u"1g", 0, 2, unit));
  EXPECT_TRUE(ParseHexDigits(u"", 0, 0, unit));
  EXPECT_EQ(unit, 0);
}

TEST_F(GlobalFunctions, EscapeAndUnescape) {
  struct Case {
    Core::String text;
    Core::String escaped;
  } cases[] = {
      {u"a b", u"a%20b"},
      {u"@*_+-./AZaz09", u"@*_+-./AZaz09"},
      {Core::String(1, char16_t(233)), u"%E9"},
      {u"\u20AC", u"%u20AC"},
      {Core::String(1, char16_t(0)), u"%00"},
      {u"\U0001F600", u"%uD83D%uDE00"},
      {u"%~", u"%25%7E"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Escape(context, MakeString(c.text).Get())->GetString(), c.escaped);
    EXPECT_EQ(Unescape(context, MakeString(c.escaped).Get())->GetString(), c.text);
  }
  struct Malformed {
    const char16_t* text;
    Core::String unescaped;
  } malformed[] = {
      {u"%u20AC%41%zz%", u"\u20AC" u"A%zz%"},
      {u"%U0041", u"%U0041"},
      {u"%u004", u"%u004"},
      {u"%4", u"%4"},
      {u"%%41", u"%A"},
      {u"%u%41", u"%uA"},
  };
  for (const auto& c : malformed) EXPECT_EQ(Unescape(context, Str(c.text).Get())->GetString(), c.unescaped);
  // Non-strings are converted first.
  EXPECT_EQ(Escape(context, Undef().Get())->GetString(), u"undefined");
}

TEST_F(GlobalFunctions, IsNaNAndIsFinite) {
  struct Case {
    XValue value;
    bool nan;
    bool finite;
  } cases[] = {
      {Str(u"abc"), true, false},
      {Str(u"12"), false, true},
      {MakeNumber(CScriptNumber::PositiveInfinity), false, false},
      {MakeNumber(CScriptNumber::NegativeInfinity), false, false},
      {MakeNumber(0), false, true},
      {Undef(), true, false},
      {MakeNull(), false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNaN(context, c.value.Get())->GetBoolean(), c.nan);
    EXPECT_EQ(IsFinite(context, c.value.Get())->GetBoolean(), c.finite);
  }
}

// An object argument converts through its valueOf or toString, whose
// failure passes through.
TEST_F(GlobalFunctions, ConversionErrorsPassThrough) {
  XObject object = global->NewObject();
  EXPECT_THROW(ParseInt(context, MakeObject(object.Get()).Get(), Undef().Get()), CRuntimeError);
  DefineFunction(object.Get(), u"toString",
                 [](CExecutionContext&, CScriptObject*, const CArgumentList&) { return MakeString(u"0x10"); });
  EXPECT_EQ(NumberText(ParseInt(context, MakeObject(object.Get()).Get(), Undef().Get())), "16");
}

} // namespace
