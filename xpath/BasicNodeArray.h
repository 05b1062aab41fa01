#pragma once
// The engine's node array: distinct nodes in strictly increasing document
// order, kept in one buffer with free room at both ends so that appending in
// document order and prepending in reverse order (the reverse axes) cost
// constant time; insertions near an end move the shorter side. Nodes that
// land far from both ends are only collected, and sorted into place once
// when the array is next read: a run of them would otherwise move half the
// array for every node.
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xpath/NodeArray.h"

namespace XpathPrivate {

class CBasicNodeArray : public Xpath::CNodeArray {
public:
  explicit CBasicNodeArray(Xpath::CDataSet* dataSet) : m_dataSet(dataSet) {}
  ~CBasicNodeArray() override;

  void Insert(const Dom::XNode& node) override;
  int32_t GetCount() override { return static_cast<int32_t>(m_end - m_begin + m_pending.size()); }
  Dom::XNode GetAt(int32_t index) override {
    Settle();
    return m_slots[m_begin + static_cast<size_t>(index)];
  }
  bool Contains(const Dom::XNode& node) override;
  Core::XInterface<Xpath::CNodeArrayIndex> CreateIndex() override;

  // The insertion place of the node (the index of the first element that
  // comes after it), or -1 when it is present.
  int32_t Find(const Dom::XNode& node) {
    Settle();
    return FindInOrder(node);
  }

private:
  // Below this many moves an insertion is made in place at once.
  static constexpr size_t kMaxShift = 64;

  int32_t FindInOrder(const Dom::XNode& node);
  // Sorts the collected nodes into the elements.
  void Settle() {
    if (!m_pending.empty()) MergePending();
  }
  void MergePending();
  void SortPending();
  int32_t Compare(const Dom::XNode& node, size_t slot) {
    return m_dataSet->CompareDocumentOrder(node, m_slots[slot]);
  }
  // A host that ranks two distinct nodes equal has them kept in order of
  // arrival: the place after the run of elements it ranks equal to the node
  // around slot, or -1 when the node itself is among them.
  int32_t PlaceInTie(const Dom::XNode& node, size_t slot);
  // Makes room for one more element at the front and the back.
  void Grow();

  Core::XInterface<Xpath::CDataSet> m_dataSet;
  // Elements live in m_slots[m_begin, m_end); the other slots are null.
  std::vector<Dom::XNode> m_slots;
  size_t m_begin = 0;
  size_t m_end = 0;
  // Nodes inserted but not yet in place, in order of arrival: distinct, and
  // none of them among the elements.
  std::vector<Dom::XNode> m_pending;
  // Every node held, elements and pending ones, from the first node that had
  // to wait on: it refuses duplicates without the order.
  std::unordered_set<const Dom::CNode*> m_members;
  bool m_tracking = false;
};

class CBasicNodeArrayIndex : public Xpath::CNodeArrayIndex {
public:
  explicit CBasicNodeArrayIndex(Xpath::CNodeArray* array) : m_array(array) {}

  Dom::XNode GetNode() override;
  void Next() override { ++m_cursor; }

private:
  Core::XInterface<Xpath::CNodeArray> m_array;
  int32_t m_cursor = 0;
};

} // namespace XpathPrivate
