#pragma once
// The expressions that produce node sets: location paths, steps, filters with
// predicates, the root expression and the union. Evaluating one returns at
// once a node set that remembers its context and sub-expressions; nodes are
// produced as the consumer iterates, so errors of sub-expressions surface
// when the set is first iterated or counted.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "xml/tree/Dom.h"
#include "xpath/Axis.h"
#include "xpath/Expr.h"
#include "xpath/NodeSet.h"
#include "xpath/NodeTest.h"

namespace Xpath {

class CPredicate : public Core::CInterface {
public:
  explicit CPredicate(const Core::XInterface<CExpr>& expr) : m_expr(expr) {}
  ~CPredicate() override;

  // A number is compared with the context position; any other value is
  // converted to a boolean.
  bool Test(CContext* context) const;
  const Core::XInterface<CExpr>& GetExpr() const { return m_expr; }

private:
  Core::XInterface<CExpr> m_expr;
};

using CPredicateList = std::vector<Core::XInterface<CPredicate>>;

class CStepExpr : public CExpr {
public:
  CStepExpr(const Core::XInterface<CAxis>& axis, const Core::XInterface<CNodeTest>& nodeTest)
      : m_axis(axis), m_nodeTest(nodeTest) {}

  void AddPredicate(const Core::XInterface<CPredicate>& predicate) { m_predicates.push_back(predicate); }
  int32_t GetAxisCode() const { return m_axis->GetAxisCode(); }
  const Core::XInterface<CAxis>& GetAxis() const { return m_axis; }
  const Core::XInterface<CNodeTest>& GetNodeTest() const { return m_nodeTest; }
  const CPredicateList& GetPredicates() const { return m_predicates; }

  Core::XInterface<CValue> Evaluate(CContext* context) const override;
  // The step's node set from node; context supplies only the host
  // interfaces (prefixes of the node test, the predicates' functions).
  Core::XInterface<CNodeSet> CreateNodeSet(CContext* context, const Dom::XNode& node) const;

private:
  Core::XInterface<CAxis> m_axis;
  Core::XInterface<CNodeTest> m_nodeTest;
  CPredicateList m_predicates;
};

class CPathExpr : public CExpr {
public:
  // A path that continues a filter expression.
  explicit CPathExpr(const Core::XInterface<CExpr>& start) : m_start(start) {}
  // true: an absolute path (its start is the root); false: a relative one.
  explicit CPathExpr(bool absolute);

  void AddStep(const Core::XInterface<CStepExpr>& step);
  bool IsAbsolute() const { return m_absolute; }
  const Core::XInterface<CExpr>& GetStart() const { return m_start; }
  const std::vector<Core::XInterface<CStepExpr>>& GetSteps() const { return m_steps; }

  Core::XInterface<CValue> Evaluate(CContext* context) const override;

private:
  bool IsGeneral() const;

  Core::XInterface<CExpr> m_start;
  bool m_absolute = false;
  std::vector<Core::XInterface<CStepExpr>> m_steps;
  // The steps evaluated: the written ones, except that // followed by a
  // child step whose predicates do not depend on position is one
  // descendant step, which selects the same nodes without collecting them.
  std::vector<Core::XInterface<CStepExpr>> m_plan;
};

} // namespace Xpath

namespace XpathPrivate {

class CFilterExpr final : public Xpath::CExpr {
public:
  explicit CFilterExpr(const Core::XInterface<Xpath::CExpr>& primary) : m_primary(primary) {}

  void AddPredicate(const Core::XInterface<Xpath::CPredicate>& predicate) { m_predicates.push_back(predicate); }
  const Core::XInterface<Xpath::CExpr>& GetPrimary() const { return m_primary; }
  const Xpath::CPredicateList& GetPredicates() const { return m_predicates; }

  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;

private:
  Core::XInterface<Xpath::CExpr> m_primary;
  Xpath::CPredicateList m_predicates;
};

class CRootExpr final : public Xpath::CExpr {
public:
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
};

class CUnionExpr final : public Xpath::CExpr {
public:
  void AddOperand(const Core::XInterface<Xpath::CExpr>& operand) { m_operands.push_back(operand); }
  const std::vector<Core::XInterface<Xpath::CExpr>>& GetOperands() const { return m_operands; }

  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;

private:
  std::vector<Core::XInterface<Xpath::CExpr>> m_operands;
};

// True when a predicate of expr keeps the same nodes whatever the context
// position and size: its value is never a number and never depends on them.
bool IsPositionFreeTest(const Xpath::CExpr* expr);

// The node set of a value that must be one; raises Xpath::CXpathException
// when the value is of another type.
Xpath::CNodeSet* RequireNodeSet(const Xpath::CValue& value);

// The nodes of source that pass the node test.
Core::XInterface<Xpath::CNodeSet> CreateNodeTestNodeSet(Xpath::CContext* context,
                                                        const Core::XInterface<Xpath::CNodeSet>& source,
                                                        const Core::XInterface<Xpath::CNodeTest>& nodeTest);

// The nodes of source kept by the predicates in order; owner keeps the
// predicate list alive. Each predicate sees positions among the nodes the
// previous one kept. Long chains are filtered in one loop, not one nested
// iterator per predicate.
Core::XInterface<Xpath::CNodeSet> CreatePredicateNodeSet(Xpath::CContext* context,
                                                         const Core::XInterface<Xpath::CNodeSet>& source,
                                                         const Core::CInterface* owner,
                                                         const Xpath::CPredicateList& predicates);

} // namespace XpathPrivate
