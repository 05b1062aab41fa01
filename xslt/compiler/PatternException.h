#pragma once
// Errors of the pattern grammar (what the XPath grammar does not already
// report) and of key names at match time.
#include "core/Exception.h"

namespace XsltPrivate {

class CPatternException : public Core::CCodedException {
public:
  enum : int32_t {
    InvalidPatternSyntax = 0,
    InvalidAxisName = 1,
    InvalidFunctionName = 2,
    MissingOpenParen = 3,
    MissingCloseParen = 4,
    MissingCloseBracket = 5,
    MissingComma = 6,
    MissingLiteral = 7,
    InvalidPrefix = 8,
  };

  explicit CPatternException(int32_t code);
  CPatternException(int32_t code, Core::String argument);

  const Core::String& GetArgument() const { return GetArg(0); }
};

} // namespace XsltPrivate
