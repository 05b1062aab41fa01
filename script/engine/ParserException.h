#pragma once
// The syntax errors of the parser. Each is reported through the parse-error
// handler and then thrown to the recovery point of the statement being
// parsed; the fatal ones (the handler asked to stop, or the nesting limit)
// end the whole parse.
#include <cstdint>

#include "core/Exception.h"

namespace EcmaScriptPrivate {

class CParserException : public Core::CCodedException {
public:
  enum : int32_t {
    UnexpectedEnd = 0,
    InvalidAssignment = 1,
    InvalidPrimary = 2,
    LeftHandSideRequired = 3,
    MissingFunctionName = 4,
    MissingParameterName = 5,
    MissingVariableName = 6,
    MissingPropertyName = 7,
    MissingComma = 8,
    MissingColon = 9,
    MissingLeftParenthesis = 10,
    MissingRightParenthesis = 11,
    MissingLeftBrace = 12,
    MissingRightBracket = 13,
    MissingSemicolon = 14,
    ErrorLimitExceeded = 15,
    NestingTooDeep = 16,
  };

  explicit CParserException(int32_t code);

  bool IsFatal() const { return GetCode() == ErrorLimitExceeded || GetCode() == NestingTooDeep; }

  static const Core::CMessageItem* GetMessageTable();
};

} // namespace EcmaScriptPrivate
