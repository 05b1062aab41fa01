#pragma once
// The processor's own node sets: one node (or none), and the union of node
// sets in document order. Both are lazy: nothing is merged or counted before
// it is asked for.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "xml/tree/Dom.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/Context.h"
#include "xpath/NodeSet.h"

namespace XsltPrivate {

// The common bases: document order, a count taken once, the current node and
// its position.
using CCommonNodeSet = XpathPrivate::CCommonNodeSet;
using CCommonIterator = XpathPrivate::CCommonIterator;

// One node, or an empty set when the node is null.
using CSingleNodeSet = XpathPrivate::CSingleNodeSet;
using CSingleIterator = XpathPrivate::CSingleIterator;

// The members' nodes merged in document order, each node once. Every member
// must be in document order. The members are added by the creator before the
// set is handed out and never change afterwards.
class CUnionNodeSet : public CCommonNodeSet {
public:
  // The data set gives the document order.
  explicit CUnionNodeSet(Xpath::CDataSet* dataSet) : m_dataSet(dataSet) {}

  void Add(Xpath::CNodeSet* member) { m_members.emplace_back(member); }
  int32_t GetMemberCount() const { return static_cast<int32_t>(m_members.size()); }
  Xpath::CNodeSet* GetMember(int32_t i) const { return m_members[i].Get(); }
  Xpath::CDataSet* GetDataSet() const { return m_dataSet.Get(); }

  bool MayRaise() override;
  Core::XInterface<Xpath::CIterator> CreateIterator() override;

private:
  Core::XInterface<Xpath::CDataSet> m_dataSet;
  std::vector<Core::XInterface<Xpath::CNodeSet>> m_members;
};

// Keeps the members' iterators in a heap ordered by their current nodes, so
// that each step costs a logarithm of the number of members.
class CUnionIterator : public CCommonIterator {
public:
  explicit CUnionIterator(CUnionNodeSet* nodeSet);
  void Next() override;

private:
  struct CHead {
    Dom::XNode node;
    int32_t member;
  };
  // Whether a comes after b: document order, then the member added first.
  bool After(const CHead& a, const CHead& b) const;
  // Moves the member's iterator on and puts its next node back in the heap.
  void Refill(int32_t member);

  Core::XInterface<Xpath::CDataSet> m_dataSet;
  std::vector<Core::XInterface<Xpath::CIterator>> m_iterators;
  std::vector<CHead> m_heap;
};

} // namespace XsltPrivate
