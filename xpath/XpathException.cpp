#include "xpath/XpathException.h"

namespace Xpath {

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Illegal character in expression"},
    {1, u"Non-terminated literal"},
    {2, u"Invalid variable reference"},
    {3, u"Invalid operator name: '%s'"},
    {4, u"Invalid function name: '%s'"},
    {5, u"Invalid axis name: '%s'"},
    {6, u"Invalid expression syntax"},
    {7, u"Missing '::' character"},
    {8, u"Missing '(' character"},
    {9, u"Missing ')' character"},
    {10, u"Missing ']' character"},
    {11, u"Invalid node test"},
    {12, u"Invalid primary expression"},
    {13, u"Prefix '%s' not found in expression context"},
    {14, u"Variable '%s:%s' (namespace %s) not bound in expression context"},
    {15, u"Function '%s:%s' (namespace %s) not found in expression context"},
    {16, u"Invalid number of '%s' arguments"},
    {17, u"Invalid '%s' argument type (position %s)"},
    {18, u"Comparison not supported for extension data type"},
    {19, u"Expression does not evaluate to a node-set"},
    {-1, u"Unclassified XPath exception"},
};

} // namespace

CXpathException::CXpathException(int32_t code, Core::String a1, Core::String a2, Core::String a3)
    : Core::CCodedException(kMessages, code, 3, std::move(a1), std::move(a2), std::move(a3)) {}

const Core::CMessageItem* CXpathException::GetMessageTable() { return kMessages; }

} // namespace Xpath
