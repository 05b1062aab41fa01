#pragma once
// A syntax error of a regular-expression pattern: a code of the table below
// and, for MissingToken, the character that was expected.
#include "core/Exception.h"

namespace RegExpPrivate {

class CParserException : public Core::CCodedException {
public:
  enum : int32_t {
    InvalidQuantifierPrefix = 0,   // malformed '{' quantifier, or a bound beyond 2^31 - 1
    InvalidAtom = 1,               // a term that cannot start there, or text after an unmatched ')'
    InvalidAtomEscape = 2,         // '\' at the end, bad '\c', '\x' or '\u'
    InvalidDecimalEscape = 3,      // back-reference to no group, or a number too large
    InvalidCharacterEscape = 4,    // '\' before a letter, digit, '$' or '_' that means nothing
    InvalidCharacterClass = 5,     // unclosed class, or a class escape beside '-'
    MissingToken = 6,              // ')' or '}' missing; the argument is the character
    NestedTooDeeply = 7,           // groups and lookaheads nested beyond the limit
  };

  explicit CParserException(int32_t code, Core::String argument = {});

  static const Core::CMessageItem* GetMessageTable();
};

} // namespace RegExpPrivate
