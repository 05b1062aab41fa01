#pragma once
// Pieces shared by the fuzz targets of the core library: UTF-16 text and
// numbers taken from the fuzzer's bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/String.h"

#ifndef KELTO_FUZZ_CHECK
// A fuzz target found a broken invariant: abort so the fuzzer keeps the input.
#define KELTO_FUZZ_CHECK(condition) \
  do {                              \
    if (!(condition)) abort();      \
  } while (0)
#endif

namespace Fuzz {

// Reads the fuzzer's bytes front to back; past the end everything is 0.
class CByteReader {
public:
  CByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  bool AtEnd() const { return m_pos >= m_size; }
  size_t Left() const { return m_size - m_pos; }
  const uint8_t* Here() const { return m_data + m_pos; }

  uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  uint32_t Word32() {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v = v << 8 | Byte();
    return v;
  }
  void Skip(size_t n) { m_pos += n < Left() ? n : Left(); }

  // Text up to the next byte 0x00 (consumed) or the end. Bytes below 0xF0
  // are units of their own value; 0xF0 to 0xFF take the next two bytes as
  // one unit, so surrogates and other wide units are reachable too.
  Core::String Text() {
    Core::String out;
    while (m_pos < m_size) {
      uint8_t b = m_data[m_pos++];
      if (b == 0) break;
      if (b < 0xF0) {
        out += static_cast<char16_t>(b);
      } else {
        uint8_t hi = Byte(), lo = Byte();
        out += static_cast<char16_t>(hi << 8 | lo);
      }
    }
    return out;
  }

private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

// A new empty file named after the pattern (ending in "XXXXXX"), for the
// targets that read through a file; removed when the process exits.
inline std::string MakeScratchFile(const char* pattern) {
  static std::string path;
  path = pattern;
  int fd = mkstemp(path.data());
  if (fd < 0) abort();
  close(fd);
  std::atexit([] { std::remove(path.c_str()); });
  return path;
}

// A new empty folder named after the pattern (ending in "XXXXXX"); removed
// with all it holds when the process exits.
inline std::string MakeScratchFolder(const char* pattern) {
  static std::string path;
  path = pattern;
  if (!mkdtemp(path.data())) abort();
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  });
  return path;
}

} // namespace Fuzz
