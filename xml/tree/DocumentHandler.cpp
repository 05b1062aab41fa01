#include "xml/tree/DocumentHandler.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <tuple>

#include "xml/parser/XmlException.h"

namespace SxpXdm {

using Core::StringView;
using namespace Dom;

namespace {

constexpr StringView kXmlNamespace = u"http://www.w3.org/XML/1998/namespace";

inline bool IsXmlSpace(char16_t c) { return c == 0x20 || c == 0x09 || c == 0x0D || c == 0x0A; }

} // namespace

CXdmDocumentHandler::CXdmDocumentHandler(CDocumentNode* document, Xslt::CSpaceHandler* spaceHandler,
                                         Xslt::CLocationHandler* locationHandler)
    : m_document(document), m_spaceHandler(spaceHandler), m_locationHandler(locationHandler) {}

CXdmDocumentHandler::~CXdmDocumentHandler() = default;

void CXdmDocumentHandler::Report(const CNode* node) {
  if (m_locationHandler) m_locationHandler->NodeCreated(node);
}

void CXdmDocumentHandler::SetDocumentLocator(Sxp::ILocator* locator) {
  m_locator = locator;
  if (m_locationHandler) m_locationHandler->SetDocumentLocator(locator);
}

// ---- records and links ---------------------------------------------------

template <class T>
T* CXdmDocumentHandler::AllocateRecord(EKindSlot kind) {
  if (size_t(m_nodeEnd - m_nodeFill) < sizeof(T)) {
    size_t size = m_store->nodeBlockSize;
    m_nodeFill = m_store->NewNodeBlock(size);
    m_nodeEnd = m_nodeFill + size;
  }
  T* record = new (m_nodeFill) T{};
  m_nodeFill += sizeof(T);
  m_nodeBytes += sizeof(T);
  record->kind = m_store->Kind(kind);
  record->nodeIndex = m_nextNodeIndex++;
  return record;
}

void CXdmDocumentHandler::SetNextSibling(CNode* node, CNode* next) {
  switch (node->GetNodeType()) {
    case ELEMENT_NODE:
      static_cast<CElementNode*>(node)->nextSibling = next;
      break;
    case PROCESSING_INSTRUCTION_NODE:
      static_cast<CProcessingInstructionNode*>(node)->nextSibling = next;
      break;
    default:
      static_cast<CCharacterDataNode*>(node)->nextSibling = next;
      break;
  }
}

template <class T>
void CXdmDocumentHandler::LinkChild(T* record) {
  record->parent = m_parent;
  if (!m_firstChild) m_firstChild = record;
  m_lastChild = record;
  record->previousSibling = m_previousSibling;
  if (m_previousSibling) SetNextSibling(m_previousSibling, record);
  record->nextSibling = nullptr;
}

// ---- text ------------------------------------------------------------------------

// Room for count more units and a NUL behind the open run; a run that does
// not fit moves whole into a new block. A block that held nothing but the
// run is given back, so that a huge text costs its size once, not the sum of
// every block it outgrew.
void CXdmDocumentHandler::ReserveText(size_t count) {
  size_t runLength = m_runStart ? size_t(m_textFill - m_runStart) : 0;
  // A node's text is counted in 31 bits.
  if (count > size_t(INT32_MAX) - runLength) throw CDomException(2);
  if (size_t(m_textEnd - m_textFill) >= count + 1) return;
  size_t need = runLength + count + 1;
  size_t size = need >= m_store->textBlockSize ? need + need / 8 : m_store->textBlockSize;
  char16_t* oldBlock = m_store->textBlocks.empty() ? nullptr : m_store->textBlocks.back();
  char16_t* block;
  if (m_runStart && m_runStart == oldBlock) {
    // The run is all the block holds: grown where it lies, not copied.
    block = m_store->GrowLastTextBlock(size);
  } else {
    block = m_store->NewTextBlock(size);
    if (runLength) std::memcpy(block, m_runStart, runLength * sizeof(char16_t));
  }
  if (m_runStart) m_runStart = block;
  m_textFill = block + runLength;
  m_textEnd = block + size;
}

void CXdmDocumentHandler::OpenRun() {
  if (m_runStart) return;
  ReserveText(0);
  m_runStart = m_textFill;
  m_runAllSpace = true;
}

const char16_t* CXdmDocumentHandler::CopyText(StringView text) {
  if (text.size() > size_t(INT32_MAX)) throw CDomException(2);
  if (size_t(m_textEnd - m_textFill) < text.size() + 1) {
    size_t size = std::max(m_store->textBlockSize, text.size() + 1);
    m_textFill = m_store->NewTextBlock(size);
    m_textEnd = m_textFill + size;
  }
  char16_t* copy = m_textFill;
  if (!text.empty()) std::memcpy(copy, text.data(), text.size() * sizeof(char16_t));
  copy[text.size()] = 0;
  m_textFill += text.size() + 1;
  m_textUnits += text.size() + 1;
  return copy;
}

void CXdmDocumentHandler::FlushText() {
  if (!m_textPending) return;
  m_textPending = false;
  if (!m_keepWhitespace && m_runAllSpace) {
    m_textFill = m_runStart;
    m_runStart = nullptr;
    return;
  }
  *m_textFill = 0;
  auto* text = AllocateRecord<CTextNode>(TEXT_KIND);
  text->data = m_runStart;
  text->length = int32_t(m_textFill - m_runStart);
  ++m_textFill;
  m_textUnits += size_t(text->length) + 1;
  m_runStart = nullptr;
  LinkChild(text);
  Report(text);
  m_previousSibling = text;
}

// ---- names -----------------------------------------------------------------------

const CName* CXdmDocumentHandler::ResolveName(StringView qualifiedName, bool element, bool forbidUndeclared) {
  StringView uri;
  StringView localName = qualifiedName;
  size_t colon = qualifiedName.find(u':');
  if (colon != StringView::npos) {
    localName = qualifiedName.substr(colon + 1);
    if (const CNamespaceNode* ns = m_scope->Find(qualifiedName.substr(0, colon))) {
      uri = StringView(ns->namespaceUri, ns->uriLength);
    } else if (forbidUndeclared) {
      throw CDomException(8);
    } else {
      m_unresolvedPrefix = true;
    }
  } else if (element) {
    if (const CNamespaceNode* ns = m_scope->Find(StringView()))
      uri = StringView(ns->namespaceUri, ns->uriLength);
  }
  CNameTable& table = element ? m_store->elementNames : m_store->attributeNames;
  return table.Lookup(qualifiedName, uri, localName);
}

// ---- start tags ------------------------------------------------------------------

void CXdmDocumentHandler::CloseStartTag() {
  if (!m_startTagOpen) return;
  CElementNode* element = m_openElement;
  CAttributeNode* attributes = element->Attributes();
  if (m_elementMoved) {
    for (int32_t i = 0; i < element->attributeCount; ++i) attributes[i].ownerElement = element;
  }
  if (m_ownScope) {
    // Prefixes declared anywhere in the tag count for every name in it.
    m_scope->Seal(element);
    element->name = ResolveName(element->name->qualifiedName, true, true);
    for (int32_t i = 0; i < element->attributeCount; ++i)
      attributes[i].name = ResolveName(attributes[i].name->qualifiedName, false, true);
  } else if (m_unresolvedPrefix) {
    throw CDomException(8);
  }
  if (m_spaceHandler) {
    m_keepWhitespace = m_preserveInEffect;
    if (!m_keepWhitespace)
      m_keepWhitespace = m_spaceHandler->IsSpacePreserved(element->name->namespaceUri, element->name->localName);
  }
  m_startTagOpen = false;
}

// An attribute must sit behind its element and the attributes before it:
// when the block is full, the element and its attributes so far move to a
// new block and everything that pointed to the old place follows. The new
// block has room for as many attributes again, so that a start tag with a
// huge number of attributes moves a logarithmic number of times; a block
// that held nothing but the element is given back.
void CXdmDocumentHandler::MoveOpenElement() {
  CElementNode* old = m_openElement;
  size_t used = sizeof(CElementNode) + size_t(old->attributeCount) * sizeof(CAttributeNode);
  size_t size = std::max(m_store->nodeBlockSize, 2 * used + sizeof(CAttributeNode));
  char* oldBlock = m_store->nodeBlocks.empty() ? nullptr : m_store->nodeBlocks.back();
  char* block = m_store->NewNodeBlock(size);
  std::memcpy(static_cast<void*>(block), static_cast<const void*>(old), used);
  if (reinterpret_cast<char*>(old) == oldBlock) m_store->DropNodeBlock(oldBlock);
  auto* element = reinterpret_cast<CElementNode*>(block);
  m_nodeFill = block + used;
  m_nodeEnd = block + size;
  if (m_parent == old) m_parent = element;
  if (element->firstChild == old) element->firstChild = element;
  element->lastChild = element;
  if (element->previousSibling) SetNextSibling(element->previousSibling, element);
  m_openElement = element;
  m_elementMoved = true;
}

// The entry of a prefix declared in the open start tag, in the element's own
// scope. A document whose scopes outgrow their allowance, which grows with
// the nodes built so far, is rejected as a parse error, at the declaration
// that would pass it.
CNamespaceNode* CXdmDocumentHandler::DeclarePrefix(StringView prefix) {
  try {
    m_scope->SetNodeCount(m_nextNodeIndex - 1);
    if (!m_ownScope) {
      m_scope = CNamespaceScope::CreateDerived(m_store->arena, *m_scope, m_store->scopes);
      m_ownScope = true;
    }
    return m_scope->Add(prefix);
  } catch (const CScopeLimitException&) {
    using XmlParserPrivate::CXmlException;
    if (!m_locator) throw CXmlException(XmlParserPrivate::ErrorTooManyNamespaces, {}, {}, 0, 0);
    throw CXmlException(XmlParserPrivate::ErrorTooManyNamespaces, Core::String(m_locator->GetPublicId()),
                        Core::String(m_locator->GetSystemId()), m_locator->GetLineNumber(),
                        m_locator->GetColumnNumber());
  }
}

// ---- events ----------------------------------------------------------------------

void CXdmDocumentHandler::StartDocument() {
  m_store = m_document->store;
  m_nextNodeIndex = m_store->nextNodeIndex;
  m_nodeFill = m_nodeEnd = nullptr;
  m_textFill = m_textEnd = nullptr;
  m_parent = m_document;
  m_firstChild = m_lastChild = m_previousSibling = nullptr;
  m_openElement = nullptr;
  m_attribute = nullptr;
  m_namespaceNode = nullptr;
  m_comment = nullptr;
  m_runStart = nullptr;
  m_textPending = false;

  m_scope = CNamespaceScope::CreateRoot(m_store->arena, m_store->Kind(NAMESPACE_KIND), m_store->scopes);
  CNamespaceNode* empty = m_scope->Add(StringView());
  StringView none = m_store->arena.Intern(StringView());
  empty->namespaceUri = none.data();
  empty->uriLength = 0;
  CNamespaceNode* xml = m_scope->Add(u"xml");
  StringView xmlUri = m_store->arena.Intern(kXmlNamespace);
  xml->namespaceUri = xmlUri.data();
  xml->uriLength = uint32_t(xmlUri.size());
  m_scope->Seal(m_document);

  m_ownScope = m_unresolvedPrefix = m_startTagOpen = m_elementMoved = false;
  m_stripEnabled = m_spaceHandler && m_spaceHandler->IsEnabled();
  m_preserveInEffect = m_keepWhitespace = !m_stripEnabled;
  m_whitespaceStack.clear();
  Report(m_document);
}

void CXdmDocumentHandler::EndDocument() {
  m_document->firstChild = m_firstChild;
  m_document->lastChild = m_lastChild;
  m_store->nextNodeIndex = m_nextNodeIndex;
  if (m_sizeNote) m_sizeNote->NoteBuiltSize(m_nodeBytes, m_textUnits);
}

void CXdmDocumentHandler::StartElement(StringView qualifiedName) {
  CloseStartTag();
  FlushText();
  auto* element = AllocateRecord<CElementNode>(ELEMENT_KIND);
  m_openElement = element;
  // Cleared before the element's own name is resolved, so that an undeclared
  // prefix of the element name is caught when the tag closes.
  m_ownScope = m_unresolvedPrefix = m_elementMoved = false;
  element->name = ResolveName(qualifiedName, true, false);
  LinkChild(element);
  // The parent level's state waits in the element until its end tag.
  element->firstChild = m_firstChild;
  element->lastChild = m_lastChild;
  element->scope = m_scope;
  element->attributeCount = 0;
  m_parent = element;
  m_firstChild = m_lastChild = m_previousSibling = nullptr;
  if (m_spaceHandler) m_whitespaceStack.emplace_back(m_preserveInEffect, m_keepWhitespace);
  m_startTagOpen = true;
  Report(element);
}

void CXdmDocumentHandler::StartAttribute(StringView qualifiedName) {
  if (!m_startTagOpen) return;  // attributes belong to a start tag
  if (qualifiedName.substr(0, 5) == u"xmlns" && (qualifiedName.size() == 5 || qualifiedName[5] == u':')) {
    StringView prefix = qualifiedName.size() == 5 ? StringView() : qualifiedName.substr(6);
    CNamespaceNode* ns = DeclarePrefix(prefix);
    ns->kind = m_store->Kind(NAMESPACE_KIND);
    ns->parent = m_openElement;
    m_namespaceNode = ns;
    return;
  }
  if (size_t(m_nodeEnd - m_nodeFill) < sizeof(CAttributeNode)) MoveOpenElement();
  auto* attribute = AllocateRecord<CAttributeNode>(ATTRIBUTE_KIND);
  attribute->name = ResolveName(qualifiedName, false, false);
  attribute->ownerElement = m_openElement;
  ++m_openElement->attributeCount;
  m_attribute = attribute;
  Report(attribute);
}

void CXdmDocumentHandler::EndAttribute() {
  if (!m_attribute && !m_namespaceNode) return;  // no attribute is open
  OpenRun();
  if (m_attribute) {
    CAttributeNode* attribute = m_attribute;
    *m_textFill = 0;
    attribute->value = m_runStart;
    attribute->valueLength = int32_t(m_textFill - m_runStart);
    ++m_textFill;
    m_textUnits += size_t(attribute->valueLength) + 1;
    m_runStart = nullptr;
    if (m_stripEnabled && attribute->name->namespaceUri == kXmlNamespace && attribute->name->localName == u"space")
      m_preserveInEffect = StringView(attribute->value, size_t(attribute->valueLength)) == u"preserve";
  } else {
    StringView uri = m_store->arena.Intern(StringView(m_runStart, size_t(m_textFill - m_runStart)));
    m_namespaceNode->namespaceUri = uri.data();
    m_namespaceNode->uriLength = uint32_t(uri.size());
    m_textFill = m_runStart;
    m_runStart = nullptr;
  }
  m_attribute = nullptr;
  m_namespaceNode = nullptr;
}

void CXdmDocumentHandler::Characters(const char16_t* units, int32_t count) {
  if (!m_attribute && !m_namespaceNode) {
    CloseStartTag();
    if (!m_comment) {
      if (count <= 0) return;
      m_textPending = true;
    }
  }
  if (count < 0) count = 0;
  ReserveText(size_t(count));
  if (!m_runStart) {
    m_runStart = m_textFill;
    m_runAllSpace = true;
  }
  if (count == 0) return;
  std::memcpy(m_textFill, units, size_t(count) * sizeof(char16_t));
  if (m_runAllSpace) {
    for (int32_t i = 0; i < count; ++i) {
      if (!IsXmlSpace(units[i])) {
        m_runAllSpace = false;
        break;
      }
    }
  }
  m_textFill += count;
}

void CXdmDocumentHandler::EndElement() {
  CloseStartTag();
  FlushText();
  if (m_parent->GetNodeType() != ELEMENT_NODE) return;  // no element is open
  auto* element = static_cast<CElementNode*>(m_parent);
  CNode* parentFirst = element->firstChild;
  CNode* parentLast = element->lastChild;
  element->firstChild = m_firstChild;
  element->lastChild = m_lastChild;
  m_firstChild = parentFirst;
  m_lastChild = parentLast;
  std::swap(element->scope, m_scope);
  m_parent = element->parent;
  m_previousSibling = element;
  m_openElement = nullptr;
  if (m_spaceHandler && !m_whitespaceStack.empty()) {
    std::tie(m_preserveInEffect, m_keepWhitespace) = m_whitespaceStack.back();
    m_whitespaceStack.pop_back();
  }
}

void CXdmDocumentHandler::StartComment() {
  CloseStartTag();
  FlushText();
  auto* comment = AllocateRecord<CCommentNode>(COMMENT_KIND);
  LinkChild(comment);
  Report(comment);
  m_comment = comment;
}

void CXdmDocumentHandler::EndComment() {
  if (!m_comment) return;
  OpenRun();
  *m_textFill = 0;
  m_comment->data = m_runStart;
  m_comment->length = int32_t(m_textFill - m_runStart);
  m_previousSibling = m_comment;
  ++m_textFill;
  m_textUnits += size_t(m_comment->length) + 1;
  m_runStart = nullptr;
  m_comment = nullptr;
}

void CXdmDocumentHandler::ProcessingInstruction(StringView target, StringView data) {
  CloseStartTag();
  FlushText();
  auto* pi = AllocateRecord<CProcessingInstructionNode>(PROCESSING_INSTRUCTION_KIND);
  LinkChild(pi);
  pi->target = CopyText(target);
  pi->targetLength = int32_t(target.size());
  pi->data = CopyText(data);
  pi->dataLength = int32_t(data.size());
  m_previousSibling = pi;
  Report(pi);
}

} // namespace SxpXdm
