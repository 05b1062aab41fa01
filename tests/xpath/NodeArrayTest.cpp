#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "support/TreeFixture.h"
#include "xml/tree/DocumentFactory.h"
#include "xpath/BasicNodeArray.h"
#include "xpath/support/EvalFixture.h"
#include "xpath/support/TestHost.h"

namespace {

using Core::XInterface;
using XpathTest::CTestDataSet;

std::vector<Dom::XNode> MakeDocuments(BasicXdm::CDocumentFactory& factory, int n) {
  std::vector<Dom::XNode> docs;
  for (int i = 0; i < n; ++i) docs.push_back(factory.CreateDocument());
  return docs;
}

std::vector<Dom::CNode*> Read(Xpath::CNodeArray& array) {
  std::vector<Dom::CNode*> out;
  XInterface<Xpath::CNodeArrayIndex> index = array.CreateIndex();
  for (Dom::XNode n = index->GetNode(); n; index->Next(), n = index->GetNode()) out.push_back(n.Get());
  return out;
}

TEST(NodeArray, KeepsDocumentOrderAndRefusesDuplicates) {
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  std::vector<Dom::XNode> docs = MakeDocuments(*factory, 7);
  std::vector<Dom::CNode*> expected;
  for (auto& d : docs) expected.push_back(d.Get());

  struct Order {
    const char* name;
    std::vector<int> indexes;
  } orders[] = {
      {"forward", {0, 1, 2, 3, 4, 5, 6}},
      {"reverse", {6, 5, 4, 3, 2, 1, 0}},
      {"mixed", {3, 0, 6, 1, 5, 2, 4}},
      {"with duplicates", {2, 2, 5, 0, 5, 6, 1, 3, 4, 0, 6, 3}},
  };
  auto dataSet = Core::Make<CTestDataSet>();
  Xpath::CBasicNodeArrayFactory arrays;
  for (const auto& order : orders) {
    XInterface<Xpath::CNodeArray> array = arrays.CreateNodeArray(dataSet.Get());
    for (int i : order.indexes) array->Insert(docs[i]);
    EXPECT_EQ(Read(*array), expected) << order.name;
    EXPECT_EQ(array->GetCount(), 7) << order.name;
    for (int i = 0; i < 7; ++i) {
      EXPECT_TRUE(array->Contains(docs[i]));
      EXPECT_EQ(array->GetAt(i).Get(), expected[i]);
    }
  }
}

TEST(NodeArray, OrdersByDocumentNumberAcrossFactories) {
  // Factory 2 numbers its documents above every document of factory 1.
  auto second = Core::Make<BasicXdm::CDocumentFactory>(2);
  auto first = Core::Make<BasicXdm::CDocumentFactory>(1);
  Dom::XNode late = second->CreateDocument();
  Dom::XNode early = first->CreateDocument();
  auto dataSet = Core::Make<CTestDataSet>();
  XInterface<Xpath::CNodeArray> array = Xpath::CBasicNodeArrayFactory().CreateNodeArray(dataSet.Get());
  array->Insert(late);
  array->Insert(early);
  EXPECT_EQ(Read(*array), (std::vector<Dom::CNode*>{early.Get(), late.Get()}));
  EXPECT_FALSE(array->Contains(first->CreateDocument()));
}

TEST(NodeArray, IndexPastTheEndKeepsGivingNull) {
  auto dataSet = Core::Make<CTestDataSet>();
  XInterface<Xpath::CNodeArray> array = Xpath::CBasicNodeArrayFactory().CreateNodeArray(dataSet.Get());
  XInterface<Xpath::CNodeArrayIndex> index = array->CreateIndex();
  EXPECT_FALSE(index->GetNode());
  index->Next();
  index->Next();
  EXPECT_FALSE(index->GetNode());
  EXPECT_EQ(array->GetCount(), 0);
}

// A host that ranks every two nodes equal: distinct nodes must still all be
// kept, in order of arrival, and duplicates still refused.
class CTieDataSet : public Xpath::CDataSet {
public:
  bool GetId(const Dom::XNode&, Core::String&) override { return false; }
  Dom::XNode GetElementById(const Dom::XNode&, Core::StringView) override { return nullptr; }
  int32_t CompareDocumentOrder(const Dom::XNode&, const Dom::XNode&) override { return 0; }
};

TEST(NodeArray, KeepsDistinctNodesThatTheHostRanksEqual) {
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  std::vector<Dom::XNode> docs = MakeDocuments(*factory, 5);
  auto dataSet = Core::Make<CTieDataSet>();
  XInterface<Xpath::CNodeArray> array = Xpath::CBasicNodeArrayFactory().CreateNodeArray(dataSet.Get());
  for (int i : {3, 1, 3, 4, 1, 0, 2, 0}) array->Insert(docs[i]);
  EXPECT_EQ(Read(*array),
            (std::vector<Dom::CNode*>{docs[3].Get(), docs[1].Get(), docs[4].Get(), docs[0].Get(), docs[2].Get()}));
}

TEST(NodeArray, HoldsDocumentsAliveAndReleasesThemLastToFirst) {
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  auto dataSet = Core::Make<CTestDataSet>();
  XInterface<Xpath::CNodeArray> array = Xpath::CBasicNodeArrayFactory().CreateNodeArray(dataSet.Get());
  Dom::CNode* raw;
  {
    Dom::XNode doc = factory->CreateDocument();
    raw = doc.Get();
    array->Insert(doc);
  }
  EXPECT_EQ(static_cast<Dom::CCountedNode*>(raw)->useCount, 1);
  EXPECT_EQ(array->GetAt(0).Get(), raw);
  array = nullptr;  // frees the document; the sanitizer build checks the order
}

TEST(NodeArray, EndInsertionsTakeFewComparisons) {
  // Documents stand in for nodes: the array sees only the order.
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  const int n = 2000;
  std::vector<Dom::XNode> docs = MakeDocuments(*factory, n);
  auto dataSet = Core::Make<CTestDataSet>();
  for (bool reverse : {false, true}) {
    XInterface<Xpath::CNodeArray> array = Xpath::CBasicNodeArrayFactory().CreateNodeArray(dataSet.Get());
    dataSet->ResetComparisonCount();
    for (int i = 0; i < n; ++i) array->Insert(docs[reverse ? n - 1 - i : i]);
    EXPECT_LE(dataSet->GetComparisonCount(), 2 * n) << reverse;
    ASSERT_EQ(array->GetCount(), n);
    for (int i = 0; i < n; ++i) ASSERT_EQ(array->GetAt(i).Get(), docs[i].Get());
  }
}

// Orders in which nodes land far from both ends of the array, where they
// wait to be sorted in: the count, duplicates and Contains must be right at
// every step, and the nodes in document order at the end.
TEST(NodeArray, InsertionsFarFromTheEndsInAnyOrder) {
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  const int n = 1500;
  std::vector<Dom::XNode> docs = MakeDocuments(*factory, n);
  std::vector<Dom::CNode*> expected;
  for (auto& d : docs) expected.push_back(d.Get());

  std::vector<int> alternating, evensThenOdds, shuffled;
  for (int i = 0; i < n; ++i) alternating.push_back(i % 2 ? n - 1 - i / 2 : i / 2);
  for (int i = 0; i < n; i += 2) evensThenOdds.push_back(i);
  for (int i = 1; i < n; i += 2) evensThenOdds.push_back(i);
  for (int i = 0; i < n; ++i) shuffled.push_back(i);
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  // Every node again, in another order: all duplicates.
  std::vector<int> shuffledTwice = shuffled;
  shuffledTwice.insert(shuffledTwice.end(), alternating.begin(), alternating.end());
  struct Order {
    const char* name;
    std::vector<int> indexes;
  } orders[] = {
      {"alternating ends", alternating},
      {"evens then odds", evensThenOdds},
      {"shuffled", shuffled},
      {"shuffled, then all again", shuffledTwice},
  };
  auto dataSet = Core::Make<CTestDataSet>();
  Xpath::CBasicNodeArrayFactory arrays;
  for (const auto& order : orders) {
    XInterface<Xpath::CNodeArray> array = arrays.CreateNodeArray(dataSet.Get());
    std::vector<bool> seen(n);
    int distinct = 0;
    for (int i : order.indexes) {
      ASSERT_EQ(array->Contains(docs[i]), bool(seen[i])) << order.name << " " << i;
      array->Insert(docs[i]);
      if (!seen[i]) ++distinct;
      seen[i] = true;
      ASSERT_EQ(array->GetCount(), distinct) << order.name;
    }
    EXPECT_EQ(Read(*array), expected) << order.name;
    for (int i = 0; i < n; i += 97) EXPECT_EQ(array->GetAt(i).Get(), expected[i]) << order.name;
  }
}

TEST(NodeArray, InsertionsAfterAReadAndIndexesMadeBeforeThem) {
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  const int n = 600;
  std::vector<Dom::XNode> docs = MakeDocuments(*factory, n);
  auto dataSet = Core::Make<CTestDataSet>();
  XInterface<Xpath::CNodeArray> array = Xpath::CBasicNodeArrayFactory().CreateNodeArray(dataSet.Get());
  for (int i = 0; i < n; i += 3) array->Insert(docs[i]);
  for (int i = 1; i < n; i += 3) array->Insert(docs[i]);
  XInterface<Xpath::CNodeArrayIndex> index = array->CreateIndex();
  EXPECT_EQ(index->GetNode().Get(), docs[0].Get());
  index->Next();
  EXPECT_EQ(index->GetNode().Get(), docs[1].Get());
  // More nodes in the middle after a read: an index sees the array as it
  // is now, so the node under its cursor is the second in order again.
  for (int i = 2; i < n; i += 3) array->Insert(docs[i]);
  EXPECT_EQ(index->GetNode().Get(), docs[1].Get());
  index->Next();
  EXPECT_EQ(index->GetNode().Get(), docs[2].Get());
  std::vector<Dom::CNode*> expected;
  for (auto& d : docs) expected.push_back(d.Get());
  EXPECT_EQ(Read(*array), expected);
}

// A host that ranks nodes in groups of ten consecutive documents, equal
// within a group: whichever way a node is placed, nodes ranked equal stay in
// order of arrival.
class CGroupDataSet : public Xpath::CDataSet {
public:
  explicit CGroupDataSet(std::vector<Dom::CNode*> order) : m_order(std::move(order)) {}
  bool GetId(const Dom::XNode&, Core::String&) override { return false; }
  Dom::XNode GetElementById(const Dom::XNode&, Core::StringView) override { return nullptr; }
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override {
    int ga = Group(a), gb = Group(b);
    return ga < gb ? -1 : ga > gb ? 1 : 0;
  }
  int Group(const Dom::XNode& node) const {
    return int(std::find(m_order.begin(), m_order.end(), node.Get()) - m_order.begin()) / 10;
  }

private:
  std::vector<Dom::CNode*> m_order;
};

TEST(NodeArray, NodesRankedEqualKeepTheirOrderOfArrival) {
  auto factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  const int n = 400;
  std::vector<Dom::XNode> docs = MakeDocuments(*factory, n);
  std::vector<Dom::CNode*> raw;
  for (auto& d : docs) raw.push_back(d.Get());
  auto dataSet = Core::Make<CGroupDataSet>(raw);
  std::vector<int> arrival;
  for (int i = 0; i < n; ++i) arrival.push_back(i);
  std::shuffle(arrival.begin(), arrival.end(), std::mt19937(3));
  XInterface<Xpath::CNodeArray> array = Xpath::CBasicNodeArrayFactory().CreateNodeArray(dataSet.Get());
  for (int i : arrival) array->Insert(docs[i]);
  for (int i : arrival) array->Insert(docs[i]);
  std::vector<Dom::CNode*> expected;
  for (int i : arrival) expected.push_back(raw[i]);
  std::stable_sort(expected.begin(), expected.end(), [&](Dom::CNode* a, Dom::CNode* b) {
    return dataSet->Group(Dom::XNode(a)) < dataSet->Group(Dom::XNode(b));
  });
  EXPECT_EQ(Read(*array), expected);
}

} // namespace

namespace {

using KeltoTest::CTreeFixture;

// Documents held only by the array, their elements waiting to be sorted in
// when the array goes: each document must be released after its nodes (the
// sanitizer build sees a handle released after its document).
TEST(NodeArrayTree, ReleasesWaitingNodesBeforeTheirDocuments) {
  CTreeFixture trees;
  const int perDocument = 150;  // elements, r included
  Core::String markup = u"<r>";
  for (int i = 0; i < perDocument - 1; ++i) markup += u"<e/>";
  markup += u"</r>";
  auto dataSet = Core::Make<CTestDataSet>();
  XInterface<Xpath::CNodeArray> array = Xpath::CBasicNodeArrayFactory().CreateNodeArray(dataSet.Get());
  {
    std::vector<Dom::XNode> docs;
    std::vector<std::vector<Dom::XNode>> elements;
    for (int d = 0; d < 3; ++d) {
      docs.push_back(trees.Build(markup));
      elements.push_back(XpathTest::ElementsNamed(docs.back()));
    }
    for (int d : {0, 2}) {
      for (auto& e : elements[d]) array->Insert(e);
    }
    // The middle document and then the documents themselves land far from
    // both ends.
    array->Insert(docs[1]);
    for (auto& e : elements[1]) array->Insert(e);
    array->Insert(docs[2]);
    array->Insert(docs[0]);
    EXPECT_EQ(array->GetCount(), 3 * (perDocument + 1));
  }
  array = nullptr;
}


TEST(NodeArrayTree, KeepsEveryNamespaceNodeBetweenItsElementAndTheAttributes) {
  CTreeFixture trees;
  Dom::XNode doc = trees.Build(u"<a xmlns:p='urn:p' xmlns:q='urn:q' xmlns='urn:d' x='1' y='2'><b/></a>");
  Dom::XNode a = XpathTest::ElementsNamed(doc, u"a")[0];
  Dom::XNode b = XpathTest::ElementsNamed(doc, u"b")[0];
  Dom::XNamedNodeMap namespaces = a->GetNamespaces();
  ASSERT_GE(namespaces->GetLength(), 3);

  std::vector<Dom::XNode> all{doc, a};
  for (int32_t i = 0; i < namespaces->GetLength(); ++i) all.push_back(namespaces->Item(i));
  // The namespace nodes' order among themselves is the tree's; read it back.
  std::sort(all.begin() + 2, all.end(), [](const Dom::XNode& l, const Dom::XNode& r) {
    return Dom::CompareDocumentOrder(l.Get(), r.Get()) < 0;
  });
  all.push_back(Dom::XNode(a->AttributeAt(0)));
  all.push_back(Dom::XNode(a->AttributeAt(1)));
  all.push_back(b);
  std::vector<Dom::CNode*> expected;
  for (auto& n : all) expected.push_back(n.Get());

  auto dataSet = Core::Make<CTestDataSet>();
  for (bool reverse : {false, true}) {
    XInterface<Xpath::CNodeArray> array = Xpath::CBasicNodeArrayFactory().CreateNodeArray(dataSet.Get());
    for (size_t i = 0; i < all.size(); ++i) array->Insert(all[reverse ? all.size() - 1 - i : i]);
    for (size_t i = 0; i < all.size(); ++i) array->Insert(all[i]);
    EXPECT_EQ(Read(*array), expected) << reverse;
  }
}

TEST(NodeArrayTree, LargeInsertionsInEitherOrderStayFast) {
  CTreeFixture trees;
  Core::String markup = u"<r>";
  for (int i = 0; i < 100000; ++i) markup += u"<e/>";
  markup += u"</r>";
  Dom::XNode doc = trees.Build(markup);
  std::vector<Dom::XNode> nodes = XpathTest::ElementsNamed(doc, u"e");
  const int64_t n = static_cast<int64_t>(nodes.size());

  auto dataSet = Core::Make<CTestDataSet>();
  Xpath::CBasicNodeArrayFactory arrays;
  // In document order, and in reverse order (the reverse axes).
  using Clock = std::chrono::steady_clock;
  double forwardSeconds = 0;
  for (int pattern = 0; pattern < 2; ++pattern) {
    Clock::time_point start = Clock::now();
    XInterface<Xpath::CNodeArray> array = arrays.CreateNodeArray(dataSet.Get());
    dataSet->ResetComparisonCount();
    for (int64_t i = 0; i < n; ++i) {
      int64_t k = pattern == 0 ? i : n - 1 - i;
      array->Insert(nodes[static_cast<size_t>(k)]);
    }
    ASSERT_EQ(array->GetCount(), n);
    EXPECT_LE(dataSet->GetComparisonCount(), 2 * n) << pattern;
    XInterface<Xpath::CNodeArrayIndex> index = array->CreateIndex();
    for (int64_t i = 0; i < n; ++i, index->Next()) ASSERT_EQ(index->GetNode().Get(), nodes[static_cast<size_t>(i)].Get());
    if (pattern == 0) forwardSeconds = std::chrono::duration<double>(Clock::now() - start).count();
  }

  // From both ends at once, so that every node lands in the middle, and
  // every second node first, then the rest: moving elements per insertion
  // would cost about n * n / 4 moves, some hundred times the whole forward
  // run; sorting costs a small multiple of it.
  for (int pattern = 0; pattern < 2; ++pattern) {
    Clock::time_point start = Clock::now();
    XInterface<Xpath::CNodeArray> array = arrays.CreateNodeArray(dataSet.Get());
    for (int64_t i = 0; i < n; ++i) {
      int64_t k = pattern == 0 ? (i % 2 ? n - 1 - i / 2 : i / 2) : (2 * i < n ? 2 * i : 2 * i - n + (n % 2 ? 0 : 1));
      array->Insert(nodes[static_cast<size_t>(k)]);
    }
    ASSERT_EQ(array->GetCount(), n) << pattern;
    XInterface<Xpath::CNodeArrayIndex> index = array->CreateIndex();
    for (int64_t i = 0; i < n; ++i, index->Next()) ASSERT_EQ(index->GetNode().Get(), nodes[static_cast<size_t>(i)].Get());
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_LT(seconds, 30 * forwardSeconds + 0.05) << pattern << ": " << seconds << " s against " << forwardSeconds;
  }
}

} // namespace

namespace {

// Expressions that hand node arrays their nodes far from both ends: id()
// with its IDs in any order, and a path whose later context nodes reach
// back between the nodes of earlier ones.
class NodeArrayXpathTest : public XpathTest::CEvalFixture {
protected:
  // The nodes of the value in iteration order, checked to be strictly in
  // document order.
  std::vector<Dom::CNode*> Nodes(Core::StringView text) {
    std::vector<Dom::CNode*> out;
    XInterface<Xpath::CValue> value = Evaluate(text, m_document);
    for (XInterface<Xpath::CIterator> it = value->GetNodeSet()->CreateIterator(); Dom::XNode n = it->GetNode();
         it->Next()) {
      if (!out.empty()) {
        EXPECT_LT(Dom::CompareDocumentOrder(out.back(), n.Get()), 0) << Core::ToUtf8(text);
      }
      out.push_back(n.Get());
    }
    return out;
  }
};

TEST_F(NodeArrayXpathTest, IdsInAnyOrderGiveDocumentOrder) {
  const int n = 400;
  Core::String markup = u"<r>";
  for (int i = 0; i < n; ++i) markup += u"<e id='e" + Core::FromUtf8(std::to_string(i)) + u"'/>";
  Load(markup + u"</r>");
  Core::String ids;
  for (int i = 0; i < n; ++i) ids += u" e" + Core::FromUtf8(std::to_string(i % 2 ? n - 1 - i / 2 : i / 2));
  m_host.Variables().Bind(u"", u"ids", XpathTest::String(ids));
  std::vector<Dom::CNode*> expected;
  for (const Dom::XNode& e : XpathTest::ElementsNamed(m_document, u"e")) expected.push_back(e.Get());
  EXPECT_EQ(Nodes(u"id($ids)"), expected);
  EXPECT_EQ(Eval(u"count(id(concat($ids, $ids)))"), "number 400");
}

TEST_F(NodeArrayXpathTest, PathReachingBackIntoEarlierResults) {
  Core::String markup = u"<r>";
  for (int i = 0; i < 300; ++i) markup += u"<g><a/><b><c/></b><a/></g>";
  Load(markup + u"</r>");
  // The first c's g brings every later g; each later c's b then brings an
  // a that lies among them.
  EXPECT_EQ(Nodes(u"//c/ancestor::*/following-sibling::*").size(), 599u);
}

} // namespace
