// Fuzz target: an XPath expression, parsed and evaluated with the core
// function library over a small document, its result converted to every
// type and its node set walked. The input is the expression up to the first
// line feed; what follows, when there is any, is the document (else a fixed
// one). A crash, a hang or a broken invariant is a finding; an XPath or
// parse error is not.
#include <cstdint>
#include <map>
#include <unordered_map>
#include <utility>

#include "../tools/PlainXpathImplementation.h"
#include "FuzzSupport.h"
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

constexpr char kDocument[] =
    "<?top t?><r xmlns:p='urn:p' xml:lang='en-GB'>"
    "<a id='a1' x='1' y='2.5'><b>t1</b><c/><b><d id='d1'>-3</d></b></a>"
    "<!--note--><a id='a2'><b> t2 </b><?pi data?></a>"
    "<p:e xmlns='urn:d'><f p:z='3' id='f1 a1'/>x<![CDATA[<y>]]></p:e>"
    "</r>";

class CVariables : public Xpath::CVariableBindingSet {
public:
  void Bind(String localName, XInterface<Xpath::CValue> value) { m_values[std::move(localName)] = std::move(value); }
  // Values may hold contexts that hold these bindings: break the cycle.
  void Clear() { m_values.clear(); }
  XInterface<Xpath::CValue> GetValue(Core::StringView uri, Core::StringView localName) override {
    if (!uri.empty()) return nullptr;
    auto it = m_values.find(String(localName));
    return it == m_values.end() ? nullptr : it->second;
  }

private:
  std::map<String, XInterface<Xpath::CValue>> m_values;
};

class CNamespaces : public Xpath::CNamespaceDeclarationSet {
public:
  bool GetNamespaceUri(Core::StringView prefix, String& uri) override {
    if (prefix == u"p") uri = u"urn:p";
    else if (prefix == u"d") uri = u"urn:d";
    else if (prefix == u"xml") uri = u"http://www.w3.org/XML/1998/namespace";
    else return false;
    return true;
  }
};

// IDs are the values of attributes named id.
class CDataSet : public Xpath::CDataSet {
public:
  bool GetId(const Dom::XNode& node, String& id) override {
    if (!node || node->GetNodeType() != Dom::ELEMENT_NODE) return false;
    for (int32_t i = 0; i < node->AttributeCount(); ++i) {
      const Dom::CNode* attribute = node->AttributeAt(i);
      if (attribute->NodeNameView() == u"id") {
        id.assign(attribute->ValueView());
        return true;
      }
    }
    return false;
  }
  Dom::XNode GetElementById(const Dom::XNode& document, Core::StringView id) override {
    if (!document) return nullptr;
    if (!m_built) {
      m_built = true;
      String value;
      for (Dom::CNode* n = document->FirstChild(); n;) {
        if (GetId(Dom::XNode(n), value)) m_index.emplace(value, n);
        Dom::CNode* next = n->FirstChild();
        while (!next && n) {
          next = n->NextSibling();
          if (!next) n = n->Parent();
        }
        n = next;
      }
    }
    auto it = m_index.find(String(id));
    return it == m_index.end() ? nullptr : Dom::XNode(it->second);
  }
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override {
    return Dom::CompareDocumentOrder(a.Get(), b.Get());
  }

private:
  bool m_built = false;
  std::unordered_map<String, Dom::CNode*> m_index;
};

using CImplementation = KeltoTools::CPlainXpathImplementation;

// Converts the value every way; a node set is walked twice and its count,
// first node and order must agree with the walk.
void Consume(Xpath::CContext* context, const Xpath::CValue& value, Xpath::CDataSet& dataSet) {
  Xpath::CValueConverter converter(context);
  converter.ToBoolean(value);
  converter.ToNumber(value).ToString();
  converter.ToString(value);
  if (value.GetType() != Xpath::CValue::NodeSetType) return;
  Xpath::CNodeSet* nodeSet = value.GetNodeSet();
  KELTO_FUZZ_CHECK(nodeSet);
  int32_t count = nodeSet->GetCount();
  Dom::XNode first = nodeSet->GetFirstNode();
  bool ordered = nodeSet->IsDocumentOrder(), reverse = nodeSet->IsReverseOrder();
  int32_t seen = 0;
  Dom::XNode previous;
  String text;
  for (XInterface<Xpath::CIterator> it = nodeSet->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
    ++seen;
    KELTO_FUZZ_CHECK(it->GetPosition() == seen);
    if (seen == 1) KELTO_FUZZ_CHECK(node == first);
    // Namespace nodes shared by several elements must still come once each.
    if (previous && (ordered || reverse)) {
      int32_t order = dataSet.CompareDocumentOrder(previous, node);
      KELTO_FUZZ_CHECK(ordered ? order < 0 : order > 0);
    }
    text.clear();
    node->AppendStringValue(text);
    previous = std::move(node);
  }
  KELTO_FUZZ_CHECK(seen == count);
  KELTO_FUZZ_CHECK(count > 0 || !first);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t lineEnd = 0;
  while (lineEnd < size && data[lineEnd] != '\n') ++lineEnd;
  String text = Core::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), lineEnd));
  const uint8_t* docData = reinterpret_cast<const uint8_t*>(kDocument);
  size_t docSize = sizeof(kDocument) - 1;
  if (lineEnd + 1 < size) {
    docData = data + lineEnd + 1;
    docSize = size - lineEnd - 1;
  }

  XInterface<Xpath::CExpr> expr;
  try {
    XpathPrivate::CParser().Parse(expr, text);
  } catch (const Core::IException& e) {
    KELTO_FUZZ_CHECK(!e.GetMessage().empty());
    return 0;
  }
  KELTO_FUZZ_CHECK(expr);

  XInterface<BasicXdm::CDocumentFactory> factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  Dom::XNode document;
  if (!Fuzz::ParseDocument(*factory, docData, docSize, 1 << 30, false, document)) {
    XpathPrivate::ReleaseExpr(expr);
    return 0;
  }

  XInterface<CVariables> variables = new CVariables();
  XInterface<Xpath::CFunctionLibrary> functions = new Xpath::CCoreFunctionLibrary();
  XInterface<CNamespaces> namespaces = new CNamespaces();
  XInterface<CDataSet> dataSet = new CDataSet();
  XInterface<CImplementation> implementation = new CImplementation();
  XInterface<Xpath::CContext> top = new Xpath::CContext(nullptr, variables.Get(), functions.Get(), namespaces.Get(),
                                                        dataSet.Get(), implementation.Get());
  variables->Bind(u"s", new Xpath::CStringValue(u" 12.5e0 "));
  variables->Bind(u"n", new Xpath::CNumberValue(Xpath::CNumber(-0.0)));
  variables->Bind(u"b", new Xpath::CBooleanValue(true));
  try {
    XInterface<Xpath::CExpr> all;
    XpathPrivate::CParser().Parse(all, u"//node() | //@* | //namespace::*");
    XInterface<Xpath::CContext> root = new Xpath::CContext(top.Get(), document);
    variables->Bind(u"all", all->Evaluate(root.Get()));
  } catch (const Core::IException&) {
    abort();  // a fixed expression over a document that parsed
  }

  // The expression from the root, then from the document element.
  Dom::XNode contexts[2] = {document, Dom::XNode(document->FirstChild())};
  while (contexts[1] && contexts[1]->GetNodeType() != Dom::ELEMENT_NODE) contexts[1] = contexts[1]->NextSibling();
  for (const Dom::XNode& node : contexts) {
    if (!node) continue;
    try {
      XInterface<Xpath::CContext> context = new Xpath::CContext(top.Get(), node);
      XInterface<Xpath::CValue> value = expr->Evaluate(context.Get());
      KELTO_FUZZ_CHECK(value);
      Consume(context.Get(), *value, *dataSet);
    } catch (const Core::IException& e) {
      KELTO_FUZZ_CHECK(!e.GetMessage().empty());
    }
  }
  // And from the third element of a list of all elements, as inside a loop:
  // position() 3, last() their count.
  try {
    XInterface<Xpath::CExpr> elements;
    XpathPrivate::CParser().Parse(elements, u"//*");
    XInterface<Xpath::CContext> root = new Xpath::CContext(top.Get(), document);
    XInterface<Xpath::CValue> list = elements->Evaluate(root.Get());
    XInterface<Xpath::CIterator> it = list->GetNodeSet()->CreateIterator();
    for (int i = 1; i < 3 && it->GetNode(); ++i) it->Next();
    if (it->GetNode()) {
      XInterface<Xpath::CContext> context = new Xpath::CContext(top.Get(), it.Get());
      XInterface<Xpath::CValue> value = expr->Evaluate(context.Get());
      KELTO_FUZZ_CHECK(value);
      Consume(context.Get(), *value, *dataSet);
    }
  } catch (const Core::IException& e) {
    KELTO_FUZZ_CHECK(!e.GetMessage().empty());
  }
  variables->Clear();
  XpathPrivate::ReleaseExpr(expr);
  return 0;
}
