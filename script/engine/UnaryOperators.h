#pragma once
// The prefix and postfix operators: delete, void, typeof, ++ and -- in both
// positions, unary + and -, ~ and !. Each prints its operator next to its
// operand without a space, so - -x prints as --x.
#include "script/engine/ParseTree.h"

namespace EcmaScriptPrivate {

class CUnaryExpression : public CExpression {
public:
  explicit CUnaryExpression(CExpression* operand) : m_operand(operand) {}
  CExpression* GetOperand() const { return m_operand.Get(); }

protected:
  void PrintPrefix(Core::String& out, const char16_t* prefix) const {
    out += prefix;
    m_operand->PrintTo(out);
  }
  void PrintPostfix(Core::String& out, const char16_t* postfix) const {
    m_operand->PrintTo(out);
    out += postfix;
  }
  // ++ and --: stores old + delta through the operand's Reference and
  // returns the old (postfix) or the new (prefix) number.
  XValue Step(CExecutionContext& context, int32_t delta, bool postfix);

private:
  XExpression m_operand;
};

#define KELTO_SCRIPT_UNARY_NODE(Name)                                      \
  class Name : public CUnaryExpression {                                   \
  public:                                                                  \
    using CUnaryExpression::CUnaryExpression;                              \
    void PrintTo(Core::String& out) const override;                        \
    XValue Evaluate(CExecutionContext& context) override;                  \
  };

KELTO_SCRIPT_UNARY_NODE(CDeleteExpression)
KELTO_SCRIPT_UNARY_NODE(CVoidExpression)
KELTO_SCRIPT_UNARY_NODE(CTypeofExpression)
KELTO_SCRIPT_UNARY_NODE(CPreIncrementExpression)
KELTO_SCRIPT_UNARY_NODE(CPreDecrementExpression)
KELTO_SCRIPT_UNARY_NODE(CUnaryPlusExpression)
KELTO_SCRIPT_UNARY_NODE(CUnaryMinusExpression)
KELTO_SCRIPT_UNARY_NODE(CBitwiseNotExpression)
KELTO_SCRIPT_UNARY_NODE(CPostIncrementExpression)
KELTO_SCRIPT_UNARY_NODE(CPostDecrementExpression)

class CLogicalNotExpression : public CUnaryExpression {
public:
  using CUnaryExpression::CUnaryExpression;
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateCondition(CExecutionContext& context) override;
};

} // namespace EcmaScriptPrivate
