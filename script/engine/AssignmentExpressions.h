#pragma once
// The lowest precedence levels: comma, assignment and compound assignment,
// the conditional, the short-circuit logical operators. (The bitwise
// operators are binary nodes, BinaryOperators.h.)
#include "script/engine/BinaryOperators.h"
#include "script/engine/ParseTree.h"

namespace EcmaScriptPrivate {

class CCommaExpression : public CExpression {
public:
  CCommaExpression(CExpression* left, CExpression* right) : m_left(left), m_right(right) {}
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;

private:
  XExpression m_left;
  XExpression m_right;
};

// Accepts any target; one that is no Reference fails with runtime error 7
// once both sides are evaluated.
class CAssignmentExpression : public CExpression {
public:
  CAssignmentExpression(CExpression* target, CExpression* value) : m_target(target), m_value(value) {}
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;

private:
  XExpression m_target;
  XExpression m_value;
};

// Codes 0 to 10: *= /= %= += -= <<= >>= >>>= &= ^= |=. The target is
// evaluated once.
class CCompoundAssignmentExpression : public CBinaryExpression {
public:
  CCompoundAssignmentExpression(int32_t code, CExpression* target, CExpression* value)
      : CBinaryExpression(target, value), m_code(code) {}
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;
  int32_t GetCode() const { return m_code; }

private:
  int32_t m_code;
};

class CConditionalExpression : public CExpression {
public:
  CConditionalExpression(CExpression* condition, CExpression* thenExpression, CExpression* elseExpression)
      : m_condition(condition), m_then(thenExpression), m_else(elseExpression) {}
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;

private:
  XExpression m_condition;
  XExpression m_then;
  XExpression m_else;
};

// The result is an operand's value itself, not converted to Boolean.
class CLogicalAndExpression : public CExpression {
public:
  CLogicalAndExpression(CExpression* left, CExpression* right) : m_left(left), m_right(right) {}
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateCondition(CExecutionContext& context) override;

private:
  XExpression m_left;
  XExpression m_right;
};

class CLogicalOrExpression : public CExpression {
public:
  CLogicalOrExpression(CExpression* left, CExpression* right) : m_left(left), m_right(right) {}
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateCondition(CExecutionContext& context) override;

private:
  XExpression m_left;
  XExpression m_right;
};

} // namespace EcmaScriptPrivate
