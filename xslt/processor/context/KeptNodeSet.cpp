#include "xslt/processor/context/KeptNodeSet.h"

#include <limits>
#include <optional>

#include "xpath/CommonNodeSet.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

namespace {

class CKeptIterator final : public Xpath::CIterator {
public:
  explicit CKeptIterator(CKeptNodeSet* nodeSet) : m_nodeSet(nodeSet) { Move(); }

  Xpath::CNodeSet* GetNodeSet() override { return m_nodeSet.Get(); }
  Dom::XNode GetNode() override { return m_node; }
  int32_t GetPosition() override { return m_node ? int32_t(m_index) : 0; }
  void Next() override {
    if (m_node) Move();
  }

private:
  // To the node at m_index, then one on.
  void Move() {
    if (m_nodeSet->Has(m_index)) {
      m_node = m_nodeSet->At(m_index);
      ++m_index;
    } else {
      m_node = Dom::XNode();
    }
  }

  Core::XInterface<CKeptNodeSet> m_nodeSet;
  Dom::XNode m_node;
  size_t m_index = 0;
};

} // namespace

CKeptNodeSet::CKeptNodeSet(Xpath::CNodeSet* inner, CContext* owner, Core::StringView namespaceUri,
                           Core::StringView localName)
    : m_inner(inner),
      m_owner(owner),
      m_namespaceUri(namespaceUri),
      m_localName(localName),
      m_documentOrder(inner->IsDocumentOrder()),
      m_reverseOrder(inner->IsReverseOrder()),
      m_mayRaise(inner->MayRaise()) {}

// A chain of sets, each made from the one before, is released link by link:
// the destructor met inside another one leaves what it holds to the outer
// one, which releases it after it has returned.
CKeptNodeSet::~CKeptNodeSet() {
  static std::vector<Core::XInterface<Core::CInterface>>* pending = nullptr;
  if (pending) {
    if (m_source) pending->emplace_back(m_source.Get());
    if (m_inner) pending->emplace_back(m_inner.Get());
    return;
  }
  std::vector<Core::XInterface<Core::CInterface>> released;
  pending = &released;
  m_source = nullptr;
  m_inner = nullptr;
  while (!released.empty()) {
    Core::XInterface<Core::CInterface> last = std::move(released.back());
    released.pop_back();
  }
  pending = nullptr;
}

int32_t CKeptNodeSet::GetCount() {
  Has(std::numeric_limits<size_t>::max());
  return int32_t(m_nodes.size());
}

Dom::XNode CKeptNodeSet::GetFirstNode() { return Has(0) ? m_nodes[0] : Dom::XNode(); }

Core::XInterface<Xpath::CIterator> CKeptNodeSet::CreateIterator() { return new CKeptIterator(this); }

bool CKeptNodeSet::HasNodes() { return MayRaise() ? GetCount() > 0 : Has(0); }

bool CKeptNodeSet::Has(size_t index) {
  while (index >= m_nodes.size()) {
    if (m_complete || !ProduceOne()) return false;
  }
  return true;
}

bool CKeptNodeSet::ProduceOne() {
  if (m_failure) std::rethrow_exception(m_failure);
  // Producing a node needed this very set: walked on, it would never end.
  if (m_producing) {
    if (m_owner) m_owner->ThrowError(Xslt::CXsltException::CircularVariableDefinitions, m_namespaceUri, m_localName);
    throw Xslt::CXsltException(Xslt::CXsltException::CircularVariableDefinitions, m_namespaceUri, m_localName);
  }
  // A set made from a set made from a set... is walked as deep as it was
  // made: a nesting of the run.
  std::optional<CNestingLevel> level;
  if (m_owner) level.emplace(*m_owner, m_localName);
  m_producing = true;
  try {
    if (!m_source) m_source = m_inner->CreateIterator();
    else m_source->Next();
    Dom::XNode node = m_source->GetNode();
    m_producing = false;
    if (!node) {
      m_complete = true;
      m_source = nullptr;
      m_inner = nullptr;
      return false;
    }
    m_nodes.push_back(std::move(node));
    return true;
  } catch (...) {
    // The same failure at every later walk. What the set was made from goes:
    // a set that needed itself holds itself through it.
    m_producing = false;
    m_failure = std::current_exception();
    m_source = nullptr;
    m_inner = nullptr;
    throw;
  }
}

bool IsKeptAsItIs(Xpath::CValue* value) {
  if (!value || value->GetType() != Xpath::CValue::NodeSetType) return true;
  Xpath::CNodeSet* nodeSet = value->GetNodeSet();
  // Sets that are walked as cheaply as a kept one.
  return !nodeSet || nodeSet->IsAtHand();
}

Core::XInterface<Xpath::CValue> KeepNodeSetValue(Xpath::CValue* value, CContext* owner, Core::StringView namespaceUri,
                                                 Core::StringView localName) {
  if (IsKeptAsItIs(value)) return value;
  return new Xpath::CNodeSetValue(new CKeptNodeSet(value->GetNodeSet(), owner, namespaceUri, localName));
}

} // namespace XsltPrivate
