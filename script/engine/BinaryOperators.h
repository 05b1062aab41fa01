#pragma once
// The arithmetic, shift and bitwise operators: the routines that apply them
// to two fetched values (shared with compound assignment, so that a += b
// and a + b compute alike), the binary node base and the nodes of the
// arithmetic and shift operators.
#include "script/engine/ParseTree.h"

namespace EcmaScriptPrivate {

// (context, left value, right value), both already fetched; the left one is
// converted first.
using OperatorRoutine = XValue (*)(CExecutionContext& context, CValue* left, CValue* right);

XValue Multiply(CExecutionContext& context, CValue* left, CValue* right);
XValue Divide(CExecutionContext& context, CValue* left, CValue* right);
XValue Modulo(CExecutionContext& context, CValue* left, CValue* right);
// Concatenation when either primitive is a String, else the sum.
XValue Add(CExecutionContext& context, CValue* left, CValue* right);
XValue Subtract(CExecutionContext& context, CValue* left, CValue* right);
XValue ShiftLeft(CExecutionContext& context, CValue* left, CValue* right);
XValue ShiftRight(CExecutionContext& context, CValue* left, CValue* right);
XValue UnsignedShiftRight(CExecutionContext& context, CValue* left, CValue* right);
XValue BitwiseAnd(CExecutionContext& context, CValue* left, CValue* right);
XValue BitwiseXor(CExecutionContext& context, CValue* left, CValue* right);
XValue BitwiseOr(CExecutionContext& context, CValue* left, CValue* right);

// The routines by compound-assignment operator code, 0 (*=) to 10 (|=).
OperatorRoutine GetOperatorRoutine(int32_t code);

class CBinaryExpression : public CExpression {
public:
  CBinaryExpression(CExpression* left, CExpression* right) : m_left(left), m_right(right) {}
  CExpression* GetLeft() const { return m_left.Get(); }
  CExpression* GetRight() const { return m_right.Get(); }

protected:
  // Left text, separator, right text.
  void PrintWith(Core::String& out, const char16_t* separator) const;
  // Evaluates and fetches the left operand, then the right, then applies
  // the routine.
  XValue EvaluateWith(CExecutionContext& context, OperatorRoutine routine);

private:
  XExpression m_left;
  XExpression m_right;
};

#define KELTO_SCRIPT_BINARY_NODE(Name)                                     \
  class Name : public CBinaryExpression {                                  \
  public:                                                                  \
    using CBinaryExpression::CBinaryExpression;                            \
    void PrintTo(Core::String& out) const override;                        \
    XValue Evaluate(CExecutionContext& context) override;                  \
  };

KELTO_SCRIPT_BINARY_NODE(CShiftLeftExpression)
KELTO_SCRIPT_BINARY_NODE(CShiftRightExpression)
KELTO_SCRIPT_BINARY_NODE(CUnsignedShiftRightExpression)
KELTO_SCRIPT_BINARY_NODE(CAddExpression)
KELTO_SCRIPT_BINARY_NODE(CSubtractExpression)
KELTO_SCRIPT_BINARY_NODE(CMultiplyExpression)
KELTO_SCRIPT_BINARY_NODE(CDivideExpression)
KELTO_SCRIPT_BINARY_NODE(CModuloExpression)
KELTO_SCRIPT_BINARY_NODE(CBitwiseAndExpression)
KELTO_SCRIPT_BINARY_NODE(CBitwiseXorExpression)
KELTO_SCRIPT_BINARY_NODE(CBitwiseOrExpression)

} // namespace EcmaScriptPrivate
