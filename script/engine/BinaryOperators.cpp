#include "script/engine/BinaryOperators.h"

#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

using EcmaScript::CScriptNumber;
using EcmaScript::CStringValue;
using EcmaScript::MakeNumber;
using EcmaScript::ToInt32;
using EcmaScript::ToNumber;
using EcmaScript::ToUint32;

namespace {

// Numbers take the short road: no conversion, no copy of the record.
inline CScriptNumber Number(CExecutionContext& context, CValue* value) {
  if (value->GetType() == CValue::NumberType) return static_cast<EcmaScript::CNumberValue*>(value)->GetNumber();
  return ToNumber(context, value);
}

} // namespace

XValue Multiply(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = Number(context, left);
  return MakeNumber(a * Number(context, right));
}

XValue Divide(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = Number(context, left);
  return MakeNumber(a / Number(context, right));
}

XValue Modulo(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = Number(context, left);
  return MakeNumber(a % Number(context, right));
}

XValue Add(CExecutionContext& context, CValue* left, CValue* right) {
  if (left->GetType() == CValue::NumberType && right->GetType() == CValue::NumberType) {
    return MakeNumber(static_cast<EcmaScript::CNumberValue*>(left)->GetNumber() +
                      static_cast<EcmaScript::CNumberValue*>(right)->GetNumber());
  }
  XValue a = EcmaScript::ToPrimitive(context, left, EcmaScript::HintNone);
  XValue b = EcmaScript::ToPrimitive(context, right, EcmaScript::HintNone);
  if (a->GetType() == CValue::StringType || b->GetType() == CValue::StringType) {
    XValue leftText = EcmaScript::ToStringValue(context, a.Get());
    XValue rightText = EcmaScript::ToStringValue(context, b.Get());
    return CStringValue::Concatenate(static_cast<CStringValue*>(leftText.Get()),
                                     static_cast<CStringValue*>(rightText.Get())->GetView());
  }
  CScriptNumber x = ToNumber(context, a.Get());
  return MakeNumber(x + ToNumber(context, b.Get()));
}

XValue Subtract(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = Number(context, left);
  return MakeNumber(a - Number(context, right));
}

XValue ShiftLeft(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = ToInt32(context, left);
  return MakeNumber(a << ToUint32(context, right));
}

XValue ShiftRight(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = ToInt32(context, left);
  return MakeNumber(a >> ToUint32(context, right));
}

XValue UnsignedShiftRight(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = ToUint32(context, left);
  return MakeNumber(EcmaScript::UnsignedShiftRight(a, ToUint32(context, right)));
}

XValue BitwiseAnd(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = ToInt32(context, left);
  return MakeNumber(a & ToInt32(context, right));
}

XValue BitwiseXor(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = ToInt32(context, left);
  return MakeNumber(a ^ ToInt32(context, right));
}

XValue BitwiseOr(CExecutionContext& context, CValue* left, CValue* right) {
  CScriptNumber a = ToInt32(context, left);
  return MakeNumber(a | ToInt32(context, right));
}

OperatorRoutine GetOperatorRoutine(int32_t code) {
  static const OperatorRoutine routines[] = {Multiply,   Divide,    Modulo,     Add,        Subtract,  ShiftLeft,
                                             ShiftRight, UnsignedShiftRight, BitwiseAnd, BitwiseXor, BitwiseOr};
  return routines[code];
}

void CBinaryExpression::PrintWith(Core::String& out, const char16_t* separator) const {
  m_left->PrintTo(out);
  out += separator;
  m_right->PrintTo(out);
}

XValue CBinaryExpression::EvaluateWith(CExecutionContext& context, OperatorRoutine routine) {
  XValue left = m_left->EvaluateValue(context);
  XValue right = m_right->EvaluateValue(context);
  return routine(context, left.Get(), right.Get());
}

#define KELTO_SCRIPT_BINARY_NODE_BODY(Name, separator, routine)                                          \
  void Name::PrintTo(Core::String& out) const { PrintWith(out, separator); }                           \
  XValue Name::Evaluate(CExecutionContext& context) { return EvaluateWith(context, routine); }

KELTO_SCRIPT_BINARY_NODE_BODY(CShiftLeftExpression, u" << ", ShiftLeft)
KELTO_SCRIPT_BINARY_NODE_BODY(CShiftRightExpression, u" >> ", ShiftRight)
KELTO_SCRIPT_BINARY_NODE_BODY(CUnsignedShiftRightExpression, u" >>> ", UnsignedShiftRight)
KELTO_SCRIPT_BINARY_NODE_BODY(CAddExpression, u" + ", Add)
KELTO_SCRIPT_BINARY_NODE_BODY(CSubtractExpression, u" - ", Subtract)
KELTO_SCRIPT_BINARY_NODE_BODY(CMultiplyExpression, u" * ", Multiply)
KELTO_SCRIPT_BINARY_NODE_BODY(CDivideExpression, u" / ", Divide)
KELTO_SCRIPT_BINARY_NODE_BODY(CModuloExpression, u" % ", Modulo)
KELTO_SCRIPT_BINARY_NODE_BODY(CBitwiseAndExpression, u" & ", BitwiseAnd)
KELTO_SCRIPT_BINARY_NODE_BODY(CBitwiseXorExpression, u" ^ ", BitwiseXor)
KELTO_SCRIPT_BINARY_NODE_BODY(CBitwiseOrExpression, u" | ", BitwiseOr)

} // namespace EcmaScriptPrivate
