#pragma once
// Failures of node operations, with the codes of DOM Level 1. The read-only
// tree throws 7 for every mutation and 9 for what it does not support; the
// tree builder throws 8 for an undeclared prefix; SubstringData throws 1.
#include <cstdint>

#include "core/Exception.h"

namespace Dom {

extern const Core::CMessageItem DomExceptionMessages[];

class CDomException : public Core::CCodedException {
public:
  explicit CDomException(int32_t code) : Core::CCodedException(DomExceptionMessages, code) {}
};

} // namespace Dom
