#pragma once
// The expressions that produce node sets: location paths, steps, filters with
// predicates, the root expression and the union. Evaluating one returns at
// once a node set that remembers its context and sub-expressions; nodes are
// produced as the consumer iterates, so errors of sub-expressions surface
// when the set is first iterated or counted.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Interface.h"
#include "xml/tree/Dom.h"
#include "xpath/Axis.h"
#include "xpath/ContextDependence.h"
#include "xpath/Expr.h"
#include "xpath/NodeCondition.h"
#include "xpath/NodeSet.h"
#include "xpath/NodeTest.h"

namespace Xpath {
class CPredicate;
}

namespace XpathPrivate {

// What an expression that raises no error of its own still needs from the
// context: its prefixes declared, its variables bound to values of the
// four XPath types, a node set where one is required, and no node set that
// may raise itself, and the functions it calls without arguments outside
// the core library fixed functions of the host, of node sets where one is
// required.
class CRaiseConditions {
public:
  void AddPrefix(const Core::String& prefix);
  void AddVariable(const Core::String& prefix, const Core::String& localName, bool nodeSet);
  void AddFixedFunction(const Core::String& localName, bool nodeSet);
  bool Hold(Xpath::CContext* context) const;

private:
  // A variable or a function.
  struct CName {
    Core::String prefix;
    Core::String localName;
    bool nodeSet;
  };
  static void Add(std::vector<CName>& names, const Core::String& prefix, const Core::String& localName, bool nodeSet);
  std::vector<Core::String> m_prefixes;
  std::vector<CName> m_variables;
  std::vector<CName> m_functions;
};

// How many leading predicates of a list raise no error: worked out once
// from the predicates, and their conditions checked at each evaluation.
// Asked only of lists where a predicate of known positions follows one of
// unknown positions, where knowing it lets a walk stop early.
class CLeadingRaiseCheck {
public:
  size_t Count(Xpath::CContext* context, const std::vector<Core::XInterface<Xpath::CPredicate>>& predicates) const;

private:
  mutable int32_t m_count = -1;  // -1 until worked out
  mutable CRaiseConditions m_conditions;
};

// Whether walking the nodes of an expression's value may raise an error:
// worked out once from the expression, and its conditions checked at each
// evaluation.
class CRaiseCheck {
public:
  // analyse(conditions) tells whether the expression is free of errors when
  // the conditions it adds hold.
  template <class F>
  bool MayRaise(Xpath::CContext* context, F analyse) const {
    if (m_state < 0) m_state = analyse(m_conditions) ? 1 : 0;
    return m_state == 0 || !m_conditions.Hold(context);
  }

private:
  mutable int8_t m_state = -1;
  mutable CRaiseConditions m_conditions;
};

// How a path's nodes are produced from one list of steps, read from the
// steps alone: collected and sorted (general) or walked as nested
// iterators, and for a collecting walk, per level (the start, when there is
// one, is level 0): whether its nodes are distinct without a check, and
// whether a node leads anywhere without children or without being an
// element.
struct CWalkShape {
  enum : uint8_t { Distinct = 1, NeedsChildren = 2, NeedsElement = 4 };
  bool general = false;
  std::vector<uint8_t> levels;
};

} // namespace XpathPrivate

namespace Xpath {

class CPredicate : public Core::CInterface {
public:
  explicit CPredicate(const Core::XInterface<CExpr>& expr);
  ~CPredicate() override;

  // A number is compared with the context position; any other value is
  // converted to a boolean.
  bool Test(CContext* context) const;
  const Core::XInterface<CExpr>& GetExpr() const { return m_expr; }
  // The greatest context position the predicate can keep, known without a
  // context for a constant number and for position() compared with one
  // (0: it keeps none); -1 when unknown. Evaluating such a predicate never
  // raises, so a walk may stop once the positions pass it.
  int32_t GetLastPosition() const { return m_lastPosition; }

private:
  Core::XInterface<CExpr> m_expr;
  int32_t m_lastPosition;
  XpathPrivate::COperandSite m_site;
  // The expression as a test of the context node, when it is one.
  std::unique_ptr<XpathPrivate::CNodeCondition> m_condition;
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
  // errorFree: the caller knows that no predicate raises in this context.
  Core::XInterface<CNodeSet> CreateNodeSet(CContext* context, const Dom::XNode& node, bool errorFree = false) const;

private:
  Core::XInterface<CAxis> m_axis;
  Core::XInterface<CNodeTest> m_nodeTest;
  CPredicateList m_predicates;
  XpathPrivate::CKeptOperandsCheck m_keptCheck;
  XpathPrivate::CLeadingRaiseCheck m_leadingCheck;
};

class CPathExpr : public CExpr {
public:
  // A path that continues a filter expression.
  explicit CPathExpr(const Core::XInterface<CExpr>& start);
  // true: an absolute path (its start is the root); false: a relative one.
  explicit CPathExpr(bool absolute);

  void AddStep(const Core::XInterface<CStepExpr>& step);
  bool IsAbsolute() const { return m_absolute; }
  const Core::XInterface<CExpr>& GetStart() const { return m_start; }
  const std::vector<Core::XInterface<CStepExpr>>& GetSteps() const { return m_steps; }

  Core::XInterface<CValue> Evaluate(CContext* context) const override;

private:
  // True when the nodes are collected and sorted rather than walked as
  // nested iterators. exact: only by the shapes that guarantee document
  // order from any start.
  bool IsGeneral(const std::vector<Core::XInterface<CStepExpr>>& steps, bool exact) const;
  XpathPrivate::CWalkShape ShapeOf(const std::vector<Core::XInterface<CStepExpr>>& steps, bool exact) const;

  // The shapes of the written steps (walked when errors may arise) and of
  // the plan, worked out at the first evaluation: the steps are complete
  // by then and never change. Paths never evaluated carry only the pointer.
  struct CShapes {
    XpathPrivate::CWalkShape steps;
    XpathPrivate::CWalkShape plan;
  };
  mutable std::unique_ptr<const CShapes> m_shapes;
  bool m_startIsRoot = false;

  XpathPrivate::CRaiseCheck m_raiseCheck;
  XpathPrivate::CKeptOperandsCheck m_keptCheck;
  Core::XInterface<CExpr> m_start;
  bool m_absolute = false;
  std::vector<Core::XInterface<CStepExpr>> m_steps;
  // The steps evaluated when no error can arise: the written ones, except
  // that // followed by a child step whose predicates do not depend on
  // position is one descendant step, which selects the same nodes without
  // collecting them.
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
  CRaiseCheck m_raiseCheck;
  CKeptOperandsCheck m_keptCheck;
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
  CKeptOperandsCheck m_keptCheck;
};

// True when a predicate of expr keeps the same nodes whatever the context
// position and size: its value is never a number and never depends on them.
bool IsPositionFreeTest(const Xpath::CExpr* expr);

// True when evaluating expr, and walking the nodes of its value, raise no
// error once the conditions added hold. Functions outside the core library
// may fail; so may a value that is not a node set where one is required.
bool IsErrorFree(const Xpath::CExpr* expr, CRaiseConditions& conditions);

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
// iterator per predicate. mayRaise false promises that neither the source
// nor the predicates raise; errorFreeLevels is the number of leading
// predicates known to raise nothing.
Core::XInterface<Xpath::CNodeSet> CreatePredicateNodeSet(Xpath::CContext* context,
                                                         const Core::XInterface<Xpath::CNodeSet>& source,
                                                         const Core::CInterface* owner,
                                                         const Xpath::CPredicateList& predicates,
                                                         bool mayRaise = true, size_t errorFreeLevels = 0);

} // namespace XpathPrivate
