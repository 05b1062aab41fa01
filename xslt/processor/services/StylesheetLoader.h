#pragma once
// Reads a principal stylesheet into a document tree and has it compiled
// (its imported and included modules are read by the compiler). The result
// is a compiled stylesheet that can be run any number of times.
#include <functional>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xml/xslt/LocationHandler.h"
#include "xml/xslt/StylesheetSpaceHandler.h"
#include "xslt/compiler/Stylesheet.h"

namespace Xslt {
class CExternalParamList;
class CInputHandler;
class COutputHandler;
class CXsltImplementation;
} // namespace Xslt

namespace XsltPrivate {

class CCompiledStylesheet : public Core::CInterface {
public:
  CCompiledStylesheet(CStylesheet* stylesheet, Xslt::CLocationHandler* locationHandler);

  // One transformation. The input handler or the source node may be empty.
  // sourceRead, when given, is called once the source document is read.
  virtual void Run(Core::StringView sourceUri, Xslt::CInputHandler* inputHandler, const Dom::XNode& sourceNode,
                   Xslt::COutputHandler* outputHandler, Xslt::CExternalParamList* parameters,
                   const std::function<void()>& sourceRead = {});

  CStylesheet* GetStylesheet() const { return m_stylesheet.Get(); }
  // Knows where the stylesheet's nodes stand.
  Xslt::CLocationHandler* GetLocationHandler() const { return m_locationHandler.Get(); }

private:
  Core::XInterface<CStylesheet> m_stylesheet;
  Core::XInterface<Xslt::CLocationHandler> m_locationHandler;
};

class CStylesheetLoader : public Core::CInterface {
public:
  explicit CStylesheetLoader(Xslt::CXsltImplementation* implementation);
  ~CStylesheetLoader() override;

  // A stylesheet that cannot be read is XSLT error 2 (the URI and the reader's
  // message), thrown without a report; compile errors are reported and
  // thrown by the compiler.
  Core::XInterface<CCompiledStylesheet> LoadFromUri(Core::StringView uri);
  // A stylesheet given as a tree, replayed into a new document; the URI
  // names it in errors.
  Core::XInterface<CCompiledStylesheet> LoadFromNode(Core::StringView uri, const Dom::XNode& node);
  Core::XInterface<CCompiledStylesheet> LoadFromHandler(Core::StringView uri, Xslt::CInputHandler* inputHandler);

private:
  Core::XInterface<Xslt::CXsltImplementation> m_implementation;
  // Whitespace-only text of stylesheets is dropped except inside xsl:text.
  Core::XInterface<CStylesheetSpaceHandler> m_spaceRules;
};

} // namespace XsltPrivate
