#include <gtest/gtest.h>

#include "tests/xslt/processor/ProcessorTestSupport.h"
#include "xml/tree/DocumentFactory.h"
#include "xslt/processor/data/DataSet.h"
#include "xslt/processor/data/DoctypeSet.h"
#include "xslt/processor/data/DocumentCache.h"
#include "xslt/processor/services/BasicLocationHandler.h"

namespace {

using XsltPrivate::CDocumentScope;

class DocumentCache : public testing::Test {
protected:
  Dom::XNode NewDocument() { return ProcessorTest::ParseText(factory, u"<r/>"); }
  // Whether the data set still knows the document (it is then loaded).
  bool Loaded(const Dom::XNode& document) {
    if (data->RemoveDocument(document) < 0) return false;
    data->AddDocument(document);
    return true;
  }

  BasicXdm::CDocumentFactory factory{1};
  Core::XInterface<XsltPrivate::CDoctypeSet> doctypes{new XsltPrivate::CDoctypeSet()};
  Core::XInterface<Xslt::CDataSet> data{new XsltPrivate::CBasicDataSet()};
  Core::XInterface<Xslt::CLocationHandler> locations{new XsltPrivate::CBasicLocationHandler()};
  Core::XInterface<XsltPrivate::CDocumentCache> cache{
      new XsltPrivate::CDocumentCache(doctypes.Get(), data.Get(), locations.Get())};
};

TEST_F(DocumentCache, ADocumentLivesAsLongAsItsScopeKeepsIt) {
  Core::XInterface<CDocumentScope> outer = cache->BeginScope(nullptr);
  Core::XInterface<CDocumentScope> kept = cache->BeginScope(outer.Get());
  Core::XInterface<CDocumentScope> dropped = cache->BeginScope(outer.Get());
  Dom::XNode a = NewDocument(), b = NewDocument();
  kept->AddDocument(u"file:///a.xml", a);
  dropped->AddDocument(u"file:///b.xml", b);
  EXPECT_TRUE(Loaded(a));
  EXPECT_TRUE(Loaded(b));

  dropped->End(false, false);
  EXPECT_FALSE(Loaded(b));
  kept->End(true, false);  // a value bound outside: to the enclosing scope
  EXPECT_TRUE(Loaded(a));
  EXPECT_EQ(outer->GetDocumentCount(), 1);
  outer->End(false, false);
  EXPECT_FALSE(Loaded(a));
}

TEST_F(DocumentCache, GlobalValuesKeepTheirDocumentsForTheRun) {
  Core::XInterface<CDocumentScope> outer = cache->BeginScope(nullptr);
  Core::XInterface<CDocumentScope> global = cache->BeginScope(outer.Get());
  Dom::XNode a = NewDocument();
  global->AddDocument(u"file:///a.xml", a);
  global->End(false, true);
  outer->End(false, false);
  EXPECT_TRUE(Loaded(a));
  EXPECT_EQ(cache->GetRunDocumentCount(), 1);
  cache->UnloadRunDocuments();
  EXPECT_FALSE(Loaded(a));
}

// A lazy value loads a document after the scope that made it ended: the
// document goes where that scope's documents went.
TEST_F(DocumentCache, LateLoadsFollowTheirScope) {
  Core::XInterface<CDocumentScope> outer = cache->BeginScope(nullptr);
  Core::XInterface<CDocumentScope> variable = cache->BeginScope(outer.Get());
  Core::XInterface<CDocumentScope> unbound = cache->BeginScope(outer.Get());
  variable->End(true, false);
  unbound->End(false, false);
  Dom::XNode a = NewDocument(), b = NewDocument();
  variable->AddDocument(u"file:///a.xml", a);
  unbound->AddDocument(u"file:///b.xml", b);
  EXPECT_EQ(outer->GetDocumentCount(), 1);  // a, with the variable's scope
  EXPECT_EQ(cache->GetRunDocumentCount(), 1);  // b: nobody said how long, so to the end
  outer->End(false, false);
  EXPECT_FALSE(Loaded(a));
  EXPECT_TRUE(Loaded(b));
}

// A URL still loaded gives the same document; a user that lives longer than
// the scope holding it takes it to a scope that lasts for both; once unloaded
// the URL is free again.
TEST_F(DocumentCache, AUrlGivesOneDocumentWhileItIsLoaded) {
  Core::XInterface<CDocumentScope> outer = cache->BeginScope(nullptr);
  Core::XInterface<CDocumentScope> inner = cache->BeginScope(outer.Get());
  Core::XInterface<CDocumentScope> sibling = cache->BeginScope(outer.Get());
  Dom::XNode a = NewDocument();
  EXPECT_FALSE(inner->FindDocument(u"file:///a.xml"));
  inner->AddDocument(u"file:///a.xml", a);
  EXPECT_EQ(inner->FindDocument(u"file:///a.xml").Get(), a.Get());
  EXPECT_EQ(inner->GetDocumentCount(), 1);

  // Found from a scope that is not inside the holder: it moves to outer.
  EXPECT_EQ(sibling->FindDocument(u"file:///a.xml").Get(), a.Get());
  EXPECT_EQ(inner->GetDocumentCount(), 0);
  EXPECT_EQ(outer->GetDocumentCount(), 1);
  inner->End(false, false);
  sibling->End(false, false);
  EXPECT_TRUE(Loaded(a));

  // Found by the run itself (no scope): it stays to the end of the run.
  Core::XInterface<CDocumentScope> run = cache->BeginScope(nullptr);
  run->End(false, true);
  EXPECT_EQ(run->FindDocument(u"file:///a.xml").Get(), a.Get());
  EXPECT_EQ(cache->GetRunDocumentCount(), 1);
  outer->End(false, false);
  EXPECT_TRUE(Loaded(a));
  cache->UnloadRunDocuments();
  EXPECT_FALSE(Loaded(a));
  EXPECT_FALSE(outer->FindDocument(u"file:///a.xml"));
}

} // namespace
