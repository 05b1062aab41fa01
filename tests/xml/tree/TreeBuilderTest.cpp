#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "TreeTestUtil.h"
#include "support/TreeFixture.h"
#include "xml/tree/DocumentStore.h"
#include "xml/xslt/StylesheetSpaceHandler.h"

namespace {

using Core::String;
using Dom::CNode;
using Dom::XNode;
using KeltoTest::CTreeFixture;
using KeltoTest::Dump;
using TreeTest::ExpectDomError;
using TreeTest::Root;

// The first element in document order with the qualified name.
CNode* Find(const XNode& doc, Core::StringView name) {
  for (CNode* n = doc.Get(); n;) {
    if (n->GetNodeType() == Dom::ELEMENT_NODE && n->NodeNameView() == name) return n;
    if (CNode* c = n->FirstChild()) {
      n = c;
      continue;
    }
    while (n && !n->NextSibling()) n = n->Parent();
    n = n ? n->NextSibling() : nullptr;
  }
  return nullptr;
}

String UriOf(const CNode* n) { return n->GetNamespaceURI(); }

TEST(TreeBuilder, ResolvesNamesAgainstDeclarationsInScope) {
  CTreeFixture trees;
  XNode doc = trees.Build(
      u"<r xmlns='urn:d' xmlns:p='urn:p' a='1' p:b='2' xml:lang='en'>"
      u"<e/><p:e/><n xmlns=''><e/></n><q xmlns:='urn:empty-prefix'><e/></q></r>");
  struct Row {
    const char16_t* element;
    const char16_t* uri;
    const char16_t* local;
  } const rows[] = {
      {u"r", u"urn:d", u"r"}, {u"e", u"urn:d", u"e"}, {u"p:e", u"urn:p", u"e"}, {u"n", u"", u"n"},
      {u"q", u"urn:empty-prefix", u"q"},
  };
  for (const Row& row : rows) {
    CNode* n = Find(doc, row.element);
    ASSERT_NE(n, nullptr) << Core::ToUtf8(row.element);
    EXPECT_EQ(UriOf(n), row.uri) << Core::ToUtf8(row.element);
    EXPECT_EQ(n->GetLocalName(), row.local);
  }
  // An unprefixed element inside xmlns="" is in no namespace; "xmlns:" with
  // nothing after the colon declares the default namespace.
  EXPECT_EQ(UriOf(Find(doc, u"n")->FirstChild()), u"");
  EXPECT_EQ(UriOf(Find(doc, u"q")->FirstChild()), u"urn:empty-prefix");
  // Attributes take no default namespace; xml is always bound.
  CNode* r = Root(doc);
  ASSERT_EQ(r->AttributeCount(), 3);  // the declarations are no attributes
  EXPECT_EQ(UriOf(r->AttributeAt(0)), u"");
  EXPECT_EQ(UriOf(r->AttributeAt(1)), u"urn:p");
  EXPECT_EQ(r->AttributeAt(1)->GetLocalName(), u"b");
  EXPECT_EQ(UriOf(r->AttributeAt(2)), u"http://www.w3.org/XML/1998/namespace");
  EXPECT_EQ(r->AttributeAt(2)->GetNodeName(), u"xml:lang");
}

TEST(TreeBuilder, PrefixDeclaredLaterInTheSameStartTag) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<p:r p:a='1' xmlns:p='urn:p'/>");
  CNode* r = Root(doc);
  EXPECT_EQ(UriOf(r), u"urn:p");
  EXPECT_EQ(UriOf(r->AttributeAt(0)), u"urn:p");
}

TEST(TreeBuilder, UndeclaredPrefixFailsWhenTheStartTagCloses) {
  struct Case {
    const char16_t* markup;
  } const cases[] = {
      {u"<p:r/>"},
      {u"<r p:a='1'/>"},
      {u"<r xmlns:q='urn:q' p:a='1'/>"},  // re-resolved with own declarations
      {u"<r xmlns:q='urn:q'><p:e/></r>"},
  };
  for (const Case& c : cases) {
    CTreeFixture trees;
    ExpectDomError(8, [&] { trees.Build(c.markup); });
  }
  // The error waits for the event after the last attribute.
  CTreeFixture trees;
  XNode doc;
  auto builder = trees.NewBuilder(doc);
  builder->StartDocument();
  builder->StartElement(u"p:r");
  builder->StartAttribute(u"q:a");
  builder->EndAttribute();
  ExpectDomError(8, [&] { builder->Characters(u"x", 1); });
}

TEST(TreeBuilder, RedeclaredPrefixKeepsItsOrdinal) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<r xmlns:p='urn:1' xmlns:q='urn:q'><p:e xmlns:p='urn:2'><p:f/></p:e><p:g/></r>");
  CNode* r = Root(doc);
  CNode* e = Find(doc, u"p:e");
  Dom::CNamespaceNode* outer = r->NamespaceScope()->Find(u"p");
  Dom::CNamespaceNode* inner = e->NamespaceScope()->Find(u"p");
  EXPECT_NE(outer, inner);
  EXPECT_EQ(outer->GetNodeIndex(), inner->GetNodeIndex());
  EXPECT_EQ(e->NamespaceScope()->GetCount(), r->NamespaceScope()->GetCount());
  EXPECT_EQ(inner->GetNodeValue(), u"urn:2");
  EXPECT_EQ(outer->GetNodeValue(), u"urn:1");  // the ancestor's scope is unchanged
  EXPECT_EQ(UriOf(e), u"urn:2");
  EXPECT_EQ(UriOf(e->FirstChild()), u"urn:2");
  EXPECT_EQ(UriOf(Find(doc, u"p:g")), u"urn:1");
  // Every entry of a declaring element's scope has that element as parent.
  for (int32_t i = 0; i < e->NamespaceScope()->GetCount(); ++i)
    EXPECT_EQ(e->NamespaceScope()->GetItem(i)->Parent(), e);
  EXPECT_EQ(Find(doc, u"p:f")->NamespaceScope(), e->NamespaceScope());
}

// A namespace node's name tests see its prefix as local name, and no URI.
TEST(TreeBuilder, NamespaceNodeNames) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<r xmlns='urn:d' xmlns:p='urn:p'/>");
  Dom::XNamedNodeMap map = Root(doc)->GetNamespaces();
  XNode p = map->GetNamedItem(u"p");
  XNode d = map->GetNamedItem(u"");
  ASSERT_TRUE(p && d);
  EXPECT_EQ(p->GetNodeType(), Dom::NAMESPACE_NODE);
  EXPECT_EQ(p->GetLocalName(), u"p");
  EXPECT_EQ(p->GetNodeName(), u"p");
  EXPECT_EQ(p->GetNamespaceURI(), u"");
  EXPECT_EQ(p->GetNodeValue(), u"urn:p");
  EXPECT_EQ(p->GetStringValue(), u"urn:p");
  EXPECT_EQ(d->GetLocalName(), u"");
  EXPECT_EQ(d->GetNodeName(), u"");
  const auto& ops = p->GetOperationsAs<Dom::CNamespaceOperationsTable>();
  EXPECT_EQ(ops.GetName(p.Get()), u"p");
  EXPECT_EQ(ops.GetValue(p.Get()), u"urn:p");
  EXPECT_EQ(p->GetParentNode(), Root(doc));
  EXPECT_FALSE(p->GetNextSibling());
}

// Every node has its own place in document order: a namespace node comes
// after its element and before that element's attributes and children.
TEST(TreeBuilder, DocumentOrderIsTotalWithNamespaceNodes) {
  CTreeFixture trees;
  XNode doc = trees.Build(
      u"<r xmlns:a='urn:a' x='1' xmlns:b='urn:b' y='2' xmlns:c='urn:c' xmlns:d='urn:d'>"
      u"<e xmlns:a='urn:a2' z='3'>t</e><f/></r>");
  // All nodes in the order the tree presents them: self, namespaces in map
  // order, attributes, then children.
  std::vector<CNode*> nodes;
  for (CNode* n = doc.Get(); n;) {
    nodes.push_back(n);
    if (n->GetNodeType() == Dom::ELEMENT_NODE) {
      auto* element = static_cast<Dom::CElementNode*>(n);
      // Only the element that made the scope owns its entries.
      if (element->scope->GetItem(0)->Parent() == n) {
        for (int32_t i = 0; i < element->scope->GetCount(); ++i) nodes.push_back(element->scope->GetItem(i));
      }
      for (int32_t i = 0; i < n->AttributeCount(); ++i) nodes.push_back(n->AttributeAt(i));
    }
    if (CNode* c = n->FirstChild()) {
      n = c;
      continue;
    }
    while (n && !n->NextSibling()) n = n->Parent();
    n = n ? n->NextSibling() : nullptr;
  }
  ASSERT_EQ(nodes.size(), 1u + 1 + 6 + 2 + 1 + 6 + 1 + 1 + 1);
  for (size_t i = 0; i < nodes.size(); ++i) {
    EXPECT_EQ(Dom::CompareDocumentOrder(nodes[i], nodes[i]), 0);
    for (size_t j = i + 1; j < nodes.size(); ++j) {
      EXPECT_EQ(Dom::CompareDocumentOrder(nodes[i], nodes[j]), -1) << i << " " << j;
      EXPECT_EQ(Dom::CompareDocumentOrder(nodes[j], nodes[i]), 1) << i << " " << j;
    }
  }
  std::set<uint64_t> keys;
  for (CNode* n : nodes) keys.insert(n->GetOrderKey());
  EXPECT_EQ(keys.size(), nodes.size());
  // The namespace map lists the nodes of an element in document order.
  Dom::XNamedNodeMap map = Root(doc)->GetNamespaces();
  for (int32_t i = 1; i < map->GetLength(); ++i)
    EXPECT_EQ(Dom::CompareDocumentOrder(map->Item(i - 1).Get(), map->Item(i).Get()), -1);
  // The two built-in declarations of an element without declarations of its
  // own sit between the document node and its first child.
  XNode plain = trees.Build(u"<r a='1'/>");
  CNode* xml = Root(plain)->NamespaceScope()->Find(u"xml");
  CNode* none = Root(plain)->NamespaceScope()->Find(u"");
  EXPECT_EQ(xml->Parent(), plain.Get());
  EXPECT_EQ(Dom::CompareDocumentOrder(plain.Get(), none), -1);
  EXPECT_EQ(Dom::CompareDocumentOrder(none, xml), -1);
  EXPECT_EQ(Dom::CompareDocumentOrder(xml, Root(plain)), -1);
}

TEST(TreeBuilder, CharacterDataJoinsUntilMarkup) {
  CTreeFixture trees;
  // References and CDATA sections arrive as separate Characters calls and
  // still make one text node; a comment splits the text.
  XNode doc = trees.Build(u"<r>a&amp;b<![CDATA[<c>]]>d<!--x-->e&#x41;</r>");
  CNode* r = Root(doc);
  ASSERT_EQ(r->FirstChild()->GetNodeType(), Dom::TEXT_NODE);
  EXPECT_EQ(r->FirstChild()->GetNodeValue(), u"a&b<c>d");
  EXPECT_EQ(r->LastChild()->GetNodeValue(), u"eA");
  EXPECT_EQ(Dump(doc), u"<r>a&amp;b&lt;c&gt;d<!--x-->eA</r>");
}

TEST(TreeBuilder, EmptyValuesAndData) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<r a=''><!----><?p?></r>");
  CNode* r = Root(doc);
  EXPECT_EQ(r->AttributeAt(0)->GetNodeValue(), u"");
  EXPECT_EQ(r->FirstChild()->GetNodeValue(), u"");
  EXPECT_EQ(r->LastChild()->GetNodeValue(), u"");
  EXPECT_EQ(r->LastChild()->GetNodeName(), u"p");
  // A defaulted empty value comes as one Characters call with count 0.
  XNode d;
  auto builder = trees.NewBuilder(d);
  builder->StartDocument();
  builder->StartElement(u"r");
  builder->StartAttribute(u"a");
  builder->Characters(u"", 0);
  builder->EndAttribute();
  builder->Characters(u"", 0);
  builder->EndElement();
  builder->EndDocument();
  EXPECT_EQ(Dump(d), u"<r a=\"\"/>");
}

struct WhitespaceCase {
  const char* name;
  bool stylesheetRules;
  const char16_t* markup;
  const char16_t* expected;
};

TEST(TreeBuilder, WhitespaceStripping) {
  const WhitespaceCase cases[] = {
      {"no rules keep everything", false, u"<r> <e>\t</e>\n</r>", u"<r> <e>\t</e>\n</r>"},
      {"stripped everywhere", true, u"<r> <e> \r\n\t</e> x </r>", u"<r><e/> x </r>"},
      {"xsl:text keeps", true, u"<r xmlns:xsl='http://www.w3.org/1999/XSL/Transform'><xsl:text> </xsl:text> </r>",
       u"<r><xsl:text> </xsl:text></r>"},
      {"xml:space preserve inherited", true, u"<r xml:space='preserve'> <e> </e></r>",
       u"<r xml:space=\"preserve\"> <e> </e></r>"},
      {"xml:space default below preserve", true, u"<r xml:space='preserve'> <e xml:space='default'> </e></r>",
       u"<r xml:space=\"preserve\"> <e xml:space=\"default\"/></r>"},
      {"other xml:space value clears", true, u"<r xml:space='preserve'><e xml:space='x'> </e> </r>",
       u"<r xml:space=\"preserve\"><e xml:space=\"x\"/> </r>"},
      {"preserve ends with its element", true, u"<r><e xml:space='preserve'> </e> </r>",
       u"<r><e xml:space=\"preserve\"> </e></r>"},
      {"non-breaking space is no whitespace", true, u"<r>\u00A0</r>", u"<r>\u00A0</r>"},
      {"whitespace split by a comment", true, u"<r> <!--c--> </r>", u"<r><!--c--></r>"},
  };
  for (const WhitespaceCase& c : cases) {
    CTreeFixture trees;
    Core::XInterface<Xslt::CSpaceHandler> rules;
    if (c.stylesheetRules) rules = new XsltPrivate::CStylesheetSpaceHandler();
    XNode doc = trees.Build(c.markup, rules.Get());
    EXPECT_EQ(Dump(doc), c.expected) << c.name;
  }
}

TEST(TreeBuilder, WhitespaceRulesOfTheTable) {
  Core::XInterface<Xslt::CSpaceHandler> rules(new Xslt::CSpaceHandler());
  rules->AddRule(Core::StringView(), std::nullopt, 1, false);  // strip p:* with no namespace: names in no ns
  rules->AddRule(Core::StringView(), Core::StringView(u"pre"), 1, true);
  CTreeFixture trees;
  XNode doc = trees.Build(u"<r> <pre> </pre><x:pre xmlns:x='urn:x'> </x:pre></r>", rules.Get());
  EXPECT_EQ(Dump(doc), u"<r><pre> </pre><x:pre> </x:pre></r>");
  // Disabled rules strip nothing and leave xml:space alone.
  rules->SetEnabled(false);
  XNode kept = trees.Build(u"<r xml:space='default'> </r>", rules.Get());
  EXPECT_EQ(Dump(kept), u"<r xml:space=\"default\"> </r>");
}

class CLocator : public Sxp::ILocator {
public:
  Core::StringView GetPublicId() const override { return u"pub"; }
  Core::StringView GetSystemId() const override { return u"file:///doc.xml"; }
  int32_t GetColumnNumber() const override { return column; }
  int32_t GetLineNumber() const override { return line; }
  int32_t line = 1, column = 0;
};

TEST(TreeBuilder, ReportsEveryNodeButNamespaceNodes) {
  CTreeFixture trees;
  Core::XInterface<KeltoTest::CRecordingLocationHandler> handler(new KeltoTest::CRecordingLocationHandler());
  Core::XInterface<CLocator> locator(new CLocator());
  XNode doc;
  auto builder = trees.NewBuilder(doc, nullptr, handler.Get());
  builder->SetDocumentLocator(locator.Get());
  locator->line = 2;
  KeltoTest::FeedMarkup(u"<r xmlns:p='urn:p' a='1'>t<!--c--><?p d?><e/></r>", *builder);
  builder->SetDocumentLocator(nullptr);
  EXPECT_EQ(handler->locatorCalls, (std::vector<bool>{true, false}));
  std::vector<int32_t> types{Dom::DOCUMENT_NODE, Dom::ELEMENT_NODE, Dom::ATTRIBUTE_NODE, Dom::TEXT_NODE,
                             Dom::COMMENT_NODE,  Dom::PROCESSING_INSTRUCTION_NODE,    Dom::ELEMENT_NODE};
  EXPECT_EQ(handler->createdTypes, types);
  ASSERT_EQ(handler->records.size(), types.size());
  for (size_t i = 0; i < handler->records.size(); ++i) {
    EXPECT_EQ(handler->records[i].position.documentNumber, doc->GetDocumentNumber());
    EXPECT_EQ(handler->records[i].position.nodeIndex, i);
    EXPECT_EQ(handler->records[i].systemId, u"file:///doc.xml");
    EXPECT_EQ(handler->records[i].line, 2);
  }
  // Without a locator nothing is recorded.
  Core::XInterface<KeltoTest::CRecordingLocationHandler> quiet(new KeltoTest::CRecordingLocationHandler());
  trees.Build(u"<r/>", nullptr, quiet.Get());
  EXPECT_EQ(quiet->created.size(), 2u);
  EXPECT_TRUE(quiet->records.empty());
}

// Attributes that overflow the node block move their element to a new
// block; every link follows it.
TEST(TreeBuilder, ElementWithManyAttributesMovesWhole) {
  CTreeFixture trees;
  for (int count : {10, 300, 1000}) {
    Core::String markup = u"<r><before/><e";
    for (int i = 0; i < count; ++i) {
      markup += u" a" + Core::FromUtf8(std::to_string(i)) + u"='" + Core::FromUtf8(std::to_string(i)) + u"'";
    }
    markup += u"><c/>t</e><after/></r>";
    // Several such elements in a row so that one of them meets a block end.
    XNode doc = trees.Build(u"<top>" + markup + markup + markup + markup + u"</top>");
    auto* store = static_cast<Dom::CDocumentNode*>(doc.Get())->store;
    EXPECT_GT(store->nodeBlocks.size(), count >= 300 ? 1u : 0u);
    for (CNode* r = Root(doc)->FirstChild(); r; r = r->NextSibling()) {
      CNode* before = r->FirstChild();
      CNode* e = before->NextSibling();
      ASSERT_EQ(e->NodeNameView(), u"e");
      EXPECT_EQ(e->Parent(), r);
      EXPECT_EQ(e->PreviousSibling(), before);
      EXPECT_EQ(e->NextSibling()->PreviousSibling(), e);
      EXPECT_EQ(e->FirstChild()->Parent(), e);
      EXPECT_EQ(e->LastChild()->Parent(), e);
      ASSERT_EQ(e->AttributeCount(), count);
      for (int i = 0; i < count; ++i) {
        CNode* a = e->AttributeAt(i);
        EXPECT_EQ(a->Parent(), e);
        EXPECT_EQ(a->GetNodeValue(), Core::FromUtf8(std::to_string(i)));
        EXPECT_EQ(a->GetNodeIndex(), e->GetNodeIndex() + 1 + i);
      }
    }
  }
  // An element that is the first child of its parent keeps its place too.
  Core::String first = u"<r><e";
  for (int i = 0; i < 1000; ++i) first += u" a" + Core::FromUtf8(std::to_string(i)) + u"='v'";
  first += u"/></r>";
  XNode doc = trees.Build(first);
  EXPECT_EQ(Root(doc)->FirstChild()->AttributeCount(), 1000);
  EXPECT_EQ(Root(doc)->FirstChild(), Root(doc)->LastChild());
}

// Each move makes room for as many attributes again, so a huge start tag
// moves a few times instead of once per attribute, and the blocks it leaves
// behind are freed.
TEST(TreeBuilder, HugeStartTagMovesLogarithmically) {
  CTreeFixture trees;
  XNode doc;
  auto builder = trees.NewBuilder(doc);
  builder->StartDocument();
  builder->StartElement(u"r");
  constexpr int kCount = 5000;
  for (int i = 0; i < kCount; ++i) {
    String name = u"a" + Core::FromUtf8(std::to_string(i));
    builder->StartAttribute(name);
    builder->Characters(name.data(), int32_t(name.size()));
    builder->EndAttribute();
  }
  builder->EndElement();
  builder->EndDocument();
  auto* store = static_cast<Dom::CDocumentNode*>(doc.Get())->store;
  EXPECT_LE(store->nodeBlocks.size(), 2u);
  CNode* r = Root(doc);
  ASSERT_EQ(r->AttributeCount(), kCount);
  EXPECT_EQ(r->AttributeAt(kCount - 1)->GetNodeValue(), u"a4999");
  EXPECT_EQ(r->AttributeAt(kCount - 1)->Parent(), r);
  EXPECT_EQ(r->Parent(), doc.Get());
}

TEST(TreeBuilder, LongTextStaysWhole) {
  CTreeFixture trees;
  XNode doc;
  auto builder = trees.NewBuilder(doc);
  builder->StartDocument();
  builder->StartElement(u"r");
  String expected;
  String chunk(1024, u'x');
  for (int i = 0; i < 40; ++i) {
    chunk[0] = char16_t(u'a' + i % 26);
    builder->Characters(chunk.data(), int32_t(chunk.size()));
    expected += chunk;
  }
  builder->StartElement(u"e");
  builder->EndElement();
  builder->EndElement();
  builder->EndDocument();
  CNode* text = Root(doc)->FirstChild();
  EXPECT_EQ(text->GetNodeValue(), expected);
  EXPECT_EQ(text->GetStringValue().size(), 40u * 1024);
  // The blocks the run outgrew held nothing else and were given back; a block
  // that holds other text stays.
  auto* store = static_cast<Dom::CDocumentNode*>(doc.Get())->store;
  EXPECT_EQ(store->textBlocks.size(), 1u);
  XNode mixed;
  auto second = trees.NewBuilder(mixed);
  second->StartDocument();
  second->StartElement(u"r");
  second->Characters(u"before", 6);
  second->StartComment();
  second->EndComment();
  for (int i = 0; i < 40; ++i) second->Characters(chunk.data(), int32_t(chunk.size()));
  second->EndElement();
  second->EndDocument();
  EXPECT_EQ(Root(mixed)->FirstChild()->GetNodeValue(), u"before");
  EXPECT_EQ(Root(mixed)->LastChild()->GetStringValue().size(), 40u * 1024);
  EXPECT_EQ(static_cast<Dom::CDocumentNode*>(mixed.Get())->store->textBlocks.size(), 2u);
}

// Events out of their grammar (the parser never sends them) leave a sound tree.
// A run reading thousands of small documents keeps every one: after the
// first, each takes blocks of about its own size, not a run of doubling
// blocks whose last one is half empty.
TEST(TreeBuilder, FirstBlocksAreSizedFromTheDocumentBuiltBefore) {
  String markup = u"<doc n='1'>";
  for (int i = 0; i < 40; ++i) markup += u"\n<item id='i" + Core::FromUtf8(std::to_string(i)) + u"'>some text</item>";
  markup += u"</doc>";
  CTreeFixture trees;
  XNode first = trees.Build(markup);
  auto* firstStore = static_cast<Dom::CDocumentNode*>(first.Get())->store;
  EXPECT_GT(firstStore->nodeBlocks.size(), 2u);
  EXPECT_GT(firstStore->textBlocks.size(), 1u);
  for (int i = 0; i < 3; ++i) {
    XNode next = trees.Build(markup);
    auto* store = static_cast<Dom::CDocumentNode*>(next.Get())->store;
    EXPECT_EQ(store->nodeBlocks.size(), 1u);
    EXPECT_EQ(store->textBlocks.size(), 1u);
    EXPECT_EQ(Dump(next), Dump(first));
  }
  // A much bigger document after them still builds whole.
  String big = u"<doc>";
  for (int i = 0; i < 40; ++i) big += markup;
  big += u"</doc>";
  XNode bigDoc = trees.Build(big);
  EXPECT_EQ(Dump(bigDoc), Dump(trees.Build(big)));
  EXPECT_EQ(Dump(bigDoc).size(), Dump(first).size() * 40 + 11);
}

TEST(TreeBuilder, StrayEventsAreHarmless) {
  CTreeFixture trees;
  XNode doc;
  auto builder = trees.NewBuilder(doc);
  builder->StartDocument();
  builder->EndElement();
  builder->EndComment();
  builder->EndAttribute();
  builder->StartElement(u"r");
  builder->Characters(u"a", 1);
  builder->StartAttribute(u"late");
  builder->Characters(u"b", 1);
  builder->EndAttribute();
  builder->EndComment();
  builder->Characters(u"c", 1);
  builder->EndElement();
  builder->EndDocument();
  EXPECT_EQ(Dump(doc), u"<r>abc</r>");
}

TEST(TreeBuilder, StylesheetRules) {
  XsltPrivate::CStylesheetSpaceHandler rules;
  EXPECT_TRUE(rules.IsEnabled());
  EXPECT_TRUE(rules.IsSpacePreserved(u"http://www.w3.org/1999/XSL/Transform", u"text"));
  EXPECT_FALSE(rules.IsSpacePreserved(u"http://www.w3.org/1999/XSL/Transform", u"template"));
  EXPECT_FALSE(rules.IsSpacePreserved(u"", u"text"));
}

} // namespace
