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

// Text from the system is judged as strictly as documents: each malformed
// sequence (or its longest valid start) gives one U+FFFD, and so does a
// sequence cut off by the end of the text.
TEST(Utf8, BoundaryDecodingSubstitutesMalformedSequences) {
  struct Case {
    std::string bytes;
    Core::String text;
    bool ok;
  } cases[] = {
      {"", u"", true},
      {"caf\xC3\xA9 \xF0\x9F\x98\x80", u"caf\u00E9 \U0001F600", true},
      {"a\xC0\xBCz", u"a\uFFFD\uFFFDz", false},
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},
      {"\xE2\x82z", u"\uFFFDz", false},
      {"0123456789\xE2\x82", u"0123456789\uFFFD", false},
      {"\xF4\x90\x80\x80.", u"\uFFFD\uFFFD\uFFFD\uFFFD.", false},
  };
  for (const auto& c : cases) {
    Core::String out = u"old";
    EXPECT_EQ(Core::Utf8ToString(c.bytes, out), c.ok) << c.bytes;
    EXPECT_EQ(out, c.text) << c.bytes;
  }
}

TEST(Utf8, BoundaryEncodingReplacesUnpairedSurrogates) {
  struct Case {
    Core::String text;
    std::string bytes;
    bool ok;
  } cases[] = {
      {u"", "", true},
      {u"a\u00E9\u20AC\U0001F600", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", true},
      {Core::String(u"a") + char16_t(0xD800) + u"b", "a\xEF\xBF\xBD" "b", false},
      {Core::String{char16_t(0xDE00), char16_t(0xD83D)}, "\xEF\xBF\xBD\xEF\xBF\xBD", false},
      {Core::String(u"ab") + char16_t(0xD83D), "ab\xEF\xBF\xBD", false},
  };
  for (const auto& c : cases) {
    std::string out = "old";
    EXPECT_EQ(Core::StringToUtf8(c.text, out), c.ok);
    EXPECT_EQ(out, c.bytes);
  }
}

} // namespace
