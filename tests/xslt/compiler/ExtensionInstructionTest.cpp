// Extension elements at compile time: the package compiles its element
// through the extension static context, and the element's children are
// checked against the content model the package declares.
#include <gtest/gtest.h>

#include "xslt/compiler/ExtensionInstruction.h"
#include "xslt/compiler/ExtensionStaticContext.h"
#include "xslt/compiler/InstructionFactory.h"
#include "xslt/compiler/support/StylesheetFixture.h"
#include "xslt/processor/extensions/ExtensionHandler.h"

namespace {

using namespace StylesheetTest;
using namespace XsltPrivate;

class CPackageFailure : public Core::IException {
public:
  Core::String GetMessage() const override { return u"the package failed"; }
};

class CTestElement : public Xslt::CExtensionElement {
public:
  void Execute(Xslt::CExtensionContext*) override {}
};

// Elements of urn:ext: "empty" (no content), "ordered" (a required in block
// 1, then at most one b in block 2), "mixed" (text and any element in
// block 3), "fails" (throws its own exception), "reports" (hands one to
// ReportError), "needs" (a required attribute).
class CTestPackage : public Xslt::CExtensionPackage {
public:
  Core::String GetNamespaceUri() override { return u"urn:ext"; }
  Core::XInterface<Xslt::CExtensionPackageContext> CreateContext() override { return {}; }
  bool IsElementAvailable(Core::StringView localName) override { return localName != u"unknown"; }
  bool IsFunctionAvailable(Core::StringView) override { return false; }
  Core::XInterface<Xslt::CExtensionFunction> GetFunction(Core::StringView) override { return {}; }

  Core::XInterface<Xslt::CExtensionElement> CreateInstruction(Xslt::CExtensionStaticContext* context) override {
    Core::String name = context->GetNode()->GetLocalName();
    if (name == u"empty") {
      context->CompileContent(nullptr);
    } else if (name == u"ordered") {
      Core::XInterface<Xslt::CExtensionContentType> type(new Xslt::CExtensionContentType(true));
      type->AddType(u"urn:ext", u"a", 1, true, false);
      type->AddType(u"urn:ext", u"b", 2, false, true);
      context->CompileContent(type.Get());
    } else if (name == u"mixed") {
      Core::XInterface<Xslt::CExtensionContentType> type(new Xslt::CExtensionContentType(true));
      type->AddType(u"*", u"*", 3, false, false);
      context->CompileContent(type.Get());
    } else if (name == u"fails") {
      throw CPackageFailure();
    } else if (name == u"reports") {
      context->ReportError(CPackageFailure());
    } else if (name == u"needs") {
      Core::String value;
      context->GetAttribute(value, u"x", true);
    }
    return Core::XInterface<Xslt::CExtensionElement>(new CTestElement);
  }
};

std::string Sheet(const std::string& body) {
  return std::string("<xsl:stylesheet version='1.0' ") + kXsl +
         " xmlns:x='urn:ext' extension-element-prefixes='x'>\n<xsl:template\nmatch='/'>" + body +
         "</xsl:template>\n</xsl:stylesheet>";
}

CCompileResult CompileWithPackage(const std::string& body) {
  CTempFolder folder;
  return CompileFiles(folder, {{"m.xsl", Sheet(body)}}, [](CTestImplementation& implementation) {
    implementation.GetExtensionHandler()->AddPackage(new CTestPackage);
  });
}

std::string Outcome(const std::string& body) {
  CCompileResult result = CompileWithPackage(body);
  std::string text;
  for (const CReport& r : result.reports) {
    text += std::to_string(r.code) + " '" + Core::ToUtf8(r.message) + "' at " + Core::ToUtf8(r.nodeName) +
            " line " + std::to_string(r.line) + "; ";
  }
  if (result.failed) return text;
  const CContentList& content = result.Principal()->GetTemplates()[0]->GetContent();
  auto* extension = content.GetSize() == 1 ? dynamic_cast<CExtensionInstruction*>(content[0].Get()) : nullptr;
  if (!extension) return "not an extension instruction";
  text = "blocks";
  for (int32_t i = 0; i < extension->GetContentCount(); ++i) text += " " + std::to_string(extension->GetContentBlock(i));
  return text;
}

TEST(ExtensionInstruction, ContentModels) {
  struct Case {
    const char* body;
    const char* outcome;
  } cases[] = {
      {"<x:empty/>", "blocks"},
      {"<x:empty><!-- c --></x:empty>", "10 'Content must be empty' at x:empty line 3; "},
      {"<x:ordered><x:a/><x:b/></x:ordered>", "blocks 1 2"},
      {"<x:ordered><x:a/><x:a/><x:a/></x:ordered>", "blocks 1 1 1"},
      {"<x:ordered><x:a/>\n<x:b/>\n<x:b/></x:ordered>", "16 'Misplaced element' at x:b line 5; "},
      {"<x:ordered><x:b/>\n<x:a/></x:ordered>", "16 'Misplaced element' at x:a line 4; "},
      {"<x:ordered><x:a/>\n<x:c/></x:ordered>", "14 'Invalid element' at x:c line 4; "},
      {"<x:ordered><x:b/></x:ordered>", "15 'Missing element: 'urn:ext'' at x:ordered line 3; "},
      {"<x:ordered>\ntext</x:ordered>", "12 'Invalid PCDATA' at #text line 4; "},
      // The fallback of an implemented element is dropped unchecked.
      {"<x:ordered><xsl:fallback/><x:a/></x:ordered>", "blocks 1"},
      {"<x:mixed>t<out/><xsl:value-of select='1'/><x:empty/></x:mixed>", "blocks 3 3 3 3"},
      {"<x:mixed><x:empty>\n<bad/></x:empty></x:mixed>", "10 'Content must be empty' at x:empty line 3; "},
  };
  for (const Case& c : cases) EXPECT_EQ(Outcome(c.body), c.outcome) << c.body;
}

TEST(ExtensionInstruction, PackageFailures) {
  struct Case {
    const char* body;
    const char* outcome;
  } cases[] = {
      // Its own exception: reported with its message, then error 19.
      {"<x:fails/>", "55 'the package failed' at x:fails line 3; 19 'XSLT extension static error' at x:fails line 3; "},
      {"<x:reports/>",
       "55 'the package failed' at x:reports line 3; 19 'XSLT extension static error' at x:reports line 3; "},
      // An XSLT error of the readers passes unchanged.
      {"<x:needs/>", "5 'Missing attribute: 'x'' at x:needs line 3; "},
      // An element no package implements runs its fallbacks.
      {"<x:unknown><x:a/></x:unknown>", "not an extension instruction"},
  };
  for (const Case& c : cases) EXPECT_EQ(Outcome(c.body), c.outcome) << c.body;
}

} // namespace
