#include "xslt/compiler/StepPattern.h"

#include "xpath/NodeSet.h"
#include "xslt/processor/MatchContext.h"

namespace XsltPrivate {

using Core::XInterface;

namespace {

bool IsPrincipalType(const Dom::CNode* node) {
  int32_t type = node->GetNodeType();
  return type == Dom::ELEMENT_NODE || type == Dom::ATTRIBUTE_NODE || type == Dom::NAMESPACE_NODE;
}

// The nodes over which predicate i of a step is evaluated for one candidate
// node: those the step selects from the candidate's parent with predicates
// 0 to i - 1. Only the size and the candidate's position are asked for;
// each is worked out on first request and kept until the index changes.
class CMatchNodeSet final : public Xpath::CNodeSet {
public:
  CMatchNodeSet(const CTestStepPattern& step, Xpath::CContext* host, const Dom::CNode* node)
      : m_step(step), m_host(host), m_node(const_cast<Dom::CNode*>(node)) {}

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
    int32_t position = 0;
    for (XInterface<Xpath::CIterator> it = Candidates()->CreateIterator(); Dom::XNode node = it->GetNode();
         it->Next()) {
      ++position;
      if (node == m_node) {
        m_position = position;
        break;
      }
    }
    return m_position;
  }

private:
  XInterface<Xpath::CNodeSet> Candidates() {
    Dom::XNode parent(m_node->Parent());
    return m_step.GetLeadingStep(m_index)->CreateNodeSet(m_host.Get(), parent);
  }

  // The step pattern outlives the match that makes this set.
  const CTestStepPattern& m_step;
  XInterface<Xpath::CContext> m_host;
  Dom::XNode m_node;
  size_t m_index = 0;
  int32_t m_size = -1;
  int32_t m_position = -1;
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

CTestStepPattern::CTestStepPattern(const XInterface<Xpath::CStepExpr>& step) : m_step(step) {
  const Xpath::CPredicateList& predicates = step->GetPredicates();
  m_leadingSteps.reserve(predicates.size());
  for (size_t i = 0; i < predicates.size(); ++i) {
    if (i == 0) {
      m_leadingSteps.push_back(new Xpath::CStepExpr(step->GetAxis(), step->GetNodeTest()));
      continue;
    }
    XInterface<Xpath::CStepExpr> leading = new Xpath::CStepExpr(step->GetAxis(), step->GetNodeTest());
    for (size_t k = 0; k < i; ++k) leading->AddPredicate(predicates[k]);
    m_leadingSteps.push_back(leading);
  }
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
  XInterface<Xpath::CContext> predicateContext = new Xpath::CContext(host.Get(), iterator.Get());
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
