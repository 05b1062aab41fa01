// The functions XSLT adds to XPath: document, key, format-number, current,
// unparsed-entity-uri, generate-id, system-property, element-available and
// function-available. Argument errors are fatal: a wrong count is error 47,
// an argument that must be a node set and is not error 48.
#include <cstdio>

#include "core/Platform.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/ValueConverter.h"
#include "xslt/compiler/NamespaceMap.h"
#include "xslt/compiler/StylesheetElement.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/TopLevelTables.h"
#include "xslt/processor/data/DataSet.h"
#include "xslt/processor/data/DoctypeSet.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/output/XsltNodeSet.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltFunctionLibrary.h"

namespace XsltPrivate {

namespace {

using Xslt::CXsltException;

void RequireCount(CContext& context, const Xpath::CArgumentList& arguments, size_t low, size_t high,
                  const char16_t* name) {
  if (arguments.size() < low || arguments.size() > high) context.ThrowError(CXsltException::InvalidArgumentCount, name);
}

Xpath::CNodeSet* RequireNodeSet(CContext& context, const Xpath::CValue& value, const char16_t* name,
                                const char16_t* position) {
  if (value.GetType() != Xpath::CValue::NodeSetType) context.ThrowError(CXsltException::InvalidArgumentType, name, position);
  return value.GetNodeSet();
}

Core::String ToString(Xpath::CContext* xpathContext, const Xpath::CValue& value) {
  return Xpath::CValueConverter(xpathContext).ToString(value);
}

// A QName argument resolves in the namespaces of the expression it was
// written in: inside a pattern those of the pattern's template.
void ResolveName(CContext& context, Xpath::CContext* xpathContext, const Xpath::CValue& value,
                 Core::String& namespaceUri, Core::String& localName, bool useDefault) {
  context.ResolveQName(ToString(xpathContext, value), namespaceUri, localName, useDefault,
                       xpathContext->GetNamespaceDeclarationSet());
}

Core::XInterface<Xpath::CValue> NodeSetValue(Core::XInterface<Xpath::CNodeSet> nodes) {
  return new Xpath::CNodeSetValue(std::move(nodes));
}

Core::XInterface<Xpath::CValue> EmptyNodeSet() { return NodeSetValue(new CSingleNodeSet(Dom::XNode())); }

Dom::XNode OwnerDocument(const Dom::XNode& node) {
  if (!node) return {};
  if (node->GetNodeType() == Dom::DOCUMENT_NODE) return node;
  return node->GetOwnerDocument();
}

class CDocumentFunction : public CXsltFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override {
    RequireCount(context, arguments, 1, 2, u"document");
    bool hasBase = arguments.size() == 2;
    Dom::XNode base;
    if (hasBase) base = RequireNodeSet(context, *arguments[1], u"document", u"2")->GetFirstNode();
    const Xpath::CValue& first = *arguments[0];
    if (first.GetType() == Xpath::CValue::NodeSetType) {
      Core::XInterface<CUnionNodeSet> documents(new CUnionNodeSet(xpathContext->GetDataSet()));
      Xpath::CNodeSet* references = first.GetNodeSet();
      for (auto it = references->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
        if (auto loaded = Load(context, node->GetStringValue(), hasBase ? base : node)) documents->Add(loaded.Get());
      }
      return NodeSetValue(documents);
    }
    if (auto loaded = Load(context, ToString(xpathContext, first), base)) return NodeSetValue(loaded);
    return EmptyNodeSet();
  }

private:
  static Core::XInterface<Xpath::CNodeSet> Load(CContext& context, Core::StringView reference,
                                                const Dom::XNode& base) {
    Core::String uri;
    if (!context.ResolveUri(reference, base, uri)) return nullptr;
    return context.LoadDocument(uri);
  }
};

class CKeyFunction : public CXsltFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override {
    RequireCount(context, arguments, 2, 2, u"key");
    Core::String namespaceUri, localName;
    ResolveName(context, xpathContext, *arguments[0], namespaceUri, localName, false);
    // The context node's document: inside a predicate that is the node
    // tested, which may lie in another document than current().
    Dom::XNode document = OwnerDocument(xpathContext->GetNode());
    Xslt::CDataSet* dataSet = context.GetDataSet();
    const Xpath::CValue& values = *arguments[1];
    if (values.GetType() == Xpath::CValue::NodeSetType) {
      Core::XInterface<CUnionNodeSet> nodes(new CUnionNodeSet(xpathContext->GetDataSet()));
      Xpath::CNodeSet* source = values.GetNodeSet();
      for (auto it = source->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next())
        nodes->Add(dataSet->GetKeyNodes(document, namespaceUri, localName, node->GetStringValue()).Get());
      return NodeSetValue(nodes);
    }
    return NodeSetValue(dataSet->GetKeyNodes(document, namespaceUri, localName, ToString(xpathContext, values)));
  }
};

// Formatting numbers is not provided: the call checks its arguments and its
// decimal format, then stops the run.
class CFormatNumberFunction : public CXsltFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override {
    RequireCount(context, arguments, 2, 3, u"format-number");
    Xpath::CValueConverter converter(xpathContext);
    converter.ToNumber(*arguments[0]);
    converter.ToString(*arguments[1]);
    Core::String namespaceUri, localName;
    if (arguments.size() == 3) ResolveName(context, xpathContext, *arguments[2], namespaceUri, localName, false);
    if (!context.GetDecimalFormatTable()->Lookup(namespaceUri, localName)) {
      if (arguments.size() == 3) context.ThrowError(CXsltException::DecimalFormatNotFound, namespaceUri, localName);
      context.ThrowError(CXsltException::DefaultDecimalFormatNotFound);
    }
    context.ThrowError(CXsltException::UnsupportedFeature, u"function", u"format-number");
  }
};

class CCurrentFunction : public CXsltFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext*,
                                           const Xpath::CArgumentList& arguments) override {
    RequireCount(context, arguments, 0, 0, u"current");
    return NodeSetValue(new CSingleNodeSet(context.GetCurrentNode()));
  }
};

class CUnparsedEntityUriFunction : public CXsltFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override {
    RequireCount(context, arguments, 1, 1, u"unparsed-entity-uri");
    Core::String name = ToString(xpathContext, *arguments[0]);
    Dom::XNode document = OwnerDocument(xpathContext->GetNode());
    Core::String uri;
    if (!document || !context.GetDoctypeSet()->FindUnparsedEntity(document.Get(), name, uri)) uri.clear();
    return new Xpath::CStringValue(std::move(uri));
  }
};

class CGenerateIdFunction : public CXsltFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override {
    RequireCount(context, arguments, 0, 1, u"generate-id");
    // Without an argument: the context node, which inside a predicate is the
    // node tested, not current().
    Dom::XNode node = arguments.empty() ? xpathContext->GetNode()
                                        : RequireNodeSet(context, *arguments[0], u"generate-id", u"1")->GetFirstNode();
    if (!node) return new Xpath::CStringValue(Core::String());
    char text[32];
    std::snprintf(text, sizeof text, "X-%08X-%08X", unsigned(node->GetDocumentNumber()),
                  unsigned(Dom::NodeIndexOf(node.Get())));
    Core::String id;
    for (const char* p = text; *p; ++p) id += char16_t(*p);
    return new Xpath::CStringValue(std::move(id));
  }
};

class CSystemPropertyFunction : public CXsltFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override {
    RequireCount(context, arguments, 1, 1, u"system-property");
    Core::String namespaceUri, localName;
    ResolveName(context, xpathContext, *arguments[0], namespaceUri, localName, true);
    Core::String value;
    if (namespaceUri.empty()) {
      if (!Core::GetEnvironmentValue(localName, value)) value.clear();
    } else if (namespaceUri == CContext::GetXsltNamespaceUri()) {
      if (localName == u"version") return new Xpath::CNumberValue(Xpath::CNumber(1.0));
      if (localName == u"vendor") value = u"Veltrix";
      else if (localName == u"vendor-url") value = u"https://veltrix.dev/";
    }
    return new Xpath::CStringValue(std::move(value));
  }
};

class CElementAvailableFunction : public CXsltFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override {
    RequireCount(context, arguments, 1, 1, u"element-available");
    Core::String namespaceUri, localName;
    ResolveName(context, xpathContext, *arguments[0], namespaceUri, localName, true);
    static const char16_t* const kInstructions[] = {
        u"apply-imports", u"apply-templates", u"call-template", u"choose", u"copy", u"copy-of",
        u"fallback", u"for-each", u"if", u"message", u"number", u"text", u"value-of", u"variable",
        u"attribute", u"comment", u"element", u"processing-instruction"};
    bool available = false;
    if (namespaceUri == CContext::GetXsltNamespaceUri()) {
      for (const char16_t* name : kInstructions) available = available || localName == name;
    } else if (CNamespaceUriArray* extensions = context.GetCurrentStylesheetElement()->GetExtensionNamespaces()) {
      // A name in an extension namespace is an instruction only when a
      // package implements it.
      Xslt::CExtensionHandler* handler = context.GetExtensionHandler();
      available = extensions->Contains(namespaceUri) && handler && handler->IsElementAvailable(namespaceUri, localName);
    }
    return new Xpath::CBooleanValue(available);
  }
};

class CFunctionAvailableFunction : public CXsltFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override {
    RequireCount(context, arguments, 1, 1, u"function-available");
    Core::String namespaceUri, localName;
    // Function names never take the default namespace.
    ResolveName(context, xpathContext, *arguments[0], namespaceUri, localName, false);
    Xpath::CFunctionLibrary* library = xpathContext->GetFunctionLibrary();
    return new Xpath::CBooleanValue(library && library->HasFunction(namespaceUri, localName));
  }
};

} // namespace

void RegisterXsltFunctions(CXsltFunctionTable& table) {
  table.Register(u"document", Core::XInterface<CXsltFunction>(new CDocumentFunction()).Get());
  table.Register(u"key", Core::XInterface<CXsltFunction>(new CKeyFunction()).Get());
  table.Register(u"format-number", Core::XInterface<CXsltFunction>(new CFormatNumberFunction()).Get());
  table.Register(u"current", Core::XInterface<CXsltFunction>(new CCurrentFunction()).Get());
  table.Register(u"unparsed-entity-uri", Core::XInterface<CXsltFunction>(new CUnparsedEntityUriFunction()).Get());
  table.Register(u"generate-id", Core::XInterface<CXsltFunction>(new CGenerateIdFunction()).Get());
  table.Register(u"system-property", Core::XInterface<CXsltFunction>(new CSystemPropertyFunction()).Get());
  table.Register(u"element-available", Core::XInterface<CXsltFunction>(new CElementAvailableFunction()).Get());
  table.Register(u"function-available", Core::XInterface<CXsltFunction>(new CFunctionAvailableFunction()).Get());
}

} // namespace XsltPrivate
