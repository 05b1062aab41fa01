#pragma once
// The report package's failures: misuse of its elements and functions, and
// counter names that are unknown or defined twice.
#include <cstdint>

#include "core/Exception.h"
#include "core/String.h"

namespace XsltReports {

class CXsltReportsException : public Core::CCodedException {
public:
  enum : int32_t {
    InvalidAttributeCombination = 0,
    InvalidComputedAttributeValue = 1,
    InvalidSelectionResultType = 2,
    InvalidGroupAttributes = 3,
    InvalidNumberOfArguments = 4,
  };

  explicit CXsltReportsException(int32_t code, Core::String text1 = {}, Core::String text2 = {});
};

} // namespace XsltReports

namespace XsltReportsPrivate {

class CCounterTableException : public Core::CCodedException {
public:
  enum : int32_t { UndefinedCounterName = 0, DuplicateCounterName = 1 };

  CCounterTableException(int32_t code, Core::String name);

  const Core::String& GetName() const { return GetArg(0); }
};

} // namespace XsltReportsPrivate
