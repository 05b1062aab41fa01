// Trees built from the real parser's events.
#include <gtest/gtest.h>

#include "core/StringStream.h"
#include "support/TreeFixture.h"
#include "xml/parser/Sxp.h"
#include "xml/xslt/StylesheetSpaceHandler.h"

namespace {

using Dom::XNode;

XNode Parse(KeltoTest::CTreeFixture& trees, Core::StringView text, Xslt::CSpaceHandler* rules = nullptr,
            Xslt::CLocationHandler* location = nullptr) {
  XNode doc;
  auto builder = trees.NewBuilder(doc, rules, location);
  XmlParserPrivate::CParserFactory factory;
  auto parser = factory.CreateParser();
  parser->SetDocumentHandler(builder);
  Core::XInterface<XmlParserPrivate::CInputSource> source(new XmlParserPrivate::CInputSource());
  source->SetSystemId(u"file:///test.xml");
  source->SetCharacterStream(Core::XInterface<Core::IUnicodeStream>(new Core::CStringStream(text)));
  parser->ParseInputSource(source.Get());
  return doc;
}

TEST(ParsedTree, ParserEventsBuildTheExpectedTree) {
  KeltoTest::CTreeFixture trees;
  Core::XInterface<KeltoTest::CRecordingLocationHandler> location(new KeltoTest::CRecordingLocationHandler());
  XNode doc = Parse(trees,
                    u"<!DOCTYPE r [<!ATTLIST e d CDATA 'dv'>]>\n"
                    u"<r xmlns='urn:d' xmlns:p='urn:p'>\n  <p:e a='1'>x&amp;y<![CDATA[<z>]]></p:e>\n  <e/>\n"
                    u"  <!--c--><?pi data?></r>",
                    nullptr, location.Get());
  EXPECT_EQ(KeltoTest::Dump(doc),
            u"<r>\n  <p:e a=\"1\">x&amp;y&lt;z&gt;</p:e>\n  <e d=\"dv\"/>\n  <!--c--><?pi data?></r>");
  Dom::CNode* r = doc->GetDocumentElement().Get();
  EXPECT_EQ(r->GetNamespaceURI(), u"urn:d");
  EXPECT_EQ(r->FirstChild()->NextSibling()->GetNamespaceURI(), u"urn:p");
  // Every node but the namespace nodes was reported, with its line.
  ASSERT_FALSE(location->records.empty());
  EXPECT_EQ(location->records.front().position.nodeIndex, 0u);
  EXPECT_EQ(location->records.size(), location->created.size());
  EXPECT_EQ(location->records.back().systemId, u"file:///test.xml");
  EXPECT_EQ(location->records.back().line, 5);
  EXPECT_EQ(location->locatorCalls, (std::vector<bool>{true, false}));
}

TEST(ParsedTree, StylesheetWhitespaceAndUndeclaredPrefixes) {
  KeltoTest::CTreeFixture trees;
  Core::XInterface<Xslt::CSpaceHandler> rules(new XsltPrivate::CStylesheetSpaceHandler());
  XNode doc = Parse(trees,
                    u"<xsl:stylesheet xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n"
                    u"  <xsl:template>\n    <xsl:text> </xsl:text>\n  </xsl:template>\n</xsl:stylesheet>",
                    rules.Get());
  EXPECT_EQ(KeltoTest::Dump(doc),
            u"<xsl:stylesheet><xsl:template><xsl:text> </xsl:text></xsl:template></xsl:stylesheet>");
  try {
    Parse(trees, u"<r><p:e/></r>");
    ADD_FAILURE() << "an undeclared prefix must end the parse";
  } catch (const Dom::CDomException& e) {
    EXPECT_EQ(e.GetCode(), 8);
  }
}

} // namespace
