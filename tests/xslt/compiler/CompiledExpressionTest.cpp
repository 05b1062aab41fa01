#include <gtest/gtest.h>

#include "support/CompilerFixture.h"
#include "xpath/XpathException.h"
#include "xslt/compiler/CompiledExpression.h"

namespace {

using namespace CompilerTest;
using Core::XInterface;

TEST(CompiledExpression, SyntaxErrorsAreStaticOrDeferred) {
  CStylesheetFixture f;
  Dom::XNode strict = f.Load(Stylesheet(u"<xsl:template><xsl:value-of select='1 +'/></xsl:template>"));
  CError e = f.Catch([&] { f.ContextOf(strict, u"xsl:value-of")->CompileExpressionAttribute(u"select"); });
  EXPECT_EQ(e.code, 7);
  EXPECT_EQ(Utf8(e.arg1), "1 +");
  EXPECT_EQ(Utf8(e.arg2), Utf8(Xpath::CXpathException(12).GetMessage()));
  EXPECT_EQ(Utf8(e.nodeName), "xsl:value-of");

  // In forwards-compatible mode the same select compiles and fails each
  // time it is evaluated, with the kept error.
  Dom::XNode lax = f.Load(Stylesheet(u"<xsl:template><xsl:value-of select='1 +'/></xsl:template>", u"", u"2.0"));
  XInterface<Xpath::CExpr> expr = f.ContextOf(lax, u"xsl:value-of")->CompileExpressionAttribute(u"select");
  ASSERT_TRUE(expr);
  for (int round = 0; round < 2; ++round) {
    try {
      expr->Evaluate(nullptr);
      ADD_FAILURE() << "no error";
    } catch (const Xpath::CXpathException& error) {
      EXPECT_EQ(error.GetCode(), 12);
    }
  }
  // Absent attributes: the default text, else nothing; required: error 5.
  XInterface<XsltPrivate::CStaticContext> context = f.ContextOf(strict, u"xsl:template");
  EXPECT_TRUE(context->CompileExpressionAttribute(u"select", u"node()"));
  EXPECT_FALSE(context->CompileExpressionAttribute(u"select"));
  EXPECT_FALSE(context->CompilePatternAttribute(u"match"));
  EXPECT_EQ(f.Catch([&] { context->CompilePatternAttribute(u"match", nullptr, true); }).code, 5);
}

} // namespace
