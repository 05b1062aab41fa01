#include "xpath/PathExpr.h"

#include <algorithm>

#include "xpath/CommonNodeSet.h"
#include "xpath/EvaluationCache.h"
#include "xpath/OperatorExpr.h"
#include "xpath/PrimaryExpr.h"
#include "xpath/Context.h"
#include "xpath/NodeArray.h"
#include "xpath/Value.h"
#include "xpath/ValueConverter.h"
#include "xpath/XpathException.h"

namespace XpathPrivate {

using Core::XInterface;
using Xpath::CContext;
using Xpath::CIterator;
using Xpath::CNodeSet;
using Xpath::CValue;

Xpath::CNodeSet* RequireNodeSet(const CValue& value) {
  CNodeSet* nodeSet = value.GetType() == CValue::NodeSetType ? value.GetNodeSet() : nullptr;
  if (!nodeSet) throw Xpath::CXpathException(Xpath::CXpathException::NotANodeSet);
  return nodeSet;
}

namespace {

// The prefix a name test or a namespace test must resolve, null for any
// other test or an unprefixed name. Only those two classes claim their kinds
// among the engine's tests; the kind is read first, as it costs less than
// asking for the class.
const Core::String* TestPrefix(const Xpath::CNodeTest* test) {
  int32_t kind = test->GetKind();
  if (kind == Xpath::CNodeTest::QName) {
    auto* name = dynamic_cast<const CNameNodeTest*>(test);
    return name && !name->GetPrefix().empty() ? &name->GetPrefix() : nullptr;
  }
  if (kind == Xpath::CNodeTest::NamespaceWildcard) {
    auto* space = dynamic_cast<const CNamespaceNodeTest*>(test);
    return space ? &space->GetPrefix() : nullptr;
  }
  return nullptr;
}

// ---- node test ------------------------------------------------------------

class CNodeTestNodeSet final : public CCommonNodeSet {
public:
  CNodeTestNodeSet(CContext* context, const XInterface<CNodeSet>& source, const XInterface<Xpath::CNodeTest>& test)
      : m_context(context), m_source(source), m_test(test) {}

  bool IsDocumentOrder() override { return m_source->IsDocumentOrder(); }
  bool IsReverseOrder() override { return m_source->IsReverseOrder(); }
  // The test itself raises only for a prefix the context does not declare.
  bool MayRaise() override {
    if (m_mayRaise < 0) m_mayRaise = m_source->MayRaise() || !PrefixDeclared() ? 1 : 0;
    return m_mayRaise == 1;
  }
  XInterface<CIterator> CreateIterator() override;

  XInterface<CContext> m_context;
  XInterface<CNodeSet> m_source;
  XInterface<Xpath::CNodeTest> m_test;

private:
  bool PrefixDeclared() const {
    const Core::String* prefix = TestPrefix(m_test.Get());
    if (!prefix) return true;
    Xpath::CNamespaceDeclarationSet* namespaces = m_context->GetNamespaceDeclarationSet();
    Core::String uri;
    return namespaces && namespaces->GetNamespaceUri(*prefix, uri);
  }

  int8_t m_mayRaise = -1;
};

class CNodeTestIterator final : public CCommonIterator {
public:
  explicit CNodeTestIterator(CNodeTestNodeSet* nodeSet)
      : CCommonIterator(nodeSet),
        m_owner(nodeSet),
        m_source(nodeSet->m_source->CreateIterator()),
        m_common(m_source->AsCommon()) {
    Seek();
    m_position = m_node ? 1 : 0;
  }

  void Next() override {
    if (!m_node) return;
    m_source->Next();
    Seek();
    m_position = m_node ? m_position + 1 : 0;
  }

private:
  // Most sources are our own iterators: their current node is read in
  // place, without a handle made and dropped for every node passed over.
  void Seek() {
    if (m_common) {
      for (;;) {
        Dom::CNode* node = m_common->CurrentNode().Get();
        if (!node || m_owner->m_test->Match(m_owner->m_context.Get(), node)) {
          m_node = node;
          return;
        }
        m_source->Next();
      }
    }
    for (;;) {
      Dom::XNode node = m_source->GetNode();
      if (!node || m_owner->m_test->Match(m_owner->m_context.Get(), node.Get())) {
        m_node = std::move(node);
        return;
      }
      m_source->Next();
    }
  }

  CNodeTestNodeSet* m_owner;
  XInterface<CIterator> m_source;
  CCommonIterator* m_common;  // m_source when it is one of ours
};

XInterface<CIterator> CNodeTestNodeSet::CreateIterator() { return new CNodeTestIterator(this); }

// ---- predicates -----------------------------------------------------------

// What every level of one predicate chain shares: the source, the
// predicates and the count of the nodes that reach each level (level 0 is
// the source, level k the nodes kept by the first k predicates).
class CPredicateChain final : public Core::CInterface {
public:
  CPredicateChain(CContext* context, const XInterface<CNodeSet>& source, const Core::CInterface* owner,
                  const Xpath::CPredicateList& predicates, bool mayRaise, size_t errorFreeLevels)
      : m_mayRaise(mayRaise),
        m_context(context),
        m_source(source),
        m_owner(const_cast<Core::CInterface*>(owner)),
        m_predicates(predicates),
        m_counts(predicates.size() + 1, -1) {
    // A predicate that keeps positions up to a known last one ends the walk
    // once the nodes reaching it pass that position, provided the
    // predicates before it raise nothing on the nodes left unvisited.
    // Predicates of known positions raise nothing themselves.
    while (m_stopLimit < predicates.size() &&
           (m_stopLimit < errorFreeLevels || predicates[m_stopLimit]->GetLastPosition() >= 0)) {
      if (m_firstStop < 0 && predicates[m_stopLimit]->GetLastPosition() >= 0) {
        m_firstStop = static_cast<int32_t>(m_stopLimit);
      }
      ++m_stopLimit;
    }
  }

  int32_t GetCount(size_t level);
  bool SourceMayRaise() {
    if (m_sourceMayRaise < 0) m_sourceMayRaise = m_mayRaise && m_source->MayRaise() ? 1 : 0;
    return m_sourceMayRaise == 1;
  }

  bool m_mayRaise;
  int8_t m_sourceMayRaise = -1;
  // The levels below m_stopLimit whose predicate keeps positions up to a
  // known last one come after predicates that raise nothing: once the nodes
  // reaching one of them pass its last position, the rest of the source
  // cannot pass it. m_firstStop is the first of them, -1 for none.
  size_t m_stopLimit = 0;
  int32_t m_firstStop = -1;
  XInterface<CContext> m_context;
  // The nodes of level m_keptLevel, while counting levels.
  std::vector<Dom::XNode> m_kept;
  int32_t m_keptLevel = -1;
  XInterface<CNodeSet> m_source;
  XInterface<Core::CInterface> m_owner;
  const Xpath::CPredicateList& m_predicates;
  std::vector<int32_t> m_counts;
};

class CPredicateNodeSet final : public CCommonNodeSet {
public:
  CPredicateNodeSet(CPredicateChain* chain, size_t level) : m_chain(chain), m_level(level) {}

  bool IsDocumentOrder() override { return m_chain->m_source->IsDocumentOrder(); }
  bool IsReverseOrder() override { return m_chain->m_source->IsReverseOrder(); }
  int32_t GetCount() override { return m_chain->GetCount(m_level); }
  bool MayRaise() override { return m_chain->m_mayRaise; }
  bool HasNodes() override {
    if (m_chain->m_counts[m_level] >= 0 || MayRaise()) return GetCount() > 0;
    return static_cast<bool>(GetFirstNode());
  }
  XInterface<CIterator> CreateIterator() override;

  XInterface<CPredicateChain> m_chain;
  size_t m_level;
};

// The current node list one predicate of a chain sees: the node under test,
// its position among the nodes that reached this predicate, and those
// nodes as its node set.
class CLevelIterator final : public CIterator {
public:
  CLevelIterator(CPredicateChain* chain, size_t level) : m_chain(chain), m_level(level) {}

  CNodeSet* GetNodeSet() override {
    if (!m_nodeSet) m_nodeSet = new CPredicateNodeSet(m_chain.Get(), m_level);
    return m_nodeSet.Get();
  }
  Dom::XNode GetNode() override { return m_node; }
  int32_t GetPosition() override { return m_node ? m_position : 0; }
  void Next() override {}

  XInterface<CPredicateChain> m_chain;
  size_t m_level;
  XInterface<CNodeSet> m_nodeSet;
  Dom::XNode m_node;
  int32_t m_position = 0;
};

class CPredicateIterator final : public CCommonIterator {
public:
  explicit CPredicateIterator(CPredicateNodeSet* nodeSet) : CCommonIterator(nodeSet), m_chain(nodeSet->m_chain.Get()) {
    size_t levels = nodeSet->m_level;
    m_stops = std::min(m_chain->m_stopLimit, levels);
    for (size_t level = 0; level < m_stops; ++level) {
      // No node can pass: the source need not be walked at all.
      if (m_chain->m_predicates[level]->GetLastPosition() == 0 && !m_chain->SourceMayRaise()) return;
    }
    m_source = m_chain->m_source->CreateIterator();
    // The first predicate sees the source iterator itself.
    m_firstContext = new CContext(m_chain->m_context.Get(), m_source.Get());
    m_levelCount = levels;
    if (levels > 1) m_later.reserve(levels - 1);
    for (size_t level = 1; level < levels; ++level) {
      XInterface<CLevelIterator> view = new CLevelIterator(m_chain, level);
      XInterface<CContext> context = new CContext(m_chain->m_context.Get(), view.Get());
      m_later.push_back({std::move(view), std::move(context)});
    }
    Seek();
    m_position = m_node ? 1 : 0;
  }

  void Next() override {
    if (!m_node) return;
    if (Done()) {
      m_node = nullptr;
      m_position = 0;
      return;
    }
    m_source->Next();
    Seek();
    m_position = m_node ? m_position + 1 : 0;
  }

private:
  // True when no later source node can pass a bounded predicate, because
  // the nodes that reached it already fill its positions, and walking on
  // could raise no error. Positions of one level only grow, and a node
  // skipped here would meet only predicates that raise nothing before that
  // level.
  bool Done() {
    for (size_t level = 0; level < m_stops; ++level) {
      int32_t last = m_chain->m_predicates[level]->GetLastPosition();
      if (last < 0) continue;
      int32_t reached = level == 0 ? m_source->GetPosition() : m_later[level - 1].view->m_position;
      if (reached >= last) return !m_chain->SourceMayRaise();
    }
    return false;
  }

  void Seek() {
    const Xpath::CPredicateList& predicates = m_chain->m_predicates;
    size_t levels = m_levelCount;
    for (;;) {
      Dom::XNode node = m_source->GetNode();
      if (!node) {
        m_node = nullptr;
        return;
      }
      size_t level = 0;
      for (; level < levels; ++level) {
        CContext* context = m_firstContext.Get();
        if (level > 0) {
          CLevel& later = m_later[level - 1];
          later.view->m_node = node;
          ++later.view->m_position;
          context = later.context.Get();
        }
        if (!predicates[level]->Test(context)) break;
      }
      if (level == levels) {
        m_node = std::move(node);
        return;
      }
      if (Done()) {
        m_node = nullptr;
        return;
      }
      m_source->Next();
    }
  }

  // A level after the first: the view of its current node list and the
  // context its predicate sees.
  struct CLevel {
    XInterface<CLevelIterator> view;
    XInterface<CContext> context;
  };

  CPredicateChain* m_chain;
  size_t m_stops;  // the levels that may stop this iterator's walk
  size_t m_levelCount = 0;  // 0 when the source is not walked at all
  XInterface<CIterator> m_source;
  XInterface<CContext> m_firstContext;
  std::vector<CLevel> m_later;
};

XInterface<CIterator> CPredicateNodeSet::CreateIterator() { return new CPredicateIterator(this); }

int32_t CPredicateChain::GetCount(size_t level) {
  if (m_counts[level] >= 0) return m_counts[level];
  if (m_firstStop >= 0 && static_cast<size_t>(m_firstStop) < level) {
    // Known positions: walking the level stops where they run out.
    int32_t n = 0;
    XInterface<CNodeSet> nodeSet = new CPredicateNodeSet(this, level);
    for (XInterface<CIterator> it = nodeSet->CreateIterator(); it->GetNode(); it->Next()) ++n;
    m_counts[level] = n;
    return n;
  }
  // Level by level from the deepest level kept so far, so that a chain of
  // predicates that all ask for their context size costs one pass per level
  // instead of one pass per level and per predicate before it.
  if (m_keptLevel < 0 || static_cast<size_t>(m_keptLevel) > level) {
    m_kept.clear();
    for (XInterface<CIterator> it = m_source->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
      m_kept.push_back(std::move(node));
    }
    m_keptLevel = 0;
  }
  while (static_cast<size_t>(m_keptLevel) < level) {
    size_t i = static_cast<size_t>(m_keptLevel);
    m_counts[i] = static_cast<int32_t>(m_kept.size());
    XInterface<CLevelIterator> view = new CLevelIterator(this, i);
    XInterface<CContext> context = new CContext(m_context.Get(), view.Get());
    std::vector<Dom::XNode> kept;
    for (Dom::XNode& node : m_kept) {
      view->m_node = node;
      ++view->m_position;
      if (m_predicates[i]->Test(context.Get())) kept.push_back(std::move(node));
    }
    view->m_node = nullptr;
    m_kept = std::move(kept);
    m_keptLevel = static_cast<int32_t>(i + 1);
  }
  m_counts[level] = static_cast<int32_t>(m_kept.size());
  return m_counts[level];
}

// ---- child path -----------------------------------------------------------

// Expressions of a path: the start (when there is one), then the steps.
struct CPathParts {
  XInterface<CContext> context;
  XInterface<Xpath::CExpr> start;
  const std::vector<XInterface<Xpath::CStepExpr>>* steps;  // the plan
  XInterface<Core::CInterface> owner;  // keeps steps and shape
  const CWalkShape* shape;
  bool errorFree;  // no part of the path raises

  size_t Size() const { return steps->size() + (start ? 1 : 0); }
  // The node set of level from node (null for level 0: the path's context).
  XInterface<CNodeSet> Open(size_t level, const Dom::XNode& node) const {
    if (start) {
      if (level == 0) {
        XInterface<CValue> value = start->Evaluate(context.Get());
        return RequireNodeSet(*value);
      }
      --level;
    }
    if (level == 0 && !start) return (*steps)[0]->CreateNodeSet(context.Get(), context->GetNode(), errorFree);
    return (*steps)[level]->CreateNodeSet(context.Get(), node, errorFree);
  }
};

class CChildPathNodeSet final : public CCommonNodeSet {
public:
  CChildPathNodeSet(CPathParts parts, bool mayRaise) : m_parts(std::move(parts)), m_mayRaise(mayRaise) {}
  bool MayRaise() override { return m_mayRaise; }
  XInterface<CIterator> CreateIterator() override;

  CPathParts m_parts;
  bool m_mayRaise;
};

class CChildPathIterator final : public CCommonIterator {
public:
  explicit CChildPathIterator(CChildPathNodeSet* nodeSet)
      : CCommonIterator(nodeSet), m_parts(&nodeSet->m_parts), m_levels(nodeSet->m_parts.Size()) {
    Next();
  }

  ~CChildPathIterator() override {
    while (!m_levels.empty()) m_levels.pop_back();
  }

  void Next() override {
    Advance();
    CIterator* last = m_levels.back().Get();
    if (last) {
      m_node = last->GetNode();
      ++m_position;
    } else {
      m_node = nullptr;
      m_position = 0;
    }
  }

private:
  bool Stands(size_t level) const { return m_levels[level] && m_levels[level]->GetNode(); }

  void Open(size_t level) {
    Dom::XNode node = level > 0 ? m_levels[level - 1]->GetNode() : Dom::XNode();
    m_levels[level] = m_parts->Open(level, node)->CreateIterator();
  }

  // Moves the deepest level to its next node, refilling levels from the
  // ones above as they run out; all levels null when the path is exhausted.
  void Advance() {
    size_t last = m_levels.size() - 1;
    size_t level = last;
    bool advance = true;
    for (;;) {
      bool stands = false;
      if (advance && m_levels[level]) {
        m_levels[level]->Next();
        stands = Stands(level);
      }
      if (!stands) {
        m_levels[level] = nullptr;
        if (level > 0) {
          --level;
          advance = true;
          continue;
        }
        if (!m_first) return;
        m_first = false;
        Open(0);
        if (!Stands(0)) {
          m_levels[0] = nullptr;
          return;
        }
      }
      // level stands on a node: open the levels below it.
      for (;;) {
        if (level == last) return;
        ++level;
        Open(level);
        if (!Stands(level)) break;
      }
      advance = false;
    }
  }

  const CPathParts* m_parts;
  std::vector<XInterface<CIterator>> m_levels;
  bool m_first = true;
};

XInterface<CIterator> CChildPathNodeSet::CreateIterator() { return new CChildPathIterator(this); }

// ---- generic path ---------------------------------------------------------

// A set of node records by address: open addressing, linear probing.
class CNodeAddressSet {
public:
  // True when the node was not in the set yet.
  bool Insert(const Dom::CNode* node) {
    if ((m_count + 1) * 2 > m_slots.size()) Grow();
    size_t mask = m_slots.size() - 1;
    for (size_t i = Hash(node) & mask;; i = (i + 1) & mask) {
      if (!m_slots[i]) {
        m_slots[i] = node;
        ++m_count;
        return true;
      }
      if (m_slots[i] == node) return false;
    }
  }

private:
  static size_t Hash(const Dom::CNode* node) {
    uint64_t h = reinterpret_cast<uintptr_t>(node);
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    return static_cast<size_t>(h ^ (h >> 32));
  }
  void Grow() {
    std::vector<const Dom::CNode*> old(m_slots.empty() ? 16 : m_slots.size() * 2, nullptr);
    old.swap(m_slots);
    m_count = 0;
    for (const Dom::CNode* node : old) {
      if (node) Insert(node);
    }
  }

  std::vector<const Dom::CNode*> m_slots;
  size_t m_count = 0;
};

// The nodes of a path whose steps may leave document order or reach a node
// twice: every level is collected once, each new node of a level expanded
// into the next, and the last level sorted into document order.
class CGenericPathNodeSet final : public CCommonNodeSet {
public:
  CGenericPathNodeSet(CPathParts parts, bool mayRaise) : m_parts(std::move(parts)), m_mayRaise(mayRaise) {}

  int32_t GetCount() override {
    Compute();
    return static_cast<int32_t>(m_result.size());
  }
  bool MayRaise() override { return m_mayRaise; }
  // Without errors to surface, the walk may stop at the first node that
  // reaches the last level.
  bool HasNodes() override {
    if (m_computed || m_mayRaise) return GetCount() > 0;
    return Walk(nullptr);
  }
  XInterface<CIterator> CreateIterator() override;

private:
  friend class CGenericPathIterator;
  void Compute();
  // Collects the nodes of the last level into result, or with no result
  // answers whether there is one.
  bool Walk(std::vector<Dom::XNode>* result);

  CPathParts m_parts;
  bool m_mayRaise;
  bool m_computed = false;
  std::vector<Dom::XNode> m_result;
};

class CGenericPathIterator final : public CCommonIterator {
public:
  explicit CGenericPathIterator(CGenericPathNodeSet* nodeSet) : CCommonIterator(nodeSet), m_result(&nodeSet->m_result) {
    if (!m_result->empty()) {
      m_node = (*m_result)[0];
      m_position = 1;
    }
  }

  void Next() override {
    if (!m_node) return;
    if (static_cast<size_t>(m_position) < m_result->size()) {
      m_node = (*m_result)[m_position];
      ++m_position;
    } else {
      m_node = nullptr;
      m_position = 0;
    }
  }

private:
  const std::vector<Dom::XNode>* m_result;
};

XInterface<CIterator> CGenericPathNodeSet::CreateIterator() {
  Compute();
  return new CGenericPathIterator(this);
}

void CGenericPathNodeSet::Compute() {
  if (m_computed) return;
  std::vector<Dom::XNode> result;
  Walk(&result);
  Xpath::CDataSet* dataSet = m_parts.context->GetDataSet();
  auto before = [dataSet](const Dom::XNode& a, const Dom::XNode& b) { return dataSet->CompareDocumentOrder(a, b) < 0; };
  auto after = [dataSet](const Dom::XNode& a, const Dom::XNode& b) { return dataSet->CompareDocumentOrder(a, b) > 0; };
  if (!std::is_sorted(result.begin(), result.end(), before)) {
    // A reverse axis alone gives its nodes nearest first.
    if (std::is_sorted(result.begin(), result.end(), after)) std::reverse(result.begin(), result.end());
    else std::sort(result.begin(), result.end(), before);
  }
  m_result = std::move(result);
  m_computed = true;
}

bool CGenericPathNodeSet::Walk(std::vector<Dom::XNode>* result) {
  size_t size = m_parts.Size();
  const std::vector<uint8_t>& levels = m_parts.shape->levels;
  // Sets of the nodes met per level, made for the levels that need one.
  std::vector<CNodeAddressSet> seen;
  for (uint8_t flags : levels) {
    if (!(flags & CWalkShape::Distinct)) {
      seen.resize(size);
      break;
    }
  }

  // Depth first, as a loop: each node new to its level is expanded into the
  // next level before its own iterator moves on.
  struct CFrame {
    size_t level;
    XInterface<CIterator> iterator;
    bool moved;
  };
  std::vector<CFrame> stack;
  stack.reserve(size);  // one frame per level at most
  stack.push_back({0, m_parts.Open(0, Dom::XNode())->CreateIterator(), true});
  while (!stack.empty()) {
    CFrame& frame = stack.back();
    if (!frame.moved) frame.iterator->Next();
    frame.moved = false;
    Dom::XNode node = frame.iterator->GetNode();
    if (!node) {
      stack.pop_back();
      continue;
    }
    size_t level = frame.level;
    if (!(levels[level] & CWalkShape::Distinct) && !seen[level].Insert(node.Get())) continue;
    if (level + 1 == size) {
      if (!result) return true;
      result->push_back(std::move(node));
      continue;
    }
    if ((levels[level + 1] & CWalkShape::NeedsChildren) && !node->FirstChild()) continue;
    if ((levels[level + 1] & CWalkShape::NeedsElement) && node->GetNodeType() != Dom::ELEMENT_NODE) continue;
    XInterface<CIterator> next = m_parts.Open(level + 1, node)->CreateIterator();
    stack.push_back({level + 1, std::move(next), true});
  }
  return false;
}

// ---- union ----------------------------------------------------------------

class CUnionNodeSet final : public CCommonNodeSet {
public:
  explicit CUnionNodeSet(CContext* context) : m_context(context) {}
  XInterface<CIterator> CreateIterator() override;
  bool MayRaise() override {
    for (const XInterface<CNodeSet>& operand : m_operands) {
      if (operand->MayRaise()) return true;
    }
    return false;
  }
  bool HasNodes() override {
    if (m_count >= 0 || MayRaise()) return GetCount() > 0;
    for (const XInterface<CNodeSet>& operand : m_operands) {
      if (operand->HasNodes()) return true;
    }
    return false;
  }

  XInterface<CContext> m_context;
  std::vector<XInterface<CNodeSet>> m_operands;
};

class CUnionIterator final : public CCommonIterator {
public:
  explicit CUnionIterator(CUnionNodeSet* nodeSet)
      : CCommonIterator(nodeSet), m_dataSet(nodeSet->m_context->GetDataSet()) {
    m_iterators.reserve(nodeSet->m_operands.size());
    m_heads.reserve(nodeSet->m_operands.size());
    for (const XInterface<CNodeSet>& operand : nodeSet->m_operands) {
      m_iterators.push_back(operand->CreateIterator());
      m_heads.push_back(m_iterators.back()->GetNode());
    }
    Next();
  }

  void Next() override {
    size_t best = m_heads.size();
    for (size_t i = 0; i < m_heads.size(); ++i) {
      if (!m_heads[i]) continue;
      if (best == m_heads.size()) {
        best = i;
        continue;
      }
      int32_t c = m_heads[best] == m_heads[i] ? 0 : m_dataSet->CompareDocumentOrder(m_heads[best], m_heads[i]);
      if (c > 0) {
        best = i;
      } else if (c == 0) {
        m_iterators[i]->Next();
        m_heads[i] = m_iterators[i]->GetNode();
      }
    }
    if (best == m_heads.size()) {
      m_node = nullptr;
      m_position = 0;
      return;
    }
    m_node = m_heads[best];
    ++m_position;
    m_iterators[best]->Next();
    m_heads[best] = m_iterators[best]->GetNode();
  }

private:
  Xpath::CDataSet* m_dataSet;
  std::vector<XInterface<CIterator>> m_iterators;
  std::vector<Dom::XNode> m_heads;
};

XInterface<CIterator> CUnionNodeSet::CreateIterator() { return new CUnionIterator(this); }

// An operand that is not in document order (a host's node set) is put in
// order first, since the union merges ordered sequences.
XInterface<CNodeSet> InDocumentOrder(CContext* context, CNodeSet* nodeSet) {
  if (nodeSet->IsDocumentOrder()) return nodeSet;
  XInterface<Xpath::CNodeArray> array =
      context->GetXpathImplementation()->GetNodeArrayFactory()->CreateNodeArray(context->GetDataSet());
  for (XInterface<CIterator> it = nodeSet->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
    array->Insert(node);
  }
  return new CArrayNodeSet(array.Get());
}

} // namespace

namespace {

bool IsCoreFunction(const CFunctionCallExpr& call, std::initializer_list<const char16_t*> names) {
  if (!call.GetPrefix().empty()) return false;
  for (const char16_t* name : names) {
    if (call.GetLocalName() == name) return true;
  }
  return false;
}

// True when the value of expr cannot depend on the context position or
// size: no position() or last() outside the predicates of inner steps, and
// no function whose behaviour is unknown here.
bool IsPositionFree(const Xpath::CExpr* expr) {
  if (auto* binary = dynamic_cast<const CBinaryExpr*>(expr)) {
    // Chains are walked along their left operands without recursion.
    while (binary) {
      if (!IsPositionFree(binary->GetRight().Get())) return false;
      expr = binary->GetLeft().Get();
      binary = dynamic_cast<const CBinaryExpr*>(expr);
    }
    return IsPositionFree(expr);
  }
  if (auto* unary = dynamic_cast<const CUnaryExpr*>(expr)) return IsPositionFree(unary->GetOperand().Get());
  if (auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr)) {
    return !path->GetStart() || path->IsAbsolute() || IsPositionFree(path->GetStart().Get());
  }
  if (auto* filter = dynamic_cast<const CFilterExpr*>(expr)) return IsPositionFree(filter->GetPrimary().Get());
  if (auto* unionExpr = dynamic_cast<const CUnionExpr*>(expr)) {
    for (const XInterface<Xpath::CExpr>& operand : unionExpr->GetOperands()) {
      if (!IsPositionFree(operand.Get())) return false;
    }
    return true;
  }
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    // The host answers core names with the core functions.
    if (!IsCoreFunction(*call, {u"count", u"id", u"local-name", u"namespace-uri", u"name", u"string", u"concat",
                                u"starts-with", u"contains", u"substring-before", u"substring-after",
                                u"substring", u"string-length", u"normalize-space", u"translate", u"boolean",
                                u"not", u"true", u"false", u"lang", u"number", u"sum", u"floor", u"ceiling",
                                u"round"})) {
      return false;
    }
    for (const XInterface<Xpath::CExpr>& argument : call->GetArguments()) {
      if (!IsPositionFree(argument.Get())) return false;
    }
    return true;
  }
  return dynamic_cast<const CLiteralExpr*>(expr) || dynamic_cast<const CNumberExpr*>(expr) ||
         dynamic_cast<const CVariableReferenceExpr*>(expr);
}

// The value of expr when it is a number known without a context: number
// literals under unary minus and arithmetic, a few levels deep.
bool IsConstantNumber(const Xpath::CExpr* expr, Xpath::CNumber& out, int depth = 0) {
  if (depth > 8) return false;
  if (auto* number = dynamic_cast<const CNumberExpr*>(expr)) {
    out = number->GetValue();
    return true;
  }
  if (auto* unary = dynamic_cast<const CUnaryExpr*>(expr)) {
    if (!IsConstantNumber(unary->GetOperand().Get(), out, depth + 1)) return false;
    out = -out;
    return true;
  }
  bool additive = dynamic_cast<const CAdditiveExpr*>(expr);
  if (!additive && !dynamic_cast<const CMultiplicativeExpr*>(expr)) return false;
  auto* binary = static_cast<const CBinaryExpr*>(expr);
  Xpath::CNumber a, b;
  if (!IsConstantNumber(binary->GetLeft().Get(), a, depth + 1) ||
      !IsConstantNumber(binary->GetRight().Get(), b, depth + 1)) {
    return false;
  }
  switch (binary->GetCode() + (additive ? 0 : 2)) {
  case 0: out = a + b; break;
  case 1: out = a - b; break;
  case 2: out = a * b; break;
  case 3: out = a / b; break;
  default: out = a % b; break;
  }
  return true;
}

bool IsPositionCall(const Xpath::CExpr* expr) {
  auto* call = dynamic_cast<const CFunctionCallExpr*>(expr);
  return call && call->GetArguments().empty() && IsCoreFunction(*call, {u"position"});
}

// A bound as a last position: none below 1, and the 32-bit positions never
// pass the top of their range.
int32_t ClampPosition(double last) {
  if (!(last >= 1)) return 0;
  return last >= INT32_MAX ? INT32_MAX : static_cast<int32_t>(last);
}

// The greatest position a predicate of expr keeps, or -1 when that is not
// known without evaluating it.
int32_t LastKeptPosition(const Xpath::CExpr* expr) {
  Xpath::CNumber n;
  if (IsConstantNumber(expr, n)) {
    // Kept only where it equals the position.
    return n.Floor() == n ? ClampPosition(n.GetValue()) : 0;
  }
  auto* binary = dynamic_cast<const CBinaryExpr*>(expr);
  if (!binary) return -1;
  bool equality = dynamic_cast<const CEqualityExpr*>(expr);
  if (!equality && !dynamic_cast<const CRelationalExpr*>(expr)) return -1;
  // Codes: = 0; < 0, > 1, <= 2, >= 3; as if position() stood on the left.
  int32_t code = binary->GetCode();
  bool left = IsPositionCall(binary->GetLeft().Get()) && IsConstantNumber(binary->GetRight().Get(), n);
  if (!left) {
    if (!IsPositionCall(binary->GetRight().Get()) || !IsConstantNumber(binary->GetLeft().Get(), n)) return -1;
    if (!equality) code ^= 1;
  }
  if (equality) return code == 0 ? (n.Floor() == n ? ClampPosition(n.GetValue()) : 0) : -1;
  if (n.IsNaN()) return 0;
  switch (code) {
  case 0: return n.IsPositiveInfinity() ? -1 : ClampPosition(n.Ceiling().GetValue() - 1);
  case 2: return n.IsPositiveInfinity() ? -1 : ClampPosition(n.Floor().GetValue());
  default: return -1;
  }
}

struct CCoreSignature {
  const char16_t* name;
  size_t minArguments;
  size_t maxArguments;
  bool nodeSetArgument;
};

// The core functions: their argument counts and whether their argument must
// be a node set. Any other call may fail.
const CCoreSignature CoreSignatures[] = {
    {u"last", 0, 0, false},          {u"position", 0, 0, false},         {u"count", 1, 1, true},
    {u"id", 1, 1, false},            {u"local-name", 0, 1, true},        {u"namespace-uri", 0, 1, true},
    {u"name", 0, 1, true},           {u"string", 0, 1, false},           {u"concat", 2, SIZE_MAX, false},
    {u"starts-with", 2, 2, false},   {u"contains", 2, 2, false},         {u"substring-before", 2, 2, false},
    {u"substring-after", 2, 2, false}, {u"substring", 2, 3, false},      {u"string-length", 0, 1, false},
    {u"normalize-space", 0, 1, false}, {u"translate", 3, 3, false},      {u"boolean", 1, 1, false},
    {u"not", 1, 1, false},           {u"true", 0, 0, false},             {u"false", 0, 0, false},
    {u"lang", 1, 1, false},          {u"number", 0, 1, false},           {u"sum", 1, 1, true},
    {u"floor", 1, 1, false},         {u"ceiling", 1, 1, false},          {u"round", 1, 1, false},
};

const CCoreSignature* FindCoreSignature(Core::StringView name) {
  for (const CCoreSignature& signature : CoreSignatures) {
    if (name == signature.name) return &signature;
  }
  return nullptr;
}

// True when the value of expr is a node set whenever its evaluation succeeds
// and the conditions added hold.
bool IsNodeSetExpr(const Xpath::CExpr* expr, CRaiseConditions& conditions) {
  if (auto* variable = dynamic_cast<const CVariableReferenceExpr*>(expr)) {
    conditions.AddVariable(variable->GetPrefix(), variable->GetLocalName(), true);
    return true;
  }
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    if (IsCoreFunction(*call, {u"id"})) return true;
    // Another function without arguments may be a fixed one of the host.
    if (!call->GetPrefix().empty() || !call->GetArguments().empty() || FindCoreSignature(call->GetLocalName())) {
      return false;
    }
    conditions.AddFixedFunction(call->GetLocalName(), true);
    return true;
  }
  return dynamic_cast<const Xpath::CPathExpr*>(expr) || dynamic_cast<const CUnionExpr*>(expr) ||
         dynamic_cast<const CFilterExpr*>(expr) || dynamic_cast<const CRootExpr*>(expr) ||
         dynamic_cast<const Xpath::CStepExpr*>(expr);
}

bool IsStepErrorFree(const Xpath::CStepExpr& step, CRaiseConditions& conditions) {
  const Xpath::CNodeTest* test = step.GetNodeTest().Get();
  if (const Core::String* prefix = TestPrefix(test)) conditions.AddPrefix(*prefix);
  for (const XInterface<Xpath::CPredicate>& predicate : step.GetPredicates()) {
    if (!IsErrorFree(predicate->GetExpr().Get(), conditions)) return false;
  }
  return true;
}

} // namespace

bool IsErrorFree(const Xpath::CExpr* expr, CRaiseConditions& conditions) {
  if (auto* binary = dynamic_cast<const CBinaryExpr*>(expr)) {
    // Chains are walked along their left operands without recursion.
    while (binary) {
      if (!IsErrorFree(binary->GetRight().Get(), conditions)) return false;
      expr = binary->GetLeft().Get();
      binary = dynamic_cast<const CBinaryExpr*>(expr);
    }
    return IsErrorFree(expr, conditions);
  }
  if (auto* unary = dynamic_cast<const CUnaryExpr*>(expr)) return IsErrorFree(unary->GetOperand().Get(), conditions);
  if (dynamic_cast<const CLiteralExpr*>(expr) || dynamic_cast<const CNumberExpr*>(expr) ||
      dynamic_cast<const CRootExpr*>(expr)) {
    return true;
  }
  if (auto* variable = dynamic_cast<const CVariableReferenceExpr*>(expr)) {
    conditions.AddVariable(variable->GetPrefix(), variable->GetLocalName(), false);
    return true;
  }
  if (auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr)) {
    const Xpath::CExpr* start = path->GetStart().Get();
    if (start && !path->IsAbsolute() && !(IsNodeSetExpr(start, conditions) && IsErrorFree(start, conditions))) return false;
    for (const XInterface<Xpath::CStepExpr>& step : path->GetSteps()) {
      if (!IsStepErrorFree(*step, conditions)) return false;
    }
    return true;
  }
  if (auto* step = dynamic_cast<const Xpath::CStepExpr*>(expr)) return IsStepErrorFree(*step, conditions);
  if (auto* filter = dynamic_cast<const CFilterExpr*>(expr)) {
    const Xpath::CExpr* primary = filter->GetPrimary().Get();
    if (!IsErrorFree(primary, conditions)) return false;
    if (filter->GetPredicates().empty()) return true;
    if (!IsNodeSetExpr(primary, conditions)) return false;
    for (const XInterface<Xpath::CPredicate>& predicate : filter->GetPredicates()) {
      if (!IsErrorFree(predicate->GetExpr().Get(), conditions)) return false;
    }
    return true;
  }
  if (auto* unionExpr = dynamic_cast<const CUnionExpr*>(expr)) {
    for (const XInterface<Xpath::CExpr>& operand : unionExpr->GetOperands()) {
      if (!IsNodeSetExpr(operand.Get(), conditions) || !IsErrorFree(operand.Get(), conditions)) return false;
    }
    return true;
  }
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    if (!call->GetPrefix().empty()) return false;
    const auto& arguments = call->GetArguments();
    if (const CCoreSignature* signature = FindCoreSignature(call->GetLocalName())) {
      if (arguments.size() < signature->minArguments || arguments.size() > signature->maxArguments) return false;
      if (signature->nodeSetArgument && !arguments.empty() && !IsNodeSetExpr(arguments[0].Get(), conditions)) {
        return false;
      }
      for (const XInterface<Xpath::CExpr>& argument : arguments) {
        if (!IsErrorFree(argument.Get(), conditions)) return false;
      }
      return true;
    }
    if (!arguments.empty()) return false;
    conditions.AddFixedFunction(call->GetLocalName(), false);
    return true;
  }
  return false;
}

size_t CLeadingRaiseCheck::Count(CContext* context, const Xpath::CPredicateList& predicates) const {
  if (m_count < 0) {
    // Only the predicates before the last one of known positions matter,
    // and only when one of unknown positions comes before that.
    size_t end = 0;
    bool unknown = false;
    for (size_t i = 0; i < predicates.size(); ++i) {
      if (predicates[i]->GetLastPosition() < 0) unknown = true;
      else if (unknown) end = i;
    }
    m_count = 0;
    for (size_t i = 0; i < end; ++i) {
      CRaiseConditions trial = m_conditions;
      if (!IsErrorFree(predicates[i]->GetExpr().Get(), trial)) break;
      m_conditions = std::move(trial);
      ++m_count;
    }
  }
  if (m_count == 0 || !m_conditions.Hold(context)) return 0;
  return static_cast<size_t>(m_count);
}

void CRaiseConditions::AddPrefix(const Core::String& prefix) {
  if (std::find(m_prefixes.begin(), m_prefixes.end(), prefix) == m_prefixes.end()) m_prefixes.push_back(prefix);
}

void CRaiseConditions::Add(std::vector<CName>& names, const Core::String& prefix, const Core::String& localName,
                           bool nodeSet) {
  for (CName& name : names) {
    if (name.prefix == prefix && name.localName == localName) {
      name.nodeSet = name.nodeSet || nodeSet;
      return;
    }
  }
  names.push_back({prefix, localName, nodeSet});
}

void CRaiseConditions::AddVariable(const Core::String& prefix, const Core::String& localName, bool nodeSet) {
  Add(m_variables, prefix, localName, nodeSet);
}

void CRaiseConditions::AddFixedFunction(const Core::String& localName, bool nodeSet) {
  Add(m_functions, Core::String(), localName, nodeSet);
}

bool CRaiseConditions::Hold(CContext* context) const {
  if (!m_functions.empty()) {
    Xpath::CFunctionLibrary* functions = context->GetFunctionLibrary();
    for (const CName& function : m_functions) {
      using Xpath::CFunctionLibrary;
      CFunctionLibrary::EFixedCall call =
          functions ? functions->GetFixedCall(Core::StringView(), function.localName) : CFunctionLibrary::Varying;
      if (call == CFunctionLibrary::Varying || (function.nodeSet && call != CFunctionLibrary::FixedNodeSet)) {
        return false;
      }
    }
  }
  Xpath::CNamespaceDeclarationSet* namespaces = context->GetNamespaceDeclarationSet();
  Core::String uri;
  for (const Core::String& prefix : m_prefixes) {
    if (!namespaces || !namespaces->GetNamespaceUri(prefix, uri)) return false;
  }
  Xpath::CVariableBindingSet* bindings = context->GetVariableBindingSet();
  for (const CName& variable : m_variables) {
    uri.clear();
    if (!variable.prefix.empty() && (!namespaces || !namespaces->GetNamespaceUri(variable.prefix, uri))) return false;
    XInterface<CValue> value;
    try {
      if (bindings) value = bindings->PeekValue(uri, variable.localName);
    } catch (const Core::IException&) {
      // A host that fails to give the value now fails where the reference
      // is evaluated, if it is.
      return false;
    }
    if (!value) return false;
    int32_t type = value->GetType();
    if (type == CValue::NodeSetType) {
      if (!value->GetNodeSet() || value->GetNodeSet()->MayRaise()) return false;
    } else if (variable.nodeSet || type > CValue::StringType) {
      return false;
    }
  }
  return true;
}

bool IsPositionFreeTest(const Xpath::CExpr* expr) {
  // A number would be compared with the position.
  bool neverNumber = dynamic_cast<const CBinaryExpr*>(expr) && !dynamic_cast<const CAdditiveExpr*>(expr) &&
                     !dynamic_cast<const CMultiplicativeExpr*>(expr);
  neverNumber = neverNumber || dynamic_cast<const Xpath::CPathExpr*>(expr) || dynamic_cast<const CUnionExpr*>(expr) ||
                dynamic_cast<const CLiteralExpr*>(expr);
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    neverNumber = IsCoreFunction(*call, {u"not", u"boolean", u"true", u"false", u"lang", u"contains", u"starts-with",
                                         u"string", u"concat", u"normalize-space", u"id"});
  }
  return neverNumber && IsPositionFree(expr);
}

XInterface<CNodeSet> CreateNodeTestNodeSet(CContext* context, const XInterface<CNodeSet>& source,
                                           const XInterface<Xpath::CNodeTest>& nodeTest) {
  // node() keeps every node.
  if (nodeTest->GetKind() == Xpath::CNodeTest::Node) return source;
  return new CNodeTestNodeSet(context, source, nodeTest);
}

XInterface<CNodeSet> CreatePredicateNodeSet(CContext* context, const XInterface<CNodeSet>& source,
                                            const Core::CInterface* owner, const Xpath::CPredicateList& predicates,
                                            bool mayRaise, size_t errorFreeLevels) {
  if (predicates.empty()) return source;
  XInterface<CPredicateChain> chain =
      new CPredicateChain(context, source, owner, predicates, mayRaise, errorFreeLevels);
  return new CPredicateNodeSet(chain.Get(), predicates.size());
}

XInterface<CValue> CFilterExpr::Evaluate(CContext* outer) const {
  if (m_predicates.empty()) return m_primary->Evaluate(outer);
  XInterface<CContext> scope = CEvaluationCache::Scope(outer, m_keptCheck.Needed(this, outer));
  CContext* context = scope.Get();
  XInterface<CValue> value = m_primary->Evaluate(context);
  XInterface<CNodeSet> source = RequireNodeSet(*value);
  bool predicatesMayRaise = m_raiseCheck.MayRaise(context, [this](CRaiseConditions& conditions) {
    for (const XInterface<Xpath::CPredicate>& predicate : m_predicates) {
      if (!IsErrorFree(predicate->GetExpr().Get(), conditions)) return false;
    }
    return true;
  });
  bool mayRaise = source->MayRaise() || predicatesMayRaise;
  return new Xpath::CNodeSetValue(CreatePredicateNodeSet(context, source, this, m_predicates, mayRaise,
                                                         predicatesMayRaise ? 0 : m_predicates.size()));
}

XInterface<CValue> CRootExpr::Evaluate(CContext* context) const {
  Dom::XNode node = context->GetNode();
  return new Xpath::CNodeSetValue(XInterface<CNodeSet>(new CSingleNodeSet(node ? node->GetOwnerDocument() : node)));
}

XInterface<CValue> CUnionExpr::Evaluate(CContext* outer) const {
  // One cache for the operands, which often share their kept operands.
  XInterface<CContext> scope = CEvaluationCache::Scope(outer, m_keptCheck.Needed(this, outer));
  CContext* context = scope.Get();
  XInterface<CUnionNodeSet> nodeSet = new CUnionNodeSet(context);
  for (const XInterface<Xpath::CExpr>& operand : m_operands) {
    XInterface<CValue> value = operand->Evaluate(context);
    nodeSet->m_operands.push_back(InDocumentOrder(context, RequireNodeSet(*value)));
  }
  return new Xpath::CNodeSetValue(XInterface<CNodeSet>(nodeSet));
}

} // namespace XpathPrivate

namespace Xpath {

using Core::XInterface;

CPredicate::CPredicate(const XInterface<CExpr>& expr)
    : m_expr(expr),
      m_lastPosition(XpathPrivate::LastKeptPosition(expr.Get())),
      m_condition(XpathPrivate::CNodeCondition::Of(expr.Get())) {}

CPredicate::~CPredicate() { XpathPrivate::ReleaseExpr(m_expr); }

bool CPredicate::Test(CContext* context) const {
  // Without a function library the calls fail as the general evaluation
  // makes them.
  if (m_condition && context->GetFunctionLibrary()) return m_condition->Test(context, context->GetNode().Get());
  XInterface<CValue> value = m_site.Evaluate(m_expr.Get(), context);
  if (value->GetType() == CValue::NumberType) return value->GetNumber() == CNumber(context->GetPosition());
  return CValueConverter(context).ToBoolean(*value);
}

XInterface<CNodeSet> CStepExpr::CreateNodeSet(CContext* context, const Dom::XNode& node, bool errorFree) const {
  if (!node) return new XpathPrivate::CSingleNodeSet(Dom::XNode());
  XInterface<CNodeSet> nodeSet = m_axis->CreateNodeSet(node);
  nodeSet = XpathPrivate::CreateNodeTestNodeSet(context, nodeSet, m_nodeTest);
  if (m_predicates.empty()) return nodeSet;
  size_t errorFreeLevels = errorFree ? m_predicates.size() : m_leadingCheck.Count(context, m_predicates);
  return XpathPrivate::CreatePredicateNodeSet(context, nodeSet, this, m_predicates, true, errorFreeLevels);
}

XInterface<CValue> CStepExpr::Evaluate(CContext* context) const {
  XInterface<CContext> scope = XpathPrivate::CEvaluationCache::Scope(context, m_keptCheck.Needed(this, context));
  return new CNodeSetValue(CreateNodeSet(scope.Get(), context->GetNode()));
}

CPathExpr::CPathExpr(const XInterface<CExpr>& start)
    : m_startIsRoot(dynamic_cast<const XpathPrivate::CRootExpr*>(start.Get()) != nullptr), m_start(start) {}

CPathExpr::CPathExpr(bool absolute) : m_startIsRoot(absolute), m_absolute(absolute) {
  if (absolute) m_start = new XpathPrivate::CRootExpr();
}

void CPathExpr::AddStep(const XInterface<CStepExpr>& step) {
  m_steps.push_back(step);
  if (!m_plan.empty() && step->GetAxisCode() == CAxis::Child) {
    const CStepExpr& last = *m_plan.back();
    bool positionFree = true;
    for (const XInterface<CPredicate>& predicate : step->GetPredicates()) {
      positionFree = positionFree && XpathPrivate::IsPositionFreeTest(predicate->GetExpr().Get());
    }
    if (positionFree && last.GetAxisCode() == CAxis::DescendantOrSelf &&
        last.GetNodeTest()->GetKind() == CNodeTest::Node && last.GetPredicates().empty()) {
      XInterface<CStepExpr> descendant = new CStepExpr(new XpathPrivate::CDescendantAxis(), step->GetNodeTest());
      for (const XInterface<CPredicate>& predicate : step->GetPredicates()) descendant->AddPredicate(predicate);
      m_plan.back() = descendant;
      return;
    }
  }
  m_plan.push_back(step);
}

bool CPathExpr::IsGeneral(const std::vector<XInterface<CStepExpr>>& steps, bool exact) const {
  if (m_start && !m_absolute) return true;
  size_t i = 0;
  if (!exact) {
    // From the one context (or root) node, self and parent steps keep one
    // node, and one more step on a forward axis gives document order.
    while (i < steps.size() &&
           (steps[i]->GetAxisCode() == CAxis::Self || steps[i]->GetAxisCode() == CAxis::Parent)) {
      ++i;
    }
    if (i + 1 == steps.size()) {
      switch (steps[i]->GetAxisCode()) {
      case CAxis::Ancestor:
      case CAxis::AncestorOrSelf:
      case CAxis::Preceding:
      case CAxis::PrecedingSibling:
        return true;
      default:
        return false;
      }
    }
  }
  for (; i < steps.size(); ++i) {
    switch (steps[i]->GetAxisCode()) {
    case CAxis::Child:
    case CAxis::Self:
      break;
    case CAxis::Descendant:
    case CAxis::Attribute:
    case CAxis::DescendantOrSelf:
      if (i + 1 < steps.size()) return true;
      break;
    case CAxis::Namespace:
      // Shared namespace nodes: from more than one element only a collected
      // walk gives each once.
      if (i > 0) return true;
      break;
    default:
      return true;
    }
  }
  return false;
}

XpathPrivate::CWalkShape CPathExpr::ShapeOf(const std::vector<XInterface<CStepExpr>>& steps, bool exact) const {
  XpathPrivate::CWalkShape shape;
  shape.general = IsGeneral(steps, exact);
  using XpathPrivate::CWalkShape;
  // A level needs no check for nodes reached twice when it is the first, or
  // when its step goes down one level (or stays) from the distinct nodes of
  // the level above. Steps that need children are skipped for nodes without.
  size_t offset = m_start ? 1 : 0;
  size_t size = steps.size() + offset;
  shape.levels.assign(size, 0);
  if (size == 0) return shape;
  // Any axis from one node gives distinct nodes.
  bool single = m_start && m_startIsRoot;
  shape.levels[0] = CWalkShape::Distinct;
  for (size_t level = 1; level < size; ++level) {
    int32_t axis = steps[level - offset]->GetAxisCode();
    // Not the namespace axis: elements that declare nothing share the
    // namespace nodes of the element that declared them.
    bool distinct = single || ((shape.levels[level - 1] & CWalkShape::Distinct) &&
                               (axis == CAxis::Child || axis == CAxis::Attribute || axis == CAxis::Self));
    single = single && (axis == CAxis::Self || axis == CAxis::Parent);
    uint8_t flags = distinct ? CWalkShape::Distinct : 0;
    if (axis == CAxis::Child || axis == CAxis::Descendant) flags |= CWalkShape::NeedsChildren;
    if (axis == CAxis::Attribute || axis == CAxis::Namespace) flags |= CWalkShape::NeedsElement;
    shape.levels[level] = flags;
  }
  return shape;
}

XInterface<CValue> CPathExpr::Evaluate(CContext* outer) const {
  XInterface<CContext> scope = XpathPrivate::CEvaluationCache::Scope(outer, m_keptCheck.Needed(this, outer));
  CContext* context = scope.Get();
  bool mayRaise = m_raiseCheck.MayRaise(
      context, [this](XpathPrivate::CRaiseConditions& conditions) { return XpathPrivate::IsErrorFree(this, conditions); });
  // A general path brings the errors of all its nodes forward to its first
  // one; a path that cannot raise is free to walk as it goes wherever that
  // gives document order, and to take its shorter plan.
  const std::vector<XInterface<CStepExpr>>& steps = mayRaise ? m_steps : m_plan;
  if (!m_shapes) m_shapes.reset(new CShapes{ShapeOf(m_steps, true), ShapeOf(m_plan, false)});
  const XpathPrivate::CWalkShape& shape = mayRaise ? m_shapes->steps : m_shapes->plan;
  XpathPrivate::CPathParts parts{context, m_start, &steps, const_cast<CPathExpr*>(this), &shape, !mayRaise};
  XInterface<CNodeSet> nodeSet;
  if (shape.general) nodeSet = new XpathPrivate::CGenericPathNodeSet(std::move(parts), mayRaise);
  else nodeSet = new XpathPrivate::CChildPathNodeSet(std::move(parts), mayRaise);
  return new CNodeSetValue(nodeSet);
}

} // namespace Xpath
