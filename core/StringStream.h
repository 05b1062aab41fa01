#pragma once
// A read-only UTF-16 stream over a copy of a text.
#include "core/Stream.h"
#include "core/String.h"

namespace Core {

class CStringStream : public IUnicodeStream {
public:
  explicit CStringStream(StringView text) : m_text(text) {}

  int32_t Read(char16_t* buffer, int32_t count) override;
  // Stores nothing; returns 0.
  int32_t Write(const char16_t* buffer, int32_t count) override;
  // The position is kept within [0, length]; any other origin counts from the start.
  int32_t Seek(int32_t offset, int32_t origin) override;
  int32_t Tell() override { return m_position; }

private:
  String m_text;
  int32_t m_position = 0;
};

} // namespace Core
