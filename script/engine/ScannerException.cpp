#include "script/engine/ScannerException.h"

namespace EcmaScriptPrivate {

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Illegal character: hex code %s"},
    {1, u"Unexpected end of stream in multi-line comment"},
    {2, u"Nested multi-line comments"},
    {3, u"Invalid decimal literal: %s..."},
    {4, u"Invalid hex integer literal: %s..."},
    {5, u"Invalid octal integer literal: %s..."},
    {6, u"Unexpected end of stream in string literal"},
    {7, u"Line terminator in string literal"},
    {8, u"Invalid escape sequence: %s..."},
    {9, u"Error limit exceeded"},
    {-1, u"Unclassified scanner exception"},
};

} // namespace

CScannerException::CScannerException(int32_t code, Core::String argument)
    : Core::CCodedException(kMessages, code, 1, std::move(argument)) {}

const Core::CMessageItem* CScannerException::GetMessageTable() { return kMessages; }

} // namespace EcmaScriptPrivate
