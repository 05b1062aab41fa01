#pragma once
// The read-only document tree in the shape of the XPath 1.0 data model.
//
// A node is a plain record whose first field points to its kind record (node
// type, document number, owner document, operation table). Records live in
// big blocks of their document's store and are never freed one by one; only
// document and fragment nodes are counted, so a handle to any other node does
// not keep its document alive.
//
// Reading code holds nodes through Dom::XNode and calls the wrappers of
// CNode (GetParentNode, GetLocalName, GetStringValue...). Hot loops may use
// the raw accessors below them (Parent, FirstChild, LocalNameView...), which
// neither count nor allocate and answer exactly what the wrappers answer.
//
// Document order: CompareDocumentOrder / GetOrderKey. Every node has its own
// position; a namespace node sits after its element and before that
// element's attributes. GetNodeIndex of a namespace node is only its ordinal
// in its scope, so never order or identify nodes by the node index alone.
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "core/String.h"
#include "xml/tree/DomException.h"

namespace Dom {

// Node types: the numbers of DOM Level 1, plus 13 for the XPath namespace node.
constexpr int32_t ELEMENT_NODE = 1;
constexpr int32_t ATTRIBUTE_NODE = 2;
constexpr int32_t TEXT_NODE = 3;
constexpr int32_t CDATA_SECTION_NODE = 4;
constexpr int32_t ENTITY_REFERENCE_NODE = 5;
constexpr int32_t ENTITY_NODE = 6;
constexpr int32_t PROCESSING_INSTRUCTION_NODE = 7;
constexpr int32_t COMMENT_NODE = 8;
constexpr int32_t DOCUMENT_NODE = 9;
constexpr int32_t DOCUMENT_TYPE_NODE = 10;
constexpr int32_t DOCUMENT_FRAGMENT_NODE = 11;
constexpr int32_t NOTATION_NODE = 12;
constexpr int32_t NAMESPACE_NODE = 13;

struct CNode;
struct CNodeOperations;
struct CDocumentNode;
struct CAttributeNode;
struct CName;
class CNamespaceScope;
struct CDocumentStore;
class CNamedNodeMap;
class XNode;
class XNamedNodeMap;

// Where a node stands for location records: {document number, node index}.
struct CNodeIdentity {
  uint32_t documentNumber;
  uint32_t nodeIndex;
};

struct CNodeKind {
  uint8_t counted;
  int32_t nodeType;
  uint32_t documentNumber;
  CDocumentNode* ownerDocument;
  const CNodeOperations* operations;
};

// The common head of every node record.
struct CNode {
  const CNodeKind* kind;

  int32_t GetNodeType() const { return kind->nodeType; }
  uint32_t GetDocumentNumber() const { return kind->documentNumber; }
  const CNodeOperations& GetOperations() const { return *kind->operations; }
  template <class Ops>
  const Ops& GetOperationsAs() const {
    return static_cast<const Ops&>(*kind->operations);
  }
  XNode GetOwnerDocument() const;

  // Wrappers of the operation table; node results are counted handles.
  Core::String GetNodeName() const;
  Core::String GetNodeValue() const;
  XNode GetParentNode() const;
  XNode GetFirstChild() const;
  XNode GetLastChild() const;
  XNode GetPreviousSibling() const;
  XNode GetNextSibling() const;
  XNamedNodeMap GetAttributes() const;
  XNamedNodeMap GetNamespaces() const;
  XNode AppendChild(const XNode& child);
  Core::String GetNamespaceURI() const;
  Core::String GetLocalName() const;
  int32_t GetNodeIndex() const;
  Core::String GetStringValue() const;
  // Document operations (the node must be a document).
  XNode GetDocumentElement() const;
  XNode CreateElement(Core::StringView qualifiedName);
  XNode CreateTextNode(Core::StringView data);
  XNode CreateComment(Core::StringView data);
  XNode CreateProcessingInstruction(Core::StringView target, Core::StringView data);
  XNode CreateAttribute(Core::StringView qualifiedName);

  // Raw accessors: no counting, no allocation. Views stay valid while the
  // document lives.
  CNode* Parent() const;
  CNode* FirstChild() const;
  CNode* LastChild() const;
  CNode* PreviousSibling() const;
  CNode* NextSibling() const;
  // Attributes of an element in start-tag order (0 for other nodes).
  int32_t AttributeCount() const;
  CAttributeNode* AttributeAt(int32_t i) const;
  // The in-scope namespace nodes of an element (null for other nodes).
  const CNamespaceScope* NamespaceScope() const;
  // The shared name record of an element or attribute, else null.
  const CName* Name() const;
  Core::StringView NodeNameView() const;
  Core::StringView LocalNameView() const;
  Core::StringView NamespaceUriView() const;
  // The stored text of an attribute, text, comment, processing instruction
  // or namespace node (as GetNodeValue); empty for the others.
  Core::StringView ValueView() const;
  // Appends the string value without building intermediate strings.
  void AppendStringValue(Core::String& out) const;

  // Document order inside one document: distinct for distinct nodes.
  uint64_t GetOrderKey() const;
  CNodeIdentity GetIdentity() const;
};

// -1, 0 or 1: document number first, then the position inside the document.
int CompareDocumentOrder(const CNode* a, const CNode* b);

// Node records. Plain data: trivially copyable, nothing owned. Text fields
// point to NUL-terminated UTF-16 in the document's text blocks.

struct CCountedNode : CNode {
  int32_t useCount;
};

struct CDocumentNode : CCountedNode {
  uint32_t documentNumber;
  int32_t nodeIndex;  // always 0
  CNode* firstChild;
  CNode* lastChild;
  CDocumentStore* store;
};

struct CDocumentFragmentNode : CCountedNode {
  int32_t nodeIndex;
  CNode* firstChild;
  CNode* lastChild;
};

// Element, text, comment and processing instruction keep their links at the
// same offsets, so the navigation switches fold into one load.
struct CElementNode : CNode {
  int32_t nodeIndex;
  int32_t attributeCount;
  CNode* parent;
  CNode* previousSibling;
  CNode* nextSibling;
  CNode* firstChild;
  CNode* lastChild;
  const CName* name;
  CNamespaceScope* scope;
  // The element's CAttributeNode records follow directly in the same block.
  CAttributeNode* Attributes() const;
};

struct CAttributeNode : CNode {
  int32_t nodeIndex;
  int32_t valueLength;
  CElementNode* ownerElement;
  const CName* name;
  const char16_t* value;
};

struct CCharacterDataNode : CNode {
  int32_t nodeIndex;
  int32_t length;
  CNode* parent;
  CNode* previousSibling;
  CNode* nextSibling;
  const char16_t* data;
};
struct CTextNode : CCharacterDataNode {};
struct CCommentNode : CCharacterDataNode {};

struct CProcessingInstructionNode : CNode {
  int32_t nodeIndex;
  int32_t dataLength;
  CNode* parent;
  CNode* previousSibling;
  CNode* nextSibling;
  const char16_t* target;
  const char16_t* data;
  int32_t targetLength;
};

// An entry of a namespace scope. Its ordinal is 0 while the bucket is unused.
struct CNamespaceNode : CNode {
  int32_t ordinal;
  uint32_t position;  // 1-based place in its scope's list, fixed once the scope is complete
  CNode* parent;
  const char16_t* prefix;
  const char16_t* namespaceUri;
  uint32_t prefixLength;
  uint32_t uriLength;
  uint32_t hash;
};

inline CAttributeNode* CElementNode::Attributes() const {
  return reinterpret_cast<CAttributeNode*>(const_cast<CElementNode*>(this) + 1);
}

// Operation tables, one constant table per node kind. Slot behaviour per kind
// is fixed; mutations throw CDomException 7, unsupported operations 9.
struct CNodeOperations {
  uint8_t counted;
  void (*Free)(CNode*);
  Core::String (*GetNodeName)(const CNode*);
  Core::String (*GetNodeValue)(const CNode*);
  void (*SetNodeValue)(CNode*, Core::StringView);
  CNode* (*GetParentNode)(const CNode*);
  void (*GetChildNodes)(const CNode*);
  CNode* (*GetFirstChild)(const CNode*);
  CNode* (*GetLastChild)(const CNode*);
  CNode* (*GetPreviousSibling)(const CNode*);
  CNode* (*GetNextSibling)(const CNode*);
  CNamedNodeMap* (*GetAttributes)(const CNode*);  // a new map with no use yet, or null
  CNamedNodeMap* (*GetNamespaces)(const CNode*);
  CNode* (*InsertBefore)(CNode*, CNode* newChild, CNode* refChild);
  CNode* (*ReplaceChild)(CNode*, CNode* newChild, CNode* oldChild);
  CNode* (*RemoveChild)(CNode*, CNode* oldChild);
  CNode* (*AppendChild)(CNode*, CNode* newChild);
  bool (*HasChildNodes)(const CNode*);
  CNode* (*CloneNode)(const CNode*, bool deep);
  Core::String (*GetNamespaceURI)(const CNode*);
  Core::String (*GetLocalName)(const CNode*);
  int32_t (*GetNodeIndex)(const CNode*);
  Core::String (*GetStringValue)(const CNode*);
};

struct CDocumentOperationsTable : CNodeOperations {
  void (*GetDoctype)(const CNode*);
  void (*GetImplementation)(const CNode*);
  CNode* (*GetDocumentElement)(const CNode*);
  CNode* (*CreateElement)(CNode*, Core::StringView qualifiedName);
  CNode* (*CreateDocumentFragment)(CNode*);
  CNode* (*CreateTextNode)(CNode*, Core::StringView data);
  CNode* (*CreateComment)(CNode*, Core::StringView data);
  CNode* (*CreateCDATASection)(CNode*, Core::StringView data);
  CNode* (*CreateProcessingInstruction)(CNode*, Core::StringView target, Core::StringView data);
  CNode* (*CreateAttribute)(CNode*, Core::StringView qualifiedName);
  CNode* (*CreateEntityReference)(CNode*, Core::StringView name);
  void (*GetElementsByTagName)(const CNode*, Core::StringView name);
  void (*Reserved)(const CNode*);
};

struct CElementOperationsTable : CNodeOperations {
  Core::String (*GetTagName)(const CNode*);
  Core::String (*GetAttribute)(const CNode*, Core::StringView qualifiedName);
  void (*SetAttribute)(CNode*, Core::StringView qualifiedName, Core::StringView value);
  void (*RemoveAttribute)(CNode*, Core::StringView qualifiedName);
  CNode* (*GetAttributeNode)(const CNode*, Core::StringView qualifiedName);
  CNode* (*SetAttributeNode)(CNode*, CNode* attribute);
  CNode* (*RemoveAttributeNode)(CNode*, CNode* attribute);
  void (*GetElementsByTagName)(const CNode*, Core::StringView name);
  Core::String (*GetNamespace)(const CNode*, Core::StringView prefix);
  void (*SetNamespace)(CNode*, Core::StringView prefix, Core::StringView namespaceUri);
  void (*RemoveNamespace)(CNode*, Core::StringView prefix);
  CNode* (*GetNamespaceNode)(const CNode*, Core::StringView prefix);
  CNode* (*SetNamespaceNode)(CNode*, CNode* namespaceNode);
  CNode* (*RemoveNamespaceNode)(CNode*, CNode* namespaceNode);
};

struct CAttributeOperationsTable : CNodeOperations {
  Core::String (*GetName)(const CNode*);
  bool (*GetSpecified)(const CNode*);
  Core::String (*GetValue)(const CNode*);
  void (*SetValue)(CNode*, Core::StringView);
};

struct CCharacterDataOperationsTable : CNodeOperations {
  Core::String (*GetData)(const CNode*);
  void (*SetData)(CNode*, Core::StringView);
  int32_t (*GetLength)(const CNode*);
  Core::String (*SubstringData)(const CNode*, int32_t offset, int32_t count);
  void (*AppendData)(CNode*, Core::StringView);
  void (*InsertData)(CNode*, int32_t offset, Core::StringView);
  void (*DeleteData)(CNode*, int32_t offset, int32_t count);
  void (*ReplaceData)(CNode*, int32_t offset, int32_t count, Core::StringView);
};

struct CTextOperationsTable : CCharacterDataOperationsTable {
  CNode* (*SplitText)(CNode*, int32_t offset);
};

struct CProcessingInstructionOperationsTable : CNodeOperations {
  Core::String (*GetTarget)(const CNode*);
  Core::String (*GetData)(const CNode*);
  void (*SetData)(CNode*, Core::StringView);
};

struct CNamespaceOperationsTable : CNodeOperations {
  Core::String (*GetName)(const CNode*);
  Core::String (*GetValue)(const CNode*);
  void (*SetValue)(CNode*, Core::StringView);
};

extern const CDocumentOperationsTable DocumentOperations;
extern const CNodeOperations DocumentFragmentOperations;
extern const CElementOperationsTable ElementOperations;
extern const CAttributeOperationsTable AttributeOperations;
extern const CTextOperationsTable TextOperations;
extern const CCharacterDataOperationsTable CommentOperations;
extern const CProcessingInstructionOperationsTable ProcessingInstructionOperations;
extern const CNamespaceOperationsTable NamespaceOperations;

// Counted handle of a node: counts only documents and fragments.
class XNode {
public:
  XNode() noexcept = default;
  XNode(std::nullptr_t) noexcept {}
  XNode(CNode* node) noexcept : m_node(node) { AddRefNode(node); }
  XNode(const XNode& other) noexcept : m_node(other.m_node) { AddRefNode(m_node); }
  XNode(XNode&& other) noexcept : m_node(std::exchange(other.m_node, nullptr)) {}
  ~XNode() { ReleaseNode(m_node); }

  // The new node gains its use before the old one loses its own. Inlined
  // always: iterators make one assignment per node they pass.
  XNode& operator=(const XNode& other) { return *this = other.m_node; }
  [[gnu::always_inline]] XNode& operator=(CNode* node) {
    AddRefNode(node);
    CNode* old = m_node;
    m_node = node;
    ReleaseNode(old);
    return *this;
  }
  XNode& operator=(XNode&& other) noexcept {
    if (this != &other) {
      CNode* old = m_node;
      m_node = std::exchange(other.m_node, nullptr);
      ReleaseNode(old);
    }
    return *this;
  }
  XNode& operator=(std::nullptr_t) { return *this = static_cast<CNode*>(nullptr); }

  CNode* Get() const { return m_node; }
  CNode* operator->() const { return m_node; }
  CNode& operator*() const { return *m_node; }
  explicit operator bool() const { return m_node != nullptr; }
  bool operator==(const XNode& other) const { return m_node == other.m_node; }
  bool operator==(const CNode* node) const { return m_node == node; }
  void AddRef() { AddRefNode(m_node); }

  static void AddRefNode(CNode* node) {
    if (node && node->kind->counted) ++static_cast<CCountedNode*>(node)->useCount;
  }
  static void ReleaseNode(CNode* node) {
    if (node && node->kind->counted && --static_cast<CCountedNode*>(node)->useCount == 0)
      node->kind->operations->Free(node);
  }

private:
  CNode* m_node = nullptr;
};

struct CNamedNodeMapOperations {
  uint8_t counted;
  void (*Free)(CNamedNodeMap*);
  int32_t (*GetLength)(const CNamedNodeMap*);
  CNode* (*GetNamedItem)(const CNamedNodeMap*, Core::StringView name);
  CNode* (*SetNamedItem)(CNamedNodeMap*, CNode* node);
  CNode* (*RemoveNamedItem)(CNamedNodeMap*, Core::StringView name);
  CNode* (*Item)(const CNamedNodeMap*, int32_t index);
};

extern const CNamedNodeMapOperations AttributeMapOperations;
extern const CNamedNodeMapOperations NamespaceMapOperations;

// The attributes or the in-scope namespace nodes of one element, made on
// request. It reads the element's records directly, so it must not outlive
// the document.
class CNamedNodeMap {
public:
  static CNamedNodeMap* CreateAttributeMap(const CElementNode* element);
  static CNamedNodeMap* CreateNamespaceMap(const CElementNode* element);

  int32_t GetLength() const { return operations->GetLength(this); }
  XNode GetNamedItem(Core::StringView name) const;
  XNode SetNamedItem(const XNode& node);
  XNode RemoveNamedItem(Core::StringView name);
  XNode Item(int32_t index) const;

  const CNamedNodeMapOperations* operations = nullptr;
  int32_t useCount = 0;
  int32_t attributeCount = 0;
  CAttributeNode* firstAttribute = nullptr;
  const CNamespaceScope* scope = nullptr;
};

class XNamedNodeMap {
public:
  XNamedNodeMap() noexcept = default;
  XNamedNodeMap(std::nullptr_t) noexcept {}
  XNamedNodeMap(CNamedNodeMap* map) noexcept : m_map(map) { AddRefMap(map); }
  XNamedNodeMap(const XNamedNodeMap& other) noexcept : m_map(other.m_map) { AddRefMap(m_map); }
  XNamedNodeMap(XNamedNodeMap&& other) noexcept : m_map(std::exchange(other.m_map, nullptr)) {}
  ~XNamedNodeMap() { Release(); }

  XNamedNodeMap& operator=(const XNamedNodeMap& other) {
    AddRefMap(other.m_map);
    CNamedNodeMap* old = m_map;
    m_map = other.m_map;
    ReleaseMap(old);
    return *this;
  }
  XNamedNodeMap& operator=(XNamedNodeMap&& other) noexcept {
    if (this != &other) {
      CNamedNodeMap* old = m_map;
      m_map = std::exchange(other.m_map, nullptr);
      ReleaseMap(old);
    }
    return *this;
  }

  CNamedNodeMap* Get() const { return m_map; }
  CNamedNodeMap* operator->() const { return m_map; }
  explicit operator bool() const { return m_map != nullptr; }
  void Release() { ReleaseMap(std::exchange(m_map, nullptr)); }

private:
  static void AddRefMap(CNamedNodeMap* map) {
    if (map) ++map->useCount;
  }
  static void ReleaseMap(CNamedNodeMap* map) {
    if (map && --map->useCount == 0) map->operations->Free(map);
  }
  CNamedNodeMap* m_map = nullptr;
};

// ---- inline definitions -------------------------------------------------

inline XNode CNode::GetOwnerDocument() const {
  return XNode(reinterpret_cast<CNode*>(kind->ownerDocument));
}

inline CNode* CNode::Parent() const {
  switch (kind->nodeType) {
    case ELEMENT_NODE:
      return static_cast<const CElementNode*>(this)->parent;
    case TEXT_NODE:
    case COMMENT_NODE:
      return static_cast<const CCharacterDataNode*>(this)->parent;
    case PROCESSING_INSTRUCTION_NODE:
      return static_cast<const CProcessingInstructionNode*>(this)->parent;
    case ATTRIBUTE_NODE:
      return static_cast<const CAttributeNode*>(this)->ownerElement;
    case NAMESPACE_NODE:
      return static_cast<const CNamespaceNode*>(this)->parent;
    default:
      return nullptr;
  }
}

inline CNode* CNode::PreviousSibling() const {
  switch (kind->nodeType) {
    case ELEMENT_NODE:
      return static_cast<const CElementNode*>(this)->previousSibling;
    case TEXT_NODE:
    case COMMENT_NODE:
      return static_cast<const CCharacterDataNode*>(this)->previousSibling;
    case PROCESSING_INSTRUCTION_NODE:
      return static_cast<const CProcessingInstructionNode*>(this)->previousSibling;
    default:
      return nullptr;
  }
}

inline CNode* CNode::NextSibling() const {
  switch (kind->nodeType) {
    case ELEMENT_NODE:
      return static_cast<const CElementNode*>(this)->nextSibling;
    case TEXT_NODE:
    case COMMENT_NODE:
      return static_cast<const CCharacterDataNode*>(this)->nextSibling;
    case PROCESSING_INSTRUCTION_NODE:
      return static_cast<const CProcessingInstructionNode*>(this)->nextSibling;
    default:
      return nullptr;
  }
}

inline CNode* CNode::FirstChild() const {
  switch (kind->nodeType) {
    case ELEMENT_NODE:
      return static_cast<const CElementNode*>(this)->firstChild;
    case DOCUMENT_NODE:
      return static_cast<const CDocumentNode*>(this)->firstChild;
    case DOCUMENT_FRAGMENT_NODE:
      return static_cast<const CDocumentFragmentNode*>(this)->firstChild;
    default:
      return nullptr;
  }
}

inline CNode* CNode::LastChild() const {
  switch (kind->nodeType) {
    case ELEMENT_NODE:
      return static_cast<const CElementNode*>(this)->lastChild;
    case DOCUMENT_NODE:
      return static_cast<const CDocumentNode*>(this)->lastChild;
    case DOCUMENT_FRAGMENT_NODE:
      return static_cast<const CDocumentFragmentNode*>(this)->lastChild;
    default:
      return nullptr;
  }
}

inline int32_t CNode::AttributeCount() const {
  return kind->nodeType == ELEMENT_NODE ? static_cast<const CElementNode*>(this)->attributeCount : 0;
}

inline CAttributeNode* CNode::AttributeAt(int32_t i) const {
  if (kind->nodeType != ELEMENT_NODE) return nullptr;
  auto* element = static_cast<const CElementNode*>(this);
  return i >= 0 && i < element->attributeCount ? element->Attributes() + i : nullptr;
}

inline const CNamespaceScope* CNode::NamespaceScope() const {
  return kind->nodeType == ELEMENT_NODE ? static_cast<const CElementNode*>(this)->scope : nullptr;
}

inline const CName* CNode::Name() const {
  switch (kind->nodeType) {
    case ELEMENT_NODE:
      return static_cast<const CElementNode*>(this)->name;
    case ATTRIBUTE_NODE:
      return static_cast<const CAttributeNode*>(this)->name;
    default:
      return nullptr;
  }
}

inline int32_t NodeIndexOf(const CNode* node) {
  switch (node->kind->nodeType) {
    case DOCUMENT_NODE:
      return 0;
    case DOCUMENT_FRAGMENT_NODE:
      return static_cast<const CDocumentFragmentNode*>(node)->nodeIndex;
    case NAMESPACE_NODE:
      return static_cast<const CNamespaceNode*>(node)->ordinal;
    case ELEMENT_NODE:
      return static_cast<const CElementNode*>(node)->nodeIndex;
    case ATTRIBUTE_NODE:
      return static_cast<const CAttributeNode*>(node)->nodeIndex;
    case PROCESSING_INSTRUCTION_NODE:
      return static_cast<const CProcessingInstructionNode*>(node)->nodeIndex;
    default:
      return static_cast<const CCharacterDataNode*>(node)->nodeIndex;
  }
}

inline uint64_t CNode::GetOrderKey() const {
  if (kind->nodeType == NAMESPACE_NODE) {
    auto* ns = static_cast<const CNamespaceNode*>(this);
    return (uint64_t(uint32_t(NodeIndexOf(ns->parent))) << 32) | ns->position;
  }
  return uint64_t(uint32_t(NodeIndexOf(this))) << 32;
}

inline int CompareDocumentOrder(const CNode* a, const CNode* b) {
  int32_t d = int32_t(a->kind->documentNumber - b->kind->documentNumber);
  if (d != 0) return d < 0 ? -1 : 1;
  uint64_t ka = a->GetOrderKey(), kb = b->GetOrderKey();
  return ka < kb ? -1 : (ka > kb ? 1 : 0);
}

static_assert(std::is_trivially_copyable_v<CElementNode> && std::is_trivially_copyable_v<CAttributeNode> &&
              std::is_trivially_copyable_v<CTextNode> && std::is_trivially_copyable_v<CCommentNode> &&
              std::is_trivially_copyable_v<CProcessingInstructionNode> &&
              std::is_trivially_copyable_v<CNamespaceNode> && std::is_trivially_copyable_v<CDocumentNode>);
static_assert(sizeof(CElementNode) % alignof(CAttributeNode) == 0);

} // namespace Dom
