// Operands inside predicates whose value cannot depend on the context node,
// position or size (absolute paths, variables, functions over them) are
// evaluated once per evaluation of the enclosing expression, and node sets
// among them are read once for all the comparisons made with them. Results
// and errors stay those of evaluating them afresh for every node.
#include <gtest/gtest.h>

#include "xpath/Axis.h"
#include "xpath/EvaluationCache.h"
#include "xpath/NodeTest.h"
#include "xpath/OperatorExpr.h"
#include "xpath/PathExpr.h"
#include "xpath/support/EvalFixture.h"
#include "support/CountingNodeTest.h"

namespace {

using Core::XInterface;
using XpathTest::CEvalFixture;

struct Case {
  const char16_t* text;
  const char* expected;
};

class InvariantOperands : public CEvalFixture {
protected:
  InvariantOperands() {
    Load(u"<r flag='on'>"
         u"<g><x n='1'>a</x><y n='2'>b</y></g>"
         u"<g><x n='3'>b</x><y n='1'>c</y></g>"
         u"<g><x n='5'>d</x><y n='4'>a</y></g>"
         u"<g><x n='2'>7</x><y n='x'>3</y></g>"
         u"<k>b</k><k>z</k></r>");
    m_other = m_trees.Build(u"<r><g><x n='9'>c</x><x n='0'>q</x><y n='8'>c</y></g></r>");
    m_host.Variables().Bind(u"", u"ys", Evaluate(u"//y", m_document));
    m_host.Variables().Bind(u"", u"xs", Evaluate(u"//x", m_document));
    m_host.Variables().Bind(u"", u"other", Evaluate(u"/", m_other));
    m_host.Variables().Bind(u"", u"s", XpathTest::String(u"b"));
    m_host.Variables().Bind(u"", u"two", XpathTest::Number(2));
  }
  ~InvariantOperands() override {
    for (const char16_t* name : {u"ys", u"xs", u"other", u"s", u"two"}) m_host.Variables().Bind(u"", name, nullptr);
  }

  // Names each node of the result by its string value.
  std::string Values(Core::StringView text) {
    try {
      XInterface<Xpath::CValue> value = Evaluate(text, m_document);
      if (value->GetType() != Xpath::CValue::NodeSetType) return XpathTest::DescribeValue(*value);
      std::string out;
      for (XInterface<Xpath::CIterator> it = value->GetNodeSet()->CreateIterator(); Dom::XNode node = it->GetNode();
           it->Next()) {
        if (!out.empty()) out += ' ';
        out += Core::ToUtf8(Xpath::CValueConverter::NodeToString(node));
      }
      return out;
    } catch (const Xpath::CXpathException& e) {
      return "error " + std::to_string(e.GetCode());
    }
  }

  Dom::XNode m_other;
};

TEST_F(InvariantOperands, ComparisonsWithAnInvariantSide) {
  Case cases[] = {
      // x: a b d 7 (n 1 3 5 2); y: b c a 3 (n 2 1 4 x); k: b z
      {u"//x[. = //y]", "a b"},
      {u"//x[//y = .]", "a b"},
      {u"//x[. = /r/g/y]", "a b"},
      {u"//x[. != //y]", "a b d 7"},
      {u"//x[//y != .]", "a b d 7"},
      {u"//x[. != /r/k]", "a b d 7"},
      {u"//x[/r/k[1] != .]", "a d 7"},
      {u"//x[@n < //y/@n]", "a b 7"},
      {u"//x[@n > //y/@n]", "b d 7"},
      {u"//x[//y/@n <= @n]", "a b d 7"},
      {u"//x[//y/@n >= @n]", "a b 7"},
      {u"//x[//y/@n > @n]", "a b 7"},
      {u"//x[@n = //y/@n]", "a 7"},
      {u"//x[@n >= //k]", ""},
      // an invariant node set against a number or a string of each node
      {u"/descendant::x[//y/@n = position()]", "a b 7"},
      {u"/descendant::x[position() = //y/@n]", "a b 7"},
      {u"/descendant::x[//y/@n != position()]", "a b d 7"},
      {u"/descendant::x[//y/@n > position()]", "a b d"},
      {u"/descendant::x[position() >= //y/@n]", "a b d 7"},
      {u"/descendant::x[//y/@n < position()]", "b d 7"},
      {u"//x[//y = string(.)]", "a b"},
      {u"//x[string(.) = //y]", "a b"},
      {u"//x[string(.) != //y]", "a b d 7"},
      {u"//x[/r/k[1] != string(.)]", "a d 7"},
      {u"//x[//y < string(@n)]", "d"},
      {u"//x[//y = boolean(@n)]", "a b d 7"},
      // invariant scalars
      {u"/descendant::x[position() = count(//y) - 2]", "b"},
      {u"/descendant::x[last() = count(/r/g)]", "a b d 7"},
      {u"//x[@n < count(//y)]", "a b 7"},
      {u"//x[@n + count(//y) > 6]", "b d"},
      {u"//x[@n = sum((//y)[position() < 3]/@n)]", "b"},
      {u"//x[starts-with(., substring(/r/k, 1, 1))]", "b"},
      {u"//x[contains(concat(/r/k[2], //y), .)]", "b"},
      {u"//x[. = $s]", "b"},
      {u"//x[@n = $two]", "7"},
      {u"//x[. = $ys]", "a b"},
      {u"//x[$ys = .]", "a b"},
      {u"//x[$ys/@n = @n]", "a 7"},
      {u"//x[. = $ys[@n > 1]]", "a b"},
      // whole predicates that do not depend on the node
      {u"//x[//y = 'c']", "a b d 7"},
      {u"//x[//y = 'q']", ""},
      {u"//x[/r/@flag]", "a b d 7"},
      {u"/descendant::x[count(//y) > 3][2]", "b"},
      {u"/descendant::x[count(//y)]", "7"},
      {u"/descendant::x[$two]", "b"},
      // under not, and, or
      {u"//x[not(. = //y)]", "d 7"},
      {u"//x[. = //y and @n > count(/r/k)]", "b"},
      {u"//x[@n = 5 or . = //y]", "a b d"},
      {u"//x[/r/k = 'z' and . = /r/k]", "b"},
      // nested steps, filters and predicates
      {u"//g[x = //y]/x", "a b"},
      {u"//g[x[. = //y]]/y", "b c"},
      {u"/r/g/x[. = //y]", "a b"},
      {u"/r/g[y = //x]/y", "b a"},
      {u"(//x)[. = //y]", "a b"},
      {u"$xs[. = //y]", "a b"},
      {u"$xs[. = //y][last()]", "b"},
      {u"(//x[. = //y])[2]", "b"},
      {u"//x[. = (//y | /r/k)]", "a b"},
      {u"count(//x[. = //y]) + count(//y[. = //x])", "number 4"},
      // other documents: an absolute path follows the document of the node
      {u"$other//x[. = //y]", "c"},
      {u"$other//x[. = /r/g/y]", "c"},
      {u"($other//x | //x)[. = //y]", "a b c"},
      {u"($other//x | //x)[count(//y) = 1]", "c q"},
      {u"//x[. = $other//y]", ""},
      {u"$other//x[. = $ys]", "c"},
      // functions that read the context node are evaluated for every node
      {u"//x[string() = //y]", "a b"},
      {u"//x[string-length() = count(/r/k)]", ""},
      {u"//x[normalize-space() = /r/k]", "b"},
      {u"//y[number() = //x/@n]", "3"},
      {u"//x[name() = name(/r/g/*)]", "a b d 7"},
      {u"//*[local-name() = 'y'][. = //x]", "b a"},
  };
  for (const auto& c : cases) EXPECT_EQ(Values(c.text), c.expected) << Core::ToUtf8(c.text);
}

// An invariant operand raises where its first evaluation raised before, and
// an operand never reached is never evaluated. A node set read only part of
// the way raises only when a comparison needs a node that raises.
TEST_F(InvariantOperands, ErrorsSurfaceWhereTheyDid) {
  Load(u"<r><y n='1'>a</y><y n='2'>b</y><y n='3'>q</y><y n='4'>c</y>"
       u"<x n='2'>a</x><x n='1'>b</x><x n='9'>c</x></r>");
  Case cases[] = {
      {u"//x[. = $undefined]", "error 14"},
      {u"//none[. = $undefined]", ""},
      {u"count(//x[@n = 99 and . = $undefined])", "number 0"},
      {u"//x[. = $undefined or true()]", "error 14"},
      {u"//x[true() or . = $undefined]", "a b c"},
      {u"//x[. = /r/p:y]", "error 13"},
      {u"//none[. = /r/p:y]", ""},
      {u"//x[. = count()]", "error 16"},
      {u"//x[. = count(1)]", "error 17"},
      {u"//x[. = unknown()]", "error 15"},
      {u"//none[. = unknown()]", ""},
      {u"//x[count(/r/y) = $undefined]", "error 14"},
      // y q raises; the comparisons that stop before it do not
      {u"/r/x[. = /r/y[. != 'q' or $u]]", "error 14"},
      {u"/r/x[position() < 3][. = /r/y[. != 'q' or $u]]", "a b"},
      {u"/r/x[position() < 3][/r/y[. != 'q' or $u] = .]", "a b"},
      {u"/r/x[/r/y[. != 'q' or $u] = .]", "error 14"},
      {u"/r/x[. != /r/y[. != 'q' or $u]]", "a b c"},
      {u"/r/x[/r/y[. != 'q' or $u] != .]", "a b c"},
      {u"/r/x[position() < 3][/r/y[. != 'q' or $u] = string(.)]", "a b"},
      {u"/r/x[/r/y[. != 'q' or $u] = string(.)]", "error 14"},
      {u"/r/x[@n > /r/y[. != 'q' or $u]/@n]", "error 14"},
      {u"/r/x[position() = 1][@n > /r/y[. != 'q' or $u]/@n]", "a"},
      {u"/r/x[@n < /r/y[. != 'q' or $u]/@n]", "error 14"},
      {u"/r/x[/r/y[. != 'q' or $u]/@n < @n]", "error 14"},
      {u"/r/x[@n != 1][/r/y[. != 'q' or $u]/@n < @n]", "a c"},
      {u"/r/x[/r/y[. != 'q' or $u]/@n > position()]", "error 14"},
      {u"/r/x[position() < 2][/r/y[. != 'q' or $u]/@n > position()]", "a"},
      {u"/r/x[/r/y[. != 'q' or $u]/@n = position() + 1]", "error 14"},
      {u"/r/x[position() < 2][/r/y[. != 'q' or $u]/@n = position() + 1]", "a"},
      {u"/r/x[/r/y[. != 'q' or $u]/@n = position() + 2]", "error 14"},
      // the other side raises when it is read; an empty invariant side never reads it
      {u"/r/x[/r/none = @p:n]", ""},
      {u"/r/x[/r/y = @p:n]", "error 13"},
            {u"/r/x[@p:n = /r/none]", "error 13"},
  };
  for (const auto& c : cases) EXPECT_EQ(Values(c.text), c.expected) << Core::ToUtf8(c.text);
}

// A host node set whose node at one index raises whenever it is read.
class CFailingNodeSet final : public XpathTest::CListNodeSet {
public:
  CFailingNodeSet(std::vector<Dom::XNode> nodes, size_t failing) : CListNodeSet(std::move(nodes)), m_failing(failing) {}
  XInterface<Xpath::CIterator> CreateIterator() override { return new CIterator(this); }

private:
  class CIterator final : public Xpath::CIterator {
  public:
    explicit CIterator(CFailingNodeSet* set) : m_set(set) {}
    Xpath::CNodeSet* GetNodeSet() override { return m_set.Get(); }
    Dom::XNode GetNode() override {
      if (m_index == m_set->m_failing) throw Xpath::CXpathException(Xpath::CXpathException::NotANodeSet);
      return m_index < m_set->Nodes().size() ? m_set->Nodes()[m_index] : nullptr;
    }
    int32_t GetPosition() override { return m_index < m_set->Nodes().size() ? int32_t(m_index + 1) : 0; }
    void Next() override {
      if (m_index < m_set->Nodes().size()) ++m_index;
    }

  private:
    XInterface<CFailingNodeSet> m_set;
    size_t m_index = 0;
  };
  size_t m_failing;
};

// The comparisons of one evaluation share what they have read of a node
// set; a read that raised is not taken for done: walking the result again
// raises again at the same node.
TEST_F(InvariantOperands, AReadThatRaisedRaisesAgain) {
  XInterface<CFailingNodeSet> ys = new CFailingNodeSet(XpathTest::ElementsNamed(m_document, u"y"), 2);
  m_host.Variables().Bind(u"", u"flaky", new Xpath::CNodeSetValue(XInterface<Xpath::CNodeSet>(ys)));
  // x a matches y 3 (its fourth): the third raises first.
  for (const char16_t* text : {u"//x[. = $flaky]", u"//x[$flaky = .]", u"//x[$flaky = string(.)]"}) {
    XInterface<Xpath::CValue> value = Evaluate(text, m_document);
    for (int walk = 0; walk < 2; ++walk) {
      try {
        XpathTest::DescribeValue(*value);
        ADD_FAILURE() << Core::ToUtf8(text) << " walk " << walk;
      } catch (const Xpath::CXpathException& e) {
        EXPECT_EQ(e.GetCode(), Xpath::CXpathException::NotANodeSet) << Core::ToUtf8(text);
      }
    }
  }
  m_host.Variables().Bind(u"", u"flaky", nullptr);
}

using TestSupport::CCountingNodeTest;

using XpathTest::CCountingLibrary;

class InvariantCosts : public CEvalFixture {
protected:
  // n groups, each an x and a y; the x of group i holds i, its y 2i.
  void LoadGroups(int n) {
    Core::String markup = u"<r>";
    for (int i = 0; i < n; ++i) {
      markup += u"<g><x>" + Core::FromUtf8(std::to_string(i)) + u"</x><y>" +
                Core::FromUtf8(std::to_string(2 * i)) + u"</y></g>";
    }
    Load(markup + u"</r>");
  }
};

// /r/g/y with a counting last step, compared with every x: the y steps are
// walked once, not once per x, whichever side the invariant path takes.
TEST_F(InvariantCosts, AnInvariantPathIsWalkedOnce) {
  const int n = 300;
  LoadGroups(n);
  for (bool invariantLeft : {false, true}) {
    for (int32_t op : {0, 1, 2}) {
      XInterface<CCountingNodeTest> test = new CCountingNodeTest(u"y");
      XInterface<Xpath::CPathExpr> ys = new Xpath::CPathExpr(true);
      ys->AddStep(new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), new XpathPrivate::CNameNodeTest(u"", u"r")));
      ys->AddStep(new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), new XpathPrivate::CNameNodeTest(u"", u"g")));
      ys->AddStep(new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), XInterface<Xpath::CNodeTest>(test)));
      XInterface<Xpath::CExpr> dot = XpathTest::Compile(u".");
      XInterface<Xpath::CExpr> left = invariantLeft ? XInterface<Xpath::CExpr>(ys) : dot;
      XInterface<Xpath::CExpr> right = invariantLeft ? dot : XInterface<Xpath::CExpr>(ys);
      XInterface<Xpath::CExpr> comparison;
      if (op == 2) comparison = new XpathPrivate::CRelationalExpr(0, left, right);
      else comparison = new XpathPrivate::CEqualityExpr(op, left, right);
      XInterface<Xpath::CStepExpr> xs =
          new Xpath::CStepExpr(new XpathPrivate::CDescendantAxis(), new XpathPrivate::CNameNodeTest(u"", u"x"));
      xs->AddPredicate(new Xpath::CPredicate(comparison));
      XInterface<Xpath::CPathExpr> path = new Xpath::CPathExpr(true);
      path->AddStep(xs);
      XInterface<Xpath::CValue> value = path->Evaluate(m_host.MakeContext(m_document).Get());
      // x i = y 2j for even i; x i != some y for every i; x i < the
      // greatest y for every i, the least y < x i for i > 0.
      int32_t expected = op == 0 ? n / 2 : n;
      if (op == 2 && invariantLeft) expected = n - 1;
      std::string what = std::to_string(op) + (invariantLeft ? " left" : " right");
      EXPECT_EQ(value->GetNodeSet()->GetCount(), expected) << what;
      // one node test per child of every g
      EXPECT_LE(test->calls, 2 * n) << what;
    }
  }
}

// A node set bound to a variable is read once for all the x compared with it.
TEST_F(InvariantCosts, AVariableIsReadOnce) {
  const int n = 200;
  LoadGroups(n);
  XInterface<XpathTest::CListNodeSet> ys = new XpathTest::CListNodeSet(XpathTest::ElementsNamed(m_document, u"y"));
  m_host.Variables().Bind(u"", u"ys", new Xpath::CNodeSetValue(XInterface<Xpath::CNodeSet>(ys)));
  Case cases[] = {
      {u"count(//x[. = $ys])", "number 100"},
      {u"count(//x[$ys = .])", "number 100"},
      {u"count(//x[$ys != .])", "number 200"},
      {u"count(//x[. > $ys])", "number 199"},
      {u"count(//x[$ys = string(.)])", "number 100"},
  };
  for (const auto& c : cases) {
    ys->iterators = 0;
    ys->nodeReads = 0;
    EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
    EXPECT_LE(ys->iterators, 1) << Core::ToUtf8(c.text);
    EXPECT_LE(ys->nodeReads, n) << Core::ToUtf8(c.text);
  }
  m_host.Variables().Bind(u"", u"ys", nullptr);
}

// Calls over invariant operands are made once per evaluation of the whole
// expression, however many nodes and steps see them; calls that read the
// context are made for every node.
TEST_F(InvariantCosts, InvariantCallsAreMadeOnce) {
  const int n = 100;
  LoadGroups(n);
  XInterface<CCountingLibrary> library = new CCountingLibrary();
  m_host.SetFunctionLibrary(library.Get());
  struct Count {
    const char16_t* text;
    const char* expected;
    const char* function;
    int calls;
  } cases[] = {
      {u"count(//x[. < count(//y)])", "number 100", "count", 2},
      {u"count(/r/g/x[. < count(//y) div 2])", "number 50", "count", 2},
      {u"count(//g[x[. < count(//y) div 2]])", "number 50", "count", 2},
      {u"count(//g[x < count(//y) div 2][y > sum(/r/g/x) div 100])", "number 25", "sum", 1},
      {u"count(/descendant::x[position() < count(//y) div 2])", "number 49", "position", n},
      {u"count(//x[string-length() = string-length(/r/g[last()]/y)])", "number 0", "string-length", n + 1},
      {u"count(//x[. = //y])", "number 50", "count", 1},
      // each path keeps its own
      {u"count(//x[. < count(//y)]) + count(//x[. < count(//y)])", "number 200", "count", 4},
  };
  for (const auto& c : cases) {
    library->calls.clear();
    EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
    EXPECT_EQ(library->calls[c.function], c.calls) << Core::ToUtf8(c.text);
  }
}

// A fixed function of the host (like current()) is called once per
// evaluation wherever what it is compared with changes from node to node;
// a function the host does not declare fixed is called for every node.
TEST_F(InvariantCosts, FixedCallsAreMadeOncePerEvaluation) {
  const int n = 100;
  LoadGroups(n);
  XInterface<CCountingLibrary> library = new CCountingLibrary();
  m_host.SetFunctionLibrary(library.Get());
  library->SetHere(Node(u"/r/g[5]/x"));
  struct Count {
    const char16_t* text;
    const char* expected;
    int fixedCalls;
  } cases[] = {
      {u"count(//x[. = here()])", "number 1", 1},
      {u"count(//x[. = string(here())])", "number 1", 1},
      {u"count(//x[. > here()/../y])", "number 91", 1},
      {u"count(//x[local-name(.) = concat(local-name(here()), '')])", "number 100", 1},
      {u"count(/r/g[x = here()]/following-sibling::g[x > here()])", "number 95", 2},
      {u"count(//x[. = here()]) + count(//y[. = here()])", "number 2", 2},
  };
  for (bool fixed : {true, false}) {
    library->fixed = fixed;
    for (const auto& c : cases) {
      // A fresh expression: what an operand depends on is worked out once.
      library->calls.clear();
      EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
      if (fixed) {
        EXPECT_EQ(library->calls["here"], c.fixedCalls) << Core::ToUtf8(c.text);
      } else {
        EXPECT_GE(library->calls["here"], n) << Core::ToUtf8(c.text);
      }
    }
  }
}

// A lasting cache serves many evaluations, between which a fixed function
// may change its value: it keeps nothing that calls one.
TEST_F(InvariantCosts, LastingCachesKeepNoFixedCall) {
  LoadGroups(10);
  XInterface<CCountingLibrary> library = new CCountingLibrary();
  m_host.SetFunctionLibrary(library.Get());
  XInterface<XpathPrivate::CEvaluationCache> cache = new XpathPrivate::CEvaluationCache(true);
  XInterface<Xpath::CExpr> expr = XpathTest::Compile(u"//x[. = string(here())]");
  for (const char16_t* here : {u"/r/g[3]/x", u"/r/g[8]/x", u"/r/g[3]/x"}) {
    library->SetHere(Node(here));
    XInterface<Xpath::CContext> context =
        new Xpath::CContext(m_host.MakeContext(m_document).Get(), m_document, cache.Get());
    XInterface<Xpath::CValue> value = expr->Evaluate(context.Get());
    Dom::XNode found = value->GetNodeSet()->GetFirstNode();
    EXPECT_EQ(found, Node(here)) << Core::ToUtf8(here);
    EXPECT_EQ(value->GetNodeSet()->GetCount(), 1) << Core::ToUtf8(here);
  }
}

} // namespace
