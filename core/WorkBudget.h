#pragma once
// A bound on the work one run may ask for, compiled in only for the fuzz
// build (KELTO_WORK_BUDGET): a stylesheet or script that loops for ever by
// its own design then ends in an ordinary error instead of a hang. The
// points where a run asks for unbounded work (script loop iterations and
// calls, template instantiations and instructions, node-list iterations,
// matcher steps) spend from it; internal loops do not, so a hang of the
// engine itself still shows. Elsewhere SpendWork is an empty inline.
#include <cstdint>

#include "core/Exception.h"

namespace Core {

// What the steps spend, weighed so that a unit is about the same work: a
// pass of a script loop is cheap; a call, an XSLT instruction or template,
// or a pass of a node or element loop makes scopes and contexts.
constexpr int64_t kLoopWork = 1;
constexpr int64_t kCallWork = 10;

class CWorkBudgetExhausted : public IException {
public:
  String GetMessage() const override { return u"Work budget of the run exhausted"; }
};

#if defined(KELTO_WORK_BUDGET)

namespace WorkBudgetPrivate {
extern int64_t g_left;
[[noreturn]] void Exhausted();
} // namespace WorkBudgetPrivate

// The steps the next work may take; without a call there is no bound. One
// run at a time: the budget is the process's.
void SetWorkBudget(int64_t steps);

// Throws CWorkBudgetExhausted once the budget is spent, and again at every
// later step, so a handler that catches it cannot keep the run going.
inline void SpendWork(int64_t steps) {
  if ((WorkBudgetPrivate::g_left -= steps) < 0) WorkBudgetPrivate::Exhausted();
}

#else

inline void SpendWork(int64_t) {}

#endif

} // namespace Core
