#include "xslt/compiler/instructions/CopyInstructions.h"

#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

void CCopy::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  context.GetQNameListAttribute(u"use-attribute-sets", m_usedAttributeSets, false, false);
  CompileContent(m_content, context);
}

void CCopyOf::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_select = context.CompileExpressionAttribute(u"select", nullptr, true);
  if (context.GetNode()->FirstChild()) context.ThrowError(Xslt::CXsltException::ContentMustBeEmpty);
}

} // namespace XsltPrivate
