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

bool IsFixedCall(const CFunctionCallExpr& call, Xpath::CFunctionLibrary* functions) {
  return functions && call.GetPrefix().empty() && call.GetArguments().empty() &&
         functions->GetFixedCall(Core::StringView(), call.GetLocalName()) != Xpath::CFunctionLibrary::Varying;
}

// The core functions whose value depends on their arguments alone. The
// host answers core names with the core functions. Without arguments the
// string and name functions read the context node; last(), position(),
// lang() and id() always read the context. The fixed functions of the
// host read nothing of it.
bool IsContextFreeCall(const CFunctionCallExpr& call, Xpath::CFunctionLibrary* functions) {
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
  if (call.GetArguments().empty()) return IsFixedCall(call, functions);
  for (const char16_t* n : withArgument) {
    if (name == n) return true;
  }
  return false;
}

bool IsKept(EDependence d) { return d == ContextFree || d == DocumentDependent; }

bool HasKeptOperands(const Xpath::CExpr* expr, bool inPredicate, Xpath::CFunctionLibrary* functions);

bool PredicatesKeep(const Xpath::CPredicateList& predicates, Xpath::CFunctionLibrary* functions) {
  for (const XInterface<Xpath::CPredicate>& predicate : predicates) {
    if (HasKeptOperands(predicate->GetExpr().Get(), true, functions)) return true;
  }
  return false;
}

bool HasKeptOperands(const Xpath::CExpr* expr, bool inPredicate, Xpath::CFunctionLibrary* functions) {
  if (inPredicate && IsKept(DependenceOf(expr, functions))) return true;
  if (auto* binary = dynamic_cast<const CBinaryExpr*>(expr)) {
    // Chains are walked along their left operands without recursion.
    while (binary) {
      if (HasKeptOperands(binary->GetRight().Get(), inPredicate, functions)) return true;
      expr = binary->GetLeft().Get();
      binary = dynamic_cast<const CBinaryExpr*>(expr);
    }
    return HasKeptOperands(expr, inPredicate, functions);
  }
  if (auto* unary = dynamic_cast<const CUnaryExpr*>(expr)) {
    return HasKeptOperands(unary->GetOperand().Get(), inPredicate, functions);
  }
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    for (const XInterface<Xpath::CExpr>& argument : call->GetArguments()) {
      if (HasKeptOperands(argument.Get(), inPredicate, functions)) return true;
    }
    return false;
  }
  if (auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr)) {
    if (path->GetStart() && !path->IsAbsolute() && HasKeptOperands(path->GetStart().Get(), inPredicate, functions)) {
      return true;
    }
    for (const XInterface<Xpath::CStepExpr>& step : path->GetSteps()) {
      if (PredicatesKeep(step->GetPredicates(), functions)) return true;
    }
    return false;
  }
  if (auto* step = dynamic_cast<const Xpath::CStepExpr*>(expr)) return PredicatesKeep(step->GetPredicates(), functions);
  if (auto* filter = dynamic_cast<const CFilterExpr*>(expr)) {
    return HasKeptOperands(filter->GetPrimary().Get(), inPredicate, functions) ||
           PredicatesKeep(filter->GetPredicates(), functions);
  }
  if (auto* unionExpr = dynamic_cast<const CUnionExpr*>(expr)) {
    for (const XInterface<Xpath::CExpr>& operand : unionExpr->GetOperands()) {
      if (HasKeptOperands(operand.Get(), inPredicate, functions)) return true;
    }
  }
  return false;
}

} // namespace

EDependence DependenceOf(const Xpath::CExpr* expr, Xpath::CFunctionLibrary* functions) {
  if (auto* binary = dynamic_cast<const CBinaryExpr*>(expr)) {
    EDependence d = Constant;
    // Chains are walked along their left operands without recursion.
    while (binary && d != ContextDependent) {
      d = Max(d, DependenceOf(binary->GetRight().Get(), functions));
      expr = binary->GetLeft().Get();
      binary = dynamic_cast<const CBinaryExpr*>(expr);
    }
    return d == ContextDependent ? d : Max(d, DependenceOf(expr, functions));
  }
  if (auto* unary = dynamic_cast<const CUnaryExpr*>(expr)) return DependenceOf(unary->GetOperand().Get(), functions);
  if (dynamic_cast<const CLiteralExpr*>(expr) || dynamic_cast<const CNumberExpr*>(expr)) return Constant;
  if (dynamic_cast<const CVariableReferenceExpr*>(expr)) return ContextFree;
  if (dynamic_cast<const CRootExpr*>(expr)) return DocumentDependent;
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    if (!IsContextFreeCall(*call, functions)) return ContextDependent;
    EDependence d = ContextFree;
    for (const XInterface<Xpath::CExpr>& argument : call->GetArguments()) {
      d = Max(d, DependenceOf(argument.Get(), functions));
      if (d == ContextDependent) break;
    }
    return d;
  }
  // The steps and predicates of a path or filter see the nodes of its start
  // or primary, not the context.
  if (auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr)) {
    if (path->IsAbsolute()) return DocumentDependent;
    if (!path->GetStart()) return ContextDependent;
    return Max(ContextFree, DependenceOf(path->GetStart().Get(), functions));
  }
  if (auto* filter = dynamic_cast<const CFilterExpr*>(expr)) {
    return Max(ContextFree, DependenceOf(filter->GetPrimary().Get(), functions));
  }
  if (auto* unionExpr = dynamic_cast<const CUnionExpr*>(expr)) {
    EDependence d = ContextFree;
    for (const XInterface<Xpath::CExpr>& operand : unionExpr->GetOperands()) {
      d = Max(d, DependenceOf(operand.Get(), functions));
      if (d == ContextDependent) break;
    }
    return d;
  }
  return ContextDependent;
}

bool HasKeptOperands(const Xpath::CExpr* expr, Xpath::CFunctionLibrary* functions) {
  return HasKeptOperands(expr, false, functions);
}

namespace {

bool PredicatesReadVariables(const Xpath::CPredicateList& predicates, Xpath::CFunctionLibrary* functions) {
  for (const XInterface<Xpath::CPredicate>& predicate : predicates) {
    if (ReadsVariables(predicate->GetExpr().Get(), functions)) return true;
  }
  return false;
}

} // namespace

bool ReadsVariables(const Xpath::CExpr* expr, Xpath::CFunctionLibrary* functions) {
  if (!expr) return false;
  if (auto* binary = dynamic_cast<const CBinaryExpr*>(expr)) {
    // Chains are walked along their left operands without recursion.
    while (binary) {
      if (ReadsVariables(binary->GetRight().Get(), functions)) return true;
      expr = binary->GetLeft().Get();
      binary = dynamic_cast<const CBinaryExpr*>(expr);
    }
    return ReadsVariables(expr, functions);
  }
  if (dynamic_cast<const CVariableReferenceExpr*>(expr)) return true;
  if (dynamic_cast<const CLiteralExpr*>(expr) || dynamic_cast<const CNumberExpr*>(expr) ||
      dynamic_cast<const CRootExpr*>(expr)) {
    return false;
  }
  if (auto* unary = dynamic_cast<const CUnaryExpr*>(expr)) return ReadsVariables(unary->GetOperand().Get(), functions);
  if (auto* call = dynamic_cast<const CFunctionCallExpr*>(expr)) {
    if (IsFixedCall(*call, functions)) return true;
    for (const XInterface<Xpath::CExpr>& argument : call->GetArguments()) {
      if (ReadsVariables(argument.Get(), functions)) return true;
    }
    return false;
  }
  if (auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr)) {
    if (ReadsVariables(path->GetStart().Get(), functions)) return true;
    for (const XInterface<Xpath::CStepExpr>& step : path->GetSteps()) {
      if (PredicatesReadVariables(step->GetPredicates(), functions)) return true;
    }
    return false;
  }
  if (auto* step = dynamic_cast<const Xpath::CStepExpr*>(expr)) {
    return PredicatesReadVariables(step->GetPredicates(), functions);
  }
  if (auto* filter = dynamic_cast<const CFilterExpr*>(expr)) {
    return ReadsVariables(filter->GetPrimary().Get(), functions) ||
           PredicatesReadVariables(filter->GetPredicates(), functions);
  }
  if (auto* unionExpr = dynamic_cast<const CUnionExpr*>(expr)) {
    for (const XInterface<Xpath::CExpr>& operand : unionExpr->GetOperands()) {
      if (ReadsVariables(operand.Get(), functions)) return true;
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
  if (m_dependence < 0) m_dependence = DependenceOf(operand, context->GetFunctionLibrary());
  if (!IsKept(EDependence(m_dependence))) return operand->Evaluate(context);
  if (cache->IsLasting()) {
    if (m_readsVariables < 0) m_readsVariables = ReadsVariables(operand, context->GetFunctionLibrary()) ? 1 : 0;
    if (m_readsVariables == 1) return operand->Evaluate(context);
  }
  kept = true;
  return cache->GetValue(operand, m_dependence == DocumentDependent, context);
}

} // namespace XpathPrivate
