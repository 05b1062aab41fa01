#pragma once
// The default implementation factory: makes each service on first request
// and keeps it for its own lifetime, so that all runs on one implementation
// share one XPath implementation, one parser factory, one document factory
// (document numbers never repeat while it lives) and so on. The extension
// handler exists from construction, so packages can be registered first.
#include "core/Interface.h"
#include "core/Stream.h"
#include "xslt/processor/services/PendingServices.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace Xslt {

class CBasicXsltImplementation : public CXsltImplementation {
public:
  CBasicXsltImplementation();
  ~CBasicXsltImplementation() override;

  Xpath::CXpathImplementation* GetXpathImplementation() override;
  Xpath::CNodeArrayFactory* GetNodeArrayFactory() override;
  CSortedArrayFactory* GetSortedArrayFactory() override;
  CDataSetFactory* GetDataSetFactory() override;
  CExtensionHandler* GetExtensionHandler() override;
  XmlParserPrivate::CParserFactory* GetParserFactory() override;
  BasicXdm::CDocumentFactory* GetDocumentFactory() override;
  CDocumentFactory* GetDocumentHandlerFactory() override;
  COutputHandler* GetMessageHandler() override;
  CErrorHandler* GetErrorHandler() override;
  Unicode::CEncodingMap* GetEncodingHandler() override;
  CLocationHandlerFactory* GetLocationHandlerFactory() override;
  CBasicOutputHandlerFactory* GetOutputHandlerFactory() override;

  // A message or error handler already made keeps the stream it was made
  // with; set both streams before anything is requested.
  void SetMessageStream(Core::IUnicodeStream* stream);
  void SetErrorStream(Core::IUnicodeStream* stream);

private:
  void MakeDocumentFactories();

  // Released last first.
  XsltPrivate::CServiceSlot<Xpath::CXpathImplementation> m_xpathImplementation;
  Core::XInterface<Xpath::CNodeArrayFactory> m_nodeArrayFactory;
  XsltPrivate::CServiceSlot<CSortedArrayFactory> m_sortedArrayFactory;
  XsltPrivate::CServiceSlot<CDataSetFactory> m_dataSetFactory;
  Core::XInterface<CExtensionHandler> m_extensionHandler;
  Core::XInterface<XmlParserPrivate::CParserFactory> m_parserFactory;
  Core::XInterface<BasicXdm::CDocumentFactory> m_documentFactory;
  Core::XInterface<CDocumentFactory> m_documentHandlerFactory;
  Core::XInterface<COutputHandler> m_messageHandler;
  Core::XInterface<CErrorHandler> m_errorHandler;
  Core::XInterface<Unicode::CEncodingMap> m_encodingHandler;
  Core::XInterface<CLocationHandlerFactory> m_locationHandlerFactory;
  XsltPrivate::CServiceSlot<CBasicOutputHandlerFactory> m_outputHandlerFactory;
  Core::XInterface<Core::IUnicodeStream> m_messageStream;
  Core::XInterface<Core::IUnicodeStream> m_errorStream;
};

} // namespace Xslt
