#pragma once
// Standard error, the one place where the program writes its diagnostics:
// everything goes out as UTF-8 bytes through one path, the text always data
// and never a format.
#include <string_view>

#include "core/Stream.h"
#include "core/String.h"

namespace Kelto {

void WriteStandardError(std::string_view utf8);
// An unpaired surrogate is written as U+FFFD.
void WriteStandardError(Core::StringView text);

// The UTF-16 stream that receives xsl:message output and error reports.
// Reads nothing; a NUL unit ends the text written by one call.
class CStderrStream : public Core::IUnicodeStream {
public:
  int32_t Read(char16_t*, int32_t) override { return 0; }
  int32_t Write(const char16_t* buffer, int32_t count) override;
  int32_t Seek(int32_t, int32_t) override { return 0; }
  int32_t Tell() override { return 0; }
};

} // namespace Kelto
