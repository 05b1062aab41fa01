#include <gtest/gtest.h>

#include <string>

#include "xpath/OperatorExpr.h"
#include "xpath/PathExpr.h"
#include "xpath/PrimaryExpr.h"
#include "xpath/support/EvalFixture.h"

namespace {

using namespace XpathPrivate;
using XpathTest::Compile;
using XpathTest::ParseError;

template <class T>
const T* As(const Core::XInterface<Xpath::CExpr>& expr) {
  return dynamic_cast<const T*>(expr.Get());
}

TEST(Parser, SyntaxErrors) {
  struct Case {
    const char16_t* text;
    int code;
  } cases[] = {
      {u"..[1]", 6},      {u"1 2", 6},           {u"a)", 6},        {u"a/", 11},
      {u"child::", 11},   {u"@", 11},            {u"processing-instruction(foo)", 11},
      {u"text(1)", 9},    {u"f(", 12},           {u"f(1", 9},       {u"f(1,)", 12},
      {u"a[1", 10},       {u"(1", 9},            {u"", 12},         {u"1 +", 12},
      {u"//", 11},        {u"a//", 11},          {u"$x/", 11},      {u"- ", 12},
      {u"a | ", 12},      {u"'abc", 1},          {u"1 foo 2", 3},   {u"foo::x", 5},
      {u"a[]", 12},       {u"/ 1", 6},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseError(c.text), c.code) << Core::ToUtf8(c.text);

  const char16_t* valid[] = {u"/",         u"/ | x",        u"//a",        u"a//b",     u"$x/a",
                             u"(1)",       u"..",           u"../a",       u"@*",       u"p:*",
                             u"self::node()", u"- - 1",     u"1 - -1",     u"a[1][2]",  u"f()",
                             u"f(1, 'a', $x)", u"processing-instruction()", u"processing-instruction('t')",
                             u"(a)[1]/b",  u"*",            u"* * *",      u"/*",       u"//@x"};
  for (const char16_t* text : valid) EXPECT_EQ(ParseError(text), -1) << Core::ToUtf8(text);
}

TEST(Parser, ShapesOfExpressions) {
  // Left-associative chains of one operator.
  auto minus = Compile(u"1 - 2 - 3");
  ASSERT_TRUE(As<CAdditiveExpr>(minus));
  EXPECT_TRUE(As<CAdditiveExpr>(As<CAdditiveExpr>(minus)->GetLeft()));
  EXPECT_TRUE(As<CNumberExpr>(As<CAdditiveExpr>(minus)->GetRight()));

  // a or (b and c)
  auto orExpr = Compile(u"a or b and c");
  ASSERT_TRUE(As<COrExpr>(orExpr));
  EXPECT_TRUE(As<CAndExpr>(As<COrExpr>(orExpr)->GetRight()));

  auto unionExpr = Compile(u"a | b | c");
  ASSERT_TRUE(As<CUnionExpr>(unionExpr));
  EXPECT_EQ(As<CUnionExpr>(unionExpr)->GetOperands().size(), 3u);

  auto root = Compile(u"/");
  ASSERT_TRUE(As<Xpath::CPathExpr>(root));
  EXPECT_TRUE(As<Xpath::CPathExpr>(root)->IsAbsolute());
  EXPECT_TRUE(As<Xpath::CPathExpr>(root)->GetSteps().empty());

  auto rootUnion = Compile(u"/ | x");
  ASSERT_TRUE(As<CUnionExpr>(rootUnion));
  EXPECT_EQ(As<CUnionExpr>(rootUnion)->GetOperands().size(), 2u);

  auto descendants = Compile(u"//a");
  ASSERT_TRUE(As<Xpath::CPathExpr>(descendants));
  const auto& steps = As<Xpath::CPathExpr>(descendants)->GetSteps();
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0]->GetAxisCode(), Xpath::CAxis::DescendantOrSelf);
  EXPECT_EQ(steps[0]->GetNodeTest()->GetKind(), Xpath::CNodeTest::Node);
  EXPECT_EQ(steps[1]->GetAxisCode(), Xpath::CAxis::Child);
  EXPECT_EQ(steps[1]->GetNodeTest()->GetLocalName(), u"a");

  auto inner = Compile(u"a//b");
  EXPECT_EQ(As<Xpath::CPathExpr>(inner)->GetSteps().size(), 3u);

  auto filterPath = Compile(u"$x/a");
  ASSERT_TRUE(As<Xpath::CPathExpr>(filterPath));
  EXPECT_TRUE(As<CVariableReferenceExpr>(As<Xpath::CPathExpr>(filterPath)->GetStart()));
  EXPECT_FALSE(As<Xpath::CPathExpr>(filterPath)->IsAbsolute());

  auto filtered = Compile(u"$x[1][2]");
  ASSERT_TRUE(As<CFilterExpr>(filtered));
  EXPECT_EQ(As<CFilterExpr>(filtered)->GetPredicates().size(), 2u);

  auto negations = Compile(u"- - 1");
  ASSERT_TRUE(As<CUnaryExpr>(negations));
  EXPECT_TRUE(As<CUnaryExpr>(As<CUnaryExpr>(negations)->GetOperand()));

  struct AxisCase {
    const char16_t* text;
    int32_t axis;
    int32_t test;
  } axes[] = {
      {u"@*", Xpath::CAxis::Attribute, Xpath::CNodeTest::Wildcard},
      {u"p:*", Xpath::CAxis::Child, Xpath::CNodeTest::NamespaceWildcard},
      {u"self::node()", Xpath::CAxis::Self, Xpath::CNodeTest::Node},
      {u"..", Xpath::CAxis::Parent, Xpath::CNodeTest::Node},
      {u".", Xpath::CAxis::Self, Xpath::CNodeTest::Node},
      {u"ancestor::p:x", Xpath::CAxis::Ancestor, Xpath::CNodeTest::QName},
      {u"ancestor-or-self::text()", Xpath::CAxis::AncestorOrSelf, Xpath::CNodeTest::Text},
      {u"descendant::comment()", Xpath::CAxis::Descendant, Xpath::CNodeTest::Comment},
      {u"following::processing-instruction()", Xpath::CAxis::Following, Xpath::CNodeTest::ProcessingInstruction},
      {u"following-sibling::processing-instruction('t')", Xpath::CAxis::FollowingSibling,
       Xpath::CNodeTest::ProcessingInstructionWithLiteral},
      {u"namespace::*", Xpath::CAxis::Namespace, Xpath::CNodeTest::Wildcard},
      {u"preceding::x", Xpath::CAxis::Preceding, Xpath::CNodeTest::QName},
      {u"preceding-sibling::x", Xpath::CAxis::PrecedingSibling, Xpath::CNodeTest::QName},
      {u"descendant-or-self::x", Xpath::CAxis::DescendantOrSelf, Xpath::CNodeTest::QName},
      {u"parent::x", Xpath::CAxis::Parent, Xpath::CNodeTest::QName},
      {u"attribute::x", Xpath::CAxis::Attribute, Xpath::CNodeTest::QName},
      {u"child::x", Xpath::CAxis::Child, Xpath::CNodeTest::QName},
  };
  for (const auto& c : axes) {
    auto path = Compile(c.text);
    ASSERT_TRUE(As<Xpath::CPathExpr>(path)) << Core::ToUtf8(c.text);
    const auto& step = As<Xpath::CPathExpr>(path)->GetSteps().at(0);
    EXPECT_EQ(step->GetAxisCode(), c.axis) << Core::ToUtf8(c.text);
    EXPECT_EQ(step->GetNodeTest()->GetKind(), c.test) << Core::ToUtf8(c.text);
  }
}

TEST(Parser, NestingLimitIsASyntaxError) {
  auto nested = [](const char16_t* open, const char16_t* middle, const char16_t* close, int depth) {
    Core::String text;
    for (int i = 0; i < depth; ++i) text += open;
    text += middle;
    for (int i = 0; i < depth; ++i) text += close;
    return text;
  };
  const int limit = XpathPrivate::CParser::MaxNesting;
  struct Case {
    const char16_t* open;
    const char16_t* middle;
    const char16_t* close;
  } cases[] = {{u"(", u"1", u")"}, {u"a[", u"1", u"]"}, {u"f(", u"1", u")"}, {u"-", u"1", u""}, {u"$x[", u"1", u"]"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ParseError(nested(c.open, c.middle, c.close, limit - 1)), -1) << Core::ToUtf8(c.open);
    EXPECT_EQ(ParseError(nested(c.open, c.middle, c.close, 100000)), 6) << Core::ToUtf8(c.open);
  }
}

} // namespace
