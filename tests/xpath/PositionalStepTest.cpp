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

// A last predicate of known positions after predicates of unknown ones
// ([A][1]): the same nodes as the full walk.
TEST_F(PositionalSteps, KnownPositionAfterOtherPredicates) {
  m_host.Variables().Bind(u"", u"yes", XpathTest::Boolean(true));
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      // reverse axes count nearest first
      {u"preceding-sibling::*[self::k or self::l][1]", "l"},
      {u"preceding-sibling::*[not(self::l)][1]", "k"},
      {u"preceding::*[true()][2]", "k"},
      {u"preceding::*[name() != 'l'][3]", "b1"},
      {u"ancestor::*[name() != 'c'][1]", "r"},
      {u"ancestor::*[true()][1]", "c"},
      {u"ancestor-or-self::*[local-name() != 'c1'][2]", "r"},
      {u"ancestor::node()[true()][3]", "/"},
      // forward axes
      {u"child::*[name() != 'x'][1]", "y"},
      {u"following-sibling::*[true()][2]", "n"},
      {u"following::*[true()][4]", "e"},
      {u"following::*[$yes][1]", "m"},
      {u"attribute::*[. != '1'][1]", "@q"},
      // positions beyond the count, and positions no node has
      {u"following-sibling::*[true()][3]", ""},
      {u"following-sibling::*[true()][0]", ""},
      {u"following-sibling::*[true()][1.5]", ""},
      {u"following-sibling::*[true()][-1]", ""},
      {u"count(following::*[true()][9])", "number 0"},
      // [last()] and other unknown positions still see every node
      {u"child::*[name() != 'x'][last()]", "z"},
      {u"child::*[name() != 'x'][position() = last()]", "z"},
      {u"child::*[name() != 'x'][position() > 1]", "z"},
      {u"following::*[true()][1][last()]", "m"},
      {u"following::*[true()][position() < 4][last()]", "d"},
      // after predicates that use position() or last()
      {u"child::*[position() > 1][1]", "y"},
      {u"child::*[position() != last()][2]", "y"},
      {u"child::*[last() > 2][3]", "z"},
      {u"child::*[position() = last() - 1][1]", "y"},
      {u"child::*[position() mod 2 = 1][2]", "z"},
      {u"child::*[true()][position() < 3][2]", "y"},
      {u"child::*[true()][2][1]", "y"},
      {u"child::*[true()][1][2]", ""},
      {u"child::*[true()][3][self::y]", ""},
      // nested predicates
      {u"../*[*[name() != 'x'][1]][1]", "c1"},
      {u"../*[not(*[true()][1])][3]", "m"},
      {u"/r/*[*[true()][2]][last()]", "c"},
      // a stopped step inside a path, a union and a filter
      {u"preceding-sibling::*[true()][1]/following-sibling::*[true()][2]", "m"},
      {u"../*[true()][2]/following::*[true()][1]", "c1"},
      {u"preceding-sibling::*[true()][1] | following-sibling::*[true()][1]", "l m"},
      {u"(preceding-sibling::* | following-sibling::*)[true()][1]", "k"},
      {u"(preceding-sibling::* | following-sibling::*)[true()][4]", "n"},
      // a filter counts in document order, a step along its axis
      {u"(preceding-sibling::*)[true()][1]", "k"},
      {u"(ancestor::*)[name() != 'c1'][1]", "r"},
      {u"ancestor::*[name() != 'c1'][1]", "c"},
      {u"(//*[true()][1])[2]", "a"},
      {u"(//*)[true()][2]", "a"},
      {u"//*[true()][1]", "r a a1 b1 k x e1"},
      // consumers that read one node, count or test
      {u"name(following-sibling::*[true()][2])", "string n"},
      {u"count(preceding::*[true()][2])", "number 1"},
      {u"boolean(../*[false()][1])", "boolean false"},
      {u"count(../*[true()][2] | ../*[true()][4])", "number 2"},
  };
  Dom::XNode c1 = Node(u"/r/c/c1");
  ASSERT_TRUE(c1);
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text, c1), c.expected) << Core::ToUtf8(c.text);
  m_host.Variables().Bind(u"", u"yes", nullptr);
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
      // a predicate before the position that may raise is tested on every
      // node: n raises after m has taken the position
      {u"following-sibling::*[self::m or $undefined][1]", "error 14"},
      {u"count(following-sibling::*[self::m or $undefined][1])", "error 14"},
      {u"following-sibling::*[self::m or q:f()][1]", "error 15"},
      {u"following-sibling::*[self::m or self::p:n][1]", "error 13"},
      {u"following-sibling::*[self::m or count(q:f())][1]", "error 15"},
      {u"(following-sibling::*)[self::m or $undefined][1]", "error 14"},
      {u"following-sibling::*[self::m or $undefined][0]", "error 14"},
      // ... unless the consumer reads the first node only
      {u"name(child::*[self::x or $undefined][1])", "string x"},
      // a node test that raises later on the axis
      {u"following-sibling::p:n[true()][1]", "error 13"},
      // predicates after the position are not reached by later nodes
      {u"following-sibling::*[true()][1][self::m or $undefined]", "m"},
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
      {new XpathPrivate::CFollowingAxis(), m, {u"true()", u"0"}, "", 0},
      // a known position after a predicate that raises nothing
      {new XpathPrivate::CChildAxis(), r, {u"true()", u"2"}, "i", 2},
      {new XpathPrivate::CChildAxis(), r, {u"position() > 1", u"1"}, "i", 2},
      {new XpathPrivate::CFollowingSiblingAxis(), m, {u"local-name() = 'i'", u"1"}, "i", 1},
      {new XpathPrivate::CFollowingSiblingAxis(), m, {u"name(.) = 'i'", u"position() = 3"}, "i", 3},
      {new XpathPrivate::CPrecedingSiblingAxis(), m, {u"self::i", u"1"}, "i", 1},
      {new XpathPrivate::CPrecedingAxis(), deepest, {u"not(self::d)", u"2"}, "i", 2},
      {new XpathPrivate::CAncestorAxis(), deepest, {u"self::d", u"1"}, "d", 1},
      {new XpathPrivate::CDescendantAxis(), r, {u"count(*) = 0", u"position() <= 2"}, "i i", 2},
  };
  for (const auto& c : cases) {
    XInterface<Xpath::CAxis> axis = c.axis;
    XInterface<CCountingNodeTest> test = new CCountingNodeTest();
    XInterface<Xpath::CStepExpr> step = new Xpath::CStepExpr(axis, XInterface<Xpath::CNodeTest>(test));
    for (const char16_t* predicate : c.predicates) {
      if (predicate) step->AddPredicate(new Xpath::CPredicate(XpathTest::Compile(predicate)));
    }
    std::string what = std::to_string(axis->GetAxisCode()) + " " + Core::ToUtf8(c.predicates[0]) + " " +
                       (c.predicates[1] ? Core::ToUtf8(c.predicates[1]) : std::string());
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

  // The same with a predicate before the position, walked or counted:
  // /r/i/following-sibling::T[A][1] visits the siblings of each i up to the
  // first that passes A, where the full walk visits all of them.
  struct Walk {
    const char16_t* first;
    int32_t count;
  } walks[] = {{u"true()", 999}, {u"name() = 'i'", 999}, {u"not(self::m)", 999}, {u"position() > 1", 998}};
  for (const Walk& walk : walks) {
    const char16_t* first = walk.first;
    test->calls = 0;
    XInterface<Xpath::CPathExpr> siblings = new Xpath::CPathExpr(true);
    siblings->AddStep(new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), new XpathPrivate::CNameNodeTest(u"", u"r")));
    siblings->AddStep(new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), new XpathPrivate::CNameNodeTest(u"", u"i")));
    XInterface<Xpath::CStepExpr> next =
        new Xpath::CStepExpr(new XpathPrivate::CFollowingSiblingAxis(), XInterface<Xpath::CNodeTest>(test));
    next->AddPredicate(new Xpath::CPredicate(XpathTest::Compile(first)));
    next->AddPredicate(new Xpath::CPredicate(XpathTest::Compile(u"1")));
    siblings->AddStep(next);
    XInterface<Xpath::CValue> firsts = siblings->Evaluate(m_host.MakeContext(m_document).Get());
    EXPECT_EQ(firsts->GetNodeSet()->GetCount(), walk.count) << Core::ToUtf8(first);
    EXPECT_LE(test->calls, 3000) << Core::ToUtf8(first);
  }
}

// A fixed function of the host raises nothing: a walk stops after it as
// after any predicate that raises nothing. One that the host does not
// declare fixed might raise, and every node is tested.
TEST_F(PositionalSteps, FixedFunctionsLetTheWalkStop) {
  Core::String markup = u"<r><m/>";
  for (int i = 0; i < 500; ++i) markup += u"<i/>";
  markup += u"</r>";
  Load(markup);
  XInterface<XpathTest::CCountingLibrary> library = new XpathTest::CCountingLibrary();
  m_host.SetFunctionLibrary(library.Get());
  library->SetHere(Node(u"/r/i[7]"));
  for (bool fixed : {true, false}) {
    library->fixed = fixed;
    XInterface<CCountingNodeTest> test = new CCountingNodeTest();
    XInterface<Xpath::CStepExpr> step =
        new Xpath::CStepExpr(new XpathPrivate::CFollowingSiblingAxis(), XInterface<Xpath::CNodeTest>(test));
    step->AddPredicate(new Xpath::CPredicate(XpathTest::Compile(u"local-name() = local-name(here())")));
    step->AddPredicate(new Xpath::CPredicate(XpathTest::Compile(u"2")));
    XInterface<Xpath::CValue> value = step->Evaluate(m_host.MakeContext(Node(u"/r/m")).Get());
    EXPECT_EQ(XpathTest::DescribeValue(*value), "i");
    EXPECT_EQ(value->GetNodeSet()->GetFirstNode(), Node(u"/r/i[2]"));
    if (fixed) {
      EXPECT_LE(test->calls, 4);
    } else {
      EXPECT_GE(test->calls, 500);
    }
  }
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
  safe->nodeReads = 0;
  EXPECT_EQ(Eval(u"count($safe[self::i][2])"), "number 1");
  EXPECT_LE(safe->nodeReads, 6);
  unsafe->nodeReads = 0;
  EXPECT_EQ(Eval(u"count($unsafe[self::i][2])"), "number 1");
  EXPECT_GE(unsafe->nodeReads, 1000);
  m_host.Variables().Bind(u"", u"safe", nullptr);
  m_host.Variables().Bind(u"", u"unsafe", nullptr);
}

} // namespace
