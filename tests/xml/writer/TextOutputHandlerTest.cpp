#include <gtest/gtest.h>

#include "tests/xml/writer/WriterTestSupport.h"
#include "xml/writer/TextOutputHandler.h"
#include "xml/writer/XmlOutputHandler.h"

namespace {

using namespace WriterTest;
using TextWriter = XsltPrivate::CTextOutputHandler;

TEST(TextWriter, WritesOnlyCharacterData) {
  auto doc = [](Xslt::COutputHandler& h) {
    h.StartElement(u"a", false, true);
    h.NamespaceDeclaration(u"p", u"urn:p");
    h.Attribute(u"x", u"y");
    Text(h, u"1 < 2 & ");
    h.Comment(u"c");
    h.ProcessingInstruction(u"t", u"d");
    h.StartElement(u"b", false, false);
    Text(h, u"]]> \u00E9\U0001F600");
    h.Characters(u"zzz", 0, false);
    h.EndElement();
    h.EndElement();
  };
  EXPECT_EQ(Serialise<TextWriter>(doc), "1 < 2 & ]]> \xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(Serialise<TextWriter>(TextIn(u"a", u"A\u00E9"), Encoding(u"UTF-16").Get()),
            std::string("\xFE\xFF\0A\0\xE9", 6));
  EXPECT_EQ(Serialise<TextWriter>(TextIn(u"a", u"\u00E9"), Encoding(u"iso-8859-1").Get()), "\xE9");
}

TEST(TextWriter, Errors) {
  // The text writer has no references to fall back on.
  auto [code, message] = SerialiseError<TextWriter>(TextIn(u"a", u"x\u20AC"), Encoding(u"ISO-8859-1").Get());
  EXPECT_EQ(code, 5);
  EXPECT_EQ(message, u"Unsupported character: '\u20AC'");
  EXPECT_EQ(Serialise<XsltPrivate::CXmlOutputHandler>(TextIn(u"a", u"x\u20AC"), Encoding(u"ISO-8859-1").Get()),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<a>x&#8364;</a>");

  EXPECT_EQ(SerialiseError<TextWriter>(TextIn(u"a", u"x\xD800"), nullptr),
            std::make_pair(int32_t(5), Core::String(u"Unsupported character: '\xD800'")));
  EXPECT_EQ(SerialiseError<TextWriter>(TextIn(u"a", u"\xDC00"), Encoding(u"UTF-16").Get()).first, 5);

  // The encoding name's syntax is not checked here: every unknown name is code 1.
  EXPECT_EQ(SerialiseError<TextWriter>(TextIn(u"a", u"x"), Encoding(u"latin1").Get()).second,
            u"Unsupported encoding: 'latin1'");
  EXPECT_EQ(SerialiseError<TextWriter>(TextIn(u"a", u"x"), Encoding(u"8859").Get()).first, 1);

  auto stream = Core::Make<CMemoryStream>(3);
  auto writer = Core::Make<TextWriter>();
  writer->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  writer->SetOutputStream(stream.Get());
  writer->StartDocument();
  Text(*writer, u"abcd");
  EXPECT_THROW(writer->EndDocument(), XmlWriter::CWriterException);
}

} // namespace
