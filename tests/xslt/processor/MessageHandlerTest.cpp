#include <gtest/gtest.h>

#include "ProcessorTestSupport.h"
#include "xslt/processor/MessageHandler.h"

namespace {

// <xsl:message>Stop <b>here</b><!-- c --><?pi x?> now%s</xsl:message>
TEST(BasicMessageHandler, WritesOnlyTheCharacterData) {
  Core::XInterface<ProcessorTest::CStringWriter> stream(new ProcessorTest::CStringWriter());
  Core::XInterface<Xslt::CMessageHandler> handler(new Xslt::CBasicMessageHandler(stream.Get()));
  handler->StartDocument();
  handler->Characters(u"Stop ", 5, false);
  handler->StartElement(u"b", false, false);
  handler->NamespaceDeclaration(u"p", u"urn:p");
  handler->Attribute(u"a", u"v");
  handler->Characters(u"here and more", 4, true);
  handler->EndElement();
  handler->Comment(u" c ");
  handler->ProcessingInstruction(u"pi", u"x");
  handler->Characters(u" now%s", 6, false);
  handler->Characters(u"ignored", 0, false);
  handler->EndDocument();
  EXPECT_EQ(stream->text, u"Stop here now%s");
}

TEST(BasicMessageHandler, WithoutStreamDropsText) {
  Core::XInterface<Xslt::CMessageHandler> handler(new Xslt::CBasicMessageHandler(nullptr));
  handler->Characters(u"lost", 4, false);
}

} // namespace
