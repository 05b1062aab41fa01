// Every element that declares a namespace copies the scope it inherits, so
// the entries all scopes of a document may take are bounded: a small
// hostile document ends in a parse error instead of exhausting memory.
#include <gtest/gtest.h>

#include <string>

#include "core/StringStream.h"
#include "support/TreeFixture.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentStore.h"
#include "xml/tree/Names.h"

namespace {

using Core::String;
using Dom::CNamespaceScope;
using Dom::MAX_SCOPE_ENTRIES;
using Dom::XNode;

String Num(int i) { return Core::FromUtf8(std::to_string(i)); }

// A root declaring the prefixes p0, p1..., then children on lines of their
// own, each with the given declarations (child k on line k + 1).
String Document(int prefixes, int children, Core::StringView child) {
  String d = u"<r";
  for (int i = 0; i < prefixes; ++i) d += u" xmlns:p" + Num(i) + u"='urn:" + Num(i) + u"'";
  d += u">";
  for (int i = 0; i < children; ++i) {
    d += u"\n";
    d += child;
  }
  d += u"\n</r>";
  return d;
}

void Parse(KeltoTest::CTreeFixture& trees, XNode& doc, Core::StringView text) {
  auto builder = trees.NewBuilder(doc);
  XmlParserPrivate::CParserFactory factory;
  auto parser = factory.CreateParser();
  parser->SetDocumentHandler(builder);
  Core::XInterface<XmlParserPrivate::CInputSource> source(new XmlParserPrivate::CInputSource());
  source->SetSystemId(u"file:///ns.xml");
  source->SetCharacterStream(Core::XInterface<Core::IUnicodeStream>(new Core::CStringStream(text)));
  parser->ParseInputSource(source.Get());
}

const CNamespaceScope* NewestScope(const XNode& doc) {
  return static_cast<Dom::CDocumentNode*>(doc.Get())->store->scopes;
}

// 10,000 prefixes on the root and 10,000 children declaring one more each
// would copy 100 million entries (some 10 GB) into the children's scopes.
TEST(NamespaceBound, InheritedDeclarationsEndInAParseError) {
  KeltoTest::CTreeFixture trees;
  XNode doc;
  String text = Document(10000, 10000, u"<e xmlns:q='urn:q'/>");
  try {
    Parse(trees, doc, text);
    ADD_FAILURE() << "the hostile document was built";
  } catch (const Sxp::CParseException& e) {
    EXPECT_EQ(e.GetMessage(), u"Too many namespace declarations in scope");
    EXPECT_EQ(e.GetSystemId(), u"file:///ns.xml");
    // The entries stop at the bound, at the first child whose copy of the
    // root element's scope would pass it, and not before.
    const CNamespaceScope* newest = NewestScope(doc);
    int children = 0;
    const CNamespaceScope* r = newest;
    for (; r->next->next; r = r->next) ++children;
    EXPECT_EQ(r->GetBucketCount(), 16384);
    // The allowance is that of the nodes built: the root element, and a line
    // break and an element for every child up to the refused one.
    int64_t limit = newest->GetEntryLimit();
    EXPECT_EQ(limit, Dom::ScopeEntryLimit(1 + 2 * (children + 1)));
    EXPECT_LE(newest->GetEntryTotal(), limit);
    EXPECT_GT(newest->GetEntryTotal() + r->GetBucketCount(), limit);
    EXPECT_LT(limit, MAX_SCOPE_ENTRIES + MAX_SCOPE_ENTRIES / 100);  // stopped near the fixed part
    EXPECT_EQ(e.GetLineNumber(), children + 2);
  }
}

// Copies and growth meet the same bound, and a refused Add or copy leaves
// everything as it was.
TEST(NamespaceBound, RefusedCopyOrGrowthChangesNothing) {
  Dom::CStoreArena arena;
  Dom::CNodeKind kind{};
  CNamespaceScope* list = nullptr;
  CNamespaceScope* root = CNamespaceScope::CreateRoot(arena, &kind, list);
  for (int i = 0; i < 12287; ++i) root->Add(u"p" + Num(i));  // one short of growing
  ASSERT_EQ(root->GetBucketCount(), 16384);
  CNamespaceScope* scope = root;
  int copies = 0;
  try {
    for (;; ++copies) scope = CNamespaceScope::CreateDerived(arena, *root, list);
  } catch (const Dom::CScopeLimitException&) {
  }
  EXPECT_EQ(list, scope);
  int64_t total = scope->GetEntryTotal();
  EXPECT_EQ(total, 32764 + int64_t(copies) * 16384);
  EXPECT_LE(total, MAX_SCOPE_ENTRIES);
  EXPECT_GT(total + 16384, MAX_SCOPE_ENTRIES);

  // The last copy takes one more prefix in its buckets; the next one would
  // double them.
  EXPECT_EQ(scope->Add(u"q")->ordinal, 12288);
  EXPECT_EQ(scope->Add(u"p7")->ordinal, 8);  // an existing prefix needs nothing
  EXPECT_THROW(scope->Add(u"r"), Dom::CScopeLimitException);
  EXPECT_EQ(scope->GetBucketCount(), 16384);
  EXPECT_EQ(scope->GetCount(), 12288);
  EXPECT_EQ(scope->Find(u"r"), nullptr);
  ASSERT_NE(scope->Find(u"q"), nullptr);
  EXPECT_EQ(scope->GetItem(12287), scope->Find(u"q"));
  EXPECT_EQ(scope->GetEntryTotal(), total);

  // The allowance of a document of more nodes lets the refused growth
  // through, and holds the next copy to the larger figure.
  EXPECT_EQ(scope->GetEntryLimit(), MAX_SCOPE_ENTRIES);
  scope->SetNodeCount(512);
  EXPECT_EQ(scope->GetEntryLimit(), MAX_SCOPE_ENTRIES + 512 * Dom::SCOPE_ENTRIES_PER_NODE);
  EXPECT_EQ(scope->Add(u"r")->ordinal, 12289);
  EXPECT_EQ(scope->GetBucketCount(), 32768);
  EXPECT_EQ(scope->GetEntryTotal(), total + 32768);
  EXPECT_EQ(root->GetEntryLimit(), scope->GetEntryLimit());  // one allowance for all
  EXPECT_THROW(CNamespaceScope::CreateDerived(arena, *scope, list), Dom::CScopeLimitException);
  EXPECT_EQ(list, scope);
}

// A large ordinary document: every one of 10,000 elements redeclares the
// default namespace and one prefix under 50 prefixes of the root.
TEST(NamespaceBound, ManyDeclaringElementsStillBuild) {
  KeltoTest::CTreeFixture trees;
  XNode doc;
  Parse(trees, doc, Document(50, 10000, u"<e xmlns='urn:e' xmlns:p3='urn:x'><p7:f p3:a='1'/></e>"));
  Dom::CNode* r = doc->GetDocumentElement().Get();
  EXPECT_EQ(r->GetNamespaces()->GetLength(), 52);
  int children = 0;
  for (Dom::CNode* e = r->FirstChild(); e; e = e->NextSibling()) {
    if (e->GetNodeType() != Dom::ELEMENT_NODE) continue;
    ++children;
    EXPECT_EQ(e->GetNamespaceURI(), u"urn:e");
    EXPECT_EQ(e->GetNamespaces()->GetLength(), 52);
    Dom::CNode* f = e->FirstChild();
    EXPECT_EQ(f->GetNamespaceURI(), u"urn:7");
    EXPECT_EQ(f->AttributeAt(0)->GetNamespaceURI(), u"urn:x");
    EXPECT_EQ(f->NamespaceScope(), e->NamespaceScope());
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_EQ(children, 10000);
  EXPECT_LT(NewestScope(doc)->GetEntryTotal(), MAX_SCOPE_ENTRIES / 2);
}

// Under a root of 46 prefixes (64 buckets) 70,000 elements redeclare the
// default namespace, one node each: their copies take more entries than the
// fixed part allows, but no more than their nodes do.
TEST(NamespaceBound, LargeDocumentPassesTheFixedPart) {
  constexpr int kElements = 70000;
  KeltoTest::CTreeFixture trees;
  XNode doc;
  String text = u"<r";
  for (int i = 0; i < 46; ++i) text += u" xmlns:p" + Num(i) + u"='urn:" + Num(i) + u"'";
  text += u">";
  for (int i = 0; i < kElements; ++i) text += u"<p9:e xmlns='urn:e'/>";
  text += u"</r>";
  Parse(trees, doc, text);
  const CNamespaceScope* newest = NewestScope(doc);
  EXPECT_EQ(newest->GetBucketCount(), 64);
  EXPECT_GT(newest->GetEntryTotal(), MAX_SCOPE_ENTRIES);
  EXPECT_LE(newest->GetEntryTotal(), newest->GetEntryLimit());
  Dom::CNode* r = doc->GetDocumentElement().Get();
  int children = 0;
  for (Dom::CNode* e = r->FirstChild(); e; e = e->NextSibling()) ++children;
  EXPECT_EQ(children, kElements);
  Dom::CNode* last = r->LastChild();
  EXPECT_EQ(last->GetNamespaceURI(), u"urn:9");
  EXPECT_EQ(last->GetNamespaces()->GetLength(), 48);
  EXPECT_EQ(last->NamespaceScope(), newest);
}

} // namespace
