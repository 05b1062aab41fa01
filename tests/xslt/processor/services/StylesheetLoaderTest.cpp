// The stylesheet loader: reading the principal stylesheet, its failures, and
// the compiled stylesheet it hands back.
#include <gtest/gtest.h>

#include "support/TreeFixture.h"
#include "xslt/compiler/instructions/ResultInstructions.h"
#include "xslt/compiler/support/StylesheetFixture.h"

namespace {

using namespace StylesheetTest;

TEST(StylesheetLoader, UnreadableStylesheetsAreRetrievalErrorsWithoutReport) {
  CTempFolder folder;
  struct Case {
    const char* name;
    std::string text;       // empty: no file
  } cases[] = {
      {"missing file", ""},
      {"not well-formed", "<stylesheet>\n<a></b>"},
  };
  for (const Case& c : cases) {
    if (!c.text.empty()) folder.Write("s.xsl", c.text);
    Core::String uri = folder.Url(c.text.empty() ? "none.xsl" : "s.xsl");
    Core::XInterface<CTestImplementation> implementation(new CTestImplementation);
    Core::XInterface<XsltPrivate::CStylesheetLoader> loader(new XsltPrivate::CStylesheetLoader(implementation.Get()));
    try {
      loader->LoadFromUri(uri);
      ADD_FAILURE() << c.name;
    } catch (const Xslt::CXsltException& e) {
      EXPECT_EQ(e.GetCode(), 2) << c.name;
      EXPECT_EQ(e.GetArg(0), uri) << c.name;
      EXPECT_FALSE(e.GetArg(1).empty()) << c.name;
      EXPECT_EQ(e.GetMessage().rfind(u"Stylesheet retrieval error: '" + uri + u"' \n", 0), 0u) << c.name;
    }
    EXPECT_TRUE(implementation->errors->reports.empty()) << c.name;
  }
}

TEST(StylesheetLoader, ParseErrorsNameLineAndUri) {
  CTempFolder folder;
  Core::String uri = folder.Write("s.xsl", "<stylesheet>\n\n<a></b>");
  Core::XInterface<CTestImplementation> implementation(new CTestImplementation);
  Core::XInterface<XsltPrivate::CStylesheetLoader> loader(new XsltPrivate::CStylesheetLoader(implementation.Get()));
  try {
    loader->LoadFromUri(uri);
    FAIL();
  } catch (const Xslt::CXsltException& e) {
    std::string second = Core::ToUtf8(e.GetArg(1));
    EXPECT_NE(second.find(", line 3"), std::string::npos) << second;
    EXPECT_NE(second.find("(" + Core::ToUtf8(uri) + ")"), std::string::npos) << second;
  }
}

TEST(StylesheetLoader, WhitespaceIsStrippedExceptInsideXslText) {
  CTempFolder folder;
  CCompileResult result = CompileFiles(
      folder, {{"s.xsl", Stylesheet("\n  <xsl:template match='/'>\n  <xsl:text>  </xsl:text>\n  <out>\n  </out>\n"
                                    "  </xsl:template>\n")}});
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const auto& content = result.Principal()->GetTemplates()[0]->GetContent();
  ASSERT_EQ(content.GetSize(), 2);
  auto* text = dynamic_cast<XsltPrivate::CText*>(content[0].Get());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetText(), u"  ");
  auto* element = dynamic_cast<XsltPrivate::CElement*>(content[1].Get());
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(element->GetContent().GetSize(), 0);
}

TEST(StylesheetLoader, CompiledStylesheetKnowsWhereItsNodesStand) {
  CTempFolder folder;
  CCompileResult result = CompileFiles(folder, {{"s.xsl", Stylesheet("\n<xsl:template match='/'/>")}});
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const XsltPrivate::CTemplate& rule = *result.Principal()->GetTemplates()[0];
  Core::String publicId, systemId;
  int32_t line = 0, column = 0;
  ASSERT_TRUE(result.compiled->GetLocationHandler()->GetLocation(rule.GetNodeId(), publicId, systemId, line, column));
  EXPECT_EQ(line, 2);
  EXPECT_EQ(systemId, folder.Url("s.xsl"));
}

TEST(StylesheetLoader, LoadsATree) {
  KeltoTest::CTreeFixture trees;
  Dom::XNode tree = trees.Build(u"<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                                u"<xsl:template match='a'>x</xsl:template></xsl:stylesheet>");
  Core::XInterface<CTestImplementation> implementation(new CTestImplementation);
  Core::XInterface<XsltPrivate::CStylesheetLoader> loader(new XsltPrivate::CStylesheetLoader(implementation.Get()));
  Core::XInterface<XsltPrivate::CCompiledStylesheet> compiled = loader->LoadFromNode(u"urn:tree", tree);
  ASSERT_TRUE(compiled);
  ASSERT_EQ(compiled->GetStylesheet()->GetTemplates().GetSize(), 1);
  EXPECT_EQ(compiled->GetStylesheet()->GetTemplates()[0]->GetContent().GetSize(), 1);
}

} // namespace
