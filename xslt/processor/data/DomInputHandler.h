#pragma once
// Replays an existing document tree as parser events, so that a caller can
// give the processor a tree instead of a file. Attribute values and comment
// text are sent as character data between their start and end events, and an
// element's namespace declarations as xmlns attributes, so that the tree
// builder rebuilds the same tree. No locator and no DTD declarations are sent.
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xslt/processor/data/InputHandler.h"

namespace XsltPrivate {

class CDomInputHandler : public Xslt::CInputHandler {
public:
  CDomInputHandler();
  ~CDomInputHandler() override;

  // The document's URI as the caller names it.
  void SetUri(Core::StringView uri) { m_uri = uri; }
  void SetNode(const Dom::XNode& node) { m_node = node; }

  Core::String GetUri() override { return m_uri; }
  void SetDocumentHandler(Sxp::IDocumentHandler* handler) override { m_documentHandler = handler; }
  // Kept, never called.
  void SetDtdHandler(Sxp::IDtdHandler* handler) override { m_dtdHandler = handler; }
  // A document (and any node that is neither an element, a character node,
  // a comment, a processing instruction nor a fragment) is wrapped in
  // StartDocument and EndDocument; a fragment sends only its children.
  void Parse() override;

private:
  Core::String m_uri;
  Dom::XNode m_node;
  Core::XInterface<Sxp::IDocumentHandler> m_documentHandler;
  Core::XInterface<Sxp::IDtdHandler> m_dtdHandler;
};

} // namespace XsltPrivate
