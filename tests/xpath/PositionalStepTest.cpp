// Steps and filters whose leading predicates keep known positions ([1],
// [position() < 3]) stop walking their axis once the positions pass; the
// results and errors stay those of the full walk.
#include <gtest/gtest.h>

#include "xpath/Axis.h"
#include "xpath/NodeTest.h"
#include "xpath/PathExpr.h"
#include "xpath/support/EvalFixture.h"

namespace {

using Core::XInterface;
using XpathTest::CEvalFixture;

class PositionalSteps : public CEvalFixture {
protected:
  PositionalSteps() {
    Load(u"<r xmlns:u='urn:u'><a><a1/><a2/></a><b><b1/><b2/></b>"
         u"<c><k/><l/><c1 p='1' q='2' s='3'><x/><y/><z/></c1><m/><n/></c>"
         u"<d/><e><e1/></e></r>");
    m_host.Namespaces().Declare(u"q", u"urn:q");
  }
};

TEST_F(PositionalSteps, ResultsOnEveryAxis) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"child::*[1]", "x"},
      {u"child::*[2]", "y"},
      {u"child::*[last()]", "z"},
      {u"child::*[0]", ""},
      {u"child::*[1.5]", ""},
      {u"child::*[-1]", ""},
      {u"child::*[4]", ""},
      {u"child::*[1 + 1]", "y"},
      {u"child::*[-(-2)]", "y"},
      {u"child::*[7 mod 4]", "z"},
      {u"child::*[1 div 0]", ""},
      {u"child::*[0 div 0]", ""},
      {u"child::*[1][1]", "x"},
      {u"child::*[2][1]", "y"},
      {u"child::*[1][2]", ""},
      {u"child::*[2][last()]", "y"},
      {u"child::*[position() > 1][1]", "y"},
      {u"child::*[position() < 3]", "x y"},
      {u"child::*[position() <= 2.5]", "x y"},
      {u"child::*[position() < 2.5]", "x y"},
      {u"child::*[position() < 1]", ""},
      {u"child::*[position() < 1 div 0]", "x y z"},
      {u"child::*[position() <= 0 div 0]", ""},
      {u"child::*[position() = 3]", "z"},
      {u"child::*[3 = position()]", "z"},
      {u"child::*[2 > position()]", "x"},
      {u"child::*[3 >= position()][2]", "y"},
      {u"child::*[position() < 3][last()]", "y"},
      {u"child::*[position() != 1][1]", "y"},
      {u"count(child::*[position() < 3])", "number 2"},
      {u"descendant::*[2]", "y"},
      {u"descendant-or-self::*[1]", "c1"},
      {u"descendant-or-self::*[4]", "z"},
      {u"self::*[1]", "c1"},
      {u"self::*[2]", ""},
      {u"parent::*[1]", "c"},
      {u"parent::*[2]", ""},
      {u"following-sibling::*[1]", "m"},
      {u"following-sibling::*[2]", "n"},
      {u"following-sibling::*[3]", ""},
      {u"following::*[3]", "d"},
      {u"following::*[5]", "e1"},
      {u"following::*[1][1]", "m"},
      {u"attribute::*[2]", "@q"},
      {u"attribute::*[3][1]", "@s"},
      {u"namespace::*[3]", ""},
      {u"count(namespace::*[2])", "number 1"},
      // reverse axes count nearest first, and a path yields document order
      {u"preceding-sibling::*[1]", "l"},
      {u"preceding-sibling::*[2]", "k"},
      {u"preceding-sibling::*[3]", ""},
      {u"preceding-sibling::*[last()]", "k"},
      {u"preceding-sibling::*[2][1]", "k"},
      {u"preceding-sibling::*[0]", ""},
      {u"preceding::*[1]", "l"},
      {u"preceding::*[3]", "b2"},
      {u"preceding::*[position() < 4]", "b2 k l"},
      {u"preceding::*[last()]", "a"},
      {u"preceding::*[1.5]", ""},
      {u"ancestor::*[1]", "c"},
      {u"ancestor::*[2]", "r"},
      {u"ancestor::node()[3]", "/"},
      {u"ancestor::*[last()]", "r"},
      {u"ancestor::*[position() <= 2][2]", "r"},
      {u"ancestor-or-self::*[1]", "c1"},
      {u"ancestor-or-self::*[2]", "c"},
      {u"ancestor-or-self::*[-1]", ""},
      // filters count in the order of their node set: document order
      {u"(preceding::*)[1]", "a"},
      {u"(ancestor::*)[1]", "r"},
      {u"(child::*)[2]", "y"},
      {u"(child::*)[2][last()]", "y"},
      {u"count((child::*)[position() < 3])", "number 2"},
      {u"count((child::*)[0])", "number 0"},
      // a step after a positional one
      {u"preceding-sibling::*[1]/following-sibling::*[2]", "m"},
      {u"../*[2]/following::*[1]", "c1"},
  };
  Dom::XNode c1 = Node(u"/r/c/c1");
  ASSERT_TRUE(c1);
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text, c1), c.expected) << Core::ToUtf8(c.text);
}

// Stopping early never hides an error that the full walk would raise.
TEST_F(PositionalSteps, ErrorsOfTheFullWalkStay) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      // the test needs the undeclared prefix only at k, after l
      {u"preceding-sibling::p:k[0]", "error 13"},
      {u"count(preceding-sibling::p:k[position() < 1])", "error 13"},
      {u"preceding-sibling::p:k[1]", "error 13"},
      {u"preceding-sibling::q:k[0]", ""},
      // no node reaches the variable
      {u"preceding-sibling::*[0][$undefined]", ""},
      {u"preceding-sibling::*[1][$undefined]", "error 14"},
      {u"preceding-sibling::*[$undefined][1]", "error 14"},
      // a source that may raise is walked to its end: l raises
      {u"(/r/c/*[self::k or $undefined])[1]", "error 14"},
      {u"count((/r/c/*[self::k or $undefined])[0])", "error 14"},
  };
  Dom::XNode c1 = Node(u"/r/c/c1");
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text, c1), c.expected) << Core::ToUtf8(c.text);
}

// A node test that counts the nodes it is asked about: the nodes an axis
// walk visits.
class CCountingNodeTest final : public Xpath::CNodeTest {
public:
  int32_t GetKind() const override { return Wildcard; }
  bool Match(Xpath::CContext*, const Dom::CNode* node) const override {
    ++calls;
    return node->GetNodeType() == Dom::ELEMENT_NODE;
  }
  using Xpath::CNodeTest::Match;
  mutable int calls = 0;
};

// The walk of a positional step costs its position, not its axis length.
TEST_F(PositionalSteps, AxisWalkStopsAtThePosition) {
  Core::String markup = u"<r>";
  for (int i = 0; i < 500; ++i) markup += u"<i/>";
  markup += u"<m>";
  for (int i = 0; i < 300; ++i) markup += u"<d>";
  for (int i = 0; i < 300; ++i) markup += u"</d>";
  markup += u"</m>";
  for (int i = 0; i < 500; ++i) markup += u"<i/>";
  markup += u"</r>";
  Load(markup);
  Dom::XNode r = Node(u"/r");
  Dom::XNode m = Node(u"/r/m");
  Dom::XNode deepest = Node(u"(//d)[last()]");
  struct Case {
    Xpath::CAxis* axis;
    Dom::XNode context;
    const char16_t* predicates[2];
    const char* expected;
    int maxVisits;
  } cases[] = {
      {new XpathPrivate::CChildAxis(), r, {u"2", nullptr}, "i", 2},
      {new XpathPrivate::CDescendantAxis(), r, {u"3", nullptr}, "i", 3},
      {new XpathPrivate::CDescendantOrSelfAxis(), m, {u"position() < 3", nullptr}, "m d", 2},
      {new XpathPrivate::CFollowingSiblingAxis(), m, {u"1", nullptr}, "i", 1},
      {new XpathPrivate::CFollowingAxis(), m, {u"2", u"1"}, "i", 2},
      {new XpathPrivate::CPrecedingSiblingAxis(), m, {u"1", nullptr}, "i", 1},
      {new XpathPrivate::CPrecedingAxis(), deepest, {u"position() <= 2", u"2"}, "i", 2},
      {new XpathPrivate::CAncestorAxis(), deepest, {u"1", nullptr}, "d", 1},
      {new XpathPrivate::CAncestorOrSelfAxis(), deepest, {u"2 = position()", nullptr}, "d", 2},
      // nothing can pass: no node is visited
      {new XpathPrivate::CPrecedingSiblingAxis(), m, {u"0", nullptr}, "", 0},
      {new XpathPrivate::CFollowingAxis(), m, {u"1", u"1.5"}, "", 1},
  };
  for (const auto& c : cases) {
    XInterface<Xpath::CAxis> axis = c.axis;
    XInterface<CCountingNodeTest> test = new CCountingNodeTest();
    XInterface<Xpath::CStepExpr> step = new Xpath::CStepExpr(axis, XInterface<Xpath::CNodeTest>(test));
    for (const char16_t* predicate : c.predicates) {
      if (predicate) step->AddPredicate(new Xpath::CPredicate(XpathTest::Compile(predicate)));
    }
    std::string what = std::to_string(axis->GetAxisCode()) + " " + Core::ToUtf8(c.predicates[0]);
    EXPECT_EQ(XpathTest::DescribeValue(*step->Evaluate(m_host.MakeContext(c.context).Get())), c.expected) << what;
    EXPECT_LE(test->calls, c.maxVisits) << what;
    // The whole axis is long: the bound is what kept the walk short.
    test->calls = 0;
    XInterface<Xpath::CStepExpr> whole = new Xpath::CStepExpr(axis, XInterface<Xpath::CNodeTest>(test));
    XpathTest::DescribeValue(*whole->Evaluate(m_host.MakeContext(c.context).Get()));
    EXPECT_GE(test->calls, 300) << what;
  }

  // Inside a path each context node pays for its position only:
  // /r/i/following-sibling::T[1] visits one node per i.
  XInterface<CCountingNodeTest> test = new CCountingNodeTest();
  XInterface<Xpath::CPathExpr> path = new Xpath::CPathExpr(true);
  path->AddStep(new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), new XpathPrivate::CNameNodeTest(u"", u"r")));
  path->AddStep(new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), new XpathPrivate::CNameNodeTest(u"", u"i")));
  XInterface<Xpath::CStepExpr> step =
      new Xpath::CStepExpr(new XpathPrivate::CFollowingSiblingAxis(), XInterface<Xpath::CNodeTest>(test));
  step->AddPredicate(new Xpath::CPredicate(XpathTest::Compile(u"1")));
  path->AddStep(step);
  XInterface<Xpath::CValue> value = path->Evaluate(m_host.MakeContext(m_document).Get());
  EXPECT_EQ(value->GetNodeSet()->GetCount(), 999);
  EXPECT_LE(test->calls, 1000);
}

// A host node set that promises no error is read up to the position; one
// that may raise is read to its end.
TEST_F(PositionalSteps, FilterReadsItsSourceUpToThePosition) {
  Core::String markup = u"<r>";
  for (int i = 0; i < 1000; ++i) markup += u"<i/>";
  markup += u"</r>";
  Load(markup);
  class CSafeListNodeSet final : public XpathTest::CListNodeSet {
  public:
    using CListNodeSet::CListNodeSet;
    bool MayRaise() override { return false; }
  };
  std::vector<Dom::XNode> nodes = XpathTest::ElementsNamed(m_document, u"i");
  XInterface<XpathTest::CListNodeSet> safe = new CSafeListNodeSet(nodes);
  XInterface<XpathTest::CListNodeSet> unsafe = new XpathTest::CListNodeSet(nodes);
  m_host.Variables().Bind(u"", u"safe", new Xpath::CNodeSetValue(XInterface<Xpath::CNodeSet>(safe)));
  m_host.Variables().Bind(u"", u"unsafe", new Xpath::CNodeSetValue(XInterface<Xpath::CNodeSet>(unsafe)));
  EXPECT_EQ(Eval(u"count($safe[2])"), "number 1");
  EXPECT_LE(safe->nodeReads, 3);
  EXPECT_EQ(Eval(u"count($unsafe[2])"), "number 1");
  EXPECT_GE(unsafe->nodeReads, 1000);
  m_host.Variables().Bind(u"", u"safe", nullptr);
  m_host.Variables().Bind(u"", u"unsafe", nullptr);
}

} // namespace
