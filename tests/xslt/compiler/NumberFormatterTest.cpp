#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/String.h"
#include "xslt/compiler/instructions/NumberFormatter.h"

namespace {

using XsltPrivate::CNumberFormatter;

struct CCase {
  const char16_t* format;
  std::vector<int64_t> numbers;
  const char16_t* text;
  const char16_t* separator = nullptr;
  int32_t size = 0;
};

TEST(NumberFormatterTest, Formats) {
  const CCase cases[] = {
      {u"1", {1, 2, 3}, u"1.2.3"},
      {u"1.", {1, 2, 3}, u"1.2.3."},
      {u"A-1:", {1, 2, 3}, u"A-2-3:"},
      // One token: "." between the numbers, whatever is around the token.
      {u"(1)", {1, 2}, u"(1.2)"},
      {u"#", {4, 5}, u"#4.5"},
      {u"a)", {2, 1, 3}, u"b.a.c)"},
      {u"[1]", {}, u"[]"},
      {u"1", {}, u""},
      {u"", {1}, u"1"},
      {u"#", {4}, u"#4"},
      {u"001", {7}, u"007"},
      {u"001", {0}, u"0"},
      {u"001", {1234}, u"1234"},
      {u"0001", {5}, u"00,05", u",", 2},
      {u"1", {1234567}, u"1,234,567", u",", 3},
      {u"1", {1234567}, u"1 000 234 000 567", u" 000 ", 3},
      {u"1", {1234567}, u"1234567", nullptr, 3},
      {u"1", {1234567}, u"1234567", u",", 0},
      {u"a", {1}, u"a"},
      {u"a", {26}, u"z"},
      {u"a", {27}, u"aa"},
      {u"a", {28}, u"ab"},
      {u"a", {52}, u"az"},
      {u"a", {53}, u"ba"},
      {u"a", {702}, u"zz"},
      {u"a", {703}, u"aaa"},
      {u"A", {0}, u"0"},
      {u"A", {28}, u"AB"},
      {u"I", {1999}, u"MCMXCIX"},
      {u"I", {3888}, u"MMMDCCCLXXXVIII"},
      {u"i", {4}, u"iv"},
      {u"i", {4000}, u"4000"},
      {u"I", {0}, u"0"},
      // Tokens without a form of their own format like 1.
      {u"x", {12}, u"12"},
      {u"2", {12}, u"12"},
      {u"ii", {3}, u"3"},
      {u"11", {3}, u"3"},
      {u"\u0661", {3}, u"3"},
      {u"a\u0100", {3}, u"3"},
      {u"I. a) 1", {2, 3, 4, 5}, u"II. c) 4) 5"},
      // Counts beyond 32 bits, and negative numbers as their decimal text.
      {u"1", {5000000000LL}, u"5000000000"},
      {u"1", {INT64_MAX}, u"9223372036854775807"},
      {u"a", {4294967297LL}, u"mwlqkww"},
      {u"[1]", {-5}, u"[-5]"},
      {u"A", {-1}, u"-1"},
      {u"001", {INT64_MIN}, u"-9223372036854775808"},
  };
  for (const CCase& c : cases) {
    CNumberFormatter formatter;
    formatter.SetFormat(c.format);
    if (c.separator) formatter.SetGroupingSeparator(c.separator);
    formatter.SetGroupingSize(c.size);
    EXPECT_EQ(Core::ToUtf8(formatter.Format(c.numbers)), Core::ToUtf8(c.text)) << Core::ToUtf8(c.format);
  }
}

TEST(NumberFormatterTest, SplitsTheFormat) {
  CNumberFormatter formatter;
  formatter.SetFormat(u"<<A--1>>");
  EXPECT_EQ(formatter.GetPrefix(), u"<<");
  EXPECT_EQ(formatter.GetSuffix(), u">>");
  EXPECT_EQ(formatter.GetTokens(), (std::vector<Core::String>{u"A", u"1"}));
  EXPECT_EQ(formatter.GetSeparators(), (std::vector<Core::String>{u"<<", u"--"}));
  formatter.SetFormat(u"1");
  EXPECT_EQ(formatter.GetSeparators(), std::vector<Core::String>{u"."});
  EXPECT_EQ(formatter.GetPrefix(), u"");
  EXPECT_EQ(formatter.FormatText(u"NaN"), u"NaN");
  formatter.SetFormat(u"(1)");
  EXPECT_EQ(formatter.FormatText(u"Infinity"), u"(Infinity)");

  Core::String token;
  bool alphanumeric = false;
  EXPECT_EQ(CNumberFormatter::NextToken(u"ab1-.x", 0, token, alphanumeric), 3);
  EXPECT_TRUE(alphanumeric);
  EXPECT_EQ(token, u"ab1");
  EXPECT_EQ(CNumberFormatter::NextToken(u"ab1-.x", 3, token, alphanumeric), 5);
  EXPECT_FALSE(alphanumeric);
  EXPECT_EQ(CNumberFormatter::NextToken(u"ab1-.x", 6, token, alphanumeric), -1);
}

} // namespace
