#pragma once
// The character classes that the regular-expression compiler and matcher
// share. Only code units below 256 are digits, word characters or white
// space, and only 'a' to 'z' have another case.
#include <array>
#include <cstdint>

namespace RegExpPrivate {

namespace Detail {

struct CCharacterTables {
  std::array<uint8_t, 256> lineTerminator{};
  std::array<uint8_t, 256> word{};
  std::array<uint8_t, 256> digit{};
  std::array<uint8_t, 256> space{};
  std::array<char16_t, 256> upper{};
};

constexpr CCharacterTables MakeCharacterTables() {
  CCharacterTables t;
  for (int c = 0; c < 256; ++c) {
    bool digit = c >= '0' && c <= '9';
    bool lower = c >= 'a' && c <= 'z';
    bool upper = c >= 'A' && c <= 'Z';
    t.lineTerminator[c] = c == 10 || c == 13;
    t.digit[c] = digit;
    t.word[c] = digit || lower || upper || c == '_';
    t.space[c] = (c >= 9 && c <= 13) || c == 32 || c == 160;
    t.upper[c] = static_cast<char16_t>(lower ? c - 32 : c);
  }
  return t;
}

inline constexpr CCharacterTables kTables = MakeCharacterTables();

} // namespace Detail

inline bool IsLineTerminator(char16_t c) {
  return c < 256 ? Detail::kTables.lineTerminator[c] : c == 0x2028 || c == 0x2029;
}
inline bool IsWordCharacter(char16_t c) { return c < 256 && Detail::kTables.word[c]; }
inline bool IsDigit(char16_t c) { return c < 256 && Detail::kTables.digit[c]; }
inline bool IsWhiteSpace(char16_t c) { return c < 256 && Detail::kTables.space[c]; }
inline char16_t ToUpperCase(char16_t c) { return c < 256 ? Detail::kTables.upper[c] : c; }

// ASCII letter, digit, '$' or '_': after a backslash these are escapes that
// must be known.
inline bool IsIdentifierPart(char16_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '$' || c == '_';
}

} // namespace RegExpPrivate
