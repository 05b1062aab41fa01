#include <gtest/gtest.h>

#include "support/TreeFixture.h"
#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "xml/xslt/StylesheetSpaceHandler.h"
#include "xslt/processor/data/DocumentFactory.h"
#include "xslt/processor/data/InputHandler.h"
#include "xslt/processor/data/XmlParseException.h"
#include "xslt/processor/services/BasicXsltImplementation.h"

namespace {

using XsltPrivate::CXmlParseException;

class InputHandler : public testing::Test {
protected:
  // Parses the file through a basic input handler into a new document.
  Dom::XNode Load(const Core::String& url, Xslt::CSpaceHandler* space = nullptr) {
    Dom::XNode document = implementation->GetDocumentFactory()->CreateDocument();
    Core::XInterface<Xslt::CBasicInputHandler> input(new Xslt::CBasicInputHandler(implementation.Get()));
    input->SetUri(url);
    input->SetDocumentHandler(
        implementation->GetDocumentHandlerFactory()->CreateDocumentHandler(document, space, nullptr).Get());
    input->Parse();
    return document;
  }

  // The message of the failure of loading the text, or "" when it loads.
  std::string Failure(const std::string& text) {
    Core::String url = folder.Write("doc.xml", text);
    try {
      Load(url);
    } catch (const CXmlParseException& e) {
      EXPECT_EQ(e.GetSystemId(), url);
      std::string message = ProcessorTest::Utf8(e.GetMessage());
      std::string place = " (" + ProcessorTest::Utf8(url) + ")";
      EXPECT_EQ(message.substr(message.size() - std::min(message.size(), place.size())), place);
      return message.substr(0, message.size() - std::min(message.size(), place.size())) + " @" +
             std::to_string(e.GetColumnNumber());
    }
    return "";
  }

  ProcessorTest::CTempFolder folder;
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation{new Xslt::CBasicXsltImplementation()};
};

TEST_F(InputHandler, BuildsTheDocumentAtTheUri) {
  Core::String url = folder.Write("in.xml", "<?xml version='1.0'?>\n<doc a='1'><!--c--><item>x</item></doc>");
  Core::XInterface<Xslt::CBasicInputHandler> input(new Xslt::CBasicInputHandler(implementation.Get()));
  input->SetUri(url);
  EXPECT_EQ(input->GetUri(), url);
  EXPECT_EQ(KeltoTest::Dump(Load(url)), u"<doc a=\"1\"><!--c--><item>x</item></doc>");
}

TEST_F(InputHandler, ParseErrorsNameLineAndUri) {
  // Line 12, whatever the parser's own wording.
  std::string failure = Failure("<doc>\n\n\n\n\n\n\n\n\n\n\n<a></b></doc>");
  EXPECT_NE(failure.find(", line 12 @"), std::string::npos) << failure;
  EXPECT_EQ(failure.find(", line 12 @"), failure.find(", line "));
}

TEST_F(InputHandler, UndeclaredPrefixIsAParseErrorAtItsElement) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"<doc>\n  <item>\n    <p:x/>\n  </item>\n</doc>", "Undeclared namespace prefix in element 'p:x', line 3 @"},
      {"<doc>\n<a p:b='1'>text</a></doc>", "Undeclared namespace prefix in element 'a', line 2 @"},
      {"<doc>\n<a q:b='1'><c/></a></doc>", "Undeclared namespace prefix in element 'a', line 2 @"},
      {"<p:doc xmlns:q='urn:q'/>", "Undeclared namespace prefix in element 'p:doc', line 1 @"},
      {"<doc xmlns:p='urn:p'><p:a/></doc>\n", ""},
  };
  for (const Case& c : cases) {
    std::string failure = Failure(c.text);
    EXPECT_EQ(failure.substr(0, failure.find('@') + 1), c.expected) << c.text;
  }
}

TEST_F(InputHandler, UndeclaredPrefixColumnIsThatOfItsStartTag) {
  std::string inner = Failure("<doc>\n      <p:x/>\n</doc>");
  std::string outer = Failure("<doc>\n<p:x/>\n</doc>");
  EXPECT_GT(std::stoi(inner.substr(inner.find('@') + 1)), std::stoi(outer.substr(outer.find('@') + 1)));
}

TEST_F(InputHandler, MissingDocumentFailsWithItsUri) {
  Core::String url = folder.Url("missing.xml");
  try {
    Load(url);
    FAIL() << "loaded";
  } catch (const Core::IException& e) {
    EXPECT_NE(e.GetMessage().find(url), Core::String::npos) << ProcessorTest::Utf8(e.GetMessage());
  }
}

TEST_F(InputHandler, StylesheetWhitespaceIsDroppedExceptInXslText) {
  Core::String url = folder.Write(
      "style.xsl",
      "<xsl:stylesheet xmlns:xsl='http://www.w3.org/1999/XSL/Transform' version='1.0'>\n"
      "  <xsl:template match='/'>\n    <out> <xsl:text>  </xsl:text> </out>\n  </xsl:template>\n"
      "</xsl:stylesheet>");
  Core::XInterface<XsltPrivate::CStylesheetSpaceHandler> space(new XsltPrivate::CStylesheetSpaceHandler());
  EXPECT_EQ(KeltoTest::Dump(Load(url, space.Get())),
            u"<xsl:stylesheet version=\"1.0\"><xsl:template match=\"/\"><out><xsl:text>  </xsl:text></out>"
            u"</xsl:template></xsl:stylesheet>");
}

TEST(XmlParseException, MessageLeavesOutWhatIsNotKnown) {
  struct Case {
    const char16_t* systemId;
    int32_t line;
    const char16_t* expected;
  } cases[] = {
      {u"file:///data/in.xml", 12, u"Mismatched end tag, line 12 (file:///data/in.xml)"},
      {u"file:///data/in.xml", 0, u"Mismatched end tag (file:///data/in.xml)"},
      {u"", 3, u"Mismatched end tag, line 3"},
      {u"", -1, u"Mismatched end tag"},
      {u"file:///100%25/{x}.xml", 1, u"Mismatched end tag, line 1 (file:///100%25/{x}.xml)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CXmlParseException(u"Mismatched end tag", u"-//P//EN", c.systemId, c.line, 9).GetMessage(),
              c.expected);
  }
}

} // namespace
