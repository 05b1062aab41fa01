#pragma once
// xsl:apply-templates, xsl:call-template and xsl:apply-imports, with their
// xsl:with-param children.
#include "core/Array.h"
#include "core/Interface.h"
#include "xpath/Expr.h"
#include "xpath/Value.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Instruction.h"
#include "xslt/compiler/Variable.h"
#include "xslt/compiler/instructions/Sort.h"

namespace XsltPrivate {

class CParamList;
class CTemplate;

class CWithParam : public CStylesheetElement {
public:
  void Compile(CStaticContext& context);

  CExpandedName* GetName() const { return m_definition.name.Get(); }
  Xpath::CExpr* GetSelect() const { return m_definition.select.Get(); }
  const CContentList& GetContent() const { return m_definition.content; }

  Core::XInterface<Xpath::CValue> Evaluate(CContext& context) const;

private:
  CBindingDefinition m_definition;
};

using CWithParamList = Core::XArray<Core::XInterface<CWithParam>>;

class CApplyTemplates : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;
  void EvaluateParams(CContext& context, CParamList& parameters) const;

  Xpath::CExpr* GetSelect() const { return m_select.Get(); }
  CExpandedName* GetMode() const { return m_mode.Get(); }
  const CSortList& GetSorts() const { return m_sorts; }
  const CWithParamList& GetParams() const { return m_params; }

private:
  Core::XInterface<Xpath::CExpr> m_select;  // "node()" when absent
  Core::XInterface<CExpandedName> m_mode;
  CSortList m_sorts;
  CWithParamList m_params;
};

class CCallTemplate : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;
  void EvaluateParams(CContext& context, CParamList& parameters) const;

  CExpandedName* GetName() const { return m_name.Get(); }
  const CWithParamList& GetParams() const { return m_params; }

private:
  Core::XInterface<CExpandedName> m_name;
  CWithParamList m_params;
  // Found by name on the first execution; owned by the compiled stylesheet.
  CTemplate* m_resolved = nullptr;
};

class CApplyImports : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;
};

} // namespace XsltPrivate
