#include "ParserTestUtil.h"

namespace ParserTest {

CResult ParseBytes(const std::string& bytes, const std::string& encoding, Sxp::IDocumentHandler* handler,
                   Sxp::IDtdHandler* dtd, int32_t chunk) {
  Core::XInterface<XmlParserPrivate::CParserFactory> factory = Core::Make<XmlParserPrivate::CParserFactory>();
  Core::XInterface<Sxp::IParser> parser = factory->CreateParser();
  Core::XInterface<CRecorder> recorder;
  if (!handler) {
    recorder = Core::Make<CRecorder>();
    handler = recorder.Get();
  }
  parser->SetDocumentHandler(handler);
  parser->SetDtdHandler(dtd);
  Core::XInterface<XmlParserPrivate::CInputSource> source = Core::Make<XmlParserPrivate::CInputSource>();
  source->SetByteStream(Core::Make<CMemoryStream>(bytes, chunk));
  source->SetSystemId(u"mem:doc");
  source->SetEncoding(Core::FromUtf8(encoding));
  CResult result;
  try {
    parser->ParseInputSource(source.Get());
  } catch (const Sxp::CParseException& e) {
    result.ok = false;
    result.message = Core::ToUtf8(e.GetMessage());
    result.line = e.GetLineNumber();
    result.column = e.GetColumnNumber();
    result.systemId = Core::ToUtf8(e.GetSystemId());
  }
  if (recorder) result.log = recorder->log;
  return result;
}

std::string Events(const std::string& bytes, const std::string& encoding) {
  CResult r = ParseBytes(bytes, encoding);
  if (!r.ok) return "ERROR " + r.message + " " + std::to_string(r.line) + ":" + std::to_string(r.column);
  return r.log;
}

std::string Error(const std::string& bytes, const std::string& encoding) {
  CResult r = ParseBytes(bytes, encoding);
  if (r.ok) return "";
  return r.message + " @" + std::to_string(r.line) + ":" + std::to_string(r.column);
}

} // namespace ParserTest
