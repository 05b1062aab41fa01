#pragma once
// The tokens of the script language, as the scanner hands them to the parser.
#include <cstdint>

#include "core/String.h"
#include "script/engine/PropertyName.h"
#include "script/engine/ScriptNumber.h"

namespace EcmaScriptPrivate {

enum ETokenKind : int32_t {
  // Keywords.
  TokenBreak = 0,
  TokenContinue = 1,
  TokenDelete = 2,
  TokenElse = 3,
  TokenFor = 4,
  TokenFunction = 5,
  TokenIf = 6,
  TokenIn = 7,
  TokenNew = 8,
  TokenReturn = 9,
  TokenThis = 10,
  TokenTypeof = 11,
  TokenVar = 12,
  TokenVoid = 13,
  TokenWhile = 14,
  TokenWith = 15,
  // Any future reserved word; accepted nowhere.
  TokenReserved = 16,
  TokenIdentifier = 17,
  // = > < == <= >= != , ! ~ ? : .
  TokenAssign = 18,
  TokenGreater = 19,
  TokenLess = 20,
  TokenEqual = 21,
  TokenLessEqual = 22,
  TokenGreaterEqual = 23,
  TokenNotEqual = 24,
  TokenComma = 25,
  TokenNot = 26,
  TokenTilde = 27,
  TokenQuestion = 28,
  TokenColon = 29,
  TokenDot = 30,
  // && || ++ -- + - * / & | ^ %
  TokenAndAnd = 31,
  TokenOrOr = 32,
  TokenPlusPlus = 33,
  TokenMinusMinus = 34,
  TokenPlus = 35,
  TokenMinus = 36,
  TokenStar = 37,
  TokenSlash = 38,
  TokenAnd = 39,
  TokenOr = 40,
  TokenXor = 41,
  TokenPercent = 42,
  // << >> >>>
  TokenShiftLeft = 43,
  TokenShiftRight = 44,
  TokenUnsignedShiftRight = 45,
  // += -= *= /= &= |= ^= %= <<= >>= >>>=
  TokenPlusAssign = 46,
  TokenMinusAssign = 47,
  TokenStarAssign = 48,
  TokenSlashAssign = 49,
  TokenAndAssign = 50,
  TokenOrAssign = 51,
  TokenXorAssign = 52,
  TokenPercentAssign = 53,
  TokenShiftLeftAssign = 54,
  TokenShiftRightAssign = 55,
  TokenUnsignedShiftRightAssign = 56,
  // ( ) { } [ ] ;
  TokenLeftParen = 57,
  TokenRightParen = 58,
  TokenLeftBrace = 59,
  TokenRightBrace = 60,
  TokenLeftBracket = 61,
  TokenRightBracket = 62,
  TokenSemicolon = 63,
  TokenNull = 64,
  TokenTrue = 65,
  TokenFalse = 66,
  TokenNumber = 67,
  TokenString = 68,
  TokenEnd = 70,
};

// Only the fields of the kind produced are written; the others keep what an
// earlier token left.
struct CToken {
  int32_t kind = TokenEnd;
  // Identifiers: the name with its hash.
  EcmaScript::CPropertyName name;
  // String literals: the value.
  Core::String text;
  // Numeric literals: the value.
  EcmaScript::CScriptNumber number;
  // A line terminator came between the previous token and this one.
  bool newlineBefore = false;
};

} // namespace EcmaScriptPrivate
