#include "xslt/processor/services/BasicXsltImplementation.h"

#include "core/EncodingMap.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xpath/NodeArray.h"
#include "xslt/processor/data/DocumentFactory.h"
#include "xslt/processor/extensions/PrivateExtensionHandler.h"
#include "xslt/processor/services/ErrorHandler.h"
#include "xslt/processor/services/LocationHandlerFactory.h"
#include "xslt/processor/services/MessageHandler.h"

namespace Xslt {

namespace {

// The id of the document factory of every implementation: it fills the top
// eight bits of the document numbers.
constexpr uint32_t kDocumentFactoryId = 1;

} // namespace

CBasicXsltImplementation::CBasicXsltImplementation()
    : m_extensionHandler(new XsltPrivate::CPrivateExtensionHandler()) {}

CBasicXsltImplementation::~CBasicXsltImplementation() = default;

Xpath::CXpathImplementation* CBasicXsltImplementation::GetXpathImplementation() {
  if (!m_xpathImplementation.service) XsltPrivate::MakeXpathImplementation(m_xpathImplementation, *this);
  return m_xpathImplementation.service;
}

Xpath::CNodeArrayFactory* CBasicXsltImplementation::GetNodeArrayFactory() {
  if (!m_nodeArrayFactory) m_nodeArrayFactory = new Xpath::CBasicNodeArrayFactory();
  return m_nodeArrayFactory.Get();
}

CSortedArrayFactory* CBasicXsltImplementation::GetSortedArrayFactory() {
  if (!m_sortedArrayFactory.service) XsltPrivate::MakeSortedArrayFactory(m_sortedArrayFactory);
  return m_sortedArrayFactory.service;
}

CDataSetFactory* CBasicXsltImplementation::GetDataSetFactory() {
  if (!m_dataSetFactory.service) XsltPrivate::MakeDataSetFactory(m_dataSetFactory);
  return m_dataSetFactory.service;
}

CExtensionHandler* CBasicXsltImplementation::GetExtensionHandler() { return m_extensionHandler.Get(); }

XmlParserPrivate::CParserFactory* CBasicXsltImplementation::GetParserFactory() {
  if (!m_parserFactory) m_parserFactory = new XmlParserPrivate::CParserFactory();
  return m_parserFactory.Get();
}

// The tree-builder factory holds the document factory, so both are made together.
void CBasicXsltImplementation::MakeDocumentFactories() {
  if (m_documentFactory) return;
  m_documentFactory = new BasicXdm::CDocumentFactory(kDocumentFactoryId);
  m_documentHandlerFactory = new XsltPrivate::CPrivateDocumentFactory(m_documentFactory.Get());
}

BasicXdm::CDocumentFactory* CBasicXsltImplementation::GetDocumentFactory() {
  MakeDocumentFactories();
  return m_documentFactory.Get();
}

CDocumentFactory* CBasicXsltImplementation::GetDocumentHandlerFactory() {
  MakeDocumentFactories();
  return m_documentHandlerFactory.Get();
}

COutputHandler* CBasicXsltImplementation::GetMessageHandler() {
  if (!m_messageHandler) m_messageHandler = new CBasicMessageHandler(m_messageStream.Get());
  return m_messageHandler.Get();
}

CErrorHandler* CBasicXsltImplementation::GetErrorHandler() {
  if (!m_errorHandler) m_errorHandler = new CBasicErrorHandler(m_errorStream.Get());
  return m_errorHandler.Get();
}

Unicode::CEncodingMap* CBasicXsltImplementation::GetEncodingHandler() {
  if (!m_encodingHandler) m_encodingHandler = new Unicode::CEncodingMap();
  return m_encodingHandler.Get();
}

CLocationHandlerFactory* CBasicXsltImplementation::GetLocationHandlerFactory() {
  if (!m_locationHandlerFactory) m_locationHandlerFactory = new CBasicLocationHandlerFactory();
  return m_locationHandlerFactory.Get();
}

CBasicOutputHandlerFactory* CBasicXsltImplementation::GetOutputHandlerFactory() {
  if (!m_outputHandlerFactory.service) XsltPrivate::MakeOutputHandlerFactory(m_outputHandlerFactory);
  return m_outputHandlerFactory.service;
}

void CBasicXsltImplementation::SetMessageStream(Core::IUnicodeStream* stream) { m_messageStream = stream; }

void CBasicXsltImplementation::SetErrorStream(Core::IUnicodeStream* stream) { m_errorStream = stream; }

} // namespace Xslt
