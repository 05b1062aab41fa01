#include "xslt/processor/output/BasicOutputHandler.h"

#include "xml/writer/HtmlOutputHandler.h"
#include "xml/writer/TextOutputHandler.h"
#include "xml/writer/WriterException.h"
#include "xml/writer/XmlOutputHandler.h"
#include "xslt/processor/services/PendingServices.h"

namespace Xslt {

CBasicOutputHandler::~CBasicOutputHandler() {
  // Last field first.
  m_serialiser = nullptr;
  m_options = nullptr;
  m_target = nullptr;
  m_stream = nullptr;
  m_encodingMap = nullptr;
}

void CBasicOutputHandler::SetOutputStream(Core::IStream* stream) {
  m_stream = stream;
  m_target = nullptr;
}

void CBasicOutputHandler::SetOutputTarget(Core::IUnicodeStream* target) {
  m_target = target;
  m_stream = nullptr;
}

namespace {

Core::XInterface<COutputHandler> MakeSerialiser(const COutputOptions* options) {
  uint32_t kind = COutputOptions::kXml;
  if (options && !options->GetMethod(kind)) {
    Core::String uri, local;
    if (options->GetMethodName(uri, local))
      throw XmlWriter::CWriterException(XmlWriter::CWriterException::kUnsupportedMethod, uri, local);
  }
  switch (kind) {
  case COutputOptions::kHtml:
    return Core::Make<XsltPrivate::CHtmlOutputHandler>();
  case COutputOptions::kText:
    return Core::Make<XsltPrivate::CTextOutputHandler>();
  default:
    return Core::Make<XsltPrivate::CXmlOutputHandler>();
  }
}

} // namespace

void CBasicOutputHandler::StartDocument() {
  m_serialiser = MakeSerialiser(m_options.Get());
  if (m_encodingMap) m_serialiser->SetEncodingHandler(m_encodingMap.Get());
  if (m_stream) m_serialiser->SetOutputStream(m_stream.Get());
  if (m_target) m_serialiser->SetOutputTarget(m_target.Get());
  m_serialiser->SetOutputOptions(m_options.Get());
  m_serialiser->StartDocument();
}

void CBasicOutputHandler::EndDocument() {
  if (!m_serialiser) return;
  // Dropped even when the last write fails, so the stream is not kept open.
  Core::XInterface<COutputHandler> serialiser = std::move(m_serialiser);
  serialiser->EndDocument();
}

// Events outside a document have no serialiser to go to; they are dropped.

void CBasicOutputHandler::StartElement(Core::StringView name, bool noIndent, bool cdata) {
  if (m_serialiser) m_serialiser->StartElement(name, noIndent, cdata);
}

void CBasicOutputHandler::EndElement() {
  if (m_serialiser) m_serialiser->EndElement();
}

void CBasicOutputHandler::NamespaceDeclaration(Core::StringView prefix, Core::StringView uri) {
  if (m_serialiser) m_serialiser->NamespaceDeclaration(prefix, uri);
}

void CBasicOutputHandler::Attribute(Core::StringView name, Core::StringView value) {
  if (m_serialiser) m_serialiser->Attribute(name, value);
}

void CBasicOutputHandler::Characters(const char16_t* units, int32_t count, bool disableEscaping) {
  if (m_serialiser) m_serialiser->Characters(units, count, disableEscaping);
}

void CBasicOutputHandler::Comment(Core::StringView text) {
  if (m_serialiser) m_serialiser->Comment(text);
}

void CBasicOutputHandler::ProcessingInstruction(Core::StringView target, Core::StringView data) {
  if (m_serialiser) m_serialiser->ProcessingInstruction(target, data);
}

} // namespace Xslt

namespace XsltPrivate {

void MakeOutputHandlerFactory(CServiceSlot<Xslt::CBasicOutputHandlerFactory>& slot) {
  auto made = Core::Make<Xslt::CBasicOutputHandlerFactory>();
  slot.service = made.Get();
  slot.use = made.Get();
}

} // namespace XsltPrivate
