#include <gtest/gtest.h>

#include "support/TreeFixture.h"
#include "tests/xslt/processor/OutputTestSupport.h"
#include "xml/tree/DomException.h"
#include "xslt/processor/output/TreeOutputHandler.h"
#include "xslt/processor/services/BasicXsltImplementation.h"

namespace {

using namespace OutputTest;
using WriterTest::CMemoryStream;
using WriterTest::CUnicodeSink;

void HtmlDocument(Xslt::COutputHandler& h) {
  h.StartDocument();
  h.StartElement(u"html", false, false);
  h.StartElement(u"br", false, false);
  h.EndElement();
  h.Characters(u"x<y", 3, false);
  h.EndElement();
  h.EndDocument();
}

struct MethodCase {
  const char* name;
  void (*configure)(Xslt::COutputOptions&);
  const char* output;
};

// The serialiser is chosen when the document starts, by the method kind
// alone: an html document element with no method given is still XML.
TEST(BasicOutputHandler, ChoosesTheSerialiserByMethod) {
  const MethodCase cases[] = {
      {"no method", [](Xslt::COutputOptions&) {}, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<html><br/>x&lt;y</html>"},
      {"xml", [](Xslt::COutputOptions& o) { o.SetMethod(0); }, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<html><br/>x&lt;y</html>"},
      {"unknown kind", [](Xslt::COutputOptions& o) { o.SetMethod(9); },
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<html><br/>x&lt;y</html>"},
      {"html", [](Xslt::COutputOptions& o) { o.SetMethod(1); }, "<html>\r\n  <br>x&lt;y</html>"},
      {"text", [](Xslt::COutputOptions& o) { o.SetMethod(2); }, "x<y"},
      // A method kind set beside a method name wins.
      {"kind and name", [](Xslt::COutputOptions& o) { o.SetMethod(2); o.SetMethodName(u"urn:x", u"out"); }, "x<y"},
  };
  for (const auto& c : cases) {
    auto options = Core::Make<Xslt::COutputOptions>();
    c.configure(*options);
    auto stream = Core::Make<CMemoryStream>();
    auto handler = Core::Make<Xslt::CBasicOutputHandler>();
    handler->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
    handler->SetOutputStream(stream.Get());
    handler->SetOutputOptions(options.Get());
    HtmlDocument(*handler);
    EXPECT_EQ(stream->bytes, c.output) << c.name;
  }
}

TEST(BasicOutputHandler, PrefixedMethodStopsBeforeAnythingIsWritten) {
  auto options = Core::Make<Xslt::COutputOptions>();
  options->SetMethodName(u"urn:x", u"out");
  auto stream = Core::Make<CMemoryStream>();
  auto handler = Core::Make<Xslt::CBasicOutputHandler>();
  handler->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  handler->SetOutputStream(stream.Get());
  handler->SetOutputOptions(options.Get());
  try {
    handler->StartDocument();
    FAIL() << "no error";
  } catch (const XmlWriter::CWriterException& e) {
    EXPECT_EQ(e.GetCode(), 0);
    EXPECT_EQ(e.GetMessage(), u"Unsupported output method: 'urn:x', 'out'");
  }
  EXPECT_EQ(handler->GetSerialiser(), nullptr);
  EXPECT_EQ(stream->writes, 0);
}

TEST(BasicOutputHandler, WritesToTheTargetOrTheStreamSetLast) {
  auto options = Core::Make<Xslt::COutputOptions>();
  options->SetMethod(2);
  auto stream = Core::Make<CMemoryStream>();
  auto target = Core::Make<CUnicodeSink>();
  auto handler = Core::Make<Xslt::CBasicOutputHandler>();
  handler->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  handler->SetOutputOptions(options.Get());
  handler->SetOutputStream(stream.Get());
  handler->SetOutputTarget(target.Get());
  HtmlDocument(*handler);
  EXPECT_EQ(target->text, u"x<y");
  EXPECT_EQ(stream->bytes, "");

  handler->SetOutputStream(stream.Get());
  HtmlDocument(*handler);
  EXPECT_EQ(stream->bytes, "x<y");
  EXPECT_EQ(target->text, u"x<y");
}

// EndDocument drops the serialiser; the next document gets a fresh one.
TEST(BasicOutputHandler, EachDocumentGetsAFreshSerialiser) {
  auto stream = Core::Make<CMemoryStream>();
  auto handler = Core::Make<Xslt::CBasicOutputHandler>();
  handler->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  handler->SetOutputStream(stream.Get());
  auto options = Core::Make<Xslt::COutputOptions>();
  options->SetOmitXmlDeclaration(true);
  handler->SetOutputOptions(options.Get());
  handler->StartDocument();
  EXPECT_NE(handler->GetSerialiser(), nullptr);
  handler->StartElement(u"a", false, false);
  handler->EndElement();
  handler->EndDocument();
  EXPECT_EQ(handler->GetSerialiser(), nullptr);
  handler->Characters(u"lost", 4, false);
  options->SetMethod(2);
  HtmlDocument(*handler);
  EXPECT_EQ(stream->bytes, "<a/>x<y");
}

TEST(BasicOutputHandlerFactory, MakesANewHandlerEachTime) {
  auto factory = Core::Make<Xslt::CBasicOutputHandlerFactory>();
  Core::XInterface<Xslt::COutputHandler> a = factory->CreateOutputHandler();
  Core::XInterface<Xslt::COutputHandler> b = factory->CreateOutputHandler();
  EXPECT_NE(a.Get(), b.Get());
  EXPECT_EQ(a->GetUseCount(), 1);
  EXPECT_NE(dynamic_cast<Xslt::CBasicOutputHandler*>(a.Get()), nullptr);

  Core::XInterface<Xslt::CBasicXsltImplementation> services(new Xslt::CBasicXsltImplementation());
  Xslt::CBasicOutputHandlerFactory* kept = services->GetOutputHandlerFactory();
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(services->GetOutputHandlerFactory(), kept);
  EXPECT_EQ(kept->GetUseCount(), 1);
}

TEST(StringOutputHandler, KeepsOnlyCharacterDataSinceTheDocumentStarted) {
  auto h = Core::Make<XsltPrivate::CStringOutputHandler>();
  h->Characters(u"one", 3, false);
  h->StartElement(u"e", false, false);
  h->Attribute(u"a", u"v");
  h->Characters(u"twox", 3, true);
  h->Comment(u"c");
  h->ProcessingInstruction(u"t", u"d");
  h->EndElement();
  EXPECT_EQ(h->GetText(), u"onetwo");
  h->StartDocument();
  h->Characters(u"last", 4, false);
  h->Characters(u"", 0, false);
  h->EndDocument();
  EXPECT_EQ(h->GetText(), u"last");
}

// The system's document tree is read-only: the tree handler's first creation
// fails, and the tree's error passes through unchanged.
TEST(TreeOutputHandler, ReadOnlyTreeRefusesTheResult) {
  KeltoTest::CTreeFixture trees;
  Dom::XNode document = trees.Build(u"<r/>");
  auto h = Core::Make<XsltPrivate::CXdmOutputHandler>();
  h->SetNode(document->FirstChild());
  h->StartDocument();
  struct {
    const char* what;
    void (*event)(XsltPrivate::CXdmOutputHandler&);
  } events[] = {
      {"element", [](XsltPrivate::CXdmOutputHandler& x) { x.StartElement(u"e", false, false); }},
      {"text", [](XsltPrivate::CXdmOutputHandler& x) { x.Characters(u"t", 1, false); }},
      {"comment", [](XsltPrivate::CXdmOutputHandler& x) { x.Comment(u"c"); }},
      {"processing instruction", [](XsltPrivate::CXdmOutputHandler& x) { x.ProcessingInstruction(u"t", u"d"); }},
      {"attribute", [](XsltPrivate::CXdmOutputHandler& x) { x.Attribute(u"a", u"v"); }},
      {"namespace", [](XsltPrivate::CXdmOutputHandler& x) { x.NamespaceDeclaration(u"", u"urn:x"); }},
  };
  for (const auto& e : events) {
    try {
      e.event(*h);
      ADD_FAILURE() << e.what << ": no error";
    } catch (const Dom::CDomException& x) {
      EXPECT_EQ(x.GetCode(), 9) << e.what;
    }
  }
  h->EndDocument();
  // Outside a document, events go nowhere.
  h->StartElement(u"e", false, false);
  h->Characters(u"t", 1, false);
}

} // namespace
