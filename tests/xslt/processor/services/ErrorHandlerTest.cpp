#include <gtest/gtest.h>

#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "xslt/processor/services/BasicLocationHandler.h"
#include "xslt/processor/services/ErrorHandler.h"
#include "xslt/processor/services/XsltException.h"

namespace {

using ProcessorTest::CStringWriter;
using Xslt::CXsltException;

constexpr char16_t kStylesheet[] =
    u"<xsl:stylesheet xmlns:xsl='http://www.w3.org/1999/XSL/Transform' version='1.0'>\n"
    u"  <xsl:template match='/'>\n"
    u"    <xsl:value-of/>\n"
    u"  </xsl:template>\n"
    u"</xsl:stylesheet>\n";

constexpr char16_t kSource[] = u"<doc>\n\n<item>x</item>\n</doc>";

class ErrorReport : public testing::Test {
protected:
  ErrorReport()
      : factory(new BasicXdm::CDocumentFactory(1)), location(new XsltPrivate::CBasicLocationHandler()),
        stream(new CStringWriter()), handler(new Xslt::CBasicErrorHandler(stream.Get())) {
    stylesheet = ProcessorTest::ParseText(*factory, kStylesheet, u"file:///styles/100%25 {sheet}.xsl", location.Get());
    source = ProcessorTest::ParseText(*factory, kSource, u"file:///data/in.xml", location.Get());
    valueOf = ProcessorTest::FindElement(stylesheet, u"xsl:value-of");
    item = ProcessorTest::FindElement(source, u"item");
  }

  Core::String Report(const CXsltException& error, Xslt::CLocationHandler* where, int32_t severity = 2) {
    stream->text.clear();
    handler->Report(severity, error, where);
    return stream->text;
  }

  Core::XInterface<BasicXdm::CDocumentFactory> factory;
  Core::XInterface<XsltPrivate::CBasicLocationHandler> location;
  Core::XInterface<CStringWriter> stream;
  Core::XInterface<Xslt::CErrorHandler> handler;
  Dom::XNode stylesheet, source, valueOf, item;
};

TEST_F(ErrorReport, Layouts) {
  Xslt::CNodeKey unknown{0x7F000001, 3};
  struct Case {
    const char* what;
    CXsltException error;
    bool withLocations;
    const char16_t* expected;
  } cases[] = {
      {"no node keys", CXsltException(CXsltException::ProcessingTerminated), true, u"Processing terminated\n"},
      {"stylesheet node",
       CXsltException(CXsltException::MissingAttribute, valueOf->GetIdentity(), valueOf->GetNodeName(), u"select"),
       true,
       u"Missing attribute: 'select'\n"
       u"    Stylesheet node 'xsl:value-of' at line 3\n"
       u"        (file:///styles/100%25 {sheet}.xsl)\n"},
      {"both nodes",
       CXsltException(CXsltException::InvalidArgumentType, valueOf->GetIdentity(), valueOf->GetNodeName(),
                      item->GetIdentity(), item->GetNodeName(), u"key", u"1"),
       true,
       u"Invalid argument type: 'key' (1)\n"
       u"    Stylesheet node 'xsl:value-of' at line 3\n"
       u"        (file:///styles/100%25 {sheet}.xsl)\n"
       u"    Document node 'item' at line 3\n"
       u"        (file:///data/in.xml)\n"},
      {"no location handler",
       CXsltException(CXsltException::InvalidArgumentType, valueOf->GetIdentity(), valueOf->GetNodeName(),
                      item->GetIdentity(), item->GetNodeName(), u"key", u"1"),
       false,
       u"Invalid argument type: 'key' (1)\n"
       u"    Stylesheet node 'xsl:value-of'\n"
       u"    Document node 'item'\n"},
      {"unknown location", CXsltException(CXsltException::InvalidContent, unknown, u"xsl:if"), true,
       u"Invalid content\n    Stylesheet node 'xsl:if'\n"},
      {"document node only", CXsltException(CXsltException::InvalidContent, Xslt::CNodeKey{0, 0}, u"",
                                            item->GetIdentity(), u"item"),
       true, u"Invalid content\n    Document node 'item' at line 3\n        (file:///data/in.xml)\n"},
      {"data that looks like a format",
       CXsltException(CXsltException::MessageText, unknown, u"p%s{0}%d", u"50% of {x} %s %d"), true,
       u"50% of {x} %s %d\n    Stylesheet node 'p%s{0}%d'\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProcessorTest::Utf8(Report(c.error, c.withLocations ? location.Get() : nullptr)),
              ProcessorTest::Utf8(c.expected))
        << c.what;
  }
}

TEST_F(ErrorReport, SeverityDoesNotChangeTheReport) {
  CXsltException error(CXsltException::MultipleMatchingTemplateRules, valueOf->GetIdentity(), u"xsl:value-of");
  EXPECT_EQ(Report(error, location.Get(), Xslt::CErrorHandler::Recoverable),
            Report(error, location.Get(), Xslt::CErrorHandler::Fatal));
}

TEST_F(ErrorReport, ParentHandlerAnswersForTheRun) {
  // A run's handler knows the source; the stylesheet's handler is its parent.
  Core::XInterface<XsltPrivate::CBasicLocationHandler> run(new XsltPrivate::CBasicLocationHandler());
  run->SetParent(Core::XInterface<Xslt::CLocationHandler>(location.Get()));
  CXsltException error(CXsltException::InvalidContent, valueOf->GetIdentity(), u"xsl:value-of");
  EXPECT_EQ(Report(error, run.Get()),
            u"Invalid content\n    Stylesheet node 'xsl:value-of' at line 3\n        (file:///styles/100%25 {sheet}.xsl)\n");
}

TEST(BasicErrorHandler, WithoutStreamDropsReports) {
  Core::XInterface<Xslt::CErrorHandler> handler(new Xslt::CBasicErrorHandler(nullptr));
  handler->Report(2, CXsltException(CXsltException::InvalidStylesheet, Xslt::CNodeKey{1, 1}, u"x"), nullptr);
}

} // namespace
