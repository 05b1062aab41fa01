#pragma once
// Stylesheet trees and static contexts for compiler tests, with an
// implementation whose error handler records every report.
//
//   CompilerTest::CStylesheetFixture f;
//   auto doc = f.Load(u"<xsl:stylesheet version='1.0' xmlns:xsl='...'>...</xsl:stylesheet>");
//   auto ctx = f.ContextOf(doc, u"xsl:template");   // root context, then one per ancestor
//
// Errors come back as CompilerTest::CError {code, arguments, node name}.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "support/TreeFixture.h"
#include "xml/tree/Dom.h"
#include "xml/xslt/LocationHandler.h"
#include "xml/xslt/StylesheetSpaceHandler.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/ErrorHandler.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace CompilerTest {

constexpr const char16_t* XslNs = u"http://www.w3.org/1999/XSL/Transform";

struct CReport {
  int32_t severity;
  int32_t code;
  Core::String nodeName;
  Dom::CNodeIdentity node;
};

class CRecordingErrorHandler : public Xslt::CErrorHandler {
public:
  void Report(int32_t severity, const Xslt::CXsltException& error, Xslt::CLocationHandler*) override {
    reports.push_back({severity, error.GetCode(), error.GetStylesheetNodeName(), error.GetStylesheetNode()});
  }
  std::vector<CReport> reports;
};

// Only the error handler is asked for by the compiler parts under test.
class CTestImplementation : public Xslt::CXsltImplementation {
public:
  Xpath::CXpathImplementation* GetXpathImplementation() override { return nullptr; }
  Xpath::CNodeArrayFactory* GetNodeArrayFactory() override { return nullptr; }
  Xslt::CSortedArrayFactory* GetSortedArrayFactory() override { return nullptr; }
  Xslt::CDataSetFactory* GetDataSetFactory() override { return nullptr; }
  Xslt::CExtensionHandler* GetExtensionHandler() override { return nullptr; }
  XmlParserPrivate::CParserFactory* GetParserFactory() override { return nullptr; }
  BasicXdm::CDocumentFactory* GetDocumentFactory() override { return nullptr; }
  Xslt::CDocumentFactory* GetDocumentHandlerFactory() override { return nullptr; }
  Xslt::COutputHandler* GetMessageHandler() override { return nullptr; }
  Xslt::CErrorHandler* GetErrorHandler() override { return errors.Get(); }
  Unicode::CEncodingMap* GetEncodingHandler() override { return nullptr; }
  Xslt::CLocationHandlerFactory* GetLocationHandlerFactory() override { return nullptr; }
  Xslt::CBasicOutputHandlerFactory* GetOutputHandlerFactory() override { return nullptr; }

  Core::XInterface<CRecordingErrorHandler> errors = new CRecordingErrorHandler;
};

// Every node of every document has the one base URI given (none when empty).
class CFixedBaseLocationHandler : public Xslt::CLocationHandler {
public:
  void SetParent(const Core::XInterface<Xslt::CLocationHandler>&) override {}
  void RecordLocation(Dom::CNodeIdentity, Core::StringView, Core::StringView, int32_t, int32_t) override {}
  bool GetLocation(Dom::CNodeIdentity, Core::String&, Core::String&, int32_t&, int32_t&) override { return false; }
  bool GetBaseUri(Dom::CNodeIdentity, Core::String& uri) override {
    uri = baseUri;
    return !baseUri.empty();
  }
  void ForgetDocument(Dom::CNodeIdentity) override {}

  Core::String baseUri = u"file://localhost/d/style.xsl";
};

struct CError {
  int32_t code = -1;  // -1: nothing was thrown
  Core::String arg1;
  Core::String arg2;
  Core::String nodeName;
};

inline std::string Utf8(Core::StringView s) { return Core::ToUtf8(s); }

class CStylesheetFixture {
public:
  // Whitespace-only text is stripped as in every stylesheet (kept in xsl:text).
  Dom::XNode Load(Core::StringView markup) { return trees.Build(markup, space.Get()); }

  // The first element of that qualified name in document order (the
  // document element for null), or null.
  static Dom::XNode Find(const Dom::XNode& document, const char16_t* name) {
    Dom::CNode* root = document->GetDocumentElement().Get();
    if (!name) return root;
    Dom::CNode* n = root;
    while (n) {
      if (n->GetNodeType() == Dom::ELEMENT_NODE && n->NodeNameView() == name) return n;
      if (Dom::CNode* child = n->FirstChild()) {
        n = child;
        continue;
      }
      while (n && !n->NextSibling()) n = n->Parent();
      if (n) n = n->NextSibling();
    }
    return nullptr;
  }

  Core::XInterface<XsltPrivate::CStaticContext> RootContext(const Dom::XNode& document) {
    return new XsltPrivate::CStaticContext(document, location.Get(), implementation.Get());
  }

  // The context of a node: the root context, then a child context for each
  // element on the way down, as content compilation makes them.
  Core::XInterface<XsltPrivate::CStaticContext> ContextOf(const Dom::XNode& document, const Dom::XNode& node) {
    std::vector<Dom::CNode*> chain;
    Dom::CNode* root = document->GetDocumentElement().Get();
    for (Dom::CNode* n = node.Get(); n && n != root; n = n->Parent()) chain.push_back(n);
    Core::XInterface<XsltPrivate::CStaticContext> context = RootContext(document);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      context = new XsltPrivate::CStaticContext(*context, Dom::XNode(*it));
    }
    return context;
  }
  Core::XInterface<XsltPrivate::CStaticContext> ContextOf(const Dom::XNode& document, const char16_t* name) {
    Dom::XNode node = Find(document, name);
    if (!node) throw std::runtime_error("no such element in the test stylesheet");
    return ContextOf(document, node);
  }

  // Runs f and returns what it threw as an XSLT error; checks that the error
  // was reported, once, with severity 2 and at the node it names.
  CError Catch(const std::function<void()>& f) {
    size_t before = implementation->errors->reports.size();
    CError result;
    try {
      f();
    } catch (const Xslt::CXsltException& e) {
      result.code = e.GetCode();
      result.arg1 = e.GetArg(0);
      result.arg2 = e.GetArg(1);
      result.nodeName = e.GetStylesheetNodeName();
      const auto& reports = implementation->errors->reports;
      EXPECT_EQ(reports.size(), before + 1) << "a static error is reported once before it is thrown";
      if (reports.size() == before + 1) {
        EXPECT_EQ(reports.back().severity, 2);
        EXPECT_EQ(reports.back().code, e.GetCode());
        EXPECT_EQ(reports.back().nodeName, e.GetStylesheetNodeName());
        EXPECT_NE(reports.back().node.documentNumber, 0u);
      }
    }
    return result;
  }

  KeltoTest::CTreeFixture trees;
  Core::XInterface<XsltPrivate::CStylesheetSpaceHandler> space = new XsltPrivate::CStylesheetSpaceHandler;
  Core::XInterface<CTestImplementation> implementation = new CTestImplementation;
  Core::XInterface<CFixedBaseLocationHandler> location = new CFixedBaseLocationHandler;
};

// A stylesheet element declaring the XSLT namespace and the extra
// declarations given, around the body.
inline Core::String Stylesheet(Core::StringView body, Core::StringView declarations = u"",
                               Core::StringView version = u"1.0") {
  Core::String s = u"<xsl:stylesheet version='";
  s += version;
  s += u"' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' ";
  s += declarations;
  s += u">";
  s += body;
  s += u"</xsl:stylesheet>";
  return s;
}

} // namespace CompilerTest
