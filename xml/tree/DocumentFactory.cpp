#include "xml/tree/DocumentFactory.h"

#include "xml/tree/DocumentHandler.h"
#include "xml/tree/DocumentStore.h"

namespace BasicXdm {

Dom::XNode CDocumentFactory::CreateDocument() {
  auto* document = new Dom::CDocumentNode{};
  document->documentNumber = m_nextDocumentNumber++;
  document->store = new Dom::CDocumentStore(document, document->documentNumber);
  document->kind = document->store->Kind(Dom::DOCUMENT_KIND);
  if (m_lastNodeBytes) document->store->SizeFirstBlocks(m_lastNodeBytes, m_lastTextUnits);
  return Dom::XNode(document);
}

Core::XInterface<Sxp::IDocumentHandler> CDocumentFactory::CreateDocumentHandler(
    const Dom::XNode& document, Xslt::CSpaceHandler* spaceHandler, Xslt::CLocationHandler* locationHandler) {
  if (!document || document->GetNodeType() != Dom::DOCUMENT_NODE) throw Dom::CDomException(9);
  auto* handler = new SxpXdm::CXdmDocumentHandler(static_cast<Dom::CDocumentNode*>(document.Get()), spaceHandler,
                                                  locationHandler);
  handler->SetSizeNote(this);
  return Core::XInterface<Sxp::IDocumentHandler>(handler);
}

} // namespace BasicXdm
