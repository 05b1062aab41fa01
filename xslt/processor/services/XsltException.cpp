#include "xslt/processor/services/XsltException.h"

namespace Xslt {

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Invalid stylesheet"},
    {1, u"Invalid stylesheet content"},
    {2, u"Stylesheet retrieval error: '%s' \n%s"},
    {3, u"Misplaced 'import' element"},
    {4, u"Invalid top-level element"},
    {5, u"Missing attribute: '%s'"},
    {6, u"Invalid attribute value: '%s' \n'%s'"},
    {7, u"Invalid expression syntax: '%s' \n%s"},
    {8, u"Invalid attribute value template syntax: '%s'"},
    {9, u"Undefined prefix: '%s'"},
    {10, u"Content must be empty"},
    {11, u"Invalid content"},
    {12, u"Invalid PCDATA"},
    {13, u"Invalid instruction"},
    {14, u"Invalid element"},
    {15, u"Missing element: '%s'"},
    {16, u"Misplaced element"},
    {17, u"Invalid URI syntax: '%s' \n'%s'"},
    {18, u"Cannot resolve relative URI: '%s'"},
    {19, u"XSLT extension static error"},
    {20, u"Processing terminated"},
    {21, u"Cannot create result stream, URI: '%s'"},
    {22, u"Multiple matching space rules for '%s', '%s'"},
    {23, u"Multiple matching template rules"},
    {24, u"Current template rule is null"},
    {25, u"Named template rule not found: '%s', '%s'"},
    {26, u"Duplicate template rule name: '%s', '%s'"},
    {27, u"Duplicate namespace alias: '%s'"},
    {28, u"Attribute set not found: '%s', '%s'"},
    {29, u"Duplicate attribute name: '%s', '%s'"},
    {30, u"Duplicate decimal format name: '%s', '%s'"},
    {31, u"Default decimal format not found"},
    {32, u"Decimal format not found: '%s', '%s'"},
    {33, u"Duplicate output attribute: '%s'"},
    {34, u"Duplicate variable name: '%s', '%s'"},
    {35, u"Circular variable definitions: '%s', '%s'"},
    {36, u"Misplaced attribute node"},
    {37, u"Misplaced comment node"},
    {38, u"Misplaced element node"},
    {39, u"Misplaced processing instruction node"},
    {40, u"Misplaced namespace node"},
    {41, u"Invalid attribute name: '%s'"},
    {42, u"Attribute value template evaluation error: %s"},
    {43, u"Expression evaluation error: %s"},
    {44, u"Value conversion error: %s"},
    {45, u"Invalid computed attribute value: '%s' \n'%s'"},
    {46, u"Invalid selection result type"},
    {47, u"Invalid number of arguments: '%s'"},
    {48, u"Invalid argument type: '%s' (%s)"},
    {49, u"Document retrieval error: '%s' \n%s"},
    {50, u"Output error: \n%s"},
    {51, u"Writer error: \n%s"},
    {52, u"Unsupported feature: %s '%s'"},
    {53, u"XSLT extension run-time warning"},
    {54, u"XSLT extension run-time error"},
    {55, u"%s"},
    {56, u"Template recursion too deep: '%s'"},
    {57, u"Circular attribute set use: '%s', '%s'"},
    {58, u"Invalid element name: '%s'"},
    {59, u"Invalid processing instruction target: '%s'"},
    {60, u"Circular key definitions: '%s', '%s'"},
    {-1, u"Unclassified XSLT exception"},
};

} // namespace

// Both arguments always count, so an absent one prints as empty text; only a
// third placeholder would print "?".
CXsltException::CXsltException(int32_t code, Core::String arg1, Core::String arg2)
    : Core::CCodedException(kMessages, code, 2, std::move(arg1), std::move(arg2)) {}

CXsltException::CXsltException(int32_t code, CNodeKey stylesheetNode, Core::String stylesheetNodeName,
                               Core::String arg1, Core::String arg2)
    : Core::CCodedException(kMessages, code, 2, std::move(arg1), std::move(arg2)),
      m_stylesheetNode(stylesheetNode), m_stylesheetNodeName(std::move(stylesheetNodeName)) {}

CXsltException::CXsltException(int32_t code, CNodeKey stylesheetNode, Core::String stylesheetNodeName,
                               CNodeKey documentNode, Core::String documentNodeName, Core::String arg1,
                               Core::String arg2)
    : Core::CCodedException(kMessages, code, 2, std::move(arg1), std::move(arg2)),
      m_stylesheetNode(stylesheetNode), m_stylesheetNodeName(std::move(stylesheetNodeName)),
      m_documentNode(documentNode), m_documentNodeName(std::move(documentNodeName)) {}

const Core::CMessageItem* CXsltException::GetMessageTable() { return kMessages; }

} // namespace Xslt
