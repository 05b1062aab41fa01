#pragma once
// while, for (with an expression or a var clause first) and for-in (with a
// target expression or a var declaration). Loops consume break and continue;
// each keeps the value of the last body completion that carried one.
#include "script/engine/ParseTree.h"
#include "script/engine/Statements.h"

namespace EcmaScriptPrivate {

class CWhileStatement : public CStatement {
public:
  CWhileStatement(CExpression* condition, CStatement* body) : m_condition(condition), m_body(body) {}
  void PrintTo(Core::String& out) const override;
  CCompletion Execute(CExecutionContext& context) override;

private:
  XExpression m_condition;
  XStatement m_body;
};

// Any of initialiser, test and update may be null; at most one of
// initialiser and declarations is set.
class CForStatement : public CStatement {
public:
  CForStatement(CExpression* initialiser, CExpression* test, CExpression* update, CStatement* body)
      : m_initialiser(initialiser), m_test(test), m_update(update), m_body(body) {}
  CForStatement(CVariableDeclarationList* declarations, CExpression* test, CExpression* update, CStatement* body)
      : m_declarations(declarations), m_test(test), m_update(update), m_body(body) {}
  void PrintTo(Core::String& out) const override;
  CCompletion Execute(CExecutionContext& context) override;

private:
  Core::XInterface<CVariableDeclarationList> m_declarations;
  XExpression m_initialiser;
  XExpression m_test;
  XExpression m_update;
  XStatement m_body;
};

// Exactly one of declaration and target is set.
class CForInStatement : public CStatement {
public:
  CForInStatement(CExpression* target, CExpression* object, CStatement* body)
      : m_target(target), m_object(object), m_body(body) {}
  CForInStatement(CVariableDeclaration* declaration, CExpression* object, CStatement* body)
      : m_declaration(declaration), m_object(object), m_body(body) {}
  void PrintTo(Core::String& out) const override;
  CCompletion Execute(CExecutionContext& context) override;

private:
  XVariableDeclaration m_declaration;
  XExpression m_target;
  XExpression m_object;
  XStatement m_body;
};

} // namespace EcmaScriptPrivate
