#include <gtest/gtest.h>

#include "tests/xml/writer/WriterTestSupport.h"
#include "xml/writer/XmlOutputHandler.h"

namespace {

using namespace WriterTest;
using Xml = XsltPrivate::CXmlOutputHandler;
using XmlWriter::CWriterException;

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

Core::XInterface<Xslt::COutputOptions> Omit() {
  auto o = Core::Make<Xslt::COutputOptions>();
  o->SetOmitXmlDeclaration(true);
  return o;
}

void Empty(Xslt::COutputHandler& h, Core::StringView name) {
  h.StartElement(name, false, false);
  h.EndElement();
}

TEST(XmlWriter, Declaration) {
  auto doc = [](Xslt::COutputHandler& h) { Empty(h, u"a"); };
  EXPECT_EQ(Serialise<Xml>(doc), kDecl + "<a/>");
  EXPECT_EQ(Serialise<Xml>(doc, Omit().Get()), "<a/>");

  auto o = Core::Make<Xslt::COutputOptions>();
  o->SetStandalone(false);
  o->SetVersion(u"1.1");
  o->SetEncoding(u"iso-8859-1");
  EXPECT_EQ(Serialise<Xml>(doc, o.Get()), "<?xml version=\"1.1\" encoding=\"iso-8859-1\" standalone=\"no\"?>\r\n<a/>");
  o->SetStandalone(true);
  o->SetOmitXmlDeclaration(false);
  EXPECT_EQ(Serialise<Xml>(doc, o.Get()), "<?xml version=\"1.1\" encoding=\"iso-8859-1\" standalone=\"yes\"?>\r\n<a/>");

  // UTF-16 output is big-endian and starts with the byte-order mark.
  std::string utf16 = Serialise<Xml>(doc, Encoding(u"utf-16").Get());
  std::string expected("\xFE\xFF", 2);
  for (char c : std::string("<?xml version=\"1.0\" encoding=\"utf-16\"?>\r\n<a/>")) {
    expected += '\0';
    expected += c;
  }
  EXPECT_EQ(utf16, expected);
}

TEST(XmlWriter, DocumentTypeDeclaration) {
  auto doc = [](Xslt::COutputHandler& h) {
    h.StartElement(u"root", false, false);
    Empty(h, u"inner");
    h.EndElement();
  };
  auto o = Omit();
  o->SetDoctypePublic(u"-//P//EN");
  EXPECT_EQ(Serialise<Xml>(doc, o.Get()), "<root><inner/></root>");
  o->SetDoctypeSystem(u"r.dtd");
  EXPECT_EQ(Serialise<Xml>(doc, o.Get()), "<!DOCTYPE root PUBLIC \"-//P//EN\" \"r.dtd\">\r\n<root><inner/></root>");
  auto s = Omit();
  s->SetDoctypeSystem(u"r.dtd");
  EXPECT_EQ(Serialise<Xml>(doc, s.Get()), "<!DOCTYPE root SYSTEM \"r.dtd\">\r\n<root><inner/></root>");
}

TEST(XmlWriter, TagsNamespacesAndEscaping) {
  auto doc = [](Xslt::COutputHandler& h) {
    h.StartElement(u"p:a", false, false);
    h.NamespaceDeclaration(u"", u"urn:d?a=1&b=\"2\"");
    h.NamespaceDeclaration(u"p", u"urn:p");
    h.Attribute(u"v", u"<&>\"\n\t\r'");
    Text(h, u"x<y & z>w \"q\" '\r\n'");
    h.StartElement(u"e", false, false);
    Text(h, u"");  // start and end tag, no empty-element tag
    h.EndElement();
    Empty(h, u"f");
    h.EndElement();
  };
  EXPECT_EQ(Serialise<Xml>(doc, Omit().Get()),
            "<p:a xmlns=\"urn:d?a=1&amp;b=&quot;2&quot;\" xmlns:p=\"urn:p\" v=\"&lt;&amp;&gt;&quot;&#10;&#9;&#13;'\">"
            "x&lt;y &amp; z&gt;w \"q\" '&#13;\n'<e></e><f/></p:a>");
  // A reader turns raw tab, CR and LF in a value into spaces and a raw CR in text into LF,
  // so all three are references in values and CR is one in text; tab and LF stay in text.
  EXPECT_EQ(Serialise<Xml>(
                [](Xslt::COutputHandler& h) {
                  h.StartElement(u"a", false, false);
                  h.NamespaceDeclaration(u"n", u"urn:\t\r\n");
                  h.Attribute(u"v", u"\r\n\t\r");
                  Text(h, u"\r\n\t\r");
                  h.EndElement();
                },
                Omit().Get()),
            "<a xmlns:n=\"urn:&#9;&#13;&#10;\" v=\"&#13;&#10;&#9;&#13;\">&#13;\n\t&#13;</a>");
}

TEST(XmlWriter, Indentation) {
  auto o = Omit();
  o->SetIndent(true);
  auto doc = [](Xslt::COutputHandler& h) {
    h.StartElement(u"a", false, false);
    Empty(h, u"b");
    Empty(h, u"c");
    h.EndElement();
  };
  EXPECT_EQ(Serialise<Xml>(doc, o.Get()), "<a>\r\n  <b/>\r\n  <c/>\r\n</a>");

  // Text suppresses only the next break; comments and processing
  // instructions are indented like elements; a no-indent element keeps its
  // content on one line.
  auto mixed = [](Xslt::COutputHandler& h) {
    h.Comment(u"top");
    h.StartElement(u"a", false, false);
    h.StartElement(u"b", false, false);
    Text(h, u"t");
    Empty(h, u"c");
    Empty(h, u"d");
    h.ProcessingInstruction(u"pi", u"");
    h.EndElement();
    h.StartElement(u"n", true, false);
    Empty(h, u"x");
    h.Comment(u"y");
    h.EndElement();
    h.EndElement();
  };
  EXPECT_EQ(Serialise<Xml>(mixed, o.Get()),
            "<!--top--><a>\r\n  <b>t<c/>\r\n    <d/>\r\n    <?pi?>\r\n  </b>\r\n  <n><x/><!--y--></n>\r\n</a>");
}

TEST(XmlWriter, UnencodableCharactersBecomeReferences) {
  auto iso = Encoding(u"ISO-8859-1");
  iso->SetOmitXmlDeclaration(true);
  EXPECT_EQ(Serialise<Xml>(
                [](Xslt::COutputHandler& h) {
                  h.StartElement(u"a", false, false);
                  h.Attribute(u"v", u"\u00E9\u20AC\u20AC&");
                  Text(h, u"\u00E9\u20AC<\U0001F600x");
                  h.EndElement();
                },
                iso.Get()),
            "<a v=\"\xE9&#8364;&#8364;&amp;\">\xE9&#8364;&lt;&#128512;x</a>");
}

TEST(XmlWriter, CdataSections) {
  auto iso = Encoding(u"ISO-8859-1");
  iso->SetOmitXmlDeclaration(true);
  auto doc = [](Xslt::COutputHandler& h) {
    h.StartElement(u"s", false, true);
    Text(h, u"a<\u20AC>b");
    Text(h, u"&c\u20AC");
    Text(h, u"d");
    h.StartElement(u"t", false, false);
    Text(h, u"<");
    h.EndElement();
    Text(h, u"e");
    h.EndElement();
  };
  EXPECT_EQ(Serialise<Xml>(doc, iso.Get()),
            "<s><![CDATA[a<]]>&#8364;<![CDATA[>b&c]]>&#8364;<![CDATA[d]]><t>&lt;</t><![CDATA[e]]></s>");
  // "]]>" in the content splits the section, also across Characters calls.
  auto split = [](Xslt::COutputHandler& h) {
    h.StartElement(u"s", false, true);
    Text(h, u"x]]>y]]");
    Text(h, u"]>z]");
    Text(h, u"]");
    Text(h, u">");
    h.EndElement();
  };
  EXPECT_EQ(Serialise<Xml>(split, Omit().Get()),
            "<s><![CDATA[x]]]]><![CDATA[>y]]]]]><![CDATA[>z]]]]><![CDATA[>]]></s>");
}

TEST(XmlWriter, CommentsAndProcessingInstructionsAreMadeWellFormed) {
  struct Case {
    const char16_t* comment;
    const char* written;
  } comments[] = {
      {u"plain - text", "<!--plain - text-->"},
      {u"a--b", "<!--a- -b-->"},
      {u"a-", "<!--a- -->"},
      {u"---", "<!--- - - -->"},
      {u"-", "<!--- -->"},
      {u"", "<!---->"},
  };
  for (const auto& c : comments)
    EXPECT_EQ(Serialise<Xml>([&](Xslt::COutputHandler& h) { h.Comment(c.comment); }, Omit().Get()), c.written);

  struct Pi {
    const char16_t* data;
    const char* written;
  } pis[] = {
      {u"", "<?t?>"},
      {u"d", "<?t d?>"},
      {u"a?>b?>", "<?t a? >b? >?>"},
      {u"a?", "<?t a?" "?>"},
  };
  for (const auto& c : pis)
    EXPECT_EQ(Serialise<Xml>([&](Xslt::COutputHandler& h) { h.ProcessingInstruction(u"t", c.data); }, Omit().Get()),
              c.written);
}

TEST(XmlWriter, OptionErrors) {
  auto doc = [](Xslt::COutputHandler& h) { Empty(h, u"a"); };
  struct Case {
    const char16_t* version;
    const char16_t* encoding;
    int32_t code;
    const char16_t* message;
  } cases[] = {
      {nullptr, u"latin1", 1, u"Unsupported encoding: 'latin1'"},
      {nullptr, u"UTF8", 1, u"Unsupported encoding: 'UTF8'"},
      {nullptr, u"8859-1", 3, u"Invalid encoding name syntax: '8859-1'"},
      {nullptr, u"", 3, u"Invalid encoding name syntax: ''"},
      {u"1 0", nullptr, 2, u"Invalid version number syntax: '1 0'"},
      {u"", nullptr, 2, u"Invalid version number syntax: ''"},
      {u"a_b.c:d-1", nullptr, -1, u""},
  };
  for (const auto& c : cases) {
    auto o = Core::Make<Xslt::COutputOptions>();
    if (c.version) o->SetVersion(c.version);
    if (c.encoding) o->SetEncoding(c.encoding);
    auto [code, message] = SerialiseError<Xml>(doc, o.Get());
    EXPECT_EQ(code, c.code) << Utf8(message);
    EXPECT_EQ(message, c.message);
  }
}

TEST(XmlWriter, UnencodableMarkupThrows) {
  auto iso = Encoding(u"ISO-8859-1");
  struct Case {
    const char* what;
    Events events;
  } cases[] = {
      {"element", [](Xslt::COutputHandler& h) { Empty(h, u"\u20ACa"); }},
      {"attribute",
       [](Xslt::COutputHandler& h) {
         h.StartElement(u"a", false, false);
         h.Attribute(u"\u20AC", u"v");
       }},
      {"comment", [](Xslt::COutputHandler& h) { h.Comment(u"x\u20AC"); }},
      {"pi", [](Xslt::COutputHandler& h) { h.ProcessingInstruction(u"t", u"\u20AC"); }},
  };
  for (const auto& c : cases) {
    auto [code, message] = SerialiseError<Xml>(c.events, iso.Get());
    EXPECT_EQ(code, 5) << c.what;
    EXPECT_EQ(message, u"Unsupported character: '\u20AC'") << c.what;
  }
  // A character above U+FFFF in a name is reported by its first unit; in
  // UTF-8 the same name is written whole.
  auto wide = [](Xslt::COutputHandler& h) { Empty(h, u"a\U0001F600"); };
  EXPECT_EQ(SerialiseError<Xml>(wide, iso.Get()),
            std::make_pair(int32_t(5), Core::String(u"Unsupported character: '\xD83D'")));
  EXPECT_EQ(Serialise<Xml>(wide, Omit().Get()), "<a\xF0\x9F\x98\x80/>");
}

TEST(XmlWriter, UnpairedSurrogates) {
  // A pair is one character in every encoding.
  EXPECT_EQ(Serialise<Xml>(TextIn(u"a", u"\U0001F600"), Omit().Get()), "<a>\xF0\x9F\x98\x80</a>");

  auto inText = [](const char16_t* text) { return TextIn(u"a", text); };
  auto inAttribute = [](const char16_t* value) {
    return Events([=](Xslt::COutputHandler& h) {
      h.StartElement(u"a", false, false);
      h.Attribute(u"v", value);
    });
  };
  auto inCdata = [](const char16_t* text) {
    return Events([=](Xslt::COutputHandler& h) {
      h.StartElement(u"a", false, true);
      Text(h, text);
    });
  };
  auto inName = [](const char16_t* name) { return Events([=](Xslt::COutputHandler& h) { Empty(h, name); }); };
  auto inComment = [](const char16_t* text) {
    return Events([=](Xslt::COutputHandler& h) { h.Comment(text); });
  };
  struct Case {
    const char* what;
    Events events;
    const char16_t* encoding;
    int32_t code;
    char16_t unit;
  } cases[] = {
      {"text, high at end, UTF-8", inText(u"ab\xD800"), u"UTF-8", 5, 0xD800},
      {"text, low alone, UTF-8", inText(u"a\xDC00z"), u"UTF-8", 5, 0xDC00},
      {"text, high before text, UTF-16", inText(u"\xD800z"), u"UTF-16", 5, 0xD800},
      {"reversed pair, UTF-8", inText(u"\xDC00\xD800"), u"UTF-8", 5, 0xDC00},
      {"attribute, UTF-8", inAttribute(u"x\xDBFF\""), u"UTF-8", 5, 0xDBFF},
      {"cdata, UTF-8", inCdata(u"x\xDFFF"), u"UTF-8", 5, 0xDFFF},
      {"name, UTF-8", inName(u"a\xD800"), u"UTF-8", 5, 0xD800},
      {"comment, UTF-16", inComment(u"\xDC00"), u"UTF-16", 5, 0xDC00},
      // ISO-8859-1 references every character it cannot hold; a surrogate
      // left over at the end of such a stretch is no character at all, one
      // with a wrong neighbour inside it is unencodable.
      {"text, high at end, ISO-8859-1", inText(u"\u20AC\xD800"), u"ISO-8859-1", 4, 0},
      {"text, high before ASCII, ISO-8859-1", inText(u"\xD800z"), u"ISO-8859-1", 4, 0},
      {"text, low alone, ISO-8859-1", inText(u"\xDC00"), u"ISO-8859-1", 4, 0},
      {"attribute, low at end, ISO-8859-1", inAttribute(u"\u20AC\xDC00\""), u"ISO-8859-1", 4, 0},
      {"text, high before text, ISO-8859-1", inText(u"\xD800\u20AC"), u"ISO-8859-1", 5, 0xD800},
      {"text, low before text, ISO-8859-1", inText(u"\xDC00\u20AC"), u"ISO-8859-1", 5, 0xDC00},
      {"cdata, reversed pair, ISO-8859-1", inCdata(u"x\xDC00\xD800\u20AC"), u"ISO-8859-1", 5, 0xDC00},
  };
  for (const auto& c : cases) {
    auto [code, message] = SerialiseError<Xml>(c.events, Encoding(c.encoding).Get());
    EXPECT_EQ(code, c.code) << c.what;
    if (c.unit) {
      EXPECT_EQ(message, u"Unsupported character: '" + Core::String(1, c.unit) + u"'") << c.what;
    } else {
      EXPECT_EQ(message, u"Invalid surrogate pair") << c.what;
    }
  }
}

TEST(XmlWriter, LongTextCrossesBufferBoundaries) {
  // Multi-byte characters straddle the 0x6000-byte buffer edge.
  Core::String text = u"a";
  for (int i = 0; i < 30000; ++i) text += (i % 3 == 0) ? u"\u20AC" : (i % 3 == 1) ? u"&\u00E9" : u"\U0001F600";
  Core::String escaped;
  for (char16_t c : text) escaped += c == u'&' ? Core::String(u"&amp;") : Core::String(1, c);
  EXPECT_EQ(Serialise<Xml>(TextIn(u"a", text), Omit().Get()), Utf8(u"<a>" + escaped + u"</a>"));

  auto stream = Core::Make<CMemoryStream>();
  auto writer = Core::Make<Xml>();
  writer->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  writer->SetOutputStream(stream.Get());
  writer->SetOutputOptions(Encoding(u"UTF-16").Get());
  writer->StartDocument();
  writer->StartElement(u"s", false, true);
  Text(*writer, text);
  writer->EndElement();
  writer->EndDocument();
  EXPECT_GT(stream->writes, 2);
  Core::String decoded;
  for (size_t i = 2; i + 1 < stream->bytes.size(); i += 2)
    decoded += static_cast<char16_t>((uint8_t(stream->bytes[i]) << 8) | uint8_t(stream->bytes[i + 1]));
  EXPECT_EQ(decoded, u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<s><![CDATA[" + text + u"]]></s>");

  // In ISO-8859-1 a CDATA section is broken by every reference, across buffers too.
  Core::String expected = u"<s><![CDATA[";
  Core::String long1 = Core::String(0x5FFE, u'x') + u"\u20AC" + Core::String(10, u'y');
  expected += Core::String(0x5FFE, u'x') + u"]]>&#8364;<![CDATA[" + Core::String(10, u'y') + u"]]></s>";
  auto iso = Encoding(u"ISO-8859-1");
  iso->SetOmitXmlDeclaration(true);
  std::string out = Serialise<Xml>(
      [&](Xslt::COutputHandler& h) {
        h.StartElement(u"s", false, true);
        Text(h, long1);
        h.EndElement();
      },
      iso.Get());
  EXPECT_EQ(out, Core::ToUtf8(expected));  // all ASCII
}

TEST(XmlWriter, FailedWritesAreReported) {
  auto run = [](size_t limit, size_t textLength) -> int32_t {
    auto stream = Core::Make<CMemoryStream>(limit);
    auto writer = Core::Make<Xml>();
    writer->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
    writer->SetOutputStream(stream.Get());
    try {
      writer->StartDocument();
      writer->StartElement(u"a", false, false);
      Core::String text(textLength, u'x');
      Text(*writer, text);
      writer->EndElement();
      writer->EndDocument();
    } catch (const CWriterException& e) {
      EXPECT_EQ(e.GetMessage(), u"Cannot write the output stream");
      return e.GetCode();
    }
    return -1;
  };
  EXPECT_EQ(run(SIZE_MAX, 100000), -1);
  EXPECT_EQ(run(0, 10), CWriterException::kWriteFailed);           // nothing written at the end
  EXPECT_EQ(run(50, 10), CWriterException::kWriteFailed);          // a short write at the end
  EXPECT_EQ(run(0x6000, 100000), CWriterException::kWriteFailed);  // the disk fills while the text is written
  EXPECT_EQ(run(0x6000 * 2, 0x6000 + 10), -1);

  // Without a stream there is nowhere to write: also a failure, not a silent loss.
  auto writer = Core::Make<Xml>();
  writer->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  writer->StartDocument();
  EXPECT_THROW(writer->EndDocument(), CWriterException);
}

TEST(XmlWriter, OutputTargetReceivesUnencodedUnits) {
  auto sink = Core::Make<CUnicodeSink>();
  auto writer = Core::Make<Xml>();
  writer->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  writer->SetOutputStream(Core::Make<CMemoryStream>().Get());
  writer->SetOutputTarget(sink.Get());
  writer->SetOutputOptions(Encoding(u"ISO-8859-1").Get());
  writer->StartDocument();
  TextIn(u"a", u"\u20AC&")(*writer);
  writer->EndDocument();
  EXPECT_EQ(sink->text, u"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<a>\u20AC&amp;</a>");
}

} // namespace
