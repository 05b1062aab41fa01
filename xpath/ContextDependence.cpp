#include "xpath/ContextDependence.h"

#include <algorithm>

#include "xpath/EvaluationCache.h"
#include "xpath/OperatorExpr.h"
#include "xpath/PathExpr.h"
#include "xpath/PrimaryExpr.h"

namespace XpathPrivate {

using Core::XInterface;

namespace {

EDependence Max(EDependence a, EDependence b) { return std::max(a, b); }

// The core functions whose value depends on their arguments alone. The
// host answers core names with the core functions. Without arguments the
// string and name functions read the context node; last(), position(),
// lang() and id() always read the context.
bool IsContextFreeCall(const CFunctionCallExpr& call) {
  if (!call.GetPrefix().empty()) return false;
  static const char16_t* const always[] = {
      u"count",   u"concat", u"starts-with", u"contains", u"substring-before", u"substring-after",
      u"substring", u"translate", u"boolean", u"not",   u"true", u"false", u"sum", u"floor", u"ceiling", u"round",
  };
  static const char16_t* const withArgument[] = {
      u"local-name", u"namespace-uri", u"name", u"string", u"string-length", u"normalize-space", u"number",
  };
  const Core::String& name = call.GetLocalName();
  for (const char16_t* n : always) {
    if (name == n) return true;
  }
  if (call.GetArguments().empty()) return false;
  for (const char16_t* n : withArgument) {
    if (name == n) return true;
  }
  return false;
}

bool IsKept(EDependence d) { return d == ContextFree || d == DocumentDependent; }

bool HasKeptOperands(const Xpath::CExpr* expr, bool inPredicate);

bool PredicatesKeep(const Xpath::CPredicateList& predicates) {
  for (const XInterface<Xpath::CPredicate>& predicate : predicates) {
    if (HasKeptOperands(predicate->GetExpr().Get(), true)) return true;
  }
  return false;
}

bool HasKeptOperands(const Xpath::CExpr* expr, bool inPredicate) {
  if (inPredicate && IsKept(DependenceOf(expr))) return true;
  if (auto* binary = dynamic_cast<const CBinaryExpr*>(expr)) {
    // Chains are walked along their left operands without recursion.
    while (binary) {
      if (HasKeptOperands(binary->GetRight().Get(), inPredicate)) return true;
      expr = binary->GetLeft().Get();
      binary = dynamic_cast<const CBinaryExpr*>(expr);
    }
    return HasKeptOperands(expr, inPredicate);
  }
  if (auto* unary = dynamic_cast<const CUnaryExpr*>(expr)) return HasKeptOperands(unary->GetOperand().Get(), inPredicate);
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    for (const XInterface<Xpath::CExpr>& argument : call->GetArguments()) {
      if (HasKeptOperands(argument.Get(), inPredicate)) return true;
    }
    return false;
  }
  if (auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr)) {
    if (path->GetStart() && !path->IsAbsolute() && HasKeptOperands(path->GetStart().Get(), inPredicate)) return true;
    for (const XInterface<Xpath::CStepExpr>& step : path->GetSteps()) {
      if (PredicatesKeep(step->GetPredicates())) return true;
    }
    return false;
  }
  if (auto* step = dynamic_cast<const Xpath::CStepExpr*>(expr)) return PredicatesKeep(step->GetPredicates());
  if (auto* filter = dynamic_cast<const CFilterExpr*>(expr)) {
    return HasKeptOperands(filter->GetPrimary().Get(), inPredicate) || PredicatesKeep(filter->GetPredicates());
  }
  if (auto* unionExpr = dynamic_cast<const CUnionExpr*>(expr)) {
    for (const XInterface<Xpath::CExpr>& operand : unionExpr->GetOperands()) {
      if (HasKeptOperands(operand.Get(), inPredicate)) return true;
    }
  }
  return false;
}

} // namespace

EDependence DependenceOf(const Xpath::CExpr* expr) {
  if (auto* binary = dynamic_cast<const CBinaryExpr*>(expr)) {
    EDependence d = Constant;
    // Chains are walked along their left operands without recursion.
    while (binary && d != ContextDependent) {
      d = Max(d, DependenceOf(binary->GetRight().Get()));
      expr = binary->GetLeft().Get();
      binary = dynamic_cast<const CBinaryExpr*>(expr);
    }
    return d == ContextDependent ? d : Max(d, DependenceOf(expr));
  }
  if (auto* unary = dynamic_cast<const CUnaryExpr*>(expr)) return DependenceOf(unary->GetOperand().Get());
  if (dynamic_cast<const CLiteralExpr*>(expr) || dynamic_cast<const CNumberExpr*>(expr)) return Constant;
  if (dynamic_cast<const CVariableReferenceExpr*>(expr)) return ContextFree;
  if (dynamic_cast<const CRootExpr*>(expr)) return DocumentDependent;
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    if (!IsContextFreeCall(*call)) return ContextDependent;
    EDependence d = ContextFree;
    for (const XInterface<Xpath::CExpr>& argument : call->GetArguments()) {
      d = Max(d, DependenceOf(argument.Get()));
      if (d == ContextDependent) break;
    }
    return d;
  }
  // The steps and predicates of a path or filter see the nodes of its start
  // or primary, not the context.
  if (auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr)) {
    if (path->IsAbsolute()) return DocumentDependent;
    if (!path->GetStart()) return ContextDependent;
    return Max(ContextFree, DependenceOf(path->GetStart().Get()));
  }
  if (auto* filter = dynamic_cast<const CFilterExpr*>(expr)) {
    return Max(ContextFree, DependenceOf(filter->GetPrimary().Get()));
  }
  if (auto* unionExpr = dynamic_cast<const CUnionExpr*>(expr)) {
    EDependence d = ContextFree;
    for (const XInterface<Xpath::CExpr>& operand : unionExpr->GetOperands()) {
      d = Max(d, DependenceOf(operand.Get()));
      if (d == ContextDependent) break;
    }
    return d;
  }
  return ContextDependent;
}

bool HasKeptOperands(const Xpath::CExpr* expr) { return HasKeptOperands(expr, false); }

namespace {

bool PredicatesReadVariables(const Xpath::CPredicateList& predicates) {
  for (const XInterface<Xpath::CPredicate>& predicate : predicates) {
    if (ReadsVariables(predicate->GetExpr().Get())) return true;
  }
  return false;
}

} // namespace

bool ReadsVariables(const Xpath::CExpr* expr) {
  if (!expr) return false;
  if (auto* binary = dynamic_cast<const CBinaryExpr*>(expr)) {
    // Chains are walked along their left operands without recursion.
    while (binary) {
      if (ReadsVariables(binary->GetRight().Get())) return true;
      expr = binary->GetLeft().Get();
      binary = dynamic_cast<const CBinaryExpr*>(expr);
    }
    return ReadsVariables(expr);
  }
  if (dynamic_cast<const CVariableReferenceExpr*>(expr)) return true;
  if (dynamic_cast<const CLiteralExpr*>(expr) || dynamic_cast<const CNumberExpr*>(expr) ||
      dynamic_cast<const CRootExpr*>(expr)) {
    return false;
  }
  if (auto* unary = dynamic_cast<const CUnaryExpr*>(expr)) return ReadsVariables(unary->GetOperand().Get());
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    for (const XInterface<Xpath::CExpr>& argument : call->GetArguments()) {
      if (ReadsVariables(argument.Get())) return true;
    }
    return false;
  }
  if (auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr)) {
    if (ReadsVariables(path->GetStart().Get())) return true;
    for (const XInterface<Xpath::CStepExpr>& step : path->GetSteps()) {
      if (PredicatesReadVariables(step->GetPredicates())) return true;
    }
    return false;
  }
  if (auto* step = dynamic_cast<const Xpath::CStepExpr*>(expr)) return PredicatesReadVariables(step->GetPredicates());
  if (auto* filter = dynamic_cast<const CFilterExpr*>(expr)) {
    return ReadsVariables(filter->GetPrimary().Get()) || PredicatesReadVariables(filter->GetPredicates());
  }
  if (auto* unionExpr = dynamic_cast<const CUnionExpr*>(expr)) {
    for (const XInterface<Xpath::CExpr>& operand : unionExpr->GetOperands()) {
      if (ReadsVariables(operand.Get())) return true;
    }
    return false;
  }
  return true;
}

XInterface<Xpath::CValue> COperandSite::Evaluate(const Xpath::CExpr* operand, Xpath::CContext* context,
                                                 bool& kept) const {
  kept = false;
  CEvaluationCache* cache = context->GetEvaluationCache();
  if (!cache) return operand->Evaluate(context);
  if (m_dependence < 0) m_dependence = DependenceOf(operand);
  if (!IsKept(EDependence(m_dependence))) return operand->Evaluate(context);
  if (cache->IsLasting()) {
    if (m_readsVariables < 0) m_readsVariables = ReadsVariables(operand) ? 1 : 0;
    if (m_readsVariables == 1) return operand->Evaluate(context);
  }
  kept = true;
  return cache->GetValue(operand, m_dependence == DocumentDependent, context);
}

} // namespace XpathPrivate
