#include <gtest/gtest.h>

#include <vector>

#include "support/TreeFixture.h"
#include "xpath/CommonNodeSet.h"
#include "xslt/processor/context/KeptNodeSet.h"
#include "xslt/processor/services/XsltException.h"

namespace {

using Core::XInterface;
using XsltPrivate::CKeptNodeSet;

// The children of a node, counting every node it produces.
class CCountingNodeSet final : public XpathPrivate::CCommonNodeSet {
public:
  CCountingNodeSet(Dom::XNode parent, int& produced) : m_parent(std::move(parent)), m_produced(produced) {}
  XInterface<Xpath::CIterator> CreateIterator() override;

  Dom::XNode m_parent;
  int& m_produced;
};

class CCountingIterator final : public XpathPrivate::CCommonIterator {
public:
  explicit CCountingIterator(CCountingNodeSet* set) : CCommonIterator(set), m_set(set) {
    Step(m_set->m_parent->GetFirstChild());
  }
  void Next() override { Step(CurrentNode() ? CurrentNode()->GetNextSibling() : Dom::XNode()); }

private:
  void Step(Dom::XNode node) {
    if (node) ++m_set->m_produced;
    Advance(std::move(node));
  }
  CCountingNodeSet* m_set;
};

XInterface<Xpath::CIterator> CCountingNodeSet::CreateIterator() { return new CCountingIterator(this); }

// Both operands of a union of a set with itself, walked side by side.
class CTwiceNodeSet final : public XpathPrivate::CCommonNodeSet {
public:
  explicit CTwiceNodeSet(Xpath::CNodeSet* inner) : m_inner(inner) {}
  XInterface<Xpath::CIterator> CreateIterator() override;
  XInterface<Xpath::CNodeSet> m_inner;
};

class CTwiceIterator final : public XpathPrivate::CCommonIterator {
public:
  explicit CTwiceIterator(CTwiceNodeSet* set)
      : CCommonIterator(set), m_left(set->m_inner->CreateIterator()), m_right(set->m_inner->CreateIterator()) {
    Advance(m_left->GetNode());
  }
  void Next() override {
    m_left->Next();
    m_right->Next();
    Advance(m_left->GetNode());
  }

private:
  XInterface<Xpath::CIterator> m_left, m_right;
};

XInterface<Xpath::CIterator> CTwiceNodeSet::CreateIterator() { return new CTwiceIterator(this); }

std::vector<Dom::XNode> Walk(Xpath::CNodeSet& set) {
  std::vector<Dom::XNode> nodes;
  for (XInterface<Xpath::CIterator> it = set.CreateIterator(); Dom::XNode node = it->GetNode(); it->Next())
    nodes.push_back(node);
  return nodes;
}

class KeptNodeSet : public testing::Test {
protected:
  KeltoTest::CTreeFixture trees;
  Dom::XNode doc = trees.Build(u"<r><a/><b/><c/></r>");
  Dom::XNode root = doc->GetFirstChild();
  int produced = 0;
};

TEST_F(KeptNodeSet, NodesAreProducedOnceAndOnlyWhenAskedFor) {
  XInterface<CKeptNodeSet> kept(new CKeptNodeSet(new CCountingNodeSet(root, produced), nullptr, u"", u"v"));
  EXPECT_EQ(produced, 0);
  EXPECT_EQ(kept->GetFirstNode()->LocalNameView(), u"a");
  EXPECT_EQ(produced, 1);
  // Interleaved iterators, a count and a second walk read what is kept.
  XInterface<Xpath::CIterator> one = kept->CreateIterator(), two = kept->CreateIterator();
  one->Next();
  EXPECT_EQ(one->GetNode()->LocalNameView(), u"b");
  EXPECT_EQ(one->GetPosition(), 2);
  EXPECT_EQ(two->GetNode()->LocalNameView(), u"a");
  EXPECT_EQ(two->GetPosition(), 1);
  EXPECT_EQ(kept->GetCount(), 3);
  EXPECT_EQ(Walk(*kept).size(), 3u);
  one->Next();
  one->Next();
  EXPECT_FALSE(one->GetNode());
  EXPECT_EQ(one->GetPosition(), 0);
  EXPECT_EQ(produced, 3);
  EXPECT_FALSE(kept->MayRaise());
}

// A set used twice at each of 40 levels: once per level kept, 2^40 walks of
// the first level otherwise.
TEST_F(KeptNodeSet, AChainOfSetsUsedTwiceIsWalkedOncePerLevel) {
  XInterface<Xpath::CNodeSet> level(new CKeptNodeSet(new CCountingNodeSet(root, produced), nullptr, u"", u"v"));
  for (int i = 0; i < 40; ++i) level = new CKeptNodeSet(new CTwiceNodeSet(level.Get()), nullptr, u"", u"v");
  EXPECT_EQ(Walk(*level).size(), 3u);
  EXPECT_EQ(level->GetCount(), 3);
  EXPECT_EQ(produced, 3);
}

// A set whose nodes need the set itself never ends: it is error 35, and the
// same error again at every later walk.
TEST_F(KeptNodeSet, ASetThatNeedsItselfIsACircularDefinition) {
  class CSelfNodeSet final : public XpathPrivate::CCommonNodeSet {
  public:
    XInterface<Xpath::CIterator> CreateIterator() override { return self->CreateIterator(); }
    Xpath::CNodeSet* self = nullptr;
  };
  XInterface<CSelfNodeSet> inner(new CSelfNodeSet());
  XInterface<CKeptNodeSet> kept(new CKeptNodeSet(inner.Get(), nullptr, u"urn:x", u"x"));
  inner->self = kept.Get();
  for (int walk = 0; walk < 2; ++walk) {
    try {
      kept->GetCount();
      ADD_FAILURE() << "no error";
    } catch (const Xslt::CXsltException& error) {
      EXPECT_EQ(error.GetCode(), Xslt::CXsltException::CircularVariableDefinitions);
    }
  }
}

} // namespace
