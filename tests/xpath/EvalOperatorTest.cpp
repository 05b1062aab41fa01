#include <gtest/gtest.h>

#include "xpath/support/EvalFixture.h"

namespace {

using XpathTest::CEvalFixture;

class EvalOperators : public CEvalFixture {
protected:
  EvalOperators() { Load(u"<r><n>1</n><n>2</n><s>abc</s></r>"); }
};

TEST_F(EvalOperators, ArithmeticComparisonsAndLogic) {
  m_host.Variables().Bind(u"", u"three", XpathTest::String(u"3"));
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"1 + 2 * 3", "number 7"},
      {u"1 - 2 - 3", "number -4"},
      {u"8 div 2 div 2", "number 2"},
      {u"7 mod 3 * 2", "number 2"},
      {u"- - 1", "number 1"},
      {u"1 - -1", "number 2"},
      {u"1 div 0", "number Infinity"},
      {u"-1 div 0", "number -Infinity"},
      {u"0 div 0", "number NaN"},
      {u"5 mod 0", "number NaN"},
      {u"-5 mod 2", "number -1"},
      {u"5.5 mod 2", "number 1.5"},
      {u"- 0", "number 0"},
      {u"1 div (- 0)", "number -Infinity"},
      {u"-(1 div 0)", "number -Infinity"},
      {u"'3' + '4'", "number 7"},
      {u"'a' + 1", "number NaN"},
      {u"true() + true()", "number 2"},
      {u"$three * 2", "number 6"},
      {u"//n[1] + //n[2]", "number 3"},
      {u"1 = 1 = 1", "boolean true"},
      {u"1 = 1 != 0", "boolean true"},
      {u"1 < 2 < 3", "boolean true"},
      {u"3 > 2 > 1", "boolean false"},
      {u"2 >= 2", "boolean true"},
      {u"2 <= 1", "boolean false"},
      {u"true() = 'false'", "boolean true"},
      {u"1 = '1.0'", "boolean true"},
      {u"'1' = '1.0'", "boolean false"},
      {u"//n = 2", "boolean true"},
      {u"//n != 2", "boolean true"},
      {u"//n > 1", "boolean true"},
      {u"//nothing = //nothing", "boolean false"},
      {u"//s = 'abc'", "boolean true"},
      {u"true() or false() and false()", "boolean true"},
      {u"(true() or false()) and false()", "boolean false"},
      {u"1 and 'x' and //n", "boolean true"},
      {u"0 or '' or //nothing", "boolean false"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
}

TEST_F(EvalOperators, OrAndShortCircuitButOtherOperatorsEvaluateBothSides) {
  EXPECT_EQ(Eval(u"true() or $undefined"), "boolean true");
  EXPECT_EQ(Eval(u"false() and $undefined"), "boolean false");
  EXPECT_EQ(Eval(u"false() or $undefined"), "error 14");
  EXPECT_EQ(Eval(u"true() and $undefined"), "error 14");
  EXPECT_EQ(Eval(u"false() or false() or true() or $undefined"), "boolean true");
  EXPECT_EQ(Eval(u"true() and true() and false() and $undefined"), "boolean false");
  EXPECT_EQ(Eval(u"1 = 2 = $undefined"), "error 14");
  EXPECT_EQ(Eval(u"0 * $undefined"), "error 14");
  // The left operand's error wins.
  EXPECT_EQ(Eval(u"$p:x + $undefined"), "error 13");
  EXPECT_EQ(Eval(u"$undefined + $p:x"), "error 14");
}

// Chains far longer than the nesting limit evaluate and release without
// deep recursion.
TEST_F(EvalOperators, LongOperatorChains) {
  const int n = 200000;
  struct Case {
    const char16_t* first;
    const char16_t* link;
    const char* expected;
  } cases[] = {
      {u"0", u" + 1", "number 200000"},
      {u"1", u" * 1", "number 1"},
      {u"1", u" - 1", "number -199999"},
      {u"false()", u" or false()", "boolean false"},
      {u"true()", u" and true()", "boolean true"},
      {u"1", u" = 1", "boolean true"},
      {u"1", u" < 2", "boolean true"},
  };
  for (const auto& c : cases) {
    Core::String text = c.first;
    for (int i = 0; i < n; ++i) text += c.link;
    EXPECT_EQ(Eval(text), c.expected) << Core::ToUtf8(c.link);
  }
}

} // namespace
