#pragma once
// A source or stylesheet document that does not parse: the parser's message
// with the line and the URI of the document, as
// "<message>, line <n> (<system id>)"; the line part is left out when the
// line is not known (0), the URI part when there is no system id.
#include <cstdint>

#include "core/Exception.h"
#include "core/String.h"

namespace XsltPrivate {

class CXmlParseException : public Core::IException {
public:
  CXmlParseException(Core::String message, Core::String publicId, Core::String systemId, int32_t line,
                     int32_t column);

  Core::String GetMessage() const override;

  const Core::String& GetPublicId() const { return m_publicId; }
  const Core::String& GetSystemId() const { return m_systemId; }
  int32_t GetLineNumber() const { return m_line; }
  int32_t GetColumnNumber() const { return m_column; }

private:
  Core::String m_message;
  Core::String m_publicId;
  Core::String m_systemId;
  int32_t m_line;
  int32_t m_column;
};

} // namespace XsltPrivate
