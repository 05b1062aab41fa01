#include "xml/tree/DocumentFactory.h"

#include "xml/tree/DocumentHandler.h"
#include "xml/tree/DocumentStore.h"

namespace BasicXdm {

Dom::XNode CDocumentFactory::CreateDocument() {
  auto* document = new Dom::CDocumentNode{};
  document->documentNumber = m_nextDocumentNumber++;
  document->store = new Dom::CDocumentStore(document, document->documentNumber);
  document->kind = document->store->Kind(Dom::DOCUMENT_KIND);
  return Dom::XNode(document);
}

Core::XInterface<Sxp::IDocumentHandler> CDocumentFactory::CreateDocumentHandler(
    const Dom::XNode& document, Xslt::CSpaceHandler* spaceHandler, Xslt::CLocationHandler* locationHandler) {
  if (!document || document->GetNodeType() != Dom::DOCUMENT_NODE) throw Dom::CDomException(9);
  return Core::XInterface<Sxp::IDocumentHandler>(new SxpXdm::CXdmDocumentHandler(
      static_cast<Dom::CDocumentNode*>(document.Get()), spaceHandler, locationHandler));
}

} // namespace BasicXdm
