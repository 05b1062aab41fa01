#include "script/builtins/GlobalFunctions.h"

#include "script/builtins/StringLength.h"
#include "script/engine/Conversions.h"
#include "script/engine/ScriptNumber.h"

namespace EcmaScript {

namespace {

constexpr bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The value of c as a digit of radix 36, or 36 for no digit.
int32_t DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 36;
}

int32_t HexValue(char16_t c) {
  int32_t d = DigitValue(c);
  return d < 16 ? d : -1;
}

// The units escape leaves as they are.
bool IsEscapeSafe(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || IsDigit(c)) return true;
  switch (c) {
  case u'@': case u'*': case u'_': case u'+': case u'-': case u'.': case u'/':
    return true;
  default:
    return false;
  }
}

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

size_t SkipWhiteSpace(Core::StringView text) {
  size_t i = 0;
  while (i < text.size() && IsStrWhiteSpace(text[i])) ++i;
  return i;
}

} // namespace

int32_t ScanUnsignedDecimal(Core::StringView text, int32_t start) {
  const size_t n = text.size();
  size_t k = static_cast<size_t>(start);
  if (text.substr(k, 8) == u"Infinity") return static_cast<int32_t>(k + 8);
  if (k >= n) return -1;
  if (text[k] == u'.') {
    if (k + 1 >= n || !IsDigit(text[k + 1])) return -1;
    k += 1;
    while (k < n && IsDigit(text[k])) ++k;
  } else {
    if (!IsDigit(text[k])) return -1;
    while (k < n && IsDigit(text[k])) ++k;
    if (k < n && text[k] == u'.') {
      ++k;
      while (k < n && IsDigit(text[k])) ++k;
    }
  }
  if (k < n && (text[k] == u'e' || text[k] == u'E')) {
    size_t e = k + 1;
    if (e < n && (text[e] == u'+' || text[e] == u'-')) ++e;
    if (e < n && IsDigit(text[e])) {
      while (e < n && IsDigit(text[e])) ++e;
      k = e;
    }
  }
  return static_cast<int32_t>(k);
}

bool ParseHexDigits(Core::StringView text, int32_t start, int32_t count, char16_t& out) {
  uint32_t value = 0;
  for (int32_t i = 0; i < count; ++i) {
    int32_t d = HexValue(text[static_cast<size_t>(start + i)]);
    if (d < 0) return false;
    value = value * 16 + static_cast<uint32_t>(d);
  }
  out = static_cast<char16_t>(value);
  return true;
}

XValue ParseInt(CExecutionContext& context, CValue* string, CValue* radix) {
  XValue text = ToStringValue(context, string);
  Core::StringView s = text->GetString();
  size_t i = SkipWhiteSpace(s);
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
    negative = s[i] == u'-';
    ++i;
  }
  int32_t r = 0;
  if (radix->GetType() != CValue::UndefinedType) {
    r = ToNumber(context, radix).ToInt32();
    if (r != 0 && (r < 2 || r > 36)) return MakeNumber(CScriptNumber::NaN);
  }
  auto hexPrefix = [&] { return i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X'); };
  if (r == 16 && hexPrefix()) i += 2;
  if (r == 0) {
    if (hexPrefix()) {
      r = 16;
      i += 2;
    } else if (i < s.size() && s[i] == u'0') {
      r = 8;
    } else {
      r = 10;
    }
  }
  CScriptNumber value;
  if (!StringToNumberInRadix(s.substr(i), r, value)) return MakeNumber(CScriptNumber::NaN);
  return MakeNumber(negative ? -value : value);
}

XValue ParseFloat(CExecutionContext& context, CValue* string) {
  XValue text = ToStringValue(context, string);
  Core::StringView s = text->GetString();
  size_t i = SkipWhiteSpace(s);
  size_t digits = i;
  if (digits < s.size() && (s[digits] == u'+' || s[digits] == u'-')) ++digits;
  int32_t end = ScanUnsignedDecimal(s, static_cast<int32_t>(digits));
  if (end < 0) return MakeNumber(CScriptNumber::NaN);
  CScriptNumber value;
  if (!StringToNumber(s.substr(i, static_cast<size_t>(end) - i), value)) value = CScriptNumber::NaN;
  return MakeNumber(value);
}

XValue Escape(CExecutionContext& context, CValue* string) {
  XValue text = ToStringValue(context, string);
  Core::StringView s = text->GetString();
  Core::String out;
  out.reserve(s.size());
  for (char16_t c : s) {
    CheckStringLength(out.size() + 6);
    if (IsEscapeSafe(c)) {
      out += c;
    } else if (c < 256) {
      out += u'%';
      out += kHexDigits[c >> 4];
      out += kHexDigits[c & 15];
    } else {
      out += u"%u";
      out += kHexDigits[c >> 12];
      out += kHexDigits[(c >> 8) & 15];
      out += kHexDigits[(c >> 4) & 15];
      out += kHexDigits[c & 15];
    }
  }
  return MakeString(std::move(out));
}

XValue Unescape(CExecutionContext& context, CValue* string) {
  XValue text = ToStringValue(context, string);
  Core::StringView s = text->GetString();
  const size_t n = s.size();
  Core::String out;
  out.reserve(n);
  for (size_t k = 0; k < n; ++k) {
    char16_t c = s[k];
    char16_t unit;
    if (c == u'%' && k + 6 <= n && s[k + 1] == u'u' && ParseHexDigits(s, static_cast<int32_t>(k + 2), 4, unit)) {
      out += unit;
      k += 5;
    } else if (c == u'%' && k + 3 <= n && ParseHexDigits(s, static_cast<int32_t>(k + 1), 2, unit)) {
      out += unit;
      k += 2;
    } else {
      out += c;
    }
  }
  return MakeString(std::move(out));
}

XValue IsNaN(CExecutionContext& context, CValue* number) { return MakeBoolean(ToNumber(context, number).IsNaN()); }

XValue IsFinite(CExecutionContext& context, CValue* number) {
  CScriptNumber n = ToNumber(context, number);
  return MakeBoolean(!(n.IsNaN() || n.IsPositiveInfinity() || n.IsNegativeInfinity()));
}

} // namespace EcmaScript
