#include "xpath/CommonNodeSet.h"

namespace XpathPrivate {

int32_t CCommonNodeSet::GetCount() {
  if (m_count >= 0) return m_count;
  Core::XInterface<Xpath::CIterator> it = CreateIterator();
  int32_t n = 0;
  while (it->GetNode()) {
    it->Next();
    ++n;
  }
  m_count = n;
  return n;
}

Dom::XNode CCommonNodeSet::GetFirstNode() { return CreateIterator()->GetNode(); }

bool CCommonNodeSet::HasNodes() {
  if (m_count >= 0 || MayRaise()) return GetCount() > 0;
  return static_cast<bool>(GetFirstNode());
}

Core::XInterface<Xpath::CIterator> CSingleNodeSet::CreateIterator() { return Core::Make<CSingleIterator>(this); }

CSingleIterator::CSingleIterator(CSingleNodeSet* nodeSet) : CCommonIterator(nodeSet) {
  Advance(nodeSet->GetSingleNode());
}

Core::XInterface<Xpath::CIterator> CArrayNodeSet::CreateIterator() { return Core::Make<CArrayIterator>(this); }

CArrayIterator::CArrayIterator(CArrayNodeSet* nodeSet)
    : CCommonIterator(nodeSet), m_index(nodeSet->GetArray()->CreateIndex()) {
  Advance(m_index->GetNode());
}

void CArrayIterator::Next() {
  if (!m_node) return;
  m_index->Next();
  Advance(m_index->GetNode());
}

} // namespace XpathPrivate
