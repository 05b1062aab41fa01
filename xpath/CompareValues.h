#pragma once
// The six XPath comparison operators over any two values.
#include <cstdint>

#include "xpath/Context.h"
#include "xpath/Number.h"
#include "xpath/Value.h"

namespace XpathPrivate {

class CEvaluationCache;

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

// The same, for an operand compared again and again within one evaluation
// (lasting): its node set is read through a summary kept in cache, once for
// all those comparisons.
bool CompareValues(Xpath::CContext* context, int32_t op, const Xpath::CValue& left, const Xpath::CValue& right,
                   CEvaluationCache* cache, bool leftLasting, bool rightLasting);

// a op b for numbers, by IEEE rules.
bool CompareNumbers(int32_t op, Xpath::CNumber a, Xpath::CNumber b);

} // namespace XpathPrivate
