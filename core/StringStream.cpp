#include "core/StringStream.h"

#include <algorithm>

namespace Core {

int32_t CStringStream::Read(char16_t* buffer, int32_t count) {
  int32_t length = static_cast<int32_t>(m_text.size());
  int32_t n = std::min(count, length - m_position);
  if (n <= 0) return 0;
  std::copy_n(m_text.data() + m_position, n, buffer);
  m_position += n;
  return n;
}

int32_t CStringStream::Write(const char16_t*, int32_t) { return 0; }

int32_t CStringStream::Seek(int32_t offset, int32_t origin) {
  int64_t base = 0;
  if (origin == SeekCurrent) base = m_position;
  else if (origin == SeekEnd) base = static_cast<int64_t>(m_text.size());
  int64_t position = std::clamp<int64_t>(base + offset, 0, static_cast<int64_t>(m_text.size()));
  m_position = static_cast<int32_t>(position);
  return 0;
}

} // namespace Core
