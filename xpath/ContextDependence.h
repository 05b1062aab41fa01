#pragma once
// What the value of an expression depends on, worked out from its shape:
// the context node list, only the document of the context node, or nothing
// of the context (the host's bindings and functions apart). Operands inside
// predicates that do not depend on the node list are evaluated once per
// evaluation of the enclosing expression and kept in its evaluation cache.
// functions, when given, is the library of the evaluations to come: calls of
// its fixed functions depend on nothing of the node list.
#include <cstdint>

#include "core/Interface.h"
#include "xpath/Context.h"
#include "xpath/Expr.h"
#include "xpath/Value.h"

namespace XpathPrivate {

enum EDependence : int8_t {
  Constant,           // literals and arithmetic over them: not worth keeping
  ContextFree,        // variables, and core functions and paths over them
  DocumentDependent,  // absolute paths: the document of the context node
  ContextDependent,   // relative paths, position(), last(), other functions
};

EDependence DependenceOf(const Xpath::CExpr* expr, Xpath::CFunctionLibrary* functions = nullptr);

// True when some operand inside a predicate of expr (at any depth) is worth
// keeping for the whole evaluation of expr.
bool HasKeptOperands(const Xpath::CExpr* expr, Xpath::CFunctionLibrary* functions = nullptr);

// True when expr, at any depth, reads a variable or calls a fixed function
// of functions, which may change between evaluations (or has a part whose
// reads are not known).
bool ReadsVariables(const Xpath::CExpr* expr, Xpath::CFunctionLibrary* functions = nullptr);

// One place where an expression evaluates a sub-expression. It works out
// once, at the first evaluation that has a cache, whether the
// sub-expression's value is kept there.
class COperandSite {
public:
  Core::XInterface<Xpath::CValue> Evaluate(const Xpath::CExpr* operand, Xpath::CContext* context) const {
    bool kept;
    return Evaluate(operand, context, kept);
  }
  // kept tells whether the value came from the cache, so that it is the same
  // value for every evaluation in this one.
  Core::XInterface<Xpath::CValue> Evaluate(const Xpath::CExpr* operand, Xpath::CContext* context, bool& kept) const;

private:
  mutable int8_t m_dependence = -1;
  mutable int8_t m_readsVariables = -1;
};

// Whether an expression keeps operands, worked out at its first evaluation.
class CKeptOperandsCheck {
public:
  bool Needed(const Xpath::CExpr* expr, Xpath::CContext* context) const {
    if (m_state < 0) m_state = HasKeptOperands(expr, context->GetFunctionLibrary()) ? 1 : 0;
    return m_state == 1;
  }

private:
  mutable int8_t m_state = -1;
};

} // namespace XpathPrivate
