#include "script/engine/ParserException.h"

namespace EcmaScriptPrivate {

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Unexpected end of stream"},
    {1, u"Invalid assignment expression"},
    {2, u"Invalid primary expression"},
    {3, u"Left-hand-side expression required"},
    {4, u"Missing function name"},
    {5, u"Missing formal parameter name"},
    {6, u"Missing variable name"},
    {7, u"Missing property name"},
    {8, u"Missing comma"},
    {9, u"Missing colon"},
    {10, u"Missing left parenthesis"},
    {11, u"Missing right parenthesis"},
    {12, u"Missing left brace"},
    {13, u"Missing right bracket"},
    {14, u"Missing semicolon"},
    {15, u"Error limit exceeded"},
    {16, u"Nesting too deep"},
    {-1, u"Unclassified parser exception"},
};

} // namespace

CParserException::CParserException(int32_t code) : Core::CCodedException(kMessages, code) {}

const Core::CMessageItem* CParserException::GetMessageTable() { return kMessages; }

} // namespace EcmaScriptPrivate
