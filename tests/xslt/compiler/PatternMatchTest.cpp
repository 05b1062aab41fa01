#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/CompilerFixture.h"
#include "support/CountingNodeTest.h"
#include "support/TestMatchContext.h"
#include "xpath/XpathException.h"
#include "xslt/compiler/CompiledExpression.h"
#include "xslt/compiler/PatternException.h"
#include "xslt/compiler/PatternParser.h"
#include "xpath/Axis.h"
#include "xpath/NodeTest.h"
#include "xpath/OperatorExpr.h"
#include "xpath/Parser.h"
#include "xpath/PathExpr.h"

namespace {

using namespace CompilerTest;
using Core::XInterface;
using XsltPrivate::CPattern;

// Patterns compiled on an xsl:template whose stylesheet declares p and q.
class PatternTest : public ::testing::Test {
protected:
  XInterface<CPattern> Compile(Core::StringView text, Core::StringView version = u"1.0") {
    Dom::XNode doc = fixture.Load(Stylesheet(u"<xsl:template/>", u"xmlns:p='urn:p' xmlns:q='urn:q'", version));
    return XsltPrivate::CompilePattern(*fixture.ContextOf(doc, u"xsl:template"), text);
  }
  std::string Matches(Core::StringView pattern, Core::StringView document) {
    return MatchedNodes(run, *Compile(pattern), fixture.trees.Build(document));
  }

  CStylesheetFixture fixture;
  CTestRun run;
};

constexpr const char16_t* Tree =
    u"<r><a n='1'><b n='1'/><c><d><b n='2'/></d></c></a><x><a n='2'/><y><b n='3'/></y></x>"
    u"<b n='4' id='i4'>t<!--c--><?pi d?></b></r>";

constexpr const char16_t* List =
    u"<list><item n='1'/><item n='2'/><other/><item n='3'/><item n='4' id='i'/></list>";

TEST_F(PatternTest, MatchingTable) {
  run.keys.push_back({u"", u"k", u"n"});
  run.keys.push_back({u"urn:p", u"k", u"id"});
  struct Case {
    const char16_t* pattern;
    const char16_t* document;
    const char* matched;
  } cases[] = {
      // b below an a, at any depth; not b#3, whose a is only a sibling of an ancestor.
      {u"a//b", Tree, "b#1 b#2"},
      {u"//b", Tree, "b#1 b#2 b#3 b#4"},
      {u"b", Tree, "b#1 b#2 b#3 b#4"},
      {u"/", Tree, "/"},
      {u"/r", Tree, "r"},
      {u"/a", Tree, ""},
      {u"r/*", Tree, "a#1 x b#4"},
      {u"a/b | d/b", Tree, "b#1 b#2"},
      {u"x//*", Tree, "a#2 y b#3"},
      {u"r//a//b", Tree, "b#1 b#2"},
      // node() never matches attributes or the root.
      {u"node()", u"<e a='1'>t<!--c--><?pi?></e>", "e text comment ?pi"},
      {u"@*", u"<e a='1' b='2'/>", "@a @b"},
      {u"@a", u"<a a='1'><a/></a>", "@a"},
      {u"e/@*", u"<e a='1'><f b='2'/></e>", "@a"},
      {u"text()", Tree, "text"},
      {u"comment() | processing-instruction('pi')", Tree, "comment ?pi"},
      {u"processing-instruction('other')", Tree, ""},
      {u"*", u"<e><f/></e>", "e f"},
      // Positions among the nodes the step selects from the parent.
      {u"item[2]", List, "item#2"},
      {u"item[last()]", List, "item#4"},
      {u"item[position() > 1][1]", List, "item#2"},
      {u"item[position() > 1][last()]", List, "item#4"},
      // Each predicate sees the nodes that passed all those before it.
      {u"item[position() > 1][position() > 1][1]", List, "item#3"},
      {u"item[@n > 1][2][1]", List, "item#3"},
      {u"item[position() < 4][last()][1][1]", List, "item#3"},
      {u"item[3][1]", List, "item#3"},
      {u"item[1][2]", List, ""},
      {u"@*[1][last()]", u"<e a='1' b='2'/>", "@a"},
      {u"*[3]", List, "other"},
      {u"list/item[@n > 2]", List, "item#3 item#4"},
      {u"item[count(../item) = 4][4]", List, "item#4"},
      {u"@n[. = 3]", List, "@n"},
      {u"id('i4')", Tree, "b#4"},
      {u"id('none i4')", Tree, "b#4"},
      {u"id('i4')/text()", Tree, "text"},
      {u"id('i4')//node()", Tree, "text comment ?pi"},
      {u"key('k', '2')", Tree, "b#2 a#2"},
      {u"key('k', '1')/b", Tree, "b#1"},
      {u"key('k', '1')//b", Tree, "b#1 b#2"},
      {u"key('p:k', 'i')", List, "item#4"},
      {u"key('q:k', 'i')", List, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Matches(c.pattern, c.document), c.matched) << Utf8(c.pattern);
}

// A step with many predicates holds each predicate once, not once for every
// predicate after it, and matches as the same predicates do in a path.
TEST_F(PatternTest, ManyPredicatesAreHeldOnce) {
  std::u16string text = u"item";
  for (int i = 0; i < 3000; ++i) text += u"[1]";
  XInterface<CPattern> pattern = Compile(text);
  Xpath::CStepExpr* step = pattern->GetAt(0)->GetStep(0)->GetStepExpr();
  ASSERT_EQ(step->GetPredicates().size(), 3000u);
  for (size_t i : {size_t(0), size_t(1500), size_t(2999)}) EXPECT_LE(step->GetPredicates()[i]->GetUseCount(), 1) << i;
  EXPECT_EQ(MatchedNodes(run, *pattern, fixture.trees.Build(List)), "item#1");
}

TEST_F(PatternTest, PrefixesAreThoseOfTheElementOwningThePattern) {
  // The run declares p and q otherwise than the stylesheet does.
  run.runPrefixes->uris[u"p"] = u"urn:wrong";
  run.runPrefixes->uris[u"q"] = u"urn:wrong";
  run.keys.push_back({u"urn:p", u"k", u"v"});
  run.keys.push_back({u"urn:wrong", u"k", u"w"});
  constexpr const char16_t* doc =
      u"<r xmlns:p='urn:p' xmlns:w='urn:wrong'><p:e n='1' v='1' w='1'><p:f/></p:e><w:e n='2' v='1' w='1'><w:f/></w:e>"
      u"<e n='3'><p:f/></e><e n='4'><w:f/></e></r>";
  struct Case {
    const char16_t* pattern;
    const char* matched;
  } cases[] = {
      {u"p:e", "p:e#1"},
      {u"p:*", "p:e#1 p:f p:f"},
      {u"e[p:f]", "e#3"},
      {u"*[q:g or p:f]", "p:e#1 e#3"},
      {u"key('p:k', '1')", "p:e#1 w:e#2"},
      {u"r/p:e/p:f", "p:f"},
  };
  for (const Case& c : cases) EXPECT_EQ(Matches(c.pattern, doc), c.matched) << Utf8(c.pattern);

  // An undeclared prefix is a static error when the pattern is compiled, in
  // either mode, even where the run would know it.
  for (const char16_t* version : {u"1.0", u"2.0"}) {
    for (const char16_t* text : {u"w:e", u"w:*", u"a/w:e | b", u"key('w:k', 'x')"}) {
      CError e = fixture.Catch([&] { Compile(text, version); });
      EXPECT_EQ(e.code, 9) << Utf8(text);
      EXPECT_EQ(Utf8(e.arg1), "w");
      EXPECT_EQ(Utf8(e.nodeName), "xsl:template");
    }
  }
}

TEST_F(PatternTest, UnresolvedKeyPrefixFailsOnlyWhenMatched) {
  // A pattern parsed without a stylesheet leaves its prefixes to the match.
  XInterface<CPattern> pattern;
  XsltPrivate::CPatternParser().Parse(pattern, u"key('z:k', 'v')");
  Dom::XNode doc = fixture.trees.Build(u"<e/>");
  CTestMatchContext context(run, doc->GetDocumentElement());
  try {
    pattern->Match(context, doc->GetDocumentElement());
    ADD_FAILURE() << "no error";
  } catch (const XsltPrivate::CPatternException& e) {
    EXPECT_EQ(e.GetCode(), 8);
    EXPECT_EQ(Utf8(e.GetMessage()), "Invalid prefix 'z'");
  }
}

TEST_F(PatternTest, RootPatternsMatchInTheNodesOwnTree) {
  // Key indexing and dispatch over a document loaded with document() match
  // with a current node of another document.
  Dom::XNode source = fixture.trees.Build(u"<r><a/></r>");
  Dom::XNode loaded = fixture.trees.Build(u"<r><a/></r>");
  XInterface<CPattern> root = Compile(u"/");
  XInterface<CPattern> path = Compile(u"/r/a");
  class COtherCurrent : public CTestMatchContext {
  public:
    COtherCurrent(CTestRun& run, const Dom::XNode& node, Dom::XNode current)
        : CTestMatchContext(run, node), m_current(std::move(current)) {}
    Dom::XNode GetCurrentNode() override { return m_current; }

  private:
    Dom::XNode m_current;
  };
  Dom::XNode a = loaded->GetDocumentElement()->GetFirstChild();
  COtherCurrent atRoot(run, loaded, source);
  COtherCurrent atA(run, a, source);
  EXPECT_TRUE(root->Match(atRoot, loaded));
  EXPECT_TRUE(path->Match(atA, a));
  EXPECT_FALSE(root->Match(atA, a));
}

TEST_F(PatternTest, DefaultPrioritiesNameHashesAndNodeTypes) {
  using XsltPrivate::NodeTypeBit;
  const uint32_t element = NodeTypeBit(Dom::ELEMENT_NODE), attribute = NodeTypeBit(Dom::ATTRIBUTE_NODE),
                 text = NodeTypeBit(Dom::TEXT_NODE) | NodeTypeBit(Dom::CDATA_SECTION_NODE),
                 root = NodeTypeBit(Dom::DOCUMENT_NODE) | NodeTypeBit(Dom::DOCUMENT_FRAGMENT_NODE),
                 child = element | text | NodeTypeBit(Dom::COMMENT_NODE) |
                         NodeTypeBit(Dom::PROCESSING_INSTRUCTION_NODE),
                 any = ~uint32_t(0);
  const int32_t fooHash = XsltPrivate::HashLocalName(u"foo");
  struct Case {
    const char16_t* pattern;
    double priority;
    int32_t nameHash;
    uint32_t nodeTypes;
    const char* localName;
  } cases[] = {
      {u"foo", 0, fooHash, element, "foo"},
      {u"p:foo", 0, fooHash, element, "foo"},
      {u"@foo", 0, -1, attribute, "foo"},
      {u"processing-instruction('x')", 0, -1, NodeTypeBit(Dom::PROCESSING_INSTRUCTION_NODE), ""},
      {u"p:*", -0.25, -1, element, ""},
      {u"@p:*", -0.25, -1, attribute, ""},
      {u"*", -0.5, -1, element, ""},
      {u"@*", -0.5, -1, attribute, ""},
      {u"text()", -0.5, -1, text, ""},
      {u"node()", -0.5, -1, child, ""},
      {u"@node()", -0.5, -1, attribute, ""},
      {u"@text()", -0.5, -1, 0, ""},
      {u"processing-instruction()", -0.5, -1, NodeTypeBit(Dom::PROCESSING_INSTRUCTION_NODE), ""},
      {u"/", 0.5, -1, root, ""},
      {u"//foo", 0.5, fooHash, element, "foo"},
      {u"a/foo", 0.5, fooHash, element, "foo"},
      {u"foo[1]", 0.5, fooHash, element, "foo"},
      {u"id('x')", 0.5, -1, element, ""},
      {u"key('k','v')", 0.5, -1, any, ""},
      {u"a/@foo", 0.5, -1, attribute, "foo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.pattern));
    XInterface<CPattern> pattern = Compile(c.pattern);
    ASSERT_EQ(pattern->GetCount(), 1);
    const XsltPrivate::CLocationPathPattern& alternative = *pattern->GetAt(0);
    EXPECT_EQ(alternative.GetDefaultPriority(), c.priority);
    EXPECT_EQ(alternative.GetNameHash(), c.nameHash);
    EXPECT_EQ(alternative.GetNodeTypes(), c.nodeTypes);
    EXPECT_EQ(Utf8(alternative.GetLocalName()), c.localName);
  }
  // A union ranks each alternative by itself.
  XInterface<CPattern> both = Compile(u"foo | a/b | *");
  EXPECT_EQ(both->GetAt(0)->GetDefaultPriority(), 0);
  EXPECT_EQ(both->GetAt(1)->GetDefaultPriority(), 0.5);
  EXPECT_EQ(both->GetAt(2)->GetDefaultPriority(), -0.5);
  EXPECT_EQ(XsltPrivate::HashLocalName(u"a"), 97);
  EXPECT_EQ(XsltPrivate::HashLocalName(u"ab"), 97 * 9 + 98);
}

TEST_F(PatternTest, ForwardsCompatibleModeDefersPatternSyntaxErrors) {
  Dom::XNode doc = fixture.trees.Build(u"<e/>");
  XInterface<CPattern> bad = Compile(u"e[1 +]", u"2.0");
  for (int round = 0; round < 2; ++round) {
    CTestMatchContext context(run, doc);
    try {
      bad->Match(context, doc);
      ADD_FAILURE() << "no error";
    } catch (const Xpath::CXpathException& e) {
      EXPECT_EQ(e.GetCode(), 12);
    }
  }
  CError e = fixture.Catch([&] { Compile(u"e[1 +]"); });
  EXPECT_EQ(e.code, 7);
  EXPECT_EQ(Utf8(e.arg1), "e[1 +]");
  EXPECT_EQ(Utf8(e.arg2), Utf8(Xpath::CXpathException(12).GetMessage()));
  // The pattern grammar's own errors pass through in both modes.
  for (const char16_t* version : {u"1.0", u"2.0"}) {
    try {
      Compile(u"foo(1)", version);
      ADD_FAILURE() << "no error";
    } catch (const XsltPrivate::CPatternException& e) {
      EXPECT_EQ(e.GetCode(), 2);
    }
  }
  // Predicates nested past the limit are an expression syntax error, not a
  // stack overflow.
  std::u16string deep;
  for (int i = 0; i < 100000; ++i) deep += u"a[";
  deep += u"1";
  for (int i = 0; i < 100000; ++i) deep += u"]";
  EXPECT_EQ(fixture.Catch([&] { Compile(deep); }).code, 7);
}

TEST_F(PatternTest, DescendantStepsDoNotBacktrackExponentially) {
  // 3000 nested a elements around one b; x exists nowhere, so every split
  // of the a's among the "//" steps would be tried in vain.
  std::u16string markup;
  for (int i = 0; i < 3000; ++i) markup += u"<a>";
  markup += u"<b/>";
  for (int i = 0; i < 3000; ++i) markup += u"</a>";
  Dom::XNode doc = fixture.trees.Build(markup);
  Dom::XNode b = doc->GetDocumentElement();
  while (b->FirstChild()) b = b->FirstChild();
  auto start = std::chrono::steady_clock::now();
  CTestMatchContext context(run, b);
  EXPECT_FALSE(Compile(u"x//a//a//a//a//b")->Match(context, b));
  EXPECT_TRUE(Compile(u"/a//a/a//a//a/b")->Match(context, b));
  EXPECT_FALSE(Compile(u"/a/a//a/x//a//a/b")->Match(context, b));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(PatternTest, StepsWithoutPredicatesNeedNoXpathContext) {
  Dom::XNode doc = fixture.trees.Build(Tree);
  MatchedNodes(run, *Compile(u"a//b | p:x | @n | text() | /r/*"), doc);
  EXPECT_EQ(run.xpathContexts, 0);
}

TEST_F(PatternTest, ExpressionsResolvePrefixesOnTheirOwnElement) {
  // xsl:sort's select runs while the xsl:for-each is the current element.
  run.runPrefixes->uris[u"p"] = u"urn:wrong";
  Dom::XNode style = fixture.Load(Stylesheet(u"<xsl:template><xsl:for-each><xsl:sort xmlns:p='urn:p'/></xsl:for-each>"
                                             u"</xsl:template>"));
  XInterface<Xpath::CExpr> expr = XsltPrivate::CompileExpression(*fixture.ContextOf(style, u"xsl:sort"), u"count(p:e)");
  Dom::XNode doc = fixture.trees.Build(u"<r xmlns:p='urn:p' xmlns:w='urn:wrong'><p:e/><p:e/><w:e/></r>");
  CTestMatchContext context(run, doc->GetDocumentElement());
  XInterface<Xpath::CValue> value = expr->Evaluate(context.GetXpathContext());
  EXPECT_EQ(value->GetNumber().GetValue(), 2);
}

using TestSupport::CCountingNodeTest;

// n x elements with ids 0 .. n-1 and n ref elements with ids 0, 2, 4 ...
Dom::XNode XsAndRefs(CStylesheetFixture& fixture, int n, int refStep) {
  std::u16string markup = u"<r>";
  for (int i = 0; i < n; ++i) {
    markup += u"<x id='" + Core::FromUtf8(std::to_string(i)) + u"'/><ref id='" +
              Core::FromUtf8(std::to_string(refStep * i)) + u"'/>";
  }
  return fixture.trees.Build(markup + u"</r>");
}

// x[@id = /r/ref/@id] with a ref step that counts: with the run's pattern
// cache the path is walked once per document over all the matches of a
// run, not once per x; the nodes matched stay the same.
TEST_F(PatternTest, InvariantOperandsAreWalkedOncePerDocument) {
  const int n = 200;
  XInterface<CCountingNodeTest> refs = new CCountingNodeTest(u"ref");
  XInterface<Xpath::CPathExpr> path = new Xpath::CPathExpr(true);
  path->AddStep(new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), new XpathPrivate::CNameNodeTest(u"", u"r")));
  path->AddStep(new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), XInterface<Xpath::CNodeTest>(refs)));
  path->AddStep(new Xpath::CStepExpr(new XpathPrivate::CAttributeAxis(), new XpathPrivate::CNameNodeTest(u"", u"id")));
  XInterface<Xpath::CExpr> id;
  XpathPrivate::CParser().Parse(id, u"@id");
  XInterface<Xpath::CStepExpr> x =
      new Xpath::CStepExpr(new XpathPrivate::CChildAxis(), new XpathPrivate::CNameNodeTest(u"", u"x"));
  x->AddPredicate(new Xpath::CPredicate(new XpathPrivate::CEqualityExpr(0, id, XInterface<Xpath::CExpr>(path))));
  XInterface<XsltPrivate::CLocationPathPattern> alternative =
      new XsltPrivate::CLocationPathPattern(new XsltPrivate::CAnyStartPattern());
  alternative->AddStep(new XsltPrivate::CChildStepPattern(x));
  XInterface<CPattern> pattern = new CPattern();
  pattern->Add(alternative);
  pattern->SetNamespaces(run.runPrefixes.Get());

  auto countMatches = [&](const Dom::XNode& doc) {
    int matched = 0;
    for (const Dom::XNode& node : AllNodes(doc)) {
      CTestMatchContext context(run, node);
      if (pattern->Match(context, node)) ++matched;
    }
    return matched;
  };
  Dom::XNode evens = XsAndRefs(fixture, n, 2);
  Dom::XNode threes = XsAndRefs(fixture, n, 3);
  EXPECT_EQ(countMatches(evens), n / 2);
  EXPECT_GT(refs->calls, 2 * n * (n / 2));  // afresh for every x

  run.patternCache = new XpathPrivate::CEvaluationCache(true);
  refs->calls = 0;
  EXPECT_EQ(countMatches(evens), n / 2);
  EXPECT_EQ(countMatches(threes), (n + 2) / 3);
  EXPECT_EQ(countMatches(evens), n / 2);
  EXPECT_LE(refs->calls, 2 * (2 * n));  // the children of each r once
}

// With a lasting cache, operands that read variables or the context are
// still evaluated for every test, and an operand that raises raises at
// every test that reaches it.
TEST_F(PatternTest, PatternCacheKeepsResultsAndErrors) {
  run.patternCache = new XpathPrivate::CEvaluationCache(true);
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"item[@n = /list/item[last()]/@n - 1]", "item#3"},
      {u"item[count(/list/item) = @n]", "item#4"},
      {u"item[@n > count(/list/*) div 2]", "item#3 item#4"},
      {u"item[position() = count(/list/other)]", "item#1"},
      {u"item[../other = /list/item[@id]/@id]", ""},
      {u"list[item/@n = /list/item[@id]/@n]", "list"},
      {u"item[not(@n = /list/item[@id]/@n)]", "item#1 item#2 item#3"},
  };
  for (const auto& c : cases) EXPECT_EQ(Matches(c.text, List), c.expected) << Core::ToUtf8(c.text);
  Dom::XNode doc = fixture.trees.Build(List);
  XInterface<CPattern> failing = Compile(u"item[@n = /list/undeclared:item]");
  for (int i = 0; i < 2; ++i) {
    CTestMatchContext context(run, doc->GetDocumentElement()->FirstChild());
    EXPECT_THROW(failing->Match(context, doc->GetDocumentElement()->FirstChild()), Xpath::CXpathException);
  }
}

} // namespace
