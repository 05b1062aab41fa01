#pragma once
// Prints the syntax errors of every script parsed during the run. The count
// is never reset: the limit applies to all scripts of the run together.
#include <cstdint>

#include "script/engine/ParseErrorHandler.h"

namespace Kelto {

class CParseErrorReporter : public EcmaScript::IParseErrorHandler {
public:
  explicit CParseErrorReporter(int32_t limit) : m_limit(limit) {}
  // "Parse error at line N: TEXT"; false once the limit is reached.
  bool Report(int32_t line, const Core::String& message) override;

private:
  int32_t m_limit;
  int32_t m_errorCount = 0;
};

} // namespace Kelto
