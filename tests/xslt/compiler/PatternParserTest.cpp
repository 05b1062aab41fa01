#include <gtest/gtest.h>

#include <string>

#include "support/CompilerFixture.h"
#include "xpath/XpathException.h"
#include "xslt/compiler/PatternException.h"
#include "xslt/compiler/PatternParser.h"

namespace {

using namespace CompilerTest;
using Core::XInterface;
using XsltPrivate::CPattern;

// Alternatives joined by " | ": the start (any, root, id, key), then each
// step as child:<test>, attr:<test> or //, comma separated.
std::string Shape(const CPattern& pattern) {
  std::string out;
  for (int32_t a = 0; a < pattern.GetCount(); ++a) {
    const XsltPrivate::CLocationPathPattern& alternative = *pattern.GetAt(a);
    if (a) out += " | ";
    static const char* starts[] = {"any", "root", "id", "key"};
    out += starts[alternative.GetStart()->GetKind()];
    for (int32_t s = 0; s < alternative.GetStepCount(); ++s) {
      const XsltPrivate::CStepPattern& step = *alternative.GetStep(s);
      out += ',';
      if (step.IsDescendantStep()) {
        out += "//";
        continue;
      }
      const Xpath::CStepExpr& expr = *step.GetStepExpr();
      out += expr.GetAxisCode() == Xpath::CAxis::Attribute ? "attr:" : "child:";
      std::string local = Utf8(expr.GetNodeTest()->GetLocalName());
      out += local.empty() ? std::to_string(expr.GetNodeTest()->GetKind()) : local;
      for (size_t p = 0; p < expr.GetPredicates().size(); ++p) out += "[]";
    }
  }
  return out;
}

// "P<code>" for a pattern error, "X<code>" for an XPath error, else the shape.
std::string Parse(const char16_t* text) {
  try {
    XInterface<CPattern> pattern;
    XsltPrivate::CPatternParser().Parse(pattern, text);
    return Shape(*pattern);
  } catch (const XsltPrivate::CPatternException& e) {
    return "P" + std::to_string(e.GetCode()) + (e.GetArgument().empty() ? "" : " " + Utf8(e.GetArgument()));
  } catch (const Xpath::CXpathException& e) {
    return "X" + std::to_string(e.GetCode());
  }
}

TEST(PatternParser, ShapesAndErrors) {
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"/", "root"},
      {u"/ | a", "root | any,child:a"},
      {u"/child::a", "root,child:a"},
      {u"/attribute::b", "root,attr:b"},
      {u"/@b", "root,attr:b"},
      {u"//a", "root,//,child:a"},
      {u"a//b", "any,child:a,//,child:b"},
      {u"a/b[1][@c]", "any,child:a,child:b[][]"},
      {u"id('x')/a", "id,child:a"},
      {u"key('k', 'v')//b", "key,//,child:b"},
      {u"id('x')", "id"},
      {u"a | b | c", "any,child:a | any,child:b | any,child:c"},
      {u"p:*", "any,child:1"},
      {u"node() | text() | comment() | processing-instruction('t')", "any,child:7 | any,child:4 | any,child:3 | any,child:6"},
      {u"descendant::a", "P1"},
      {u"a/parent::b", "P1"},
      {u"foo(1)", "P2 foo"},
      {u"p:key('k','v')", "P2 p:key"},
      {u"id(x)", "P7"},
      {u"id('x'", "P4"},
      {u"key('k')", "P6"},
      {u"key('k',)", "P7"},
      {u"a)", "P0"},
      {u"/ //a", "P0"},
      {u"a[1", "X10"},
      {u"", "X11"},
      {u"..", "X11"},
      {u"a/", "X11"},
      {u"foo::a", "X5"},
      {u"child:a", "any,child:a"},  // a name with the prefix child
      {u"a['x", "X1"},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.text), c.expected) << Utf8(c.text);
}

TEST(PatternParser, DeepPredicatesEndInASyntaxError) {
  for (int depth : {200, 100000}) {
    std::u16string text;
    for (int i = 0; i < depth; ++i) text += u"a[";
    text += u"1";
    for (int i = 0; i < depth; ++i) text += u"]";
    EXPECT_EQ(Parse(text.c_str()), depth < 256 ? "any,child:a[]" : "X6") << depth;
  }
  // Long but flat patterns are fine.
  std::u16string steps = u"a";
  for (int i = 0; i < 100000; ++i) steps += u"/a";
  std::u16string alternatives = u"a";
  for (int i = 0; i < 100000; ++i) alternatives += u"|a";
  XInterface<CPattern> pattern;
  XsltPrivate::CPatternParser().Parse(pattern, steps);
  EXPECT_EQ(pattern->GetAt(0)->GetStepCount(), 100001);
  XsltPrivate::CPatternParser().Parse(pattern, alternatives);
  EXPECT_EQ(pattern->GetCount(), 100001);
}

TEST(PatternParser, ExceptionMessages) {
  using XsltPrivate::CPatternException;
  EXPECT_EQ(Utf8(CPatternException(2, u"foo").GetMessage()), "Invalid function name 'foo'");
  EXPECT_EQ(Utf8(CPatternException(8, u"p").GetMessage()), "Invalid prefix 'p'");
  EXPECT_EQ(Utf8(CPatternException(0).GetMessage()), "Invalid pattern syntax");
  EXPECT_EQ(Utf8(CPatternException(42).GetMessage()), "Unclassified pattern exception");
}

} // namespace
