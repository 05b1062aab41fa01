#include "xpath/NodeCondition.h"

#include "xpath/CompareValues.h"
#include "xpath/ContextDependence.h"
#include "xpath/OperatorExpr.h"
#include "xpath/PathExpr.h"
#include "xpath/PrimaryExpr.h"
#include "xpath/Value.h"

namespace XpathPrivate {

using Core::XInterface;
using Xpath::CContext;
using Xpath::CValue;

namespace {

// The host answers core names with the core functions.
bool IsCoreCall(const CFunctionCallExpr* call, const char16_t* name, size_t arguments) {
  return call && call->GetPrefix().empty() && call->GetArguments().size() == arguments && call->GetLocalName() == name;
}

// The step alone of a relative path (self::x, ., a name), or null.
const Xpath::CStepExpr* OnlyStep(const Xpath::CExpr* expr) {
  auto* path = dynamic_cast<const Xpath::CPathExpr*>(expr);
  if (!path || path->GetStart() || path->GetSteps().size() != 1) return nullptr;
  const Xpath::CStepExpr* step = path->GetSteps()[0].Get();
  return step->GetPredicates().empty() ? step : nullptr;
}

// self::T without predicates: T as the test of the context node.
const Xpath::CNodeTest* SelfTest(const Xpath::CExpr* expr) {
  const Xpath::CStepExpr* step = OnlyStep(expr);
  return step && step->GetAxisCode() == Xpath::CAxis::Self ? step->GetNodeTest().Get() : nullptr;
}

bool IsContextNode(const Xpath::CExpr* expr) {
  const Xpath::CNodeTest* test = SelfTest(expr);
  return test && test->GetKind() == Xpath::CNodeTest::Node;
}

enum EName { LocalName, QualifiedName, NamespaceUri };

// local-name(), name(.) and namespace-uri() of the context node: which
// name, or false for any other expression.
bool IsNameOfContextNode(const Xpath::CExpr* expr, EName& name) {
  auto* call = dynamic_cast<const CFunctionCallExpr*>(expr);
  if (!call || !call->GetPrefix().empty()) return false;
  const std::vector<XInterface<Xpath::CExpr>>& arguments = call->GetArguments();
  if (arguments.size() > 1 || (arguments.size() == 1 && !IsContextNode(arguments[0].Get()))) return false;
  const Core::String& function = call->GetLocalName();
  if (function == u"local-name") name = LocalName;
  else if (function == u"name") name = QualifiedName;
  else if (function == u"namespace-uri") name = NamespaceUri;
  else return false;
  return true;
}

Core::StringView NameOf(const Dom::CNode* node, EName name) {
  switch (name) {
  case LocalName: return node->LocalNameView();
  case QualifiedName: return node->NodeNameView();
  default: return node->NamespaceUriView();
  }
}

class CNameComparison final : public CNodeCondition {
public:
  CNameComparison(EName name, bool equal, bool nameFirst, const Xpath::CExpr* other)
      : m_name(name), m_equal(equal), m_nameFirst(nameFirst), m_other(other),
        m_literal(dynamic_cast<const CLiteralExpr*>(other)) {}

  bool Test(CContext* context, const Dom::CNode* node) const override {
    Core::StringView name = NameOf(node, m_name);
    if (m_literal) return (name == m_literal->GetText()) == m_equal;
    bool kept;
    XInterface<CValue> value = m_site.Evaluate(m_other, context, kept);
    if (value->GetType() == CValue::StringType) {
      return (name == static_cast<const Xpath::CStringValue&>(*value).GetText()) == m_equal;
    }
    // Numbers, booleans and node sets compare by their own rules.
    XInterface<CValue> named = new Xpath::CStringValue(Core::String(name));
    int32_t op = m_equal ? CompareEqual : CompareNotEqual;
    CEvaluationCache* cache = context->GetEvaluationCache();
    return m_nameFirst ? CompareValues(context, op, *named, *value, cache, false, kept)
                       : CompareValues(context, op, *value, *named, cache, kept, false);
  }

private:
  EName m_name;
  bool m_equal;
  bool m_nameFirst;
  const Xpath::CExpr* m_other;
  const CLiteralExpr* m_literal;
  COperandSite m_site;
};

class CSelfCondition final : public CNodeCondition {
public:
  explicit CSelfCondition(const Xpath::CNodeTest* test) : m_test(test) {}
  bool Test(CContext* context, const Dom::CNode* node) const override { return m_test->Match(context, node); }

private:
  const Xpath::CNodeTest* m_test;
};

class CNotCondition final : public CNodeCondition {
public:
  explicit CNotCondition(std::unique_ptr<CNodeCondition> operand) : m_operand(std::move(operand)) {}
  bool Test(CContext* context, const Dom::CNode* node) const override { return !m_operand->Test(context, node); }

private:
  std::unique_ptr<CNodeCondition> m_operand;
};

class CLogicalCondition final : public CNodeCondition {
public:
  CLogicalCondition(bool isAnd, std::unique_ptr<CNodeCondition> left, std::unique_ptr<CNodeCondition> right)
      : m_and(isAnd), m_left(std::move(left)), m_right(std::move(right)) {}
  bool Test(CContext* context, const Dom::CNode* node) const override {
    // The right operand only when the left one leaves the answer open.
    return m_left->Test(context, node) == m_and ? m_right->Test(context, node) : !m_and;
  }

private:
  bool m_and;
  std::unique_ptr<CNodeCondition> m_left;
  std::unique_ptr<CNodeCondition> m_right;
};

// Deeper shapes than this are left to the general evaluation, which walks
// long chains without recursion.
constexpr int MaxDepth = 32;

std::unique_ptr<CNodeCondition> ConditionOf(const Xpath::CExpr* expr, int depth) {
  if (depth > MaxDepth) return nullptr;
  if (auto* equality = dynamic_cast<const CEqualityExpr*>(expr)) {
    EName name;
    bool equal = equality->GetCode() == 0;
    if (IsNameOfContextNode(equality->GetLeft().Get(), name)) {
      return std::make_unique<CNameComparison>(name, equal, true, equality->GetRight().Get());
    }
    if (IsNameOfContextNode(equality->GetRight().Get(), name)) {
      return std::make_unique<CNameComparison>(name, equal, false, equality->GetLeft().Get());
    }
    return nullptr;
  }
  if (const Xpath::CNodeTest* test = SelfTest(expr)) return std::make_unique<CSelfCondition>(test);
  auto* call = dynamic_cast<const CFunctionCallExpr*>(expr);
  if (IsCoreCall(call, u"not", 1) || IsCoreCall(call, u"boolean", 1)) {
    std::unique_ptr<CNodeCondition> operand = ConditionOf(call->GetArguments()[0].Get(), depth + 1);
    if (!operand || call->GetLocalName() == u"boolean") return operand;
    return std::make_unique<CNotCondition>(std::move(operand));
  }
  bool isAnd = dynamic_cast<const CAndExpr*>(expr) != nullptr;
  if (isAnd || dynamic_cast<const COrExpr*>(expr)) {
    auto* binary = static_cast<const CBinaryExpr*>(expr);
    std::unique_ptr<CNodeCondition> left = ConditionOf(binary->GetLeft().Get(), depth + 1);
    if (!left) return nullptr;
    std::unique_ptr<CNodeCondition> right = ConditionOf(binary->GetRight().Get(), depth + 1);
    if (!right) return nullptr;
    return std::make_unique<CLogicalCondition>(isAnd, std::move(left), std::move(right));
  }
  return nullptr;
}

} // namespace

std::unique_ptr<CNodeCondition> CNodeCondition::Of(const Xpath::CExpr* expr) { return ConditionOf(expr, 0); }

} // namespace XpathPrivate
