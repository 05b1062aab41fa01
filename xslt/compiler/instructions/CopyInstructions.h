#pragma once
// xsl:copy (shallow copy of the current node) and xsl:copy-of (deep copy of
// node sets, replay of result tree fragments, text for other values), with
// the writers of single nodes they share.
#include "core/Interface.h"
#include "xml/tree/Dom.h"
#include "xpath/Expr.h"
#include "xslt/compiler/Instruction.h"
#include "xslt/compiler/instructions/ResultInstructions.h"

namespace XsltPrivate {

class CCopy : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  const CExpandedNameList& GetUsedAttributeSets() const { return m_usedAttributeSets; }
  const CContentList& GetContent() const { return m_content; }

private:
  CExpandedNameList m_usedAttributeSets;
  CContentList m_content;
};

class CCopyOf : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;
  static void CopyNode(const Dom::XNode& node, CContext& context);

  Xpath::CExpr* GetSelect() const { return m_select.Get(); }

private:
  Core::XInterface<Xpath::CExpr> m_select;
};

void CopyAttributeNode(const Dom::XNode& node, CContext& context);
void CopyTextNode(const Dom::XNode& node, CContext& context);
void CopyCommentNode(const Dom::XNode& node, CContext& context);
void CopyProcessingInstructionNode(const Dom::XNode& node, CContext& context);
void CopyNamespaceNode(const Dom::XNode& node, CContext& context);

} // namespace XsltPrivate
