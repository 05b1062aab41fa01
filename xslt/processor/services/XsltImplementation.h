#pragma once
// The single place from which the processor, the stylesheet loader, the
// compiler and the run-time context obtain every service of a transformation.
// Getters return the service without adding a use: the implementation keeps
// it, and a caller that keeps it adds its own.
#include "core/Interface.h"

namespace Unicode {
class CEncodingMap;
}
namespace Xpath {
class CXpathImplementation;
class CNodeArrayFactory;
} // namespace Xpath
namespace XmlParserPrivate {
class CParserFactory;
}
namespace BasicXdm {
class CDocumentFactory;
}

namespace Xslt {

class CSortedArrayFactory;
class CDataSetFactory;
class CExtensionHandler;
class CDocumentFactory;
class COutputHandler;
class CErrorHandler;
class CLocationHandlerFactory;
class CBasicOutputHandlerFactory;

class CXsltImplementation : public Core::CInterface {
public:
  virtual Xpath::CXpathImplementation* GetXpathImplementation() = 0;
  virtual Xpath::CNodeArrayFactory* GetNodeArrayFactory() = 0;
  virtual CSortedArrayFactory* GetSortedArrayFactory() = 0;
  virtual CDataSetFactory* GetDataSetFactory() = 0;
  // The registry of extension packages.
  virtual CExtensionHandler* GetExtensionHandler() = 0;
  virtual XmlParserPrivate::CParserFactory* GetParserFactory() = 0;
  // Makes empty document nodes; every document read through this
  // implementation takes its document number from it.
  virtual BasicXdm::CDocumentFactory* GetDocumentFactory() = 0;
  // Makes the tree builders that fill a document from parser events.
  virtual CDocumentFactory* GetDocumentHandlerFactory() = 0;
  // Receives the content of xsl:message as result events (see MessageHandler.h).
  virtual COutputHandler* GetMessageHandler() = 0;
  virtual CErrorHandler* GetErrorHandler() = 0;
  virtual Unicode::CEncodingMap* GetEncodingHandler() = 0;
  virtual CLocationHandlerFactory* GetLocationHandlerFactory() = 0;
  virtual CBasicOutputHandlerFactory* GetOutputHandlerFactory() = 0;
};

} // namespace Xslt
