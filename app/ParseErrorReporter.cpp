#include "app/ParseErrorReporter.h"

#include <string>

#include "app/StandardError.h"

namespace Kelto {

bool CParseErrorReporter::Report(int32_t line, const Core::String& message) {
  std::string number = std::to_string(line);
  WriteStandardError(Core::String(u"Parse error at line ") + Core::String(number.begin(), number.end()) + u": " +
                     message + u"\n");
  return ++m_errorCount < m_limit;
}

} // namespace Kelto
