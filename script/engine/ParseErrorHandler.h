#pragma once
// Receives the syntax errors of the scanner and the parser, one call each.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"

namespace EcmaScript {

class IParseErrorHandler : public Core::CInterface {
public:
  // True asks the parser to go on; false to stop reporting.
  virtual bool Report(int32_t line, const Core::String& message) = 0;
};

} // namespace EcmaScript
