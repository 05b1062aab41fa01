#pragma once
// The one parse error the parser raises, and the internal signal that the
// document's input does not open.
#include <cstdint>

#include "core/Exception.h"
#include "xml/parser/Sxp.h"

namespace XmlParserPrivate {

enum EXmlError : int32_t {
  ErrorCannotAccess = 0,
  ErrorUnexpectedEnd = 1,
  ErrorEndOfLiteral = 2,
  ErrorMissingSpace = 3,
  ErrorMissingName = 4,
  ErrorMissingNameToken = 5,
  ErrorMissingEq = 6,
  ErrorMissingDeclClose = 7,
  ErrorMissingStartTag = 8,
  ErrorMissingEndTag = 9,
  ErrorMissingTagClose = 10,
  ErrorIllegalChar = 11,
  ErrorBadToken = 12,
  ErrorBadReference = 13,
  ErrorBadCharRef = 14,
  ErrorBadEntityRef = 15,
  ErrorBadPublicId = 16,
  ErrorBadSystemId = 17,
  ErrorBadXmlDecl = 18,
  ErrorBadExternalId = 19,
  ErrorBadContentSpec = 20,
  ErrorBadAttributeType = 21,
  ErrorBadAttributeValue = 22,
  ErrorBadDefaultDecl = 23,
  ErrorBadEntityValue = 24,
  ErrorBadEntityDecl = 25,
  ErrorBadMarkupDecl = 26,
  ErrorBadComment = 27,
  ErrorBadPi = 28,
  ErrorBadCdata = 29,
  ErrorBadEpilog = 30,
  ErrorMisplacedCdataClose = 31,
  ErrorUndefinedEntity = 32,
  ErrorExternalInAttribute = 33,
  ErrorUnparsedReference = 34,
  ErrorMismatchedEndTag = 35,
  ErrorUnsupportedEncoding = 36,
  ErrorMismatchedEncoding = 37,
  // Bounds against hostile documents.
  ErrorRecursiveEntity = 38,
  ErrorEntityTooDeep = 39,
  ErrorEntityTooLarge = 40,
  ErrorElementTooDeep = 41,
  ErrorBadEncoding = 42,
  ErrorTooManyNamespaces = 43,
  ErrorDefaultsTooLarge = 44,
  // Warnings: the parse goes on.
  WarningEntityNotExpanded = 45,
};

// The message texts, ended by the -1 row.
extern const Core::CMessageItem g_xmlMessages[];

class CParser;

class CXmlException : public Sxp::CParseException {
public:
  // The message of the code with the parser's current location.
  CXmlException(const CParser& parser, int32_t code);
  // The same for a message that names something of the document.
  CXmlException(const CParser& parser, int32_t code, Core::StringView argument);
  CXmlException(int32_t code, Core::String publicId, Core::String systemId, int32_t line, int32_t column);
};

// The input of a document does not open; turned into code 0 by the parse.
class CInputSourceException : public Core::IException {};

} // namespace XmlParserPrivate
