#include "script/engine/UnaryOperators.h"

#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

using EcmaScript::CScriptNumber;
using EcmaScript::MakeBoolean;
using EcmaScript::MakeNumber;

XValue CUnaryExpression::Step(CExecutionContext& context, int32_t delta, bool postfix) {
  CReferenceParts parts;
  if (m_operand->EvaluateReference(context, parts)) {
    XValue old = m_operand->FetchReferenceValue(context, parts);
    CScriptNumber number = EcmaScript::ToNumber(context, old.Get());
    CScriptNumber stepped = number + CScriptNumber(delta);
    XValue result = MakeNumber(stepped);
    m_operand->StoreReferenceValue(context, parts, result.Get());
    return postfix ? MakeNumber(number) : result;
  }
  XValue operand = m_operand->Evaluate(context);
  XValue old = EcmaScript::GetValue(context, operand.Get());
  CScriptNumber number = EcmaScript::ToNumber(context, old.Get());
  XValue result = MakeNumber(number + CScriptNumber(delta));
  EcmaScript::PutValue(context, operand.Get(), result.Get());
  return postfix ? MakeNumber(number) : result;
}

void CDeleteExpression::PrintTo(Core::String& out) const { PrintPrefix(out, u"delete "); }

XValue CDeleteExpression::Evaluate(CExecutionContext& context) {
  XValue operand = GetOperand()->Evaluate(context);
  CScriptObject* base = EcmaScript::GetBase(operand.Get());
  const CPropertyName& name = EcmaScript::GetPropertyName(context, operand.Get());
  if (!base) return MakeBoolean(true);
  return MakeBoolean(base->Delete(context, name));
}

void CVoidExpression::PrintTo(Core::String& out) const { PrintPrefix(out, u"void "); }

XValue CVoidExpression::Evaluate(CExecutionContext& context) {
  GetOperand()->EvaluateValue(context);
  return EcmaScript::MakeUndefined();
}

void CTypeofExpression::PrintTo(Core::String& out) const { PrintPrefix(out, u"typeof "); }

XValue CTypeofExpression::Evaluate(CExecutionContext& context) {
  XValue operand = GetOperand()->Evaluate(context);
  const EcmaScript::CReference* reference = operand->GetReference();
  if (reference && !reference->GetBase()) return EcmaScript::MakeString(u"undefined");
  XValue value = EcmaScript::GetValue(context, operand.Get());
  switch (value->GetType()) {
  case CValue::NullType:
    return EcmaScript::MakeString(u"object");
  case CValue::BooleanType:
    return EcmaScript::MakeString(u"boolean");
  case CValue::StringType:
    return EcmaScript::MakeString(u"string");
  case CValue::NumberType:
    return EcmaScript::MakeString(u"number");
  case CValue::ObjectType:
    return EcmaScript::MakeString(Core::String(value->GetObject()->GetTypeOf()));
  default:
    return EcmaScript::MakeString(u"undefined");
  }
}

void CPreIncrementExpression::PrintTo(Core::String& out) const { PrintPrefix(out, u"++"); }
XValue CPreIncrementExpression::Evaluate(CExecutionContext& context) { return Step(context, 1, false); }

void CPreDecrementExpression::PrintTo(Core::String& out) const { PrintPrefix(out, u"--"); }
XValue CPreDecrementExpression::Evaluate(CExecutionContext& context) { return Step(context, -1, false); }

void CPostIncrementExpression::PrintTo(Core::String& out) const { PrintPostfix(out, u"++"); }
XValue CPostIncrementExpression::Evaluate(CExecutionContext& context) { return Step(context, 1, true); }

void CPostDecrementExpression::PrintTo(Core::String& out) const { PrintPostfix(out, u"--"); }
XValue CPostDecrementExpression::Evaluate(CExecutionContext& context) { return Step(context, -1, true); }

void CUnaryPlusExpression::PrintTo(Core::String& out) const { PrintPrefix(out, u"+"); }

XValue CUnaryPlusExpression::Evaluate(CExecutionContext& context) {
  XValue value = GetOperand()->EvaluateValue(context);
  return MakeNumber(EcmaScript::ToNumber(context, value.Get()));
}

void CUnaryMinusExpression::PrintTo(Core::String& out) const { PrintPrefix(out, u"-"); }

XValue CUnaryMinusExpression::Evaluate(CExecutionContext& context) {
  XValue value = GetOperand()->EvaluateValue(context);
  CScriptNumber number = EcmaScript::ToNumber(context, value.Get());
  if (number.IsNaN()) return MakeNumber(CScriptNumber::NaN);
  return MakeNumber(-number);
}

void CBitwiseNotExpression::PrintTo(Core::String& out) const { PrintPrefix(out, u"~"); }

XValue CBitwiseNotExpression::Evaluate(CExecutionContext& context) {
  XValue value = GetOperand()->EvaluateValue(context);
  return MakeNumber(~EcmaScript::ToInt32(context, value.Get()));
}

void CLogicalNotExpression::PrintTo(Core::String& out) const { PrintPrefix(out, u"!"); }

XValue CLogicalNotExpression::Evaluate(CExecutionContext& context) {
  return MakeBoolean(!GetOperand()->EvaluateCondition(context));
}

bool CLogicalNotExpression::EvaluateCondition(CExecutionContext& context) {
  return !GetOperand()->EvaluateCondition(context);
}

} // namespace EcmaScriptPrivate
