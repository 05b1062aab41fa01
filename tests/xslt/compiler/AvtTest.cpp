#include <gtest/gtest.h>

#include "support/CompilerFixture.h"
#include "xpath/Context.h"
#include "xpath/Function.h"
#include "xpath/XpathException.h"
#include "xslt/compiler/Avt.h"

namespace {

using namespace CompilerTest;
using Core::String;
using Core::XInterface;

// Evaluates over the element <e a='A'>text</e> of a small document.
String Evaluate(const Xslt::CAvt& avt, KeltoTest::CTreeFixture& trees) {
  Dom::XNode doc = trees.Build(u"<e a='A'>text</e>");
  XInterface<Xpath::CFunctionLibrary> functions = new Xpath::CCoreFunctionLibrary;
  XInterface<Xpath::CContext> root = new Xpath::CContext(nullptr, nullptr, functions.Get(), nullptr, nullptr, nullptr);
  XInterface<Xpath::CContext> context = new Xpath::CContext(root.Get(), doc->GetDocumentElement());
  return avt.Evaluate(context.Get());
}

TEST(Avt, PartsAndValues) {
  struct Case {
    const char16_t* text;
    const char* parts;  // L literal, E expression
    const char* value;
  } cases[] = {
      {u"abc", "L", "abc"},
      {u"", "", ""},
      {u"x{1+1}y", "LEL", "x2y"},
      {u"{@a}", "E", "A"},
      {u"{@a}{.}", "EE", "Atext"},
      // A closing brace inside a quoted XPath literal is text.
      {u"{concat('}', \"'{\")}", "E", "}'{"},
      {u"a}b", "L", "a}b"},
      // Doubled braces are single literal braces, as XSLT 1.0 has them.
      {u"{{a}}", "L", "{a}"},
      {u"x{{{@a}}}y", "LEL", "x{A}y"},
      {u"}}{{", "L", "}{"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.text));
    CStylesheetFixture f;
    Dom::XNode doc = f.Load(Stylesheet(u""));
    XInterface<Xslt::CAvt> avt = f.RootContext(doc)->CompileAvt(c.text);
    auto* parsed = dynamic_cast<XsltPrivate::CPrivateAvt*>(avt.Get());
    ASSERT_TRUE(parsed);
    std::string parts;
    for (int32_t i = 0; i < parsed->GetPartCount(); ++i) {
      bool expression = parsed->GetExpressionPart(i) != nullptr;
      parts += expression ? 'E' : 'L';
      EXPECT_EQ(expression, parsed->GetLiteralPart(i).empty());
    }
    EXPECT_EQ(parts, c.parts);
    EXPECT_EQ(Utf8(Evaluate(*avt, f.trees)), c.value);
  }
}

TEST(Avt, SyntaxErrors) {
  struct Case {
    const char16_t* text;
    int32_t code;
  } cases[] = {
      {u"a{b", 8}, {u"{'}'", 8}, {u"{", 8}, {u"x{1+}y", 7}, {u"{}", 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.text));
    CStylesheetFixture f;
    Dom::XNode doc = f.Load(Stylesheet(u"<xsl:template><out a='.'/></xsl:template>"));
    XInterface<XsltPrivate::CStaticContext> context = f.ContextOf(doc, u"out");
    CError e = f.Catch([&] { context->CompileAvt(c.text); });
    EXPECT_EQ(e.code, c.code);
    EXPECT_EQ(Utf8(e.nodeName), "out");
    // The whole attribute text for 8; the expression text for 7.
    if (c.code == 8) {
      EXPECT_EQ(Utf8(e.arg1), Utf8(c.text));
    }
  }
}

TEST(Avt, ForwardsCompatibleModeDefersBadExpressions) {
  CStylesheetFixture f;
  Dom::XNode doc = f.Load(Stylesheet(u"", u"", u"2.0"));
  XInterface<Xslt::CAvt> avt = f.RootContext(doc)->CompileAvt(u"x{1 +}");
  for (int round = 0; round < 2; ++round) {
    try {
      Evaluate(*avt, f.trees);
      ADD_FAILURE() << "no error";
    } catch (const Xpath::CXpathException& e) {
      EXPECT_EQ(e.GetCode(), 12);
    }
  }
  // The unclosed brace is no expression syntax error: it stays static.
  EXPECT_EQ(f.Catch([&] { f.RootContext(doc)->CompileAvt(u"x{1"); }).code, 8);
}

} // namespace
