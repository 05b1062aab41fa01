#include "xslt/processor/services/ErrorHandler.h"

#include <string>

#include "xml/xslt/LocationHandler.h"
#include "xslt/processor/services/XsltException.h"

namespace Xslt {

namespace {

// Every piece is written as it is: names, URIs and messages may hold "%" or
// "{" and are never used as a format.
void Write(Core::IUnicodeStream& stream, Core::StringView text) {
  stream.Write(text.data(), int32_t(text.size()));
}

void WriteNodeLine(Core::IUnicodeStream& stream, Core::StringView opening, CNodeKey node, Core::StringView name,
                   CLocationHandler* locationHandler) {
  Core::String line(opening);
  line += name;
  line += u'\'';
  Core::String publicId, systemId;
  int32_t lineNumber = 0, column = 0;
  if (locationHandler && locationHandler->GetLocation(node, publicId, systemId, lineNumber, column)) {
    line += u" at line ";
    for (char c : std::to_string(lineNumber)) line += char16_t(c);
    line += u"\n        (";
    line += systemId;
    line += u')';
  }
  Write(stream, line);
  Write(stream, u"\n");
}

} // namespace

CBasicErrorHandler::CBasicErrorHandler(Core::IUnicodeStream* errorStream) : m_errorStream(errorStream) {}

CBasicErrorHandler::~CBasicErrorHandler() = default;

void CBasicErrorHandler::Report(int32_t, const CXsltException& error, CLocationHandler* locationHandler) {
  if (!m_errorStream) return;
  Core::IUnicodeStream& stream = *m_errorStream;
  Write(stream, error.GetMessage());
  Write(stream, u"\n");
  if (error.GetStylesheetNode().documentNumber != 0)
    WriteNodeLine(stream, u"    Stylesheet node '", error.GetStylesheetNode(), error.GetStylesheetNodeName(),
                  locationHandler);
  if (error.GetDocumentNode().documentNumber != 0)
    WriteNodeLine(stream, u"    Document node '", error.GetDocumentNode(), error.GetDocumentNodeName(),
                  locationHandler);
}

} // namespace Xslt
