#include "app/StandardError.h"

#include <cstdio>

namespace Kelto {

void WriteStandardError(std::string_view utf8) {
  if (!utf8.empty()) std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

void WriteStandardError(Core::StringView text) {
  std::string utf8;
  Core::StringToUtf8(text, utf8);
  WriteStandardError(std::string_view(utf8));
}

int32_t CStderrStream::Write(const char16_t* buffer, int32_t count) {
  if (!buffer || count <= 0) return 0;
  Core::StringView text(buffer, size_t(count));
  size_t nul = text.find(u'\0');
  WriteStandardError(text.substr(0, nul));
  return count;
}

} // namespace Kelto
