#include <gtest/gtest.h>

#include "xpath/CommonNodeSet.h"
#include "xpath/support/EvalFixture.h"

namespace {

using XpathTest::CEvalFixture;

const char16_t* kDoc =
    u"<?top t?><r xmlns:p='urn:p'>"
    u"<a id='a1' x='1' y='2'><b>t1</b><c/><b><d/></b></a>"
    u"<!--note--><a id='a2'><b>t2</b><?pi data?></a>"
    u"<p:e xmlns='urn:d'><f p:z='3'/></p:e>"
    u"</r>";

class EvalPaths : public CEvalFixture {
protected:
  EvalPaths() {
    Load(kDoc);
    m_host.Namespaces().Declare(u"q", u"urn:p");
    m_host.Namespaces().Declare(u"d", u"urn:d");
  }
};

TEST_F(EvalPaths, Axes) {
  struct Case {
    const char16_t* context;
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"/", u"child::node()", "?top r"},
      {u"/r/a[1]", u"child::*", "b c b"},
      {u"/r/a[1]", u"descendant::*", "b c b d"},
      {u"/r/a[1]", u"descendant-or-self::*", "a b c b d"},
      {u"/r/a[1]/b[2]/d", u"ancestor::*", "r a b"},
      {u"/r/a[1]/b[2]/d", u"ancestor-or-self::node()", "/ r a b d"},
      {u"/r/a[1]/c", u"parent::node()", "a"},
      {u"/r/a[1]/c", u"self::c", "c"},
      {u"/r/a[1]/c", u"self::b", ""},
      {u"/r/a[1]/c", u"following-sibling::node()", "b"},
      {u"/r/a[1]/c", u"preceding-sibling::node()", "b"},
      {u"/r/a[1]/c", u"following::node()", "b d comment a b text ?pi p:e f"},
      {u"/r/a[2]", u"preceding::node()", "?top a b text c b d comment"},
      {u"/r/a[1]", u"attribute::node()", "@id @x @y"},
      {u"/r/a[1]", u"@*", "@id @x @y"},
      {u"/", u"parent::node() | ancestor::node()", ""},
      {u"/", u"ancestor-or-self::node()", "/"},
      {u"/r/comment()", u"@* | namespace::*", ""},
      {u"/", u"@*", ""},
      {u"/r/a[1]/b[1]/text()", u"@* | child::node() | namespace::*", ""},
      // descendant stops at the end of the context node's subtree
      {u"/r/a[1]/b[1]", u"descendant::node()", "text"},
      // reverse axes count positions nearest first
      {u"/r/a[1]/b[2]/d", u"ancestor::*[1]", "b"},
      {u"/r/a[1]/b[2]/d", u"ancestor::*[last()]", "r"},
      {u"/r/a[1]/b[2]", u"preceding-sibling::*[1]", "c"},
      {u"/r/a[2]/b", u"preceding::*[1]", "d"},
      {u"/r/a[2]/b", u"preceding::*[2]", "b"},
      // a reverse step as a whole path yields document order
      {u"/r/a[1]/b[2]/d", u"ancestor::* | .", "r a b d"},
  };
  for (const auto& c : cases) {
    Dom::XNode node = Node(c.context);
    ASSERT_TRUE(node) << Core::ToUtf8(c.context);
    EXPECT_EQ(Eval(c.text, node), c.expected) << Core::ToUtf8(c.context) << " " << Core::ToUtf8(c.text);
  }
}

TEST_F(EvalPaths, ReverseAxesReportTheirOrder) {
  Dom::XNode d = Node(u"/r/a[1]/b[2]/d");
  const struct {
    const char16_t* text;
    bool reverse;
  } cases[] = {{u"ancestor::node()", true},          {u"ancestor-or-self::node()", true},
               {u"preceding::node()", true},         {u"preceding-sibling::node()", true},
               {u"following::node()", false},        {u"child::node()", false},
               {u"descendant-or-self::node()", false}, {u"self::node()", false}};
  for (const auto& c : cases) {
    Core::XInterface<Xpath::CExpr> expr = XpathTest::Compile(c.text);
    auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr.Get());
    ASSERT_TRUE(path);
    Core::XInterface<Xpath::CNodeSet> set = path->GetSteps()[0]->GetAxis()->CreateNodeSet(d);
    EXPECT_EQ(set->IsReverseOrder(), c.reverse) << Core::ToUtf8(c.text);
    EXPECT_EQ(set->IsDocumentOrder(), !c.reverse) << Core::ToUtf8(c.text);
  }
}

// From an attribute or namespace node the following axis starts with the
// element's children, which follow the attribute in document order.
TEST_F(EvalPaths, FollowingFromAttributeAndNamespaceNodes) {
  EXPECT_EQ(Eval(u"following::node()", Node(u"/r/a[1]/@x")), "b text c b d comment a b text ?pi p:e f");
  EXPECT_EQ(Eval(u"following::*[1]", Node(u"/r/a[1]/@x")), "b");
  EXPECT_EQ(Eval(u"count(following::node())", Node(u"/r/q:e/d:f/@q:z")), "number 0");
  // A namespace node belongs to the element that declared it.
  EXPECT_EQ(Eval(u"following::node()", Node(u"/r/namespace::p")), "a b text c b d comment a b text ?pi p:e f");
  EXPECT_EQ(Eval(u"following::node()[1]", Node(u"/r/q:e/namespace::node()[name() = '']")), "f");
  EXPECT_EQ(Eval(u"following-sibling::node() | preceding-sibling::node()", Node(u"/r/a[1]/@x")), "");
  // preceding of an attribute skips its element, an ancestor
  EXPECT_EQ(Eval(u"preceding::node()", Node(u"/r/a[2]/@id")), "?top a b text c b d comment");
  EXPECT_EQ(Eval(u"parent::node() | ancestor::*", Node(u"/r/a[1]/@x")), "r a");
}

TEST_F(EvalPaths, NodeTests) {
  struct Case {
    const char16_t* context;
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"/r/a[1]/@x", u"self::*", "@x"},
      {u"/r/a[1]/@x", u"self::x", "@x"},
      {u"/r/a[1]", u"self::*", "a"},
      {u"/r", u"p:e", "error 13"},
      {u"/r", u"q:e", "p:e"},
      {u"/r", u"q:*", "p:e"},
      {u"/r", u"*/q:*", ""},
      // an unprefixed name test does not take the default namespace
      {u"/r/q:e", u"f", ""},
      {u"/r/q:e", u"d:f", "f"},
      {u"/r/q:e", u"d:*", "f"},
      {u"/r/q:e/d:f", u"@q:z", "@p:z"},
      {u"/r/q:e/d:f", u"@z", ""},
      {u"/r/q:e/d:f", u"@q:*", "@p:z"},
      // an undeclared prefix matters only for a candidate of that local name
      {u"/r", u"a/b/undeclared:x", ""},
      {u"/r", u"a/undeclared:b", "error 13"},
      {u"/r", u"node()", "a comment a p:e"},
      {u"/r", u"text()", ""},
      {u"/r/a[1]", u"b/text()", "text"},
      {u"/r", u"comment()", "comment"},
      {u"/", u"processing-instruction()", "?top"},
      {u"/", u"processing-instruction('top')", "?top"},
      {u"/", u"processing-instruction('TOP')", ""},
      {u"/", u"processing-instruction('top ')", ""},
      {u"/r/a[2]", u"processing-instruction('pi')", "?pi"},
  };
  for (const auto& c : cases) {
    Dom::XNode node = Node(c.context);
    ASSERT_TRUE(node) << Core::ToUtf8(c.context);
    EXPECT_EQ(Eval(c.text, node), c.expected) << Core::ToUtf8(c.context) << " " << Core::ToUtf8(c.text);
  }
  Core::XInterface<Xpath::CExpr> expr = XpathTest::Compile(u"foo:bar");
  auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr.Get());
  EXPECT_EQ(path->GetSteps()[0]->GetNodeTest()->GetLocalName(), u"bar");
  expr = XpathTest::Compile(u"foo:*");
  path = dynamic_cast<const Xpath::CPathExpr*>(expr.Get());
  EXPECT_EQ(path->GetSteps()[0]->GetNodeTest()->GetLocalName(), u"");
}

TEST_F(EvalPaths, NamespaceNodesMatchByPrefix) {
  Dom::XNode f = Node(u"/r/q:e/d:f");
  EXPECT_EQ(Eval(u"namespace::xml", f), "ns:xml");
  EXPECT_EQ(Eval(u"namespace::p", f), "ns:p");
  EXPECT_EQ(Eval(u"string(namespace::p)", f), "string urn:p");
  EXPECT_EQ(Eval(u"count(namespace::*)", f), "number 3");
  EXPECT_EQ(Eval(u"namespace::q", f), "");
  EXPECT_EQ(Eval(u"count(namespace::node()[name() = ''])", f), "number 1");
  EXPECT_EQ(Eval(u"local-name(namespace::p)", f), "string p");
  EXPECT_EQ(Eval(u"name(namespace::p)", f), "string p");
  EXPECT_EQ(Eval(u"namespace::p/self::p", f), "ns:p");
  EXPECT_EQ(Eval(u"namespace::node()[name() = '']/parent::*", f), "p:e");
}

TEST_F(EvalPaths, PredicatesAndPaths) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"/r/a[1]/b[2]", "b"},
      {u"/r/a[1]/*[position() = last()]", "b"},
      {u"/r/a[1]/*[last()]/d", "d"},
      {u"(//b)[1]/text()", "text"},
      {u"count((//b)[1])", "number 1"},
      {u"count(//b[1])", "number 2"},
      {u"//b[2.0]/d", "d"},
      {u"/r/a[1]/*['0']", "b c b"},
      {u"/r/a[1]/*[0]", ""},
      {u"/r/a[1]/*[b or d]", "b"},
      {u"/r/a[@x = 1]/@y", "@y"},
      {u"/r/a[1]/*[2][1]", "c"},
      {u"/r/a[1]/*[2][2]", ""},
      {u"/r/a[1]/*[position() > 1][last()]", "b"},
      {u"/r/a[1]/*[position() > 1][position() = 1]", "c"},
      {u"/r/a[1]/*[last()][last()][last()]", "b"},
      {u"//a/b | //a/b", "b b b"},
      {u"//d | //c | /r", "r c d"},
      {u"/r/a[2] | /r/a[1]", "a a"},
      {u"/", "/"},
      {u"/..", ""},
      {u"//@*", "@id @x @y @id @p:z"},
      {u"/r/a/b/..", "a a"},
      {u"/r//b", "b b b"},
      {u"/r/a[1]//node()", "b text c b d"},
      {u"//b/d/ancestor::*", "r a b"},
      {u"//c/following-sibling::b/d", "d"},
      {u"/r/a[1]/b/self::b", "b b"},
      {u"/r/a[1]/b/attribute::c", ""},
      {u"//b[. = 't2']/../@id", "@id"},
      {u"//*[@id][2]", "a"},
      {u"//*[@id][2]/@id = 'a2'", "boolean true"},
      {u"count(//node())", "number 15"},
      {u"//*[local-name() = 'e']/*", "f"},
      // // before a child step: position-free predicates select as on the
      // descendant axis, positional ones count among siblings.
      {u"//b[d]", "b"},
      {u"//b[. = 't2'] | //b[not(node())]", "b"},
      {u"//b[last()]", "b b"},
      {u"//b[position() = 1]", "b b"},
      {u"//b[1 + 0]", "b b"},
      {u"//*[b and position() = 1]", "a"},
      {u"//*[b][2]", "a"},
      {u"/r//*[@id]/b[1]", "b b"},
      {u".//b[string(d) = '']", "b b b"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
}

TEST_F(EvalPaths, FiltersAndVariables) {
  m_host.Variables().Bind(u"", u"s", XpathTest::String(u"str"));
  m_host.Variables().Bind(u"", u"n", XpathTest::Number(2));
  Core::XInterface<Xpath::CValue> as = Evaluate(u"//a", m_document);
  m_host.Variables().Bind(u"", u"as", as);
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"($s)", "string str"},
      {u"$as", "a a"},
      {u"$as[2]/b", "b"},
      {u"$as[$n]/@id", "@id"},
      {u"$as/b[1]", "b b"},
      {u"$as//d", "d"},
      {u"($as | $as)[last()]", "a"},
      {u"count($as[1] | $as)", "number 2"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
  // A variable is handed out shared.
  EXPECT_EQ(Evaluate(u"$as", m_document).Get(), as.Get());
  // The set holds its context, which holds the bindings: break the cycle.
  m_host.Variables().Bind(u"", u"as", nullptr);
}

// A value that is not a node set where a node set is required is an XPath
// error, not a dereference of nothing.
TEST_F(EvalPaths, NonNodeSetsWhereNodeSetsAreRequired) {
  m_host.Variables().Bind(u"", u"s", XpathTest::String(u"str"));
  m_host.Variables().Bind(u"", u"b", XpathTest::Boolean(true));
  m_host.Variables().Bind(u"", u"f", XpathTest::Fragment(u"frag"));
  const char16_t* cases[] = {u"'a'[1]",   u"$s/x",     u"$s//x",  u"1 | x", u"x | $b", u"(1)[1]",
                             u"$f/x",     u"$f | /r",  u"count($s/x)", u"(2 + 3)/x", u"$s[1]/x"};
  for (const char16_t* text : cases) {
    EXPECT_EQ(Eval(text), "error 19") << Core::ToUtf8(text);
  }
  EXPECT_EQ(Message(u"$s/x"), "Expression does not evaluate to a node-set");
}

TEST_F(EvalPaths, ErrorsSurfaceWhenTheSetIsIterated) {
  Core::XInterface<Xpath::CValue> value;
  EXPECT_NO_THROW(value = Evaluate(u"/r/a/undeclared:b", m_document));
  EXPECT_THROW(value->GetNodeSet()->GetCount(), Xpath::CXpathException);
  EXPECT_NO_THROW(value = Evaluate(u"//a[$undefined]", m_document));
  EXPECT_THROW(value->GetNodeSet()->CreateIterator(), Xpath::CXpathException);
  EXPECT_NO_THROW(value = Evaluate(u"$undefined/a", m_document));
  EXPECT_THROW(value->GetNodeSet()->GetFirstNode(), Xpath::CXpathException);
  // a union evaluates its operands at once
  EXPECT_EQ(Eval(u"/r | $undefined"), "error 14");
}

TEST_F(EvalPaths, IteratorsOfOneSetAreIndependent) {
  Core::XInterface<Xpath::CValue> value = Evaluate(u"//b | //c", m_document);
  Xpath::CNodeSet* set = value->GetNodeSet();
  auto first = set->CreateIterator();
  first->Next();
  auto second = set->CreateIterator();
  EXPECT_EQ(set->GetCount(), 4);
  EXPECT_EQ(first->GetPosition(), 2);
  EXPECT_EQ(XpathTest::DescribeNode(first->GetNode().Get()), "c");
  EXPECT_EQ(second->GetPosition(), 1);
  for (int i = 0; i < 5; ++i) first->Next();
  EXPECT_FALSE(first->GetNode());
  EXPECT_EQ(first->GetPosition(), 0);
  first->Next();
  EXPECT_FALSE(first->GetNode());
}

// Expressions nested as deep as the parser allows evaluate within the stack.
TEST_F(EvalPaths, DeepestNestingEvaluates) {
  const int depth = XpathPrivate::CParser::MaxNesting - 2;
  struct Case {
    const char16_t* open;
    const char16_t* middle;
    const char16_t* close;
    const char* expected;
  } cases[] = {
      {u"(", u"1", u")", "number 1"},
      {u"not(", u"1", u")", "boolean true"},
      {u"-", u"1", u"", "number 1"},
      {u"self::node()[", u"true()", u"]", "/"},
      {u"(/r)[", u"1", u"]", "r"},
  };
  for (const auto& c : cases) {
    Core::String text;
    for (int i = 0; i < depth; ++i) text += c.open;
    text += c.middle;
    for (int i = 0; i < depth; ++i) text += c.close;
    EXPECT_EQ(Eval(text), c.expected) << Core::ToUtf8(c.open);
  }
}

// Long predicate chains and long paths are filtered in loops.
TEST_F(EvalPaths, LongPredicateChainsAndPaths) {
  Core::String predicates = u"/r/a";
  Core::String lasts = u"/r/a[1]/*";
  for (int i = 0; i < 5000; ++i) {
    predicates += u"[1]";
    lasts += u"[last()]";
  }
  EXPECT_EQ(Eval(predicates + u"/@id"), "@id");
  EXPECT_EQ(Eval(lasts), "b");
  Core::String filter = u"(//a)";
  for (int i = 0; i < 5000; ++i) filter += u"[true()]";
  EXPECT_EQ(Eval(u"count(" + filter + u")"), "number 2");

  Core::String selves = u"/r";
  Core::String parents = u"/r/a[1]/b[2]/d";
  for (int i = 0; i < 5000; ++i) {
    selves += u"/self::r";
    parents += u"/../d";
  }
  EXPECT_EQ(Eval(selves), "r");
  EXPECT_EQ(Eval(parents), "d");
}

} // namespace

namespace {

// No default namespace in scope, or one undeclared by xmlns="", is no
// namespace node; the xml prefix always is one.
TEST_F(EvalPaths, NoNamespaceNodeForAnAbsentDefaultNamespace) {
  EXPECT_EQ(Eval(u"namespace::*", Node(u"/r/a[1]")), "ns:xml ns:p");
  EXPECT_EQ(Eval(u"count(namespace::node()[name() = ''])", Node(u"/r/a[1]")), "number 0");
  EXPECT_EQ(Eval(u"namespace::*", Node(u"/r")), "ns:xml ns:p");
  Load(u"<r xmlns='urn:d'><s xmlns=''><t xmlns:p='urn:p'/></s></r>");
  EXPECT_EQ(Eval(u"count(/*/namespace::*)"), "number 2");
  EXPECT_EQ(Eval(u"string(/*/namespace::*[name() = ''])"), "string urn:d");
  EXPECT_EQ(Eval(u"/*/*/namespace::*"), "ns:xml");
  EXPECT_EQ(Eval(u"/*/*/*/namespace::node()"), "ns:xml ns:p");
  EXPECT_EQ(Eval(u"/*/*/*/namespace::*[name() = '']"), "");
  EXPECT_EQ(Eval(u"count(//namespace::*)"), "number 5");
}

// A node set used as a boolean stops at its first node when no error can
// surface from the nodes after it; the comparisons a general path spends on
// document order show whether it collected the whole set.
TEST_F(EvalPaths, NodeSetTestedForANodeStopsAtTheFirst) {
  Core::String markup = u"<r>";
  for (int i = 0; i < 2000; ++i) markup += u"<i><j/></i>";
  markup += u"</r>";
  Load(markup);
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"count(/r/i[following-sibling::i])", "number 1999"},
      {u"count(/r/i[preceding-sibling::i])", "number 1999"},
      {u"count(/r/i[../i])", "number 2000"},
      {u"count(/r/i[not(following::i)])", "number 1"},
      {u"count(/r/i[ancestor::r/i/j])", "number 2000"},
      {u"count(/r/i[following-sibling::i | preceding-sibling::i[2]])", "number 2000"},
      {u"count(/r/i[(../i)[j]])", "number 2000"},
      {u"count(/r/i[boolean(../i[count(j) = 1])])", "number 2000"},
      {u"count(/r/i[j/following::i])", "number 1999"},
  };
  for (const auto& c : cases) {
    m_host.DataSet().ResetComparisonCount();
    EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
    EXPECT_LT(m_host.DataSet().GetComparisonCount(), 20000) << Core::ToUtf8(c.text);
  }
  // A set that may fail is counted, so that an error of a later node
  // surfaces; bound variables raise nothing.
  EXPECT_EQ(Eval(u"count(/r/i[following-sibling::i[not(j) or $v]])"), "error 14");
  m_host.Variables().Bind(u"", u"v", XpathTest::Boolean(true));
  m_host.DataSet().ResetComparisonCount();
  EXPECT_EQ(Eval(u"count(/r/i[following-sibling::i[not(j) or $v]])"), "number 1999");
  EXPECT_LT(m_host.DataSet().GetComparisonCount(), 20000);
}

// Where a later node of a set could raise an error, testing the set for a
// node raises it as counting does, though the first node passes.
TEST_F(EvalPaths, ErrorsOfLaterNodesSurfaceWhenASetIsTestedForANode) {
  Load(u"<r><a/><a><b/></a><a/></r>");
  m_host.Variables().Bind(u"", u"s", XpathTest::String(u"x"));
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"boolean(/r/a[not(p:b)])", "error 13"},
      {u"boolean(/r/a[not(b) or $undefined])", "error 14"},
      {u"boolean(/r/a[not(b) or f()])", "error 15"},
      {u"boolean(/r/a[not(b) or count()])", "error 16"},
      {u"boolean(/r/a[not(b) or count(b) = count('b')])", "error 17"},
      {u"boolean(/r/a[not(b) or $s/c])", "error 19"},
      {u"boolean(/r/a[not(b) or ('x')[1]])", "error 19"},
      {u"boolean(/r/a[not(b) or (b | 'x')])", "error 19"},
      {u"boolean(/r/a[not(b)] | /r/a[p:b])", "error 13"},
      {u"not(/r/a[not(b) or $undefined])", "error 14"},
      {u"/r[a[not(b) or $undefined]]", "error 14"},
      {u"boolean(/r/a[not(b)]/following-sibling::a[not(b) or $undefined])", "error 14"},
      {u"boolean((/r/a)[not(b) or $undefined])", "error 14"},
      {u"boolean(/r/a[not(b) or $undefined]) or true()", "error 14"},
      // a general path brings the errors of its later nodes to its first
      {u"string(//a[not(p:b)])", "error 13"},
      {u"name(//a[not(b) or $undefined])", "error 14"},
      {u"name(/r/a[not(b) or $undefined]/..)", "error 14"},
      // no error can arise here
      {u"boolean(/r/a[not(b) or p2:b])", "boolean true"},
      {u"boolean(/r/a[not(b) or count(b) = string-length('b')])", "boolean true"},
      {u"boolean(/r/a[not(b)] | /r/a[p2:b])", "boolean true"},
      {u"name(//a[not(b) or p2:b])", "string a"},
      {u"boolean(/r/a[not(b) or ($s and true())])", "boolean true"},
  };
  m_host.Namespaces().Declare(u"p2", u"urn:p2");
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
  // A variable holding a set that raises when walked.
  m_host.Variables().Bind(u"", u"lazy", Evaluate(u"/r/a[$undefined]", m_document));
  EXPECT_EQ(Eval(u"boolean(/r/a[not(b) or $lazy])"), "error 14");
  m_host.Variables().Bind(u"", u"nodes", Evaluate(u"/r/a[b]", m_document));
  EXPECT_EQ(Eval(u"boolean(/r/a[not(b) or $nodes])"), "boolean true");
  EXPECT_EQ(Eval(u"boolean(/r/a[not(b) or $nodes/c])"), "boolean true");
  // The values hold contexts that hold the bindings.
  m_host.Variables().Bind(u"", u"lazy", nullptr);
  m_host.Variables().Bind(u"", u"nodes", nullptr);
}

} // namespace
