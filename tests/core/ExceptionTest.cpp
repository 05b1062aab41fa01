#include <gtest/gtest.h>

#include "core/Exception.h"

namespace {

using Core::FormatMessage;

TEST(FormatMessage, Cases) {
  struct Case {
    const char16_t* templ;
    const char16_t* a1;
    const char16_t* a2;
    const char16_t* expected;
  } cases[] = {
      {u"Missing ':'", u"x", u"y", u"Missing ':'"},
      {u"'%s' and '%s'", u"one", nullptr, u"'one' and '?'"},
      {u"'%s' and '%s'", u"", u"two", u"'' and 'two'"},
      {u"'%s' and '%s'", nullptr, u"two", u"'?' and '?'"},
      {u"100%", u"a", nullptr, u"100%"},
      {u"%d %s", u"a", nullptr, u"%d a"},
      {u"%%s", u"a", nullptr, u"%a"},
      {u"%s%s%s%s", u"a", u"b", u"ab??"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatMessage(c.templ, c.a1, c.a2), Core::String(c.expected)) << Core::ToUtf8(c.templ);
  }
  EXPECT_EQ(FormatMessage(u"%s%s%s%s", u"a", u"b", u"c"), u"abc?");
}

const Core::CMessageItem kTable[] = {
    {0, u"Zero '%s'"},
    {1, u"One"},
    {-1, u"Unclassified test exception %s"},
};

TEST(CodedException, LooksUpCodeAndFallsBackToDefault) {
  EXPECT_EQ(Core::CCodedException(kTable, 0, 1, u"a").GetMessage(), u"Zero 'a'");
  EXPECT_EQ(Core::CCodedException(kTable, 1, 1, u"a").GetMessage(), u"One");
  EXPECT_EQ(Core::CCodedException(kTable, 7, 1, u"a").GetMessage(), u"Unclassified test exception a");
  EXPECT_EQ(Core::CCodedException(kTable, 0).GetMessage(), u"Zero '?'");
  EXPECT_EQ(Core::IException().GetMessage(), u"? Unknown exception");
}

TEST(Utf8, RoundTripAndInvalid) {
  Core::String s = u"a\u00e9\u20ac\U0001F600";
  EXPECT_EQ(Core::FromUtf8(Core::ToUtf8(s)), s);
  Core::String out;
  EXPECT_FALSE(Core::Utf8ToString("a\xC0\x80z", out));
  EXPECT_EQ(out[0], u'a');
  EXPECT_EQ(out.back(), u'z');
  std::string bytes;
  EXPECT_FALSE(Core::StringToUtf8(Core::String(1, char16_t(0xD800)), bytes));
  EXPECT_EQ(bytes, "\xEF\xBF\xBD");
}

} // namespace
