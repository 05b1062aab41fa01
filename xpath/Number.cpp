#include "xpath/Number.h"

#include <bit>
#include <cstdint>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace Xpath {

namespace {

constexpr uint64_t kNaNBits = 0x7FF8000000000000ull;
constexpr uint64_t kNegativeZeroBits = 0x8000000000000000ull;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

} // namespace

int32_t CNumber::ToInt() const {
  if (std::isnan(m_value)) return 0;
  if (m_value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (m_value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(m_value);
}

CNumber CNumber::NaN() { return std::bit_cast<double>(kNaNBits); }
CNumber CNumber::NegativeZero() { return std::bit_cast<double>(kNegativeZeroBits); }

CNumber operator%(CNumber a, CNumber b) { return std::fmod(a.m_value, b.m_value); }

bool CNumber::IsNaN() const { return std::isnan(m_value); }
bool CNumber::IsPositiveZero() const { return m_value == 0.0 && !std::signbit(m_value); }
bool CNumber::IsNegativeZero() const { return m_value == 0.0 && std::signbit(m_value); }
bool CNumber::IsPositiveInfinity() const { return m_value == std::numeric_limits<double>::infinity(); }
bool CNumber::IsNegativeInfinity() const { return m_value == -std::numeric_limits<double>::infinity(); }

CNumber CNumber::Floor() const { return std::floor(m_value); }
CNumber CNumber::Ceiling() const { return std::ceil(m_value); }

CNumber CNumber::Round() const {
  if (std::isnan(m_value) || std::isinf(m_value) || m_value == 0.0) return *this;
  if (m_value < 0.0 && m_value >= -0.5) return NegativeZero();
  // floor(x + 0.5) would round 0.49999999999999994 up and lose the last bit
  // of odd numbers above 2^53; the fraction x - floor(x) is always exact.
  double r = std::floor(m_value);
  if (m_value - r >= 0.5) r += 1.0;
  return r;
}

void CNumber::AppendTo(Core::String& out) const {
  if (std::isnan(m_value)) {
    out += u"NaN";
    return;
  }
  if (m_value == 0.0) {
    out += u'0';
    return;
  }
  if (std::isinf(m_value)) {
    out += m_value > 0 ? u"Infinity" : u"-Infinity";
    return;
  }
  // Fixed notation with six fraction digits, as printf's "%lf" gives it;
  // the largest double needs 309 integer digits.
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, m_value, std::chars_format::fixed, 6);
  char* end = res.ptr;
  char* point = end - 7;  // always ".dddddd" at the end
  char* last = end;
  while (last > point + 1 && last[-1] == '0') --last;
  if (last == point + 1) last = point;
  out.reserve(out.size() + static_cast<size_t>(last - buf));
  for (char* p = buf; p < last; ++p) out += static_cast<char16_t>(*p);
}

Core::String CNumber::ToString() const {
  Core::String s;
  AppendTo(s);
  return s;
}

bool CNumber::FromString(Core::StringView text, CNumber& out) {
  size_t n = text.size(), i = 0;
  while (i < n && IsBlank(text[i])) ++i;
  if (i == n) return false;
  size_t start = i;
  if (text[i] == u'-') {
    ++i;
    if (i == n) return false;
  }
  if (text[i] == u'.') {
    if (i + 1 >= n || !IsDigit(text[i + 1])) return false;
  } else {
    if (!IsDigit(text[i])) return false;
    while (i < n && IsDigit(text[i])) ++i;
  }
  if (i < n && text[i] == u'.') {
    ++i;
    while (i < n && IsDigit(text[i])) ++i;
  }
  size_t stop = i;
  while (i < n && IsBlank(text[i])) ++i;
  if (i != n) return false;

  // Whole numbers of up to 15 digits, most numbers in documents, are exact
  // as doubles: no need to go through strtod.
  bool negative = text[start] == u'-';
  size_t first = start + (negative ? 1 : 0);
  if (stop - first <= 15) {
    uint64_t whole = 0;
    size_t k = first;
    while (k < stop && IsDigit(text[k])) whole = whole * 10 + uint64_t(text[k++] - u'0');
    if (k == stop) {
      double value = double(whole);
      out = negative ? -value : value;
      return true;
    }
  }

  // Only ASCII digits, "-" and "." remain: narrow them for strtod, which
  // (unlike from_chars) gives the nearest double even on overflow.
  char small[64];
  std::string big;
  size_t len = stop - start;
  char* buf = small;
  if (len >= sizeof small) {
    big.assign(len + 1, '\0');
    buf = big.data();
  }
  for (size_t k = 0; k < len; ++k) buf[k] = static_cast<char>(text[start + k]);
  buf[len] = '\0';
  out = std::strtod(buf, nullptr);
  return true;
}

} // namespace Xpath
