#pragma once
// The engine's base classes of node sets and iterators, and the two simple
// node sets: one node, and the nodes of a node array.
#include <cstdint>

#include "core/Interface.h"
#include "xml/tree/Dom.h"
#include "xpath/NodeArray.h"
#include "xpath/NodeSet.h"

namespace XpathPrivate {

// Iterates in document order and counts by one walk, kept for good: a node
// set is a fixed result once made.
class CCommonNodeSet : public Xpath::CNodeSet {
public:
  bool IsDocumentOrder() override { return true; }
  bool IsReverseOrder() override { return false; }
  int32_t GetCount() override;
  Dom::XNode GetFirstNode() override;
  bool HasNodes() override;

protected:
  int32_t m_count = -1;
};

// The set, the current node (null at the end) and its 1-based position (0 at
// the end). A subclass's constructor positions it on its first node, and its
// Next moves on with Advance.
class CCommonIterator : public Xpath::CIterator {
public:
  Xpath::CNodeSet* GetNodeSet() override { return m_nodeSet.Get(); }
  // Final, so that CurrentNode is always what GetNode answers.
  Dom::XNode GetNode() final { return m_node; }
  int32_t GetPosition() override { return m_position; }
  CCommonIterator* AsCommon() final { return this; }

  // The current node without a copy of the handle.
  const Dom::XNode& CurrentNode() const { return m_node; }

protected:
  explicit CCommonIterator(Xpath::CNodeSet* nodeSet) : m_nodeSet(nodeSet) {}

  // Makes node current: the next position, or the end when node is null.
  void Advance(Dom::XNode node) {
    if (node) {
      m_node = std::move(node);
      ++m_position;
    } else {
      m_node = Dom::XNode();
      m_position = 0;
    }
  }

  Core::XInterface<Xpath::CNodeSet> m_nodeSet;
  Dom::XNode m_node;
  int32_t m_position = 0;
};

class CSingleNodeSet : public CCommonNodeSet {
public:
  explicit CSingleNodeSet(Dom::XNode node) : m_node(std::move(node)) {}

  int32_t GetCount() override { return m_node ? 1 : 0; }
  Dom::XNode GetFirstNode() override { return m_node; }
  bool MayRaise() override { return false; }
  bool IsAtHand() override { return true; }
  Core::XInterface<Xpath::CIterator> CreateIterator() override;

  const Dom::XNode& GetSingleNode() const { return m_node; }

private:
  Dom::XNode m_node;
};

class CSingleIterator : public CCommonIterator {
public:
  explicit CSingleIterator(CSingleNodeSet* nodeSet);
  void Next() override { Advance(Dom::XNode()); }
};

// The nodes of a node array, in document order.
class CArrayNodeSet : public CCommonNodeSet {
public:
  explicit CArrayNodeSet(Xpath::CNodeArray* array) : m_array(array) {}

  int32_t GetCount() override { return m_array->GetCount(); }
  bool MayRaise() override { return false; }
  bool IsAtHand() override { return true; }
  Core::XInterface<Xpath::CIterator> CreateIterator() override;

  Xpath::CNodeArray* GetArray() const { return m_array.Get(); }

private:
  Core::XInterface<Xpath::CNodeArray> m_array;
};

class CArrayIterator : public CCommonIterator {
public:
  explicit CArrayIterator(CArrayNodeSet* nodeSet);
  void Next() override;

private:
  Core::XInterface<Xpath::CNodeArrayIndex> m_index;
};

} // namespace XpathPrivate
