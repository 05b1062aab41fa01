#include "script/builtins/PrintSink.h"

#include <cstdio>
#include <string>

namespace EcmaScript {

void CStandardOutputSink::PrintLine(Core::StringView text) {
  std::string bytes;
  Core::StringToUtf8(text, bytes);
  bytes += '\n';
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

} // namespace EcmaScript
