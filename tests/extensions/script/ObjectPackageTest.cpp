#include <gtest/gtest.h>

#include <vector>

#include "extensions/script/EcmaScriptPackage.h"
#include "extensions/script/ObjectFunctions.h"
#include "tests/extensions/script/ScriptTestSupport.h"
#include "xslt/processor/extensions/ExtensionHandler.h"

namespace {

using namespace ScriptPackageTest;
using XsltObject::CObjectPackageContext;

const Core::StringView kUri = XsltEcmaScript::kScriptNamespaceUri;

// The run's package contexts, as far as the package's functions look.
class CTopLevel : public Xslt::CTopLevelExtensionContext {
public:
  explicit CTopLevel(Xslt::CExtensionPackageContext* context) : m_context(context) {}
  void StartAll(bool) override {}
  void FinishAll() override {}
  Xslt::CExtensionPackageContext* FindPackageContext(Core::StringView uri) override {
    return uri == kUri ? m_context.Get() : nullptr;
  }

private:
  Core::XInterface<Xslt::CExtensionPackageContext> m_context;
};

// An extension context that only leads to the package context.
class CFunctionCallContext : public Xslt::CExtensionContext {
public:
  explicit CFunctionCallContext(Xslt::CExtensionPackageContext* context) : m_top(new CTopLevel(context)) {}
  Core::XInterface<Xslt::CExtensionContext> CreateContextForNodeList(Xpath::CIterator*) override { return nullptr; }
  Core::XInterface<Xslt::CExtensionContext> CreateContextForNode() override { return nullptr; }
  Xslt::CTopLevelExtensionContext* GetTopLevelExtensionContext() override { return m_top.Get(); }
  Xpath::CNodeSet* GetCurrentNodeList() override { return nullptr; }
  void ExecuteContent(int32_t) override {}
  Core::XInterface<Xpath::CContext> GetXpathContext() override { return nullptr; }
  Core::XInterface<Xpath::CValue> Evaluate(const Xpath::CExpr*) override { return nullptr; }
  Core::String EvaluateAvt(const Xslt::CAvt*) override { return {}; }
  bool ResolveUri(Core::StringView, Core::String&) override { return false; }
  void StartDocument() override {}
  void EndDocument() override {}
  void StartElement(Core::StringView, Core::StringView) override {}
  void EndElement() override {}
  void StartAttribute(Core::StringView, Core::StringView) override {}
  void EndAttribute() override {}
  void StartNamespace(Core::StringView) override {}
  void EndNamespace() override {}
  void Characters(const char16_t*, int32_t, bool) override {}
  void StartComment() override {}
  void EndComment() override {}
  void ProcessingInstruction(Core::StringView, Core::StringView) override {}
  Xslt::CXsltImplementation* GetImplementation() override { return nullptr; }
  void OutputValue(const Xpath::CValue&) override {}
  void ReportWarning(const Core::IException&) override {}
  [[noreturn]] void ReportError(const Core::IException& failure) override { throw failure; }

private:
  Core::XInterface<CTopLevel> m_top;
};

// A handle that counts the arguments each call is given, and fails on
// request.
class CCountingHandle : public XsltObject::CObjectHandle {
public:
  Core::XInterface<Xpath::CValue> Get(Core::StringView) override { return new Xpath::CStringValue(u""); }
  void Put(Core::StringView, const Xpath::CValue&) override {}
  void Delete(Core::StringView) override {}
  Core::XInterface<Xpath::CValue> Call(Core::StringView, const Xpath::CArgumentList& arguments) override {
    counts.push_back(arguments.size());
    if (fail) throw XsltObject::CXsltObjectException(-1);
    return new Xpath::CStringValue(u"");
  }
  Core::XInterface<XsltObject::CObjectCall> PrepareCall(Core::StringView, const Xpath::CArgumentList&) override {
    return nullptr;
  }

  std::vector<size_t> counts;
  bool fail = false;
};

TEST(ObjectPackage, OffersItsNineElementsAndThreeFunctions) {
  auto engine = Core::Make<EcmaScript::CScriptEngine>();
  {
    auto package = Core::Make<XsltEcmaScript::CEcmaScriptPackage>(engine.Get(), Core::Make<Unicode::CEncodingMap>().Get());
    EXPECT_EQ(package->GetNamespaceUri(), kUri);
    for (const char16_t* name :
         {u"import", u"get", u"put", u"delete", u"call", u"while", u"try", u"with-param", u"catch"})
      EXPECT_TRUE(package->IsElementAvailable(name)) << Core::ToUtf8(name);
    for (const char16_t* name : {u"Get", u"WHILE", u"param", u"", u"error", u"import "})
      EXPECT_FALSE(package->IsElementAvailable(name)) << Core::ToUtf8(name);
    for (const char16_t* name : {u"get", u"call", u"error"}) {
      EXPECT_TRUE(package->IsFunctionAvailable(name));
      // One object for every run and call.
      EXPECT_EQ(package->GetFunction(name), package->GetFunction(name));
      EXPECT_NE(package->GetFunction(name), nullptr);
    }
    for (const char16_t* name : {u"Get", u"import", u"put", u""}) {
      EXPECT_FALSE(package->IsFunctionAvailable(name));
      EXPECT_EQ(package->GetFunction(name), nullptr);
    }
    // A new context for each run.
    EXPECT_NE(package->CreateContext(), package->CreateContext());
  }
  engine->Shutdown();
}

TEST(ObjectPackageContext, PendingArgumentsAreClearedOnlyAfterASuccessfulCall) {
  auto made = Core::Make<CObjectPackageContext>(nullptr);
  CObjectPackageContext& context = *made;
  auto counting = Core::Make<CCountingHandle>();
  CCountingHandle& handle = *counting;
  Core::XInterface<Xpath::CValue> one(new Xpath::CStringValue(u"1"));
  context.AddArgument(one.Get());
  context.AddArgument(one.Get());
  context.Call(&handle, u"f");
  context.Call(&handle, u"f");
  context.AddArgument(one.Get());
  handle.fail = true;
  EXPECT_EQ(FailureOf([&] { context.Call(&handle, u"f"); }), "Unclassified XSLT-Object exception");
  // Left for the next call or while element to clear.
  EXPECT_EQ(FailureOf([&] { context.Call(&handle, u"f"); }), "Unclassified XSLT-Object exception");
  context.ClearArguments();
  handle.fail = false;
  context.Call(&handle, u"f");
  EXPECT_EQ(handle.counts, (std::vector<size_t>{2, 0, 1, 1, 0}));
}

TEST(ObjectPackageContext, FailureRecordAndTries) {
  auto made = Core::Make<CObjectPackageContext>(nullptr);
  CObjectPackageContext& context = *made;
  Core::String message;
  EXPECT_FALSE(context.GetError(message));
  EXPECT_EQ(FailureOf([&] { context.Guarded([]() -> int { throw XsltObject::CXsltObjectException(0, u"f"); }); }),
            "Invalid number of arguments, function 'f'");
  EXPECT_TRUE(context.GetError(message));
  EXPECT_EQ(message, u"Invalid number of arguments, function 'f'");
  EXPECT_EQ(context.Guarded([] { return 7; }), 7);
  EXPECT_TRUE(context.GetError(message)) << "a success leaves the record";

  // An outer try starts, then an inner one, which handles a failure.
  context.ClearError();
  EXPECT_FALSE(context.GetError(message));
  EXPECT_EQ(message, u"");
  uint64_t outer = context.GetFailureMark();
  uint64_t inner = context.GetFailureMark();
  context.SetError(u"first");
  EXPECT_TRUE(context.HandleFailureSince(inner));
  // The record stays for error(), but it is no longer the outer try's.
  EXPECT_TRUE(context.GetError(message));
  EXPECT_EQ(message, u"first");
  EXPECT_FALSE(context.HandleFailureSince(outer));
  // A later recorded failure is.
  context.SetError(u"");
  EXPECT_TRUE(context.HandleFailureSince(outer));
  EXPECT_FALSE(context.HandleFailureSince(outer));
  // A failure recorded before a try started is not that try's.
  context.SetError(u"before");
  uint64_t late = context.GetFailureMark();
  EXPECT_FALSE(context.HandleFailureSince(late));
  // Nor one that a try starting inside cleared.
  context.SetError(u"x");
  context.ClearError();
  EXPECT_FALSE(context.HandleFailureSince(late));
}

class CFunctionTest : public CBindingTest {
protected:
  void SetUp() override {
    CBindingTest::SetUp();
    m_package = new CObjectPackageContext(m_binding.Get());
    m_context = new CFunctionCallContext(m_package.Get());
    Run(u"var o = new Object(); o.x = 4; function two(a, b) { return b; }");
  }
  void TearDown() override {
    m_context = nullptr;
    m_package = nullptr;
    CBindingTest::TearDown();
  }

  Core::XInterface<Xpath::CValue> Call(Xslt::CExtensionFunction&& function, Xpath::CArgumentList arguments) {
    return function.Evaluate(m_context.Get(), nullptr, arguments);
  }
  static Core::XInterface<Xpath::CValue> Text(const char16_t* text) { return new Xpath::CStringValue(text); }
  Core::String Error() { return Call(XsltObject::CErrorFunction(kUri), {})->GetString(); }

  Core::XInterface<CObjectPackageContext> m_package;
  Core::XInterface<CFunctionCallContext> m_context;
};

TEST_F(CFunctionTest, ValuesAndTheErrorRecord) {
  using namespace XsltObject;
  EXPECT_EQ(Error(), u"");
  EXPECT_EQ(Call(CGetFunction(kUri), {Text(u"o"), Text(u"x")})->GetNumber().GetValue(), 4.0);
  Core::XInterface<Xpath::CValue> global = Call(CGetFunction(kUri), {Text(u""), Text(u"o")});
  EXPECT_EQ(global->GetType(), Xpath::CValue::ScriptObjectType);
  EXPECT_EQ(Call(CGetFunction(kUri), {global, Text(u"x")})->GetNumber().GetValue(), 4.0);
  EXPECT_EQ(Call(CCallFunction(kUri), {Text(u""), Text(u"two"), Text(u"a"), Text(u"b")})->GetString(), u"b");

  // Counted before anything else, and never recorded.
  struct {
    Xslt::CExtensionFunction* function;
    size_t count;
    const char* message;
  } wrongCounts[] = {
      {new CGetFunction(kUri), 1, "Invalid number of arguments, function 'get'"},
      {new CGetFunction(kUri), 3, "Invalid number of arguments, function 'get'"},
      {new CCallFunction(kUri), 1, "Invalid number of arguments, function 'call'"},
      {new CCallFunction(kUri), 0, "Invalid number of arguments, function 'call'"},
      {new CErrorFunction(kUri), 1, "Invalid number of arguments, function 'error'"},
  };
  for (const auto& c : wrongCounts) {
    Core::XInterface<Xslt::CExtensionFunction> function(c.function);
    Xpath::CArgumentList arguments(c.count, Text(u"undeclared"));
    EXPECT_EQ(FailureOf([&] { function->Evaluate(m_context.Get(), nullptr, arguments); }), c.message);
  }
  EXPECT_EQ(Error(), u"");

  // Naming an object that does not exist is not recorded; a failed call is.
  EXPECT_NE(FailureOf([&] { Call(CGetFunction(kUri), {Text(u"undeclared"), Text(u"x")}); }), "");
  EXPECT_EQ(Error(), u"");
  EXPECT_EQ(FailureOf([&] { Call(CCallFunction(kUri), {Text(u"o"), Text(u"x")}); }), "Object required: 'Object.x'");
  EXPECT_EQ(Error(), u"Object required: 'Object.x'");
  EXPECT_EQ(Error(), u"Object required: 'Object.x'") << "error() changes nothing";
  m_package->SetError(u"");
  EXPECT_EQ(Error(), u"???");
}

} // namespace
