#pragma once
// Instructions that write result nodes: literal text and xsl:text,
// xsl:value-of, literal result elements and xsl:element, xsl:attribute (also
// the attributes of literal result elements and the items of attribute
// sets), xsl:comment and xsl:processing-instruction.
#include <vector>

#include "core/Array.h"
#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Expr.h"
#include "xslt/compiler/Avt.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Instruction.h"

namespace XsltPrivate {

using CExpandedNameList = std::vector<Core::XInterface<CExpandedName>>;

class CText : public CInstruction {
public:
  // xsl:text: its text children, concatenated.
  void Compile(CStaticContext& context);
  // A text node of template content.
  void CompileLiteral(CStaticContext& context);
  void Execute(CContext& context) override;

  const Core::String& GetText() const { return m_text; }
  bool GetDisableOutputEscaping() const { return m_disableOutputEscaping; }

private:
  bool m_disableOutputEscaping = false;
  Core::String m_text;
};

class CValueOf : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  Xpath::CExpr* GetSelect() const { return m_select.Get(); }
  bool GetDisableOutputEscaping() const { return m_disableOutputEscaping; }

private:
  Core::XInterface<Xpath::CExpr> m_select;
  bool m_disableOutputEscaping = false;
};

class CElement : public CInstruction {
public:
  // xsl:element.
  void Compile(CStaticContext& context);
  // A literal result element: its name as written, its attributes (but
  // those in the XSLT namespace) as CAttribute items first in the content,
  // then its children.
  void CompileLiteral(CStaticContext& context);
  void Execute(CContext& context) override;
  void WriteNamespaces(CContext& context) const;

  Xslt::CAvt* GetNameAvt() const { return m_nameAvt.Get(); }
  Xslt::CAvt* GetNamespaceAvt() const { return m_namespaceAvt.Get(); }
  const CExpandedNameList& GetUsedAttributeSets() const { return m_usedAttributeSets; }
  const CContentList& GetContent() const { return m_content; }
  // A literal result element: its namespace goes through xsl:namespace-alias.
  bool IsLiteral() const { return m_literal; }

private:
  Core::XInterface<Xslt::CAvt> m_nameAvt;
  Core::XInterface<Xslt::CAvt> m_namespaceAvt;  // null when absent
  CExpandedNameList m_usedAttributeSets;
  CContentList m_content;
  bool m_literal = false;
  // The namespace nodes WriteNamespaces writes, with their result URIs. They
  // depend only on the executing element and the run's alias table, which
  // stay the same from one execution to the next: computed once for them.
  struct CResultNamespace {
    Core::String prefix;
    Core::String namespaceUri;
  };
  mutable std::vector<CResultNamespace> m_resultNamespaces;
  mutable const void* m_resultNamespacesElement = nullptr;
  mutable const void* m_resultNamespacesAliases = nullptr;
};

class CAttribute : public CInstruction {
public:
  // xsl:attribute (also the children of xsl:attribute-set).
  void Compile(CStaticContext& context);
  // One attribute node of a literal result element: its name as written and
  // its value as an attribute value template.
  void CompileLiteral(CStaticContext& attributeContext);
  void Execute(CContext& context) override;
  // False when the attribute must not be written (the name "xmlns").
  bool EvaluateName(CContext& context, Core::String& qualifiedName, Core::String& namespaceUri) const;
  void WriteValue(CContext& context) const;

  Xslt::CAvt* GetNameAvt() const { return m_nameAvt.Get(); }
  Xslt::CAvt* GetNamespaceAvt() const { return m_namespaceAvt.Get(); }
  Xslt::CAvt* GetValueAvt() const { return m_valueAvt.Get(); }
  const CContentList& GetContent() const { return m_content; }

private:
  Core::XInterface<Xslt::CAvt> m_nameAvt;
  Core::XInterface<Xslt::CAvt> m_namespaceAvt;  // null when absent
  Core::XInterface<Xslt::CAvt> m_valueAvt;      // literal attributes only
  CContentList m_content;
};

class CComment : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  const CContentList& GetContent() const { return m_content; }

private:
  CContentList m_content;
};

class CProcessingInstruction : public CInstruction {
public:
  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  Xslt::CAvt* GetNameAvt() const { return m_nameAvt.Get(); }
  const CContentList& GetContent() const { return m_content; }

private:
  Core::XInterface<Xslt::CAvt> m_nameAvt;
  CContentList m_content;
};

} // namespace XsltPrivate
