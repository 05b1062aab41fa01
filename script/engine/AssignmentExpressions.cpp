#include "script/engine/AssignmentExpressions.h"

#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

void CCommaExpression::PrintTo(Core::String& out) const {
  m_left->PrintTo(out);
  out += u", ";
  m_right->PrintTo(out);
}

XValue CCommaExpression::Evaluate(CExecutionContext& context) {
  m_left->EvaluateValue(context);
  return m_right->EvaluateValue(context);
}

void CAssignmentExpression::PrintTo(Core::String& out) const {
  m_target->PrintTo(out);
  out += u" = ";
  m_value->PrintTo(out);
}

XValue CAssignmentExpression::Evaluate(CExecutionContext& context) {
  CReferenceParts parts;
  if (m_target->EvaluateReference(context, parts)) {
    XValue value = m_value->EvaluateValue(context);
    m_target->StoreReferenceValue(context, parts, value.Get());
    return value;
  }
  XValue target = m_target->Evaluate(context);
  XValue value = m_value->EvaluateValue(context);
  EcmaScript::PutValue(context, target.Get(), value.Get());
  return value;
}

void CCompoundAssignmentExpression::PrintTo(Core::String& out) const {
  static const char16_t* const separators[] = {u" *= ",  u" /= ",   u" %= ", u" += ", u" -= ", u" <<= ",
                                               u" >>= ", u" >>>= ", u" &= ", u" ^= ", u" |= "};
  PrintWith(out, separators[m_code]);
}

XValue CCompoundAssignmentExpression::Evaluate(CExecutionContext& context) {
  OperatorRoutine routine = GetOperatorRoutine(m_code);
  CReferenceParts parts;
  if (GetLeft()->EvaluateReference(context, parts)) {
    XValue left = GetLeft()->FetchReferenceValue(context, parts);
    XValue right = GetRight()->EvaluateValue(context);
    XValue result = routine(context, left.Get(), right.Get());
    GetLeft()->StoreReferenceValue(context, parts, result.Get());
    return result;
  }
  XValue target = GetLeft()->Evaluate(context);
  XValue left = EcmaScript::GetValue(context, target.Get());
  XValue right = GetRight()->EvaluateValue(context);
  XValue result = routine(context, left.Get(), right.Get());
  EcmaScript::PutValue(context, target.Get(), result.Get());
  return result;
}

void CConditionalExpression::PrintTo(Core::String& out) const {
  m_condition->PrintTo(out);
  out += u" ? ";
  m_then->PrintTo(out);
  out += u" : ";
  m_else->PrintTo(out);
}

XValue CConditionalExpression::Evaluate(CExecutionContext& context) {
  if (m_condition->EvaluateCondition(context)) return m_then->EvaluateValue(context);
  return m_else->EvaluateValue(context);
}

void CLogicalAndExpression::PrintTo(Core::String& out) const {
  m_left->PrintTo(out);
  out += u" && ";
  m_right->PrintTo(out);
}

XValue CLogicalAndExpression::Evaluate(CExecutionContext& context) {
  XValue left = m_left->EvaluateValue(context);
  if (!EcmaScript::ToBoolean(left.Get())) return left;
  return m_right->EvaluateValue(context);
}

bool CLogicalAndExpression::EvaluateCondition(CExecutionContext& context) {
  return m_left->EvaluateCondition(context) && m_right->EvaluateCondition(context);
}

void CLogicalOrExpression::PrintTo(Core::String& out) const {
  m_left->PrintTo(out);
  out += u" || ";
  m_right->PrintTo(out);
}

XValue CLogicalOrExpression::Evaluate(CExecutionContext& context) {
  XValue left = m_left->EvaluateValue(context);
  if (EcmaScript::ToBoolean(left.Get())) return left;
  return m_right->EvaluateValue(context);
}

bool CLogicalOrExpression::EvaluateCondition(CExecutionContext& context) {
  return m_left->EvaluateCondition(context) || m_right->EvaluateCondition(context);
}

} // namespace EcmaScriptPrivate
