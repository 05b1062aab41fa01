#include "xslt/processor/data/DomInputHandler.h"

#include "core/StringHelpers.h"
#include "xml/tree/Names.h"

namespace XsltPrivate {

namespace {

void SendText(Sxp::IDocumentHandler& handler, Core::StringView text) {
  Core::ForEachPiece(text, [&](const char16_t* units, int32_t count) { handler.Characters(units, count); });
}

// The declarations that make the element's namespaces what they are: those
// the enclosing element (none for the first element replayed) does not
// already have.
void SendNamespaceDeclarations(Sxp::IDocumentHandler& handler, const Dom::CNode* element,
                               const Dom::CNode* enclosing) {
  const Dom::CNamespaceScope* scope = element->NamespaceScope();
  const Dom::CNamespaceScope* outer = enclosing ? enclosing->NamespaceScope() : nullptr;
  if (!scope || scope == outer) return;
  for (int32_t i = 0; i < scope->GetCount(); ++i) {
    const Dom::CNamespaceNode* ns = scope->GetItem(i);
    Core::StringView prefix(ns->prefix, ns->prefixLength);
    Core::StringView uri(ns->namespaceUri, ns->uriLength);
    if (prefix == u"xml") continue;
    if (outer) {
      const Dom::CNamespaceNode* same = outer->Find(prefix);
      if (same && Core::StringView(same->namespaceUri, same->uriLength) == uri) continue;
      if (!same && prefix.empty() && uri.empty()) continue;
    } else if (prefix.empty() && uri.empty()) {
      continue;
    }
    Core::String name = prefix.empty() ? Core::String(u"xmlns") : u"xmlns:" + Core::String(prefix);
    handler.StartAttribute(name);
    SendText(handler, uri);
    handler.EndAttribute();
  }
}

bool IsContainer(int32_t type) {
  return type == Dom::ELEMENT_NODE || type == Dom::DOCUMENT_NODE || type == Dom::DOCUMENT_FRAGMENT_NODE;
}

} // namespace

CDomInputHandler::CDomInputHandler() = default;

CDomInputHandler::~CDomInputHandler() = default;

// Walks the tree without recursion: documents may be nested deeper than the
// stack allows.
void CDomInputHandler::Parse() {
  if (!m_node || !m_documentHandler) return;
  Sxp::IDocumentHandler& handler = *m_documentHandler;
  const Dom::CNode* root = m_node.Get();

  auto open = [&](const Dom::CNode* node) {
    switch (node->GetNodeType()) {
      case Dom::ELEMENT_NODE: {
        handler.StartElement(node->NodeNameView());
        const Dom::CNode* parent = node == root ? nullptr : node->Parent();
        SendNamespaceDeclarations(handler, node,
                                  parent && parent->GetNodeType() == Dom::ELEMENT_NODE ? parent : nullptr);
        for (int32_t i = 0; i < node->AttributeCount(); ++i) {
          const Dom::CNode* attribute = node->AttributeAt(i);
          handler.StartAttribute(attribute->NodeNameView());
          SendText(handler, attribute->ValueView());
          handler.EndAttribute();
        }
        break;
      }
      case Dom::TEXT_NODE:
      case Dom::CDATA_SECTION_NODE:
        SendText(handler, node->ValueView());
        break;
      case Dom::ENTITY_REFERENCE_NODE:
        handler.SkippedEntity(node->GetNodeName());
        break;
      case Dom::PROCESSING_INSTRUCTION_NODE:
        handler.ProcessingInstruction(node->NodeNameView(), node->ValueView());
        break;
      case Dom::COMMENT_NODE:
        handler.StartComment();
        SendText(handler, node->ValueView());
        handler.EndComment();
        break;
      case Dom::DOCUMENT_FRAGMENT_NODE:
        break;
      default:
        handler.StartDocument();
        break;
    }
  };
  auto close = [&](const Dom::CNode* node) {
    switch (node->GetNodeType()) {
      case Dom::ELEMENT_NODE:
        handler.EndElement();
        break;
      case Dom::TEXT_NODE:
      case Dom::CDATA_SECTION_NODE:
      case Dom::ENTITY_REFERENCE_NODE:
      case Dom::PROCESSING_INSTRUCTION_NODE:
      case Dom::COMMENT_NODE:
      case Dom::DOCUMENT_FRAGMENT_NODE:
        break;
      default:
        handler.EndDocument();
        break;
    }
  };

  const Dom::CNode* node = root;
  open(node);
  while (true) {
    const Dom::CNode* child = IsContainer(node->GetNodeType()) ? node->FirstChild() : nullptr;
    if (child) {
      node = child;
      open(node);
      continue;
    }
    // Close the node, then every ancestor whose last child it was.
    while (true) {
      close(node);
      if (node == root) return;
      if (const Dom::CNode* next = node->NextSibling()) {
        node = next;
        open(node);
        break;
      }
      node = node->Parent();
    }
  }
}

} // namespace XsltPrivate
