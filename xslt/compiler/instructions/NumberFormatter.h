#pragma once
// The number formatter of xsl:number: a format string split into
// alphanumeric tokens and the separators between them, applied to a list of
// integers. Built on the stack for one execution.
#include <cstdint>
#include <vector>

#include "core/String.h"

namespace XsltPrivate {

class CNumberFormatter {
public:
  enum : int32_t { Alphabetic = 0, Traditional = 1 };

  // Resets everything, then splits the format. A format with a character
  // above U+00FF is taken as "1".
  void SetFormat(Core::StringView format);
  // Kept; no token formats differently by it.
  void SetLetterValue(int32_t value) { m_letterValue = value; }
  void SetGroupingSeparator(Core::StringView separator) { m_groupingSeparator = Core::String(separator); }
  // 0 for no grouping.
  void SetGroupingSize(int32_t size) { m_groupingSize = size; }

  // Prefix, each number by its token (the last token for numbers beyond the
  // tokens) with the separator before it ("." with a single token), then the
  // suffix. A negative number is written as its decimal text.
  Core::String Format(const std::vector<int64_t>& numbers) const;
  // A value no token can show (NaN, an infinity, a magnitude beyond 64
  // bits), written as the given text between prefix and suffix.
  Core::String FormatText(Core::StringView text) const;

  // One number by one token: decimal for "1", "01", "001"...; letters for
  // "A" and "a"; Roman numerals for "I" and "i"; any other token as "1".
  Core::String FormatOne(Core::StringView token, int64_t n) const;
  Core::String FormatDecimal(Core::StringView token, int64_t n) const;
  static Core::String FormatAlphabetic(Core::StringView token, int64_t n);
  static Core::String FormatRoman(Core::StringView token, int64_t n);

  // The token starting at position: a maximal run of alphanumeric or of
  // other characters. The position after it, or -1 at the end.
  static int32_t NextToken(Core::StringView format, int32_t position, Core::String& token, bool& alphanumeric);
  // ASCII letters and digits only.
  static bool IsAlphanumeric(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
  }

  const std::vector<Core::String>& GetTokens() const { return m_tokens; }
  const std::vector<Core::String>& GetSeparators() const { return m_separators; }
  const Core::String& GetPrefix() const { return m_prefix; }
  const Core::String& GetSuffix() const { return m_suffix; }

private:
  std::vector<Core::String> m_tokens;
  // The separator before each token; the first is the text before the
  // first token, or "." when there is none.
  std::vector<Core::String> m_separators;
  Core::String m_prefix;
  Core::String m_suffix;
  int32_t m_letterValue = Alphabetic;
  Core::String m_groupingSeparator;
  int32_t m_groupingSize = 0;
};

} // namespace XsltPrivate
