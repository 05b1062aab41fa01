#include "script/builtins/regexp/ParserException.h"

namespace RegExpPrivate {

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Invalid quantifier prefix"},
    {1, u"Invalid atom"},
    {2, u"Invalid atom escape"},
    {3, u"Invalid decimal escape"},
    {4, u"Invalid character escape"},
    {5, u"Invalid character class"},
    {6, u"Missing token, '%s' expected"},
    {7, u"Pattern nested too deeply"},
    {-1, u"Unclassified RegExp parser exception"},
};

} // namespace

CParserException::CParserException(int32_t code, Core::String argument)
    : Core::CCodedException(kMessages, code, 1, std::move(argument)) {}

const Core::CMessageItem* CParserException::GetMessageTable() { return kMessages; }

} // namespace RegExpPrivate
