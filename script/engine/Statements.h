#pragma once
// The statements other than blocks and loops: var with its declarations,
// expression statements, if, continue, break, return and with.
#include "script/engine/ParseTree.h"
#include "script/engine/PrimaryExpressions.h"

namespace EcmaScriptPrivate {

// One declared name with its optional initialiser.
class CVariableDeclaration : public Core::CInterface {
public:
  explicit CVariableDeclaration(const CPropertyName& name, CExpression* initialiser = nullptr)
      : m_name(name), m_target(new CIdentifierExpression(name)), m_initialiser(initialiser) {}

  void PrintTo(Core::String& out) const;
  // Stores the initialiser's value through the name, resolved before the
  // initialiser runs; returns the name.
  const CPropertyName& Execute(CExecutionContext& context) const;
  const CPropertyName& GetName() const { return m_name; }

private:
  CPropertyName m_name;
  // The name as an expression, which remembers where it was found.
  XExpression m_target;
  XExpression m_initialiser;
};

using XVariableDeclaration = Core::XInterface<CVariableDeclaration>;

// The declarations of a var statement or of the var clause of a for loop.
class CVariableDeclarationList : public Core::CInterface {
public:
  void Append(CVariableDeclaration* declaration) { m_declarations.Append(XVariableDeclaration(declaration)); }
  // Joined by ", ".
  void PrintTo(Core::String& out) const;
  void Execute(CExecutionContext& context) const;

private:
  Core::XArray<XVariableDeclaration> m_declarations;
};

class CVariableStatement : public CStatement {
public:
  void Append(CVariableDeclaration* declaration) { m_list.Append(declaration); }
  void PrintTo(Core::String& out) const override;
  CCompletion Execute(CExecutionContext& context) override;

private:
  CVariableDeclarationList m_list;
};

class CExpressionStatement : public CStatement {
public:
  explicit CExpressionStatement(CExpression* expression) : m_expression(expression) {}
  void PrintTo(Core::String& out) const override;
  CCompletion Execute(CExecutionContext& context) override;

private:
  XExpression m_expression;
};

class CIfStatement : public CStatement {
public:
  CIfStatement(CExpression* condition, CStatement* thenStatement, CStatement* elseStatement = nullptr)
      : m_condition(condition), m_then(thenStatement), m_else(elseStatement) {}
  void PrintTo(Core::String& out) const override;
  CCompletion Execute(CExecutionContext& context) override;

private:
  XExpression m_condition;
  XStatement m_then;
  XStatement m_else;
};

class CContinueStatement : public CStatement {
public:
  void PrintTo(Core::String& out) const override { out += u"continue;"; }
  CCompletion Execute(CExecutionContext&) override { return {CCompletion::Continue, nullptr}; }
};

class CBreakStatement : public CStatement {
public:
  void PrintTo(Core::String& out) const override { out += u"break;"; }
  CCompletion Execute(CExecutionContext&) override { return {CCompletion::Break, nullptr}; }
};

class CReturnStatement : public CStatement {
public:
  explicit CReturnStatement(CExpression* expression = nullptr) : m_expression(expression) {}
  // Null for a bare return.
  CExpression* GetExpression() const { return m_expression.Get(); }
  void PrintTo(Core::String& out) const override;
  CCompletion Execute(CExecutionContext& context) override;

private:
  XExpression m_expression;
};

// The object goes at the innermost end of the scope chain for the body and
// leaves it on every exit, an exception included.
class CWithStatement : public CStatement {
public:
  CWithStatement(CExpression* object, CStatement* body) : m_object(object), m_body(body) {}
  void PrintTo(Core::String& out) const override;
  CCompletion Execute(CExecutionContext& context) override;

private:
  XExpression m_object;
  XStatement m_body;
};

} // namespace EcmaScriptPrivate
