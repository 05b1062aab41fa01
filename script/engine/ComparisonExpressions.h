#pragma once
// == and != over the abstract equality comparison, and < > <= >= over the
// abstract relational comparison.
#include "script/engine/ParseTree.h"

namespace EcmaScriptPrivate {

class CEqualityExpression : public CExpression {
public:
  CEqualityExpression(CExpression* left, CExpression* right) : m_left(left), m_right(right) {}
  // x == y for plain values (no References).
  static bool AbstractEquals(CExecutionContext& context, CValue* x, CValue* y);

protected:
  void PrintWith(Core::String& out, const char16_t* separator) const;
  // Both operands evaluated and fetched, left first, then compared.
  bool Compare(CExecutionContext& context);

private:
  XExpression m_left;
  XExpression m_right;
};

class CEqualsExpression : public CEqualityExpression {
public:
  using CEqualityExpression::CEqualityExpression;
  void PrintTo(Core::String& out) const override { PrintWith(out, u" == "); }
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateCondition(CExecutionContext& context) override;
};

class CNotEqualsExpression : public CEqualityExpression {
public:
  using CEqualityExpression::CEqualityExpression;
  void PrintTo(Core::String& out) const override { PrintWith(out, u" != "); }
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateCondition(CExecutionContext& context) override;
};

class CRelationalExpression : public CExpression {
public:
  enum : int32_t { Unordered = -1, False = 0, True = 1 };

  CRelationalExpression(CExpression* left, CExpression* right) : m_left(left), m_right(right) {}
  // x < y for plain values: True, False, or Unordered when a NaN is met.
  static int32_t AbstractLessThan(CExecutionContext& context, CValue* x, CValue* y);

protected:
  void PrintWith(Core::String& out, const char16_t* separator) const;
  // Evaluates and fetches the left operand and then the right one, and
  // compares them in the order given (swapped for > and <=).
  int32_t Compare(CExecutionContext& context, bool swapped);

private:
  XExpression m_left;
  XExpression m_right;
};

class CLessThanExpression : public CRelationalExpression {
public:
  using CRelationalExpression::CRelationalExpression;
  void PrintTo(Core::String& out) const override { PrintWith(out, u" < "); }
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateCondition(CExecutionContext& context) override;
};

class CGreaterThanExpression : public CRelationalExpression {
public:
  using CRelationalExpression::CRelationalExpression;
  void PrintTo(Core::String& out) const override { PrintWith(out, u" > "); }
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateCondition(CExecutionContext& context) override;
};

class CLessOrEqualExpression : public CRelationalExpression {
public:
  using CRelationalExpression::CRelationalExpression;
  void PrintTo(Core::String& out) const override { PrintWith(out, u" <= "); }
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateCondition(CExecutionContext& context) override;
};

class CGreaterOrEqualExpression : public CRelationalExpression {
public:
  using CRelationalExpression::CRelationalExpression;
  void PrintTo(Core::String& out) const override { PrintWith(out, u" >= "); }
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateCondition(CExecutionContext& context) override;
};

} // namespace EcmaScriptPrivate
