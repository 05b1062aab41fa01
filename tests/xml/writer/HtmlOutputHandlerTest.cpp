#include <gtest/gtest.h>

#include "tests/xml/writer/WriterTestSupport.h"
#include "xml/writer/HtmlOutputHandler.h"

namespace {

using namespace WriterTest;
using Html = XsltPrivate::CHtmlOutputHandler;

Core::XInterface<Xslt::COutputOptions> NoIndent() {
  auto o = Core::Make<Xslt::COutputOptions>();
  o->SetIndent(false);
  return o;
}

void Empty(Xslt::COutputHandler& h, Core::StringView name) {
  h.StartElement(name, false, false);
  h.EndElement();
}

TEST(HtmlWriter, DocumentWithDefaults) {
  // No declaration, indentation on, META right after the head start tag.
  auto doc = [](Xslt::COutputHandler& h) {
    h.StartElement(u"html", false, false);
    h.StartElement(u"head", false, false);
    TextIn(u"title", u"T")(h);
    h.EndElement();
    h.StartElement(u"body", false, false);
    TextIn(u"p", u"x")(h);
    Empty(h, u"br");
    h.EndElement();
    h.EndElement();
  };
  EXPECT_EQ(Serialise<Html>(doc),
            "<html>\r\n  <head>\r\n    <META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
            "\r\n    <title>T</title>\r\n  </head>\r\n  <body>\r\n    <p>x</p>\r\n    <br>\r\n  </body>\r\n</html>");

  auto iso = NoIndent();
  iso->SetEncoding(u"iso-8859-1");
  iso->SetVersion(u"3.2");
  EXPECT_EQ(Serialise<Html>(
                [](Xslt::COutputHandler& h) {
                  h.StartElement(u"HEAD", false, false);
                  h.EndElement();
                },
                iso.Get()),
            "<HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n</HEAD>");
  auto media = NoIndent();
  media->SetMediaType(u"application/xhtml+xml");
  EXPECT_EQ(Serialise<Html>([](Xslt::COutputHandler& h) { TextIn(u"head", u"x")(h); }, media.Get()),
            "<head><META http-equiv=\"Content-Type\" content=\"application/xhtml+xml; charset=UTF-8\">\r\nx</head>");
  // The media type is escaped as an attribute value, so the charset stays inside the attribute.
  auto quoted = NoIndent();
  quoted->SetMediaType(u"text/html; level=\"1\" & x");
  quoted->SetEncoding(u"ISO-8859-1");
  EXPECT_EQ(Serialise<Html>([](Xslt::COutputHandler& h) { Empty(h, u"head"); }, quoted.Get()),
            "<head><META http-equiv=\"Content-Type\" content=\"text/html; level=&quot;1&quot; &amp; x; "
            "charset=ISO-8859-1\">\r\n</head>");
  // Whatever closes the head start tag, the META element follows it at once.
  EXPECT_EQ(Serialise<Html>(
                [](Xslt::COutputHandler& h) {
                  h.StartElement(u"head", false, false);
                  h.Comment(u"c");
                  h.EndElement();
                },
                NoIndent().Get()),
            "<head><META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n<!--c--></head>");
  // A prefixed head is not HTML's.
  EXPECT_EQ(Serialise<Html>([](Xslt::COutputHandler& h) { Empty(h, u"x:head"); }, NoIndent().Get()), "<x:head/>");
}

TEST(HtmlWriter, EmptyElements) {
  struct Case {
    Events events;
    const char* written;
  } cases[] = {
      {[](Xslt::COutputHandler& h) { Empty(h, u"br"); }, "<br>"},
      {[](Xslt::COutputHandler& h) { Empty(h, u"BR"); }, "<BR>"},
      {[](Xslt::COutputHandler& h) { Empty(h, u"x:br"); }, "<x:br/>"},
      {[](Xslt::COutputHandler& h) { Empty(h, u"p"); }, "<p></p>"},
      {TextIn(u"br", u"x"), "<br>x</br>"},
      {[](Xslt::COutputHandler& h) {
         h.StartElement(u"img", false, false);
         h.Attribute(u"src", u"a.png");
         h.EndElement();
       },
       "<img src=\"a.png\">"},
  };
  for (const auto& c : cases) EXPECT_EQ(Serialise<Html>(c.events, NoIndent().Get()), c.written);
}

TEST(HtmlWriter, Attributes) {
  struct Case {
    const char16_t* element;
    const char16_t* name;
    const char16_t* value;
    const char* written;
  } cases[] = {
      {u"option", u"selected", u"selected", "<option selected></option>"},
      {u"option", u"SELECTED", u"no", "<option SELECTED></option>"},
      {u"a", u"href", u"caf\u00E9 x", "<a href=\"caf\xC3\xA9 x\"></a>"},
      {u"a", u"HREF", u"/\u4E2D?q=\U0001F600&x", "<a HREF=\"/%E4%B8%AD?q=%F0%9F%98%80&amp;x\"></a>"},
      {u"a", u"title", u"\u4E2D", "<a title=\"\xE4\xB8\xAD\"></a>"},
      {u"a", u"title", u"&{x}; a<b>c \"q\"\n", "<a title=\"&{x}; a<b&gt;c &quot;q&quot;&#10;\"></a>"},
      {u"a", u"title", u"\t\r\n", "<a title=\"&#9;&#13;&#10;\"></a>"},
      {u"a", u"href", u"a\tb\r\n", "<a href=\"a&#9;b&#13;&#10;\"></a>"},
      {u"x:a", u"v", u"\t\r\n", "<x:a v=\"&#9;&#13;&#10;\"/>"},
      // Not an HTML element: XML rules.
      {u"x:a", u"selected", u"<&{", "<x:a selected=\"&lt;&amp;{\"/>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Serialise<Html>(
                  [&](Xslt::COutputHandler& h) {
                    h.StartElement(c.element, false, false);
                    h.Attribute(c.name, c.value);
                    h.EndElement();
                  },
                  NoIndent().Get()),
              c.written);
  }
  // A surrogate without its partner cannot be %-escaped.
  for (const char16_t* value : {u"\xD800", u"\xD800x", u"x\xDC00"}) {
    auto [code, message] = SerialiseError<Html>(
        [&](Xslt::COutputHandler& h) {
          h.StartElement(u"a", false, false);
          h.Attribute(u"href", value);
        },
        NoIndent().Get());
    EXPECT_EQ(code, 4);
  }
}

TEST(HtmlWriter, TextScriptAndProcessingInstructions) {
  auto iso = NoIndent();
  iso->SetEncoding(u"ISO-8859-1");
  EXPECT_EQ(Serialise<Html>(
                [](Xslt::COutputHandler& h) {
                  h.StartElement(u"div", false, false);
                  Text(h, u"a<b&c>\u20AC\r\n\t");
                  // A reference means nothing in script: its CR stays raw.
                  TextIn(u"SCRIPT", u"if (a < b && c) x = '\u20AC';\r\n")(h);
                  TextIn(u"style", u"p > a {}")(h);
                  h.ProcessingInstruction(u"t", u"d");
                  h.ProcessingInstruction(u"t", u"");
                  h.ProcessingInstruction(u"t", u"a?>b");
                  h.Comment(u"c--");
                  h.EndElement();
                },
                iso.Get()),
            "<div>a&lt;b&amp;c&gt;&#8364;&#13;\n\t<SCRIPT>if (a < b && c) x = '&#8364;';\r\n</SCRIPT><style>p > a {}</style>"
            "<?t d><?t><?t a? >b><!--c- - --></div>");
}

TEST(HtmlWriter, DocumentTypeDeclaration) {
  struct Case {
    const char16_t* publicId;
    const char16_t* systemId;
    const char* written;
  } cases[] = {
      {nullptr, nullptr, "<html></html>"},
      {u"-//W3C//DTD HTML 4.01//EN", nullptr, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html></html>"},
      {u"-//P", u"s.dtd", "<!DOCTYPE HTML PUBLIC \"-//P\" \"s.dtd\">\r\n<html></html>"},
      {nullptr, u"s.dtd", "<!DOCTYPE HTML SYSTEM \"s.dtd\">\r\n<html></html>"},
  };
  for (const auto& c : cases) {
    auto o = NoIndent();
    if (c.publicId) o->SetDoctypePublic(c.publicId);
    if (c.systemId) o->SetDoctypeSystem(c.systemId);
    EXPECT_EQ(Serialise<Html>([](Xslt::COutputHandler& h) { Empty(h, u"html"); }, o.Get()), c.written);
  }
}

TEST(HtmlWriter, OptionErrors) {
  auto doc = [](Xslt::COutputHandler& h) { Empty(h, u"br"); };
  auto bad = Core::Make<Xslt::COutputOptions>();
  bad->SetVersion(u"4 0");
  EXPECT_EQ(SerialiseError<Html>(doc, bad.Get()).first, 2);
  EXPECT_EQ(SerialiseError<Html>(doc, Encoding(u"9bit").Get()).first, 3);
  EXPECT_EQ(SerialiseError<Html>(doc, Encoding(u"latin1").Get()).second, u"Unsupported encoding: 'latin1'");
  EXPECT_EQ(SerialiseError<Html>([](Xslt::COutputHandler& h) { Empty(h, u"\u20AC"); },
                                 Encoding(u"ISO-8859-1").Get())
                .first,
            5);
}

} // namespace
