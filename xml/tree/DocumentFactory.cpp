#include "xml/tree/DocumentFactory.h"

#include "xml/tree/DocumentStore.h"

namespace BasicXdm {

Dom::XNode CDocumentFactory::CreateDocument() {
  auto* document = new Dom::CDocumentNode{};
  document->documentNumber = m_nextDocumentNumber++;
  document->store = new Dom::CDocumentStore(document, document->documentNumber);
  document->kind = document->store->Kind(Dom::DOCUMENT_KIND);
  return Dom::XNode(document);
}

} // namespace BasicXdm
