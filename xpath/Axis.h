#pragma once
// The thirteen XPath axes. An axis object is stateless and shared by every
// evaluation of its step; from a context node it makes a node set whose
// iterator walks the tree one node per Next, following node links only.
// Forward axes walk in document order, the four reverse axes (ancestor,
// ancestor-or-self, preceding, preceding-sibling) nearest node first.
#include <cstdint>

#include "core/Interface.h"
#include "xml/tree/Dom.h"
#include "xpath/NodeSet.h"

namespace Xpath {

class CAxis : public Core::CInterface {
public:
  enum : int32_t {
    Child = 0,
    Descendant = 1,
    Parent = 2,
    Ancestor = 3,
    FollowingSibling = 4,
    PrecedingSibling = 5,
    Following = 6,
    Preceding = 7,
    Attribute = 8,
    Namespace = 9,
    Self = 10,
    DescendantOrSelf = 11,
    AncestorOrSelf = 12,
  };

  virtual int32_t GetAxisCode() const = 0;
  virtual Core::XInterface<CNodeSet> CreateNodeSet(const Dom::XNode& node) const = 0;
};

} // namespace Xpath

namespace XpathPrivate {

// The node after node in document order inside the subtree of root (root
// excluded; a null root means the whole document), or null.
Dom::CNode* NextInDocumentOrder(const Dom::CNode* node, const Dom::CNode* root);
// The node before node in document order, or null.
Dom::CNode* PreviousInDocumentOrder(const Dom::CNode* node);

#define KELTO_XPATH_AXIS(Name, Code)                                                   \
  class C##Name##Axis final : public Xpath::CAxis {                                    \
  public:                                                                              \
    int32_t GetAxisCode() const override { return Code; }                              \
    Core::XInterface<Xpath::CNodeSet> CreateNodeSet(const Dom::XNode& node) const override; \
  };

KELTO_XPATH_AXIS(Child, Xpath::CAxis::Child)
KELTO_XPATH_AXIS(Descendant, Xpath::CAxis::Descendant)
KELTO_XPATH_AXIS(Parent, Xpath::CAxis::Parent)
KELTO_XPATH_AXIS(Ancestor, Xpath::CAxis::Ancestor)
KELTO_XPATH_AXIS(FollowingSibling, Xpath::CAxis::FollowingSibling)
KELTO_XPATH_AXIS(PrecedingSibling, Xpath::CAxis::PrecedingSibling)
KELTO_XPATH_AXIS(Following, Xpath::CAxis::Following)
KELTO_XPATH_AXIS(Preceding, Xpath::CAxis::Preceding)
KELTO_XPATH_AXIS(Attribute, Xpath::CAxis::Attribute)
KELTO_XPATH_AXIS(Namespace, Xpath::CAxis::Namespace)
KELTO_XPATH_AXIS(Self, Xpath::CAxis::Self)
KELTO_XPATH_AXIS(DescendantOrSelf, Xpath::CAxis::DescendantOrSelf)
KELTO_XPATH_AXIS(AncestorOrSelf, Xpath::CAxis::AncestorOrSelf)

#undef KELTO_XPATH_AXIS

} // namespace XpathPrivate
