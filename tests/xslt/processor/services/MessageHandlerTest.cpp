#include <gtest/gtest.h>

#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "xslt/processor/services/MessageHandler.h"

#include <string>
#include <vector>

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
  EXPECT_EQ(stream->text, u"Stop here now%s\n");
}

// Each message ends its line, once: an empty message prints nothing and a
// message that ends with a line feed gets no second one.
TEST(BasicMessageHandler, EachMessageEndsItsLine) {
  struct Case {
    std::vector<std::vector<std::u16string>> messages;  // the Characters of each message
    std::u16string written;
  } cases[] = {
      {{{u"first"}, {u"second"}}, u"first\nsecond\n"},
      {{{}, {u""}, {u"a"}}, u"a\n"},
      {{{u"a\n"}, {u"b\n", u""}}, u"a\nb\n"},
      {{{u"a\n", u"b"}, {u"c\r"}}, u"a\nb\nc\r\n"},
      {{{u"\n"}}, u"\n"},
  };
  for (const auto& c : cases) {
    Core::XInterface<ProcessorTest::CStringWriter> stream(new ProcessorTest::CStringWriter());
    Core::XInterface<Xslt::CMessageHandler> handler(new Xslt::CBasicMessageHandler(stream.Get()));
    for (const auto& message : c.messages) {
      handler->StartDocument();
      for (const auto& text : message) handler->Characters(text.data(), static_cast<int32_t>(text.size()), false);
      handler->EndDocument();
    }
    EXPECT_EQ(stream->text, c.written);
  }
}

TEST(BasicMessageHandler, WithoutStreamDropsText) {
  Core::XInterface<Xslt::CMessageHandler> handler(new Xslt::CBasicMessageHandler(nullptr));
  handler->Characters(u"lost", 4, false);
}

} // namespace
