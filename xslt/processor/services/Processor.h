#pragma once
// The services/ folder: the services around a run: the processor, stylesheet loading, errors, messages, locations and the XSLT functions.
//
// One transformation job: a source document, a stylesheet and a result, each
// given as a URI, a document tree or a ready-made handler, and the external
// parameters. Process reads and compiles the stylesheet first, then reads
// the source, then creates the result. A result file takes its name only
// when the run ends (until then the file of that name stays whole, as the run
// may read it); a failure after it was created leaves under that name
// whatever had been written, unless the file of that name is one the run
// read, which is then left as it was. Every failure passes out of Process as
// an exception.
#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xslt/processor/context/ExternalParamList.h"

namespace XsltPrivate {
class CCompiledStylesheet;
class CStylesheetLoader;
} // namespace XsltPrivate

namespace Xslt {

class CInputHandler;
class COutputHandler;
class CXsltImplementation;

class CProcessor : public Core::CInterface {
public:
  explicit CProcessor(CXsltImplementation* implementation);
  ~CProcessor() override;

  void SetSourceUri(Core::StringView uri) { m_sourceUri = uri; }
  void SetStylesheetUri(Core::StringView uri) { m_stylesheetUri = uri; }
  void SetOutputUri(Core::StringView uri) { m_outputUri = uri; }
  // Replaces the parameters with copies of the list's items (sharing the values).
  void SetParameters(const CExternalParamList& parameters);

  // The other forms; each is tried before the URI of its part. A source node
  // used directly is run as it is; otherwise it is replayed through an input
  // handler under the source URI.
  void SetSourceNode(const Dom::XNode& node, bool useDirectly) {
    m_sourceNode = node;
    m_useSourceNodeDirectly = useDirectly;
  }
  void SetSourceInputHandler(CInputHandler* handler);
  void SetStylesheetNode(const Dom::XNode& node) { m_stylesheetNode = node; }
  void SetStylesheetInputHandler(CInputHandler* handler);
  void SetCompiledStylesheet(XsltPrivate::CCompiledStylesheet* stylesheet);
  // The result as a tree built under the node.
  void SetResultNode(const Dom::XNode& node) { m_resultNode = node; }
  void SetResultOutputHandler(COutputHandler* handler);

  void Process();

private:
  Core::XInterface<CXsltImplementation> m_implementation;
  Core::XInterface<XsltPrivate::CStylesheetLoader> m_loader;
  Core::String m_sourceUri;
  Dom::XNode m_sourceNode;
  bool m_useSourceNodeDirectly = false;
  Core::XInterface<CInputHandler> m_sourceInputHandler;
  Core::String m_stylesheetUri;
  Dom::XNode m_stylesheetNode;
  Core::XInterface<CInputHandler> m_stylesheetInputHandler;
  Core::XInterface<XsltPrivate::CCompiledStylesheet> m_compiledStylesheet;
  Core::String m_outputUri;
  Dom::XNode m_resultNode;
  Core::XInterface<COutputHandler> m_resultOutputHandler;
  CExternalParamList m_parameters;
};

} // namespace Xslt
