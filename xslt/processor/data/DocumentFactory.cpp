#include "xslt/processor/data/DocumentFactory.h"

#include "xml/tree/DocumentFactory.h"

namespace XsltPrivate {

CPrivateDocumentFactory::CPrivateDocumentFactory(BasicXdm::CDocumentFactory* documents) : m_documents(documents) {}

CPrivateDocumentFactory::~CPrivateDocumentFactory() = default;

Core::XInterface<Sxp::IDocumentHandler> CPrivateDocumentFactory::CreateDocumentHandler(
    const Dom::XNode& document, Xslt::CSpaceHandler* spaceRules, Xslt::CLocationHandler* locationHandler) {
  return m_documents->CreateDocumentHandler(document, spaceRules, locationHandler);
}

} // namespace XsltPrivate
