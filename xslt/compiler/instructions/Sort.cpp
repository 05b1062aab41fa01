#include "xslt/compiler/instructions/Sort.h"

#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

void CSort::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_select = context.CompileExpressionAttribute(u"select", u".", false);
  m_lang = context.CompileAvtAttribute(u"lang", nullptr, false);
  m_dataType = context.CompileAvtAttribute(u"data-type", u"text", false);
  m_order = context.CompileAvtAttribute(u"order", u"ascending", false);
  m_caseOrder = context.CompileAvtAttribute(u"case-order", nullptr, false);
  if (context.GetNode()->FirstChild()) context.ThrowError(Xslt::CXsltException::ContentMustBeEmpty);
}

} // namespace XsltPrivate
