#include "xslt/compiler/instructions/SortedNodeSet.h"

namespace XsltPrivate {

Dom::XNode CSortedNodeSet::GetFirstNode() { return m_array->CreateIndex()->GetNode(); }

Core::XInterface<Xpath::CIterator> CSortedNodeSet::CreateIterator() {
  return Core::XInterface<Xpath::CIterator>(new CSortedIterator(this));
}

CSortedIterator::CSortedIterator(CSortedNodeSet* nodeSet)
    : m_nodeSet(nodeSet), m_cursor(nodeSet->GetArray()->CreateIndex()) {
  m_node = m_cursor->GetNode();
  m_position = m_node ? 1 : 0;
}

void CSortedIterator::Next() {
  if (!m_node) return;
  m_cursor->Next();
  m_node = m_cursor->GetNode();
  m_position = m_node ? m_position + 1 : 0;
}

} // namespace XsltPrivate
