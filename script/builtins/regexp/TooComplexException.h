#pragma once
// A search or compile that passed one of the engine's limits: too many
// matcher steps in one search, a backtrack stack past its cap, or memory
// exhausted. The script's RegExp layer reports it as a runtime error.
#include "core/Exception.h"

namespace RegExp {

class CTooComplexException : public Core::IException {
public:
  enum Reason { Steps, Stack, Memory };

  explicit CTooComplexException(Reason reason) : m_reason(reason) {}

  Core::String GetMessage() const override { return u"Regular expression too complex"; }
  Reason GetReason() const { return m_reason; }

private:
  Reason m_reason;
};

} // namespace RegExp
