#include "xpath/BasicNodeArray.h"

#include <algorithm>

namespace XpathPrivate {

namespace {

bool SameNode(const Dom::XNode& a, const Dom::XNode& b) { return a.Get() == b.Get(); }

} // namespace

CBasicNodeArray::~CBasicNodeArray() {
  // Last to first: a document must outlive the handles to its other nodes,
  // and it comes before them in document order. Nodes still waiting are
  // released in the same order, as if merged, without a new buffer.
  SortPending();
  size_t i = m_end, j = m_pending.size();
  while (i > m_begin || j > 0) {
    if (j > 0 && (i == m_begin || Compare(m_pending[j - 1], i - 1) > 0)) {
      m_pending[--j] = Dom::XNode();
    } else {
      m_slots[--i] = Dom::XNode();
    }
  }
}

int32_t CBasicNodeArray::PlaceInTie(const Dom::XNode& node, size_t slot) {
  for (size_t i = slot + 1; i-- > m_begin;) {
    if (SameNode(node, m_slots[i])) return -1;
    if (i == m_begin || Compare(node, i - 1) != 0) break;
  }
  size_t hi = slot + 1;
  for (; hi < m_end && Compare(node, hi) == 0; ++hi) {
    if (SameNode(node, m_slots[hi])) return -1;
  }
  return static_cast<int32_t>(hi - m_begin);
}

int32_t CBasicNodeArray::FindInOrder(const Dom::XNode& node) {
  size_t count = m_end - m_begin;
  if (count == 0) return 0;
  // Nodes mostly arrive in document order, or in reverse order from the
  // reverse axes: try the two ends first.
  int32_t c = Compare(node, m_end - 1);
  if (c > 0) return static_cast<int32_t>(count);
  if (c == 0) return PlaceInTie(node, m_end - 1);
  if (count > 1) {
    c = Compare(node, m_begin);
    if (c < 0) return 0;
    if (c == 0) return PlaceInTie(node, m_begin);
  }
  size_t low = m_begin, high = m_end - 1;  // the node comes before slot high
  while (low < high) {
    size_t m = low + (high - low) / 2;
    c = Compare(node, m);
    if (c == 0) return PlaceInTie(node, m);
    if (c > 0) {
      low = m + 1;
    } else {
      high = m;
    }
  }
  return static_cast<int32_t>(low - m_begin);
}

void CBasicNodeArray::Grow() {
  size_t count = m_end - m_begin;
  size_t capacity = std::max<size_t>(16, count * 2);
  std::vector<Dom::XNode> slots(capacity);
  size_t begin = (capacity - count) / 2;
  for (size_t i = 0; i < count; ++i) slots[begin + i] = std::move(m_slots[m_begin + i]);
  // The old slots are all null now, so their order of release is free.
  m_slots.swap(slots);
  m_begin = begin;
  m_end = begin + count;
}

bool CBasicNodeArray::Contains(const Dom::XNode& node) {
  if (m_tracking) return m_members.count(node.Get()) != 0;
  return FindInOrder(node) < 0;
}

void CBasicNodeArray::Insert(const Dom::XNode& node) {
  if (!m_pending.empty()) {
    if (m_members.insert(node.Get()).second) m_pending.push_back(node);
    return;
  }
  int32_t p = FindInOrder(node);
  if (p < 0) return;
  size_t place = m_begin + static_cast<size_t>(p);
  if (std::min(place - m_begin, m_end - place) > kMaxShift) {
    if (!m_tracking) {
      m_members.reserve(2 * (m_end - m_begin));
      for (size_t i = m_begin; i < m_end; ++i) m_members.insert(m_slots[i].Get());
      m_tracking = true;
    }
    m_members.insert(node.Get());
    m_pending.push_back(node);
    return;
  }
  if (m_tracking) m_members.insert(node.Get());
  // Move the side with fewer elements; when it has no room left, grow
  // rather than move the other side, which keeps both ends cheap.
  bool front = place - m_begin < m_end - place;
  if (front ? m_begin == 0 : m_end == m_slots.size()) {
    Grow();
    place = m_begin + static_cast<size_t>(p);
  }
  auto at = [this](size_t i) { return m_slots.begin() + static_cast<ptrdiff_t>(i); };
  if (front) {
    std::move(at(m_begin), at(place), at(m_begin - 1));
    --m_begin;
    --place;
  } else {
    std::move_backward(at(place), at(m_end), at(m_end + 1));
    ++m_end;
  }
  m_slots[place] = node;
}

void CBasicNodeArray::SortPending() {
  // Stable: nodes a host ranks equal stay in order of arrival.
  std::stable_sort(m_pending.begin(), m_pending.end(), [this](const Dom::XNode& a, const Dom::XNode& b) {
    return m_dataSet->CompareDocumentOrder(a, b) < 0;
  });
}

void CBasicNodeArray::MergePending() {
  SortPending();
  size_t count = m_end - m_begin + m_pending.size();
  size_t capacity = std::max<size_t>(16, count * 2);
  std::vector<Dom::XNode> slots(capacity);
  size_t begin = (capacity - count) / 2;
  size_t out = begin, i = m_begin, j = 0;
  // An element and a waiting node ranked equal keep their order of arrival:
  // the element came first.
  while (i < m_end && j < m_pending.size()) {
    if (Compare(m_pending[j], i) < 0) {
      slots[out++] = std::move(m_pending[j++]);
    } else {
      slots[out++] = std::move(m_slots[i++]);
    }
  }
  while (i < m_end) slots[out++] = std::move(m_slots[i++]);
  while (j < m_pending.size()) slots[out++] = std::move(m_pending[j++]);
  m_slots.swap(slots);
  m_begin = begin;
  m_end = begin + count;
  m_pending.clear();
}

Core::XInterface<Xpath::CNodeArrayIndex> CBasicNodeArray::CreateIndex() {
  return Core::Make<CBasicNodeArrayIndex>(this);
}

Dom::XNode CBasicNodeArrayIndex::GetNode() {
  if (m_cursor < 0 || m_cursor >= m_array->GetCount()) return Dom::XNode();
  return m_array->GetAt(m_cursor);
}

} // namespace XpathPrivate

namespace Xpath {

Core::XInterface<CNodeArray> CBasicNodeArrayFactory::CreateNodeArray(CDataSet* dataSet) {
  return Core::Make<XpathPrivate::CBasicNodeArray>(dataSet);
}

} // namespace Xpath
