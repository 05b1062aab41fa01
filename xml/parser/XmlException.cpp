#include "xml/parser/XmlException.h"

#include "xml/parser/Parser.h"

namespace XmlParserPrivate {

const Core::CMessageItem g_xmlMessages[] = {
    {0, u"Cannot access document"},
    {1, u"Unexpected end of document"},
    {2, u"Unexpected end of literal"},
    {3, u"Missing space"},
    {4, u"Missing name"},
    {5, u"Missing name token"},
    {6, u"Missing ="},
    {7, u"Missing declaration close"},
    {8, u"Missing start tag open"},
    {9, u"Missing end tag open"},
    {10, u"Missing tag close"},
    {11, u"Illegal character"},
    {12, u"Bad token"},
    {13, u"Bad reference"},
    {14, u"Bad character reference"},
    {15, u"Bad entity reference"},
    {16, u"Bad public identifier"},
    {17, u"Bad system identifier"},
    {18, u"Bad XML declaration"},
    {19, u"Bad external identifier"},
    {20, u"Bad content specification"},
    {21, u"Bad attribute type"},
    {22, u"Bad attribute value"},
    {23, u"Bad default declaration"},
    {24, u"Bad entity value"},
    {25, u"Bad entity declaration"},
    {26, u"Bad markup declaration"},
    {27, u"Bad comment"},
    {28, u"Bad processing instruction"},
    {29, u"Bad CDATA"},
    {30, u"Bad epilog"},
    {31, u"Misplaced CDATA close"},
    {32, u"Undefined general entity"},
    {33, u"External reference in attribute value"},
    {34, u"Unparsed entity reference"},
    {35, u"Mismatched end tag"},
    {36, u"Unsupported encoding"},
    {37, u"Mismatched encoding name"},
    {38, u"Recursive entity reference"},
    {39, u"Entity references nested too deeply"},
    {40, u"Entity expansion too large"},
    {41, u"Elements nested too deeply"},
    {42, u"Bad character encoding"},
    {43, u"Too many namespace declarations in scope"},
    {44, u"Attribute defaults too large"},
    {45, u"General entity not expanded: '%s'"},
    {-1, u"Unclassified XML parser exception"},
};

CXmlException::CXmlException(const CParser& parser, int32_t code) {
  m_message = Core::LookupMessage(g_xmlMessages, code);
  const Sxp::ILocator& locator = parser.GetLocator();
  m_publicId = locator.GetPublicId();
  m_systemId = locator.GetSystemId();
  m_line = locator.GetLineNumber();
  m_column = locator.GetColumnNumber();
}

CXmlException::CXmlException(const CParser& parser, int32_t code, Core::StringView argument)
    : CXmlException(parser, code) {
  Core::String text(argument);
  m_message = Core::FormatMessage(m_message, text.c_str());
}

CXmlException::CXmlException(int32_t code, Core::String publicId, Core::String systemId, int32_t line,
                             int32_t column)
    : CParseException(Core::LookupMessage(g_xmlMessages, code), std::move(publicId), std::move(systemId), line,
                      column) {}

} // namespace XmlParserPrivate
