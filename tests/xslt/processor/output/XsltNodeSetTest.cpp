#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TreeFixture.h"
#include "xpath/BasicNodeArray.h"
#include "xpath/CommonNodeSet.h"
#include "xslt/processor/output/XsltNodeSet.h"

namespace {

using XsltPrivate::CSingleNodeSet;
using XsltPrivate::CUnionNodeSet;

class CDocumentOrder : public Xpath::CDataSet {
public:
  bool GetId(const Dom::XNode&, Core::String&) override { return false; }
  Dom::XNode GetElementById(const Dom::XNode&, Core::StringView) override { return {}; }
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override {
    ++comparisons;
    return Dom::CompareDocumentOrder(a.Get(), b.Get());
  }
  int64_t comparisons = 0;
};

// The nodes of a set with their positions: "a1 b2 c3".
std::string Walk(Xpath::CNodeSet* set) {
  std::string out;
  Core::XInterface<Xpath::CIterator> it = set->CreateIterator();
  for (Dom::XNode node = it->GetNode(); node; it->Next(), node = it->GetNode()) {
    if (!out.empty()) out += ' ';
    out += node->GetNodeType() == Dom::DOCUMENT_NODE ? "/" : Core::ToUtf8(node->LocalNameView());
    out += std::to_string(it->GetPosition());
  }
  EXPECT_EQ(it->GetPosition(), 0);
  it->Next();
  EXPECT_FALSE(it->GetNode());
  return out;
}

class XsltNodeSetTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_document = m_trees.Build(u"<r><a/><b/><c/><d/><e/></r>");
    for (Dom::CNode* n = m_document->FirstChild()->FirstChild(); n; n = n->NextSibling()) m_elements.emplace_back(n);
  }

  // A member in document order holding the named elements.
  Core::XInterface<Xpath::CNodeSet> Member(const char* names) {
    auto array = Core::Make<XpathPrivate::CBasicNodeArray>(m_order.Get());
    for (const char* p = names; *p; ++p)
      if (*p != ' ') array->Insert(m_elements[*p - 'a']);
    return Core::Make<XpathPrivate::CArrayNodeSet>(array.Get());
  }

  KeltoTest::CTreeFixture m_trees;
  Dom::XNode m_document;
  std::vector<Dom::XNode> m_elements;
  Core::XInterface<CDocumentOrder> m_order = Core::Make<CDocumentOrder>();
};

TEST_F(XsltNodeSetTest, UnionInDocumentOrderWithoutDuplicates) {
  struct {
    std::vector<const char*> members;
    const char* nodes;
  } cases[] = {
      {{}, ""},
      {{"", ""}, ""},
      {{"c"}, "c1"},
      {{"a c", "b c d", "", "a"}, "a1 b2 c3 d4"},
      {{"e", "d", "c", "b", "a"}, "a1 b2 c3 d4 e5"},
      {{"a b c", "a b c", "a b c"}, "a1 b2 c3"},
      {{"b d", "a c e"}, "a1 b2 c3 d4 e5"},
  };
  for (const auto& c : cases) {
    auto set = Core::Make<CUnionNodeSet>(m_order.Get());
    for (const char* m : c.members) set->Add(Member(m).Get());
    EXPECT_EQ(set->GetMemberCount(), static_cast<int32_t>(c.members.size()));
    EXPECT_EQ(Walk(set.Get()), c.nodes);
    int32_t count = 0;
    for (const char* p = c.nodes; *p; ++p) count += *p == ' ' ? 1 : 0;
    if (*c.nodes) ++count;
    EXPECT_EQ(set->GetCount(), count) << c.nodes;
    EXPECT_TRUE(set->IsDocumentOrder());
    EXPECT_FALSE(set->IsReverseOrder());
    Dom::XNode first = set->GetFirstNode();
    EXPECT_EQ(static_cast<bool>(first), count > 0);
    EXPECT_EQ(set->HasNodes(), count > 0);
  }
}

TEST_F(XsltNodeSetTest, UnionOfSeveralDocumentsOrdersByDocument) {
  Dom::XNode second = m_trees.Build(u"<s/>");
  auto set = Core::Make<CUnionNodeSet>(m_order.Get());
  set->Add(Core::Make<CSingleNodeSet>(second).Get());
  set->Add(Core::Make<CSingleNodeSet>(m_document).Get());
  set->Add(Core::Make<CSingleNodeSet>(second).Get());
  EXPECT_EQ(Walk(set.Get()), "/1 /2");
  Core::XInterface<Xpath::CIterator> it = set->CreateIterator();
  EXPECT_EQ(it->GetNode(), m_document);
  it->Next();
  EXPECT_EQ(it->GetNode(), second);
}

// Each step costs a logarithm of the number of members, not one comparison per member.
TEST_F(XsltNodeSetTest, UnionOfManyMembersStaysCheap) {
  Core::String markup = u"<r>";
  for (int i = 0; i < 20000; ++i) markup += u"<x/>";
  markup += u"</r>";
  Dom::XNode big = m_trees.Build(markup);
  auto set = Core::Make<CUnionNodeSet>(m_order.Get());
  // Members in reverse order, every node twice.
  std::vector<Dom::XNode> nodes;
  for (Dom::CNode* n = big->FirstChild()->FirstChild(); n; n = n->NextSibling()) nodes.emplace_back(n);
  for (int pass = 0; pass < 2; ++pass)
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) set->Add(Core::Make<CSingleNodeSet>(*it).Get());
  m_order->comparisons = 0;
  EXPECT_EQ(set->GetCount(), 20000);
  EXPECT_LT(m_order->comparisons, 40000 * 40);
}

TEST_F(XsltNodeSetTest, SingleNodeSet) {
  auto empty = Core::Make<CSingleNodeSet>(Dom::XNode());
  EXPECT_EQ(empty->GetCount(), 0);
  EXPECT_FALSE(empty->GetFirstNode());
  EXPECT_EQ(Walk(empty.Get()), "");
  EXPECT_FALSE(empty->MayRaise());

  auto one = Core::Make<CSingleNodeSet>(m_elements[1]);
  EXPECT_EQ(one->GetCount(), 1);
  EXPECT_EQ(one->GetFirstNode(), m_elements[1]);
  EXPECT_EQ(Walk(one.Get()), "b1");
}

} // namespace
