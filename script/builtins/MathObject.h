#pragma once
// Math: eight constants and eighteen functions over number records. The
// functions test the special cases of the language (NaN, signed zeros,
// infinities) before the C library computes; the date library calls some
// of them directly.
//
// Math.random is a 15-bit linear congruential generator with one state per
// process: every engine draws from the same sequence, seeded once from the
// clock at the first draw unless a seed was set before.
#include <cstdint>

#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScript {

class CMathObject : public CScriptObject {
public:
  // Prototype Object.prototype of the global object.
  explicit CMathObject(CGlobalObjectBase* global);

  void Populate();
  // Methods 0 to 17 in registration order; any other number runs abs.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;
};

CScriptNumber MathE();
CScriptNumber MathPi();
CScriptNumber MathAbs(CScriptNumber x);
CScriptNumber MathAcos(CScriptNumber x);
CScriptNumber MathAsin(CScriptNumber x);
CScriptNumber MathAtan(CScriptNumber x);
CScriptNumber MathAtan2(CScriptNumber y, CScriptNumber x);
CScriptNumber MathCeil(CScriptNumber x);
CScriptNumber MathCos(CScriptNumber x);
CScriptNumber MathExp(CScriptNumber x);
CScriptNumber MathFloor(CScriptNumber x);
CScriptNumber MathLog(CScriptNumber x);
CScriptNumber MathMax(CScriptNumber x, CScriptNumber y);
CScriptNumber MathMin(CScriptNumber x, CScriptNumber y);
CScriptNumber MathPow(CScriptNumber x, CScriptNumber y);
CScriptNumber MathRandom();
CScriptNumber MathRound(CScriptNumber x);
CScriptNumber MathSin(CScriptNumber x);
CScriptNumber MathSqrt(CScriptNumber x);
CScriptNumber MathTan(CScriptNumber x);

// Sets the generator's state; no clock seeding happens afterwards.
void SeedMathRandom(uint32_t seed);

} // namespace EcmaScript
