// Stylesheet modules: import precedence, the order rules of the top level,
// cycles of imports and includes, and forwards-compatible processing.
#include <gtest/gtest.h>

#include "xslt/compiler/support/StylesheetFixture.h"
#include "xslt/compiler/InstructionFactory.h"
#include "xslt/compiler/instructions/ResultInstructions.h"

namespace {

using namespace StylesheetTest;
using Files = std::vector<std::pair<std::string, std::string>>;

std::string Import(const std::string& href) { return "<xsl:import href='" + href + "'/>"; }
std::string Include(const std::string& href) { return "<xsl:include href='" + href + "'/>"; }
std::string Rule(const std::string& match) { return "<xsl:template match='" + match + "'/>"; }

std::string Modules(const CCompileResult& result) {
  if (result.failed) return "failed: " + Core::ToUtf8(result.message);
  return DescribeModules(*result.Principal(), result.compiled->GetLocationHandler());
}

TEST(StylesheetModule, ImportPrecedenceNumbersModulesInPostOrder) {
  struct Case {
    const char* name;
    Files files;
    const char* modules;
  } cases[] = {
      {"no imports", {{"main.xsl", Stylesheet(Rule("/"))}}, "main.xsl@1"},
      {"C imports A imports B",
       {{"c.xsl", Stylesheet(Import("a.xsl"))}, {"a.xsl", Stylesheet(Import("b.xsl"))}, {"b.xsl", Stylesheet("")}},
       "c.xsl@3(a.xsl@2(b.xsl@1))"},
      {"main imports A then B, A imports C",
       {{"main.xsl", Stylesheet(Import("a.xsl") + Import("b.xsl"))},
        {"a.xsl", Stylesheet(Import("c.xsl"))},
        {"b.xsl", Stylesheet("")},
        {"c.xsl", Stylesheet("")}},
       "main.xsl@4(a.xsl@2(c.xsl@1) b.xsl@3)"},
      {"a module imported twice is compiled twice",
       {{"main.xsl", Stylesheet(Import("a.xsl") + Import("b.xsl"))},
        {"a.xsl", Stylesheet(Import("c.xsl"))},
        {"b.xsl", Stylesheet(Import("c.xsl"))},
        {"c.xsl", Stylesheet("")}},
       "main.xsl@5(a.xsl@2(c.xsl@1) b.xsl@4(c.xsl@3))"},
      {"the same href twice in a row",
       {{"main.xsl", Stylesheet(Import("a.xsl") + Import("a.xsl"))}, {"a.xsl", Stylesheet("")}},
       "main.xsl@3(a.xsl@1 a.xsl@2)"},
      {"imports of an included stylesheet join the including module",
       {{"main.xsl", Stylesheet(Import("a.xsl") + Rule("x") + Include("inc.xsl") + Rule("y"))},
        {"inc.xsl", Stylesheet(Import("b.xsl") + Rule("z"))},
        {"a.xsl", Stylesheet("")},
        {"b.xsl", Stylesheet("")}},
       "main.xsl@3(a.xsl@1 b.xsl@2)"},
      {"an imported stylesheet in a subfolder resolves its own hrefs there",
       {{"main.xsl", Stylesheet(Import("sub/a.xsl"))},
        {"sub/a.xsl", Stylesheet(Import("b.xsl"))},
        {"sub/b.xsl", Stylesheet("")}},
       "main.xsl@3(a.xsl@2(b.xsl@1))"},
  };
  for (const Case& c : cases) {
    CTempFolder folder;
    CCompileResult result = CompileFiles(folder, c.files);
    EXPECT_EQ(Modules(result), c.modules) << c.name;
  }
}

TEST(StylesheetModule, IncludedDeclarationsTakeThePlaceOfTheInclude) {
  CTempFolder folder;
  CCompileResult result =
      CompileFiles(folder, {{"main.xsl", Stylesheet(Rule("x") + Include("inc.xsl") + Rule("y"))},
                            {"inc.xsl", Stylesheet(Rule("z1") + Rule("z2"))}});
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const auto& templates = result.Principal()->GetTemplates();
  ASSERT_EQ(templates.GetSize(), 4);
  const char16_t* expected[] = {u"x", u"z1", u"z2", u"y"};
  for (int32_t i = 0; i < 4; ++i) {
    const auto* step = templates[i]->GetMatch()->GetAt(0);
    EXPECT_EQ(step->GetLocalName(), expected[i]) << i;
    EXPECT_EQ(templates[i]->GetModule(), result.Principal());
  }
}

struct CErrorCase {
  const char* name;
  Files files;
  int32_t code;           // -1: compiles
  const char* node;       // the node the error is reported at
  int32_t line;
  const char* file;
};

void RunErrorCases(const std::vector<CErrorCase>& cases) {
  for (const CErrorCase& c : cases) {
    CTempFolder folder;
    CCompileResult result = CompileFiles(folder, c.files);
    if (c.code < 0) {
      EXPECT_FALSE(result.failed) << c.name << ": " << Core::ToUtf8(result.message) << " at " << result.Where();
      continue;
    }
    ASSERT_TRUE(result.failed) << c.name;
    EXPECT_EQ(result.code, c.code) << c.name << ": " << Core::ToUtf8(result.message);
    ASSERT_EQ(result.reports.size(), 1u) << c.name;
    const CReport& report = result.reports.back();
    EXPECT_EQ(report.severity, 2) << c.name;
    EXPECT_EQ(report.code, c.code) << c.name;
    EXPECT_EQ(Core::ToUtf8(report.nodeName), c.node) << c.name;
    EXPECT_EQ(report.line, c.line) << c.name;
    EXPECT_EQ(report.file, c.file) << c.name;
  }
}

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(StylesheetModule, MisplacedImportIsReportedAtTheImport) {
  std::string head = std::string("<xsl:stylesheet version='1.0' ") + kXsl + " xmlns:f='urn:foreign'>";
  auto sheet = [&](std::initializer_list<std::string> body) {
    std::string text = head + "\n";
    for (const std::string& line : body) text += line + "\n";
    return text + "</xsl:stylesheet>";
  };
  RunErrorCases({
      {"import after a template", {{"m.xsl", sheet({Rule("a"), Import("a.xsl")})}, {"a.xsl", Stylesheet("")}},
       3, "xsl:import", 3, "m.xsl"},
      {"import after an include",
       {{"m.xsl", sheet({Include("b.xsl"), Import("a.xsl")})}, {"a.xsl", Stylesheet("")}, {"b.xsl", Stylesheet("")}},
       3, "xsl:import", 3, "m.xsl"},
      {"import after strip-space",
       {{"m.xsl", sheet({"<xsl:strip-space elements='*'/>", Import("a.xsl")})}, {"a.xsl", Stylesheet("")}},
       3, "xsl:import", 3, "m.xsl"},
      {"second import after an output between",
       {{"m.xsl", sheet({Import("a.xsl"), "<xsl:output/>", "", Import("a.xsl")})}, {"a.xsl", Stylesheet("")}},
       3, "xsl:import", 5, "m.xsl"},
      {"import after a foreign element and a comment",
       {{"m.xsl", sheet({"<f:data/>", "<!-- c -->", Import("a.xsl"), Rule("a")})}, {"a.xsl", Stylesheet("")}},
       -1, "", 0, ""},
      {"import first in an included stylesheet after declarations",
       {{"m.xsl", sheet({Rule("a"), Include("b.xsl")})}, {"b.xsl", Stylesheet(Import("a.xsl"))},
        {"a.xsl", Stylesheet("")}},
       -1, "", 0, ""},
      {"misplaced import inside an included stylesheet",
       {{"m.xsl", sheet({Include("b.xsl")})},
        {"b.xsl", Lines({Stylesheet(Rule("a") + "\n" + Import("a.xsl"))})},
        {"a.xsl", Stylesheet("")}},
       3, "xsl:import", 2, "b.xsl"},
  });
}

TEST(StylesheetModule, CyclesAreRetrievalErrorsNamingTheUri) {
  // Each cycle ends at the xsl:import or xsl:include that closes it.
  struct Case {
    const char* name;
    Files files;
    const char* node;
    const char* file;     // where the closing element stands
    const char* target;   // the module named in the message
  } cases[] = {
      {"a module importing itself", {{"a.xsl", Stylesheet(Import("a.xsl"))}}, "xsl:import", "a.xsl", "a.xsl"},
      {"a module including itself", {{"a.xsl", Stylesheet(Include("a.xsl"))}}, "xsl:include", "a.xsl", "a.xsl"},
      {"A imports B imports A",
       {{"a.xsl", Stylesheet(Import("b.xsl"))}, {"b.xsl", Stylesheet(Import("a.xsl"))}},
       "xsl:import", "b.xsl", "a.xsl"},
      {"A includes B includes A",
       {{"a.xsl", Stylesheet(Include("b.xsl"))}, {"b.xsl", Stylesheet(Include("a.xsl"))}},
       "xsl:include", "b.xsl", "a.xsl"},
      {"A imports B includes C imports B",
       {{"a.xsl", Stylesheet(Import("b.xsl"))},
        {"b.xsl", Stylesheet(Include("c.xsl"))},
        {"c.xsl", Stylesheet(Import("b.xsl"))}},
       "xsl:import", "c.xsl", "b.xsl"},
      {"a cycle spelled through a subfolder",
       {{"a.xsl", Stylesheet(Import("sub/../a.xsl"))}}, "xsl:import", "a.xsl", "a.xsl"},
  };
  for (const Case& c : cases) {
    CTempFolder folder;
    CCompileResult result = CompileFiles(folder, c.files);
    ASSERT_TRUE(result.failed) << c.name;
    EXPECT_EQ(result.code, 2) << c.name;
    std::string message = Core::ToUtf8(result.message);
    std::string uri = Core::ToUtf8(folder.Url(c.target));
    EXPECT_EQ(message.rfind("Stylesheet retrieval error: '" + uri + "' \n", 0), 0u) << c.name << ": " << message;
    ASSERT_EQ(result.reports.size(), 1u) << c.name;
    EXPECT_EQ(Core::ToUtf8(result.reports[0].nodeName), c.node) << c.name;
    EXPECT_EQ(result.reports[0].file, c.file) << c.name;
  }
}

TEST(StylesheetModule, DeepChainsOfDistinctModulesEndCleanly) {
  // Every module imports the next one: no URI repeats, but the chain is
  // longer than modules may nest.
  CTempFolder folder;
  Files files;
  for (int i = 0; i <= XsltPrivate::CStylesheet::MaxModuleNesting + 1; ++i)
    files.push_back({"m" + std::to_string(i) + ".xsl", Stylesheet(Import("m" + std::to_string(i + 1) + ".xsl"))});
  files.push_back({"m" + std::to_string(XsltPrivate::CStylesheet::MaxModuleNesting + 2) + ".xsl", Stylesheet("")});
  CCompileResult result = CompileFiles(folder, files);
  ASSERT_TRUE(result.failed);
  EXPECT_EQ(result.code, 2);
  EXPECT_NE(Core::ToUtf8(result.message).find("nested deeper than"), std::string::npos)
      << Core::ToUtf8(result.message);
}

TEST(StylesheetModule, RetrievalErrorsNameTheResolvedUri) {
  CTempFolder folder;
  CCompileResult result = CompileFiles(folder, {{"m.xsl", Stylesheet("\n" + Include("missing.xsl"))}});
  ASSERT_TRUE(result.failed);
  EXPECT_EQ(result.code, 2);
  std::string message = Core::ToUtf8(result.message);
  EXPECT_EQ(message.rfind("Stylesheet retrieval error: '" + Core::ToUtf8(folder.Url("missing.xsl")) + "' \n", 0), 0u)
      << message;
  ASSERT_EQ(result.reports.size(), 1u);
  EXPECT_EQ(result.reports[0].nodeName, u"xsl:include");
  EXPECT_EQ(result.reports[0].line, 2);

  // The principal stylesheet itself: thrown without a report.
  CCompileResult missing = CompileFiles(folder, {{"other.xsl", "<xsl:stylesheet"}});
  ASSERT_TRUE(missing.failed);
  EXPECT_EQ(missing.code, 2);
  EXPECT_TRUE(missing.reports.empty());
}

TEST(StylesheetModule, TopLevelAndRootErrors) {
  std::string ns = std::string(kXsl) + " xmlns:f='urn:foreign'";
  auto sheet = [&](const std::string& version, const std::string& body) {
    return "<xsl:stylesheet version='" + version + "' " + ns + ">\n" + body + "\n</xsl:stylesheet>";
  };
  RunErrorCases({
      {"root xsl:template", {{"m.xsl", std::string("<xsl:template ") + kXsl + " match='/'/>"}}, 0, "xsl:template",
       1, "m.xsl"},
      {"root extension element",
       {{"m.xsl", "<e:root xmlns:e='urn:e' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
                  "xsl:extension-element-prefixes='e'/>"}},
       0, "e:root", 1, "m.xsl"},
      // A text node stands where its run of text ends.
      {"text at top level", {{"m.xsl", sheet("1.0", "<xsl:output/>text")}}, 1, "#text", 3, "m.xsl"},
      {"element in no namespace", {{"m.xsl", sheet("1.0", "<foo/>")}}, 4, "foo", 2, "m.xsl"},
      {"element in no namespace, forwards-compatible", {{"m.xsl", sheet("1.1", "<foo/>")}}, -1, "", 0, ""},
      {"foreign element", {{"m.xsl", sheet("1.0", "<f:foo/>")}}, -1, "", 0, ""},
      {"unknown XSLT declaration", {{"m.xsl", sheet("1.0", "<xsl:foo/>")}}, 4, "xsl:foo", 2, "m.xsl"},
      {"unknown XSLT declaration, forwards-compatible", {{"m.xsl", sheet("1.1", "<xsl:foo><bad/></xsl:foo>")}}, -1,
       "", 0, ""},
      {"an instruction at top level", {{"m.xsl", sheet("1.0", "<xsl:value-of select='1'/>")}}, 4, "xsl:value-of",
       2, "m.xsl"},
      {"strip-space without elements", {{"m.xsl", sheet("1.0", "<xsl:strip-space/>")}}, 5, "xsl:strip-space", 2,
       "m.xsl"},
      {"strip-space with an undeclared prefix", {{"m.xsl", sheet("1.0", "<xsl:strip-space elements='a q:*'/>")}}, 9,
       "xsl:strip-space", 2, "m.xsl"},
  });
}

TEST(StylesheetModule, ForwardsCompatibleContent) {
  // An unknown instruction is error 13 in a 1.0 stylesheet; in
  // forwards-compatible mode it compiles to its fallbacks only.
  auto sheet = [](const std::string& version, const std::string& body) {
    return Stylesheet("<xsl:template match='/'>\n" + body + "</xsl:template>", version);
  };
  std::string unknown = "<xsl:frobnicate><xsl:fallback>a</xsl:fallback><bad xsl:use-attribute-sets='q:x'/>"
                        "<xsl:fallback>b</xsl:fallback></xsl:frobnicate>";
  std::string simplifiedHead = std::string("<out ") + kXsl;
  RunErrorCases({
      {"unknown instruction in 1.0", {{"m.xsl", sheet("1.0", unknown)}}, 13, "xsl:frobnicate", 2, "m.xsl"},
      {"unknown instruction in 1.1", {{"m.xsl", sheet("1.1", unknown)}}, -1, "", 0, ""},
      {"bad expression in 1.0", {{"m.xsl", sheet("1.0", "<xsl:value-of select='1 +'/>")}}, 7, "xsl:value-of", 2,
       "m.xsl"},
      {"bad expression in 2.0", {{"m.xsl", sheet("2.0", "<xsl:value-of select='1 +'/>")}}, -1, "", 0, ""},
      {"simplified stylesheet without xsl:version", {{"m.xsl", simplifiedHead + ">" + unknown + "</out>"}}, -1, "",
       0, ""},
      {"simplified stylesheet of version 1.0",
       {{"m.xsl", simplifiedHead + " xsl:version='1.0'>\n" + unknown + "</out>"}}, 13, "xsl:frobnicate", 2,
       "m.xsl"},
      {"literal result element of version 2.0 in a 1.0 stylesheet",
       {{"m.xsl", sheet("1.0", "<out xsl:version='2.0'>" + unknown + "</out>")}}, -1, "", 0, ""},
      {"version on an XSLT instruction is ignored",
       {{"m.xsl", sheet("1.0", "<xsl:if test='1' version='2.0'>" + unknown + "</xsl:if>")}}, 13,
       "xsl:frobnicate", 2, "m.xsl"},
  });

  CTempFolder folder;
  CCompileResult result = CompileFiles(folder, {{"m.xsl", sheet("1.1", unknown)}});
  ASSERT_FALSE(result.failed);
  const auto& content = result.Principal()->GetTemplates()[0]->GetContent();
  ASSERT_EQ(content.GetSize(), 1);
  auto* unrecognized = dynamic_cast<XsltPrivate::CUnrecognizedInstruction*>(content[0].Get());
  ASSERT_NE(unrecognized, nullptr);
  EXPECT_EQ(unrecognized->GetFallbacks().GetSize(), 2);
}

TEST(StylesheetModule, SimplifiedStylesheetIsOneRootRule) {
  CTempFolder folder;
  CCompileResult result = CompileFiles(
      folder, {{"m.xsl", std::string("<out ") + kXsl + " xsl:version='1.0' a='{1}'><xsl:value-of select='2'/></out>"}});
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const auto& templates = result.Principal()->GetTemplates();
  ASSERT_EQ(templates.GetSize(), 1);
  const XsltPrivate::CTemplate& rule = *templates[0];
  ASSERT_NE(rule.GetMatch(), nullptr);
  ASSERT_EQ(rule.GetMatch()->GetCount(), 1);
  EXPECT_EQ(rule.GetMatch()->GetAt(0)->GetStart()->GetKind(), XsltPrivate::CStartPattern::RootKind);
  EXPECT_EQ(rule.GetName(), nullptr);
  EXPECT_EQ(rule.GetMode(), nullptr);
  EXPECT_FALSE(rule.HasPriority());
  ASSERT_EQ(rule.GetContent().GetSize(), 1);
  auto* element = dynamic_cast<XsltPrivate::CElement*>(rule.GetContent()[0].Get());
  ASSERT_NE(element, nullptr);
  // The literal attribute, then the value-of; xsl:version is no attribute.
  EXPECT_EQ(element->GetContent().GetSize(), 2);
}

TEST(StylesheetModule, MostSpecificSpaceRuleWinsOverImportPrecedence) {
  CTempFolder folder;
  CCompileResult result =
      CompileFiles(folder, {{"m.xsl", Stylesheet(Import("a.xsl") + "<xsl:preserve-space elements='*'/>")},
                            {"a.xsl", Stylesheet("<xsl:strip-space elements='foo p:*' xmlns:p='urn:p'/>")}});
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  Xslt::CSpaceHandler* rules = result.Principal()->GetSpaceRules();
  ASSERT_NE(rules, nullptr);
  EXPECT_EQ(rules, result.Principal()->GetImports()[0]->GetSpaceRules());
  EXPECT_FALSE(rules->IsSpacePreserved(u"", u"foo"));
  EXPECT_FALSE(rules->IsSpacePreserved(u"urn:p", u"bar"));
  EXPECT_TRUE(rules->IsSpacePreserved(u"", u"bar"));
  EXPECT_TRUE(rules->IsSpacePreserved(u"urn:q", u"foo"));
}

} // namespace
