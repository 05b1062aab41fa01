#include "xslt/processor/services/StylesheetLoader.h"

#include "xml/tree/DocumentFactory.h"
#include "xslt/processor/data/DocumentFactory.h"
#include "xslt/processor/data/DomInputHandler.h"
#include "xslt/processor/data/InputHandler.h"
#include "xslt/processor/services/LocationHandlerFactory.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace XsltPrivate {

CCompiledStylesheet::CCompiledStylesheet(CStylesheet* stylesheet, Xslt::CLocationHandler* locationHandler)
    : m_stylesheet(stylesheet), m_locationHandler(locationHandler) {}

void CCompiledStylesheet::Run(Core::StringView sourceUri, Xslt::CInputHandler* inputHandler,
                              const Dom::XNode& sourceNode, Xslt::COutputHandler* outputHandler,
                              Xslt::CExternalParamList* parameters, const std::function<void()>& sourceRead) {
  Xslt::CXsltImplementation* implementation = m_stylesheet->GetImplementation();
  Core::XInterface<Xslt::CLocationHandler> runLocations =
      implementation->GetLocationHandlerFactory()->CreateLocationHandler();
  // Errors reported during the run still find the stylesheet's nodes.
  runLocations->SetParent(m_locationHandler);
  m_stylesheet->Run(sourceUri, inputHandler, sourceNode, runLocations.Get(), outputHandler, parameters, sourceRead);
}

CStylesheetLoader::CStylesheetLoader(Xslt::CXsltImplementation* implementation)
    : m_implementation(implementation), m_spaceRules(new CStylesheetSpaceHandler) {}

CStylesheetLoader::~CStylesheetLoader() = default;

Core::XInterface<CCompiledStylesheet> CStylesheetLoader::LoadFromUri(Core::StringView uri) {
  Core::XInterface<Xslt::CBasicInputHandler> input(new Xslt::CBasicInputHandler(m_implementation.Get()));
  input->SetUri(uri);
  return LoadFromHandler(uri, input.Get());
}

Core::XInterface<CCompiledStylesheet> CStylesheetLoader::LoadFromNode(Core::StringView uri, const Dom::XNode& node) {
  Core::XInterface<CDomInputHandler> input(new CDomInputHandler);
  input->SetNode(node);
  return LoadFromHandler(uri, input.Get());
}

Core::XInterface<CCompiledStylesheet> CStylesheetLoader::LoadFromHandler(Core::StringView uri,
                                                                        Xslt::CInputHandler* inputHandler) {
  Core::XInterface<Xslt::CLocationHandler> locations =
      m_implementation->GetLocationHandlerFactory()->CreateLocationHandler();
  Dom::XNode document = m_implementation->GetDocumentFactory()->CreateDocument();
  {
    Core::XInterface<Sxp::IDocumentHandler> builder = m_implementation->GetDocumentHandlerFactory()->CreateDocumentHandler(
        document, m_spaceRules.Get(), locations.Get());
    bool failed = false;
    Core::String message;
    try {
      inputHandler->SetDocumentHandler(builder.Get());
      inputHandler->Parse();
    } catch (const Core::IException& e) {
      failed = true;
      message = e.GetMessage();
    }
    inputHandler->SetDocumentHandler(nullptr);
    if (failed) throw Xslt::CXsltException(Xslt::CXsltException::StylesheetRetrievalError, Core::String(uri), message);
  }

  Core::XInterface<CStylesheet> stylesheet(new CStylesheet);
  int32_t importPrecedence = 1;
  stylesheet->Compile(m_implementation.Get(), document, locations.Get(), nullptr, importPrecedence);
  return Core::XInterface<CCompiledStylesheet>(new CCompiledStylesheet(stylesheet.Get(), locations.Get()));
}

} // namespace XsltPrivate
