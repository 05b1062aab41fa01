#include <gtest/gtest.h>

#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "xslt/processor/services/BasicLocationHandler.h"
#include "xslt/processor/services/LocationHandlerFactory.h"

namespace {

using Dom::CNodeIdentity;

struct CLocation {
  bool known;
  std::string systemId;
  int32_t line;
};

CLocation Locate(Xslt::CLocationHandler& handler, CNodeIdentity position) {
  Core::String publicId, systemId;
  int32_t line = -1, column = -1;
  bool known = handler.GetLocation(position, publicId, systemId, line, column);
  return CLocation{known, Core::ToUtf8(systemId), line};
}

std::string BaseUri(Xslt::CLocationHandler& handler, CNodeIdentity position) {
  Core::String uri;
  return handler.GetBaseUri(position, uri) ? Core::ToUtf8(uri) : "none";
}

TEST(BasicLocationHandler, EntitiesMakeRangesOfBaseUris) {
  XsltPrivate::CBasicLocationHandler handler;
  // Document entity, an external entity, the document entity again, then a second document.
  handler.RecordLocation({5, 0}, u"", u"file:///doc.xml", 1, 0);
  handler.RecordLocation({5, 1}, u"", u"file:///doc.xml", 1, 5);
  handler.RecordLocation({5, 2}, u"-//E//EN", u"file:///chapter.xml", 1, 3);
  handler.RecordLocation({5, 3}, u"-//E//EN", u"file:///chapter.xml", 2, 3);
  handler.RecordLocation({5, 4}, u"", u"file:///doc.xml", 4, 1);
  handler.RecordLocation({5, 5}, u"", u"", 4, 9);  // neither id: not recorded
  handler.RecordLocation({5, 6}, u"", u"file:///doc.xml", 5, 1);
  handler.RecordLocation({6, 0}, u"", u"file:///doc.xml", 1, 0);
  struct Case {
    CNodeIdentity position;
    std::string baseUri;
    bool known;
    int32_t line;
  } cases[] = {
      {{5, 0}, "file:///doc.xml", true, 1},     {{5, 1}, "file:///doc.xml", true, 1},
      {{5, 2}, "file:///chapter.xml", true, 1}, {{5, 3}, "file:///chapter.xml", true, 2},
      {{5, 4}, "file:///doc.xml", true, 4},     {{5, 5}, "file:///doc.xml", false, -1},
      {{5, 6}, "file:///doc.xml", true, 5},     {{5, 7}, "none", false, -1},
      {{6, 0}, "file:///doc.xml", true, 1},     {{4, 0}, "none", false, -1},
  };
  for (const Case& c : cases) {
    std::string where = std::to_string(c.position.documentNumber) + "/" + std::to_string(c.position.nodeIndex);
    EXPECT_EQ(BaseUri(handler, c.position), c.baseUri) << where;
    CLocation location = Locate(handler, c.position);
    EXPECT_EQ(location.known, c.known) << where;
    EXPECT_EQ(location.line, c.line) << where;
    // A second lookup gives the same answer.
    EXPECT_EQ(Locate(handler, c.position).line, location.line) << where;
  }
  Core::String publicId, systemId;
  int32_t line, column;
  ASSERT_TRUE(handler.GetLocation({5, 3}, publicId, systemId, line, column));
  EXPECT_EQ(publicId, u"-//E//EN");
  EXPECT_EQ(column, 3);
}

TEST(BasicLocationHandler, ForgottenDocumentKeepsItsBaseUris) {
  XsltPrivate::CBasicLocationHandler handler;
  handler.RecordLocation({7, 0}, u"", u"file:///a.xml", 1, 0);
  handler.RecordLocation({7, 1}, u"", u"file:///a.xml", 2, 0);
  handler.RecordLocation({8, 1}, u"", u"file:///b.xml", 3, 0);
  handler.ForgetDocument({7, 99});
  EXPECT_FALSE(Locate(handler, {7, 1}).known);
  EXPECT_EQ(BaseUri(handler, {7, 1}), "file:///a.xml");
  EXPECT_EQ(Locate(handler, {8, 1}).line, 3);
}

TEST(BasicLocationHandler, FindsEveryRecordOfLargeAndInterleavedDocuments) {
  XsltPrivate::CBasicLocationHandler handler;
  for (uint32_t i = 0; i < 5000; ++i) handler.RecordLocation({10, i * 2}, u"", u"file:///big.xml", int32_t(i + 1), 0);
  // Another document in between, then the first again, and a node recorded
  // twice: the first record answers.
  handler.RecordLocation({11, 0}, u"", u"file:///small.xml", 7, 0);
  handler.RecordLocation({10, 10001}, u"", u"file:///big.xml", 9001, 0);
  handler.RecordLocation({10, 4}, u"", u"file:///big.xml", 9999, 0);
  EXPECT_EQ(Locate(handler, {10, 0}).line, 1);
  EXPECT_EQ(Locate(handler, {10, 4}).line, 3);
  EXPECT_EQ(Locate(handler, {10, 9998}).line, 5000);
  EXPECT_FALSE(Locate(handler, {10, 9999}).known);
  EXPECT_EQ(Locate(handler, {10, 10001}).line, 9001);
  EXPECT_EQ(Locate(handler, {11, 0}).line, 7);
  handler.ForgetDocument({11, 0});
  EXPECT_FALSE(Locate(handler, {11, 0}).known);
  EXPECT_EQ(Locate(handler, {10, 10001}).line, 9001);
  EXPECT_EQ(Locate(handler, {10, 2}).line, 2);
}

TEST(BasicLocationHandler, ParentAnswersWhatTheHandlerDoesNotKnow) {
  Core::XInterface<XsltPrivate::CBasicLocationHandler> stylesheet(new XsltPrivate::CBasicLocationHandler());
  Core::XInterface<XsltPrivate::CBasicLocationHandler> run(new XsltPrivate::CBasicLocationHandler());
  run->SetParent(Core::XInterface<Xslt::CLocationHandler>(stylesheet.Get()));
  stylesheet->RecordLocation({1, 3}, u"", u"file:///s.xsl", 9, 2);
  run->RecordLocation({2, 3}, u"", u"file:///in.xml", 4, 2);
  EXPECT_EQ(Locate(*run, {1, 3}).line, 9);
  EXPECT_EQ(BaseUri(*run, {1, 3}), "file:///s.xsl");
  EXPECT_EQ(Locate(*run, {2, 3}).line, 4);
  EXPECT_FALSE(Locate(*stylesheet, {2, 3}).known);
  run = nullptr;  // the run keeps its parent alive, not the other way round
  EXPECT_EQ(stylesheet->GetUseCount(), 1);
}

TEST(BasicLocationHandler, RecordsTheNodesOfAParsedDocument) {
  Core::XInterface<BasicXdm::CDocumentFactory> factory(new BasicXdm::CDocumentFactory(1));
  Xslt::CBasicLocationHandlerFactory locations;
  Core::XInterface<Xslt::CLocationHandler> handler = locations.CreateLocationHandler();
  EXPECT_NE(handler, locations.CreateLocationHandler());
  Dom::XNode document =
      ProcessorTest::ParseText(*factory, u"<doc>\n  <a/>\n\n  <b>\n<c/></b>\n</doc>", u"file:///in.xml", handler.Get());
  for (auto [name, line] : {std::pair{u"a", 2}, {u"b", 4}, {u"c", 5}}) {
    CLocation location = Locate(*handler, ProcessorTest::FindElement(document, name)->GetIdentity());
    EXPECT_TRUE(location.known);
    EXPECT_EQ(location.systemId, "file:///in.xml");
    EXPECT_EQ(location.line, line) << Core::ToUtf8(name);
  }
  EXPECT_EQ(BaseUri(*handler, ProcessorTest::FindElement(document, u"c")->GetIdentity()), "file:///in.xml");
  // After the parse the handler holds no locator: nodes reported now are not recorded.
  Dom::XNode other = factory->CreateDocument();
  handler->NodeCreated(other.Get());
  EXPECT_FALSE(Locate(*handler, other->GetIdentity()).known);
}

} // namespace
