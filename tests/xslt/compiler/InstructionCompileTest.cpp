// Content compilation and the compile side of every instruction: what a
// template body compiles to, and the static errors of each instruction at
// the node they concern.
#include <gtest/gtest.h>

#include "core/StringHelpers.h"
#include "xml/tree/DocumentFactory.h"
#include "xslt/compiler/InstructionFactory.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/compiler/instructions/ControlInstructions.h"
#include "xslt/compiler/instructions/CopyInstructions.h"
#include "xslt/compiler/instructions/Number.h"
#include "xslt/compiler/instructions/ResultInstructions.h"
#include "xslt/compiler/instructions/TemplateInvocation.h"
#include "xslt/compiler/support/StylesheetFixture.h"
#include "xslt/processor/data/DocumentFactory.h"

namespace {

using namespace StylesheetTest;
using namespace XsltPrivate;

std::string Describe(const CContentList& content);

template <class T>
const T* As(const CInstruction* instruction) {
  return dynamic_cast<const T*>(instruction);
}

std::string Describe(const CInstruction* i) {
  auto count = [](const char* what, int32_t n) { return std::string(" ") + what + "=" + std::to_string(n); };
  if (auto* text = As<CText>(i)) return "text'" + Core::ToUtf8(text->GetText()) + "'";
  if (As<CValueOf>(i)) return "value-of";
  if (auto* element = As<CElement>(i))
    return (element->GetNamespaceAvt() ? "element(ns)" : "element") + Describe(element->GetContent());
  if (auto* attribute = As<CAttribute>(i))
    return attribute->GetValueAvt() ? "@literal" : "attribute" + Describe(attribute->GetContent());
  if (auto* comment = As<CComment>(i)) return "comment" + Describe(comment->GetContent());
  if (auto* pi = As<CProcessingInstruction>(i)) return "pi" + Describe(pi->GetContent());
  if (auto* forEach = As<CForEach>(i))
    return "for-each" + count("sorts", forEach->GetSorts().GetSize()) + Describe(forEach->GetContent());
  if (auto* test = As<CIf>(i)) return "if" + Describe(test->GetContent());
  if (auto* choose = As<CChoose>(i)) {
    std::string text = "choose(";
    for (const auto& when : choose->GetWhens()) text += "when" + Describe(when->GetContent()) + " ";
    if (choose->GetOtherwise()) text += "otherwise" + Describe(choose->GetOtherwise()->GetContent());
    return text + ")";
  }
  if (auto* message = As<CMessage>(i))
    return std::string(message->GetTerminate() ? "message!" : "message") + Describe(message->GetContent());
  if (auto* variable = As<CVariable>(i))
    return "variable " + Core::ToUtf8(variable->GetName()->LocalName()) + (variable->GetSelect() ? "=select" : "") +
           Describe(variable->GetContent());
  if (auto* apply = As<CApplyTemplates>(i))
    return "apply-templates" + count("sorts", apply->GetSorts().GetSize()) +
           count("params", static_cast<int32_t>(apply->GetParams().GetSize()));
  if (auto* call = As<CCallTemplate>(i))
    return "call-template " + Core::ToUtf8(call->GetName()->LocalName()) +
           count("params", static_cast<int32_t>(call->GetParams().GetSize()));
  if (As<CApplyImports>(i)) return "apply-imports";
  if (auto* copy = As<CCopy>(i)) return "copy" + Describe(copy->GetContent());
  if (As<CCopyOf>(i)) return "copy-of";
  if (As<CNumber>(i)) return "number";
  if (auto* unrecognized = As<CUnrecognizedInstruction>(i))
    return "unrecognized" + Describe(unrecognized->GetFallbacks());
  if (auto* fallback = As<CFallback>(i)) return "fallback" + Describe(fallback->GetContent());
  return "?";
}

std::string Describe(const CContentList& content) {
  if (content.GetSize() == 0) return "";
  std::string text = "[";
  for (int32_t k = 0; k < content.GetSize(); ++k) {
    if (k > 0) text += ", ";
    text += Describe(content[k].Get());
  }
  return text + "]";
}

std::string Sheet(const std::string& body, const std::string& version = "1.0") {
  return std::string("<xsl:stylesheet version='") + version + "' " + kXsl +
         " xmlns:e='urn:e' extension-element-prefixes='e'>\n<xsl:template\nmatch='/'>" + body +
         "</xsl:template>\n</xsl:stylesheet>";
}

struct CCase {
  const char* body;
  const char* expected;  // the template's content, or "error <code> at <node> line <n>"
};

std::string Outcome(const std::string& text) {
  CTempFolder folder;
  CCompileResult result = CompileFiles(folder, {{"m.xsl", text}});
  if (result.failed) {
    if (result.reports.empty()) return "error " + std::to_string(result.code) + " unreported";
    const CReport& r = result.reports.back();
    return "error " + std::to_string(r.code) + " at " + Core::ToUtf8(r.nodeName) + " line " + std::to_string(r.line);
  }
  const auto& templates = result.Principal()->GetTemplates();
  return templates.GetSize() == 0 ? "no template" : Describe(templates[0]->GetContent());
}

void RunCases(const std::vector<CCase>& cases) {
  for (const CCase& c : cases) EXPECT_EQ(Outcome(Sheet(c.body)), c.expected) << c.body;
}

TEST(InstructionCompile, ContentCompilation) {
  RunCases({
      {"a<!-- c --><?pi x?><xsl:value-of select='1'/>", "[text'a', value-of]"},
      {"<xsl:text> </xsl:text><xsl:text/>", "[text' ', text'']"},
      {"<out a='x{1}' xsl:use-attribute-sets='' xmlns:q='urn:q'>t</out>", "[element[@literal, text't']]"},
      {"<xsl:for-each select='*'><xsl:fallback>no</xsl:fallback>x</xsl:for-each>", "[for-each sorts=0[text'x']]"},
      {"<xsl:fallback>never</xsl:fallback>", ""},
      // An extension element nobody implements runs its fallbacks; nothing
      // else inside it is compiled or checked.
      {"<e:thing><xsl:fallback>f1</xsl:fallback><xsl:bogus/><xsl:fallback/></e:thing>",
       "[unrecognized[fallback[text'f1'], fallback]]"},
      {"<xsl:variable name='v' select='1'/><xsl:variable name='w'>x</xsl:variable><xsl:variable name='z'/>",
       "[variable v=select, variable w[text'x'], variable z]"},
      {"<xsl:element name='{1}' namespace='u'><xsl:attribute name='a'>v</xsl:attribute></xsl:element>",
       "[element(ns)[attribute[text'v']]]"},
      {"<xsl:comment>c</xsl:comment><xsl:processing-instruction name='p'>d</xsl:processing-instruction>",
       "[comment[text'c'], pi[text'd']]"},
      {"<xsl:copy><xsl:copy-of select='.'/></xsl:copy><xsl:number/>", "[copy[copy-of], number]"},
      {"<xsl:choose><!-- c --><xsl:when test='1'>a</xsl:when><xsl:when test='2'/><xsl:otherwise>b</xsl:otherwise>"
       "</xsl:choose>",
       "[choose(when[text'a'] when otherwise[text'b'])]"},
      {"<xsl:message terminate='yes'>m</xsl:message><xsl:if test='1'>i</xsl:if>", "[message![text'm'], if[text'i']]"},
      {"<xsl:apply-templates><xsl:with-param name='p'/><xsl:sort/><?pi?><xsl:with-param name='q'/>"
       "</xsl:apply-templates><xsl:call-template name='n'><xsl:with-param name='p'/></xsl:call-template>"
       "<xsl:apply-imports/>",
       "[apply-templates sorts=1 params=2, call-template n params=1, apply-imports]"},
      {"<xsl:for-each select='*'><xsl:sort/><xsl:sort select='@a'/>x</xsl:for-each>", "[for-each sorts=2[text'x']]"},
  });
}

TEST(InstructionCompile, StaticErrorsAtTheirNodes) {
  RunCases({
      // Line 3 is the first line of the template body.
      {"<xsl:bogus/>", "error 13 at xsl:bogus line 3"},
      {"<xsl:param name='p'/>", "" /* a leading param is the template's, not content */},
      {"x<xsl:param name='p'/>", "error 16 at xsl:param line 3"},
      {"<xsl:variable name='v' select='1'>x</xsl:variable>", "error 10 at xsl:variable line 3"},
      {"<xsl:variable/>", "error 5 at xsl:variable line 3"},
      {"<xsl:value-of select='1'>\nx</xsl:value-of>", "error 10 at xsl:value-of line 3"},
      {"<xsl:value-of/>", "error 5 at xsl:value-of line 3"},
      {"<xsl:value-of select='1' disable-output-escaping='true'/>", "error 6 at xsl:value-of line 3"},
      {"<xsl:text>a<!-- c --></xsl:text>", "error 11 at #comment line 3"},
      {"<xsl:text>a\n<b/></xsl:text>", "error 11 at b line 4"},
      {"<xsl:choose><xsl:otherwise/></xsl:choose>", "error 15 at xsl:choose line 3"},
      {"<xsl:choose><xsl:when test='1'/><xsl:otherwise/>\n<xsl:when test='2'/></xsl:choose>",
       "error 16 at xsl:when line 4"},
      {"<xsl:choose><xsl:when test='1'/><xsl:otherwise/>\n<xsl:otherwise/></xsl:choose>",
       "error 16 at xsl:otherwise line 4"},
      {"<xsl:choose><xsl:when test='1'/>\n<out/></xsl:choose>", "error 14 at out line 4"},
      {"<xsl:choose><xsl:when/></xsl:choose>", "error 5 at xsl:when line 3"},
      {"<xsl:apply-templates>\n<out/></xsl:apply-templates>", "error 14 at out line 4"},
      {"<xsl:apply-templates select='1 +'/>", "error 7 at xsl:apply-templates line 3"},
      {"<xsl:call-template/>", "error 5 at xsl:call-template line 3"},
      {"<xsl:call-template name='q:n'/>", "error 9 at xsl:call-template line 3"},
      {"<xsl:call-template name='n'><xsl:sort/></xsl:call-template>", "error 14 at xsl:sort line 3"},
      {"<xsl:apply-imports><!-- c --></xsl:apply-imports>", "error 10 at xsl:apply-imports line 3"},
      {"<xsl:for-each select='*'>x\n<xsl:sort/></xsl:for-each>", "error 16 at xsl:sort line 4"},
      {"<xsl:for-each/>", "error 5 at xsl:for-each line 3"},
      {"<xsl:for-each select='*'><xsl:sort>x</xsl:sort></xsl:for-each>", "error 10 at xsl:sort line 3"},
      {"<xsl:if/>", "error 5 at xsl:if line 3"},
      {"<xsl:message terminate='true'/>", "error 6 at xsl:message line 3"},
      {"<xsl:element/>", "error 5 at xsl:element line 3"},
      {"<xsl:element name='a{'/>", "error 8 at xsl:element line 3"},
      {"<xsl:element name='a' use-attribute-sets='q:s'/>", "error 9 at xsl:element line 3"},
      {"<out xsl:use-attribute-sets='q:s'/>", "error 9 at out line 3"},
      {"<out a='{1 +}'/>", "error 7 at a line 3"},
      {"<xsl:attribute/>", "error 5 at xsl:attribute line 3"},
      {"<xsl:processing-instruction/>", "error 5 at xsl:processing-instruction line 3"},
      {"<xsl:copy use-attribute-sets='q:s'/>", "error 9 at xsl:copy line 3"},
      {"<xsl:copy-of/>", "error 5 at xsl:copy-of line 3"},
      {"<xsl:copy-of select='.'>x</xsl:copy-of>", "error 10 at xsl:copy-of line 3"},
      {"<xsl:number level='all'/>", "error 6 at xsl:number line 3"},
      {"<xsl:number count='a['/>", "error 7 at xsl:number line 3"},
      {"<xsl:number>x</xsl:number>", "error 10 at xsl:number line 3"},
  });
}

TEST(InstructionCompile, DeepNestingEndsInAStaticError) {
  // Built straight into a tree: the XML parser itself refuses documents
  // nested this deep, but a stylesheet may also be given as a tree.
  const int32_t depth = 100000;
  Core::XInterface<CTestImplementation> implementation(new CTestImplementation);
  Dom::XNode document = implementation->GetDocumentFactory()->CreateDocument();
  {
    Core::XInterface<Sxp::IDocumentHandler> builder =
        implementation->GetDocumentHandlerFactory()->CreateDocumentHandler(document, nullptr, nullptr);
    builder->StartDocument();
    builder->StartElement(u"xsl:stylesheet");
    builder->StartAttribute(u"xmlns:xsl");
    builder->Characters(XsltNamespaceUri.data(), int32_t(XsltNamespaceUri.size()));
    builder->EndAttribute();
    builder->StartAttribute(u"version");
    builder->Characters(u"1.0", 3);
    builder->EndAttribute();
    builder->StartElement(u"xsl:template");
    builder->StartAttribute(u"match");
    builder->Characters(u"/", 1);
    builder->EndAttribute();
    for (int32_t i = 0; i < depth; ++i) builder->StartElement(i % 2 ? u"xsl:copy" : u"e");
    for (int32_t i = 0; i < depth; ++i) builder->EndElement();
    builder->EndElement();
    builder->EndElement();
    builder->EndDocument();
  }
  Core::XInterface<CStylesheet> stylesheet(new CStylesheet);
  int32_t precedence = 1;
  try {
    stylesheet->Compile(implementation.Get(), document, nullptr, nullptr, precedence);
    FAIL() << "compiled";
  } catch (const Xslt::CXsltException& e) {
    EXPECT_EQ(e.GetCode(), Xslt::CXsltException::UnsupportedFeature);
    EXPECT_EQ(e.GetMessage(), u"Unsupported feature: instructions nested deeper than '" +
                                  Core::IntToWideString(CInstructionFactory::MaxNesting) + u"'");
  }
  ASSERT_EQ(implementation->errors->reports.size(), 1u);
}

TEST(InstructionCompile, DeeplyNestedStylesheetFileFailsCleanly) {
  std::string body;
  for (int32_t i = 0; i < 100000; ++i) body += "<e>";
  for (int32_t i = 0; i < 100000; ++i) body += "</e>";
  CTempFolder folder;
  CCompileResult result = CompileFiles(folder, {{"m.xsl", Sheet(body)}});
  ASSERT_TRUE(result.failed);
  EXPECT_EQ(result.code, Xslt::CXsltException::StylesheetRetrievalError) << Core::ToUtf8(result.message);
}

TEST(InstructionCompile, NestingWithinTheLimitCompiles) {
  std::string body;
  for (int32_t i = 0; i < CInstructionFactory::MaxNesting - 1; ++i) body += "<e>";
  for (int32_t i = 0; i < CInstructionFactory::MaxNesting - 1; ++i) body += "</e>";
  std::string outcome = Outcome(Sheet(body));
  EXPECT_EQ(outcome.rfind("[element[element[", 0), 0u) << outcome.substr(0, 200);
}

} // namespace
