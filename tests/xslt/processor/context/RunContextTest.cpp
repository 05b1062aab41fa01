// The run-time context on a compiled stylesheet and a loaded source document,
// without running templates: scopes and bindings, lazy values, names, URIs,
// documents and error reports.
#include <gtest/gtest.h>

#include "xpath/Parser.h"
#include "xslt/compiler/Stylesheet.h"
#include "xslt/compiler/support/StylesheetFixture.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/data/DocumentCache.h"
#include "xslt/processor/output/OutputElementStack.h"
#include "xslt/processor/services/LocationHandlerFactory.h"

namespace {

using StylesheetTest::Stylesheet;
using XsltPrivate::CContext;
using Xslt::CXsltException;

Core::XInterface<Xpath::CExpr> Parse(const char16_t* text) {
  Core::XInterface<Xpath::CExpr> expr;
  XpathPrivate::CParser().Parse(expr, text);
  return expr;
}

class RunContext : public testing::Test {
protected:
  void SetUp() override {
    folder.Write("in.xml", "<doc><e v='a'/><e v='b'/><e v='a'/><f/></doc>");
    folder.Write("style.xsl", Stylesheet("<xsl:template match='/'/>").insert(std::string("<xsl:stylesheet").size(),
                                                                             " xmlns:p='urn:p'"));
    Core::XInterface<XsltPrivate::CStylesheetLoader> loader(new XsltPrivate::CStylesheetLoader(implementation.Get()));
    compiled = loader->LoadFromUri(folder.Url("style.xsl"));
    Core::XInterface<Xslt::CLocationHandler> locations =
        implementation->GetLocationHandlerFactory()->CreateLocationHandler();
    locations->SetParent(compiled->GetLocationHandler());
    run = new XsltPrivate::CTopLevelContext(compiled->GetStylesheet(), locations.Get(), implementation.Get());
    output = new XsltPrivate::COutputElementStack(static_cast<Xslt::COutputHandler*>(nullptr));
    root = new CContext(run.Get(), output.Get());
    root->LoadSourceDocument(folder.Url("in.xml"), nullptr, Dom::XNode());
  }
  void TearDown() override {
    if (root) root->EndScope();
    root = nullptr;
    run->Shutdown();
  }

  // A child that binds name to value in the parent's scope when it ends.
  void Bind(CContext& parent, const char16_t* name, Xpath::CValue* value) {
    Core::XInterface<CContext> child(new CContext(parent, compiled->GetStylesheet(), false));
    child->SetPendingVariable(u"", name, value);
    child->EndScope();
  }
  std::vector<int32_t> Codes() const {
    std::vector<int32_t> codes;
    for (const auto& report : implementation->errors->reports) codes.push_back(report.code);
    return codes;
  }

  StylesheetTest::CTempFolder folder;
  Core::XInterface<StylesheetTest::CTestImplementation> implementation{new StylesheetTest::CTestImplementation};
  Core::XInterface<XsltPrivate::CCompiledStylesheet> compiled;
  Core::XInterface<XsltPrivate::CTopLevelContext> run;
  Core::XInterface<XsltPrivate::COutputElementStack> output;
  Core::XInterface<CContext> root;
};

TEST_F(RunContext, AVariableIsVisibleToWhatFollowsInItsScopeOnly) {
  Core::XInterface<CContext> body(new CContext(*root, compiled->GetStylesheet(), true));
  Bind(*body, u"x", Core::XInterface<Xpath::CValue>(new Xpath::CStringValue(u"a")).Get());
  EXPECT_EQ(body->EvaluateString(*body->Evaluate(Parse(u"$x").Get())), u"a");
  {
    Core::XInterface<CContext> inner(new CContext(*body, compiled->GetStylesheet(), false));
    Bind(*inner, u"x", Core::XInterface<Xpath::CValue>(new Xpath::CStringValue(u"inner")).Get());
    EXPECT_EQ(inner->EvaluateString(*inner->Evaluate(Parse(u"$x").Get())), u"inner");
    inner->EndScope();
  }
  EXPECT_EQ(body->EvaluateString(*body->Evaluate(Parse(u"$x").Get())), u"a");
  // A fresh table does not see the caller's locals.
  Core::XInterface<CContext> called(new CContext(*body, compiled->GetStylesheet(), true));
  EXPECT_THROW(called->Evaluate(Parse(u"string($x)").Get()), CXsltException);
  EXPECT_EQ(Codes().back(), CXsltException::ExpressionEvaluationError);
  called->EndScope();
  body->EndScope();
}

// A node set evaluated lazily keeps the bindings visible where it was made,
// even when it is first walked under a later binding of the same name.
TEST_F(RunContext, ALazyNodeSetKeepsTheBindingsWhereItWasMade) {
  Core::XInterface<CContext> body(new CContext(*root, compiled->GetStylesheet(), true));
  Bind(*body, u"x", Core::XInterface<Xpath::CValue>(new Xpath::CStringValue(u"a")).Get());
  Core::XInterface<Xpath::CValue> nodes = body->Evaluate(Parse(u"//e[@v = $x]").Get());
  Core::XInterface<CContext> inner(new CContext(*body, compiled->GetStylesheet(), false));
  Bind(*inner, u"x", Core::XInterface<Xpath::CValue>(new Xpath::CStringValue(u"b")).Get());
  EXPECT_EQ(nodes->GetNodeSet()->GetCount(), 2);
  inner->EndScope();
  body->EndScope();
}

TEST_F(RunContext, ADuplicateVariableFailsAtTheEndOfItsScope) {
  Core::XInterface<CContext> body(new CContext(*root, compiled->GetStylesheet(), true));
  Core::XInterface<Xpath::CValue> value(new Xpath::CStringValue(u"v"));
  Bind(*body, u"x", value.Get());
  Core::XInterface<CContext> second(new CContext(*body, compiled->GetStylesheet(), false));
  second->SetPendingVariable(u"", u"x", value.Get());
  try {
    second->EndScope();
    FAIL() << "no error";
  } catch (const CXsltException& error) {
    EXPECT_EQ(error.GetCode(), CXsltException::DuplicateVariableName);
  }
  EXPECT_FALSE(second->IsScopeOpen());
  // The same failure while an exception unwinds the maker: reported, never thrown from the destructor.
  {
    Core::XInterface<CContext> third(new CContext(*body, compiled->GetStylesheet(), false));
    third->SetPendingVariable(u"", u"x", value.Get());
  }
  EXPECT_EQ(Codes(), (std::vector<int32_t>{CXsltException::DuplicateVariableName, CXsltException::DuplicateVariableName}));
  body->EndScope();
}

TEST_F(RunContext, NamesResolveAtTheCurrentElement) {
  Core::String uri, local;
  root->ResolveQName(u"p:name", uri, local, false);
  EXPECT_EQ(uri, u"urn:p");
  EXPECT_EQ(local, u"name");
  root->ResolveQName(u"plain", uri, local, true);  // no default namespace declared
  EXPECT_EQ(uri, u"");
  EXPECT_THROW(root->ResolveQName(u"q:name", uri, local, false), CXsltException);
  EXPECT_EQ(Codes(), (std::vector<int32_t>{CXsltException::UndefinedPrefix}));

  Core::String result;
  EXPECT_FALSE(root->ApplyNamespaceAlias(CContext::GetXsltNamespaceUri(), result));
  EXPECT_TRUE(root->ApplyNamespaceAlias(u"urn:p", result));
  EXPECT_EQ(result, u"urn:p");
}

TEST_F(RunContext, RelativeUrisResolveAgainstTheStylesheetOrTheBaseNode) {
  Core::String result;
  ASSERT_TRUE(root->ResolveUri(u"other.xml", Dom::XNode(), result));
  EXPECT_EQ(result, folder.Url("other.xml"));
  ASSERT_TRUE(root->ResolveUri(u"http://example.com/x.xml", Dom::XNode(), result));
  EXPECT_EQ(result, u"http://example.com/x.xml");
  EXPECT_FALSE(root->ResolveUri(u"%zz", Dom::XNode(), result));
  EXPECT_EQ(Codes(), (std::vector<int32_t>{CXsltException::InvalidUriSyntax}));
}

TEST_F(RunContext, AMissingDocumentIsReportedAndGivesNothing) {
  EXPECT_FALSE(root->LoadDocument(folder.Url("missing.xml")));
  EXPECT_EQ(Codes(), (std::vector<int32_t>{CXsltException::DocumentRetrievalError}));
  Core::XInterface<Xpath::CNodeSet> loaded = root->LoadDocument(folder.Url("in.xml"));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->GetCount(), 1);
  // A URL that is loaded already gives its document again: here the source.
  EXPECT_EQ(loaded->GetFirstNode().Get(), root->GetCurrentNode().Get());
}

// document() parses a URL once per run: later loads, from scopes that began
// after the first one ended, give the same document even when the file has
// changed since; a failed load is retried and reported each time.
TEST_F(RunContext, ADocumentIsLoadedOncePerRun) {
  Core::String url = folder.Write("words.xml", "<words><w>one</w></words>");
  auto loadIn = [&](bool freshTable) {
    Core::XInterface<CContext> body(new CContext(*root, compiled->GetStylesheet(), freshTable));
    Core::XInterface<Xpath::CNodeSet> loaded = body->LoadDocument(url);
    body->EndScope();
    return loaded ? loaded->GetFirstNode() : Dom::XNode();
  };
  Dom::XNode first = loadIn(true);
  ASSERT_TRUE(first);
  folder.Write("words.xml", "<words><w>two</w></words>");
  for (bool fresh : {false, true}) {
    Dom::XNode again = loadIn(fresh);
    EXPECT_EQ(again.Get(), first.Get());
    EXPECT_EQ(again->GetStringValue(), u"one");
  }
  EXPECT_EQ(run->GetDocumentCache()->GetRunDocumentCount(), 1);

  Core::String missing = folder.Url("later.xml");
  EXPECT_FALSE(root->LoadDocument(missing));
  folder.Write("later.xml", "<later/>");
  EXPECT_TRUE(root->LoadDocument(missing));
  EXPECT_EQ(Codes(), (std::vector<int32_t>{CXsltException::DocumentRetrievalError}));
  EXPECT_EQ(run->GetDocumentCache()->GetRunDocumentCount(), 2);
}

TEST_F(RunContext, TextOnlyIsInheritedByEveryChild) {
  Core::XInterface<CContext> attribute(new CContext(*root, compiled->GetStylesheet(), false));
  attribute->SetTextOnly();
  Core::XInterface<XsltPrivate::COutputElementStack> capture(
      new XsltPrivate::COutputElementStack(static_cast<Xslt::COutputHandler*>(nullptr)));
  Core::XInterface<CContext> captured(new CContext(*attribute, capture.Get()));
  Core::XInterface<CContext> nested(new CContext(*captured, compiled->GetStylesheet(), true));
  EXPECT_TRUE(captured->IsTextOnly());
  EXPECT_TRUE(nested->IsTextOnly());
  EXPECT_FALSE(root->IsTextOnly());
  nested->EndScope();
  captured->EndScope();
  attribute->EndScope();
}

TEST_F(RunContext, XpathErrorsBecomeXsltErrorsWhereTheValueWasMade) {
  // Counted later, the unbound variable of the predicate still ends as error 43.
  Core::XInterface<Xpath::CValue> nodes = root->Evaluate(Parse(u"//e[$unbound]").Get());
  EXPECT_THROW(nodes->GetNodeSet()->GetCount(), CXsltException);
  EXPECT_EQ(Codes(), (std::vector<int32_t>{CXsltException::ExpressionEvaluationError}));
}

} // namespace
