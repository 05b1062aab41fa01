#pragma once
// The lexical errors of the scanner. All but the last are reported through
// the parse-error handler and scanning goes on; ErrorLimitExceeded is thrown
// when the handler asks to stop.
#include <cstdint>

#include "core/Exception.h"

namespace EcmaScriptPrivate {

class CScannerException : public Core::CCodedException {
public:
  enum : int32_t {
    IllegalCharacter = 0,
    EndInComment = 1,
    NestedComment = 2,
    InvalidDecimalLiteral = 3,
    InvalidHexLiteral = 4,
    InvalidOctalLiteral = 5,
    EndInString = 6,
    LineTerminatorInString = 7,
    InvalidEscape = 8,
    ErrorLimitExceeded = 9,
  };

  explicit CScannerException(int32_t code, Core::String argument = {});

  bool IsFatal() const { return GetCode() == ErrorLimitExceeded; }

  static const Core::CMessageItem* GetMessageTable();
};

} // namespace EcmaScriptPrivate
