#include "script/builtins/MathObject.h"

#include <cmath>

#include "script/builtins/RandomGenerator.h"
#include "script/engine/Conversions.h"

namespace EcmaScript {

namespace {

constexpr double kE = 2.718281828459045;
constexpr double kPi = 3.141592653589793;

CScriptNumber Double(double value) { return CScriptNumber(value); }

bool IsZero(CScriptNumber x) { return x.IsPositiveZero() || x.IsNegativeZero(); }
bool IsInfinite(CScriptNumber x) { return x.IsPositiveInfinity() || x.IsNegativeInfinity(); }

// fmod(y, 2) is 1 for positive and -1 for negative odd integers.
bool IsOddInteger(double y) {
  double r = std::fmod(y, 2.0);
  return y > 0 ? r == 1.0 : r == -1.0;
}

struct CMethodRow {
  const char16_t* name;
  int32_t length;
};

const CMethodRow kMethods[] = {
    {u"abs", 1},  {u"acos", 1}, {u"asin", 1}, {u"atan", 1},  {u"atan2", 2},  {u"ceil", 1},
    {u"cos", 1},  {u"exp", 1},  {u"floor", 1}, {u"log", 1},  {u"max", 2},    {u"min", 2},
    {u"pow", 2},  {u"random", 0}, {u"round", 1}, {u"sin", 1}, {u"sqrt", 1}, {u"tan", 1},
};

enum : int32_t {
  Abs, Acos, Asin, Atan, Atan2, Ceil, Cos, Exp, Floor, Log, Max, Min, Pow, Random, Round, Sin, Sqrt, Tan,
};

} // namespace

CMathObject::CMathObject(CGlobalObjectBase* global) : CScriptObject(global, global->GetObjectPrototype()) {}

void CMathObject::Populate() {
  const int32_t constant = ReadOnly | DontEnum | DontDelete;
  DefineNumberProperty(u"E", MathE(), constant);
  DefineNumberProperty(u"LN10", MathLog(CScriptNumber(10)), constant);
  DefineNumberProperty(u"LN2", MathLog(CScriptNumber(2)), constant);
  DefineNumberProperty(u"LOG2E", CScriptNumber(1) / MathLog(CScriptNumber(2)), constant);
  DefineNumberProperty(u"LOG10E", CScriptNumber(1) / MathLog(CScriptNumber(10)), constant);
  DefineNumberProperty(u"PI", MathPi(), constant);
  DefineNumberProperty(u"SQRT1_2", MathSqrt(CScriptNumber(1) / CScriptNumber(2)), constant);
  DefineNumberProperty(u"SQRT2", MathSqrt(CScriptNumber(2)), constant);
  int32_t number = 0;
  for (const CMethodRow& row : kMethods) DefineMethod(row.name, number++, row.length, DontEnum);
}

XValue CMathObject::CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject*,
                               const CArgumentList& arguments) {
  auto number = [&](int32_t index) {
    XValue argument = GetArgument(arguments, index);
    return ToNumber(context, argument.Get());
  };
  CScriptNumber result;
  switch (methodNumber) {
  case Acos: result = MathAcos(number(0)); break;
  case Asin: result = MathAsin(number(0)); break;
  case Atan: result = MathAtan(number(0)); break;
  case Atan2: {
    CScriptNumber y = number(0);
    result = MathAtan2(y, number(1));
    break;
  }
  case Ceil: result = MathCeil(number(0)); break;
  case Cos: result = MathCos(number(0)); break;
  case Exp: result = MathExp(number(0)); break;
  case Floor: result = MathFloor(number(0)); break;
  case Log: result = MathLog(number(0)); break;
  case Max: {
    CScriptNumber x = number(0);
    result = MathMax(x, number(1));
    break;
  }
  case Min: {
    CScriptNumber x = number(0);
    result = MathMin(x, number(1));
    break;
  }
  case Pow: {
    CScriptNumber x = number(0);
    result = MathPow(x, number(1));
    break;
  }
  case Random: result = MathRandom(); break;
  case Round: result = MathRound(number(0)); break;
  case Sin: result = MathSin(number(0)); break;
  case Sqrt: result = MathSqrt(number(0)); break;
  case Tan: result = MathTan(number(0)); break;
  default: result = MathAbs(number(0)); break;
  }
  return MakeNumber(result);
}

CScriptNumber MathE() { return Double(kE); }
CScriptNumber MathPi() { return Double(kPi); }

CScriptNumber MathAbs(CScriptNumber x) {
  if (x.IsNaN()) return CScriptNumber::NaN;
  if (x.IsNegativeZero()) return CScriptNumber(0);
  if (x.IsNegativeInfinity()) return CScriptNumber::PositiveInfinity;
  return Double(std::fabs(x.ToDouble()));
}

CScriptNumber MathAcos(CScriptNumber x) {
  if (x.IsNaN() || x > CScriptNumber(1) || x < CScriptNumber(-1)) return CScriptNumber::NaN;
  if (x == CScriptNumber(1)) return CScriptNumber(0);
  return Double(std::acos(x.ToDouble()));
}

CScriptNumber MathAsin(CScriptNumber x) {
  if (x.IsNaN() || x > CScriptNumber(1) || x < CScriptNumber(-1)) return CScriptNumber::NaN;
  if (x.IsPositiveZero()) return CScriptNumber(0);
  if (x.IsNegativeZero()) return CScriptNumber::NegativeZero;
  return Double(std::asin(x.ToDouble()));
}

CScriptNumber MathAtan(CScriptNumber x) {
  if (x.IsNaN()) return CScriptNumber::NaN;
  if (x.IsPositiveZero()) return CScriptNumber(0);
  if (x.IsNegativeZero()) return CScriptNumber::NegativeZero;
  if (x.IsPositiveInfinity()) return Double(kPi * 0.5);
  if (x.IsNegativeInfinity()) return Double(kPi * -0.5);
  return Double(std::atan(x.ToDouble()));
}

CScriptNumber MathAtan2(CScriptNumber y, CScriptNumber x) {
  if (x.IsNaN() || y.IsNaN()) return CScriptNumber::NaN;
  const CScriptNumber zero(0);
  if (y > zero && IsZero(x)) return Double(kPi * 0.5);
  if (y.IsPositiveZero()) {
    if (x > zero || x.IsPositiveZero()) return CScriptNumber(0);
    return Double(kPi);
  }
  if (y.IsNegativeZero()) {
    if (x > zero || x.IsPositiveZero()) return CScriptNumber::NegativeZero;
    return Double(-kPi);
  }
  if (y < zero && IsZero(x)) return Double(kPi * -0.5);
  if (y.IsPositiveInfinity()) {
    if (x.IsPositiveInfinity()) return Double(kPi * 0.25);
    if (x.IsNegativeInfinity()) return Double(kPi * 0.75);
    return Double(kPi * 0.5);
  }
  if (y.IsNegativeInfinity()) {
    if (x.IsPositiveInfinity()) return Double(kPi * -0.25);
    if (x.IsNegativeInfinity()) return Double(kPi * -0.75);
    return Double(kPi * -0.5);
  }
  if (y > zero) {
    if (x.IsPositiveInfinity()) return CScriptNumber(0);
    if (x.IsNegativeInfinity()) return Double(kPi);
  }
  if (y < zero) {
    if (x.IsPositiveInfinity()) return CScriptNumber::NegativeZero;
    if (x.IsNegativeInfinity()) return Double(-kPi);
  }
  return Double(std::atan2(y.ToDouble(), x.ToDouble()));
}

CScriptNumber MathCeil(CScriptNumber x) {
  if (x.IsNaN()) return CScriptNumber::NaN;
  if (x.IsPositiveZero()) return CScriptNumber(0);
  if (x.IsNegativeZero()) return CScriptNumber::NegativeZero;
  if (IsInfinite(x)) return x;
  if (x > CScriptNumber(-1) && x < CScriptNumber(0)) return CScriptNumber::NegativeZero;
  return Double(std::ceil(x.ToDouble()));
}

CScriptNumber MathCos(CScriptNumber x) {
  if (x.IsNaN()) return CScriptNumber::NaN;
  if (IsZero(x)) return CScriptNumber(1);
  if (IsInfinite(x)) return CScriptNumber::NaN;
  return Double(std::cos(x.ToDouble()));
}

CScriptNumber MathExp(CScriptNumber x) {
  if (x.IsNaN()) return CScriptNumber::NaN;
  if (IsZero(x)) return CScriptNumber(1);
  if (x.IsPositiveInfinity()) return CScriptNumber::PositiveInfinity;
  if (x.IsNegativeInfinity()) return CScriptNumber(0);
  return Double(std::exp(x.ToDouble()));
}

CScriptNumber MathFloor(CScriptNumber x) {
  if (x.IsNaN()) return CScriptNumber::NaN;
  if (x.IsPositiveZero()) return CScriptNumber(0);
  if (x.IsNegativeZero()) return CScriptNumber::NegativeZero;
  if (IsInfinite(x)) return x;
  if (x > CScriptNumber(0) && x < CScriptNumber(1)) return CScriptNumber(0);
  return Double(std::floor(x.ToDouble()));
}

CScriptNumber MathLog(CScriptNumber x) {
  if (x.IsNaN() || x < CScriptNumber(0)) return CScriptNumber::NaN;
  if (IsZero(x)) return CScriptNumber::NegativeInfinity;
  if (x == CScriptNumber(1)) return CScriptNumber(0);
  if (x.IsPositiveInfinity()) return CScriptNumber::PositiveInfinity;
  return Double(std::log(x.ToDouble()));
}

CScriptNumber MathMax(CScriptNumber x, CScriptNumber y) {
  if (x.IsNaN() || y.IsNaN()) return CScriptNumber::NaN;
  if (x > y) return x;
  if (y > x) return y;
  if (x.IsNegativeZero() && y.IsNegativeZero()) return CScriptNumber::NegativeZero;
  if (IsZero(x)) return CScriptNumber(0);  // y is a zero too, not both negative
  return x;
}

CScriptNumber MathMin(CScriptNumber x, CScriptNumber y) {
  if (x.IsNaN() || y.IsNaN()) return CScriptNumber::NaN;
  if (x < y) return x;
  if (y < x) return y;
  if (x.IsPositiveZero() && y.IsPositiveZero()) return CScriptNumber(0);
  if (IsZero(x)) return CScriptNumber::NegativeZero;  // at least one of them is -0
  return x;
}

CScriptNumber MathPow(CScriptNumber x, CScriptNumber y) {
  if (y.IsNaN()) return CScriptNumber::NaN;
  if (IsZero(y)) return CScriptNumber(1);
  if (x.IsNaN()) return CScriptNumber::NaN;
  double a = MathAbs(x).ToDouble();
  if (y.IsPositiveInfinity() || y.IsNegativeInfinity()) {
    if (a == 1.0) return CScriptNumber::NaN;
    bool grows = (a > 1.0) == y.IsPositiveInfinity();
    return grows ? CScriptNumber::PositiveInfinity : CScriptNumber(0);
  }
  const CScriptNumber zero(0);
  double yd = y.ToDouble();
  if (x.IsPositiveInfinity()) return y > zero ? CScriptNumber::PositiveInfinity : CScriptNumber(0);
  if (x.IsNegativeInfinity()) {
    bool odd = IsOddInteger(yd);
    if (y > zero) return odd ? CScriptNumber::NegativeInfinity : CScriptNumber::PositiveInfinity;
    return odd ? CScriptNumber::NegativeZero : CScriptNumber(0);
  }
  if (x.IsPositiveZero()) return y > zero ? CScriptNumber(0) : CScriptNumber::PositiveInfinity;
  if (x.IsNegativeZero()) {
    bool odd = IsOddInteger(yd);
    if (y > zero) return odd ? CScriptNumber::NegativeZero : CScriptNumber(0);
    return odd ? CScriptNumber::NegativeInfinity : CScriptNumber::PositiveInfinity;
  }
  if (x < zero && std::floor(yd) != yd) return CScriptNumber::NaN;
  return Double(std::pow(x.ToDouble(), yd));
}

CScriptNumber MathRandom() { return Double(DrawRandom() * (1.0 / 32767.0)); }

void SeedMathRandom(uint32_t seed) { SeedRandomGenerator(seed); }

CScriptNumber MathRound(CScriptNumber x) {
  if (x.IsNaN()) return CScriptNumber::NaN;
  if (x.IsPositiveZero()) return CScriptNumber(0);
  if (x.IsNegativeZero()) return CScriptNumber::NegativeZero;
  if (IsInfinite(x)) return x;
  double d = x.ToDouble();
  if (d >= -0.5 && d < 0) return CScriptNumber::NegativeZero;
  if (d > 0 && d < 0.5) return CScriptNumber(0);
  // floor(d + 0.5) would round odd integers from 2^52 on up by one: the sum
  // is not representable there. d - floor(d) is always exact.
  double r = std::floor(d);
  if (d - r >= 0.5) r += 1;
  return Double(r);
}

CScriptNumber MathSin(CScriptNumber x) {
  if (x.IsNaN()) return CScriptNumber::NaN;
  if (x.IsPositiveZero()) return CScriptNumber(0);
  if (x.IsNegativeZero()) return CScriptNumber::NegativeZero;
  if (IsInfinite(x)) return CScriptNumber::NaN;
  return Double(std::sin(x.ToDouble()));
}

CScriptNumber MathSqrt(CScriptNumber x) {
  if (x.IsNaN() || x < CScriptNumber(0)) return CScriptNumber::NaN;
  if (x.IsPositiveZero()) return CScriptNumber(0);
  if (x.IsNegativeZero()) return CScriptNumber::NegativeZero;
  if (x.IsPositiveInfinity()) return CScriptNumber::PositiveInfinity;
  return Double(std::sqrt(x.ToDouble()));
}

CScriptNumber MathTan(CScriptNumber x) {
  if (x.IsNaN()) return CScriptNumber::NaN;
  if (x.IsPositiveZero()) return CScriptNumber(0);
  if (x.IsNegativeZero()) return CScriptNumber::NegativeZero;
  if (IsInfinite(x)) return CScriptNumber::NaN;
  return Double(std::tan(x.ToDouble()));
}

} // namespace EcmaScript
