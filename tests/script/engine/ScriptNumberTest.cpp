#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/String.h"
#include "script/engine/ScriptNumber.h"

namespace {

using EcmaScript::CScriptNumber;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// "i5" for the integer form, "d5" for the double form; "d-0" for -0.
std::string Describe(CScriptNumber n) {
  if (n.IsInteger()) return "i" + std::to_string(n.GetInteger());
  if (n.IsNegativeZero()) return "d-0";
  return "d" + Core::ToUtf8(n.ToString());
}

CScriptNumber I(int32_t v) { return CScriptNumber(v); }
CScriptNumber D(double v) { return CScriptNumber(v); }

TEST(ScriptNumber, BinaryOperators) {
  const int32_t kMin = std::numeric_limits<int32_t>::min();
  struct Case {
    const char* op;
    CScriptNumber a, b;
    const char* expected;
  } cases[] = {
      // Integer results at either end of the 32-bit range are doubles.
      {"+", I(2147483646), I(1), "d2147483647"},
      {"+", I(2147483645), I(1), "i2147483646"},
      {"-", I(-2147483647), I(1), "d-2147483648"},
      {"-", I(-2147483646), I(1), "i-2147483647"},
      {"*", I(1073741824), I(2), "d2147483648"},
      {"*", I(0), I(-5), "i0"},
      {"*", I(46341), I(46341), "d2147488281"},
      {"+", I(1), D(0.5), "d1.5"},
      {"-", D(0.0), D(0.0), "d0"},
      {"/", I(6), I(3), "d2"},
      {"/", I(1), I(0), "dInfinity"},
      {"/", I(-1), I(0), "d-Infinity"},
      {"/", I(0), I(0), "dNaN"},
      // Remainder: truncated, sign of the dividend; zero divisors and the
      // one overflowing pair take the floating path.
      {"%", I(7), I(-2), "i1"},
      {"%", I(-7), I(2), "i-1"},
      {"%", I(-4), I(2), "i0"},
      {"%", I(7), I(0), "dNaN"},
      {"%", I(kMin), I(-1), "d-0"},
      {"%", D(5.5), I(2), "d1.5"},
      {"%", D(-5.5), I(2), "d-1.5"},
      // Shifts and bitwise operators.
      {"<<", I(1), I(31), "i-2147483648"},
      {"<<", I(1), I(33), "i2"},
      {"<<", D(1.5), I(1), "d2"},
      {"<<", D(1), D(31), "d-2147483648"},
      {">>", I(-8), I(1), "i-4"},
      {">>", D(-8), I(1), "d-4"},
      {">>>", I(-1), I(28), "d15"},
      {">>>", I(-1), I(0), "d4294967295"},
      {">>>", D(4294967297.0), I(0), "d1"},
      {"&", I(12), I(10), "i8"},
      {"|", I(12), I(10), "i14"},
      {"^", I(12), I(10), "i6"},
      {"&", D(4294967295.0), I(255), "d255"},
      {"|", D(2147483648.0), I(0), "d-2147483648"},
  };
  for (const auto& c : cases) {
    std::string op = c.op;
    CScriptNumber r;
    if (op == "+") r = c.a + c.b;
    else if (op == "-") r = c.a - c.b;
    else if (op == "*") r = c.a * c.b;
    else if (op == "/") r = c.a / c.b;
    else if (op == "%") r = c.a % c.b;
    else if (op == "<<") r = c.a << c.b;
    else if (op == ">>") r = c.a >> c.b;
    else if (op == ">>>") r = EcmaScript::UnsignedShiftRight(c.a, c.b);
    else if (op == "&") r = c.a & c.b;
    else if (op == "|") r = c.a | c.b;
    else if (op == "^") r = c.a ^ c.b;
    EXPECT_EQ(Describe(r), c.expected) << Describe(c.a) << " " << op << " " << Describe(c.b);
  }
}

TEST(ScriptNumber, UnaryOperatorsAndComparisons) {
  EXPECT_EQ(Describe(-I(std::numeric_limits<int32_t>::min())), "d2147483648");
  EXPECT_EQ(Describe(-I(0)), "i0");
  EXPECT_EQ(Describe(-I(5)), "i-5");
  EXPECT_EQ(Describe(-D(0.0)), "d-0");
  EXPECT_EQ(Describe(~I(5)), "i-6");
  EXPECT_EQ(Describe(~D(5.7)), "d-6");
  EXPECT_EQ(Describe(~D(kNaN)), "d-1");

  EXPECT_TRUE(I(-1) < I(0));
  EXPECT_TRUE(I(2) == D(2.0));
  EXPECT_TRUE(D(-0.0) == I(0));
  EXPECT_TRUE(I(3) >= D(2.5));
  EXPECT_FALSE(I(3) != I(3));
  EXPECT_TRUE(D(kNaN) != D(kNaN));
}

TEST(ScriptNumber, PredicatesAndConstants) {
  EXPECT_TRUE(I(0).IsPositiveZero());
  EXPECT_TRUE(D(0.0).IsPositiveZero());
  EXPECT_FALSE(D(-0.0).IsPositiveZero());
  EXPECT_TRUE(CScriptNumber::NegativeZero.IsNegativeZero());
  EXPECT_FALSE(I(0).IsNegativeZero());
  EXPECT_TRUE(CScriptNumber::NaN.IsNaN());
  EXPECT_TRUE(CScriptNumber::PositiveInfinity.IsPositiveInfinity());
  EXPECT_TRUE(CScriptNumber::NegativeInfinity.IsNegativeInfinity());
  EXPECT_EQ(CScriptNumber::MaxValue.ToDouble(), 1.7976931348623157e308);
  EXPECT_EQ(CScriptNumber::MinValue.ToDouble(), 5e-324);
  EXPECT_FALSE(CScriptNumber::MaxValue.IsInteger());
}

TEST(ScriptNumber, MachineIntegerConversions) {
  struct Case {
    CScriptNumber n;
    int32_t int32;
    uint32_t uint32;
    uint16_t uint16;
  } cases[] = {
      {D(4294967297.5), 1, 1, 1},
      {D(-1.5), -1, 4294967295u, 65535},
      {D(kNaN), 0, 0, 0},
      {D(kInf), 0, 0, 0},
      {D(-kInf), 0, 0, 0},
      {D(-0.0), 0, 0, 0},
      {D(2147483648.0), std::numeric_limits<int32_t>::min(), 2147483648u, 0},
      {D(-4294967296.0), 0, 0, 0},
      {D(65537.9), 65537, 65537, 1},
      {D(1e300), 0, 0, 0},
      {I(-1), -1, 4294967295u, 65535},
      {I(70000), 70000, 70000, 4464},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.n.ToInt32(), c.int32) << Describe(c.n);
    EXPECT_EQ(c.n.ToUint32(), c.uint32) << Describe(c.n);
    EXPECT_EQ(c.n.ToUint16(), c.uint16) << Describe(c.n);
  }
}

TEST(ScriptNumber, RecordConversions) {
  EXPECT_EQ(Describe(D(kNaN).ToInteger()), "i0");
  EXPECT_EQ(Describe(D(-2.7).ToInteger()), "d-2");
  EXPECT_EQ(Describe(D(-0.0).ToInteger()), "d-0");
  EXPECT_EQ(Describe(D(-kInf).ToInteger()), "d-Infinity");
  EXPECT_EQ(Describe(I(-7).ToInteger()), "i-7");
  EXPECT_EQ(Describe(I(-1).ToInt32Number()), "i-1");
  EXPECT_EQ(Describe(D(4294967295.0).ToInt32Number()), "d-1");
  EXPECT_EQ(Describe(I(-1).ToUint32Number()), "d4294967295");
  EXPECT_EQ(Describe(I(5).ToUint32Number()), "i5");
  EXPECT_EQ(Describe(I(-1).ToUint16Number()), "i65535");
  EXPECT_EQ(Describe(D(-1.0).ToUint16Number()), "d65535");
}

TEST(ScriptNumber, ToString) {
  struct Case {
    CScriptNumber n;
    const char* text;
  } cases[] = {
      {I(-5), "-5"},
      {I(std::numeric_limits<int32_t>::min()), "-2147483648"},
      {I(0), "0"},
      {D(0.1), "0.1"},
      {D(123.0), "123"},
      {D(-0.0), "0"},
      {D(kNaN), "NaN"},
      {D(kInf), "Infinity"},
      {D(-kInf), "-Infinity"},
      // The shortest digits that read back to the same double.
      {D(0.1 + 0.2), "0.30000000000000004"},
      {D(1.0 / 3), "0.3333333333333333"},
      {D(-2.5), "-2.5"},
      {D(123456789012345680000.0), "123456789012345680000"},
      // Plain notation up to 21 integer digits, exponents beyond.
      {D(1e20), "100000000000000000000"},
      {D(1e21), "1e+21"},
      {D(1.5e21), "1.5e+21"},
      {D(-1e21), "-1e+21"},
      {D(0.000001), "0.000001"},
      {D(0.0000015), "0.0000015"},
      {D(1e-7), "1e-7"},
      {D(1.25e-7), "1.25e-7"},
      {D(1.7976931348623157e308), "1.7976931348623157e+308"},
      {D(5e-324), "5e-324"},
      {D(4294967295.0), "4294967295"},
  };
  for (const auto& c : cases) EXPECT_EQ(Core::ToUtf8(c.n.ToString()), c.text) << c.text;

  Core::String appended = u"x=";
  D(2.5).AppendTo(appended);
  EXPECT_EQ(appended, u"x=2.5");
  EXPECT_EQ(EcmaScript::UnsignedToString(4294967295u), u"4294967295");
  EXPECT_EQ(EcmaScript::UnsignedToString(0), u"0");
}

// Every double written by ToString reads back to itself.
TEST(ScriptNumber, ToStringRoundTrips) {
  const double values[] = {0.1, 1.0 / 7, 1e-300, 123456.789e100, 9007199254740993.0, 2.2250738585072014e-308,
                           4.9406564584124654e-324, 1e21 - 65536, 0.000001234, 98765.4321};
  for (double v : values) {
    for (double x : {v, -v}) {
      CScriptNumber back;
      ASSERT_TRUE(EcmaScript::StringToNumber(CScriptNumber(x).ToString(), back)) << x;
      EXPECT_EQ(back.ToDouble(), x);
    }
  }
}

TEST(ScriptNumber, StringToNumber) {
  struct Case {
    const char16_t* text;
    const char* expected;  // null: rejected
  } cases[] = {
      {u"", "i0"},
      {u" \t\r\n\v\f", "i0"},
      {u"  12  ", "i12"},
      {u"-0", "i0"},
      {u"007", "i7"},
      {u"+7", "i7"},
      {u"123456789", "i123456789"},
      {u"1234567890", "d1234567890"},
      {u"0000000001", "i1"},
      {u"-999999999", "i-999999999"},
      {u"  -12.50 ", "d-12.5"},
      {u"1e3", "d1000"},
      {u".5", "d0.5"},
      {u"5.", "d5"},
      {u"-.5", "d-0.5"},
      {u"-0.0", "d-0"},
      {u"1e400", "dInfinity"},
      {u"-1e400", "d-Infinity"},
      {u"1e-400", "d0"},
      {u"Infinity", "dInfinity"},
      {u"+Infinity", "dInfinity"},
      {u"-Infinity", "d-Infinity"},
      {u"infinity", nullptr},
      {u"12abc", nullptr},
      {u"+", nullptr},
      {u"-", nullptr},
      {u".", nullptr},
      {u"1e", nullptr},
      {u"1e+", nullptr},
      {u"1 2", nullptr},
      {u"0x", nullptr},
      {u"0x1A", "i26"},
      {u"0X1a", "i26"},
      {u"0x1G", "d1"},
      {u"0xFFFFFFFF", "d4294967295"},
      {u"0x7FFFFFFF", "i2147483647"},
      {u"0x123456789", "d4886718345"},
      {u"0xG", nullptr},
      // The 32-bit unsigned conversion behind hexadecimal text: a second
      // "0x", a sign (negating modulo 2^32) and leading blanks pass.
      {u"0x0x1F", "i31"},
      {u"0x-1", "d4294967295"},
      {u"0x+1", "i1"},
      {u"0x 1", "i1"},
      {u"0x-100000000", nullptr},
      // A unit beyond ASCII is no digit, whatever its low byte ('A' here).
      {u"0x1\u0141", "d1"},
      {u"0x1\u0130", "d1"},
      {u"1\u0130", nullptr},
  };
  for (const auto& c : cases) {
    CScriptNumber n(99);
    bool ok = EcmaScript::StringToNumber(c.text, n);
    if (!c.expected) {
      EXPECT_FALSE(ok) << Core::ToUtf8(c.text);
    } else {
      EXPECT_TRUE(ok) << Core::ToUtf8(c.text);
      EXPECT_EQ(Describe(n), c.expected) << Core::ToUtf8(c.text);
    }
  }
}

TEST(ScriptNumber, LiteralToNumber) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"017", "i15"},    {u"0e5", "d0"},       {u"09", nullptr},      {u"0.5", "d0.5"},
      {u"0x1F", "i31"},   {u"42", "i42"},       {u"1.5e3", "d1500"},   {u"", nullptr},
      {u"0777", "i511"},  {u"-1", nullptr},     {u"+1", nullptr},      {u"00", "i0"},
      {u"040000000000", "d4294967296"},
  };
  for (const auto& c : cases) {
    CScriptNumber n(99);
    bool ok = EcmaScript::LiteralToNumber(c.text, n);
    if (!c.expected) {
      EXPECT_FALSE(ok) << Core::ToUtf8(c.text);
    } else {
      EXPECT_TRUE(ok) << Core::ToUtf8(c.text);
      EXPECT_EQ(Describe(n), c.expected) << Core::ToUtf8(c.text);
    }
  }
}

TEST(ScriptNumber, StringToNumberInRadix) {
  struct Case {
    const char16_t* digits;
    int32_t radix;
    const char* expected;
  } cases[] = {
      {u"z", 36, "i35"},
      {u"Zz", 36, "i1295"},
      {u"101", 2, "i5"},
      {u"7fffffff", 16, "i2147483647"},
      {u"80000000", 16, "d2147483648"},
      {u"ffffffff", 16, "d4294967295"},
      {u"100000000", 16, "d4294967296"},
      {u"4294967296", 10, "d4294967296"},
      {u"19", 8, "i1"},
      {u"", 10, nullptr},
      {u"9", 8, nullptr},
      {u"1", 1, nullptr},
      {u"1", 37, nullptr},
  };
  for (const auto& c : cases) {
    CScriptNumber n(99);
    bool ok = EcmaScript::StringToNumberInRadix(c.digits, c.radix, n);
    if (!c.expected) {
      EXPECT_FALSE(ok) << Core::ToUtf8(c.digits);
    } else {
      EXPECT_TRUE(ok) << Core::ToUtf8(c.digits);
      EXPECT_EQ(Describe(n), c.expected) << Core::ToUtf8(c.digits) << " radix " << c.radix;
    }
  }
  // Beyond 32 bits the digits accumulate in double arithmetic: close to the
  // value, never wrapped.
  CScriptNumber big;
  ASSERT_TRUE(EcmaScript::StringToNumberInRadix(u"12345678901234567890", 10, big));
  EXPECT_NEAR(big.ToDouble(), 1.2345678901234567e19, 1e5);
}

} // namespace
