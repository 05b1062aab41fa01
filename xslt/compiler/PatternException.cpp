#include "xslt/compiler/PatternException.h"

namespace XsltPrivate {

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Invalid pattern syntax"},
    {1, u"Invalid axis name"},
    {2, u"Invalid function name '%s'"},
    {3, u"Missing '('"},
    {4, u"Missing ')'"},
    {5, u"Missing ']'"},
    {6, u"Missing ','"},
    {7, u"Missing literal"},
    {8, u"Invalid prefix '%s'"},
    {-1, u"Unclassified pattern exception"},
};

} // namespace

// The argument is always passed (empty when not given), so a template that
// asks for it never prints "?".
CPatternException::CPatternException(int32_t code) : Core::CCodedException(kMessages, code, 1) {}

CPatternException::CPatternException(int32_t code, Core::String argument)
    : Core::CCodedException(kMessages, code, 1, std::move(argument)) {}

} // namespace XsltPrivate
