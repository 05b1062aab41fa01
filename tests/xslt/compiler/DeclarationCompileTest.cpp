// The top-level declarations: what each compiles to and its static errors.
#include <gtest/gtest.h>

#include "xslt/compiler/support/StylesheetFixture.h"
#include "xslt/compiler/instructions/ResultInstructions.h"

namespace {

using namespace StylesheetTest;
using namespace XsltPrivate;

std::string Header() {
  return std::string("<xsl:stylesheet version='1.0' ") + kXsl + " xmlns:p='urn:p' xmlns='urn:default'>\n";
}

// Compiles one module whose declarations start on line 2.
CCompileResult CompileBody(CTempFolder& folder, const std::string& body) {
  return CompileFiles(folder, {{"m.xsl", Header() + body + "\n</xsl:stylesheet>"}});
}

std::string ErrorOf(const std::string& body) {
  CTempFolder folder;
  CCompileResult result = CompileBody(folder, body);
  if (!result.failed) return "compiled";
  const CReport& r = result.reports.back();
  return std::to_string(r.code) + " " + Core::ToUtf8(r.message) + " at " + Core::ToUtf8(r.nodeName) + " line " +
         std::to_string(r.line);
}

std::string Name(const CExpandedName* name) {
  return name ? "{" + Core::ToUtf8(name->NamespaceUri()) + "}" + Core::ToUtf8(name->LocalName()) : "null";
}

TEST(DeclarationCompile, StaticErrors) {
  struct Case {
    const char* body;
    const char* error;
  } cases[] = {
      {"<xsl:template/>", "5 Missing attribute: 'match' at xsl:template line 2"},
      {"<xsl:template match='a' priority='high'/>",
       "6 Invalid attribute value: 'priority' \n'high' at xsl:template line 2"},
      {"<xsl:template match='a' mode='q:m'/>", "9 Undefined prefix: 'q' at xsl:template line 2"},
      {"<xsl:template match='a'><out/>\n<xsl:param name='x'/></xsl:template>",
       "16 Misplaced element at xsl:param line 3"},
      {"<xsl:param name='x' select='1'>text</xsl:param>", "10 Content must be empty at xsl:param line 2"},
      {"<xsl:variable select='1'/>", "5 Missing attribute: 'name' at xsl:variable line 2"},
      {"<xsl:output method='HTML'/>", "6 Invalid attribute value: 'method' \n'HTML' at xsl:output line 2"},
      {"<xsl:output indent='true'/>", "6 Invalid attribute value: 'indent' \n'true' at xsl:output line 2"},
      {"<xsl:output method='q:x'/>", "9 Undefined prefix: 'q' at xsl:output line 2"},
      {"<xsl:key name='k' match='a'/>", "5 Missing attribute: 'use' at xsl:key line 2"},
      {"<xsl:key name='k' match='a[' use='.'/>",
       "7 Invalid expression syntax: 'a[' \nInvalid primary expression at xsl:key line 2"},
      {"<xsl:namespace-alias stylesheet-prefix='q' result-prefix='p'/>",
       "9 Undefined prefix: 'q' at xsl:namespace-alias line 2"},
      {"<xsl:attribute-set/>", "5 Missing attribute: 'name' at xsl:attribute-set line 2"},
      {"<xsl:attribute-set name='s'><xsl:attribute/></xsl:attribute-set>",
       "5 Missing attribute: 'name' at xsl:attribute line 2"},
      {"<xsl:decimal-format name='q:f'/>", "9 Undefined prefix: 'q' at xsl:decimal-format line 2"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.body), c.error) << c.body;
}

TEST(DeclarationCompile, Templates) {
  CTempFolder folder;
  CCompileResult result = CompileBody(
      folder,
      "<xsl:template match='a|p:b' name='t' priority='-3' mode='p:m'><xsl:param name='x'/><!-- c -->"
      "<xsl:param name='y' select='1'/>body</xsl:template><xsl:template name='only'/>");
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const auto& templates = result.Principal()->GetTemplates();
  ASSERT_EQ(templates.GetSize(), 2);
  const CTemplate& first = *templates[0];
  EXPECT_EQ(first.GetMatch()->GetCount(), 2);
  EXPECT_EQ(Name(first.GetName()), "{}t");  // no default namespace for names
  EXPECT_TRUE(first.HasPriority());
  EXPECT_EQ(first.GetPriority(), -3);
  EXPECT_EQ(Name(first.GetMode()), "{urn:p}m");
  ASSERT_EQ(first.GetParams().GetSize(), 2);
  EXPECT_EQ(Name(first.GetParams()[0]->GetName()), "{}x");
  EXPECT_EQ(Name(first.GetParams()[1]->GetName()), "{}y");
  EXPECT_NE(first.GetParams()[1]->GetSelect(), nullptr);
  EXPECT_EQ(first.GetContent().GetSize(), 1);
  const CTemplate& second = *templates[1];
  EXPECT_EQ(second.GetMatch(), nullptr);
  EXPECT_FALSE(second.HasPriority());
  EXPECT_EQ(second.GetMode(), nullptr);
}

TEST(DeclarationCompile, TopLevelVariablesAndParams) {
  CTempFolder folder;
  CCompileResult result = CompileBody(
      folder, "<xsl:variable name='v'>x</xsl:variable><xsl:param name='p:q' select='2'/><xsl:variable name='e'/>");
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const CStylesheet& module = *result.Principal();
  ASSERT_EQ(module.GetVariables().GetSize(), 2);
  ASSERT_EQ(module.GetParams().GetSize(), 1);
  EXPECT_EQ(Name(module.GetParams()[0]->GetName()), "{urn:p}q");
  EXPECT_EQ(module.GetVariables()[0]->GetContent().GetSize(), 1);
  EXPECT_EQ(module.GetVariables()[1]->GetSelect(), nullptr);
  EXPECT_EQ(module.GetVariables()[1]->GetContent().GetSize(), 0);
}

TEST(DeclarationCompile, Output) {
  CTempFolder folder;
  CCompileResult result = CompileBody(
      folder,
      "<xsl:output method='html' encoding='ISO-8859-1' indent='no' cdata-section-elements='a p:b'/>"
      "<xsl:output method='p:custom' omit-xml-declaration='yes' standalone='no' version='4.0'"
      " doctype-public='pub' doctype-system='sys' media-type='text/x'/><xsl:output/>");
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const auto& outputs = result.Principal()->GetOutputs();
  ASSERT_EQ(outputs.GetSize(), 3);

  const COutput& html = *outputs[0];
  int32_t kind = -5, code = -5;
  Core::String text = u"untouched";
  EXPECT_EQ(html.GetPresence(), COutput::HasMethod | COutput::HasEncoding | COutput::HasIndent);
  EXPECT_TRUE(html.GetMethod(kind));
  EXPECT_EQ(kind, COutput::MethodHtml);
  EXPECT_TRUE(html.GetEncoding(text));
  EXPECT_EQ(text, u"ISO-8859-1");
  EXPECT_TRUE(html.GetIndent(code));
  EXPECT_EQ(code, COutput::No);
  EXPECT_FALSE(html.GetVersion(text));
  EXPECT_EQ(text, u"ISO-8859-1");
  ASSERT_EQ(html.GetCdataSectionElementCount(), 2);
  // Unprefixed names take the default namespace here.
  EXPECT_EQ(Name(html.GetCdataSectionElement(0)), "{urn:default}a");
  EXPECT_EQ(Name(html.GetCdataSectionElement(1)), "{urn:p}b");

  const COutput& custom = *outputs[1];
  kind = -5;
  EXPECT_FALSE(custom.GetMethod(kind));
  EXPECT_EQ(kind, -5);
  EXPECT_EQ(Name(custom.GetMethodName()), "{urn:p}custom");
  EXPECT_TRUE(custom.GetOmitXmlDeclaration(code));
  EXPECT_EQ(code, COutput::Yes);
  EXPECT_TRUE(custom.GetStandalone(code));
  EXPECT_EQ(code, COutput::No);
  EXPECT_TRUE(custom.GetDoctypeSystem(text));
  EXPECT_EQ(text, u"sys");
  EXPECT_EQ(custom.GetPresence(), COutput::HasVersion | COutput::HasOmitXmlDeclaration | COutput::HasStandalone |
                                      COutput::HasDoctypePublic | COutput::HasDoctypeSystem | COutput::HasMediaType);

  EXPECT_EQ(outputs[2]->GetPresence(), 0u);
  EXPECT_EQ(outputs[2]->GetMethodName(), nullptr);
}

TEST(DeclarationCompile, DecimalFormats) {
  CTempFolder folder;
  CCompileResult result =
      CompileBody(folder, "<xsl:decimal-format/><xsl:decimal-format name='p:f' NaN='nan' per-mille='m'/>"
                          "<xsl:decimal-format grouping-separator='.'/>");
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const auto& formats = result.Principal()->GetDecimalFormats();
  ASSERT_EQ(formats.GetSize(), 3);
  const char16_t* defaults[] = {u".", u",", u"Infinity", u"-", u"NaN", u"%", u"\u2030", u"0", u"#", u";"};
  for (int32_t i = 0; i < CDecimalFormat::SymbolCount; ++i)
    EXPECT_EQ(formats[0]->GetSymbol(CDecimalFormat::ESymbol(i)), defaults[i]) << i;
  EXPECT_EQ(formats[0]->GetName(), nullptr);
  EXPECT_EQ(Name(formats[1]->GetName()), "{urn:p}f");
  EXPECT_EQ(formats[1]->GetSymbol(CDecimalFormat::NaN), u"nan");
  EXPECT_EQ(formats[1]->GetSymbol(CDecimalFormat::PerMille), u"m");
  EXPECT_TRUE(formats[0]->Equals(*formats[0]));
  EXPECT_FALSE(formats[0]->Equals(*formats[1]));
  EXPECT_FALSE(formats[0]->Equals(*formats[2]));  // both unnamed, one symbol differs
}

TEST(DeclarationCompile, KeysAliasesAndAttributeSets) {
  CTempFolder folder;
  CCompileResult result = CompileBody(
      folder,
      "<xsl:key name='p:k' match='a' use='@id'/>"
      "<xsl:namespace-alias stylesheet-prefix='p' result-prefix='#default'/>"
      "<xsl:namespace-alias stylesheet-prefix='#default' result-prefix='p' xmlns=''/>"
      "<xsl:attribute-set name='s' use-attribute-sets='t p:u'><xsl:attribute name='a'>1</xsl:attribute>"
      "<out/><xsl:text>x</xsl:text><xsl:attribute name='b'/></xsl:attribute-set>");
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const CStylesheet& module = *result.Principal();

  ASSERT_EQ(module.GetKeys().GetSize(), 1);
  EXPECT_EQ(Name(module.GetKeys()[0]->GetName()), "{urn:p}k");
  EXPECT_NE(module.GetKeys()[0]->GetMatch(), nullptr);
  EXPECT_NE(module.GetKeys()[0]->GetUse(), nullptr);

  const auto& aliases = module.GetNamespaceAliases();
  ASSERT_EQ(aliases.GetSize(), 2);
  EXPECT_EQ(aliases[0]->GetStylesheetNamespace(), u"urn:p");
  EXPECT_EQ(aliases[0]->GetResultNamespace(), u"urn:default");
  // "#default" with no default namespace in scope is the empty URI.
  EXPECT_EQ(aliases[1]->GetStylesheetNamespace(), u"");
  EXPECT_EQ(aliases[1]->GetResultNamespace(), u"urn:p");

  ASSERT_EQ(module.GetAttributeSets().GetSize(), 1);
  const CAttributeSet& set = *module.GetAttributeSets()[0];
  EXPECT_EQ(Name(set.GetName()), "{}s");
  ASSERT_EQ(set.GetUsedAttributeSetCount(), 2);
  EXPECT_EQ(Name(set.GetUsedAttributeSet(0)), "{}t");
  EXPECT_EQ(Name(set.GetUsedAttributeSet(1)), "{urn:p}u");
  ASSERT_EQ(set.GetAttributeCount(), 2);
  EXPECT_EQ(set.GetAttribute(0)->GetContent().GetSize(), 1);
  EXPECT_EQ(set.GetAttribute(1)->GetContent().GetSize(), 0);
}

} // namespace
