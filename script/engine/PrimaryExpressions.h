#pragma once
// The leaves of the expression tree (this, identifiers, literals) and the
// parenthesized expression, which passes its inner result through, a
// Reference included. All count as left-hand-side expressions; storing
// through a literal fails at run time.
#include "script/engine/ParseTree.h"
#include "script/engine/PropertyTable.h"
#include "script/engine/ScriptNumber.h"

namespace EcmaScriptPrivate {

class CThisExpression : public CExpression {
public:
  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override { out += u"this"; }
  XValue Evaluate(CExecutionContext& context) override;
};

// Resolves along the scope chain, through the name's cached hash.
class CIdentifierExpression : public CExpression {
public:
  explicit CIdentifierExpression(const CPropertyName& name) : m_name(name) { SetYieldsReference(); }
  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override { m_name.AppendText(out); }
  XValue Evaluate(CExecutionContext& context) override;
  bool EvaluateReference(CExecutionContext& context, CReferenceParts& parts) override;
  XValue FetchReferenceValue(CExecutionContext& context, const CReferenceParts& parts) override;
  void StoreReferenceValue(CExecutionContext& context, const CReferenceParts& parts, CValue* value) override;
  const CPropertyName& GetName() const { return m_name; }

protected:
  XValue FetchValue(CExecutionContext& context) override;

private:
  // The innermost scope when its own table holds the name in the slot where
  // the last lookup found it, else null. The calls of one function lay out
  // their activation objects alike, so a parameter or variable is found
  // there without a search.
  EcmaScript::CScriptObject* InnermostAtCachedSlot(CExecutionContext& context, const EcmaScript::CPropertyEntry*& entry) const;
  // The global object's entry of the name when a function's own activation
  // object cannot hold it (the cached call's function, no names added by
  // eval since) and the global object holds it in the cached slot, else
  // null. Function names and globals read inside functions are found there
  // without a miss in the activation object first.
  const EcmaScript::CPropertyEntry* GlobalAtCachedSlot(CExecutionContext& context) const;
  // The entry of the name in one of the cached slots of the object's own
  // table, or null.
  EcmaScript::CPropertyEntry* OwnAtCachedSlot(EcmaScript::CScriptObject* object) const;
  // Remembers the slot when the name was found in the innermost scope, or
  // in the global object right outside a function's activation object.
  void CacheSlot(CExecutionContext& context, EcmaScript::CScriptObject* scope);

  CPropertyName m_name;
  int32_t m_slot = -1;
  int32_t m_globalSlot = -1;
  // The serial of the function definition whose activation objects were
  // seen without the name; 0 for none.
  uint64_t m_outerSerial = 0;
};

class CNullLiteralExpression : public CExpression {
public:
  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override { out += u"null"; }
  XValue Evaluate(CExecutionContext&) override { return EcmaScript::MakeNull(); }
};

class CBooleanLiteralExpression : public CExpression {
public:
  explicit CBooleanLiteralExpression(bool value) : m_value(value) {}
  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override { out += m_value ? u"true" : u"false"; }
  XValue Evaluate(CExecutionContext&) override { return EcmaScript::MakeBoolean(m_value); }

private:
  bool m_value;
};

// Prints the number's own text: 1.50 prints as 1.5.
class CNumberLiteralExpression : public CExpression {
public:
  explicit CNumberLiteralExpression(EcmaScript::CScriptNumber value)
      : m_value(value), m_shared(EcmaScript::MakeNumber(value)) {}
  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override { m_value.AppendTo(out); }
  // Values never change, so every evaluation may hand out the same one.
  XValue Evaluate(CExecutionContext&) override { return m_shared; }

private:
  EcmaScript::CScriptNumber m_value;
  XValue m_shared;
};

// Prints between double quotes with \\, \", \r and \n escaped and every
// other unit as it is.
class CStringLiteralExpression : public CExpression {
public:
  explicit CStringLiteralExpression(Core::String text) : m_shared(EcmaScript::MakeString(std::move(text))) {}
  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext&) override { return m_shared; }

private:
  XValue m_shared;
};

class CParenthesizedExpression : public CExpression {
public:
  explicit CParenthesizedExpression(CExpression* inner) : m_inner(inner) { SetYieldsReference(); }
  bool IsLeftHandSide() const override { return true; }
  void PrintTo(Core::String& out) const override;
  XValue Evaluate(CExecutionContext& context) override { return m_inner->Evaluate(context); }
  bool EvaluateReference(CExecutionContext& context, CReferenceParts& parts) override {
    return m_inner->EvaluateReference(context, parts);
  }

protected:
  XValue FetchValue(CExecutionContext& context) override { return m_inner->EvaluateValue(context); }

private:
  XExpression m_inner;
};

} // namespace EcmaScriptPrivate
