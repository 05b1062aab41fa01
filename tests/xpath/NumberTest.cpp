#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "xpath/Number.h"

namespace {

using Xpath::CNumber;

const double kInf = std::numeric_limits<double>::infinity();

std::string Text(CNumber n) { return Core::ToUtf8(n.ToString()); }

TEST(Number, ToStringCases) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {1, "1"},
      {1.5, "1.5"},
      {-0.25, "-0.25"},
      {100, "100"},
      {-7, "-7"},
      {12.50, "12.5"},
      {0.0000004, "0"},
      {0.0000016, "0.000002"},
      {0.0000001, "0"},
      {-0.0000001, "-0"},
      {1.0 / 3, "0.333333"},
      {2.0 / 3, "0.666667"},
      {0.1 + 0.2, "0.3"},
      {1e21, "1000000000000000000000"},
      {123456789012.0, "123456789012"},
      {0.5, "0.5"},
      {9.9999999, "10"},
      {0.0, "0"},
      {-0.0, "0"},
      {kInf, "Infinity"},
      {-kInf, "-Infinity"},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(c.value), c.text) << c.value;
  EXPECT_EQ(Text(CNumber::NaN()), "NaN");

  // The extremes: every digit of the exact value, six fraction digits at
  // most, rounded as the C library's fixed format rounds (an exact tie to
  // the even digit), the sign kept when the digits round to zero.
  const std::string e308 =
      "100000000000000001097906362944045541740492309677311846336810682903157585404911491537163328978494688899061249"
      "669721172515611590283743140088328307009198146046031271664502933027185697489699588559043338384466165001178426"
      "897626212945177628091195786707458122783970171784415105291802893207873272974885715430223118336";
  struct Case2 {
    double value;
    std::string text;
  } extremes[] = {
      {1e308, e308},
      {-1e308, "-" + e308},
      {5e-324, "0"},
      {-5e-324, "-0"},
      {-1e-7, "-0"},
      {std::numeric_limits<double>::min(), "0"},
      {9007199254740993.0, "9007199254740992"},  // 2^53 + 1 is no double
      {9007199254740994.0, "9007199254740994"},
      {0.0078125, "0.007812"},
      {0.0234375, "0.023438"},
      {1e15 + 0.25, "1000000000000000.25"},
      {0.9999995, "1"},
      {-999999.9999996, "-1000000"},
      {1e-6, "0.000001"},
      {4.5e15, "4500000000000000"},
  };
  for (const auto& c : extremes) EXPECT_EQ(Text(c.value), c.text) << c.value;
  // The largest double is written out in full, never with an exponent.
  std::string max = Text(std::numeric_limits<double>::max());
  EXPECT_EQ(max.size(), 309u);
  EXPECT_EQ(max.substr(0, 6), "179769");

  Core::String appended = u"n=";
  CNumber(2.5).AppendTo(appended);
  EXPECT_EQ(appended, u"n=2.5");
}

TEST(Number, FromStringAccepts) {
  struct Case {
    const char16_t* text;
    double value;
  } cases[] = {
      {u"12", 12}, {u" 12 ", 12}, {u"-12.5", -12.5}, {u".5", 0.5}, {u"-.5", -0.5}, {u"5.", 5},
      {u"\t7\r\n", 7}, {u"007", 7}, {u"0.1", 0.1},
      // Whole numbers either side of the 15 digits that are always exact.
      {u"999999999999999", 999999999999999.0}, {u"-000000000000001", -1},
      {u"9007199254740993", 9007199254740992.0}, {u"12345678901234567890", 12345678901234567890.0},
  };
  for (const auto& c : cases) {
    CNumber n(99.0);
    ASSERT_TRUE(CNumber::FromString(c.text, n)) << Core::ToUtf8(c.text);
    EXPECT_EQ(n.GetValue(), c.value) << Core::ToUtf8(c.text);
  }
  CNumber z(1.0);
  ASSERT_TRUE(CNumber::FromString(u"-0", z));
  EXPECT_TRUE(z.IsNegativeZero());
  EXPECT_EQ(z.ToString(), u"0");
  // Very long digit runs still give the nearest double, overflow included.
  CNumber big;
  ASSERT_TRUE(CNumber::FromString(Core::String(400, u'9'), big));
  EXPECT_TRUE(big.IsPositiveInfinity());
  CNumber longFraction;
  ASSERT_TRUE(CNumber::FromString(u"0." + Core::String(100, u'0') + u"1", longFraction));
  EXPECT_EQ(longFraction.GetValue(), 1e-101);
}

TEST(Number, FromStringOfHundredThousandDigits) {
  const size_t k = 100000;
  struct Case {
    const char* what;
    Core::String text;
    double value;
  } cases[] = {
      {"thirds", u"0." + Core::String(k, u'3'), 1.0 / 3},
      {"nines", Core::String(k, u'9'), kInf},
      {"negative overflow", u"-1" + Core::String(k, u'0'), -kInf},
      {"underflow", u"0." + Core::String(k, u'0') + u"1", 0},
      {"zeros around 1e300", u"1" + Core::String(300, u'0') + u"." + Core::String(k, u'0'), 1e300},
      // 2^53 + 1 lies halfway between two doubles: only the last of the
      // hundred thousand digits tips it up.
      {"tie broken at the end", u"9007199254740993." + Core::String(k, u'0') + u"1", 9007199254740994.0},
      {"tie", u"9007199254740993." + Core::String(k, u'0'), 9007199254740992.0},
      {"blanks around", Core::String(k, u' ') + u"-0.5" + Core::String(k, u'0') + Core::String(k, u'\n'), -0.5},
  };
  for (const auto& c : cases) {
    CNumber n(42.0);
    ASSERT_TRUE(CNumber::FromString(c.text, n)) << c.what;
    EXPECT_EQ(n.GetValue(), c.value) << c.what;
  }
  CNumber z(1.0);
  ASSERT_TRUE(CNumber::FromString(u"-0." + Core::String(k, u'0'), z));
  EXPECT_TRUE(z.IsNegativeZero());
  CNumber untouched(42.0);
  EXPECT_FALSE(CNumber::FromString(Core::String(k, u'1') + u"x", untouched));
  EXPECT_EQ(untouched.GetValue(), 42.0);

  // Ten million digits: a parse that is not linear in the length would not
  // end within the test's timeout.
  Core::String huge = u"0." + Core::String(10 * 1000 * 1000, u'7');
  CNumber h;
  ASSERT_TRUE(CNumber::FromString(huge, h));
  EXPECT_EQ(h.GetValue(), 7.0 / 9);
}

TEST(Number, FromStringRejectsAndLeavesOutUntouched) {
  const char16_t* rejected[] = {u"",  u"   ", u"+1",  u"1e3", u"1,5",  u"- 1", u"Infinity", u"NaN",
                                u"0x10", u"1 2", u".",  u"-",   u"-.",   u"\f1",  u"1\u00a0",   u"..5",
                                u"1.2.3", u"\u0661"};
  for (const char16_t* text : rejected) {
    CNumber n(42.0);
    EXPECT_FALSE(CNumber::FromString(text, n)) << Core::ToUtf8(text);
    EXPECT_EQ(n.GetValue(), 42.0) << Core::ToUtf8(text);
  }
}

TEST(Number, Round) {
  struct Case {
    double in;
    double out;
  } cases[] = {
      {0.5, 1},      {1.5, 2},       {2.5, 3},   {-1.5, -1}, {-2.5, -2},      {-0.51, -1},
      {0.4, 0},      {-1.2, -1},     {1e300, 1e300},        {kInf, kInf},    {-kInf, -kInf},
      // floor(x + 0.5) gives 1 here: the sum rounds up to 1.0.
      {0.49999999999999994, 0},
      // From 2^52 on, x + 0.5 is not representable and rounds to even: odd
      // integers would move to the next even one.
      {4503599627370497.0, 4503599627370497.0},
      {9007199254740994.0, 9007199254740994.0},
      {-4503599627370497.0, -4503599627370497.0},
  };
  for (const auto& c : cases) EXPECT_EQ(CNumber(c.in).Round().GetValue(), c.out) << c.in;

  for (double negZeroCase : {-0.3, -0.5, -0.0, -1e-300}) {
    CNumber r = CNumber(negZeroCase).Round();
    EXPECT_TRUE(r.IsNegativeZero()) << negZeroCase;
    EXPECT_EQ(r.ToString(), u"0");
  }
  EXPECT_TRUE(CNumber(0.0).Round().IsPositiveZero());
  EXPECT_TRUE(CNumber(0.3).Round().IsPositiveZero());
  EXPECT_TRUE(CNumber::NaN().Round().IsNaN());
}

TEST(Number, FloorCeilingAndArithmetic) {
  EXPECT_EQ(CNumber(-1.5).Floor().GetValue(), -2);
  EXPECT_EQ(CNumber(-1.5).Ceiling().GetValue(), -1);
  EXPECT_TRUE(CNumber(-0.5).Ceiling().IsNegativeZero());

  EXPECT_EQ((CNumber(5) % CNumber(2)).GetValue(), 1);
  EXPECT_EQ((CNumber(-5) % CNumber(2)).GetValue(), -1);
  EXPECT_EQ((CNumber(5) % CNumber(-2)).GetValue(), 1);
  EXPECT_EQ((CNumber(5.5) % CNumber(2)).GetValue(), 1.5);
  EXPECT_TRUE((CNumber(5) % CNumber(0)).IsNaN());
  EXPECT_TRUE((CNumber(kInf) % CNumber(2)).IsNaN());
  EXPECT_TRUE((CNumber(1) / CNumber(0)).IsPositiveInfinity());
  EXPECT_TRUE((CNumber(-1) / CNumber(0)).IsNegativeInfinity());
  EXPECT_TRUE((CNumber(0) / CNumber(0)).IsNaN());
  EXPECT_TRUE((-CNumber(0.0)).IsNegativeZero());
  EXPECT_TRUE((-CNumber::NaN()).IsNaN());
  EXPECT_EQ((CNumber(2) * CNumber(3) - CNumber(1) + CNumber(0.5)).GetValue(), 5.5);
}

TEST(Number, ComparisonsAndTests) {
  CNumber nan = CNumber::NaN();
  EXPECT_FALSE(nan == nan);
  EXPECT_TRUE(nan != nan);
  EXPECT_FALSE(nan < CNumber(1));
  EXPECT_FALSE(nan >= CNumber(1));
  EXPECT_FALSE(nan <= nan);
  EXPECT_TRUE(CNumber::NegativeZero() == CNumber(0));
  EXPECT_FALSE(CNumber::NegativeZero() < CNumber(0));
  EXPECT_TRUE(CNumber(1) < CNumber(2) && CNumber(2) > CNumber(1) && CNumber(2) >= CNumber(2));

  EXPECT_TRUE(CNumber::NegativeZero().IsNegativeZero());
  EXPECT_FALSE(CNumber::NegativeZero().IsPositiveZero());
  EXPECT_TRUE(CNumber(0).IsPositiveZero());
  EXPECT_FALSE(CNumber(0).IsNegativeZero());
  EXPECT_TRUE(CNumber(kInf).IsPositiveInfinity() && !CNumber(kInf).IsNegativeInfinity());
  EXPECT_TRUE(CNumber(-kInf).IsNegativeInfinity() && !CNumber(-kInf).IsPositiveInfinity());
  EXPECT_FALSE(CNumber(1e308).IsPositiveInfinity());
}

TEST(Number, ToInt) {
  EXPECT_EQ(CNumber(2.9).ToInt(), 2);
  EXPECT_EQ(CNumber(-2.9).ToInt(), -2);
  EXPECT_EQ(CNumber::NaN().ToInt(), 0);
  EXPECT_EQ(CNumber(kInf).ToInt(), INT32_MAX);
  EXPECT_EQ(CNumber(-1e20).ToInt(), INT32_MIN);
  EXPECT_EQ(CNumber(int32_t{-2147483647 - 1}).GetValue(), -2147483648.0);
}

} // namespace
