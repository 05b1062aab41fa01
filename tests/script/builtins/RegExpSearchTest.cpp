#include <gtest/gtest.h>

#include "RegExpTestSupport.h"

namespace {

using Core::XInterface;
using RegExp::CCaptureList;
using RegExp::CRegExp;

XInterface<CRegExp> Compiled(const char16_t* pattern, bool global = false) {
  XInterface<CRegExp> r = Core::Make<CRegExp>();
  r->Compile(pattern, global, false, false);
  return r;
}

TEST(RegExpSearch, CompileKeepsSourceAndFlags) {
  XInterface<CRegExp> r = Core::Make<CRegExp>();
  r->SetLastIndex(7);
  r->Compile(u"a/b(c)", true, false, true);
  EXPECT_EQ(r->GetSource(), u"a/b(c)");
  EXPECT_TRUE(r->GetGlobal());
  EXPECT_FALSE(r->GetIgnoreCase());
  EXPECT_TRUE(r->GetMultiline());
  EXPECT_EQ(r->GetLastIndex(), 0);
  r->SetLastIndex(-5);
  EXPECT_EQ(r->GetLastIndex(), -5);
}

TEST(RegExpSearch, ExecWithoutGlobalStartsAtZero) {
  XInterface<CRegExp> r = Compiled(u"a");
  CCaptureList captures;
  r->SetLastIndex(3);
  ASSERT_TRUE(r->Exec(u"aaaa", &captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"aaaa"), "@0 <a>");
  EXPECT_EQ(r->GetLastIndex(), 3);
  EXPECT_FALSE(r->Exec(u"bbb", &captures));
  EXPECT_EQ(r->GetLastIndex(), 0);
  EXPECT_EQ(RegExpTest::Render(captures, u"aaaa"), "@0 <a>");  // left as it was
  EXPECT_TRUE(r->Exec(u"ba", nullptr));
}

TEST(RegExpSearch, GlobalExecFollowsLastIndex) {
  XInterface<CRegExp> r = Compiled(u"a", true);
  CCaptureList captures;
  r->SetLastIndex(3);
  ASSERT_TRUE(r->ExecForward(u"aaaa", &captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"aaaa"), "@3 <a>");
  EXPECT_EQ(r->GetLastIndex(), 4);
  EXPECT_FALSE(r->Exec(u"aaaa", &captures));
  EXPECT_EQ(r->GetLastIndex(), 0);

  for (int32_t outside : {5, -1}) {
    r->SetLastIndex(outside);
    EXPECT_FALSE(r->Exec(u"aaaa", &captures)) << outside;
    EXPECT_EQ(r->GetLastIndex(), 0);
  }
}

TEST(RegExpSearch, EmptyMatches) {
  XInterface<CRegExp> empty = Compiled(u"", true);
  CCaptureList captures;
  ASSERT_TRUE(empty->Exec(u"", &captures));
  EXPECT_EQ(RegExpTest::Render(captures, u""), "@0 <>");
  // At the input's end the empty pattern still matches.
  empty->SetLastIndex(2);
  ASSERT_TRUE(empty->Exec(u"ab", &captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"ab"), "@2 <>");
  // An empty match leaves lastIndex where it was: the same match again.
  XInterface<CRegExp> star = Compiled(u"x*", true);
  star->SetLastIndex(1);
  ASSERT_TRUE(star->Exec(u"ab", &captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"ab"), "@1 <>");
  ASSERT_TRUE(star->Exec(u"ab", &captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"ab"), "@1 <>");
  EXPECT_EQ(star->GetLastIndex(), 1);
}

TEST(RegExpSearch, SearchIgnoresLastIndex) {
  XInterface<CRegExp> r = Compiled(u"a", true);
  r->SetLastIndex(5);
  EXPECT_EQ(r->Search(u"ba"), 1);
  EXPECT_EQ(r->GetLastIndex(), 5);
  EXPECT_EQ(Compiled(u"z")->Search(u"abc"), -1);
  EXPECT_EQ(Compiled(u"$")->Search(u"abc"), 3);
}

TEST(RegExpSearch, MatchAtTriesOnePosition) {
  CCaptureList captures;
  XInterface<CRegExp> anchored = Compiled(u"^c");
  EXPECT_FALSE(anchored->MatchAt(u"abc", 2, captures));
  XInterface<CRegExp> c = Compiled(u"(c)", true);
  c->SetLastIndex(9);
  ASSERT_TRUE(c->MatchAt(u"abc", 2, captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"abc"), "@2 <c> <c>");
  EXPECT_EQ(c->GetLastIndex(), 9);
  EXPECT_FALSE(c->MatchAt(u"abc", 1, captures));
  EXPECT_FALSE(c->MatchAt(u"abc", -1, captures));
  EXPECT_FALSE(c->MatchAt(u"abc", 4, captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"abc"), "@2 <c> <c>");
  EXPECT_TRUE(Compiled(u"")->MatchAt(u"abc", 3, captures));
}

TEST(RegExpSearch, CapturesOfEachSearchAreTheirOwn) {
  // One matcher serves every search of the object; nothing of one search
  // may show in the next.
  XInterface<CRegExp> r = Compiled(u"(a)|(b)", true);
  CCaptureList captures;
  ASSERT_TRUE(r->Exec(u"ab", &captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"ab"), "@0 <a> <a> _");
  ASSERT_TRUE(r->Exec(u"ab", &captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"ab"), "@1 <b> _ <b>");
  EXPECT_EQ(r->Search(u"xxb"), 2);
  ASSERT_TRUE(r->MatchAt(u"a", 0, captures));
  EXPECT_EQ(RegExpTest::Render(captures, u"a"), "@0 <a> <a> _");
}

// A loop over one input, as a global match or replace makes it, keeping its
// own position so that nothing lastIndex is set to can make it go back.
TEST(RegExpSearch, GlobalLoopOverOneInput) {
  XInterface<CRegExp> r = Compiled(u"x*", true);
  const char16_t* input = u"axxb";
  CCaptureList captures;
  std::string found;
  int32_t position = 0;
  for (;;) {
    r->SetLastIndex(position);
    if (!r->ExecForward(input, &captures)) break;
    int32_t start, length;
    captures.Get(0, start, length);
    found += "[" + std::to_string(start) + "," + std::to_string(length) + "]";
    EXPECT_EQ(r->GetLastIndex(), start + length);
    r->SetLastIndex(0);  // what a replacement function may do
    position = length == 0 ? start + length + 1 : start + length;
  }
  EXPECT_EQ(found, "[0,0][1,2][3,0][4,0]");
  EXPECT_EQ(r->GetLastIndex(), 0);
}

TEST(RegExpSearch, FailedCompileLeavesNothingToSearch) {
  XInterface<CRegExp> r = Core::Make<CRegExp>();
  EXPECT_THROW(r->Compile(u"(", false, false, false), RegExpPrivate::CParserException);
  CCaptureList captures;
  EXPECT_FALSE(r->Exec(u"(", &captures));
  EXPECT_EQ(r->Search(u"("), -1);
}

} // namespace
