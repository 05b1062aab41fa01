#pragma once
// The six XPath comparison operators over any two values.
#include <cstdint>

#include "xpath/Context.h"
#include "xpath/Value.h"

namespace XpathPrivate {

enum : int32_t {
  CompareEqual = 0,
  CompareNotEqual = 1,
  CompareLess = 2,
  CompareGreater = 3,
  CompareLessOrEqual = 4,
  CompareGreaterOrEqual = 5,
};

// left op right by the XPath 1.0 rules. Node sets are walked lazily, as far
// as the answer needs, and each node's string value is taken at most once.
// Node sets against extension types go to the host's comparison extension.
bool CompareValues(Xpath::CContext* context, int32_t op, const Xpath::CValue& left, const Xpath::CValue& right);

} // namespace XpathPrivate
