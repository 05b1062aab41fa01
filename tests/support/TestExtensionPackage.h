#pragma once
// An extension package for the tests, in namespace urn:kelto:test. Its
// per-run context counts the scopes open (Start minus Finish), so a scope
// that ends out of turn shows in t:depth(); a Finish with no scope open is
// a failure of the package.
//
// Elements:
//   t:empty                 no content allowed; does nothing
//   t:repeat times="{avt}"  t:head children (block 1, at most one) run once,
//                           then the rest (block 0) times times, each pass
//                           in a child context of its own
//   t:each select="expr"    block 0 once per node of the node set, the set
//                           as current node list
//   t:value select="expr"   writes the value (OutputValue)
//   t:element name="n"      writes element n with attribute depth, block 0
//                           inside, through the events of the context
//   t:crossed               opens two nested child contexts, runs its
//                           xsl:variable children (block 1) in the inner one,
//                           releases the outer one first, then runs the rest
//                           (block 0) in the inner one
//   t:keep                  keeps its context and a child context past the
//                           element; t:use-kept uses them, t:drop-kept
//                           releases them
//   t:keep-static           the package keeps the static context it compiled
//                           the element with; t:use-static uses it
//   t:throw message=""      fails with its own exception
//   t:report message=""     hands its own exception to ReportError
//   t:warn message=""       hands its own exception to ReportWarning, goes on
//   t:bad-compile           fails while it compiles
//   t:nothing               the package makes no element object
// Functions:
//   t:string() "text", t:number() 2.5, t:boolean() true, t:node() the
//   context node, t:object() a value of the script object type (its own
//   answers: "object", 7, true), t:echo(x) x itself, t:args(...) "type:value" of each
//   argument, t:depth() the scopes open, t:resolve(r) r resolved against the
//   base URI of the stylesheet element ("failed" when it cannot be), t:count() the size of the current
//   node list, t:throw(m) and t:report(m) fail as the elements do,
//   t:keep() keeps its context, t:nothing() gives no value.
#include <string>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/ValueConverter.h"
#include "xslt/compiler/ExtensionContentType.h"
#include "xslt/compiler/ExtensionStaticContext.h"
#include "xslt/processor/extensions/ExtensionContext.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace KeltoTest {

inline constexpr Core::StringView kTestPackageUri = u"urn:kelto:test";

class CTestPackageFailure : public Core::IException {
public:
  explicit CTestPackageFailure(Core::String message) : m_message(std::move(message)) {}
  Core::String GetMessage() const override { return m_message; }

private:
  Core::String m_message;
};

class CTestPackageContext : public Xslt::CExtensionPackageContext {
public:
  void Start(bool) override { ++depth; }
  void Finish() override {
    if (depth == 0) throw CTestPackageFailure(u"test package: Finish with no scope open");
    --depth;
  }

  int32_t depth = 0;
  // Extension contexts kept past the element or function that got them.
  std::vector<Core::XInterface<Xslt::CExtensionContext>> kept;
};

inline CTestPackageContext& TestContextOf(Xslt::CExtensionContext* context) {
  return *static_cast<CTestPackageContext*>(
      context->GetTopLevelExtensionContext()->FindPackageContext(kTestPackageUri));
}

class CTestPackage;

class CTestElement : public Xslt::CExtensionElement {
public:
  explicit CTestElement(CTestPackage& package) : m_package(package) {}

  void Compile(Xslt::CExtensionStaticContext* context) {
    m_name = context->GetNode()->GetLocalName();
    Core::XInterface<Xslt::CExtensionContentType> model(new Xslt::CExtensionContentType(true));
    if (m_name == u"repeat") {
      m_avt = context->CompileAvtAttribute(u"times", nullptr, true);
      model->AddType(kTestPackageUri, u"head", 1, false, true);
      model->AddType(u"*", u"*", 0, false, false);
    } else if (m_name == u"each" || m_name == u"value") {
      m_expr = context->CompileExpressionAttribute(u"select", nullptr, true);
      if (m_name == u"each") model->AddType(u"*", u"*", 0, false, false);
      if (m_name == u"value") model = nullptr;
    } else if (m_name == u"element") {
      context->GetAttribute(m_text, u"name", true);
      model->AddType(u"*", u"*", 0, false, false);
    } else if (m_name == u"crossed") {
      model->AddType(u"http://www.w3.org/1999/XSL/Transform", u"variable", 1, false, false);
      model->AddType(u"*", u"*", 0, false, false);
    } else if (m_name == u"throw" || m_name == u"report" || m_name == u"warn") {
      m_text = context->GetAttributeOrDefault(u"message", u"", false);
      model = nullptr;
    } else if (m_name == u"head") {
      model->AddType(u"*", u"*", 0, false, false);
    } else {
      model = nullptr;
    }
    context->CompileContent(model.Get());
  }

  void Execute(Xslt::CExtensionContext* context) override {
    if (m_name == u"repeat") {
      context->ExecuteContent(1);
      Core::String times = context->EvaluateAvt(m_avt.Get());
      for (int i = 0, n = std::stoi(Core::ToUtf8(times)); i < n; ++i) context->CreateContextForNode()->ExecuteContent(0);
    } else if (m_name == u"each") {
      Core::XInterface<Xpath::CValue> value = context->Evaluate(m_expr.Get());
      if (value->GetType() != Xpath::CValue::NodeSetType) context->ReportError(CTestPackageFailure(u"not a node set"));
      Core::XInterface<Xpath::CIterator> nodes = value->GetNodeSet()->CreateIterator();
      Core::XInterface<Xslt::CExtensionContext> list = context->CreateContextForNodeList(nodes.Get());
      for (; nodes->GetNode(); nodes->Next()) list->CreateContextForNode()->ExecuteContent(0);
    } else if (m_name == u"value") {
      context->OutputValue(*context->Evaluate(m_expr.Get()));
    } else if (m_name == u"element") {
      context->StartElement(m_text, u"");
      context->StartAttribute(u"depth", u"");
      context->Characters(Core::FromUtf8(std::to_string(TestContextOf(context).depth)));
      context->EndAttribute();
      context->ExecuteContent(0);
      context->EndElement();
    } else if (m_name == u"crossed") {
      Core::XInterface<Xslt::CExtensionContext> outer = context->CreateContextForNode();
      Core::XInterface<Xslt::CExtensionContext> inner = outer->CreateContextForNode();
      inner->ExecuteContent(1);
      outer = nullptr;
      inner->ExecuteContent(0);
    } else if (m_name == u"head") {
      context->ExecuteContent(0);
    } else if (m_name == u"keep") {
      TestContextOf(context).kept.push_back(context);
      TestContextOf(context).kept.push_back(context->CreateContextForNode());
    } else if (m_name == u"use-kept") {
      for (const auto& kept : TestContextOf(context).kept) kept->ExecuteContent(0);
    } else if (m_name == u"drop-kept") {
      TestContextOf(context).kept.clear();
    } else if (m_name == u"use-static") {
      UseKeptStaticContext();
    } else if (m_name == u"throw") {
      throw CTestPackageFailure(m_text);
    } else if (m_name == u"report") {
      context->ReportError(CTestPackageFailure(m_text));
    } else if (m_name == u"warn") {
      context->ReportWarning(CTestPackageFailure(m_text));
    }
  }

private:
  void UseKeptStaticContext();

  CTestPackage& m_package;
  Core::String m_name;
  Core::String m_text;
  Core::XInterface<Xslt::CAvt> m_avt;
  Core::XInterface<Xpath::CExpr> m_expr;
};

// A value of a type the XPath engine does not know; it converts through its
// own accessors.
class CTestObjectValue : public Xpath::CValue {
public:
  int32_t GetType() const override { return ScriptObjectType; }
  bool GetBoolean() const override { return true; }
  Xpath::CNumber GetNumber() const override { return Xpath::CNumber(7.0); }
  Core::String GetString() const override { return u"object"; }
};

class CTestFunction : public Xslt::CExtensionFunction {
public:
  explicit CTestFunction(Core::StringView name) : m_name(name) {}

  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override {
    if (m_name == u"string") return new Xpath::CStringValue(u"text");
    if (m_name == u"number") return new Xpath::CNumberValue(Xpath::CNumber(2.5));
    if (m_name == u"boolean") return new Xpath::CBooleanValue(true);
    if (m_name == u"object") return new CTestObjectValue;
    if (m_name == u"node") return new Xpath::CNodeSetValue(new XpathPrivate::CSingleNodeSet(xpathContext->GetNode()));
    if (m_name == u"echo" && arguments.size() == 1) return arguments[0];
    if (m_name == u"args") {
      static const char16_t* const kTypes[] = {u"node-set", u"boolean", u"number", u"string"};
      Core::String text;
      for (const auto& argument : arguments) {
        int32_t type = argument->GetType();
        if (!text.empty()) text += u' ';
        text += type >= 0 && type < 4 ? Core::String(kTypes[type]) : Core::FromUtf8(std::to_string(type));
        text += u':' + Xpath::CValueConverter(xpathContext).ToString(*argument);
      }
      return new Xpath::CStringValue(text);
    }
    if (m_name == u"depth") return new Xpath::CNumberValue(Xpath::CNumber(double(TestContextOf(context).depth)));
    if (m_name == u"count") return new Xpath::CNumberValue(Xpath::CNumber(double(context->GetCurrentNodeList()->GetCount())));
    Core::String message = arguments.empty() ? Core::String() : Xpath::CValueConverter(xpathContext).ToString(*arguments[0]);
    if (m_name == u"throw") throw CTestPackageFailure(message);
    if (m_name == u"resolve") {
      Core::String uri;
      return new Xpath::CStringValue(context->ResolveUri(message, uri) ? uri : Core::String(u"failed"));
    }
    if (m_name == u"report") context->ReportError(CTestPackageFailure(message));
    if (m_name == u"keep") {
      TestContextOf(context).kept.push_back(context);
      return new Xpath::CStringValue(u"");
    }
    return nullptr;
  }

private:
  Core::String m_name;
};

class CTestPackage : public Xslt::CExtensionPackage {
public:
  Core::String GetNamespaceUri() override { return Core::String(kTestPackageUri); }
  Core::XInterface<Xslt::CExtensionPackageContext> CreateContext() override { return new CTestPackageContext; }
  bool IsElementAvailable(Core::StringView localName) override { return Has(kElements, localName); }
  Core::XInterface<Xslt::CExtensionElement> CreateInstruction(Xslt::CExtensionStaticContext* context) override {
    Core::String name = context->GetNode()->GetLocalName();
    if (name == u"bad-compile") throw CTestPackageFailure(u"test package: cannot compile " + name);
    if (name == u"nothing") return nullptr;
    if (name == u"keep-static") keptStatic.push_back(context);
    Core::XInterface<CTestElement> element(new CTestElement(*this));
    element->Compile(context);
    return element;
  }
  bool IsFunctionAvailable(Core::StringView localName) override { return Has(kFunctions, localName); }
  Core::XInterface<Xslt::CExtensionFunction> GetFunction(Core::StringView localName) override {
    if (!Has(kFunctions, localName)) return nullptr;
    return new CTestFunction(localName);
  }

  std::vector<Core::XInterface<Xslt::CExtensionStaticContext>> keptStatic;

private:
  static bool Has(const char16_t* const* names, Core::StringView name) {
    for (; *names; ++names)
      if (name == *names) return true;
    return false;
  }

  static constexpr const char16_t* kElements[] = {
      u"empty", u"repeat", u"head", u"each", u"value", u"element", u"crossed", u"keep", u"use-kept",
      u"drop-kept", u"keep-static", u"use-static", u"throw", u"report", u"warn", u"bad-compile", u"nothing", nullptr};
  static constexpr const char16_t* kFunctions[] = {u"string", u"number", u"boolean", u"node", u"object", u"echo",
                                                   u"args",   u"depth",  u"resolve",  u"count",   u"throw", u"report",
                                                   u"keep",   u"nothing", nullptr};
};

inline void CTestElement::UseKeptStaticContext() {
  for (const auto& kept : m_package.keptStatic) kept->GetNode();
}

// A second package that claims the test namespace: registered after the
// first, it never answers.
class CShadowPackage : public CTestPackage {
public:
  bool IsElementAvailable(Core::StringView localName) override { return localName == u"shadow"; }
  bool IsFunctionAvailable(Core::StringView localName) override { return localName == u"shadow"; }
};

} // namespace KeltoTest
