#pragma once
// Every error of the XPath engine: a code of one message table and up to three
// string arguments. Unset arguments format as empty text, not as "?".
#include "core/Exception.h"

namespace Xpath {

class CXpathException : public Core::CCodedException {
public:
  enum : int32_t {
    IllegalCharacter = 0,
    NonTerminatedLiteral = 1,
    InvalidVariableReference = 2,
    InvalidOperatorName = 3,
    InvalidFunctionName = 4,
    InvalidAxisName = 5,
    InvalidExpressionSyntax = 6,
    MissingColonColon = 7,
    MissingOpenParen = 8,
    MissingCloseParen = 9,
    MissingCloseBracket = 10,
    InvalidNodeTest = 11,
    InvalidPrimaryExpression = 12,
    PrefixNotFound = 13,
    VariableNotBound = 14,
    FunctionNotFound = 15,
    InvalidArgumentCount = 16,
    InvalidArgumentType = 17,
    ComparisonNotSupported = 18,
    // A value of another type where a node set is required (a path start,
    // a filtered value, a union operand).
    NotANodeSet = 19,
  };

  explicit CXpathException(int32_t code, Core::String a1 = {}, Core::String a2 = {}, Core::String a3 = {});

  static const Core::CMessageItem* GetMessageTable();
};

} // namespace Xpath
