#pragma once
// Node sets are never lists computed in advance: a node set knows how to
// produce its nodes and every consumer walks it with an iterator made on
// request.
//
// Iteration contract of every implementation: a new iterator stands on the
// first node with position 1, or at the end (null node, position 0) when the
// set is empty; Next advances by one node and one position; after the last
// node the iterator is at the end and stays there. Iterators of one set are
// independent of one another.
#include <cstdint>

#include "core/Interface.h"

namespace Dom {
class XNode;
}

namespace XpathPrivate {
class CCommonIterator;
}

namespace Xpath {

class CIterator;

class CNodeSet : public Core::CInterface {
public:
  virtual bool IsDocumentOrder() = 0;
  virtual bool IsReverseOrder() = 0;
  virtual int32_t GetCount() = 0;
  // The first node in iteration order, null when the set is empty.
  virtual Dom::XNode GetFirstNode() = 0;
  virtual Core::XInterface<CIterator> CreateIterator() = 0;

  // False when walking or counting the set can raise no error.
  virtual bool MayRaise() { return true; }
  // Whether the set has a node. A set that may raise counts itself, so that
  // an error of any of its nodes surfaces as when it is counted; the others
  // may stop at their first node.
  virtual bool HasNodes() { return GetCount() > 0; }
  // True when the nodes are held at hand (one node, a list of them): a set
  // walked again as cheaply as a copy of its nodes would be.
  virtual bool IsAtHand() { return false; }
};

class CIterator : public Core::CInterface {
public:
  // The set being iterated (no use added).
  virtual CNodeSet* GetNodeSet() = 0;
  // The current node, null at the end.
  virtual Dom::XNode GetNode() = 0;
  // 1-based position of the current node, 0 at the end.
  virtual int32_t GetPosition() = 0;
  virtual void Next() = 0;
  // The engine's own iterators answer themselves, so that their current
  // node can be read in place; null for any other.
  virtual XpathPrivate::CCommonIterator* AsCommon() { return nullptr; }
};

} // namespace Xpath
