#include "core/Encoding.h"

#include <algorithm>
#include <cstring>

namespace Unicode {

namespace {

constexpr char16_t kByteOrderMark[] = {0xFEFF};

constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Widens the leading run of ASCII bytes; returns its length.
inline int32_t CopyAscii(const uint8_t* in, int32_t inCount, char16_t* out, int32_t outCount) {
  int32_t limit = std::min(inCount, outCount);
  int32_t i = 0;
  while (limit - i >= 8) {
    uint64_t word;
    std::memcpy(&word, in + i, 8);
    if (word & 0x8080808080808080ULL) break;
    for (int k = 0; k < 8; ++k) out[i + k] = in[i + k];
    i += 8;
  }
  while (i < limit && in[i] < 0x80) {
    out[i] = in[i];
    ++i;
  }
  return i;
}

// The leading run of units of the text that are unpaired surrogates.
int32_t CountUnpairedSurrogates(const char16_t* units, int32_t count) {
  int32_t i = 0;
  while (i < count && IsSurrogate(units[i])) {
    if (IsHighSurrogate(units[i]) && i + 1 < count && IsLowSurrogate(units[i + 1])) break;
    ++i;
  }
  return i;
}

} // namespace

int32_t CEncoding::DecodeReplacing(const uint8_t* bytes, int32_t byteCount, int32_t& consumed, char16_t* units,
                                   int32_t unitCapacity, bool& incomplete) const {
  int32_t total = 0;
  consumed = 0;
  for (;;) {
    int32_t used = 0, malformed = 0;
    total += Decode(bytes + consumed, byteCount - consumed, used, units + total, unitCapacity - total, incomplete,
                    malformed);
    consumed += used;
    if (malformed == 0 || total >= unitCapacity) break;
    units[total++] = 0xFFFD;
    consumed += malformed;
  }
  return total;
}

// UTF-8 ---------------------------------------------------------------------

int32_t CUtf8Encoding::Decode(const uint8_t* bytes, int32_t byteCount, int32_t& consumed, char16_t* units,
                              int32_t unitCapacity, bool& incomplete, int32_t& malformed) const {
  incomplete = false;
  malformed = 0;
  int32_t i = 0, o = 0;
  while (i < byteCount && o < unitCapacity) {
    uint8_t lead = bytes[i];
    if (lead < 0x80) {
      int32_t n = CopyAscii(bytes + i, byteCount - i, units + o, unitCapacity - o);
      i += n;
      o += n;
      continue;
    }
    // The well-formed sequences: no overlong forms, no surrogates, nothing
    // above U+10FFFF. Only the second byte has a range narrower than 80..BF.
    int32_t length;
    uint8_t low = 0x80, high = 0xBF;
    char32_t cp;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      cp = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      else if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      cp = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      else if (lead == 0xF4) high = 0x8F;
    } else {
      malformed = 1;
      break;
    }
    int32_t k = 1;
    for (; k < length; ++k) {
      if (i + k >= byteCount) break;
      uint8_t c = bytes[i + k];
      if (c < low || c > high) break;
      low = 0x80;
      high = 0xBF;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (k < length) {
      if (i + k >= byteCount) incomplete = true;
      else malformed = k;
      break;
    }
    if (cp < 0x10000) {
      units[o++] = static_cast<char16_t>(cp);
    } else {
      if (unitCapacity - o < 2) break;
      cp -= 0x10000;
      units[o++] = static_cast<char16_t>(0xD800 + (cp >> 10));
      units[o++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
    i += length;
  }
  consumed = i;
  return o;
}

int32_t CUtf8Encoding::Encode(const char16_t* units, int32_t unitCount, uint8_t* bytes, int32_t byteCapacity,
                              int32_t& written, bool& unencodable) const {
  unencodable = false;
  int32_t i = 0, o = 0;
  while (i < unitCount) {
    char16_t u = units[i];
    if (u < 0x80) {
      int32_t limit = i + std::min(unitCount - i, byteCapacity - o);
      if (limit == i) break;
      while (i < limit && units[i] < 0x80) bytes[o++] = static_cast<uint8_t>(units[i++]);
      continue;
    }
    if (u < 0x800) {
      if (byteCapacity - o < 2) break;
      bytes[o++] = static_cast<uint8_t>(0xC0 | (u >> 6));
      bytes[o++] = static_cast<uint8_t>(0x80 | (u & 0x3F));
      ++i;
    } else if (!IsSurrogate(u)) {
      if (byteCapacity - o < 3) break;
      bytes[o++] = static_cast<uint8_t>(0xE0 | (u >> 12));
      bytes[o++] = static_cast<uint8_t>(0x80 | ((u >> 6) & 0x3F));
      bytes[o++] = static_cast<uint8_t>(0x80 | (u & 0x3F));
      ++i;
    } else if (IsHighSurrogate(u) && i + 1 < unitCount && IsLowSurrogate(units[i + 1])) {
      if (byteCapacity - o < 4) break;
      char32_t cp = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      bytes[o++] = static_cast<uint8_t>(0xF0 | (cp >> 18));
      bytes[o++] = static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F));
      bytes[o++] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
      bytes[o++] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
      i += 2;
    } else {
      unencodable = true;
      break;
    }
  }
  written = o;
  return i;
}

int32_t CUtf8Encoding::CountUnencodable(const char16_t* units, int32_t count) const {
  return CountUnpairedSurrogates(units, count);
}

const char16_t* CUtf8Encoding::GetByteOrderMark(int32_t& length) const {
  length = 0;
  return nullptr;
}

// UTF-16 --------------------------------------------------------------------

int32_t CUtf16Encoding::Decode(const uint8_t* bytes, int32_t byteCount, int32_t& consumed, char16_t* units,
                               int32_t unitCapacity, bool& incomplete, int32_t& malformed) const {
  malformed = 0;
  int32_t n = std::min(byteCount / 2, unitCapacity);
  if (m_bigEndian) {
    for (int32_t k = 0; k < n; ++k) units[k] = static_cast<char16_t>((bytes[2 * k] << 8) | bytes[2 * k + 1]);
  } else {
    for (int32_t k = 0; k < n; ++k) units[k] = static_cast<char16_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8));
  }
  consumed = 2 * n;
  incomplete = n < unitCapacity && byteCount - consumed == 1;
  return n;
}

int32_t CUtf16Encoding::Encode(const char16_t* units, int32_t unitCount, uint8_t* bytes, int32_t byteCapacity,
                               int32_t& written, bool& unencodable) const {
  unencodable = false;
  int32_t i = 0, o = 0;
  int hi = m_bigEndian ? 0 : 1, lo = 1 - hi;
  while (i < unitCount) {
    char16_t u = units[i];
    int32_t take = 1;
    if (IsSurrogate(u)) {
      if (!(IsHighSurrogate(u) && i + 1 < unitCount && IsLowSurrogate(units[i + 1]))) {
        unencodable = true;
        break;
      }
      take = 2;  // a pair is written whole or not at all
    }
    if (byteCapacity - o < 2 * take) break;
    for (int32_t k = 0; k < take; ++k, ++i, o += 2) {
      bytes[o + hi] = static_cast<uint8_t>(units[i] >> 8);
      bytes[o + lo] = static_cast<uint8_t>(units[i] & 0xFF);
    }
  }
  written = o;
  return i;
}

int32_t CUtf16Encoding::CountUnencodable(const char16_t* units, int32_t count) const {
  return CountUnpairedSurrogates(units, count);
}

const char16_t* CUtf16Encoding::GetByteOrderMark(int32_t& length) const {
  length = 1;
  return kByteOrderMark;
}

// ISO-8859-1 ----------------------------------------------------------------

int32_t CIso88591Encoding::Decode(const uint8_t* bytes, int32_t byteCount, int32_t& consumed, char16_t* units,
                                  int32_t unitCapacity, bool& incomplete, int32_t& malformed) const {
  incomplete = false;
  malformed = 0;
  int32_t n = std::min(byteCount, unitCapacity);
  for (int32_t k = 0; k < n; ++k) units[k] = bytes[k];
  consumed = n;
  return n;
}

int32_t CIso88591Encoding::Encode(const char16_t* units, int32_t unitCount, uint8_t* bytes, int32_t byteCapacity,
                                  int32_t& written, bool& unencodable) const {
  int32_t limit = std::min(unitCount, byteCapacity);
  int32_t i = 0;
  while (i < limit && units[i] < 0x100) {
    bytes[i] = static_cast<uint8_t>(units[i]);
    ++i;
  }
  unencodable = i < limit;
  written = i;
  return i;
}

int32_t CIso88591Encoding::CountUnencodable(const char16_t* units, int32_t count) const {
  int32_t i = 0;
  while (i < count && units[i] >= 0x100) ++i;
  return i;
}

const char16_t* CIso88591Encoding::GetByteOrderMark(int32_t& length) const {
  length = 0;
  return nullptr;
}

} // namespace Unicode
