#include <gtest/gtest.h>

#include "tests/xslt/processor/RecordingPackage.h"
#include "xslt/processor/extensions/PrivateExtensionHandler.h"

namespace {

using ProcessorTest::CEventLog;
using ProcessorTest::CRecordingPackage;
using ProcessorTest::CRecordingPackageContext;

class ExtensionRegistry : public testing::Test {
protected:
  Core::XInterface<CRecordingPackage> Register(std::string name, Core::String uri, std::vector<Core::String> elements = {},
                                               std::vector<Core::String> functions = {}) {
    Core::XInterface<CRecordingPackage> package(
        new CRecordingPackage(std::move(name), std::move(uri), log, std::move(elements), std::move(functions)));
    handler->AddPackage(package.Get());
    return package;
  }

  CEventLog log;
  Core::XInterface<Xslt::CExtensionHandler> handler{new XsltPrivate::CPrivateExtensionHandler()};
};

TEST_F(ExtensionRegistry, ScopesStartInRegistrationOrderAndFinishInReverse) {
  Register("A", u"urn:a");
  Register("B", u"urn:b");
  Register("C", u"urn:c");
  Core::XInterface<Xslt::CTopLevelExtensionContext> run = handler->CreateTopLevelExtensionContext();
  run->StartAll(true);   // the root context's scope
  run->StartAll(false);  // a nested scope
  run->FinishAll();
  run->FinishAll();
  EXPECT_EQ(log, (CEventLog{"A.CreateContext", "B.CreateContext", "C.CreateContext", "A.Start(1)", "B.Start(1)",
                            "C.Start(1)", "A.Start(0)", "B.Start(0)", "C.Start(0)", "C.Finish", "B.Finish",
                            "A.Finish", "C.Finish", "B.Finish", "A.Finish"}));
}

TEST_F(ExtensionRegistry, EachRunHasItsOwnContexts) {
  Register("A", u"urn:a");
  Core::XInterface<Xslt::CTopLevelExtensionContext> first = handler->CreateTopLevelExtensionContext();
  Core::XInterface<Xslt::CTopLevelExtensionContext> second = handler->CreateTopLevelExtensionContext();
  EXPECT_NE(first->FindPackageContext(u"urn:a"), second->FindPackageContext(u"urn:a"));
}

TEST_F(ExtensionRegistry, FirstOfTwoPackagesOfOneNamespaceAnswers) {
  Core::XInterface<CRecordingPackage> first = Register("First", u"urn:same", {u"e1"}, {u"f"});
  Core::XInterface<CRecordingPackage> second = Register("Second", u"urn:same", {u"e2"}, {u"f", u"g"});
  EXPECT_EQ(handler->FindPackage(u"urn:same"), first.Get());
  EXPECT_TRUE(handler->IsElementAvailable(u"urn:same", u"e1"));
  EXPECT_FALSE(handler->IsElementAvailable(u"urn:same", u"e2"));
  EXPECT_FALSE(handler->IsFunctionAvailable(u"urn:same", u"g"));
  Core::XInterface<Xslt::CExtensionFunction> f = handler->GetFunction(u"urn:same", u"f");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Evaluate(nullptr, nullptr, {})->GetString(), u"First.f");
  EXPECT_FALSE(handler->GetFunction(u"urn:same", u"g"));

  // The second still has a context of its own that starts and finishes.
  Core::XInterface<Xslt::CTopLevelExtensionContext> run = handler->CreateTopLevelExtensionContext();
  auto* context = static_cast<CRecordingPackageContext*>(run->FindPackageContext(u"urn:same"));
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->GetName(), "First");
  run->StartAll(true);
  run->FinishAll();
  EXPECT_EQ(log, (CEventLog{"First.CreateContext", "Second.CreateContext", "First.Start(1)", "Second.Start(1)",
                            "Second.Finish", "First.Finish"}));
}

TEST_F(ExtensionRegistry, NamespacesCompareExactly) {
  Core::XInterface<CRecordingPackage> package = Register("A", u"urn:Ext", {u"record"}, {u"count"});
  struct Case {
    const char16_t* uri;
    const char16_t* name;
    bool element;
    bool function;
  } cases[] = {
      {u"urn:Ext", u"record", true, false},
      {u"urn:Ext", u"count", false, true},
      {u"urn:Ext", u"Record", false, false},
      {u"urn:ext", u"record", false, false},
      {u"urn:Ext/", u"count", false, false},
      {u"urn:Ex", u"count", false, false},
      {u"", u"count", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(handler->IsElementAvailable(c.uri, c.name), c.element) << Core::ToUtf8(c.uri) << Core::ToUtf8(c.name);
    EXPECT_EQ(handler->IsFunctionAvailable(c.uri, c.name), c.function) << Core::ToUtf8(c.uri) << Core::ToUtf8(c.name);
    EXPECT_EQ(bool(handler->GetFunction(c.uri, c.name)), c.function);
  }
  EXPECT_EQ(handler->FindPackage(u"urn:ext"), nullptr);
  Core::XInterface<Xslt::CTopLevelExtensionContext> run = handler->CreateTopLevelExtensionContext();
  EXPECT_EQ(run->FindPackageContext(u"urn:ext"), nullptr);
  EXPECT_NE(run->FindPackageContext(u"urn:Ext"), nullptr);
}

TEST_F(ExtensionRegistry, KeepsPackagesAndAsksTheirNamespaceOnce) {
  Core::XInterface<CRecordingPackage> package = Register("A", u"urn:a");
  EXPECT_EQ(package->GetUseCount(), 2);
  handler->FindPackage(u"urn:a");
  handler->IsElementAvailable(u"urn:a", u"x");
  handler->CreateTopLevelExtensionContext();
  EXPECT_EQ(package->GetUseCount(), 2);
  EXPECT_EQ(package->namespaceQueries, 1);
}

} // namespace
