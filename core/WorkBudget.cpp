#include "core/WorkBudget.h"

#if defined(KELTO_WORK_BUDGET)

#include <limits>

namespace Core {

namespace WorkBudgetPrivate {

int64_t g_left = std::numeric_limits<int64_t>::max();

void Exhausted() {
  // Stays spent: the next step fails too, and the count cannot run away.
  g_left = 0;
  throw CWorkBudgetExhausted();
}

} // namespace WorkBudgetPrivate

void SetWorkBudget(int64_t steps) { WorkBudgetPrivate::g_left = steps; }

} // namespace Core

#endif
