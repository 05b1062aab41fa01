#pragma once
// The nodes of a sorted array as a node set, in sorted order: the current
// node list of a sorted xsl:for-each or xsl:apply-templates, so that
// position() and last() count in sorted order.
#include <cstdint>

#include "core/Interface.h"
#include "xml/tree/Dom.h"
#include "xpath/NodeSet.h"
#include "xslt/processor/data/SortedArray.h"

namespace XsltPrivate {

class CSortedNodeSet : public Xpath::CNodeSet {
public:
  explicit CSortedNodeSet(Xslt::CSortedArray* array) : m_array(array) {}

  // Sorted order is not document order.
  bool IsDocumentOrder() override { return false; }
  bool IsReverseOrder() override { return false; }
  int32_t GetCount() override { return m_array->GetCount(); }
  Dom::XNode GetFirstNode() override;
  Core::XInterface<Xpath::CIterator> CreateIterator() override;
  bool MayRaise() override { return false; }

  Xslt::CSortedArray* GetArray() const { return m_array.Get(); }

private:
  Core::XInterface<Xslt::CSortedArray> m_array;
};

class CSortedIterator : public Xpath::CIterator {
public:
  explicit CSortedIterator(CSortedNodeSet* nodeSet);

  Xpath::CNodeSet* GetNodeSet() override { return m_nodeSet.Get(); }
  Dom::XNode GetNode() override { return m_node; }
  int32_t GetPosition() override { return m_position; }
  void Next() override;

private:
  Core::XInterface<CSortedNodeSet> m_nodeSet;
  Dom::XNode m_node;
  int32_t m_position;
  Core::XInterface<Xslt::CSortedArrayIndex> m_cursor;
};

} // namespace XsltPrivate
