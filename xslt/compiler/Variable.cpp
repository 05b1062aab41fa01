#include "xslt/compiler/Variable.h"

#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

void CBindingDefinition::Compile(CStaticContext& context) {
  name = context.GetQNameAttribute(u"name", false, true);
  select = context.CompileExpressionAttribute(u"select", nullptr, false);
  CStylesheetElement::CompileContent(content, context);
  if (select && !IsContentEmpty(content)) context.ThrowError(Xslt::CXsltException::ContentMustBeEmpty);
}

void CParam::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_definition.Compile(context);
}

void CVariable::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_definition.Compile(context);
}

} // namespace XsltPrivate
