#include "xslt/processor/services/Processor.h"

#include <functional>

#include "core/ResultFile.h"
#include "core/Uri.h"
#include "xml/writer/OutputHandler.h"
#include "xslt/processor/data/DomInputHandler.h"
#include "xslt/processor/data/InputHandler.h"
#include "xslt/processor/output/BasicOutputHandler.h"
#include "xslt/processor/output/TreeOutputHandler.h"
#include "xslt/processor/services/StylesheetLoader.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace Xslt {

CProcessor::CProcessor(CXsltImplementation* implementation) : m_implementation(implementation) {}

CProcessor::~CProcessor() = default;

void CProcessor::SetParameters(const CExternalParamList& parameters) {
  m_parameters.Clear();
  for (int32_t i = 0, n = parameters.GetCount(); i < n; ++i) {
    Core::String qualifiedName, namespaceUri, localName;
    Xpath::CValue* value = nullptr;
    parameters.GetItem(i, qualifiedName, namespaceUri, localName, value);
    if (!qualifiedName.empty()) m_parameters.Add(qualifiedName, value);
    else m_parameters.Add(namespaceUri, localName, value);
  }
}

void CProcessor::SetSourceInputHandler(CInputHandler* handler) { m_sourceInputHandler = handler; }
void CProcessor::SetStylesheetInputHandler(CInputHandler* handler) { m_stylesheetInputHandler = handler; }
void CProcessor::SetCompiledStylesheet(XsltPrivate::CCompiledStylesheet* stylesheet) {
  m_compiledStylesheet = stylesheet;
}
void CProcessor::SetResultOutputHandler(COutputHandler* handler) { m_resultOutputHandler = handler; }

void CProcessor::Process() {
  // A result file watches from the start which files the run reads: a
  // failed run must leave them whole.
  Core::XInterface<Core::CResultFile> resultFile;
  if (!m_resultOutputHandler && !m_resultNode) resultFile = new Core::CResultFile();

  // The source: nothing is read yet.
  Core::XInterface<CInputHandler> input;
  Dom::XNode sourceNode;
  if (m_sourceInputHandler) {
    input = m_sourceInputHandler;
  } else if (m_sourceNode && m_useSourceNodeDirectly) {
    sourceNode = m_sourceNode;
  } else if (m_sourceNode) {
    Core::XInterface<XsltPrivate::CDomInputHandler> replay(new XsltPrivate::CDomInputHandler());
    replay->SetUri(m_sourceUri);
    replay->SetNode(m_sourceNode);
    input = replay.Get();
  } else {
    Core::XInterface<CBasicInputHandler> basic(new CBasicInputHandler(m_implementation.Get()));
    basic->SetUri(m_sourceUri);
    input = basic.Get();
  }

  // The stylesheet, read and compiled now.
  Core::XInterface<XsltPrivate::CCompiledStylesheet> stylesheet = m_compiledStylesheet;
  if (!stylesheet) {
    if (!m_loader) m_loader = new XsltPrivate::CStylesheetLoader(m_implementation.Get());
    if (m_stylesheetInputHandler) stylesheet = m_loader->LoadFromHandler(m_stylesheetUri, m_stylesheetInputHandler.Get());
    else if (m_stylesheetNode) stylesheet = m_loader->LoadFromNode(m_stylesheetUri, m_stylesheetNode);
    else stylesheet = m_loader->LoadFromUri(m_stylesheetUri);
  }

  // The result. A result file is created only once the source document is
  // read, so that a source that cannot be read leaves none.
  Core::XInterface<COutputHandler> output;
  std::function<void()> openResult;
  if (m_resultOutputHandler) {
    output = m_resultOutputHandler;
  } else if (m_resultNode) {
    Core::XInterface<XsltPrivate::CXdmOutputHandler> tree(new XsltPrivate::CXdmOutputHandler());
    tree->SetNode(m_resultNode);
    output = tree.Get();
  } else {
    Core::String fileName;
    if (!Uri::UrlToFileName(m_outputUri, fileName))
      throw CXsltException(CXsltException::CannotCreateResultStream, m_outputUri, Core::String());
    output = m_implementation->GetOutputHandlerFactory()->CreateOutputHandler();
    output->SetOutputStream(resultFile.Get());
    output->SetEncodingHandler(m_implementation->GetEncodingHandler());
    openResult = [file = resultFile.Get(), fileName, uri = m_outputUri]() {
      if (!file->Create(fileName))
        throw CXsltException(CXsltException::CannotCreateResultStream, uri, Core::String());
    };
  }

  try {
    stylesheet->Run(m_sourceUri, input.Get(), sourceNode, output.Get(), &m_parameters, openResult);
  } catch (...) {
    if (resultFile) resultFile->Abandon();
    throw;
  }
  // The result replaces the file of its name only now: the run may have
  // read that file up to its end.
  if (resultFile && resultFile->IsCreated() && !resultFile->Commit())
    throw CXsltException(CXsltException::CannotCreateResultStream, m_outputUri, Core::String());
}

} // namespace Xslt
