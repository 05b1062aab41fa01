#include "xslt/compiler/StepPattern.h"

#include <vector>

#include "xpath/NodeSet.h"
#include "xslt/processor/context/MatchContext.h"

namespace XsltPrivate {

using Core::XInterface;

namespace {

bool IsPrincipalType(const Dom::CNode* node) {
  int32_t type = node->GetNodeType();
  return type == Dom::ELEMENT_NODE || type == Dom::ATTRIBUTE_NODE || type == Dom::NAMESPACE_NODE;
}

// Nodes in a list: the nodes of one predicate of a step, in the order the
// step selects them.
class CListNodeSet final : public Xpath::CNodeSet {
public:
  bool IsDocumentOrder() override { return true; }
  bool IsReverseOrder() override { return false; }
  int32_t GetCount() override { return int32_t(nodes.size()); }
  Dom::XNode GetFirstNode() override { return nodes.empty() ? Dom::XNode() : nodes.front(); }
  XInterface<Xpath::CIterator> CreateIterator() override;
  bool MayRaise() override { return false; }

  std::vector<Dom::XNode> nodes;
};

class CListIterator final : public Xpath::CIterator {
public:
  explicit CListIterator(CListNodeSet* nodeSet) : m_nodeSet(nodeSet) {}

  Xpath::CNodeSet* GetNodeSet() override { return m_nodeSet.Get(); }
  Dom::XNode GetNode() override { return m_index < m_nodeSet->nodes.size() ? m_nodeSet->nodes[m_index] : Dom::XNode(); }
  int32_t GetPosition() override { return m_index < m_nodeSet->nodes.size() ? int32_t(m_index) + 1 : 0; }
  void Next() override {
    if (m_index < m_nodeSet->nodes.size()) ++m_index;
  }

private:
  XInterface<CListNodeSet> m_nodeSet;
  size_t m_index = 0;
};

XInterface<Xpath::CIterator> CListNodeSet::CreateIterator() { return new CListIterator(this); }

// The nodes over which predicate i of a step is evaluated for one candidate
// node: those the step selects from the candidate's parent with predicates
// 0 to i - 1. Only the size and the candidate's position are asked for;
// each is worked out on first request and kept until the index changes.
// The indexes come in rising order, and the nodes of predicate i are made
// from those of the predicate before, kept: a step with many predicates
// costs one pass per predicate, not one over all the predicates before it.
class CMatchNodeSet final : public Xpath::CNodeSet {
public:
  CMatchNodeSet(const CTestStepPattern& step, Xpath::CContext* host, const Dom::CNode* node)
      : m_step(step), m_host(host), m_node(const_cast<Dom::CNode*>(node)), m_nodes(new CListNodeSet()) {}

  void SetPredicateIndex(size_t index) {
    m_index = index;
    m_size = -1;
    m_position = -1;
  }
  const Dom::XNode& GetCandidate() const { return m_node; }

  bool IsDocumentOrder() override { return true; }
  bool IsReverseOrder() override { return false; }
  int32_t GetCount() override {
    if (m_size < 0) m_size = Candidates()->GetCount();
    return m_size;
  }
  Dom::XNode GetFirstNode() override { return Candidates()->GetFirstNode(); }
  XInterface<Xpath::CIterator> CreateIterator() override { return Candidates()->CreateIterator(); }

  int32_t GetPosition() {
    if (m_position >= 0) return m_position;
    m_position = 0;
    // The nodes of the first predicate are read only as far as the candidate.
    if (m_index > 0) Candidates();
    const std::vector<Dom::XNode>& nodes = m_nodes->nodes;
    for (size_t i = 0; i < nodes.size() || (m_level == 0 && ReadOne()); ++i) {
      if (nodes[i] == m_node) {
        m_position = int32_t(i) + 1;
        break;
      }
    }
    return m_position;
  }

private:
  // Reads one more node of the first predicate's nodes; false at their end.
  bool ReadOne() {
    if (m_read) return false;
    if (!m_source) {
      Dom::XNode parent(m_node->Parent());
      m_source = m_step.GetNodeTestStep()->CreateNodeSet(m_host.Get(), parent)->CreateIterator();
    } else {
      m_source->Next();
    }
    Dom::XNode node = m_source->GetNode();
    if (!node) {
      m_read = true;
      m_source = nullptr;
      return false;
    }
    m_nodes->nodes.push_back(std::move(node));
    return true;
  }

  // All the nodes of the current predicate.
  CListNodeSet* Candidates() {
    if (m_level == 0)
      while (ReadOne()) {
      }
    const Xpath::CPredicateList& predicates = m_step.GetStepExpr()->GetPredicates();
    while (m_level < m_index) {
      XInterface<CListNodeSet> kept(new CListNodeSet());
      XInterface<CListIterator> iterator(new CListIterator(m_nodes.Get()));
      XInterface<Xpath::CContext> context(new Xpath::CContext(m_host.Get(), iterator.Get()));
      for (; Dom::XNode node = iterator->GetNode(); iterator->Next())
        if (predicates[m_level]->Test(context.Get())) kept->nodes.push_back(std::move(node));
      m_nodes = kept;
      ++m_level;
    }
    return m_nodes.Get();
  }

  // The step pattern outlives the match that makes this set.
  const CTestStepPattern& m_step;
  XInterface<Xpath::CContext> m_host;
  Dom::XNode m_node;
  size_t m_index = 0;
  int32_t m_size = -1;
  int32_t m_position = -1;
  // The nodes of predicate m_level (never above m_index); for level 0 read
  // from m_source as far as needed.
  XInterface<CListNodeSet> m_nodes;
  size_t m_level = 0;
  XInterface<Xpath::CIterator> m_source;
  bool m_read = false;
};

class CMatchIterator final : public Xpath::CIterator {
public:
  explicit CMatchIterator(CMatchNodeSet* nodeSet) : m_nodeSet(nodeSet) {}

  Xpath::CNodeSet* GetNodeSet() override { return m_nodeSet.Get(); }
  Dom::XNode GetNode() override { return m_nodeSet->GetCandidate(); }
  int32_t GetPosition() override { return m_nodeSet->GetPosition(); }
  void Next() override {}

private:
  XInterface<CMatchNodeSet> m_nodeSet;
};

} // namespace

bool CExpandedNameTest::Match(Xpath::CContext*, const Dom::CNode* node) const {
  if (!IsPrincipalType(node)) return false;
  if (!m_wildcard && node->LocalNameView() != m_localName) return false;
  return node->NamespaceUriView() == m_namespaceUri;
}

CTestStepPattern::CTestStepPattern(const XInterface<Xpath::CStepExpr>& step)
    : m_step(step), m_nodeTestStep(new Xpath::CStepExpr(step->GetAxis(), step->GetNodeTest())) {
  const Xpath::CNodeTest* test = step->GetNodeTest().Get();
  auto* name = dynamic_cast<const XpathPrivate::CNameNodeTest*>(test);
  m_testNeedsContext =
      (name && !name->GetPrefix().empty()) || dynamic_cast<const XpathPrivate::CNamespaceNodeTest*>(test);
}

bool CTestStepPattern::Test(CMatchContext& context, const Dom::CNode* node,
                            Xpath::CNamespaceDeclarationSet* namespaces) const {
  const Xpath::CNodeTest* test = m_step->GetNodeTest().Get();
  const Xpath::CPredicateList& predicates = m_step->GetPredicates();
  if (!m_testNeedsContext && predicates.empty()) return test->Match(nullptr, node);

  // The run's host interfaces, with the prefixes of the element that owns
  // the pattern in place of those of whatever element is current.
  Xpath::CContext* run = context.GetXpathContext();
  XInterface<Xpath::CContext> host;
  if (run) {
    host = new Xpath::CContext(nullptr, run->GetVariableBindingSet(), run->GetFunctionLibrary(),
                               namespaces ? namespaces : run->GetNamespaceDeclarationSet(), run->GetDataSet(),
                               run->GetXpathImplementation());
  } else {
    host = new Xpath::CContext(nullptr, nullptr, nullptr, namespaces, nullptr, nullptr);
  }
  if (!test->Match(m_testNeedsContext ? host.Get() : nullptr, node)) return false;
  if (predicates.empty()) return true;

  XInterface<CMatchNodeSet> nodeSet = new CMatchNodeSet(*this, host.Get(), node);
  XInterface<Xpath::CIterator> iterator = new CMatchIterator(nodeSet.Get());
  // With the pattern's own prefixes, what an operand reads besides variables
  // is the same in every test of the run.
  XpathPrivate::CEvaluationCache* cache = namespaces ? context.GetPatternCache() : nullptr;
  XInterface<Xpath::CContext> predicateContext = new Xpath::CContext(host.Get(), iterator.Get(), cache);
  for (size_t i = 0; i < predicates.size(); ++i) {
    nodeSet->SetPredicateIndex(i);
    if (!predicates[i]->Test(predicateContext.Get())) return false;
  }
  return true;
}

bool CChildStepPattern::Match(CMatchContext& context, const Dom::CNode* node,
                              Xpath::CNamespaceDeclarationSet* namespaces) const {
  switch (node->GetNodeType()) {
  case Dom::ELEMENT_NODE:
  case Dom::TEXT_NODE:
  case Dom::CDATA_SECTION_NODE:
  case Dom::PROCESSING_INSTRUCTION_NODE:
  case Dom::COMMENT_NODE:
    return Test(context, node, namespaces);
  default:
    return false;
  }
}

bool CAttributeStepPattern::Match(CMatchContext& context, const Dom::CNode* node,
                                  Xpath::CNamespaceDeclarationSet* namespaces) const {
  return node->GetNodeType() == Dom::ATTRIBUTE_NODE && Test(context, node, namespaces);
}

} // namespace XsltPrivate
