#include <gtest/gtest.h>

#include <vector>

#include "xml/tree/DocumentFactory.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/support/TestHost.h"

namespace {

using Core::XInterface;
using XpathPrivate::CArrayNodeSet;
using XpathPrivate::CCommonIterator;
using XpathPrivate::CCommonNodeSet;
using XpathPrivate::CSingleNodeSet;

// A common node set over a fixed list that counts the iterators made.
class CListNodeSet : public CCommonNodeSet {
public:
  explicit CListNodeSet(std::vector<Dom::XNode> nodes) : m_nodes(std::move(nodes)) {}
  XInterface<Xpath::CIterator> CreateIterator() override;
  int iterators = 0;
  std::vector<Dom::XNode> m_nodes;
};

class CListIterator : public CCommonIterator {
public:
  explicit CListIterator(CListNodeSet* set) : CCommonIterator(set), m_set(set) { Advance(At(0)); }
  void Next() override {
    if (m_node) Advance(At(static_cast<size_t>(m_position)));
  }

private:
  Dom::XNode At(size_t i) { return i < m_set->m_nodes.size() ? m_set->m_nodes[i] : Dom::XNode(); }
  CListNodeSet* m_set;
};

XInterface<Xpath::CIterator> CListNodeSet::CreateIterator() {
  ++iterators;
  return Core::Make<CListIterator>(this);
}

std::vector<Dom::CNode*> Walk(Xpath::CIterator& it) {
  std::vector<Dom::CNode*> out;
  int32_t expectedPosition = 1;
  for (Dom::XNode n = it.GetNode(); n; it.Next(), n = it.GetNode()) {
    EXPECT_EQ(it.GetPosition(), expectedPosition++);
    out.push_back(n.Get());
  }
  EXPECT_EQ(it.GetPosition(), 0);
  it.Next();
  EXPECT_FALSE(it.GetNode());
  EXPECT_EQ(it.GetPosition(), 0);
  return out;
}

class NodeSetTest : public ::testing::Test {
protected:
  XInterface<BasicXdm::CDocumentFactory> factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  Dom::XNode a = factory->CreateDocument();
  Dom::XNode b = factory->CreateDocument();
  Dom::XNode c = factory->CreateDocument();
  XpathTest::CTestHost host;
};

TEST_F(NodeSetTest, EveryKindKeepsTheIterationContract) {
  XInterface<Xpath::CNodeSet> empties[] = {
      Core::Make<CSingleNodeSet>(Dom::XNode()),
      host.MakeNodeSet({}),
      Core::Make<CListNodeSet>(std::vector<Dom::XNode>{}),
  };
  for (auto& set : empties) {
    EXPECT_EQ(set->GetCount(), 0);
    EXPECT_FALSE(set->GetFirstNode());
    XInterface<Xpath::CIterator> it = set->CreateIterator();
    EXPECT_EQ(it->GetNodeSet(), set.Get());
    EXPECT_TRUE(Walk(*it).empty());
    EXPECT_TRUE(set->IsDocumentOrder());
    EXPECT_FALSE(set->IsReverseOrder());
  }

  XInterface<Xpath::CNodeSet> single = Core::Make<CSingleNodeSet>(b);
  EXPECT_EQ(single->GetCount(), 1);
  EXPECT_EQ(single->GetFirstNode().Get(), b.Get());
  EXPECT_EQ(Walk(*single->CreateIterator()), (std::vector<Dom::CNode*>{b.Get()}));

  XInterface<Xpath::CNodeSet> array = host.MakeNodeSet({c, a, b, a});
  EXPECT_EQ(array->GetCount(), 3);
  EXPECT_EQ(array->GetFirstNode().Get(), a.Get());
  EXPECT_EQ(Walk(*array->CreateIterator()), (std::vector<Dom::CNode*>{a.Get(), b.Get(), c.Get()}));
}

TEST_F(NodeSetTest, IteratorsAreIndependentAndCountingWalksOnce) {
  auto set = Core::Make<CListNodeSet>(std::vector<Dom::XNode>{a, b, c});
  XInterface<Xpath::CIterator> first = set->CreateIterator();
  XInterface<Xpath::CIterator> second = set->CreateIterator();
  first->Next();
  EXPECT_EQ(first->GetNode().Get(), b.Get());
  EXPECT_EQ(second->GetNode().Get(), a.Get());
  EXPECT_EQ(second->GetPosition(), 1);

  EXPECT_EQ(set->GetCount(), 3);
  EXPECT_EQ(set->GetCount(), 3);
  EXPECT_EQ(set->iterators, 3);  // two above, one for the count
  // Counting disturbed neither iterator.
  EXPECT_EQ(first->GetPosition(), 2);
  EXPECT_EQ(Walk(*second), (std::vector<Dom::CNode*>{a.Get(), b.Get(), c.Get()}));
}

TEST_F(NodeSetTest, IteratorKeepsItsSetAlive) {
  XInterface<Xpath::CIterator> it;
  {
    XInterface<Xpath::CNodeSet> set = host.MakeNodeSet({a, b});
    it = set->CreateIterator();
  }
  EXPECT_EQ(it->GetNodeSet()->GetCount(), 2);
  EXPECT_EQ(Walk(*it).size(), 2u);
}

TEST_F(NodeSetTest, ContextOverOneNodeOrNone) {
  XInterface<Xpath::CContext> one = host.MakeContext(b);
  EXPECT_EQ(one->GetNode().Get(), b.Get());
  EXPECT_EQ(one->GetPosition(), 1);
  EXPECT_EQ(one->GetSize(), 1);

  XInterface<Xpath::CContext> none = host.MakeContext(Dom::XNode());
  EXPECT_FALSE(none->GetNode());
  EXPECT_EQ(none->GetPosition(), 0);
  EXPECT_EQ(none->GetSize(), 0);

  XInterface<Xpath::CContext> noList = host.MakeContext(static_cast<Xpath::CIterator*>(nullptr));
  EXPECT_FALSE(noList->GetNode());
  EXPECT_EQ(noList->GetPosition(), 0);
  EXPECT_EQ(noList->GetSize(), 0);
}

TEST_F(NodeSetTest, DerivedContextSharesTheHostAndCountsOnce) {
  host.Namespaces().Declare(u"p", u"urn:p");
  host.Variables().Bind(u"", u"v", XpathTest::String(u"value"));
  XInterface<Xpath::CContext> base = host.MakeContext(a);

  auto set = Core::Make<CListNodeSet>(std::vector<Dom::XNode>{a, b, c});
  XInterface<Xpath::CIterator> it = set->CreateIterator();
  it->Next();
  XInterface<Xpath::CContext> derived = Core::Make<Xpath::CContext>(base.Get(), it.Get());
  base = nullptr;  // the derived context holds its own uses

  EXPECT_EQ(derived->GetNode().Get(), b.Get());
  EXPECT_EQ(derived->GetPosition(), 2);
  EXPECT_EQ(derived->GetSize(), 3);
  EXPECT_EQ(derived->GetSize(), 3);
  EXPECT_EQ(set->iterators, 2);  // the list's own and one count

  EXPECT_EQ(derived->GetIterator(), it.Get());
  Core::String uri;
  ASSERT_TRUE(derived->GetNamespaceDeclarationSet()->GetNamespaceUri(u"p", uri));
  EXPECT_EQ(uri, u"urn:p");
  EXPECT_FALSE(derived->GetNamespaceDeclarationSet()->GetNamespaceUri(u"q", uri));
  EXPECT_EQ(derived->GetVariableBindingSet()->GetValue(u"", u"v")->GetString(), u"value");
  EXPECT_FALSE(derived->GetVariableBindingSet()->GetValue(u"urn:x", u"v"));
  EXPECT_EQ(derived->GetDataSet(), &host.DataSet());
  EXPECT_EQ(derived->GetXpathImplementation(), &host.Implementation());
  EXPECT_EQ(derived->GetFunctionLibrary(), nullptr);

  XInterface<Xpath::CContext> single = Core::Make<Xpath::CContext>(derived.Get(), c);
  EXPECT_EQ(single->GetNode().Get(), c.Get());
  EXPECT_EQ(single->GetSize(), 1);
  EXPECT_EQ(single->GetDataSet(), &host.DataSet());
}

TEST_F(NodeSetTest, NodeSetValueHoldsItsSet) {
  XInterface<Xpath::CNodeSet> set = host.MakeNodeSet({a});
  EXPECT_EQ(set->GetUseCount(), 1);
  {
    XInterface<Xpath::CValue> value = Core::Make<Xpath::CNodeSetValue>(set.Get());
    EXPECT_EQ(value->GetType(), 0);
    EXPECT_EQ(value->GetNodeSet(), set.Get());
    EXPECT_EQ(set->GetUseCount(), 2);
    EXPECT_FALSE(value->GetBoolean());
    EXPECT_EQ(value->GetString(), u"");
  }
  EXPECT_EQ(set->GetUseCount(), 1);
  XInterface<Xpath::CValue> empty = host.MakeNodeSetValue({});
  ASSERT_NE(empty->GetNodeSet(), nullptr);
  EXPECT_EQ(empty->GetNodeSet()->GetCount(), 0);
}

} // namespace
