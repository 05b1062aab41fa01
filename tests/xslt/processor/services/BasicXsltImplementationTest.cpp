#include <gtest/gtest.h>

#include "core/EncodingMap.h"
#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "tests/xslt/processor/RecordingPackage.h"
#include "xml/parser/Sxp.h"
#include "xpath/NodeArray.h"
#include "xslt/processor/data/DocumentFactory.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/ErrorHandler.h"
#include "xslt/processor/services/LocationHandlerFactory.h"
#include "xslt/processor/services/MessageHandler.h"
#include "xslt/processor/services/XsltException.h"

namespace {

using ProcessorTest::CStringWriter;

TEST(BasicXsltImplementation, MakesEachServiceOnceAndKeepsIt) {
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
  Xslt::CXsltImplementation& services = *implementation;
  struct Case {
    const char* what;
    Core::CInterface* (*get)(Xslt::CXsltImplementation&);
    int32_t uses = 1;
  } cases[] = {
      {"node arrays", [](Xslt::CXsltImplementation& i) -> Core::CInterface* { return i.GetNodeArrayFactory(); }},
      {"extensions", [](Xslt::CXsltImplementation& i) -> Core::CInterface* { return i.GetExtensionHandler(); }},
      {"parsers", [](Xslt::CXsltImplementation& i) -> Core::CInterface* { return i.GetParserFactory(); }},
      // The tree-builder factory holds the document factory too.
      {"documents", [](Xslt::CXsltImplementation& i) -> Core::CInterface* { return i.GetDocumentFactory(); }, 2},
      {"tree builders",
       [](Xslt::CXsltImplementation& i) -> Core::CInterface* { return i.GetDocumentHandlerFactory(); }},
      {"messages", [](Xslt::CXsltImplementation& i) -> Core::CInterface* { return i.GetMessageHandler(); }},
      {"errors", [](Xslt::CXsltImplementation& i) -> Core::CInterface* { return i.GetErrorHandler(); }},
      {"encodings", [](Xslt::CXsltImplementation& i) -> Core::CInterface* { return i.GetEncodingHandler(); }},
      {"locations",
       [](Xslt::CXsltImplementation& i) -> Core::CInterface* { return i.GetLocationHandlerFactory(); }},
  };
  for (const Case& c : cases) {
    Core::CInterface* first = c.get(services);
    ASSERT_NE(first, nullptr) << c.what;
    EXPECT_EQ(c.get(services), first) << c.what;
    // Getters add no use.
    EXPECT_EQ(first->GetUseCount(), c.uses) << c.what;
  }
}

TEST(BasicXsltImplementation, TreeBuilderFactoryHoldsTheDocumentFactory) {
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
  auto* builders = static_cast<XsltPrivate::CPrivateDocumentFactory*>(implementation->GetDocumentHandlerFactory());
  EXPECT_EQ(implementation->GetDocumentFactory(), builders->GetDocumentFactory());
}

TEST(BasicXsltImplementation, DocumentNumbersNeverRepeat) {
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
  Dom::XNode first = implementation->GetDocumentFactory()->CreateDocument();
  Dom::XNode filled = implementation->GetDocumentFactory()->CreateDocument();
  implementation->GetDocumentHandlerFactory()->CreateDocumentHandler(filled, nullptr, nullptr);
  Dom::XNode third = implementation->GetDocumentFactory()->CreateDocument();
  EXPECT_NE(first->GetDocumentNumber(), filled->GetDocumentNumber());
  EXPECT_NE(filled->GetDocumentNumber(), third->GetDocumentNumber());
  EXPECT_EQ(first->GetDocumentNumber() >> 24, 1u);
  EXPECT_THROW(implementation->GetDocumentHandlerFactory()->CreateDocumentHandler(
                   Dom::XNode(first->GetFirstChild()), nullptr, nullptr),
               Dom::CDomException);
}

TEST(BasicXsltImplementation, HandlersKeepTheStreamOfTheirFirstRequest) {
  Core::XInterface<CStringWriter> before(new CStringWriter()), after(new CStringWriter());
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
  implementation->SetErrorStream(before.Get());
  implementation->SetMessageStream(before.Get());
  Xslt::CErrorHandler* errors = implementation->GetErrorHandler();
  Xslt::CMessageHandler* messages = implementation->GetMessageHandler();
  implementation->SetErrorStream(after.Get());
  implementation->SetMessageStream(after.Get());
  EXPECT_EQ(implementation->GetErrorHandler(), errors);
  errors->Report(Xslt::CErrorHandler::Fatal, Xslt::CXsltException(Xslt::CXsltException::InvalidStylesheet),
                 nullptr);
  messages->Characters(u"note", 4, false);
  EXPECT_EQ(before->text, u"Invalid stylesheet\nnote");
  EXPECT_EQ(after->text, u"");
}

TEST(BasicXsltImplementation, WithoutErrorStreamReportsAreDropped) {
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
  implementation->GetErrorHandler()->Report(
      Xslt::CErrorHandler::Recoverable, Xslt::CXsltException(Xslt::CXsltException::InvalidStylesheet), nullptr);
  // A stream set afterwards does not receive reports either.
  Core::XInterface<CStringWriter> late(new CStringWriter());
  implementation->SetErrorStream(late.Get());
  implementation->GetErrorHandler()->Report(
      Xslt::CErrorHandler::Recoverable, Xslt::CXsltException(Xslt::CXsltException::InvalidStylesheet), nullptr);
  EXPECT_EQ(late->text, u"");
}

TEST(BasicXsltImplementation, PackagesRegisterBeforeAnyOtherService) {
  ProcessorTest::CEventLog log;
  Core::XInterface<ProcessorTest::CRecordingPackage> package(
      new ProcessorTest::CRecordingPackage("A", u"urn:a", log, {u"e"}));
  {
    Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
    implementation->GetExtensionHandler()->AddPackage(package.Get());
    EXPECT_TRUE(implementation->GetExtensionHandler()->IsElementAvailable(u"urn:a", u"e"));
    EXPECT_EQ(package->GetUseCount(), 2);
  }
  EXPECT_EQ(package->GetUseCount(), 1);
}

TEST(BasicXsltImplementation, EncodingHandlerIsItsOwnMap) {
  Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
  Unicode::CEncodingMap* map = implementation->GetEncodingHandler();
  EXPECT_NE(map->Find(u"utf-8"), nullptr);
  EXPECT_NE(map->Find(u"ISO-8859-1"), nullptr);
}

} // namespace
