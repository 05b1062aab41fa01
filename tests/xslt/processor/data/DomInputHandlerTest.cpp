#include <gtest/gtest.h>

#include "support/TreeFixture.h"
#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "xslt/processor/data/DomInputHandler.h"

namespace {

// Writes each event as one short line.
class CEventWriter : public Sxp::IDocumentHandler {
public:
  void SetDocumentLocator(Sxp::ILocator*) override { log += "locator;"; }
  void StartDocument() override { log += "doc;"; }
  void EndDocument() override { log += "/doc;"; }
  void StartElement(Core::StringView name) override { log += "<" + Core::ToUtf8(name) + ";"; }
  void EndElement() override { log += "/>;"; }
  void StartAttribute(Core::StringView name) override { log += "@" + Core::ToUtf8(name) + ";"; }
  void EndAttribute() override { log += "/@;"; }
  void Characters(const char16_t* units, int32_t count) override {
    log += "'" + Core::ToUtf8(Core::StringView(units, size_t(count))) + "';";
  }
  void StartComment() override { log += "!;"; }
  void EndComment() override { log += "/!;"; }
  void StartCdata() override { log += "cdata;"; }
  void EndCdata() override { log += "/cdata;"; }
  void SkippedEntity(Core::StringView name) override { log += "&" + Core::ToUtf8(name) + ";"; }
  void ProcessingInstruction(Core::StringView target, Core::StringView data) override {
    log += "?" + Core::ToUtf8(target) + " " + Core::ToUtf8(data) + ";";
  }

  std::string log;
};

constexpr char16_t kDocument[] =
    u"<?xml version='1.0'?>\n"
    u"<r:doc xmlns:r='urn:r' xmlns='urn:d' a='1 &amp; 2'>"
    u"<!--note--><?pi some data?>"
    u"<item><![CDATA[<x>]]>text</item>"
    u"<plain xmlns=''><r:in xmlns:r='urn:other' r:b='v'/></plain>"
    u"</r:doc>";

TEST(DomInputHandler, ReplayRebuildsTheSameTree) {
  Core::XInterface<BasicXdm::CDocumentFactory> factory(new BasicXdm::CDocumentFactory(1));
  Dom::XNode original = ProcessorTest::ParseText(*factory, kDocument);
  Dom::XNode copy = factory->CreateDocument();

  Core::XInterface<XsltPrivate::CDomInputHandler> input(new XsltPrivate::CDomInputHandler());
  input->SetUri(u"urn:tree");
  input->SetNode(original);
  input->SetDocumentHandler(factory->CreateDocumentHandler(copy, nullptr, nullptr).Get());
  input->Parse();
  EXPECT_EQ(input->GetUri(), u"urn:tree");

  // The namespace declarations come back as namespace nodes, not attributes.
  EXPECT_EQ(KeltoTest::Dump(copy), KeltoTest::Dump(original));
  for (const char16_t* name : {u"r:doc", u"item", u"plain", u"r:in"}) {
    Dom::XNode before = ProcessorTest::FindElement(original, name);
    Dom::XNode after = ProcessorTest::FindElement(copy, name);
    ASSERT_TRUE(after) << Core::ToUtf8(name);
    EXPECT_EQ(after->NamespaceUriView(), before->NamespaceUriView()) << Core::ToUtf8(name);
  }
  Dom::XNode in = ProcessorTest::FindElement(copy, u"r:in");
  EXPECT_EQ(in->NamespaceUriView(), u"urn:other");
  EXPECT_EQ(in->AttributeAt(0)->NamespaceUriView(), u"urn:other");
}

TEST(DomInputHandler, EventsOfEachNodeKind) {
  Core::XInterface<BasicXdm::CDocumentFactory> factory(new BasicXdm::CDocumentFactory(1));
  Dom::XNode document = ProcessorTest::ParseText(*factory, kDocument);
  struct Case {
    const char16_t* element;  // null: the document
    const char* expected;
  } cases[] = {
      {nullptr,
       "doc;<r:doc;@xmlns;'urn:d';/@;@xmlns:r;'urn:r';/@;@a;'1 & 2';/@;!;'note';/!;?pi some data;<item;'<x>text';/>;"
       "<plain;@xmlns;/@;<r:in;@xmlns:r;'urn:other';/@;@r:b;'v';/@;/>;/>;/>;/doc;"},
      // A subtree on its own declares what it inherits, and has no document events.
      {u"r:in", "<r:in;@xmlns:r;'urn:other';/@;@r:b;'v';/@;/>;"},
      {u"item", "<item;@xmlns;'urn:d';/@;@xmlns:r;'urn:r';/@;'<x>text';/>;"},
  };
  for (const Case& c : cases) {
    Core::XInterface<CEventWriter> events(new CEventWriter());
    Core::XInterface<XsltPrivate::CDomInputHandler> input(new XsltPrivate::CDomInputHandler());
    input->SetNode(c.element ? ProcessorTest::FindElement(document, c.element) : document);
    input->SetDocumentHandler(events.Get());
    input->Parse();
    EXPECT_EQ(events->log, c.expected);
  }
}

TEST(DomInputHandler, DeepTreesReplayWithoutRecursion) {
  Core::XInterface<BasicXdm::CDocumentFactory> factory(new BasicXdm::CDocumentFactory(1));
  Dom::XNode document = factory->CreateDocument();
  {
    Core::XInterface<Sxp::IDocumentHandler> builder = factory->CreateDocumentHandler(document, nullptr, nullptr);
    builder->StartDocument();
    for (int i = 0; i < 200000; ++i) builder->StartElement(u"e");
    for (int i = 0; i < 200000; ++i) builder->EndElement();
    builder->EndDocument();
  }
  Dom::XNode copy = factory->CreateDocument();
  Core::XInterface<XsltPrivate::CDomInputHandler> input(new XsltPrivate::CDomInputHandler());
  input->SetNode(document);
  input->SetDocumentHandler(factory->CreateDocumentHandler(copy, nullptr, nullptr).Get());
  input->Parse();
  int depth = 0;
  for (Dom::CNode* node = copy->FirstChild(); node; node = node->FirstChild()) ++depth;
  EXPECT_EQ(depth, 200000);
}

} // namespace
