#pragma once
// Instructions that steer execution: xsl:for-each, xsl:if, xsl:choose (with
// xsl:when and xsl:otherwise), xsl:message and xsl:fallback. The local
// xsl:variable is in Variable.h.
#include "core/Array.h"
#include "core/Interface.h"
#include "xpath/Expr.h"
#include "xslt/compiler/Instruction.h"
#include "xslt/compiler/instructions/Sort.h"

namespace XsltPrivate {

class CForEach : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  Xpath::CExpr* GetSelect() const { return m_select.Get(); }
  const CSortList& GetSorts() const { return m_sorts; }
  const CContentList& GetContent() const { return m_content; }

private:
  Core::XInterface<Xpath::CExpr> m_select;
  CSortList m_sorts;
  CContentList m_content;
};

class CIf : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  Xpath::CExpr* GetTest() const { return m_test.Get(); }
  const CContentList& GetContent() const { return m_content; }

private:
  Core::XInterface<Xpath::CExpr> m_test;
  CContentList m_content;
};

class CWhen : public CStylesheetElement {
public:
  void Compile(CStaticContext& context);
  // Runs the content when the test holds; says whether it did.
  bool ExecuteIfTrue(CContext& context) const;

  Xpath::CExpr* GetTest() const { return m_test.Get(); }
  const CContentList& GetContent() const { return m_content; }

private:
  Core::XInterface<Xpath::CExpr> m_test;
  CContentList m_content;
};

class COtherwise : public CStylesheetElement {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) const;

  const CContentList& GetContent() const { return m_content; }

private:
  CContentList m_content;
};

class CChoose : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  const Core::XArray<Core::XInterface<CWhen>>& GetWhens() const { return m_whens; }
  COtherwise* GetOtherwise() const { return m_otherwise.Get(); }

private:
  Core::XArray<Core::XInterface<CWhen>> m_whens;
  Core::XInterface<COtherwise> m_otherwise;
};

class CMessage : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  bool GetTerminate() const { return m_terminate; }
  const CContentList& GetContent() const { return m_content; }

private:
  bool m_terminate = false;
  CContentList m_content;
};

// Made only for the xsl:fallback children of an element nobody implements.
class CFallback : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  const CContentList& GetContent() const { return m_content; }

private:
  CContentList m_content;
};

} // namespace XsltPrivate
