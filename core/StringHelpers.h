#pragma once
// Helpers over UTF-16 text: ASCII-only case mapping, trimming, case-blind
// comparison, and integer and number text. The character classes are the
// C locale's, written out here so that no locale can change them.
#include <cstdint>
#include <optional>
#include <string>

#include "core/Platform.h"
#include "core/String.h"

namespace Core {

// White space: U+0009 to U+000D and U+0020.
constexpr bool IsSpace(char16_t c) { return c == 0x20 || (c >= 0x09 && c <= 0x0D); }
constexpr char16_t UpperUnit(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 0x20) : c; }
constexpr char16_t LowerUnit(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 0x20) : c; }

void ToUpper(String& text);
void ToLower(String& text);
// Reverses the units (a surrogate pair is reversed too).
void Reverse(String& text);
void TrimLeft(String& text);
void TrimRight(String& text);

// One unit per byte, bytes zero-extended (0xE9 is U+00E9). For text that is
// really one byte per character; text from the operating system is UTF-8 and
// goes through FromUtf8 instead.
void AssignNarrow(String& text, const char* narrow);
// One byte per unit; none when a unit is above 0xFF.
std::optional<std::string> NarrowString(StringView text);

// Unit by unit after upper-casing ASCII letters; 0 when equal. A longer a
// gives 1, a shorter a -1, otherwise the difference of the first unequal units.
int32_t CompareNoCase(StringView a, StringView b);

// The most units handed on in one piece to an interface that counts units
// in 31 bits.
constexpr size_t kMaxTextPiece = size_t(1) << 30;

// Calls put(units, count) for consecutive pieces of the text, each at most
// max units (max at least 2), none ending between the halves of a surrogate
// pair; nothing for empty text.
template <class F>
void ForEachPiece(StringView text, F&& put, size_t max = kMaxTextPiece) {
  size_t i = 0;
  while (i < text.size()) {
    size_t n = text.size() - i < max ? text.size() - i : max;
    if (i + n < text.size() && text[i + n - 1] >= 0xD800 && text[i + n - 1] <= 0xDBFF) --n;
    put(text.data() + i, static_cast<int32_t>(n));
    i += n;
  }
}

// "%d" text: a "-" for negative numbers, no leading zeros, no grouping.
String IntToWideString(int32_t value);

// A decimal number with optional sign, fraction and exponent, white space
// around it allowed; no hexadecimal, infinity or NaN forms. False when the
// text is anything else (value then unspecified). Independent of the locale.
bool ParseDouble(StringView text, double& value);

} // namespace Core
