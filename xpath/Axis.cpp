#include "xpath/Axis.h"

#include "xpath/CommonNodeSet.h"

namespace XpathPrivate {

using Core::XInterface;
using Dom::CNode;

CNode* NextInDocumentOrder(const CNode* node, const CNode* root) {
  if (CNode* child = node->FirstChild()) return child;
  for (const CNode* c = node; c && c != root; c = c->Parent()) {
    if (CNode* sibling = c->NextSibling()) return sibling;
  }
  return nullptr;
}

CNode* PreviousInDocumentOrder(const CNode* node) {
  if (CNode* sibling = node->PreviousSibling()) {
    while (CNode* last = sibling->LastChild()) sibling = last;
    return sibling;
  }
  return node->Parent();
}

namespace {

bool IsAttributeOrNamespace(const CNode* node) {
  int32_t type = node->GetNodeType();
  return type == Dom::ATTRIBUTE_NODE || type == Dom::NAMESPACE_NODE;
}

// The first node after the subtree of node: the next sibling of node or of
// its nearest ancestor that has one.
CNode* NextAfterSubtree(const CNode* node) {
  for (const CNode* c = node; c; c = c->Parent()) {
    if (CNode* sibling = c->NextSibling()) return sibling;
  }
  return nullptr;
}

class CAxisNodeSet : public CCommonNodeSet {
public:
  CAxisNodeSet(const Dom::XNode& node, bool reverse) : m_contextNode(node), m_reverse(reverse) {}
  bool IsDocumentOrder() override { return !m_reverse; }
  bool IsReverseOrder() override { return m_reverse; }
  bool MayRaise() override { return false; }
  const Dom::XNode& GetContextNode() const { return m_contextNode; }

private:
  Dom::XNode m_contextNode;
  bool m_reverse;
};

class CAxisIterator : public CCommonIterator {
public:
  explicit CAxisIterator(CAxisNodeSet* nodeSet) : CCommonIterator(nodeSet), m_contextNode(nodeSet->GetContextNode()) {}

  void Next() override {
    if (!m_node) return;
    CNode* next = Step(m_node.Get());
    if (next) {
      m_node = next;
      ++m_position;
    } else {
      m_node = nullptr;
      m_position = 0;
    }
  }

protected:
  void Start(CNode* first) {
    m_node = first;
    m_position = first ? 1 : 0;
  }
  virtual CNode* Step(CNode* current) = 0;

  Dom::XNode m_contextNode;
};

// One node set and one iterator class per axis. First gives the first node
// from the context node, Step the node after the current one.
#define KELTO_AXIS_CLASSES(Name, Reverse, FirstBody, StepBody, ExtraFields)                          \
  class C##Name##NodeSet final : public CAxisNodeSet {                                             \
  public:                                                                                          \
    explicit C##Name##NodeSet(const Dom::XNode& node) : CAxisNodeSet(node, Reverse) {}             \
    XInterface<Xpath::CIterator> CreateIterator() override;                                        \
  };                                                                                               \
  class C##Name##Iterator final : public CAxisIterator {                                           \
  public:                                                                                          \
    explicit C##Name##Iterator(C##Name##NodeSet* nodeSet) : CAxisIterator(nodeSet) {               \
      CNode* context = m_contextNode.Get();                                                        \
      (void)context;                                                                               \
      FirstBody                                                                                    \
    }                                                                                              \
                                                                                                   \
  private:                                                                                         \
    CNode* Step([[maybe_unused]] CNode* current) override { StepBody }                             \
    ExtraFields                                                                                    \
  };                                                                                               \
  XInterface<Xpath::CIterator> C##Name##NodeSet::CreateIterator() { return new C##Name##Iterator(this); } \
  }                                                                                                \
  XInterface<Xpath::CNodeSet> C##Name##Axis::CreateNodeSet(const Dom::XNode& node) const {         \
    return new C##Name##NodeSet(node);                                                             \
  }                                                                                                \
  namespace {

KELTO_AXIS_CLASSES(Child, false, Start(context->FirstChild());, return current->NextSibling();, )

KELTO_AXIS_CLASSES(Descendant, false, Start(context->FirstChild());,
                   return NextInDocumentOrder(current, m_contextNode.Get());, )

KELTO_AXIS_CLASSES(DescendantOrSelf, false, Start(context);, return NextInDocumentOrder(current, m_contextNode.Get());, )

KELTO_AXIS_CLASSES(Parent, false, Start(context->Parent());, return nullptr;, )

KELTO_AXIS_CLASSES(Self, false, Start(context);, return nullptr;, )

KELTO_AXIS_CLASSES(Ancestor, true, Start(context->Parent());, return current->Parent();, )

KELTO_AXIS_CLASSES(AncestorOrSelf, true, Start(context);, return current->Parent();, )

KELTO_AXIS_CLASSES(FollowingSibling, false, Start(context->NextSibling());, return current->NextSibling();, )

KELTO_AXIS_CLASSES(PrecedingSibling, true, Start(context->PreviousSibling());,
                   return current->PreviousSibling();, )

// From an attribute or namespace node the following nodes begin with the
// element's own children, which come after its attributes in document order.
KELTO_AXIS_CLASSES(Following, false,
                   if (IsAttributeOrNamespace(context)) {
                     CNode* element = context->Parent();
                     CNode* first = element ? element->FirstChild() : nullptr;
                     Start(first ? first : (element ? NextAfterSubtree(element) : nullptr));
                   } else {
                     Start(NextAfterSubtree(context));
                   },
                   return NextInDocumentOrder(current, nullptr);, )

// Ancestors are reached only through parent steps, nearest first, so each
// node reached that way is compared with the nearest ancestor not yet passed.
KELTO_AXIS_CLASSES(Preceding, true, m_nextAncestor = context->Parent(); Start(Step(context));,
                   for (;;) {
                     if (CNode* sibling = current->PreviousSibling()) {
                       while (CNode* last = sibling->LastChild()) sibling = last;
                       return sibling;
                     }
                     CNode* parent = current->Parent();
                     if (!parent || parent != m_nextAncestor) return parent;
                     m_nextAncestor = parent->Parent();
                     current = parent;
                   },
                   CNode* m_nextAncestor = nullptr;)

KELTO_AXIS_CLASSES(Attribute, false, Start(context->AttributeAt(0));,
                   return m_contextNode->AttributeAt(m_position);, )

// The scope lists the default namespace even where none is declared (or
// xmlns="" undeclares it); such an entry with an empty URI is no namespace
// node.
KELTO_AXIS_CLASSES(Namespace, false,
                   m_map = context->GetNamespaces();
                   m_length = m_map ? m_map->GetLength() : 0;
                   Start(Step(nullptr));,
                   while (m_index < m_length) {
                     CNode* item = m_map->Item(m_index++).Get();
                     if (static_cast<const Dom::CNamespaceNode*>(item)->uriLength > 0) return item;
                   }
                   return nullptr;,
                   Dom::XNamedNodeMap m_map;
                   int32_t m_length = 0;
                   int32_t m_index = 0;)

#undef KELTO_AXIS_CLASSES

} // namespace

} // namespace XpathPrivate
