#pragma once
// Delivers one document to the tree builder as parser events. Callers set
// the URI and the receivers, then call Parse once.
#include "core/Interface.h"
#include "core/String.h"
#include "xml/parser/Sxp.h"

namespace Xslt {

class CXsltImplementation;

class CInputHandler : public Core::CInterface {
public:
  virtual Core::String GetUri() = 0;
  // Each keeps a use of the new receiver and releases the old.
  virtual void SetDocumentHandler(Sxp::IDocumentHandler* handler) = 0;
  virtual void SetDtdHandler(Sxp::IDtdHandler* handler) = 0;
  // Delivers the whole document; fails by exception.
  virtual void Parse() = 0;
};

// Parses the document at a URI with the implementation's XML parser. A
// document that is not well formed, or that uses an undeclared namespace
// prefix, fails with XsltPrivate::CXmlParseException, which names the line
// and the URI; a document that cannot be read fails as the parser reports
// it. What was built of the tree so far is the caller's to discard.
class CBasicInputHandler : public CInputHandler {
public:
  explicit CBasicInputHandler(CXsltImplementation* implementation);
  ~CBasicInputHandler() override;

  // An absolute URI.
  void SetUri(Core::StringView uri) { m_uri = uri; }

  Core::String GetUri() override { return m_uri; }
  void SetDocumentHandler(Sxp::IDocumentHandler* handler) override { m_documentHandler = handler; }
  void SetDtdHandler(Sxp::IDtdHandler* handler) override { m_dtdHandler = handler; }
  void Parse() override;

private:
  Core::XInterface<CXsltImplementation> m_implementation;
  Core::String m_uri;
  Core::XInterface<Sxp::IDocumentHandler> m_documentHandler;
  Core::XInterface<Sxp::IDtdHandler> m_dtdHandler;
};

} // namespace Xslt
