// xpatheval [--ns PREFIX=URI]... [--var NAME=STRING]... FILE EXPR
//
// Parses FILE (no whitespace stripping) and evaluates EXPR with the document
// node as the context node, the core function library, the given namespace
// prefixes and string variables, and IDs from the document's DTD. Prints the
// result on standard output; an XPath error or a file that does not parse
// prints its message on standard error and exits with status 1.
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "PlainXpathImplementation.h"
#include "core/String.h"
#include "core/Uri.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/Dom.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/Context.h"
#include "xpath/Function.h"
#include "xpath/NodeArray.h"
#include "xpath/Parser.h"
#include "xpath/Value.h"
#include "xpath/ValueConverter.h"

namespace {

using Core::String;
using Core::XInterface;

// Declarations of attributes of type ID: element name to attribute name.
class CIdDeclarations : public Sxp::IDtdHandler {
public:
  void AttributeDeclaration(Core::StringView elementName, Core::StringView attributeName, int32_t type, int32_t,
                            Core::StringView) override {
    // The first declaration of an attribute is binding; an element has at most one ID.
    if (type == Sxp::AttributeTypeId) m_ids.emplace(String(elementName), String(attributeName));
  }
  void UnparsedEntityDeclaration(Core::StringView, Core::StringView, Core::StringView, Core::StringView) override {}
  void NotationDeclaration(Core::StringView, Core::StringView, Core::StringView) override {}

  const String* Find(Core::StringView elementName) const {
    auto it = m_ids.find(String(elementName));
    return it == m_ids.end() ? nullptr : &it->second;
  }
  bool Empty() const { return m_ids.empty(); }

private:
  std::map<String, String> m_ids;
};

class CDataSet : public Xpath::CDataSet {
public:
  explicit CDataSet(const CIdDeclarations* ids) : m_ids(ids) {}

  bool GetId(const Dom::XNode& node, String& id) override {
    if (!node || node->GetNodeType() != Dom::ELEMENT_NODE) return false;
    const String* name = m_ids->Find(node->NodeNameView());
    if (!name) return false;
    for (int32_t i = 0; i < node->AttributeCount(); ++i) {
      const Dom::CNode* attribute = node->AttributeAt(i);
      if (attribute->NodeNameView() == *name) {
        id.assign(attribute->ValueView());
        return true;
      }
    }
    return false;
  }

  Dom::XNode GetElementById(const Dom::XNode& document, Core::StringView id) override {
    if (!document || m_ids->Empty()) return nullptr;
    auto& index = m_index[document.Get()];
    if (!index.built) {
      // One walk of the document, the first element of an ID winning.
      index.built = true;
      String value;
      for (Dom::CNode* n = document->FirstChild(); n;) {
        Dom::XNode handle(n);
        if (GetId(handle, value)) index.elements.emplace(value, n);
        Dom::CNode* next = n->FirstChild();
        while (!next && n) {
          next = n->NextSibling();
          if (!next) n = n->Parent();
        }
        n = next;
      }
    }
    auto it = index.elements.find(String(id));
    return it == index.elements.end() ? nullptr : Dom::XNode(it->second);
  }

  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override {
    return Dom::CompareDocumentOrder(a.Get(), b.Get());
  }

private:
  struct CIndex {
    bool built = false;
    std::unordered_map<String, Dom::CNode*> elements;
  };
  const CIdDeclarations* m_ids;
  std::map<const Dom::CNode*, CIndex> m_index;
};

class CVariables : public Xpath::CVariableBindingSet {
public:
  void Bind(String uri, String localName, String value) {
    m_values[{std::move(uri), std::move(localName)}] = new Xpath::CStringValue(std::move(value));
  }
  XInterface<Xpath::CValue> GetValue(Core::StringView uri, Core::StringView localName) override {
    auto it = m_values.find({String(uri), String(localName)});
    return it == m_values.end() ? nullptr : it->second;
  }

private:
  std::map<std::pair<String, String>, XInterface<Xpath::CValue>> m_values;
};

class CNamespaces : public Xpath::CNamespaceDeclarationSet {
public:
  void Declare(String prefix, String uri) { m_uris[std::move(prefix)] = std::move(uri); }
  bool GetNamespaceUri(Core::StringView prefix, String& uri) override {
    auto it = m_uris.find(String(prefix));
    if (it == m_uris.end()) return false;
    uri = it->second;
    return true;
  }

private:
  std::map<String, String> m_uris;
};

using CImplementation = KeltoTools::CPlainXpathImplementation;

void AppendEscaped(std::string& out, Core::StringView text) {
  String escaped;
  escaped.reserve(text.size());
  for (char16_t c : text) {
    switch (c) {
    case u'\\': escaped += u"\\\\"; break;
    case u'\n': escaped += u"\\n"; break;
    case u'\r': escaped += u"\\r"; break;
    case u'\t': escaped += u"\\t"; break;
    default: escaped += c;
    }
  }
  out += Core::ToUtf8(escaped);
}

const char* KindName(int32_t type) {
  switch (type) {
  case Dom::DOCUMENT_NODE: return "root";
  case Dom::ELEMENT_NODE: return "element";
  case Dom::ATTRIBUTE_NODE: return "attribute";
  case Dom::TEXT_NODE:
  case Dom::CDATA_SECTION_NODE: return "text";
  case Dom::COMMENT_NODE: return "comment";
  case Dom::PROCESSING_INSTRUCTION_NODE: return "processing-instruction";
  case Dom::NAMESPACE_NODE: return "namespace";
  default: return "node";
  }
}

bool HasName(int32_t type) {
  return type == Dom::ELEMENT_NODE || type == Dom::ATTRIBUTE_NODE || type == Dom::PROCESSING_INSTRUCTION_NODE ||
         type == Dom::NAMESPACE_NODE;
}

void Write(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

int Usage() {
  std::fputs("usage: xpatheval [--ns PREFIX=URI]... [--var NAME=STRING]... FILE EXPR\n", stderr);
  return 2;
}

int Fail(Core::StringView message) {
  std::string text = Core::ToUtf8(message);
  text += '\n';
  std::fwrite(text.data(), 1, text.size(), stderr);
  return 1;
}

} // namespace

int main(int argc, char** argv) {
  XInterface<CNamespaces> namespaces = new CNamespaces();
  // The xml prefix is bound in every document.
  namespaces->Declare(u"xml", u"http://www.w3.org/XML/1998/namespace");
  std::vector<std::pair<String, String>> variables;
  std::vector<String> positional;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if ((arg == "--ns" || arg == "--var") && i + 1 < argc) {
      String binding = Core::FromUtf8(argv[++i]);
      size_t eq = binding.find(u'=');
      if (eq == String::npos) return Usage();
      String name = binding.substr(0, eq), value = binding.substr(eq + 1);
      if (arg == "--ns") namespaces->Declare(name, value);
      else variables.emplace_back(name, value);
    } else {
      positional.push_back(Core::FromUtf8(arg));
    }
  }
  if (positional.size() != 2) return Usage();

  try {
    XInterface<CVariables> bindings = new CVariables();
    for (auto& [name, value] : variables) {
      String prefix, localName, uri;
      XpathPrivate::CParser::SplitQName(name, prefix, localName);
      if (!prefix.empty() && !namespaces->GetNamespaceUri(prefix, uri)) return Fail(u"Undeclared prefix: " + prefix);
      bindings->Bind(uri, localName, value);
    }

    XInterface<BasicXdm::CDocumentFactory> documents = new BasicXdm::CDocumentFactory(1);
    Dom::XNode document = documents->CreateDocument();
    XInterface<CIdDeclarations> ids = new CIdDeclarations();
    {
      XInterface<XmlParserPrivate::CParserFactory> parsers = new XmlParserPrivate::CParserFactory();
      XInterface<Sxp::IParser> parser = parsers->CreateParser();
      parser->SetDocumentHandler(documents->CreateDocumentHandler(document, nullptr, nullptr));
      parser->SetDtdHandler(ids);
      String url;
      if (!Uri::FileNameToUrl(positional[0], url)) return Fail(u"Cannot access document: " + positional[0]);
      parser->Parse(url);
    }

    XInterface<Xpath::CExpr> expr;
    XpathPrivate::CParser().Parse(expr, positional[1]);

    XInterface<Xpath::CFunctionLibrary> functions = new Xpath::CCoreFunctionLibrary();
    XInterface<CDataSet> dataSet = new CDataSet(ids.Get());
    XInterface<CImplementation> implementation = new CImplementation();
    XInterface<Xpath::CContext> top =
        new Xpath::CContext(nullptr, bindings.Get(), functions.Get(), namespaces.Get(), dataSet.Get(), implementation.Get());
    XInterface<Xpath::CContext> context = new Xpath::CContext(top.Get(), document);

    XInterface<Xpath::CValue> value = expr->Evaluate(context.Get());
    Xpath::CValueConverter converter(context.Get());
    std::string out;
    switch (value->GetType()) {
    case Xpath::CValue::NodeSetType: {
      XInterface<Xpath::CNodeSet> nodeSet = value->GetNodeSet();
      if (!nodeSet->IsDocumentOrder()) {
        XInterface<Xpath::CNodeArray> array = implementation->GetNodeArrayFactory()->CreateNodeArray(dataSet.Get());
        for (XInterface<Xpath::CIterator> it = nodeSet->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
          array->Insert(node);
        }
        nodeSet = new XpathPrivate::CArrayNodeSet(array.Get());
      }
      std::string lines;
      int32_t count = 0;
      String text;
      for (XInterface<Xpath::CIterator> it = nodeSet->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
        ++count;
        int32_t type = node->GetNodeType();
        lines += KindName(type);
        lines += ' ';
        if (HasName(type)) lines += Core::ToUtf8(node->NodeNameView());
        lines += '\t';
        text.clear();
        node->AppendStringValue(text);
        AppendEscaped(lines, text);
        lines += '\n';
      }
      out = "node-set " + std::to_string(count) + "\n" + lines;
      break;
    }
    case Xpath::CValue::BooleanType:
      out = value->GetBoolean() ? "boolean true\n" : "boolean false\n";
      break;
    case Xpath::CValue::NumberType:
      out = "number ";
      AppendEscaped(out, value->GetNumber().ToString());
      out += '\n';
      break;
    default:
      out = "string ";
      AppendEscaped(out, converter.ToString(*value));
      out += '\n';
      break;
    }
    Write(out);
    return 0;
  } catch (const Core::IException& e) {
    return Fail(e.GetMessage());
  }
}
