#pragma once
// The factory of tree builders: a builder fills a given document from parser
// events, drops whitespace-only text by the rules and tells the location
// handler where each node stands.
#include "core/Interface.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/Dom.h"
#include "xml/tree/DocumentFactory.h"

namespace Xslt {

class CSpaceHandler;
class CLocationHandler;

class CDocumentFactory : public Core::CInterface {
public:
  // The rules and the location handler may be null. DOM error 9 unless the
  // node is a document.
  virtual Core::XInterface<Sxp::IDocumentHandler> CreateDocumentHandler(const Dom::XNode& document,
                                                                        CSpaceHandler* spaceRules,
                                                                        CLocationHandler* locationHandler) = 0;
};

} // namespace Xslt

namespace XsltPrivate {

// The implementation's own: hands every request to the document factory that
// numbers the implementation's documents.
class CPrivateDocumentFactory : public Xslt::CDocumentFactory {
public:
  explicit CPrivateDocumentFactory(BasicXdm::CDocumentFactory* documents);
  ~CPrivateDocumentFactory() override;

  Core::XInterface<Sxp::IDocumentHandler> CreateDocumentHandler(const Dom::XNode& document,
                                                                Xslt::CSpaceHandler* spaceRules,
                                                                Xslt::CLocationHandler* locationHandler) override;

  BasicXdm::CDocumentFactory* GetDocumentFactory() const { return m_documents.Get(); }

private:
  Core::XInterface<BasicXdm::CDocumentFactory> m_documents;
};

} // namespace XsltPrivate
