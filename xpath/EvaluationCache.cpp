#include "xpath/EvaluationCache.h"

namespace XpathPrivate {

using Core::XInterface;
using Xpath::CContext;
using Xpath::CValue;

XInterface<CValue> CEvaluationCache::GetValue(const Xpath::CExpr* expr, bool perDocument, CContext* context) {
  Dom::XNode node = context->GetNode();
  Dom::XNode document = node ? node->GetOwnerDocument() : Dom::XNode();
  auto key = std::make_pair(expr, perDocument ? document.Get() : nullptr);
  auto found = m_values.find(key);
  if (found != m_values.end()) return found->second.value;
  // Evaluated outside the cache: the value may hold its context, and the
  // cache must not hold itself. The document stands for the node list, of
  // which the value reads nothing else.
  XInterface<CContext> own = new CContext(context, document, nullptr);
  XInterface<CValue> value = expr->Evaluate(own.Get());
  m_values.emplace(key, CKept{const_cast<Xpath::CExpr*>(expr), perDocument ? document : Dom::XNode(), value});
  return value;
}

CNodeSetSummary& CEvaluationCache::GetSummary(Xpath::CNodeSet* nodeSet, CNodeSetSummary::EKind kind) {
  std::unique_ptr<CNodeSetSummary>& summary = m_summaries[std::make_pair(nodeSet, int32_t(kind))];
  // A read that raised left the walk in the middle: start again, so that
  // the same node raises again.
  if (!summary || summary->IsBroken()) summary = std::make_unique<CNodeSetSummary>(nodeSet, kind);
  return *summary;
}

XInterface<CContext> CEvaluationCache::Scope(CContext* context, bool needed) {
  if (!needed || context->GetEvaluationCache()) return context;
  return new CContext(context, context->GetIterator(), new CEvaluationCache());
}

} // namespace XpathPrivate
