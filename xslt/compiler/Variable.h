#pragma once
// xsl:param and xsl:variable (top-level and local) and the definition they
// share with xsl:with-param: a name, an optional select expression and
// content. Select with content is a static error.
#include "core/Interface.h"
#include "xpath/Expr.h"
#include "xpath/Value.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Instruction.h"
#include "xslt/compiler/TopLevel.h"

namespace XsltPrivate {

class CContext;

struct CBindingDefinition {
  Core::XInterface<CExpandedName> name;
  Core::XInterface<Xpath::CExpr> select;  // null when absent
  CContentList content;

  // name (required QName, no default namespace), select, then the children.
  void Compile(CStaticContext& context);
  // The select value; else the empty string without content; else the
  // content as a result tree fragment.
  Core::XInterface<Xpath::CValue> Evaluate(CContext& context) const;
};

class CParam : public CTopLevel {
public:
  void Compile(CStaticContext& context);

  CExpandedName* GetName() const { return m_definition.name.Get(); }
  Xpath::CExpr* GetSelect() const { return m_definition.select.Get(); }
  const CContentList& GetContent() const { return m_definition.content; }

  Core::XInterface<Xpath::CValue> Evaluate(CContext& context) const;
  // Binds a template parameter: given, the caller's value of that name
  // (null when the caller gave none), else its own.
  void Bind(CContext& context, Xpath::CValue* given) const;

private:
  CBindingDefinition m_definition;
};

class CVariable : public CInstruction {
public:
  void Compile(CStaticContext& context);

  CExpandedName* GetName() const { return m_definition.name.Get(); }
  Xpath::CExpr* GetSelect() const { return m_definition.select.Get(); }
  const CContentList& GetContent() const { return m_definition.content; }

  Core::XInterface<Xpath::CValue> Evaluate(CContext& context) const;
  // A local variable: the value becomes the context's pending binding.
  void Execute(CContext& context) override;

private:
  CBindingDefinition m_definition;
};

} // namespace XsltPrivate
