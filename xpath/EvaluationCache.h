#pragma once
// What one evaluation of an expression keeps while it runs: the values of
// the operands that cannot depend on the context node list, evaluated at
// their first use, and the summaries of the node sets among them that
// comparisons read. The contexts the engine derives during the evaluation
// share it.
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "core/Interface.h"
#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xpath/Expr.h"
#include "xpath/NodeSetSummary.h"
#include "xpath/Value.h"

namespace XpathPrivate {

class CEvaluationCache final : public Core::CInterface {
public:
  // lasting: the cache serves many evaluations (the tests of a pattern over
  // a run), between which variables may change; it keeps only operands that
  // read no variable.
  explicit CEvaluationCache(bool lasting = false) : m_lasting(lasting) {}
  bool IsLasting() const { return m_lasting; }

  // The value of expr, evaluated at the first request. perDocument: it
  // depends on the document of the context node (an absolute path), and is
  // kept per document; otherwise on nothing of the node list.
  Core::XInterface<Xpath::CValue> GetValue(const Xpath::CExpr* expr, bool perDocument, Xpath::CContext* context);
  // The summary of nodeSet for comparisons of the kind, made at the first
  // request.
  CNodeSetSummary& GetSummary(Xpath::CNodeSet* nodeSet, CNodeSetSummary::EKind kind);

  // A context like context that carries a new cache, when context has none
  // and needed is true; context itself otherwise.
  static Core::XInterface<Xpath::CContext> Scope(Xpath::CContext* context, bool needed);

private:
  struct CKept {
    Core::XInterface<Xpath::CExpr> expr;  // keeps the address from being reused
    Dom::XNode document;                  // the same
    Core::XInterface<Xpath::CValue> value;
  };
  bool m_lasting;
  std::map<std::pair<const Xpath::CExpr*, const Dom::CNode*>, CKept> m_values;
  std::map<std::pair<const Xpath::CNodeSet*, int32_t>, std::unique_ptr<CNodeSetSummary>> m_summaries;
};

} // namespace XpathPrivate
