#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "RegExpTestSupport.h"
#include "script/builtins/regexp/Compiler.h"
#include "script/builtins/regexp/TooComplexException.h"

namespace {

using Core::XInterface;
using RegExp::CCaptureList;
using RegExp::CRegExp;
using RegExp::CTooComplexException;

XInterface<CRegExp> Compiled(Core::StringView pattern, RegExpPrivate::CMatchLimits limits = {}) {
  XInterface<CRegExp> r = Core::Make<CRegExp>();
  r->Compile(pattern, false, false, false);
  r->SetLimits(limits);
  return r;
}

CTooComplexException::Reason ReasonOfSearch(CRegExp& r, Core::StringView input) {
  try {
    r.Search(input);
  } catch (const CTooComplexException& e) {
    EXPECT_EQ(Core::ToUtf8(e.GetMessage()), "Regular expression too complex");
    return e.GetReason();
  }
  ADD_FAILURE() << "no limit reached";
  return CTooComplexException::Memory;
}

// Nested quantifiers backtrack exponentially; such a search once ran for
// ever and now ends at the engine's own step budget.
TEST(RegExpLimits, ExponentialBacktrackingEndsAtTheStepBudget) {
  XInterface<CRegExp> r = Compiled(u"(a*)*b");
  EXPECT_EQ(ReasonOfSearch(*r, std::u16string(40, u'a')), CTooComplexException::Steps);
  // The object stays usable and each search has a fresh budget.
  EXPECT_EQ(r->Search(u"aab"), 0);
}

// The budget covers all start positions of a search, not each one.
TEST(RegExpLimits, OneBudgetForAllStartPositions) {
  std::u16string text(1000, u'a');
  XInterface<CRegExp> r = Compiled(u"a*b", {20000, 1 << 20});
  EXPECT_EQ(ReasonOfSearch(*r, text), CTooComplexException::Steps);
  CCaptureList captures;
  EXPECT_THROW(r->Exec(text, &captures), CTooComplexException);
  // MatchAt calls share the budget of the search begun last.
  r->BeginSearch();
  int32_t tried = 0;
  try {
    for (int32_t i = 0; i < 1000; ++i, ++tried) r->MatchAt(text, i, captures);
  } catch (const CTooComplexException& e) {
    EXPECT_EQ(e.GetReason(), CTooComplexException::Steps);
  }
  EXPECT_LT(tried, 1000);
  r->BeginSearch();
  EXPECT_FALSE(r->MatchAt(text, 0, captures));
}

TEST(RegExpLimits, BacktrackStackHasACap) {
  std::u16string text;
  for (int i = 0; i < 50000; ++i) text += u"ab";
  XInterface<CRegExp> capped = Compiled(u"(?:ab)*$", {100'000'000, 1 << 16});
  EXPECT_EQ(ReasonOfSearch(*capped, text), CTooComplexException::Stack);
  // Within the default cap the same search succeeds.
  EXPECT_EQ(Compiled(u"(?:ab)*$")->Search(text), 0);
}

// The stack grows geometrically: a long run costs linear time.
TEST(RegExpLimits, LongInputsMatchInLinearTime) {
  std::u16string text(1'000'000, u'a');
  auto begin = std::chrono::steady_clock::now();
  XInterface<CRegExp> r = Compiled(u"(a)*");
  CCaptureList captures;
  ASSERT_TRUE(r->Exec(text, &captures));
  int32_t start, length;
  captures.Get(0, start, length);
  EXPECT_EQ(length, 1'000'000);
  captures.Get(1, start, length);
  EXPECT_EQ(start, 999'999);
  for (const char16_t* pattern : {u"a*b", u"[^b]*?b", u".{0,2000000}b", u"(?:a|b)*b"})
    EXPECT_EQ(RegExpTest::Run(pattern, "", text + u"b").size(), 1'000'006u) << Core::ToUtf8(pattern);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(20));
}

// Nesting is bounded; long chains of terms and alternatives are linked
// without recursion.
TEST(RegExpLimits, DeepAndLongPatterns) {
  int32_t limit = RegExpPrivate::CCompiler::MaxNesting;
  std::u16string nested = std::u16string(limit, u'(') + u"a" + std::u16string(limit, u')');
  EXPECT_EQ(RegExpTest::Run(nested, "", u"a").substr(0, 6), "@0 <a>");
  std::u16string tooDeep = u"(" + nested + u")";
  EXPECT_EQ(RegExpTest::Run(tooDeep, "", u"a"), "error 7");
  EXPECT_EQ(RegExpTest::Run(std::u16string(100000, u'('), "", u""), "error 7");
  std::u16string lookaheads;
  for (int32_t i = 0; i <= limit; ++i) lookaheads += u"(?=";
  EXPECT_EQ(RegExpTest::Run(lookaheads, "", u""), "error 7");

  std::u16string terms;
  for (int i = 0; i < 100000; ++i) terms += u"a?";
  EXPECT_EQ(RegExpTest::Run(terms + u"b", "", u"aab"), "@0 <aab>");
  std::u16string alternatives;
  for (int i = 0; i < 100000; ++i) alternatives += u"a|";
  EXPECT_EQ(RegExpTest::Run(alternatives + u"b", "", u"b"), "@0 <b>");
  std::u16string literal(200000, u'x');
  EXPECT_EQ(RegExpTest::Run(literal, "", literal + u"y").substr(0, 3), "@0 ");
}

} // namespace
