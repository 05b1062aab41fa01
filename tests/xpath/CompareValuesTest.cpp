#include <gtest/gtest.h>

#include "support/TreeFixture.h"
#include "xml/tree/DocumentFactory.h"
#include "xpath/CompareValues.h"
#include "xpath/support/TestHost.h"

namespace {

using Core::XInterface;
using Xpath::CValue;
using XpathPrivate::CompareValues;
using namespace XpathTest;


class CompareTest : public ::testing::Test {
protected:
  // The six answers of left op right, as a string of six 0/1 digits in
  // operator-code order (= != < > <= >=).
  std::string All(const XInterface<CValue>& left, const XInterface<CValue>& right) {
    std::string out;
    for (int32_t op = 0; op < 6; ++op) out += CompareValues(context.Get(), op, *left, *right) ? '1' : '0';
    return out;
  }

  CTestHost host;
  XInterface<Xpath::CContext> context = host.MakeContext();
};

TEST_F(CompareTest, ScalarsByTheXpathRules) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    XInterface<CValue> left, right;
    const char* answers;  // = != < > <= >=
  } cases[] = {
      {"1 ? 2", Number(1), Number(2), "011010"},
      {"2 ? 2", Number(2), Number(2), "100011"},
      {"NaN ? NaN", Number(nan), Number(nan), "010000"},
      {"-0 ? 0", Number(-0.0), Number(0), "100011"},
      // Relational operators compare numbers: 'false' and '' are NaN.
      {"true() ? 'false'", Boolean(true), String(u"false"), "100000"},
      {"false() ? ''", Boolean(false), String(u""), "100000"},
      {"true() ? '1'", Boolean(true), String(u"1"), "100011"},
      {"true() ? false()", Boolean(true), Boolean(false), "010101"},
      {"true() ? 1", Boolean(true), Number(1), "100011"},
      {"0 ? false()", Number(0), Boolean(false), "100011"},
      {"1 ? '1.0'", Number(1), String(u"1.0"), "100011"},
      {"'1.0' ? 1", String(u"1.0"), Number(1), "100011"},
      {"'1' ? '1.0'", String(u"1"), String(u"1.0"), "010011"},
      {"'10' ? '9'", String(u"10"), String(u"9"), "010101"},
      {"'a' ? 'b'", String(u"a"), String(u"b"), "010000"},
      {"'a' ? 'a'", String(u"a"), String(u"a"), "100000"},
      {"'abc' ? 1", String(u"abc"), Number(1), "010000"},
      {"2 ? true()", Number(2), Boolean(true), "100101"},
  };
  for (const auto& c : cases) EXPECT_EQ(All(c.left, c.right), c.answers) << c.what;
}

TEST_F(CompareTest, EmptyNodeSets) {
  XInterface<CValue> empty = host.MakeNodeSetValue({});
  struct Case {
    const char* what;
    XInterface<CValue> left, right;
    const char* answers;
  } cases[] = {
      {"E ? 'x'", empty, String(u"x"), "000000"},
      {"'x' ? E", String(u"x"), empty, "000000"},
      {"E ? 1", empty, Number(1), "000000"},
      {"E ? NaN", empty, Number(std::numeric_limits<double>::quiet_NaN()), "000000"},
      {"-0 ? E", Number(-0.0), empty, "000000"},
      {"1 ? E", Number(1), empty, "000000"},
      {"E ? E", empty, empty, "000000"},
      {"E ? false()", empty, Boolean(false), "100011"},
      {"E ? true()", empty, Boolean(true), "011010"},
      {"true() ? E", Boolean(true), empty, "010101"},
  };
  for (const auto& c : cases) EXPECT_EQ(All(c.left, c.right), c.answers) << c.what;
}

TEST_F(CompareTest, ExtensionTypes) {
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  XInterface<CValue> nodes = host.MakeNodeSetValue({factory->CreateDocument()});  // string value ""
  CTestCompareExtension& cmp = host.Implementation().Compare();
  CTestConvertExtension& conv = host.Implementation().Convert();

  // Node set against a fragment: only the host decides, sides kept.
  EXPECT_TRUE(CompareValues(context.Get(), 2, *nodes, *Fragment(u"b")));
  EXPECT_EQ(cmp.calls, 1);
  EXPECT_EQ(cmp.lastOp, 2);
  EXPECT_TRUE(cmp.lastNodeSetOnLeft);
  EXPECT_FALSE(CompareValues(context.Get(), 2, *Fragment(u"b"), *nodes));
  EXPECT_EQ(cmp.calls, 2);
  EXPECT_FALSE(cmp.lastNodeSetOnLeft);

  // Against anything else a fragment converts through the host.
  EXPECT_EQ(All(Fragment(u"2"), Number(2)), "100011");
  EXPECT_EQ(All(Fragment(u"abc"), String(u"abc")), "100000");
  // The host says every fragment is true; as a number "" is NaN.
  EXPECT_EQ(All(Fragment(u""), Boolean(true)), "100000");
  EXPECT_EQ(All(Fragment(u"1"), Fragment(u"2")), "011010");
  EXPECT_EQ(cmp.calls, 2);
  EXPECT_GT(conv.calls, 0);
}

} // namespace

namespace {

class CompareTreeTest : public CompareTest {
protected:
  // The <v> elements of the markup, in document order.
  XInterface<CValue> Set(Core::StringView values) {
    std::vector<Dom::XNode> nodes;
    Core::String markup = u"<r>";
    size_t start = 0;
    while (start <= values.size()) {
      size_t comma = values.find(u',', start);
      if (comma == Core::StringView::npos) comma = values.size();
      markup += u"<v>" + Core::String(values.substr(start, comma - start)) + u"</v>";
      start = comma + 1;
    }
    markup += u"</r>";
    Dom::XNode doc = trees.Build(markup);
    m_documents.push_back(doc);
    return host.MakeNodeSetValue(ElementsNamed(doc, u"v"));
  }

  KeltoTest::CTreeFixture trees;
  std::vector<Dom::XNode> m_documents;
};

TEST_F(CompareTreeTest, NodeSetsAgainstEveryKind) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    XInterface<CValue> left, right;
    const char* answers;  // = != < > <= >=
  } cases[] = {
      {"{1,2} ? 1", Set(u"1,2"), Number(1), "110111"},
      {"{1,2} ? 2", Set(u"1,2"), Number(2), "111011"},
      {"1 ? {1,2}", Number(1), Set(u"1,2"), "111011"},
      {"{abc} ? 1", Set(u"abc"), Number(1), "010000"},
      {"{abc} ? 'abc'", Set(u"abc"), String(u"abc"), "100000"},
      {"{ 2 } ? '2'", Set(u" 2 "), String(u"2"), "010011"},
      {"'10' ? {9}", String(u"10"), Set(u"9"), "010101"},
      {"{} ? true()", Set(u""), Boolean(true), "100011"},  // one <v/>: the set is non-empty
      {"false() ? {x}", Boolean(false), Set(u"x"), "011010"},
      {"{a,b} ? {b,c}", Set(u"a,b"), Set(u"b,c"), "110000"},
      {"{a,a} ? {a}", Set(u"a,a"), Set(u"a"), "100000"},
      {"{a} ? {a,b}", Set(u"a"), Set(u"a,b"), "110000"},
      {"{1,5} ? {3}", Set(u"1,5"), Set(u"3"), "011111"},
      {"{5} ? {3,x}", Set(u"5"), Set(u"3,x"), "010101"},
      {"{x} ? {x}", Set(u"x"), Set(u"x"), "100000"},
      {"{2} ? {2,NaN}", Set(u"2"), Set(u"2,y"), "110011"},
      // Signed zeros and NaN: = and != between node sets and with strings
      // compare texts, everything else numbers.
      {"{-0} ? 0", Set(u"-0"), Number(0), "100011"},
      {"{0} ? -0", Set(u"0"), Number(-0.0), "100011"},
      {"{-0} ? {0}", Set(u"-0"), Set(u"0"), "010011"},
      {"{-0} ? '0'", Set(u"-0"), String(u"0"), "010011"},
      {"'-0' ? {0}", String(u"-0"), Set(u"0"), "010011"},
      {"{-0} ? false()", Set(u"-0"), Boolean(false), "010101"},
      {"{1} ? NaN", Set(u"1"), Number(nan), "010000"},
      {"NaN ? {1}", Number(nan), Set(u"1"), "010000"},
      {"{NaN} ? NaN", Set(u"NaN"), Number(nan), "010000"},
      {"{NaN} ? 'NaN'", Set(u"NaN"), String(u"NaN"), "100000"},
      {"{ 1 ,abc} ? {1}", Set(u" 1 ,abc"), Set(u"1"), "010011"},
  };
  for (const auto& c : cases) EXPECT_EQ(All(c.left, c.right), c.answers) << c.what;
}

TEST_F(CompareTreeTest, TwoNodeSetsReadEachNodeOnceAndOnlyAsFarAsNeeded) {
  // Left 1..n, right n+1..2n: no pair is equal, so = reads everything.
  const int n = 300;
  Core::String markup = u"<r>";
  for (int i = 1; i <= 2 * n; ++i) markup += u"<v>" + Core::FromUtf8(std::to_string(i)) + u"</v>";
  markup += u"</r>";
  Dom::XNode doc = trees.Build(markup);
  std::vector<Dom::XNode> all = ElementsNamed(doc, u"v");
  std::vector<Dom::XNode> left(all.begin(), all.begin() + n);
  std::vector<Dom::XNode> right(all.begin() + n, all.end());

  for (int32_t op = 0; op < 6; ++op) {
    auto a = Core::Make<CListNodeSet>(left);
    auto b = Core::Make<CListNodeSet>(right);
    XInterface<CValue> va = Core::Make<Xpath::CNodeSetValue>(a.Get());
    XInterface<CValue> vb = Core::Make<Xpath::CNodeSetValue>(b.Get());
    bool expected[] = {false, true, true, false, true, false};
    EXPECT_EQ(CompareValues(context.Get(), op, *va, *vb), expected[op]) << op;
    EXPECT_LE(a->nodeReads, n) << op;
    EXPECT_LE(b->nodeReads, n) << op;
    EXPECT_LE(b->iterators, 1) << op;
  }

  // The first pair that holds ends the walk: 1 != n+1 at once, and
  // 1 < n+1 at once.
  for (int32_t op : {1, 2}) {
    auto a = Core::Make<CListNodeSet>(left);
    auto b = Core::Make<CListNodeSet>(right);
    XInterface<CValue> va = Core::Make<Xpath::CNodeSetValue>(a.Get());
    XInterface<CValue> vb = Core::Make<Xpath::CNodeSetValue>(b.Get());
    EXPECT_TRUE(CompareValues(context.Get(), op, *va, *vb));
    EXPECT_EQ(a->nodeReads, 1) << op;
    EXPECT_EQ(b->nodeReads, 1) << op;
  }

  // = with the match at the far end: the right set is read once, not once
  // per left node.
  {
    std::vector<Dom::XNode> rightWithMatch = right;
    rightWithMatch.push_back(left.back());
    auto a = Core::Make<CListNodeSet>(left);
    auto b = Core::Make<CListNodeSet>(rightWithMatch);
    XInterface<CValue> va = Core::Make<Xpath::CNodeSetValue>(a.Get());
    XInterface<CValue> vb = Core::Make<Xpath::CNodeSetValue>(b.Get());
    EXPECT_TRUE(CompareValues(context.Get(), 0, *va, *vb));
    EXPECT_EQ(a->nodeReads, n);
    EXPECT_EQ(b->nodeReads, n + 1);
  }
}

TEST_F(CompareTreeTest, NodeSetAgainstScalarStopsAtTheFirstMatch) {
  Dom::XNode doc = trees.Build(u"<r><v>a</v><v>b</v><v>c</v></r>");
  auto set = Core::Make<CListNodeSet>(ElementsNamed(doc, u"v"));
  XInterface<CValue> value = Core::Make<Xpath::CNodeSetValue>(set.Get());
  EXPECT_TRUE(CompareValues(context.Get(), 0, *value, *String(u"b")));
  EXPECT_EQ(set->nodeReads, 2);
  EXPECT_FALSE(CompareValues(context.Get(), 0, *String(u"z"), *value));
  EXPECT_EQ(set->nodeReads, 5);
}

} // namespace
