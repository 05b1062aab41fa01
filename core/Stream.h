#pragma once
// Byte and UTF-16 streams, shared by use count.
#include <cstdint>

#include "core/Interface.h"

namespace Core {

// Seek origins.
enum : int32_t { SeekStart = 0, SeekCurrent = 1, SeekEnd = 2 };

class IStream : public CInterface {
public:
  // Up to count bytes; returns the number read, 0 at the end of the data.
  virtual int32_t Read(uint8_t* buffer, int32_t count) = 0;
  // Returns the number of bytes written; fewer than count means a failure.
  virtual int32_t Write(const uint8_t* buffer, int32_t count) = 0;
  // 0 on success.
  virtual int32_t Seek(int32_t offset, int32_t origin) = 0;
  virtual int32_t Tell() = 0;
};

class IUnicodeStream : public CInterface {
public:
  virtual int32_t Read(char16_t* buffer, int32_t count) = 0;
  virtual int32_t Write(const char16_t* buffer, int32_t count) = 0;
  virtual int32_t Seek(int32_t offset, int32_t origin) = 0;
  virtual int32_t Tell() = 0;
};

} // namespace Core
