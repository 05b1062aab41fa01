#pragma once
// Property access (o.name, o[expression]), calls, new, and the argument
// list that calls and new share.
#include "script/engine/ParseTree.h"

namespace EcmaScriptPrivate {

class CArgumentListExpression : public CExpression {
public:
  void Append(CExpression* argument) { m_arguments.Append(XExpression(argument)); }
  int32_t GetSize() const { return m_arguments.GetSize(); }
  CExpression* GetAt(int32_t i) const { return m_arguments[i].Get(); }

  // The texts joined by ", ".
  void PrintTo(Core::String& out) const override;
  // A List value of the fetched arguments.
  XValue Evaluate(CExecutionContext& context) override;
  // The same into an argument array, in source order.
  void EvaluateInto(CExecutionContext& context, EcmaScript::CArgumentList& out) const;

private:
  Core::XArray<XExpression> m_arguments;
};

using XArgumentList = Core::XInterface<CArgumentListExpression>;

// The base is fetched and made an object before the index is evaluated.
class CMemberExpression : public CExpression {
public:
  // o[index]
  CMemberExpression(CExpression* base, CExpression* index) : m_base(base), m_index(index) { SetYieldsReference(); }
  // o.name
  CMemberExpression(CExpression* base, const CPropertyName& name)
      : m_base(base), m_name(name), m_isLength(name.Equals(u"length")) {
    SetYieldsReference();
  }

  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateReference(CExecutionContext& context, CReferenceParts& parts) override;

protected:
  XValue FetchValue(CExecutionContext& context) override;

private:
  XExpression m_base;
  XExpression m_index;
  CPropertyName m_name;
  // s.length of a string s is read without making its String object, which
  // would copy the text: a loop that grows s and reads its length stays
  // linear.
  bool m_isLength = false;
};

class CNewExpression : public CExpression {
public:
  CNewExpression(CExpression* target, CArgumentListExpression* arguments) : m_target(target), m_arguments(arguments) {}
  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;

private:
  XExpression m_target;
  XArgumentList m_arguments;
};

// The target is evaluated, then the arguments, then the target fetched. The
// this object is the base of the target's Reference, except that a
// function reached through the running function's own variables gets none.
class CCallExpression : public CExpression {
public:
  CCallExpression(CExpression* target, CArgumentListExpression* arguments)
      : m_target(target), m_arguments(arguments) {}
  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override;

private:
  // The call of a target that is no Reference node; out of line, so that
  // the frame of the usual call stays small.
  [[gnu::noinline]] XValue CallValueOf(CExecutionContext& context, EcmaScript::CArgumentList& arguments);

  XExpression m_target;
  XArgumentList m_arguments;
};

} // namespace EcmaScriptPrivate
