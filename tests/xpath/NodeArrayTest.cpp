#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/TreeFixture.h"
#include "xml/tree/DocumentFactory.h"
#include "xpath/BasicNodeArray.h"
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

} // namespace

namespace {

using KeltoTest::CTreeFixture;

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
  for (int pattern = 0; pattern < 2; ++pattern) {
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
  }
}

} // namespace
