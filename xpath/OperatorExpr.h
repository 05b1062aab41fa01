#pragma once
// The expressions of the XPath operators: or, and, the comparisons, the
// arithmetic operators and unary minus. Chains of one operator (a + b + c ...)
// are evaluated and released without recursion, however long they are.
#include <cstdint>

#include "xpath/ContextDependence.h"
#include "xpath/Expr.h"

namespace XpathPrivate {

class CBinaryExpr : public Xpath::CExpr {
public:
  CBinaryExpr(int32_t code, const Core::XInterface<Xpath::CExpr>& left, const Core::XInterface<Xpath::CExpr>& right)
      : m_code(code), m_left(left), m_right(right) {}
  ~CBinaryExpr() override;

  int32_t GetCode() const { return m_code; }
  const Core::XInterface<Xpath::CExpr>& GetLeft() const { return m_left; }
  const Core::XInterface<Xpath::CExpr>& GetRight() const { return m_right; }
  const COperandSite& LeftSite() const { return m_leftSite; }
  const COperandSite& RightSite() const { return m_rightSite; }
  // Whether the left operand is of this expression's own class: a link of
  // a chain of one operator.
  bool LeftIsLink() const { return m_leftIsLink; }

protected:
  // Known from the operands as they are given, once.
  template <class T>
  void FindLink() {
    m_leftIsLink = dynamic_cast<const T*>(m_left.Get()) != nullptr;
  }

  bool m_leftIsLink = false;
  int32_t m_code;
  Core::XInterface<Xpath::CExpr> m_left;
  Core::XInterface<Xpath::CExpr> m_right;
  COperandSite m_leftSite;
  COperandSite m_rightSite;
};

class COrExpr final : public CBinaryExpr {
public:
  COrExpr(const Core::XInterface<Xpath::CExpr>& left, const Core::XInterface<Xpath::CExpr>& right)
      : CBinaryExpr(0, left, right) {
    FindLink<COrExpr>();
  }
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
};

class CAndExpr final : public CBinaryExpr {
public:
  CAndExpr(const Core::XInterface<Xpath::CExpr>& left, const Core::XInterface<Xpath::CExpr>& right)
      : CBinaryExpr(0, left, right) {
    FindLink<CAndExpr>();
  }
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
};

// Code 0 =, 1 !=.
class CEqualityExpr final : public CBinaryExpr {
public:
  CEqualityExpr(int32_t code, const Core::XInterface<Xpath::CExpr>& left, const Core::XInterface<Xpath::CExpr>& right)
      : CBinaryExpr(code, left, right) {
    FindLink<CEqualityExpr>();
  }
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
};

// Code 0 <, 1 >, 2 <=, 3 >=.
class CRelationalExpr final : public CBinaryExpr {
public:
  CRelationalExpr(int32_t code, const Core::XInterface<Xpath::CExpr>& left, const Core::XInterface<Xpath::CExpr>& right)
      : CBinaryExpr(code, left, right) {
    FindLink<CRelationalExpr>();
  }
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
};

// Code 0 +, 1 -.
class CAdditiveExpr final : public CBinaryExpr {
public:
  CAdditiveExpr(int32_t code, const Core::XInterface<Xpath::CExpr>& left, const Core::XInterface<Xpath::CExpr>& right)
      : CBinaryExpr(code, left, right) {
    FindLink<CAdditiveExpr>();
  }
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
};

// Code 0 *, 1 div, 2 mod.
class CMultiplicativeExpr final : public CBinaryExpr {
public:
  CMultiplicativeExpr(int32_t code, const Core::XInterface<Xpath::CExpr>& left, const Core::XInterface<Xpath::CExpr>& right)
      : CBinaryExpr(code, left, right) {
    FindLink<CMultiplicativeExpr>();
  }
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
};

class CUnaryExpr final : public Xpath::CExpr {
public:
  explicit CUnaryExpr(const Core::XInterface<Xpath::CExpr>& operand) : m_operand(operand) {}
  ~CUnaryExpr() override;
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
  const Core::XInterface<Xpath::CExpr>& GetOperand() const { return m_operand; }

private:
  Core::XInterface<Xpath::CExpr> m_operand;
  COperandSite m_site;
};

} // namespace XpathPrivate
