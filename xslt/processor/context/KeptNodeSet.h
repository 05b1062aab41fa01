#pragma once
// The node set of a variable or parameter, worked out once: its nodes are
// kept as they are first produced, so a value used many times, or passed on
// and used again at every level of a recursion, costs one walk of what it was
// made from. It is still lazy: nothing is produced before it is asked for.
// Iterators of the set may be interleaved; each reads the kept nodes and has
// one more produced only when it has passed the last one kept.
#include <cstdint>
#include <exception>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/NodeSet.h"
#include "xpath/Value.h"

namespace XsltPrivate {

class CContext;

class CKeptNodeSet final : public Xpath::CNodeSet {
public:
  // A set that needs its own nodes to produce them (a global whose value
  // refers to itself) is fatal error 35 with the name, and sets made from
  // kept sets nested too deep for the stack are fatal error 56; both are
  // raised through owner when given.
  CKeptNodeSet(Xpath::CNodeSet* inner, CContext* owner, Core::StringView namespaceUri, Core::StringView localName);
  ~CKeptNodeSet() override;

  bool IsDocumentOrder() override { return m_documentOrder; }
  bool IsReverseOrder() override { return m_reverseOrder; }
  int32_t GetCount() override;
  Dom::XNode GetFirstNode() override;
  Core::XInterface<Xpath::CIterator> CreateIterator() override;
  bool MayRaise() override { return !m_complete && m_mayRaise; }
  bool HasNodes() override;
  bool IsAtHand() override { return true; }

  // Whether the set has a node at index (0-based); produces nodes up to it.
  bool Has(size_t index);
  const Dom::XNode& At(size_t index) const { return m_nodes[index]; }

private:
  bool ProduceOne();

  Core::XInterface<Xpath::CNodeSet> m_inner;
  Core::XInterface<CContext> m_owner;
  Core::String m_namespaceUri;
  Core::String m_localName;
  // Stands on the last node kept.
  Core::XInterface<Xpath::CIterator> m_source;
  std::exception_ptr m_failure;
  std::vector<Dom::XNode> m_nodes;
  bool m_complete = false;
  bool m_producing = false;
  bool m_documentOrder;
  bool m_reverseOrder;
  bool m_mayRaise;
};

// The value to bind for a variable or parameter (owner: the context that
// computed it): a node set worth keeping is wrapped in a kept node set, any
// other value is answered as it is.
Core::XInterface<Xpath::CValue> KeepNodeSetValue(Xpath::CValue* value, CContext* owner = nullptr,
                                                 Core::StringView namespaceUri = {}, Core::StringView localName = {});
// Whether KeepNodeSetValue answers the value itself.
bool IsKeptAsItIs(Xpath::CValue* value);

} // namespace XsltPrivate
