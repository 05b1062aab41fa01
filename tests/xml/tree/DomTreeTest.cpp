#include <gtest/gtest.h>

#include "TreeTestUtil.h"
#include "support/TreeFixture.h"
#include "xml/tree/DocumentStore.h"

namespace {

using Dom::CNode;
using Dom::XNode;
using KeltoTest::CTreeFixture;
using KeltoTest::Dump;
using TreeTest::ExpectDomError;
using TreeTest::Root;

TEST(DocumentFactory, NumbersDocumentsPerFactoryAndOrdersThem) {
  CTreeFixture trees(1);
  XNode first = trees.Build(u"<a><b/></a>");
  XNode second = trees.Build(u"<a/>");
  EXPECT_EQ(first->GetDocumentNumber(), 16777217u);
  EXPECT_EQ(second->GetDocumentNumber(), 16777218u);
  EXPECT_EQ(Root(first)->GetDocumentNumber(), 16777217u);
  // Any node of the second document follows every node of the first.
  EXPECT_EQ(Dom::CompareDocumentOrder(Root(first)->FirstChild(), second.Get()), -1);
  EXPECT_EQ(Dom::CompareDocumentOrder(Root(second), Root(first)->FirstChild()), 1);
  CTreeFixture other(2);
  EXPECT_EQ(other.Build(u"<a/>")->GetDocumentNumber(), (2u << 24) + 1);
}

TEST(DocumentTree, NodeIndexesFollowCreationOrder) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<a x='1' y='2'><b/>t</a>");
  CNode* a = Root(doc);
  EXPECT_EQ(doc->GetNodeIndex(), 0);
  EXPECT_EQ(a->GetNodeIndex(), 1);
  EXPECT_EQ(a->AttributeAt(0)->GetNodeIndex(), 2);
  EXPECT_EQ(a->AttributeAt(1)->GetNodeIndex(), 3);
  EXPECT_EQ(a->FirstChild()->GetNodeIndex(), 4);
  EXPECT_EQ(a->LastChild()->GetNodeIndex(), 5);
  EXPECT_EQ(a->LastChild()->GetNodeType(), Dom::TEXT_NODE);
  auto* store = static_cast<Dom::CDocumentNode*>(doc.Get())->store;
  EXPECT_EQ(store->nextNodeIndex, 6);
}

TEST(DocumentTree, KindsNamesValuesAndLinks) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<?first go?><r a='v'>x<!--c-->y<?p  d ?><e/></r><!--after-->");
  CNode* pi = doc->FirstChild();
  ASSERT_EQ(pi->GetNodeType(), Dom::PROCESSING_INSTRUCTION_NODE);
  EXPECT_EQ(pi->GetNodeName(), u"first");
  EXPECT_EQ(pi->GetNodeValue(), u"go");
  // The document element is found past the processing instruction.
  CNode* r = Root(doc);
  EXPECT_EQ(r, pi->NextSibling());
  EXPECT_EQ(r->PreviousSibling(), pi);
  EXPECT_EQ(doc->LastChild()->GetNodeType(), Dom::COMMENT_NODE);
  EXPECT_EQ(doc->LastChild()->PreviousSibling(), r);
  EXPECT_EQ(doc->GetNodeName(), u"#document");

  struct Row {
    int32_t type;
    const char16_t* name;
    const char16_t* value;
  } const rows[] = {
      {Dom::TEXT_NODE, u"#text", u"x"},
      {Dom::COMMENT_NODE, u"#comment", u"c"},
      {Dom::TEXT_NODE, u"#text", u"y"},
      {Dom::PROCESSING_INSTRUCTION_NODE, u"p", u"d "},
      {Dom::ELEMENT_NODE, u"e", u""},
  };
  CNode* n = r->FirstChild();
  for (const Row& row : rows) {
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->GetNodeType(), row.type);
    EXPECT_EQ(n->GetNodeName(), row.name);
    EXPECT_EQ(n->GetNodeValue(), row.value);
    EXPECT_EQ(n->Parent(), r);
    EXPECT_EQ(n->GetParentNode(), r);
    EXPECT_EQ(n->GetNamespaceURI(), u"");
    CNode* next = n->NextSibling();
    if (next) {
      EXPECT_EQ(next->PreviousSibling(), n);
    }
    n = next;
  }
  EXPECT_EQ(n, nullptr);
  EXPECT_EQ(r->LastChild()->GetNodeName(), u"e");

  // Attributes have their element as parent and no siblings.
  CNode* attr = r->AttributeAt(0);
  EXPECT_EQ(attr->GetParentNode(), r);
  EXPECT_FALSE(attr->GetNextSibling());
  EXPECT_FALSE(attr->GetPreviousSibling());
  EXPECT_FALSE(attr->GetFirstChild());
  EXPECT_EQ(attr->GetNodeValue(), u"v");
  EXPECT_EQ(attr->GetStringValue(), u"v");
  EXPECT_FALSE(doc->GetParentNode());
  EXPECT_FALSE(doc->GetNextSibling());
  EXPECT_EQ(r->GetOwnerDocument(), doc);
  EXPECT_EQ(attr->GetOwnerDocument(), doc);
}

TEST(DocumentTree, StringValues) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<!--top--><r>a<!--no-->b<?p no?><e>c<f>d</f></e><g/>e</r>");
  CNode* r = Root(doc);
  EXPECT_EQ(r->GetStringValue(), u"abcde");
  EXPECT_EQ(doc->GetStringValue(), u"abcde");
  EXPECT_EQ(r->FirstChild()->NextSibling()->GetStringValue(), u"no");  // the comment's own data
  EXPECT_EQ(r->LastChild()->PreviousSibling()->GetStringValue(), u"");  // <g/>

  XNode one = trees.Build(u"<r><!--c-->x</r>");
  EXPECT_EQ(Root(one)->GetStringValue(), u"x");
  Core::String out = u"pre:";
  Root(doc)->AppendStringValue(out);
  EXPECT_EQ(out, u"pre:abcde");
}

// Nesting deep enough to overflow the stack if any walk recursed.
TEST(DocumentTree, DeepTreesNeedNoRecursion) {
  constexpr int kDepth = 200000;
  CTreeFixture trees;
  XNode doc;
  auto builder = trees.NewBuilder(doc);
  builder->StartDocument();
  for (int i = 0; i < kDepth; ++i) {
    builder->StartElement(u"d");
    builder->Characters(u"x", 1);
  }
  for (int i = 0; i < kDepth; ++i) builder->EndElement();
  builder->EndDocument();
  Core::String value = doc->GetStringValue();
  EXPECT_EQ(value.size(), size_t(kDepth));
  EXPECT_EQ(Dump(doc).size(), size_t(kDepth) * 8);
  // The last descendant is still reachable and ordered after the root.
  CNode* n = Root(doc);
  while (n->LastChild()) n = n->LastChild();
  EXPECT_EQ(Dom::CompareDocumentOrder(Root(doc), n), -1);
}

TEST(DocumentTree, ReadOnlyOperationsThrow) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<r a='1'>t<!--c--><?p d?></r>");
  CNode* r = Root(doc);
  CNode* attr = r->AttributeAt(0);
  CNode* text = r->FirstChild();
  CNode* comment = text->NextSibling();
  CNode* pi = comment->NextSibling();
  CNode* ns = r->NamespaceScope()->GetItem(0);
  for (CNode* n : {doc.Get(), r, attr, text, comment, pi, ns}) {
    SCOPED_TRACE(n->GetNodeType());
    const Dom::CNodeOperations& ops = n->GetOperations();
    ExpectDomError(7, [&] { ops.SetNodeValue(n, u"x"); });
    ExpectDomError(7, [&] { ops.InsertBefore(n, text, nullptr); });
    ExpectDomError(7, [&] { ops.ReplaceChild(n, text, text); });
    ExpectDomError(7, [&] { ops.RemoveChild(n, text); });
    ExpectDomError(7, [&] { n->AppendChild(XNode(text)); });
    ExpectDomError(9, [&] { ops.GetChildNodes(n); });
    ExpectDomError(9, [&] { ops.CloneNode(n, true); });
  }
  // Nothing can be created in a built tree.
  ExpectDomError(9, [&] { doc->CreateElement(u"e"); });
  ExpectDomError(9, [&] { doc->CreateTextNode(u"t"); });
  ExpectDomError(9, [&] { doc->CreateComment(u"c"); });
  ExpectDomError(9, [&] { doc->CreateProcessingInstruction(u"p", u"d"); });
  ExpectDomError(9, [&] { doc->CreateAttribute(u"a"); });
  const auto& docOps = doc->GetOperationsAs<Dom::CDocumentOperationsTable>();
  ExpectDomError(9, [&] { docOps.CreateDocumentFragment(doc.Get()); });
  ExpectDomError(9, [&] { docOps.CreateCDATASection(doc.Get(), u"x"); });
  ExpectDomError(9, [&] { docOps.CreateEntityReference(doc.Get(), u"x"); });
  ExpectDomError(9, [&] { docOps.GetDoctype(doc.Get()); });

  const auto& elementOps = r->GetOperationsAs<Dom::CElementOperationsTable>();
  ExpectDomError(7, [&] { elementOps.SetAttribute(r, u"a", u"2"); });
  ExpectDomError(7, [&] { elementOps.RemoveAttributeNode(r, attr); });
  ExpectDomError(7, [&] { elementOps.SetNamespace(r, u"p", u"u"); });
  ExpectDomError(9, [&] { elementOps.GetElementsByTagName(r, u"*"); });
  ExpectDomError(9, [&] { attr->GetOperationsAs<Dom::CAttributeOperationsTable>().GetSpecified(attr); });
  ExpectDomError(7, [&] { text->GetOperationsAs<Dom::CTextOperationsTable>().SplitText(text, 0); });
  ExpectDomError(7, [&] { r->GetAttributes()->SetNamedItem(XNode(attr)); });
  ExpectDomError(7, [&] { r->GetNamespaces()->RemoveNamedItem(u"xml"); });
  EXPECT_EQ(Dump(doc), u"<r a=\"1\">t<!--c--><?p d?></r>");
}

TEST(DocumentTree, ElementAndCharacterDataOperations) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<r xmlns:p='urn:p' a='1' p:b='2'>hello</r>");
  CNode* r = Root(doc);
  const auto& ops = r->GetOperationsAs<Dom::CElementOperationsTable>();
  EXPECT_EQ(ops.GetTagName(r), u"r");
  EXPECT_EQ(ops.GetAttribute(r, u"a"), u"1");
  EXPECT_EQ(ops.GetAttribute(r, u"p:b"), u"2");
  EXPECT_EQ(ops.GetAttribute(r, u"b"), u"");  // the local part alone does not find p:b
  EXPECT_EQ(ops.GetAttributeNode(r, u"b"), nullptr);
  EXPECT_EQ(ops.GetNamespace(r, u"p"), u"urn:p");
  EXPECT_EQ(ops.GetNamespace(r, u"q"), u"");
  EXPECT_EQ(ops.GetNamespaceNode(r, u"xml")->GetNodeValue(), u"http://www.w3.org/XML/1998/namespace");

  CNode* text = r->FirstChild();
  const auto& t = text->GetOperationsAs<Dom::CCharacterDataOperationsTable>();
  EXPECT_EQ(t.GetLength(text), 5);
  EXPECT_EQ(t.GetData(text), u"hello");
  struct Case {
    int32_t offset, count;
    const char16_t* expected;
  } const cases[] = {{0, 5, u"hello"}, {1, 3, u"ell"}, {5, 1, u""}, {3, 100, u"lo"}, {0, 0, u""}};
  for (const Case& c : cases) EXPECT_EQ(t.SubstringData(text, c.offset, c.count), c.expected);
  ExpectDomError(1, [&] { t.SubstringData(text, -1, 1); });
  ExpectDomError(1, [&] { t.SubstringData(text, 6, 0); });
  ExpectDomError(1, [&] { t.SubstringData(text, 0, -1); });
}

TEST(NamedNodeMap, AttributeAndNamespaceMaps) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<r xmlns:p='urn:p' p:a='1' a='2'><e/>t</r>");
  CNode* r = Root(doc);
  Dom::XNamedNodeMap attrs = r->GetAttributes();
  ASSERT_TRUE(attrs);
  EXPECT_EQ(attrs->GetLength(), 2);
  EXPECT_EQ(attrs->Item(0)->GetNodeName(), u"p:a");
  EXPECT_EQ(attrs->Item(1)->GetNodeName(), u"a");
  EXPECT_FALSE(attrs->Item(2));
  EXPECT_EQ(attrs->GetNamedItem(u"a")->GetNodeValue(), u"2");  // not p:a
  EXPECT_EQ(attrs->GetNamedItem(u"p:a")->GetNodeValue(), u"1");
  EXPECT_FALSE(attrs->GetNamedItem(u"q"));

  EXPECT_EQ(r->FirstChild()->GetAttributes()->GetLength(), 0);
  EXPECT_FALSE(r->LastChild()->GetAttributes());
  EXPECT_FALSE(r->LastChild()->GetNamespaces());
  EXPECT_FALSE(doc->GetAttributes());

  Dom::XNamedNodeMap nss = r->GetNamespaces();
  EXPECT_EQ(nss->GetLength(), 3);
  EXPECT_EQ(nss->GetNamedItem(u"p")->GetNodeValue(), u"urn:p");
  EXPECT_EQ(nss->GetNamedItem(u"")->GetNodeValue(), u"");
  EXPECT_FALSE(nss->GetNamedItem(u"q"));
  // The child without declarations of its own sees the same scope.
  EXPECT_EQ(r->FirstChild()->GetNamespaces()->GetNamedItem(u"p"), nss->GetNamedItem(u"p"));
  Dom::XNamedNodeMap copy = nss;
  copy = nss;
  EXPECT_EQ(nss->useCount, 2);
}

TEST(NodeHandle, CountsOnlyDocuments) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<r><e/></r>");
  auto* counted = static_cast<Dom::CDocumentNode*>(doc.Get());
  EXPECT_EQ(counted->useCount, 1);
  {
    XNode element = Root(doc);
    XNode parent = element->GetParentNode();
    EXPECT_EQ(counted->useCount, 2);
    XNode copy = element;
    copy = copy;
    element = nullptr;
  }
  EXPECT_EQ(counted->useCount, 1);
  XNode same = doc;
  same = same;  // self-assignment keeps the count
  EXPECT_EQ(counted->useCount, 2);
  same = nullptr;
  // Releasing the last handle frees the document (the sanitizer build checks
  // that nothing leaks or is read after).
  XNode only = trees.Build(u"<r>x<e a='1'/></r>");
  only = nullptr;
}

TEST(DomException, Messages) {
  EXPECT_EQ(Dom::CDomException(7).GetMessage(), u"Attempt to modify an object where modifications are not allowed");
  EXPECT_EQ(Dom::CDomException(9).GetMessage(), u"Implementation does not support the type of object requested");
  EXPECT_EQ(Dom::CDomException(8).GetMessage(), u"Attempt to reference a node in a context where it does not exist");
  EXPECT_EQ(Dom::CDomException(1).GetMessage(), u"Index or size is negative, or greater than the allowed value");
  EXPECT_EQ(Dom::CDomException(0).GetMessage(), u"Unclassified DOM exception");
  EXPECT_EQ(Dom::CDomException(11).GetMessage(), u"Unclassified DOM exception");
}

TEST(DocumentFactory, BuilderOnlyForDocuments) {
  CTreeFixture trees;
  XNode doc = trees.Build(u"<r/>");
  ExpectDomError(9, [&] { trees.factory->CreateDocumentHandler(XNode(Root(doc)), nullptr, nullptr); });
}

} // namespace
