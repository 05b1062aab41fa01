#include "xslt/processor/data/XmlParseException.h"

#include <string>

namespace XsltPrivate {

CXmlParseException::CXmlParseException(Core::String message, Core::String publicId, Core::String systemId,
                                       int32_t line, int32_t column)
    : m_message(std::move(message)), m_publicId(std::move(publicId)), m_systemId(std::move(systemId)),
      m_line(line), m_column(column) {}

Core::String CXmlParseException::GetMessage() const {
  Core::String text = m_message;
  if (m_line > 0) {
    text += u", line ";
    for (char c : std::to_string(m_line)) text += char16_t(c);
  }
  if (!m_systemId.empty()) {
    text += u" (";
    text += m_systemId;
    text += u')';
  }
  return text;
}

} // namespace XsltPrivate
