#pragma once
// The node sets of grouping. A group node set is a slice of a sorted array
// (the members of one group, or a whole selection); a group list is the
// sequence of groups of one selection, each group a maximal run of
// neighbouring members whose keys are the same string. The group list is
// the current node list while a group element runs its content: its
// iterator stands on a group's first member, position() is the group's
// number and last() the number of groups.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xpath/Expr.h"
#include "xpath/NodeSet.h"
#include "xslt/processor/data/SortedArray.h"

namespace XsltReports {

class CGroupNodeSet : public Xpath::CNodeSet {
public:
  // The rows first to end - 1 of the array, in their sorted order.
  CGroupNodeSet(Xslt::CSortedArray* array, int32_t first, int32_t end);

  // Members are walked in sorted order, which is not document order: a
  // union has to put them in order before it merges.
  bool IsDocumentOrder() override { return false; }
  bool IsReverseOrder() override { return false; }
  int32_t GetCount() override { return m_first >= 0 && m_end > m_first ? m_end - m_first : 0; }
  Dom::XNode GetFirstNode() override;
  Core::XInterface<Xpath::CIterator> CreateIterator() override;
  bool MayRaise() override { return false; }

  Xslt::CSortedArray* GetArray() const { return m_array.Get(); }
  int32_t GetFirst() const { return m_first; }
  int32_t GetEnd() const { return m_end; }

private:
  Core::XInterface<Xslt::CSortedArray> m_array;
  int32_t m_first;
  int32_t m_end;
};

class CGroupNodeSetIterator : public Xpath::CIterator {
public:
  explicit CGroupNodeSetIterator(CGroupNodeSet* nodeSet);

  Xpath::CNodeSet* GetNodeSet() override { return m_nodeSet.Get(); }
  Dom::XNode GetNode() override;
  int32_t GetPosition() override { return m_index < 0 ? 0 : m_index - m_nodeSet->GetFirst() + 1; }
  void Next() override;

private:
  Core::XInterface<CGroupNodeSet> m_nodeSet;
  // -1 once past the end.
  int32_t m_index;
};

class CGroupListNodeSet : public Xpath::CNodeSet {
public:
  // Keys are evaluated in the given context with each member as context
  // node; without a key every member is a group of its own.
  CGroupListNodeSet(CGroupNodeSet* selection, Xpath::CContext* context, Xpath::CExpr* key);

  bool IsDocumentOrder() override { return true; }
  bool IsReverseOrder() override { return false; }
  // The number of groups; the first call walks the groups once.
  int32_t GetCount() override;
  Dom::XNode GetFirstNode() override { return m_selection->GetFirstNode(); }
  Core::XInterface<Xpath::CIterator> CreateIterator() override;

  CGroupNodeSet* GetSelection() const { return m_selection.Get(); }
  Xpath::CContext* GetContext() const { return m_context.Get(); }
  Xpath::CExpr* GetKey() const { return m_key.Get(); }

private:
  Core::XInterface<CGroupNodeSet> m_selection;
  Core::XInterface<Xpath::CContext> m_context;
  Core::XInterface<Xpath::CExpr> m_key;
  int32_t m_count = -1;
};

// Reads each member's key once: the key that ends one group is kept as the
// key of the next.
class CGroupListIterator : public Xpath::CIterator {
public:
  explicit CGroupListIterator(CGroupListNodeSet* groupList);

  Xpath::CNodeSet* GetNodeSet() override { return m_groupList.Get(); }
  Dom::XNode GetNode() override { return m_node; }
  int32_t GetPosition() override { return m_position; }
  void Next() override;

  // The current group's members are the array rows first to end - 1; first
  // is -1 at the end.
  int32_t GetFirst() const { return m_first; }
  int32_t GetEnd() const { return m_end; }
  CGroupListNodeSet* GetGroupList() const { return m_groupList.Get(); }

private:
  Core::String ComputeKey();
  void FindGroupEnd();

  Core::XInterface<CGroupListNodeSet> m_groupList;
  Core::XInterface<Xpath::CIterator> m_members;
  Core::XInterface<Xpath::CContext> m_keyContext;
  Core::XInterface<Xpath::CExpr> m_key;
  int32_t m_position = 1;
  int32_t m_first;
  int32_t m_end;
  Dom::XNode m_node;
  Dom::XNode m_nextNode;
  Core::String m_currentKey;
  Core::String m_nextKey;
};

} // namespace XsltReports
