#pragma once
// The failures of the text-input package, each a code of one message table.
#include <cstdint>

#include "core/Exception.h"
#include "core/String.h"

namespace XsltTextInput {

class CXsltTextInputException : public Core::CCodedException {
public:
  enum : int32_t {
    InvalidAttributeValue = 0,
    InvalidAttributeCombination = 1,
    InvalidComputedValue = 2,
    InvalidFormatName = 3,
    InvalidSourceId = 4,
    InvalidFieldName = 5,
    InvalidFieldIndex = 6,
    DuplicateFormatName = 7,
    DuplicateSourceId = 8,
    DuplicateFieldName = 9,
    MissingFieldWidth = 10,
    InvalidFieldWidth = 11,
    CannotResolveUri = 12,
    UnsupportedEncoding = 13,
    RetrievalError = 14,
    MissingNameHeader = 15,
    UnexpectedEndOfLine = 16,
    InvalidArgumentCount = 17,
    MismatchedByteOrderMark = 18,
    Unclassified = -1,
  };

  // A text not given fills its place in the template with nothing.
  explicit CXsltTextInputException(int32_t code, Core::String text1 = {}, Core::String text2 = {});
};

} // namespace XsltTextInput
