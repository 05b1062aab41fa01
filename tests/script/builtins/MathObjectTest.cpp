#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "script/builtins/MathObject.h"
#include "script/engine/ScriptExceptions.h"
#include "support/ScriptTestGlobal.h"

namespace {

using namespace ScriptTest;

// References: the records are initialised in another translation unit.
const CScriptNumber& NaN = CScriptNumber::NaN;
const CScriptNumber& Inf = CScriptNumber::PositiveInfinity;
const CScriptNumber& NegInf = CScriptNumber::NegativeInfinity;
const CScriptNumber& NegZero = CScriptNumber::NegativeZero;
const double kPi = 3.141592653589793;

// Same value, same sign of zero, same form.
void ExpectSame(CScriptNumber actual, CScriptNumber expected) {
  if (expected.IsNaN()) {
    EXPECT_TRUE(actual.IsNaN());
    return;
  }
  EXPECT_EQ(actual.IsInteger(), expected.IsInteger()) << actual.ToDouble();
  EXPECT_EQ(actual.ToDouble(), expected.ToDouble());
  EXPECT_EQ(std::signbit(actual.ToDouble()), std::signbit(expected.ToDouble()));
}

TEST(MathFunctions, OneArgument) {
  using F = CScriptNumber (*)(CScriptNumber);
  struct Case {
    const char* name;
    F f;
    CScriptNumber x;
    CScriptNumber expected;
  } cases[] = {
      {"abs", MathAbs, NegZero, CScriptNumber(0)},
      {"abs", MathAbs, CScriptNumber(-5), CScriptNumber(5.0)},
      {"abs", MathAbs, NegInf, Inf},
      {"abs", MathAbs, NaN, NaN},
      {"acos", MathAcos, CScriptNumber(1), CScriptNumber(0)},
      {"acos", MathAcos, CScriptNumber(1.5), NaN},
      {"acos", MathAcos, CScriptNumber(-1), CScriptNumber(kPi)},
      {"asin", MathAsin, CScriptNumber(-2), NaN},
      {"asin", MathAsin, NegZero, NegZero},
      {"asin", MathAsin, CScriptNumber(0), CScriptNumber(0)},
      {"atan", MathAtan, NegInf, CScriptNumber(-kPi / 2)},
      {"atan", MathAtan, NegZero, NegZero},
      {"ceil", MathCeil, CScriptNumber(-0.5), NegZero},
      {"ceil", MathCeil, CScriptNumber(1.2), CScriptNumber(2.0)},
      {"ceil", MathCeil, Inf, Inf},
      {"ceil", MathCeil, CScriptNumber(7), CScriptNumber(7.0)},
      {"cos", MathCos, CScriptNumber(0), CScriptNumber(1)},
      {"cos", MathCos, NegZero, CScriptNumber(1)},
      {"cos", MathCos, Inf, NaN},
      {"exp", MathExp, NegInf, CScriptNumber(0)},
      {"exp", MathExp, NegZero, CScriptNumber(1)},
      {"exp", MathExp, Inf, Inf},
      {"floor", MathFloor, CScriptNumber(0.5), CScriptNumber(0)},
      {"floor", MathFloor, CScriptNumber(-0.5), CScriptNumber(-1.0)},
      {"floor", MathFloor, NegZero, NegZero},
      {"floor", MathFloor, NegInf, NegInf},
      {"log", MathLog, CScriptNumber(0), NegInf},
      {"log", MathLog, NegZero, NegInf},
      {"log", MathLog, CScriptNumber(-1), NaN},
      {"log", MathLog, CScriptNumber(1), CScriptNumber(0)},
      {"log", MathLog, Inf, Inf},
      {"round", MathRound, CScriptNumber(0.5), CScriptNumber(1.0)},
      {"round", MathRound, CScriptNumber(-0.5), NegZero},
      {"round", MathRound, CScriptNumber(-0.6), CScriptNumber(-1.0)},
      {"round", MathRound, CScriptNumber(2.5), CScriptNumber(3.0)},
      {"round", MathRound, CScriptNumber(-2.5), CScriptNumber(-2.0)},
      {"round", MathRound, CScriptNumber(0.49999999999999994), CScriptNumber(0)},
      {"round", MathRound, CScriptNumber(4503599627370497.0), CScriptNumber(4503599627370497.0)},
      {"round", MathRound, CScriptNumber(-4503599627370497.0), CScriptNumber(-4503599627370497.0)},
      {"round", MathRound, CScriptNumber(9007199254740991.0), CScriptNumber(9007199254740991.0)},
      {"round", MathRound, CScriptNumber(1.5e300), CScriptNumber(1.5e300)},
      {"round", MathRound, CScriptNumber(-3), CScriptNumber(-3.0)},
      {"round", MathRound, NegInf, NegInf},
      {"round", MathRound, NegZero, NegZero},
      {"sin", MathSin, NegZero, NegZero},
      {"sin", MathSin, Inf, NaN},
      {"sqrt", MathSqrt, NegZero, NegZero},
      {"sqrt", MathSqrt, CScriptNumber(-1), NaN},
      {"sqrt", MathSqrt, CScriptNumber(4), CScriptNumber(2.0)},
      {"sqrt", MathSqrt, Inf, Inf},
      {"tan", MathTan, NegZero, NegZero},
      {"tan", MathTan, NegInf, NaN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << "(" << c.x.ToDouble() << ")");
    ExpectSame(c.f(c.x), c.expected);
  }
}

TEST(MathFunctions, TwoArguments) {
  using F = CScriptNumber (*)(CScriptNumber, CScriptNumber);
  struct Case {
    const char* name;
    F f;
    CScriptNumber a, b;
    CScriptNumber expected;
  } cases[] = {
      {"max", MathMax, NaN, CScriptNumber(1), NaN},
      {"max", MathMax, CScriptNumber(1), NaN, NaN},
      {"max", MathMax, NegZero, CScriptNumber(0), CScriptNumber(0)},
      {"max", MathMax, CScriptNumber(0.0), NegZero, CScriptNumber(0)},
      {"max", MathMax, NegZero, NegZero, NegZero},
      {"max", MathMax, CScriptNumber(1), CScriptNumber(5.0), CScriptNumber(5.0)},
      {"max", MathMax, CScriptNumber(2), CScriptNumber(2.0), CScriptNumber(2)},
      {"min", MathMin, CScriptNumber(0), NegZero, NegZero},
      {"min", MathMin, NegZero, CScriptNumber(0), NegZero},
      {"min", MathMin, CScriptNumber(0.0), CScriptNumber(0), CScriptNumber(0)},
      {"min", MathMin, CScriptNumber(2.0), CScriptNumber(2), CScriptNumber(2.0)},
      {"min", MathMin, Inf, NegInf, NegInf},
      {"atan2", MathAtan2, CScriptNumber(0), NegZero, CScriptNumber(kPi)},
      {"atan2", MathAtan2, NegZero, CScriptNumber(-1), CScriptNumber(-kPi)},
      {"atan2", MathAtan2, NegZero, CScriptNumber(1), NegZero},
      {"atan2", MathAtan2, CScriptNumber(1), NegZero, CScriptNumber(kPi / 2)},
      {"atan2", MathAtan2, CScriptNumber(-1), CScriptNumber(0), CScriptNumber(-kPi / 2)},
      {"atan2", MathAtan2, Inf, NegInf, CScriptNumber(kPi * 0.75)},
      {"atan2", MathAtan2, NegInf, Inf, CScriptNumber(kPi * -0.25)},
      {"atan2", MathAtan2, NegInf, CScriptNumber(3), CScriptNumber(kPi * -0.5)},
      {"atan2", MathAtan2, CScriptNumber(1), Inf, CScriptNumber(0)},
      {"atan2", MathAtan2, CScriptNumber(-1), Inf, NegZero},
      {"atan2", MathAtan2, CScriptNumber(-1), NegInf, CScriptNumber(-kPi)},
      {"atan2", MathAtan2, NaN, CScriptNumber(1), NaN},
      {"pow", MathPow, NaN, CScriptNumber(0), CScriptNumber(1)},
      {"pow", MathPow, NaN, NegZero, CScriptNumber(1)},
      {"pow", MathPow, CScriptNumber(1), NaN, NaN},
      {"pow", MathPow, NaN, CScriptNumber(1), NaN},
      {"pow", MathPow, CScriptNumber(1), Inf, NaN},
      {"pow", MathPow, CScriptNumber(-1), NegInf, NaN},
      {"pow", MathPow, CScriptNumber(2), NegInf, CScriptNumber(0)},
      {"pow", MathPow, CScriptNumber(0.5), NegInf, Inf},
      {"pow", MathPow, CScriptNumber(-0.5), Inf, CScriptNumber(0)},
      {"pow", MathPow, NegInf, CScriptNumber(3), NegInf},
      {"pow", MathPow, NegInf, CScriptNumber(2), Inf},
      {"pow", MathPow, NegInf, CScriptNumber(-3), NegZero},
      {"pow", MathPow, NegInf, CScriptNumber(-2), CScriptNumber(0)},
      {"pow", MathPow, Inf, CScriptNumber(-1), CScriptNumber(0)},
      {"pow", MathPow, NegZero, CScriptNumber(-3), NegInf},
      {"pow", MathPow, NegZero, CScriptNumber(3), NegZero},
      {"pow", MathPow, NegZero, CScriptNumber(2), CScriptNumber(0)},
      {"pow", MathPow, CScriptNumber(0), CScriptNumber(-2), Inf},
      {"pow", MathPow, CScriptNumber(-8), CScriptNumber(1.0 / 3), NaN},
      {"pow", MathPow, CScriptNumber(-2), CScriptNumber(3), CScriptNumber(-8.0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << "(" << c.a.ToDouble() << ", " << c.b.ToDouble() << ")");
    ExpectSame(c.f(c.a, c.b), c.expected);
  }
}

class MathObject : public CScriptTest {
protected:
  MathObject() : math(new CMathObject(global.Get())) { static_cast<CMathObject*>(math.Get())->Populate(); }
  XValue Get(const char16_t* name) { return math->Get(context, CPropertyName(name)); }
  XValue Call(const char16_t* name, std::initializer_list<XValue> args) {
    CArgumentList list;
    for (const XValue& a : args) list.Append(a);
    XValue method = Get(name);
    return method->GetObject()->Call(context, math.Get(), list);
  }
  XObject math;
};

TEST_F(MathObject, Constants) {
  struct Case {
    const char16_t* name;
    double value;
  } cases[] = {
      {u"E", 2.718281828459045},        {u"LN10", 2.302585092994046},    {u"LN2", 0.6931471805599453},
      {u"LOG2E", 1.4426950408889634},   {u"LOG10E", 0.43429448190325176}, {u"PI", 3.141592653589793},
      {u"SQRT1_2", 0.7071067811865476}, {u"SQRT2", 1.4142135623730951},
  };
  for (const auto& c : cases) {
    CPropertyName name(c.name);
    XValue v = math->Get(context, name);
    EXPECT_FALSE(v->GetNumber().IsInteger());
    EXPECT_EQ(v->GetNumber().ToDouble(), c.value) << Core::ToUtf8(c.name);
    math->Put(context, name, MakeNumber(1).Get());
    EXPECT_FALSE(math->Delete(context, name));
    EXPECT_EQ(math->Get(context, name)->GetNumber().ToDouble(), c.value);
  }
  // Nothing of Math is enumerable.
  CPropertyName name;
  EXPECT_FALSE(math->GetEnumerator()->Next(name));
  EXPECT_EQ(math->GetClassName(), u"Object");
  EXPECT_EQ(math->GetPrototype(), global->GetObjectPrototype());
}

TEST_F(MathObject, MethodsReadTheirArguments) {
  EXPECT_TRUE(Call(u"abs", {})->GetNumber().IsNaN());
  EXPECT_EQ(Call(u"abs", {MakeString(u"-2")})->GetNumber().ToDouble(), 2.0);
  // max and min read exactly two arguments.
  EXPECT_EQ(Call(u"max", {MakeNumber(1), MakeNumber(5), MakeNumber(9)})->GetNumber().GetInteger(), 5);
  EXPECT_TRUE(Call(u"max", {MakeNumber(5)})->GetNumber().IsNaN());
  EXPECT_TRUE(Call(u"min", {})->GetNumber().IsNaN());
  // atan2 takes y first.
  EXPECT_EQ(Call(u"atan2", {MakeNumber(1), MakeNumber(0)})->GetNumber().ToDouble(), kPi / 2);
}

TEST_F(MathObject, MethodLengthsAndNumbers) {
  struct Case {
    const char16_t* name;
    int32_t length;
  } cases[] = {{u"abs", 1}, {u"atan2", 2}, {u"max", 2}, {u"pow", 2}, {u"random", 0}, {u"tan", 1}};
  for (const auto& c : cases) {
    XValue method = Get(c.name);
    ASSERT_EQ(method->GetType(), CValue::ObjectType);
    EXPECT_EQ(method->GetObject()->GetTypeOf(), u"function");
    EXPECT_EQ(method->GetObject()->Get(context, CPropertyName(u"length"))->GetNumber().GetInteger(), c.length);
  }
  // A number past the table runs abs.
  CArgumentList args;
  args.Append(MakeNumber(-3));
  EXPECT_EQ(math->CallMethod(context, 99, nullptr, args)->GetNumber().ToDouble(), 3.0);
  // Math is no function.
  EXPECT_THROW(math->Call(context, nullptr, args), CRuntimeError);
  EXPECT_THROW(math->Construct(context, args), CRuntimeError);
}

TEST(MathRandom, SeededSequence) {
  SeedMathRandom(1);
  // state = state * 214013 + 2531011, draws of bits 16 to 30.
  uint32_t state = 1;
  for (int i = 0; i < 100; ++i) {
    state = state * 214013u + 2531011u;
    double expected = ((state >> 16) & 0x7FFF) * (1.0 / 32767.0);
    EXPECT_EQ(MathRandom().ToDouble(), expected);
  }
  // 32768 results from 0 to 1, both ends included.
  std::set<double> seen;
  for (int i = 0; i < 1 << 20; ++i) seen.insert(MathRandom().ToDouble());
  EXPECT_EQ(seen.size(), 32768u);
  EXPECT_EQ(*seen.begin(), 0.0);
  EXPECT_EQ(*seen.rbegin(), 1.0);
}

} // namespace
