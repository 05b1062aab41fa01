#include "extensions/textinput/TextInputException.h"

namespace XsltTextInput {

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Invalid attribute value: '%s' - '%s'"},
    {1, u"Invalid attribute combination: '%s' and '%s'"},
    {2, u"Invalid computed attribute value: '%s' - '%s'"},
    {3, u"Invalid format name: '%s'"},
    {4, u"Invalid source ID: '%s'"},
    {5, u"Invalid field name: '%s'"},
    {6, u"Invalid field index: %s"},
    {7, u"Duplicate format name: '%s'"},
    {8, u"Duplicate source ID: '%s'"},
    {9, u"Duplicate field name: '%s'"},
    {10, u"Missing field width"},
    {11, u"Invalid field width"},
    {12, u"Cannot resolve relative URI; '%s'"},
    {13, u"Unsupported encoding: '%s'"},
    {14, u"Resource retrieval error: '%s'"},
    {15, u"Missing name header in '%s'"},
    {16, u"Unexpected end of line"},
    {17, u"Invalid number of arguments, function '%s'"},
    {18, u"Byte-order mark does not match the encoding '%s': '%s'"},
    {-1, u"Unclassified XSLT text input exception"},
};

} // namespace

CXsltTextInputException::CXsltTextInputException(int32_t code, Core::String text1, Core::String text2)
    : Core::CCodedException(kMessages, code, 2, std::move(text1), std::move(text2)) {}

} // namespace XsltTextInput
