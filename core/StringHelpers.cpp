#include "core/StringHelpers.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace Core {

void ToUpper(String& text) {
  for (char16_t& c : text) c = UpperUnit(c);
}

void ToLower(String& text) {
  for (char16_t& c : text) c = LowerUnit(c);
}

void Reverse(String& text) { std::reverse(text.begin(), text.end()); }

void TrimLeft(String& text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  text.erase(0, i);
}

void TrimRight(String& text) {
  size_t n = text.size();
  while (n > 0 && IsSpace(text[n - 1])) --n;
  text.resize(n);
}

void AssignNarrow(String& text, const char* narrow) {
  text.clear();
  for (; *narrow; ++narrow) text.push_back(static_cast<unsigned char>(*narrow));
}

std::optional<std::string> NarrowString(StringView text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c > 0xFF) return std::nullopt;
    out.push_back(static_cast<char>(c));
  }
  return out;
}

int32_t CompareNoCase(StringView a, StringView b) {
  for (size_t i = 0; i < a.size(); ++i) {
    if (i >= b.size()) return 1;
    int32_t d = int32_t(UpperUnit(a[i])) - int32_t(UpperUnit(b[i]));
    if (d != 0) return d;
  }
  return a.size() == b.size() ? 0 : -1;
}

String IntToWideString(int32_t value) {
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  return String(buf, r.ptr);
}

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The whole text is [+-] (digits [. [digits]] | . digits) [(e|E) [+-] digits].
bool MatchNumber(StringView s) {
  size_t i = 0, n = s.size();
  if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
  size_t intDigits = 0, fracDigits = 0;
  while (i < n && IsDigit(s[i])) ++i, ++intDigits;
  if (i < n && s[i] == u'.') {
    ++i;
    while (i < n && IsDigit(s[i])) ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) return false;
  if (i < n && (s[i] == u'e' || s[i] == u'E')) {
    ++i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
    size_t expDigits = 0;
    while (i < n && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == n;
}

locale_t CLocale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", nullptr);
  return loc;
}

} // namespace

bool ParseDouble(StringView text, double& value) {
  size_t b = 0, e = text.size();
  while (b < e && IsSpace(text[b])) ++b;
  while (e > b && IsSpace(text[e - 1])) --e;
  StringView s = text.substr(b, e - b);
  if (!MatchNumber(s)) return false;
  // The grammar admits ASCII only, so narrowing is exact.
  std::string narrow(s.begin(), s.end());
  const char* first = narrow.data();
  const char* last = first + narrow.size();
  if (*first == '+') ++first;
  auto r = std::from_chars(first, last, value);
  if (r.ec == std::errc() && r.ptr == last) return true;
  // Out of range: overflow gives an infinity and underflow zero or a
  // denormal, as the C runtime's conversion does.
  value = strtod_l(narrow.c_str(), nullptr, CLocale());
  return true;
}

} // namespace Core
