#include "extensions/reports/GroupNodeSets.h"

#include "xpath/ValueConverter.h"

namespace XsltReports {

// ---- group node set --------------------------------------------------------

CGroupNodeSet::CGroupNodeSet(Xslt::CSortedArray* array, int32_t first, int32_t end)
    : m_array(array), m_first(first), m_end(end) {}

Dom::XNode CGroupNodeSet::GetFirstNode() { return GetCount() > 0 ? m_array->GetNode(m_first) : Dom::XNode(); }

Core::XInterface<Xpath::CIterator> CGroupNodeSet::CreateIterator() { return new CGroupNodeSetIterator(this); }

CGroupNodeSetIterator::CGroupNodeSetIterator(CGroupNodeSet* nodeSet)
    : m_nodeSet(nodeSet), m_index(nodeSet->GetCount() > 0 ? nodeSet->GetFirst() : -1) {}

Dom::XNode CGroupNodeSetIterator::GetNode() {
  return m_index < 0 ? Dom::XNode() : m_nodeSet->GetArray()->GetNode(m_index);
}

void CGroupNodeSetIterator::Next() {
  if (m_index < 0) return;
  if (++m_index >= m_nodeSet->GetEnd()) m_index = -1;
}

// ---- group list ------------------------------------------------------------

CGroupListNodeSet::CGroupListNodeSet(CGroupNodeSet* selection, Xpath::CContext* context, Xpath::CExpr* key)
    : m_selection(selection), m_context(context), m_key(key) {}

// Counting evaluates every member's key again; it is done only when asked
// (last(), the context size), and once.
int32_t CGroupListNodeSet::GetCount() {
  if (m_count < 0) {
    int32_t count = 0;
    for (Core::XInterface<Xpath::CIterator> groups = CreateIterator(); groups->GetNode(); groups->Next()) ++count;
    m_count = count;
  }
  return m_count;
}

Core::XInterface<Xpath::CIterator> CGroupListNodeSet::CreateIterator() { return new CGroupListIterator(this); }

CGroupListIterator::CGroupListIterator(CGroupListNodeSet* groupList)
    : m_groupList(groupList),
      m_members(groupList->GetSelection()->CreateIterator()),
      m_keyContext(new Xpath::CContext(groupList->GetContext(), m_members.Get())),
      m_key(groupList->GetKey()),
      m_first(groupList->GetSelection()->GetFirst()),
      m_end(m_first) {
  m_node = m_members->GetNode();
  if (!m_node) {
    // An empty selection has no group.
    m_position = 0;
    m_first = -1;
    return;
  }
  if (m_key) m_currentKey = ComputeKey();
  FindGroupEnd();
}

Core::String CGroupListIterator::ComputeKey() {
  Core::XInterface<Xpath::CValue> value = m_key->Evaluate(m_keyContext.Get());
  return Xpath::CValueConverter(m_keyContext.Get()).ToString(*value);
}

void CGroupListIterator::FindGroupEnd() {
  int32_t end = m_first;
  for (;;) {
    ++end;
    m_members->Next();
    if (!m_members->GetNode() || !m_key) break;
    Core::String key = ComputeKey();
    if (key == m_currentKey) continue;
    m_nextKey = std::move(key);
    break;
  }
  m_end = end;
  m_nextNode = m_members->GetNode();
}

void CGroupListIterator::Next() {
  if (m_first < 0) return;
  if (!m_nextNode) {
    m_position = 0;
    m_first = -1;
    m_node = nullptr;
    return;
  }
  ++m_position;
  m_first = m_end;
  m_node = std::move(m_nextNode);
  m_currentKey = std::move(m_nextKey);
  FindGroupEnd();
}

} // namespace XsltReports
