// Fuzz target: number text both ways. The first byte picks the mode: the
// next eight bytes as a double written by the XPath rules and read back, or
// the rest as text read by the XPath rules and by the general number parser,
// against the C library's conversions.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "FuzzText.h"
#include "core/StringHelpers.h"
#include "xpath/Number.h"

namespace {

using Core::String;

bool SameDouble(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

// "%lf" with trailing fraction zeros and a bare point dropped.
String ReferenceText(double x) {
  char buf[512];
  int n = std::snprintf(buf, sizeof buf, "%lf", x);
  KELTO_FUZZ_CHECK(n > 0 && n < static_cast<int>(sizeof buf));
  char* point = std::strchr(buf, '.');
  char* last = buf + n;
  while (last > point + 1 && last[-1] == '0') --last;
  if (last == point + 1) last = point;
  return String(buf, last);
}

void CheckToText(double x) {
  Xpath::CNumber number(x);
  String text = number.ToString();
  String appended = u"ab";
  number.AppendTo(appended);
  KELTO_FUZZ_CHECK(appended == u"ab" + text);
  if (std::isnan(x)) {
    KELTO_FUZZ_CHECK(text == u"NaN");
    return;
  }
  if (std::isinf(x)) {
    KELTO_FUZZ_CHECK(text == (x > 0 ? u"Infinity" : u"-Infinity"));
    return;
  }
  if (x == 0) {
    KELTO_FUZZ_CHECK(text == u"0");
    return;
  }
  KELTO_FUZZ_CHECK(text == ReferenceText(x));
  // Fixed notation, at most six fraction digits, none of them a final zero.
  size_t point = text.find(u'.');
  if (point != String::npos) {
    KELTO_FUZZ_CHECK(text.size() - point - 1 <= 6 && text.back() != u'0');
  }
  // Read back: within half a unit of the sixth digit (and the rounding of
  // the double), and written again to the same text. "-0" is the one text
  // whose number writes differently: -0.0000001 keeps its sign, -0 does not.
  Xpath::CNumber back;
  KELTO_FUZZ_CHECK(Xpath::CNumber::FromString(text, back));
  double y = back.GetValue();
  double bound = 5e-7 * (1 + 1e-9) + std::fabs(x) * std::ldexp(1.0, -52);
  KELTO_FUZZ_CHECK(std::fabs(y - x) <= bound);
  if (text != u"-0") KELTO_FUZZ_CHECK(back.ToString() == text);
  double parsed = 0;
  KELTO_FUZZ_CHECK(Core::ParseDouble(text, parsed) && SameDouble(parsed, y));
}

void CheckRounding(double x) {
  Xpath::CNumber n(x);
  double r = n.Round().GetValue(), f = n.Floor().GetValue(), c = n.Ceiling().GetValue();
  KELTO_FUZZ_CHECK(SameDouble(f, std::floor(x)) && SameDouble(c, std::ceil(x)));
  if (std::isnan(x) || std::isinf(x) || x == 0) {
    KELTO_FUZZ_CHECK(SameDouble(r, x));
  } else if (x < 0 && x >= -0.5) {
    KELTO_FUZZ_CHECK(SameDouble(r, -0.0));
  } else {
    // The nearest integer, halves upward.
    KELTO_FUZZ_CHECK(r == f || r == f + 1);
    KELTO_FUZZ_CHECK((x - f >= 0.5) == (r != f) || f == x);
  }
  int32_t i = n.ToInt();
  if (std::isnan(x)) KELTO_FUZZ_CHECK(i == 0);
  else if (x >= 2147483647.0) KELTO_FUZZ_CHECK(i == std::numeric_limits<int32_t>::max());
  else if (x <= -2147483648.0) KELTO_FUZZ_CHECK(i == std::numeric_limits<int32_t>::min());
  else KELTO_FUZZ_CHECK(i == static_cast<int32_t>(std::trunc(x)));
}

bool IsXpathBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

void CheckFromText(const String& text) {
  // The XPath form: -?(digits(.digits?)?|.digits) between blanks.
  Xpath::CNumber sentinel(12345.5);
  Xpath::CNumber out = sentinel;
  bool xpathOk = Xpath::CNumber::FromString(text, out);
  double general = 0;
  bool generalOk = Core::ParseDouble(text, general);
  if (!xpathOk) KELTO_FUZZ_CHECK(SameDouble(out.GetValue(), sentinel.GetValue()));
  if (!generalOk && !xpathOk) return;

  // Both grammars are plain ASCII, so the C library can check the value.
  std::string narrow;
  for (char16_t c : text) {
    KELTO_FUZZ_CHECK(c < 0x80);
    narrow += static_cast<char>(c);
  }
  char* end = nullptr;
  double reference = std::strtod(narrow.c_str(), &end);
  if (xpathOk) {
    // Every XPath number is a number of the general grammar, and its value.
    KELTO_FUZZ_CHECK(generalOk);
    KELTO_FUZZ_CHECK(SameDouble(out.GetValue(), reference));
    size_t b = 0, e = text.size();
    while (b < e && IsXpathBlank(text[b])) ++b;
    while (e > b && IsXpathBlank(text[e - 1])) --e;
    for (size_t k = b; k < e; ++k)
      KELTO_FUZZ_CHECK((text[k] >= u'0' && text[k] <= u'9') || text[k] == u'.' || (text[k] == u'-' && k == b));
  }
  KELTO_FUZZ_CHECK(SameDouble(general, reference));
  // The text after the number is white space alone.
  for (; *end; ++end) KELTO_FUZZ_CHECK(Core::IsSpace(static_cast<unsigned char>(*end)));
  CheckToText(general);
  CheckRounding(general);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 4096) return 0;
  Fuzz::CByteReader in(data + 1, size - 1);
  if (data[0] & 1) {
    uint64_t bits = 0;
    for (int k = 0; k < 8; ++k) bits = bits << 8 | in.Byte();
    double x = std::bit_cast<double>(bits);
    // Small magnitudes are where the six digits matter: scale some down.
    if (data[0] & 2) {
      int exponent = 0;
      x = std::ldexp(std::frexp(x, &exponent), -(data[0] >> 2));
    }
    CheckToText(x);
    CheckRounding(x);
  } else {
    CheckFromText(in.Text());
  }
  return 0;
}
