#include "xpath/OperatorExpr.h"

#include <vector>

#include "xpath/CompareValues.h"
#include "xpath/Context.h"
#include "xpath/Value.h"
#include "xpath/ValueConverter.h"

namespace XpathPrivate {

using Core::XInterface;
using Xpath::CContext;
using Xpath::CExpr;
using Xpath::CNumber;
using Xpath::CValue;

namespace {

std::vector<XInterface<CExpr>>* g_pendingReleases = nullptr;

// The links of a left-leaning chain of one operator class, outermost first;
// returns the expression at the far left.
template <class T>
const CExpr* CollectChain(const T* top, std::vector<const T*>& chain) {
  const T* link = top;
  for (;;) {
    chain.push_back(link);
    if (!link->LeftIsLink()) return link->GetLeft().Get();
    link = static_cast<const T*>(link->GetLeft().Get());
  }
}

// kind 0: additive (0 +, 1 -); kind 1: multiplicative (0 *, 1 div, 2 mod).
CNumber Arithmetic(int32_t kind, int32_t code, CNumber a, CNumber b) {
  if (kind == 0) return code == 1 ? a - b : a + b;
  if (code == 1) return a / b;
  if (code == 2) return a % b;
  return a * b;
}

template <class T>
XInterface<CValue> EvaluateArithmetic(const T* top, int32_t kind, CContext* context) {
  Xpath::CValueConverter converter(context);
  if (!top->LeftIsLink()) {
    XInterface<CValue> left = top->LeftSite().Evaluate(top->GetLeft().Get(), context);
    XInterface<CValue> right = top->RightSite().Evaluate(top->GetRight().Get(), context);
    CNumber a = converter.ToNumber(*left);
    CNumber b = converter.ToNumber(*right);
    return new Xpath::CNumberValue(Arithmetic(kind, top->GetCode(), a, b));
  }
  std::vector<const T*> chain;
  const CExpr* leftmost = CollectChain(top, chain);
  XInterface<CValue> left = chain.back()->LeftSite().Evaluate(leftmost, context);
  CNumber a;
  for (size_t i = chain.size(); i-- > 0;) {
    XInterface<CValue> right = chain[i]->RightSite().Evaluate(chain[i]->GetRight().Get(), context);
    if (left) {
      a = converter.ToNumber(*left);
      left = nullptr;
    }
    a = Arithmetic(kind, chain[i]->GetCode(), a, converter.ToNumber(*right));
  }
  return new Xpath::CNumberValue(a);
}

// map turns the operator code into the comparison code. Operands kept for
// the whole evaluation are compared through the summaries kept with them.
template <class T>
XInterface<CValue> EvaluateComparison(const T* top, int32_t (*map)(int32_t), CContext* context) {
  bool leftKept, rightKept;
  if (!top->LeftIsLink()) {
    XInterface<CValue> left = top->LeftSite().Evaluate(top->GetLeft().Get(), context, leftKept);
    XInterface<CValue> right = top->RightSite().Evaluate(top->GetRight().Get(), context, rightKept);
    return new Xpath::CBooleanValue(CompareValues(context, map(top->GetCode()), *left, *right,
                                                  context->GetEvaluationCache(), leftKept, rightKept));
  }
  std::vector<const T*> chain;
  const CExpr* leftmost = CollectChain(top, chain);
  XInterface<CValue> left = chain.back()->LeftSite().Evaluate(leftmost, context, leftKept);
  for (size_t i = chain.size(); i-- > 0;) {
    XInterface<CValue> right = chain[i]->RightSite().Evaluate(chain[i]->GetRight().Get(), context, rightKept);
    left = new Xpath::CBooleanValue(CompareValues(context, map(chain[i]->GetCode()), *left, *right,
                                                  context->GetEvaluationCache(), leftKept, rightKept));
    leftKept = false;
  }
  return left;
}

int32_t EqualityCode(int32_t code) { return code == 1 ? CompareNotEqual : CompareEqual; }
int32_t RelationalCode(int32_t code) { return code + CompareLess; }

} // namespace

void ReleaseExpr(XInterface<CExpr>& expr) {
  if (!expr) return;
  if (expr->GetUseCount() > 1) {
    expr = nullptr;
    return;
  }
  if (g_pendingReleases) {
    g_pendingReleases->push_back(std::move(expr));
    return;
  }
  std::vector<XInterface<CExpr>> pending;
  g_pendingReleases = &pending;
  pending.push_back(std::move(expr));
  while (!pending.empty()) {
    XInterface<CExpr> e = std::move(pending.back());
    pending.pop_back();
    e = nullptr;
  }
  g_pendingReleases = nullptr;
}

CBinaryExpr::~CBinaryExpr() {
  ReleaseExpr(m_right);
  ReleaseExpr(m_left);
}

CUnaryExpr::~CUnaryExpr() { ReleaseExpr(m_operand); }

XInterface<CValue> COrExpr::Evaluate(CContext* context) const {
  Xpath::CValueConverter converter(context);
  bool result;
  if (!m_leftIsLink) {
    result = converter.ToBoolean(*m_leftSite.Evaluate(m_left.Get(), context)) ||
             converter.ToBoolean(*m_rightSite.Evaluate(m_right.Get(), context));
  } else {
    std::vector<const COrExpr*> chain;
    const CExpr* leftmost = CollectChain(this, chain);
    result = converter.ToBoolean(*chain.back()->LeftSite().Evaluate(leftmost, context));
    for (size_t i = chain.size(); i-- > 0 && !result;) {
      result = converter.ToBoolean(*chain[i]->RightSite().Evaluate(chain[i]->GetRight().Get(), context));
    }
  }
  return new Xpath::CBooleanValue(result);
}

XInterface<CValue> CAndExpr::Evaluate(CContext* context) const {
  Xpath::CValueConverter converter(context);
  bool result;
  if (!m_leftIsLink) {
    result = converter.ToBoolean(*m_leftSite.Evaluate(m_left.Get(), context)) &&
             converter.ToBoolean(*m_rightSite.Evaluate(m_right.Get(), context));
  } else {
    std::vector<const CAndExpr*> chain;
    const CExpr* leftmost = CollectChain(this, chain);
    result = converter.ToBoolean(*chain.back()->LeftSite().Evaluate(leftmost, context));
    for (size_t i = chain.size(); i-- > 0 && result;) {
      result = converter.ToBoolean(*chain[i]->RightSite().Evaluate(chain[i]->GetRight().Get(), context));
    }
  }
  return new Xpath::CBooleanValue(result);
}

XInterface<CValue> CEqualityExpr::Evaluate(CContext* context) const {
  return EvaluateComparison(this, EqualityCode, context);
}

XInterface<CValue> CRelationalExpr::Evaluate(CContext* context) const {
  return EvaluateComparison(this, RelationalCode, context);
}

XInterface<CValue> CAdditiveExpr::Evaluate(CContext* context) const { return EvaluateArithmetic(this, 0, context); }

XInterface<CValue> CMultiplicativeExpr::Evaluate(CContext* context) const {
  return EvaluateArithmetic(this, 1, context);
}

XInterface<CValue> CUnaryExpr::Evaluate(CContext* context) const {
  // A run of minus signs nests one node per sign; negate in a loop.
  size_t count = 1;
  const CUnaryExpr* innermost = this;
  while (const CUnaryExpr* inner = dynamic_cast<const CUnaryExpr*>(innermost->m_operand.Get())) {
    ++count;
    innermost = inner;
  }
  XInterface<CValue> value = innermost->m_site.Evaluate(innermost->m_operand.Get(), context);
  CNumber n = Xpath::CValueConverter(context).ToNumber(*value);
  for (size_t i = 0; i < count; ++i) n = -n;
  return new Xpath::CNumberValue(n);
}

} // namespace XpathPrivate
