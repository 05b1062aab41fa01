#include "xslt/compiler/instructions/NumberFormatter.h"

#include <algorithm>

namespace XsltPrivate {

namespace {

Core::String Int64Text(int64_t n) {
  Core::String text;
  uint64_t magnitude = n < 0 ? uint64_t(0) - uint64_t(n) : uint64_t(n);
  do {
    text.push_back(char16_t(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude > 0);
  if (n < 0) text.push_back(u'-');
  std::reverse(text.begin(), text.end());
  return text;
}

// "1", "01", "001"...: zeros ending in a one.
bool IsDecimalToken(Core::StringView token) {
  if (token.empty() || token.back() != u'1') return false;
  return std::all_of(token.begin(), token.end() - 1, [](char16_t c) { return c == u'0'; });
}

} // namespace

void CNumberFormatter::SetFormat(Core::StringView format) {
  if (std::any_of(format.begin(), format.end(), [](char16_t c) { return c > 0xFF; })) format = u"1";
  m_tokens.clear();
  m_separators.clear();
  m_prefix.clear();
  m_suffix.clear();
  m_letterValue = Alphabetic;
  m_groupingSeparator.clear();
  m_groupingSize = 0;

  Core::String token;
  bool alphanumeric = false;
  for (int32_t position = 0; (position = NextToken(format, position, token, alphanumeric)) >= 0;) {
    if (alphanumeric) {
      if (m_separators.empty()) m_separators.emplace_back(u".");
      m_tokens.push_back(token);
    } else {
      m_separators.push_back(token);
      if (m_tokens.empty()) m_prefix = token;
    }
  }
  if (m_tokens.empty()) {
    if (m_separators.empty()) m_separators.emplace_back(u".");
    m_tokens.emplace_back(u"1");
  }
  if (m_separators.size() > m_tokens.size()) {
    m_suffix = m_separators.back();
    m_separators.pop_back();
  }
}

int32_t CNumberFormatter::NextToken(Core::StringView format, int32_t position, Core::String& token,
                                    bool& alphanumeric) {
  if (position < 0 || size_t(position) >= format.size()) return -1;
  alphanumeric = IsAlphanumeric(format[position]);
  size_t end = position;
  while (end < format.size() && IsAlphanumeric(format[end]) == alphanumeric) ++end;
  token.assign(format.substr(position, end - position));
  return static_cast<int32_t>(end);
}

Core::String CNumberFormatter::Format(const std::vector<int64_t>& numbers) const {
  Core::String result = m_prefix;
  const size_t last = m_tokens.size() - 1;
  for (size_t i = 0; i < numbers.size(); ++i) {
    size_t t = std::min(i, last);
    // With one token the text before it is the prefix, not a separator.
    if (i > 0) result += t == 0 ? Core::StringView(u".") : Core::StringView(m_separators[t]);
    result += FormatOne(m_tokens[t], numbers[i]);
  }
  result += m_suffix;
  return result;
}

Core::String CNumberFormatter::FormatText(Core::StringView text) const {
  Core::String result = m_prefix;
  result += text;
  result += m_suffix;
  return result;
}

Core::String CNumberFormatter::FormatOne(Core::StringView token, int64_t n) const {
  // No token shows a negative number; its text is what XPath string() gives.
  if (n < 0) return Int64Text(n);
  if (IsDecimalToken(token)) return FormatDecimal(token, n);
  if (token == u"A" || token == u"a") return FormatAlphabetic(token, n);
  if (token == u"I" || token == u"i") return FormatRoman(token, n);
  return FormatDecimal(u"1", n);
}

Core::String CNumberFormatter::FormatDecimal(Core::StringView token, int64_t n) const {
  const char16_t zero = char16_t(token.back() - 1);
  if (n <= 0) return n == 0 ? Core::String(1, zero) : Int64Text(n);
  const size_t width = token.size();
  // Built from the least significant digit and reversed at the end; the
  // separator goes in reversed so that it reads forwards in the result.
  Core::String reversedSeparator(m_groupingSeparator.rbegin(), m_groupingSeparator.rend());
  Core::String digits;
  size_t produced = 0, sinceSeparator = 0;
  while (n > 0 || produced < width) {
    if (m_groupingSize >= 1 && sinceSeparator == size_t(m_groupingSize)) {
      digits += reversedSeparator;
      sinceSeparator = 0;
    }
    digits.push_back(char16_t(zero + n % 10));
    n /= 10;
    ++produced;
    ++sinceSeparator;
  }
  std::reverse(digits.begin(), digits.end());
  return digits;
}

Core::String CNumberFormatter::FormatAlphabetic(Core::StringView token, int64_t n) {
  if (n <= 0) return Int64Text(n);
  const char16_t first = token == u"a" ? u'a' : u'A';
  Core::String letters;
  // Bijective base 26: there is no zero digit, so z is followed by aa.
  while (n > 0) {
    --n;
    letters.push_back(char16_t(first + n % 26));
    n /= 26;
  }
  std::reverse(letters.begin(), letters.end());
  return letters;
}

Core::String CNumberFormatter::FormatRoman(Core::StringView token, int64_t n) {
  if (n < 1 || n >= 4000) return Int64Text(n);
  const char16_t* letters = token == u"i" ? u"mdclxvi" : u"MDCLXVI";
  Core::String result(size_t(n / 1000), letters[0]);
  // Each decimal digit as a pattern of its place's one, five and ten letters.
  static const char* const kForms[10] = {"", "1", "11", "111", "15", "5", "51", "511", "5111", "1T"};
  const int64_t divisors[3] = {100, 10, 1};
  const int oneIndex[3] = {2, 4, 6};  // the one letters C, X, I; five and ten precede them
  for (int place = 0; place < 3; ++place) {
    int digit = int(n / divisors[place] % 10);
    char16_t one = letters[oneIndex[place]];
    char16_t five = letters[oneIndex[place] - 1];
    char16_t ten = letters[oneIndex[place] - 2];
    for (const char* f = kForms[digit]; *f; ++f) result.push_back(*f == '1' ? one : (*f == '5' ? five : ten));
  }
  return result;
}

} // namespace XsltPrivate
