#include "script/engine/ComparisonExpressions.h"

#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

using EcmaScript::CScriptNumber;
using EcmaScript::CStringValue;
using EcmaScript::MakeBoolean;

namespace {

Core::StringView TextOf(const CValue* value) { return static_cast<const CStringValue*>(value)->GetView(); }

bool NumbersEqual(CScriptNumber a, CScriptNumber b) { return !a.IsNaN() && !b.IsNaN() && a == b; }

CScriptNumber NumberOf(const CValue* value) { return static_cast<const EcmaScript::CNumberValue*>(value)->GetNumber(); }

} // namespace

bool CEqualityExpression::AbstractEquals(CExecutionContext& context, CValue* x, CValue* y) {
  int32_t tx = x->GetType();
  int32_t ty = y->GetType();
  if (tx == ty) {
    switch (tx) {
    case CValue::UndefinedType:
    case CValue::NullType:
      return true;
    case CValue::BooleanType:
      return x->GetBoolean() == y->GetBoolean();
    case CValue::StringType:
      return TextOf(x) == TextOf(y);
    case CValue::NumberType:
      return NumbersEqual(NumberOf(x), NumberOf(y));
    case CValue::ObjectType:
      return x->GetObject()->IsSameObject(y->GetObject());
    default:
      return false;
    }
  }
  if ((tx == CValue::NullType && ty == CValue::UndefinedType) ||
      (tx == CValue::UndefinedType && ty == CValue::NullType)) {
    return true;
  }
  if (tx == CValue::NumberType && ty == CValue::StringType) {
    return NumbersEqual(x->GetNumber(), EcmaScript::ToNumber(context, y));
  }
  if (tx == CValue::StringType && ty == CValue::NumberType) {
    return NumbersEqual(EcmaScript::ToNumber(context, x), y->GetNumber());
  }
  if (tx == CValue::BooleanType) {
    XValue number = EcmaScript::MakeNumber(CScriptNumber(x->GetBoolean() ? 1 : 0));
    return AbstractEquals(context, number.Get(), y);
  }
  if (ty == CValue::BooleanType) {
    XValue number = EcmaScript::MakeNumber(CScriptNumber(y->GetBoolean() ? 1 : 0));
    return AbstractEquals(context, x, number.Get());
  }
  if ((tx == CValue::StringType || tx == CValue::NumberType) && ty == CValue::ObjectType) {
    XValue primitive = EcmaScript::ToPrimitive(context, y, EcmaScript::HintNone);
    return AbstractEquals(context, x, primitive.Get());
  }
  if (tx == CValue::ObjectType && (ty == CValue::StringType || ty == CValue::NumberType)) {
    XValue primitive = EcmaScript::ToPrimitive(context, x, EcmaScript::HintNone);
    return AbstractEquals(context, primitive.Get(), y);
  }
  return false;
}

void CEqualityExpression::PrintWith(Core::String& out, const char16_t* separator) const {
  m_left->PrintTo(out);
  out += separator;
  m_right->PrintTo(out);
}

bool CEqualityExpression::Compare(CExecutionContext& context) {
  XValue left = m_left->EvaluateValue(context);
  XValue right = m_right->EvaluateValue(context);
  if (left->GetType() == CValue::NumberType && right->GetType() == CValue::NumberType) {
    CScriptNumber a = NumberOf(left.Get());
    CScriptNumber b = NumberOf(right.Get());
    // Integers are never NaN.
    if (a.IsInteger() && b.IsInteger()) return a.GetInteger() == b.GetInteger();
    return NumbersEqual(a, b);
  }
  return AbstractEquals(context, left.Get(), right.Get());
}

XValue CEqualsExpression::Evaluate(CExecutionContext& context) { return MakeBoolean(Compare(context)); }
XValue CNotEqualsExpression::Evaluate(CExecutionContext& context) { return MakeBoolean(!Compare(context)); }
bool CEqualsExpression::EvaluateCondition(CExecutionContext& context) { return Compare(context); }
bool CNotEqualsExpression::EvaluateCondition(CExecutionContext& context) { return !Compare(context); }

int32_t CRelationalExpression::AbstractLessThan(CExecutionContext& context, CValue* x, CValue* y) {
  if (x->GetType() == CValue::NumberType && y->GetType() == CValue::NumberType) {
    CScriptNumber a = x->GetNumber();
    CScriptNumber b = y->GetNumber();
    if (a.IsNaN() || b.IsNaN()) return Unordered;
    return a < b ? True : False;
  }
  XValue px = EcmaScript::ToPrimitive(context, x, EcmaScript::HintNumber);
  XValue py = EcmaScript::ToPrimitive(context, y, EcmaScript::HintNumber);
  if (px->GetType() == CValue::StringType && py->GetType() == CValue::StringType) {
    return TextOf(px.Get()) < TextOf(py.Get()) ? True : False;
  }
  CScriptNumber a = EcmaScript::ToNumber(context, px.Get());
  CScriptNumber b = EcmaScript::ToNumber(context, py.Get());
  if (a.IsNaN() || b.IsNaN()) return Unordered;
  return a < b ? True : False;
}

void CRelationalExpression::PrintWith(Core::String& out, const char16_t* separator) const {
  m_left->PrintTo(out);
  out += separator;
  m_right->PrintTo(out);
}

int32_t CRelationalExpression::Compare(CExecutionContext& context, bool swapped) {
  XValue left = m_left->EvaluateValue(context);
  XValue right = m_right->EvaluateValue(context);
  return swapped ? AbstractLessThan(context, right.Get(), left.Get())
                 : AbstractLessThan(context, left.Get(), right.Get());
}

XValue CLessThanExpression::Evaluate(CExecutionContext& context) { return MakeBoolean(EvaluateCondition(context)); }
bool CLessThanExpression::EvaluateCondition(CExecutionContext& context) { return Compare(context, false) == True; }

XValue CGreaterThanExpression::Evaluate(CExecutionContext& context) { return MakeBoolean(EvaluateCondition(context)); }
bool CGreaterThanExpression::EvaluateCondition(CExecutionContext& context) { return Compare(context, true) == True; }

XValue CLessOrEqualExpression::Evaluate(CExecutionContext& context) { return MakeBoolean(EvaluateCondition(context)); }
bool CLessOrEqualExpression::EvaluateCondition(CExecutionContext& context) { return Compare(context, true) == False; }

XValue CGreaterOrEqualExpression::Evaluate(CExecutionContext& context) { return MakeBoolean(EvaluateCondition(context)); }
bool CGreaterOrEqualExpression::EvaluateCondition(CExecutionContext& context) { return Compare(context, false) == False; }

} // namespace EcmaScriptPrivate
