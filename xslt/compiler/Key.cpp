#include "xslt/compiler/Key.h"

#include "xslt/compiler/StaticContext.h"

namespace XsltPrivate {

void CKey::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_name = context.GetQNameAttribute(u"name", false, true);
  m_match = context.CompilePatternAttribute(u"match", nullptr, true);
  m_use = context.CompileExpressionAttribute(u"use", nullptr, true);
}

} // namespace XsltPrivate
