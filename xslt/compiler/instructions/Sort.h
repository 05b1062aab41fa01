#pragma once
// xsl:sort, the child of xsl:apply-templates and xsl:for-each that orders
// the selected nodes.
#include "core/Array.h"
#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Expr.h"
#include "xpath/NodeSet.h"
#include "xslt/compiler/Avt.h"
#include "xslt/compiler/StylesheetElement.h"

namespace XsltPrivate {

class CContext;

class CSort : public CStylesheetElement {
public:
  void Compile(CStaticContext& context);

  Xpath::CExpr* GetSelect() const { return m_select.Get(); }
  Xslt::CAvt* GetLang() const { return m_lang.Get(); }
  Xslt::CAvt* GetDataType() const { return m_dataType.Get(); }
  Xslt::CAvt* GetOrder() const { return m_order.Get(); }
  Xslt::CAvt* GetCaseOrder() const { return m_caseOrder.Get(); }

  // The select value of the context's node as a string.
  Core::String EvaluateKey(CContext& context) const;

private:
  Core::XInterface<Xpath::CExpr> m_select;     // "." when absent
  Core::XInterface<Xslt::CAvt> m_lang;         // null when absent
  Core::XInterface<Xslt::CAvt> m_dataType;     // "text" when absent
  Core::XInterface<Xslt::CAvt> m_order;        // "ascending" when absent
  Core::XInterface<Xslt::CAvt> m_caseOrder;    // null when absent
};

using CSortList = Core::XArray<Core::XInterface<CSort>>;

// The iterator to use for the selected nodes: the given one without sorts,
// else one over the nodes sorted by the keys.
Core::XInterface<Xpath::CIterator> SortNodes(const CSortList& sorts, CContext& context,
                                             const Core::XInterface<Xpath::CIterator>& iterator);

} // namespace XsltPrivate
