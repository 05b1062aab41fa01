#include "xpath/CommonNodeSet.h"
#include "xslt/compiler/Key.h"
#include "xslt/compiler/NamespaceMap.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/MatchContext.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/data/DataSet.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

namespace {

// The view of one node being indexed. The match and the use run at the
// declaration (its namespaces, its place in error reports) with the node as
// the current node, so current() in them is that node. That run-time context
// is made only when something needs it: a plain name test, the usual match of
// a key, needs none, and most nodes of a document do not match.
class CIndexedNode final : public CMatchContext {
public:
  CIndexedNode(CKey& key, CContext& run, const Dom::XNode& node, Core::XInterface<CContext>& declaration)
      : m_key(key), m_run(run), m_node(node), m_declaration(declaration) {}
  // Where a failure unwound the call before EndScope, the scopes end here,
  // innermost first, as the contexts would end them if they went with this
  // view; after EndScope this repeats it, which does nothing. The
  // declaration's context stays with its holder.
  ~CIndexedNode() override {
    if (!m_context) return;
    try {
      m_context->EndScope();
    } catch (...) {
    }
    try {
      m_declaration->EndScope();
    } catch (...) {
    }
  }

  CContext& GetContext() {
    if (!m_context) {
      CContext& declaration = CContext::ChildFor(m_declaration, m_run, &m_key);
      Core::XInterface<Xpath::CNodeSet> single(new XpathPrivate::CSingleNodeSet(m_node));
      Core::XInterface<Xpath::CIterator> iterator = single->CreateIterator();
      m_context = new CContext(declaration, iterator.Get());
    }
    return *m_context;
  }
  void EndScope() {
    if (!m_context) return;
    m_context->EndScope();
    m_declaration->EndScope();
  }

  Xpath::CContext* GetXpathContext() override {
    if (!m_xpathContext) m_xpathContext = GetContext().GetXpathContext();
    return m_xpathContext.Get();
  }
  Dom::XNode GetCurrentNode() override { return m_node; }
  bool GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) override {
    CNamespaceMap* namespaces = m_key.GetNamespaceMap();
    return namespaces && namespaces->GetNamespaceUri(prefix, namespaceUri);
  }
  bool GetElementId(const Dom::XNode& node, Core::String& id) override { return m_run.GetDataSet()->GetId(node, id); }
  bool IsInKey(const Dom::XNode& node, Core::StringView keyNamespaceUri, Core::StringView keyLocalName,
               Core::StringView value) override {
    return m_run.GetDataSet()->HasKeyValue(node, keyNamespaceUri, keyLocalName, value);
  }
  int32_t GetNameHash() override {
    return m_node->GetNodeType() == Dom::ELEMENT_NODE ? HashLocalName(m_node->LocalNameView()) : -1;
  }

private:
  CKey& m_key;
  CContext& m_run;
  Dom::XNode m_node;
  Core::XInterface<CContext>& m_declaration;
  Core::XInterface<CContext> m_context;
  Core::XInterface<Xpath::CContext> m_xpathContext;
};

} // namespace

void CKey::GetKeyValues(const Dom::XNode& node, CContext& context, std::vector<Core::String>& values,
                        Core::XInterface<CContext>& declaration) {
  values.clear();
  CIndexedNode indexed(*this, context, node, declaration);
  if (m_match->Match(indexed, node)) {
    CContext& at = indexed.GetContext();
    // A use that looks up another key builds that key's index in here: a
    // chain of keys nests as deep as it is long.
    CNestingLevel level(at, m_name->LocalName());
    Core::XInterface<Xpath::CValue> value = at.Evaluate(m_use.Get());
    // A node set whose walk may fail comes guarded: the failure is error 43.
    if (value->GetType() == Xpath::CValue::NodeSetType) {
      Xpath::CNodeSet* nodes = value->GetNodeSet();
      for (auto it = nodes->CreateIterator(); Dom::XNode n = it->GetNode(); it->Next())
        values.push_back(n->GetStringValue());
    } else {
      values.push_back(at.EvaluateString(*value));
    }
  }
  indexed.EndScope();
}

void CKey::ThrowCircular(const Dom::XNode& node, CContext& context) {
  Core::XInterface<CContext> declaration;
  CIndexedNode indexed(*this, context, node, declaration);
  indexed.GetContext().ThrowError(Xslt::CXsltException::CircularKeyDefinitions, m_name->NamespaceUri(),
                                  m_name->LocalName());
}

} // namespace XsltPrivate
