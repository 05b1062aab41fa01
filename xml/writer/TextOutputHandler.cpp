#include "xml/writer/TextOutputHandler.h"

namespace XsltPrivate {

CTextOutputHandler::CTextOutputHandler() = default;
CTextOutputHandler::~CTextOutputHandler() = default;

void CTextOutputHandler::StartDocument() {
  m_encodingName = u"UTF-8";
  Options().GetEncoding(m_encodingName);
  PrepareOutput(m_encodingName);
}

void CTextOutputHandler::EndDocument() { Flush(); }

void CTextOutputHandler::Characters(const char16_t* units, int32_t count, bool) {
  if (count > 0) PutVerbatim(units, count);
}

} // namespace XsltPrivate
