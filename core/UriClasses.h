#pragma once
// Character classes of the generic URI syntax, shared by the parser and the
// %-escaping of file names. Units of 0x80 and above belong to no class.
#include <array>
#include <cstdint>

namespace Uri {

enum : uint8_t {
  kAlpha = 0x01,
  kSchemeUnit = 0x02,        // alpha, digit, "+", "-", "."
  kPathUnit = 0x04,          // unreserved and ":@&=+$,;" (segments and authority)
  kFirstSegmentUnit = 0x08,  // as a segment, without ":"
  kUricUnit = 0x10,          // reserved and unreserved
  kHex = 0x20,
};

inline constexpr std::array<uint8_t, 128> kUriClassTable = [] {
  std::array<uint8_t, 128> t{};
  auto add = [&t](const char* units, uint8_t c) {
    for (const char* p = units; *p; ++p) t[static_cast<unsigned char>(*p)] |= c;
  };
  const char* alpha = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const char* digit = "0123456789";
  const char* mark = "-_.!~*'()";
  const char* reserved = ";/?:@&=+$,";
  add(alpha, kAlpha);
  for (const char* s : {alpha, digit, "+-."}) add(s, kSchemeUnit);
  for (const char* s : {alpha, digit, mark, ":@&=+$,;"}) add(s, kPathUnit);
  for (const char* s : {alpha, digit, mark, "@&=+$,;"}) add(s, kFirstSegmentUnit);
  for (const char* s : {alpha, digit, mark, reserved}) add(s, kUricUnit);
  add("0123456789ABCDEFabcdef", kHex);
  return t;
}();

inline bool HasClass(char16_t c, unsigned classes) { return c < 0x80 && (kUriClassTable[c] & classes) != 0; }
inline bool IsHexUnit(char16_t c) { return HasClass(c, kHex); }
inline int HexValue(char16_t c) { return c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10; }

} // namespace Uri
