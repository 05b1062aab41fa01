#include <gtest/gtest.h>

#include <string>

#include "support/TreeFixture.h"
#include "xml/tree/DocumentStore.h"
#include "xml/tree/Names.h"

namespace {

using Core::String;
using Dom::CNamespaceScope;

String Num(int i) { return Core::FromUtf8(std::to_string(i)); }

TEST(NameTable, KeyIsQualifiedNamePlusUri) {
  Dom::CStoreArena arena;
  Dom::CNameTable table(arena);
  const Dom::CName* plain = table.Lookup(u"a", u"", u"a");
  const Dom::CName* inDefault = table.Lookup(u"a", u"urn:d", u"a");
  const Dom::CName* p = table.Lookup(u"p:a", u"urn:x", u"a");
  const Dom::CName* q = table.Lookup(u"q:a", u"urn:x", u"a");
  EXPECT_NE(plain, inDefault);
  EXPECT_NE(p, q);
  EXPECT_EQ(table.GetCount(), 4);
  EXPECT_EQ(table.Lookup(u"p:a", u"urn:x", u"a"), p);
  EXPECT_EQ(p->localName, u"a");
  EXPECT_EQ(p->qualifiedName, u"p:a");
  EXPECT_EQ(p->localName.data()[p->localName.size()], u'\0');
  EXPECT_EQ(p->hash, Dom::HashName(u"p:a", u"urn:x"));
}

TEST(NameTable, GrowsAtThreeQuartersAndKeepsEveryName) {
  Dom::CStoreArena arena;
  Dom::CNameTable table(arena);
  std::vector<const Dom::CName*> names;
  for (int i = 0; i < 48; ++i) names.push_back(table.Lookup(u"n" + Num(i), u"", u"n" + Num(i)));
  EXPECT_EQ(table.GetBucketCount(), 64);
  names.push_back(table.Lookup(u"n48", u"", u"n48"));
  EXPECT_EQ(table.GetBucketCount(), 128);
  for (int i = 0; i < 49; ++i) EXPECT_EQ(table.Lookup(u"n" + Num(i), u"", u"n" + Num(i)), names[size_t(i)]);
  EXPECT_EQ(table.GetCount(), 49);
}

TEST(NamespaceScope, GrowsAndDerivesInBucketOrder) {
  Dom::CStoreArena arena;
  Dom::CNodeKind kind{};
  CNamespaceScope* list = nullptr;
  CNamespaceScope* root = CNamespaceScope::CreateRoot(arena, &kind, list);
  root->Add(u"");
  root->Add(u"xml");
  EXPECT_EQ(root->GetBucketCount(), 4);
  CNamespaceScope* derived = CNamespaceScope::CreateDerived(arena, *root, list);
  EXPECT_EQ(list, derived);
  EXPECT_EQ(derived->next, root);
  const char16_t* prefixes[] = {u"a", u"b", u"c", u"d"};
  for (const char16_t* p : prefixes) derived->Add(p);
  EXPECT_EQ(derived->GetBucketCount(), 8);
  EXPECT_EQ(derived->GetCount(), 6);
  for (const char16_t* p : {u"", u"xml", u"a", u"b", u"c", u"d"}) {
    ASSERT_NE(derived->Find(p), nullptr) << Core::ToUtf8(p);
    EXPECT_EQ(Core::StringView(derived->Find(p)->prefix), Core::StringView(p));
  }
  EXPECT_EQ(derived->Find(u"e"), nullptr);
  EXPECT_EQ(root->Find(u"a"), nullptr);
  // An existing prefix is reused with its ordinal.
  int32_t ordinal = derived->Find(u"b")->ordinal;
  EXPECT_EQ(derived->Add(u"b")->ordinal, ordinal);
  EXPECT_EQ(derived->GetCount(), 6);

  // A scope derived from a grown one keeps its buckets and lists the
  // inherited entries in the parent's bucket order.
  CNamespaceScope* child = CNamespaceScope::CreateDerived(arena, *derived, list);
  EXPECT_EQ(child->GetBucketCount(), 8);
  ASSERT_EQ(child->GetCount(), 6);
  // Entries sit in the same buckets as in the parent, so bucket order is
  // address order.
  for (int32_t i = 1; i < child->GetCount(); ++i) EXPECT_LT(child->GetItem(i - 1), child->GetItem(i));
  for (int32_t i = 0; i < child->GetCount(); ++i) {
    Dom::CNamespaceNode* inherited = child->GetItem(i);
    Dom::CNamespaceNode* original = derived->Find(Core::StringView(inherited->prefix, inherited->prefixLength));
    EXPECT_NE(inherited, original);
    EXPECT_EQ(inherited->ordinal, original->ordinal);
  }
  child->Add(u"z");
  EXPECT_EQ(Core::StringView(child->GetItem(6)->prefix), u"z");
  EXPECT_EQ(child->GetItem(6)->ordinal, 7);
}

// The namespace map lists an element's namespace nodes in the bucket order
// of the scope it was copied from (prefixes hashed as h * 9 + unit), then
// its own new prefixes; copies of an element write them in that order.
TEST(NamespaceScope, MapOrderFollowsTheBuckets) {
  KeltoTest::CTreeFixture trees;
  Dom::XNode doc = trees.Build(
      u"<r xmlns:xsl='urn:xsl' xmlns:fo='urn:fo' xmlns:a='urn:a'><e xmlns:b='urn:b'><f/></e></r>");
  auto prefixes = [](const Dom::CNode* element) {
    String out;
    Dom::XNamedNodeMap map = element->GetNamespaces();
    for (int32_t i = 0; i < map->GetLength(); ++i) out += u"[" + map->Item(i)->GetNodeName() + u"]";
    return out;
  };
  Dom::CNode* r = doc->GetDocumentElement().Get();
  Dom::CNode* e = r->FirstChild();
  // r: the root scope's two entries, then xsl, which grows the scope from
  // 4 to 8 buckets when fo comes, then a.
  EXPECT_EQ(prefixes(r), u"[][xml][xsl][fo][a]");
  // e: r's buckets 0 "", 1 xml, 2 a, 5 fo, 7 xsl, then its own b.
  EXPECT_EQ(prefixes(e), u"[][xml][a][fo][xsl][b]");
  EXPECT_EQ(prefixes(e->FirstChild()), prefixes(e));
}

TEST(NamespaceScope, ManyDeclarationsInOneElement) {
  KeltoTest::CTreeFixture trees;
  String markup = u"<r";
  for (int i = 0; i < 100; ++i) markup += u" xmlns:p" + Num(i) + u"='urn:" + Num(i) + u"'";
  markup += u"><p99:e p0:a='1'/></r>";
  Dom::XNode doc = trees.Build(markup);
  Dom::CNode* r = doc->GetDocumentElement().Get();
  EXPECT_EQ(r->NamespaceScope()->GetCount(), 102);
  Dom::CNode* e = r->FirstChild();
  EXPECT_EQ(e->GetNamespaceURI(), u"urn:99");
  EXPECT_EQ(e->AttributeAt(0)->GetNamespaceURI(), u"urn:0");
  Dom::XNamedNodeMap map = e->GetNamespaces();
  for (int32_t i = 1; i < map->GetLength(); ++i)
    EXPECT_EQ(Dom::CompareDocumentOrder(map->Item(i - 1).Get(), map->Item(i).Get()), -1);
}

} // namespace

namespace {

// Names built from two-unit blocks with equal 9 * a + b all share one value
// of a plain multiplicative hash; they must still spread over the table.
TEST(NameTable, CraftedNamesDoNotShareOneProbeChain) {
  std::vector<Core::String> blocks;
  const uint32_t target = 9u * 0x6000 + 0x6000;
  for (uint32_t a = 0x4E00; a <= 0x9FFF; ++a) {
    uint32_t b = target - 9u * a;
    if (b >= 0x4E00 && b <= 0x9FFF) blocks.push_back(Core::String{char16_t(a), char16_t(b)});
  }
  ASSERT_GT(blocks.size(), 200u);
  Dom::CStoreArena arena;
  Dom::CNameTable table(arena);
  int count = 0;
  for (size_t i = 0; i < 200; ++i) {
    for (size_t j = 0; j < 200; ++j, ++count) {
      Core::String name = blocks[i] + blocks[j];
      table.Lookup(name, u"", name);
    }
  }
  EXPECT_EQ(table.GetCount(), count);
  EXPECT_EQ(table.Lookup(blocks[7] + blocks[9], u"", blocks[7] + blocks[9])->qualifiedName, blocks[7] + blocks[9]);
  EXPECT_EQ(table.GetCount(), count);
}

// One qualified name bound to a new namespace on every element, as a default
// namespace or a prefix declared anew: each key is new, and a lookup must not
// walk past every earlier one.
TEST(NameTable, OneNameInManyNamespacesKeepsProbesShort) {
  constexpr int n = 20000;
  for (const char16_t* name : {u"p:e", u"e"}) {
    Dom::CStoreArena arena;
    Dom::CNameTable table(arena);
    std::vector<const Dom::CName*> entries;
    for (int i = 0; i < n; ++i) entries.push_back(table.Lookup(name, u"urn:" + Num(i), u"e"));
    for (int i = 0; i < n; ++i) EXPECT_EQ(table.Lookup(name, u"urn:" + Num(i), u"e"), entries[size_t(i)]);
    EXPECT_EQ(table.GetCount(), n);
    EXPECT_LT(table.GetProbeCount(), int64_t(8) * n) << Core::ToUtf8(name);
  }
}

TEST(NameTable, ParsedNamesInManyNamespacesKeepProbesShort) {
  constexpr int n = 5000;
  Core::String markup = u"<r>";
  for (int i = 0; i < n; ++i) {
    String uri = u"urn:" + Num(i);
    markup += u"<p:e xmlns:p='" + uri + u"' p:a='1'/><e xmlns='" + uri + u"'/>";
  }
  markup += u"</r>";
  KeltoTest::CTreeFixture trees;
  Dom::XNode doc = trees.Build(markup);
  const Dom::CDocumentStore* store = static_cast<Dom::CDocumentNode*>(doc.Get())->store;
  EXPECT_GE(store->elementNames.GetCount(), 2 * n + 1);
  EXPECT_GE(store->attributeNames.GetCount(), n);
  EXPECT_LT(store->elementNames.GetProbeCount(), int64_t(8) * 2 * n);
  EXPECT_LT(store->attributeNames.GetProbeCount(), int64_t(8) * n);
}

} // namespace

namespace {

// A plain model of a scope: linear probing from h * 9 + unit, growth at
// three quarters, the in-order list rebuilt from the old buckets.
struct CModelScope {
  std::vector<String> buckets = std::vector<String>(4);
  std::vector<bool> used = std::vector<bool>(4);
  std::vector<String> order;
  int32_t count = 0;

  size_t Home(const String& p) const { return Dom::HashPrefix(p) % buckets.size(); }
  void Place(std::vector<String>& b, std::vector<bool>& u, const String& p) const {
    size_t i = Dom::HashPrefix(p) % b.size();
    while (u[i]) i = (i + 1) % b.size();
    b[i] = p;
    u[i] = true;
  }
  void Add(const String& p) {
    for (size_t i = Home(p);; i = (i + 1) % buckets.size()) {
      if (!used[i]) break;
      if (buckets[i] == p) return;
    }
    if (count >= int32_t(buckets.size() * 3 / 4)) {
      std::vector<String> b(buckets.size() * 2);
      std::vector<bool> u(buckets.size() * 2);
      order.clear();
      // The rebuilt list follows the old buckets, not the new ones.
      for (size_t i = 0; i < buckets.size(); ++i) {
        if (!used[i]) continue;
        Place(b, u, buckets[i]);
        order.push_back(buckets[i]);
      }
      buckets.swap(b);
      used.swap(u);
    }
    Place(buckets, used, p);
    order.push_back(p);
    ++count;
  }
  std::vector<String> BucketOrder() const {
    std::vector<String> out;
    for (size_t i = 0; i < buckets.size(); ++i)
      if (used[i]) out.push_back(buckets[i]);
    return out;
  }
};

std::vector<String> ListOf(const CNamespaceScope& scope) {
  std::vector<String> out;
  for (int32_t i = 0; i < scope.GetCount(); ++i)
    out.emplace_back(scope.GetItem(i)->prefix, scope.GetItem(i)->prefixLength);
  return out;
}

// Prefixes that all share one value of h * 9 + unit still find their entries
// quickly, and sit in exactly the buckets plain linear probing gives them.
TEST(NamespaceScope, CraftedPrefixesKeepTheirPlaces) {
  std::vector<String> blocks;
  const uint32_t target = 9u * 0x6000 + 0x6000;
  for (uint32_t a = 0x4E00; a <= 0x9FA5 && blocks.size() < 40; ++a) {
    uint32_t b = target - 9u * a;
    if (b >= 0x4E00 && b <= 0x9FA5) blocks.push_back(String{char16_t(a), char16_t(b)});
  }
  ASSERT_EQ(blocks.size(), 40u);
  std::vector<String> prefixes;
  for (const String& x : blocks)
    for (const String& y : blocks) prefixes.push_back(x + y);
  // Ordinary prefixes among them land inside the long run.
  for (int i = 0; i < 80; ++i) prefixes.insert(prefixes.begin() + i * 17, u"p" + Num(i));

  Dom::CStoreArena arena;
  Dom::CNodeKind kind{};
  CNamespaceScope* list = nullptr;
  CNamespaceScope* root = CNamespaceScope::CreateRoot(arena, &kind, list);
  CModelScope model;
  for (const String& p : prefixes) {
    root->Add(p);
    model.Add(p);
  }
  ASSERT_EQ(root->GetCount(), int32_t(prefixes.size()));
  EXPECT_EQ(ListOf(*root), model.order);
  for (const String& p : prefixes) {
    ASSERT_NE(root->Find(p), nullptr);
    EXPECT_EQ(Core::StringView(root->Find(p)->prefix), Core::StringView(p));
  }
  EXPECT_EQ(root->Find(blocks[0]), nullptr);

  // A copy lists the entries in bucket order and goes on like the model.
  CNamespaceScope* derived = CNamespaceScope::CreateDerived(arena, *root, list);
  EXPECT_EQ(ListOf(*derived), model.BucketOrder());
  model.order = model.BucketOrder();
  for (int i = 0; i < 2000; ++i) {
    String p = blocks[size_t(i % 40)] + blocks[size_t(i / 40 % 40)] + blocks[size_t(i % 7)];
    derived->Add(p);
    model.Add(p);
  }
  EXPECT_EQ(ListOf(*derived), model.order);
  EXPECT_EQ(derived->GetCount(), model.count);
}

} // namespace
