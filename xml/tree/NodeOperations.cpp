// The operation tables of every node kind and the wrappers over them.
#include <cstring>

#include "xml/tree/DocumentStore.h"
#include "xml/tree/Dom.h"
#include "xml/tree/Names.h"

namespace Dom {

namespace {

using Core::String;
using Core::StringView;

template <int32_t Code, class R, class... Args>
R Fail(Args...) {
  throw CDomException(Code);
}

const CElementNode* AsElement(const CNode* n) { return static_cast<const CElementNode*>(n); }
const CAttributeNode* AsAttribute(const CNode* n) { return static_cast<const CAttributeNode*>(n); }
const CCharacterDataNode* AsCharacterData(const CNode* n) { return static_cast<const CCharacterDataNode*>(n); }
const CProcessingInstructionNode* AsPi(const CNode* n) {
  return static_cast<const CProcessingInstructionNode*>(n);
}
const CNamespaceNode* AsNamespace(const CNode* n) { return static_cast<const CNamespaceNode*>(n); }

// The concatenated data of the text descendants, walked without recursion
// so that depth costs nothing; the size is summed first to copy once.
void AppendDescendantText(const CNode* root, String& out) {
  const CNode* first = root->FirstChild();
  if (!first) return;
  if (!first->NextSibling() && first->GetNodeType() == TEXT_NODE) {
    auto* t = AsCharacterData(first);
    out.append(t->data, size_t(t->length));
    return;
  }
  for (int pass = 0; pass < 2; ++pass) {
    size_t total = 0;
    const CNode* n = first;
    while (n) {
      int32_t type = n->GetNodeType();
      if (type == TEXT_NODE) {
        auto* t = AsCharacterData(n);
        if (pass == 0) {
          total += size_t(t->length);
        } else {
          out.append(t->data, size_t(t->length));
        }
      } else if (type == ELEMENT_NODE) {
        if (const CNode* child = AsElement(n)->firstChild) {
          n = child;
          continue;
        }
      }
      while (n != root) {
        if (const CNode* next = n->NextSibling()) {
          n = next;
          break;
        }
        n = n->Parent();
      }
      if (n == root) break;
    }
    if (pass == 0) out.reserve(out.size() + total);
  }
}

String ToString(StringView s) { return String(s); }

// ---- common slots -----------------------------------------------------------

void FreeDocument(CNode* node) {
  auto* document = static_cast<CDocumentNode*>(node);
  delete document->store;
  delete document;
}
void FreeFragment(CNode* node) { delete static_cast<CDocumentFragmentNode*>(node); }
void FreeNothing(CNode*) {}

String NodeName(const CNode* n) { return ToString(n->NodeNameView()); }
String NodeValue(const CNode* n) { return ToString(n->ValueView()); }
CNode* ParentOf(const CNode* n) { return n->Parent(); }
CNode* NullNode(const CNode*) { return nullptr; }
CNode* FirstChildOf(const CNode* n) { return n->FirstChild(); }
CNode* LastChildOf(const CNode* n) { return n->LastChild(); }
CNode* PreviousSiblingOf(const CNode* n) { return n->PreviousSibling(); }
CNode* NextSiblingOf(const CNode* n) { return n->NextSibling(); }
CNamedNodeMap* NoMap(const CNode*) { return nullptr; }
CNamedNodeMap* AttributeMapOf(const CNode* n) { return CNamedNodeMap::CreateAttributeMap(AsElement(n)); }
CNamedNodeMap* NamespaceMapOf(const CNode* n) { return CNamedNodeMap::CreateNamespaceMap(AsElement(n)); }
bool HasChildren(const CNode* n) { return n->FirstChild() != nullptr; }
bool NoChildren(const CNode*) { return false; }
String NamespaceUriOf(const CNode* n) { return ToString(n->NamespaceUriView()); }
String LocalNameOf(const CNode* n) { return ToString(n->LocalNameView()); }
int32_t NodeIndex(const CNode* n) { return NodeIndexOf(n); }
String StringValueOf(const CNode* n) { return n->GetStringValue(); }

#define KELTO_COMMON_SLOTS(counted, freeSlot, parentSlot, firstSlot, lastSlot, prevSlot, nextSlot, attrSlot, \
                           nsSlot, hasChildrenSlot)                                                         \
  counted, freeSlot, &NodeName, &NodeValue, &Fail<7, void, CNode*, StringView>, parentSlot,                 \
      &Fail<9, void, const CNode*>, firstSlot, lastSlot, prevSlot, nextSlot, attrSlot, nsSlot,              \
      &Fail<7, CNode*, CNode*, CNode*, CNode*>, &Fail<7, CNode*, CNode*, CNode*, CNode*>,                   \
      &Fail<7, CNode*, CNode*, CNode*>, &Fail<7, CNode*, CNode*, CNode*>, hasChildrenSlot,                  \
      &Fail<9, CNode*, const CNode*, bool>, &NamespaceUriOf, &LocalNameOf, &NodeIndex, &StringValueOf

// ---- kind-specific slots --------------------------------------------------------

CNode* DocumentElementOf(const CNode* n) {
  for (CNode* child = n->FirstChild(); child; child = child->NextSibling())
    if (child->GetNodeType() == ELEMENT_NODE) return child;
  return nullptr;
}

CNode* FindAttribute(const CNode* n, StringView qualifiedName) {
  auto* element = AsElement(n);
  CAttributeNode* attributes = element->Attributes();
  for (int32_t i = 0; i < element->attributeCount; ++i)
    if (attributes[i].name->qualifiedName == qualifiedName) return &attributes[i];
  return nullptr;
}
String AttributeValueOf(const CNode* n, StringView qualifiedName) {
  CNode* attribute = FindAttribute(n, qualifiedName);
  return attribute ? ToString(attribute->ValueView()) : String();
}
CNode* FindNamespace(const CNode* n, StringView prefix) { return AsElement(n)->scope->Find(prefix); }
String NamespaceOfPrefix(const CNode* n, StringView prefix) {
  CNode* ns = FindNamespace(n, prefix);
  return ns ? ToString(ns->ValueView()) : String();
}

int32_t DataLength(const CNode* n) { return AsCharacterData(n)->length; }
String SubstringOf(const CNode* n, int32_t offset, int32_t count) {
  auto* c = AsCharacterData(n);
  if (offset < 0 || offset > c->length || count < 0) throw CDomException(1);
  int32_t rest = c->length - offset;
  return String(c->data + offset, size_t(count < rest ? count : rest));
}
String PiTarget(const CNode* n) { return String(AsPi(n)->target, size_t(AsPi(n)->targetLength)); }

} // namespace

const CDocumentOperationsTable DocumentOperations = {
    {KELTO_COMMON_SLOTS(1, &FreeDocument, &NullNode, &FirstChildOf, &LastChildOf, &NullNode, &NullNode, &NoMap,
                        &NoMap, &HasChildren)},
    &Fail<9, void, const CNode*>,
    &Fail<9, void, const CNode*>,
    &DocumentElementOf,
    &Fail<9, CNode*, CNode*, StringView>,
    &Fail<9, CNode*, CNode*>,
    &Fail<9, CNode*, CNode*, StringView>,
    &Fail<9, CNode*, CNode*, StringView>,
    &Fail<9, CNode*, CNode*, StringView>,
    &Fail<9, CNode*, CNode*, StringView, StringView>,
    &Fail<9, CNode*, CNode*, StringView>,
    &Fail<9, CNode*, CNode*, StringView>,
    &Fail<9, void, const CNode*, StringView>,
    &Fail<9, void, const CNode*>,
};

const CNodeOperations DocumentFragmentOperations = {KELTO_COMMON_SLOTS(
    1, &FreeFragment, &NullNode, &FirstChildOf, &LastChildOf, &NullNode, &NullNode, &NoMap, &NoMap, &HasChildren)};

const CElementOperationsTable ElementOperations = {
    {KELTO_COMMON_SLOTS(0, &FreeNothing, &ParentOf, &FirstChildOf, &LastChildOf, &PreviousSiblingOf,
                        &NextSiblingOf, &AttributeMapOf, &NamespaceMapOf, &HasChildren)},
    &NodeName,
    &AttributeValueOf,
    &Fail<7, void, CNode*, StringView, StringView>,
    &Fail<7, void, CNode*, StringView>,
    &FindAttribute,
    &Fail<7, CNode*, CNode*, CNode*>,
    &Fail<7, CNode*, CNode*, CNode*>,
    &Fail<9, void, const CNode*, StringView>,
    &NamespaceOfPrefix,
    &Fail<7, void, CNode*, StringView, StringView>,
    &Fail<7, void, CNode*, StringView>,
    &FindNamespace,
    &Fail<7, CNode*, CNode*, CNode*>,
    &Fail<7, CNode*, CNode*, CNode*>,
};

const CAttributeOperationsTable AttributeOperations = {
    {KELTO_COMMON_SLOTS(0, &FreeNothing, &ParentOf, &NullNode, &NullNode, &NullNode, &NullNode, &NoMap, &NoMap,
                        &NoChildren)},
    &NodeName,
    &Fail<9, bool, const CNode*>,
    &NodeValue,
    &Fail<7, void, CNode*, StringView>,
};

#define KELTO_CHARACTER_DATA_SLOTS                                                                         \
  {KELTO_COMMON_SLOTS(0, &FreeNothing, &ParentOf, &NullNode, &NullNode, &PreviousSiblingOf, &NextSiblingOf, \
                      &NoMap, &NoMap, &NoChildren)},                                                        \
      &NodeValue, &Fail<7, void, CNode*, StringView>, &DataLength, &SubstringOf,                            \
      &Fail<7, void, CNode*, StringView>, &Fail<7, void, CNode*, int32_t, StringView>,                      \
      &Fail<7, void, CNode*, int32_t, int32_t>, &Fail<7, void, CNode*, int32_t, int32_t, StringView>

const CTextOperationsTable TextOperations = {
    {KELTO_CHARACTER_DATA_SLOTS},
    &Fail<7, CNode*, CNode*, int32_t>,
};

const CCharacterDataOperationsTable CommentOperations = {KELTO_CHARACTER_DATA_SLOTS};

const CProcessingInstructionOperationsTable ProcessingInstructionOperations = {
    {KELTO_COMMON_SLOTS(0, &FreeNothing, &ParentOf, &NullNode, &NullNode, &PreviousSiblingOf, &NextSiblingOf,
                        &NoMap, &NoMap, &NoChildren)},
    &PiTarget,
    &NodeValue,
    &Fail<7, void, CNode*, StringView>,
};

const CNamespaceOperationsTable NamespaceOperations = {
    {KELTO_COMMON_SLOTS(0, &FreeNothing, &ParentOf, &NullNode, &NullNode, &NullNode, &NullNode, &NoMap, &NoMap,
                        &NoChildren)},
    &NodeName,
    &NodeValue,
    &Fail<7, void, CNode*, StringView>,
};

#undef KELTO_CHARACTER_DATA_SLOTS
#undef KELTO_COMMON_SLOTS

// ---- views and wrappers -------------------------------------------------------

StringView CNode::NodeNameView() const {
  switch (kind->nodeType) {
    case ELEMENT_NODE:
    case ATTRIBUTE_NODE:
      return Name()->qualifiedName;
    case PROCESSING_INSTRUCTION_NODE:
      return StringView(AsPi(this)->target, size_t(AsPi(this)->targetLength));
    case NAMESPACE_NODE:
      return StringView(AsNamespace(this)->prefix, AsNamespace(this)->prefixLength);
    case TEXT_NODE:
      return u"#text";
    case COMMENT_NODE:
      return u"#comment";
    case DOCUMENT_NODE:
      return u"#document";
    case DOCUMENT_FRAGMENT_NODE:
      return u"#document-fragment";
    default:
      return StringView();
  }
}

StringView CNode::LocalNameView() const {
  switch (kind->nodeType) {
    case ELEMENT_NODE:
    case ATTRIBUTE_NODE:
      return Name()->localName;
    case NAMESPACE_NODE:
      // XPath gives a namespace node its prefix as local name.
      return StringView(AsNamespace(this)->prefix, AsNamespace(this)->prefixLength);
    default:
      return StringView();
  }
}

StringView CNode::NamespaceUriView() const {
  switch (kind->nodeType) {
    case ELEMENT_NODE:
    case ATTRIBUTE_NODE:
      return Name()->namespaceUri;
    default:
      return StringView();
  }
}

StringView CNode::ValueView() const {
  switch (kind->nodeType) {
    case ATTRIBUTE_NODE:
      return StringView(AsAttribute(this)->value, size_t(AsAttribute(this)->valueLength));
    case TEXT_NODE:
    case COMMENT_NODE:
      return StringView(AsCharacterData(this)->data, size_t(AsCharacterData(this)->length));
    case PROCESSING_INSTRUCTION_NODE:
      return StringView(AsPi(this)->data, size_t(AsPi(this)->dataLength));
    case NAMESPACE_NODE:
      return StringView(AsNamespace(this)->namespaceUri, AsNamespace(this)->uriLength);
    default:
      return StringView();
  }
}

void CNode::AppendStringValue(String& out) const {
  switch (kind->nodeType) {
    case DOCUMENT_NODE:
    case DOCUMENT_FRAGMENT_NODE:
    case ELEMENT_NODE:
      AppendDescendantText(this, out);
      return;
    default:
      out.append(ValueView());
      return;
  }
}

String CNode::GetStringValue() const {
  String out;
  AppendStringValue(out);
  return out;
}

CNodeIdentity CNode::GetIdentity() const {
  return CNodeIdentity{kind->documentNumber, uint32_t(NodeIndexOf(this))};
}

String CNode::GetNodeName() const { return kind->operations->GetNodeName(this); }
String CNode::GetNodeValue() const { return kind->operations->GetNodeValue(this); }
XNode CNode::GetParentNode() const { return XNode(Parent()); }
XNode CNode::GetFirstChild() const { return XNode(FirstChild()); }
XNode CNode::GetLastChild() const { return XNode(LastChild()); }
XNode CNode::GetPreviousSibling() const { return XNode(PreviousSibling()); }
XNode CNode::GetNextSibling() const { return XNode(NextSibling()); }
XNamedNodeMap CNode::GetAttributes() const { return XNamedNodeMap(kind->operations->GetAttributes(this)); }
XNamedNodeMap CNode::GetNamespaces() const { return XNamedNodeMap(kind->operations->GetNamespaces(this)); }
XNode CNode::AppendChild(const XNode& child) { return XNode(kind->operations->AppendChild(this, child.Get())); }
String CNode::GetNamespaceURI() const { return ToString(NamespaceUriView()); }
String CNode::GetLocalName() const { return ToString(LocalNameView()); }
int32_t CNode::GetNodeIndex() const { return NodeIndexOf(this); }

XNode CNode::GetDocumentElement() const {
  return XNode(GetOperationsAs<CDocumentOperationsTable>().GetDocumentElement(this));
}
XNode CNode::CreateElement(StringView qualifiedName) {
  return XNode(GetOperationsAs<CDocumentOperationsTable>().CreateElement(this, qualifiedName));
}
XNode CNode::CreateTextNode(StringView data) {
  return XNode(GetOperationsAs<CDocumentOperationsTable>().CreateTextNode(this, data));
}
XNode CNode::CreateComment(StringView data) {
  return XNode(GetOperationsAs<CDocumentOperationsTable>().CreateComment(this, data));
}
XNode CNode::CreateProcessingInstruction(StringView target, StringView data) {
  return XNode(GetOperationsAs<CDocumentOperationsTable>().CreateProcessingInstruction(this, target, data));
}
XNode CNode::CreateAttribute(StringView qualifiedName) {
  return XNode(GetOperationsAs<CDocumentOperationsTable>().CreateAttribute(this, qualifiedName));
}

// ---- named node maps ------------------------------------------------------------

namespace {

void FreeMap(CNamedNodeMap* map) { delete map; }

int32_t AttributeMapLength(const CNamedNodeMap* map) { return map->attributeCount; }
CNode* AttributeMapNamedItem(const CNamedNodeMap* map, StringView name) {
  for (int32_t i = 0; i < map->attributeCount; ++i)
    if (map->firstAttribute[i].name->qualifiedName == name) return &map->firstAttribute[i];
  return nullptr;
}
CNode* AttributeMapItem(const CNamedNodeMap* map, int32_t index) {
  return index >= 0 && index < map->attributeCount ? &map->firstAttribute[index] : nullptr;
}

int32_t NamespaceMapLength(const CNamedNodeMap* map) { return map->scope->GetCount(); }
CNode* NamespaceMapNamedItem(const CNamedNodeMap* map, StringView prefix) { return map->scope->Find(prefix); }
CNode* NamespaceMapItem(const CNamedNodeMap* map, int32_t index) {
  return index >= 0 && index < map->scope->GetCount() ? map->scope->GetItem(index) : nullptr;
}

} // namespace

const CNamedNodeMapOperations AttributeMapOperations = {
    1,
    &FreeMap,
    &AttributeMapLength,
    &AttributeMapNamedItem,
    &Fail<7, CNode*, CNamedNodeMap*, CNode*>,
    &Fail<7, CNode*, CNamedNodeMap*, StringView>,
    &AttributeMapItem,
};

const CNamedNodeMapOperations NamespaceMapOperations = {
    1,
    &FreeMap,
    &NamespaceMapLength,
    &NamespaceMapNamedItem,
    &Fail<7, CNode*, CNamedNodeMap*, CNode*>,
    &Fail<7, CNode*, CNamedNodeMap*, StringView>,
    &NamespaceMapItem,
};

CNamedNodeMap* CNamedNodeMap::CreateAttributeMap(const CElementNode* element) {
  auto* map = new CNamedNodeMap();
  map->operations = &AttributeMapOperations;
  map->attributeCount = element->attributeCount;
  map->firstAttribute = element->Attributes();
  return map;
}

CNamedNodeMap* CNamedNodeMap::CreateNamespaceMap(const CElementNode* element) {
  auto* map = new CNamedNodeMap();
  map->operations = &NamespaceMapOperations;
  map->scope = element->scope;
  return map;
}

XNode CNamedNodeMap::GetNamedItem(StringView name) const { return XNode(operations->GetNamedItem(this, name)); }
XNode CNamedNodeMap::SetNamedItem(const XNode& node) { return XNode(operations->SetNamedItem(this, node.Get())); }
XNode CNamedNodeMap::RemoveNamedItem(StringView name) { return XNode(operations->RemoveNamedItem(this, name)); }
XNode CNamedNodeMap::Item(int32_t index) const { return XNode(operations->Item(this, index)); }

} // namespace Dom
