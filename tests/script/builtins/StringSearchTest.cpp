#include <gtest/gtest.h>

#include <random>

#include "script/builtins/StringSearch.h"

namespace {

using EcmaScript::CStringSearch;
constexpr size_t npos = CStringSearch::npos;

TEST(StringSearch, FirstAndLast) {
  struct Case {
    const char16_t* text;
    const char16_t* pattern;
    size_t from;
    size_t first;
    size_t last;  // FindLast from the same position
  } cases[] = {
      {u"abcabc", u"c", 0, 2, npos},
      {u"abcabc", u"c", 3, 5, 2},
      {u"abcabc", u"abc", 1, 3, 0},
      {u"abcabc", u"abc", 9, npos, 3},
      {u"abc", u"abcd", 0, npos, npos},
      {u"abc", u"", 2, 2, 2},
      {u"abc", u"", 3, 3, 3},
      {u"abc", u"", 4, npos, 3},
      {u"aaaaab", u"aab", 0, 3, npos},
      {u"aaaaab", u"aab", 5, npos, 3},
      {u"abababa", u"aba", 1, 2, 0},
      {u"abababa", u"aba", 4, 4, 4},
      {u"", u"", 0, 0, 0},
      {u"", u"a", 0, npos, npos},
  };
  for (const auto& c : cases) {
    CStringSearch search(c.pattern);
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    EXPECT_EQ(search.FindFirst(c.text, c.from), c.first);
    EXPECT_EQ(search.FindLast(c.text, c.from), c.last);
  }
}

// Agreement with the obvious search on small alphabets, where borders
// (and with them the prefix functions) are everywhere.
TEST(StringSearch, AgreesWithNaiveSearch) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    Core::String text, pattern;
    size_t n = random() % 20, m = random() % 5;
    for (size_t i = 0; i < n; ++i) text += static_cast<char16_t>(u'a' + random() % 2);
    for (size_t i = 0; i < m; ++i) pattern += static_cast<char16_t>(u'a' + random() % 2);
    size_t from = random() % 22;
    CStringSearch search(pattern);
    Core::StringView t(text);
    size_t first = from <= n ? t.find(pattern, from) : npos;
    size_t last = t.rfind(pattern, from);
    ASSERT_EQ(search.FindFirst(t, from), first);
    ASSERT_EQ(search.FindLast(t, from), last);
  }
}

// The worst case of a naive search (a long run of one unit) stays linear.
TEST(StringSearch, LongRunsStayLinear) {
  Core::String text(1 << 20, u'a');
  Core::String pattern(1 << 10, u'a');
  pattern += u'b';
  CStringSearch search(pattern);
  EXPECT_EQ(search.FindFirst(text, 0), npos);
  EXPECT_EQ(search.FindLast(text, text.size()), npos);
  text += u'b';
  EXPECT_EQ(search.FindFirst(text, 0), text.size() - pattern.size());
  EXPECT_EQ(search.FindLast(text, text.size()), text.size() - pattern.size());
}

} // namespace
