// Fuzz target: an XSLT pattern, parsed and matched against every node of a
// small document. The input is the pattern up to the first line feed; what
// follows, when there is any, is the document (else a fixed one). A crash,
// a hang or a broken invariant is a finding; a pattern or XPath error is
// not.
//
// Invariants: a pattern parsed with its prefixes resolved at once matches
// as one resolved when matching; a matching alternative's node types, name
// hash and local name admit the node; and a pattern without key() matches
// exactly the nodes that the same text, evaluated as an XPath expression
// from some node of the document, selects.
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "../tools/PlainXpathImplementation.h"
#include "FuzzSupport.h"
#include "xpath/Context.h"
#include "xpath/Function.h"
#include "xpath/Parser.h"
#include "xpath/Value.h"
#include "xslt/compiler/Pattern.h"
#include "xslt/compiler/PatternException.h"
#include "xslt/compiler/PatternParser.h"
#include "xslt/processor/context/MatchContext.h"

namespace {

using Core::String;
using Core::XInterface;

constexpr char kDocument[] =
    "<?top t?><r xmlns:p='urn:p' k='1'>"
    "<a id='a1' x='1'><b>t1</b><c/><b><d id='d1'>-3</d></b></a>"
    "<!--note--><a id='a2'><b> t2 </b><?pi data?><b/><c k='2'/></a>"
    "<p:e xmlns='urn:d'><f p:z='3' id='f1 a1'/>x<![CDATA[<y>]]><b><b/></b></p:e>"
    "</r>";

bool LookUp(Core::StringView prefix, String& uri) {
  if (prefix == u"p") uri = u"urn:p";
  else if (prefix == u"d") uri = u"urn:d";
  else if (prefix == u"xml") uri = u"http://www.w3.org/XML/1998/namespace";
  else return false;
  return true;
}

class CNamespaces : public Xpath::CNamespaceDeclarationSet {
public:
  bool GetNamespaceUri(Core::StringView prefix, String& uri) override { return LookUp(prefix, uri); }
};

class CDataSet : public Xpath::CDataSet {
public:
  bool GetId(const Dom::XNode& node, String& id) override {
    if (!node || node->GetNodeType() != Dom::ELEMENT_NODE) return false;
    for (int32_t i = 0; i < node->AttributeCount(); ++i) {
      if (node->AttributeAt(i)->NodeNameView() == u"id") {
        id.assign(node->AttributeAt(i)->ValueView());
        return true;
      }
    }
    return false;
  }
  Dom::XNode GetElementById(const Dom::XNode& document, Core::StringView id) override {
    String value;
    for (Dom::CNode* n = document.Get(); n;) {
      if (GetId(Dom::XNode(n), value) && value == id) return n;
      Dom::CNode* next = n->FirstChild();
      while (!next && n) {
        next = n->NextSibling();
        if (!next) n = n->Parent();
      }
      n = next;
    }
    return nullptr;
  }
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override {
    return Dom::CompareDocumentOrder(a.Get(), b.Get());
  }
};

// Keys: key('k', v) holds the elements whose attribute k is v.
class CMatchContext : public XsltPrivate::CMatchContext {
public:
  CMatchContext(Xpath::CContext* top, const Dom::XNode& node) : m_top(top), m_node(node) {}
  Xpath::CContext* GetXpathContext() override {
    if (!m_xpath) m_xpath = new Xpath::CContext(m_top, m_node);
    return m_xpath.Get();
  }
  Dom::XNode GetCurrentNode() override { return m_node; }
  bool GetNamespaceUri(Core::StringView prefix, String& uri) override { return LookUp(prefix, uri); }
  bool GetElementId(const Dom::XNode& node, String& id) override { return m_top->GetDataSet()->GetId(node, id); }
  bool IsInKey(const Dom::XNode& node, Core::StringView uri, Core::StringView localName,
               Core::StringView value) override {
    if (!uri.empty() || localName != u"k" || node->GetNodeType() != Dom::ELEMENT_NODE) return false;
    for (int32_t i = 0; i < node->AttributeCount(); ++i) {
      if (node->AttributeAt(i)->NodeNameView() == u"k") return node->AttributeAt(i)->ValueView() == value;
    }
    return false;
  }
  int32_t GetNameHash() override {
    return m_node->GetNodeType() == Dom::ELEMENT_NODE ? XsltPrivate::HashLocalName(m_node->LocalNameView()) : -1;
  }

private:
  Xpath::CContext* m_top;
  Dom::XNode m_node;
  XInterface<Xpath::CContext> m_xpath;
};

std::vector<Dom::XNode> AllNodes(const Dom::XNode& document) {
  std::vector<Dom::XNode> nodes;
  for (Dom::CNode* n = document.Get(); n;) {
    nodes.push_back(n);
    for (int32_t i = 0; i < n->AttributeCount(); ++i) nodes.push_back(n->AttributeAt(i));
    Dom::CNode* next = n->FirstChild();
    while (!next && n) {
      next = n->NextSibling();
      if (!next) n = n->Parent();
    }
    n = next;
  }
  return nodes;
}

// true or false, or nothing when matching raised an error.
std::optional<bool> Match(const XsltPrivate::CPattern& pattern, Xpath::CContext* top, const Dom::XNode& node) {
  CMatchContext context(top, node);
  try {
    bool matched = pattern.Match(context, node);
    if (matched) {
      // Some matching alternative admits the node by what dispatch groups on.
      bool admitted = false;
      for (int32_t i = 0; i < pattern.GetCount() && !admitted; ++i) {
        const XsltPrivate::CLocationPathPattern& alternative = *pattern.GetAt(i);
        double priority = alternative.GetDefaultPriority();
        KELTO_FUZZ_CHECK(priority == 0.5 || priority == 0 || priority == -0.25 || priority == -0.5);
        CMatchContext again(top, node);
        if (!alternative.Match(again, node)) continue;
        admitted = (alternative.GetNodeTypes() & XsltPrivate::NodeTypeBit(node->GetNodeType())) != 0;
        int32_t hash = alternative.GetNameHash();
        admitted = admitted && (hash == -1 || hash == context.GetNameHash());
        String localName = alternative.GetLocalName();
        admitted = admitted && (localName.empty() || localName == node->LocalNameView());
      }
      KELTO_FUZZ_CHECK(admitted);
    }
    return matched;
  } catch (const Core::IException& e) {
    KELTO_FUZZ_CHECK(!e.GetMessage().empty());
    return std::nullopt;
  }
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

  // Once with the prefixes left for the match, once resolved while parsing.
  XInterface<XsltPrivate::CPattern> late, early;
  try {
    XsltPrivate::CPatternParser().Parse(late, text);
  } catch (const Core::IException& e) {
    KELTO_FUZZ_CHECK(!e.GetMessage().empty());
    return 0;
  }
  bool undeclared = false;
  try {
    XsltPrivate::CPatternParser parser([&](Core::StringView prefix) {
      String uri;
      if (!LookUp(prefix, uri)) {
        undeclared = true;
        throw XsltPrivate::CPatternException(XsltPrivate::CPatternException::InvalidPrefix, String(prefix));
      }
      return uri;
    });
    parser.Parse(early, text);
  } catch (const Core::IException&) {
    KELTO_FUZZ_CHECK(undeclared);  // the text parsed once already
  }

  XInterface<BasicXdm::CDocumentFactory> factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  Dom::XNode document;
  if (!Fuzz::ParseDocument(*factory, docData, docSize, 1 << 30, false, document)) return 0;

  XInterface<Xpath::CFunctionLibrary> functions = new Xpath::CCoreFunctionLibrary();
  XInterface<CNamespaces> namespaces = new CNamespaces();
  XInterface<CDataSet> dataSet = new CDataSet();
  XInterface<KeltoTools::CPlainXpathImplementation> implementation = new KeltoTools::CPlainXpathImplementation();
  XInterface<Xpath::CContext> top = new Xpath::CContext(nullptr, nullptr, functions.Get(), namespaces.Get(),
                                                        dataSet.Get(), implementation.Get());

  std::vector<Dom::XNode> nodes = AllNodes(document);
  std::vector<std::optional<bool>> matched;
  bool anyError = false;
  for (const Dom::XNode& node : nodes) {
    std::optional<bool> result = Match(*late, top.Get(), node);
    if (early) {
      std::optional<bool> resolved = Match(*early, top.Get(), node);
      // Resolving early only takes errors away (an undeclared prefix fails
      // at once there); it never changes an answer.
      KELTO_FUZZ_CHECK(!result || resolved == result);
    }
    anyError = anyError || !result;
    matched.push_back(result);
  }

  // The XPath reading of the same text, from every node as context.
  if (anyError || text.find(u"key") != String::npos) return 0;
  XInterface<Xpath::CExpr> expr;
  try {
    XpathPrivate::CParser().Parse(expr, text);
  } catch (const Core::IException&) {
    abort();  // every pattern is an expression
  }
  std::set<const Dom::CNode*> selected;
  try {
    for (const Dom::XNode& node : nodes) {
      XInterface<Xpath::CContext> context = new Xpath::CContext(top.Get(), node);
      XInterface<Xpath::CValue> value = expr->Evaluate(context.Get());
      KELTO_FUZZ_CHECK(value->GetType() == Xpath::CValue::NodeSetType);
      for (XInterface<Xpath::CIterator> it = value->GetNodeSet()->CreateIterator(); Dom::XNode n = it->GetNode();
           it->Next()) {
        selected.insert(n.Get());
      }
    }
  } catch (const Core::IException&) {
    XpathPrivate::ReleaseExpr(expr);
    return 0;  // the expression may raise where the match did not look
  }
  for (size_t i = 0; i < nodes.size(); ++i) KELTO_FUZZ_CHECK(*matched[i] == (selected.count(nodes[i].Get()) > 0));
  XpathPrivate::ReleaseExpr(expr);
  return 0;
}
