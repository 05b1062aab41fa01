#include "xslt/processor/output/XsltNodeSet.h"

#include <algorithm>

namespace XsltPrivate {

bool CUnionNodeSet::MayRaise() {
  for (auto& member : m_members)
    if (member->MayRaise()) return true;
  return false;
}

Core::XInterface<Xpath::CIterator> CUnionNodeSet::CreateIterator() { return Core::Make<CUnionIterator>(this); }

CUnionIterator::CUnionIterator(CUnionNodeSet* nodeSet) : CCommonIterator(nodeSet), m_dataSet(nodeSet->GetDataSet()) {
  int32_t count = nodeSet->GetMemberCount();
  m_iterators.reserve(static_cast<size_t>(count));
  m_heap.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    m_iterators.push_back(nodeSet->GetMember(i)->CreateIterator());
    Dom::XNode node = m_iterators.back()->GetNode();
    if (node) m_heap.push_back(CHead{std::move(node), i});
  }
  std::make_heap(m_heap.begin(), m_heap.end(), [this](const CHead& a, const CHead& b) { return After(a, b); });
  Next();
}

bool CUnionIterator::After(const CHead& a, const CHead& b) const {
  int32_t order = m_dataSet->CompareDocumentOrder(a.node, b.node);
  if (order != 0) return order > 0;
  return a.member > b.member;
}

void CUnionIterator::Refill(int32_t member) {
  Xpath::CIterator* it = m_iterators[static_cast<size_t>(member)].Get();
  it->Next();
  Dom::XNode node = it->GetNode();
  if (!node) return;
  m_heap.push_back(CHead{std::move(node), member});
  std::push_heap(m_heap.begin(), m_heap.end(), [this](const CHead& a, const CHead& b) { return After(a, b); });
}

void CUnionIterator::Next() {
  auto after = [this](const CHead& a, const CHead& b) { return After(a, b); };
  if (m_heap.empty()) {
    Advance(Dom::XNode());
    return;
  }
  std::pop_heap(m_heap.begin(), m_heap.end(), after);
  CHead best = std::move(m_heap.back());
  m_heap.pop_back();
  // The same node from later members is dropped.
  while (!m_heap.empty() && m_dataSet->CompareDocumentOrder(m_heap.front().node, best.node) == 0) {
    std::pop_heap(m_heap.begin(), m_heap.end(), after);
    int32_t member = m_heap.back().member;
    m_heap.pop_back();
    Refill(member);
  }
  Refill(best.member);
  Advance(std::move(best.node));
}

} // namespace XsltPrivate

