// Number text both ways. Independent of the C locale: digits are produced by
// std::to_chars and doubles read by Core::ParseDouble.
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/StringHelpers.h"
#include "script/engine/ScriptNumber.h"

namespace EcmaScript {

namespace {

constexpr bool IsDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The value of c as a digit of any radix up to 36, or 99. Units beyond ASCII
// are never digits, whatever their low byte.
int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

// TAB, LF, VT, FF, CR and space.
constexpr bool IsNumberSpace(char16_t c) { return c == u' ' || (c >= 0x09 && c <= 0x0D); }

CScriptNumber FromUnsigned(uint32_t value) {
  if (value < 0x80000000u) return CScriptNumber(static_cast<int32_t>(value));
  return CScriptNumber(static_cast<double>(value));
}

// value = value * radix + digit over the leading digits of the radix.
bool AccumulateDigits(Core::StringView text, int radix, CScriptNumber& out) {
  double value = 0;
  size_t i = 0;
  for (; i < text.size(); ++i) {
    int d = DigitValue(text[i]);
    if (d >= radix) break;
    value = value * radix + d;
  }
  if (i == 0) return false;
  out = CScriptNumber(value);
  return true;
}

// The unsigned conversion of a 32-bit C runtime, which hexadecimal and octal
// text has always gone through: leading white space, a sign ("-" negates
// modulo 2^32) and, in radix 16, a "0x" before the digits are accepted; a
// magnitude above 4294967295 overflows. True with the value when the whole
// text was consumed without overflow.
bool Unsigned32(Core::StringView text, int radix, uint32_t& value) {
  size_t n = text.size();
  if (n == 0) {
    value = 0;  // nothing to convert, nothing left over
    return true;
  }
  size_t i = 0;
  while (i < n && IsNumberSpace(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (radix == 16 && i + 2 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
      DigitValue(text[i + 2]) < 16) {
    i += 2;
  }
  size_t first = i;
  uint64_t magnitude = 0;
  bool overflow = false;
  for (; i < n; ++i) {
    int d = DigitValue(text[i]);
    if (d >= radix) break;
    if (!overflow) {
      magnitude = magnitude * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
      if (magnitude > 0xFFFFFFFFull) overflow = true;
    }
  }
  if (i == first || i != n || overflow) return false;
  uint32_t m = static_cast<uint32_t>(magnitude);
  value = negative ? 0u - m : m;
  return true;
}

bool DigitsInRadix(Core::StringView text, int radix, CScriptNumber& out) {
  uint32_t value;
  if (Unsigned32(text, radix, value)) {
    out = FromUnsigned(value);
    return true;
  }
  return AccumulateDigits(text, radix, out);
}

// [+|-] (digits [. [digits]] | . digits) [(e|E) [+|-] digits], nothing else.
bool DecimalToNumber(Core::StringView text, bool signAllowed, CScriptNumber& out) {
  size_t i = 0, n = text.size();
  bool negative = false;
  if (signAllowed && i < n && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  size_t numberStart = i;
  size_t intDigits = 0, fracDigits = 0;
  while (i < n && IsDecimalDigit(text[i])) ++i, ++intDigits;
  bool isDouble = false;
  if (i < n && text[i] == u'.') {
    isDouble = true;
    ++i;
    while (i < n && IsDecimalDigit(text[i])) ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) return false;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    isDouble = true;
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    size_t expDigits = 0;
    while (i < n && IsDecimalDigit(text[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != n) return false;

  if (!isDouble) {
    size_t k = numberStart;
    while (k < n && text[k] == u'0') ++k;
    if (n - k <= 9) {
      int32_t value = 0;
      for (; k < n; ++k) value = value * 10 + (text[k] - u'0');
      out = CScriptNumber(negative ? -value : value);  // "-0" is integer 0
      return true;
    }
  }
  double value = 0;
  Core::ParseDouble(text.substr(numberStart), value);  // the grammar was checked above
  out = CScriptNumber(negative ? -value : value);
  return true;
}

void AppendInteger(int64_t value, Core::String& out) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

// The layout of the language for a finite, non-zero double: with the
// shortest digits d1..dk and the decimal exponent n (value = 0.d1..dk * 10^n),
// plain notation for -6 < n <= 21 and exponent notation otherwise.
void AppendDouble(double value, Core::String& out) {
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  const char* p = buf;
  if (*p == '-') {
    out += u'-';
    ++p;
  }
  char digits[24];
  int k = 0;
  for (; p < r.ptr && *p != 'e'; ++p) {
    if (*p != '.') digits[k++] = *p;
  }
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+'), r.ptr, exponent);
  int n = exponent + 1;
  if (k <= n && n <= 21) {
    out.append(digits, digits + k);
    out.append(static_cast<size_t>(n - k), u'0');
  } else if (0 < n && n <= 21) {
    out.append(digits, digits + n);
    out += u'.';
    out.append(digits + n, digits + k);
  } else if (-6 < n && n <= 0) {
    out += u"0.";
    out.append(static_cast<size_t>(-n), u'0');
    out.append(digits, digits + k);
  } else {
    out += static_cast<char16_t>(digits[0]);
    if (k > 1) {
      out += u'.';
      out.append(digits + 1, digits + k);
    }
    out += u'e';
    out += n - 1 >= 0 ? u'+' : u'-';
    AppendInteger(std::abs(n - 1), out);
  }
}

} // namespace

void CScriptNumber::AppendTo(Core::String& out) const {
  if (m_isInteger) {
    AppendInteger(m_integer, out);
  } else if (std::isnan(m_double)) {
    out += u"NaN";
  } else if (m_double == 0.0) {
    out += u'0';
  } else if (std::isinf(m_double)) {
    out += m_double > 0 ? u"Infinity" : u"-Infinity";
  } else {
    AppendDouble(m_double, out);
  }
}

Core::String CScriptNumber::ToString() const {
  Core::String out;
  AppendTo(out);
  return out;
}

bool StringToNumber(Core::StringView text, CScriptNumber& out) {
  size_t b = 0, e = text.size();
  while (b < e && IsNumberSpace(text[b])) ++b;
  while (e > b && IsNumberSpace(text[e - 1])) --e;
  Core::StringView s = text.substr(b, e - b);
  if (s.empty()) {
    out = CScriptNumber(0);
    return true;
  }
  if (s == u"Infinity" || s == u"+Infinity") {
    out = CScriptNumber::PositiveInfinity;
    return true;
  }
  if (s == u"-Infinity") {
    out = CScriptNumber::NegativeInfinity;
    return true;
  }
  if (s.size() >= 3 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) return DigitsInRadix(s.substr(2), 16, out);
  return DecimalToNumber(s, true, out);
}

bool LiteralToNumber(Core::StringView text, CScriptNumber& out) {
  if (text.empty()) return false;
  if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    return DigitsInRadix(text.substr(2), 16, out);
  }
  if (text.size() >= 2 && text[0] == u'0' && IsDecimalDigit(text[1])) return DigitsInRadix(text.substr(1), 8, out);
  return DecimalToNumber(text, false, out);
}

bool StringToNumberInRadix(Core::StringView digits, int32_t radix, CScriptNumber& out) {
  if (radix < 2 || radix > 36) return false;
  uint64_t value = 0;
  size_t i = 0;
  for (; i < digits.size(); ++i) {
    int d = DigitValue(digits[i]);
    if (d >= radix) break;
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFull) return AccumulateDigits(digits, radix, out);
  }
  if (i == 0) return false;
  out = FromUnsigned(static_cast<uint32_t>(value));
  return true;
}

Core::String UnsignedToString(uint32_t value) {
  Core::String out;
  AppendInteger(value, out);
  return out;
}

} // namespace EcmaScript
