#include "xslt/compiler/NamespaceAlias.h"

#include "xslt/compiler/StaticContext.h"

namespace XsltPrivate {

void CNamespaceAlias::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  Core::String stylesheetPrefix;
  context.GetAttribute(u"stylesheet-prefix", stylesheetPrefix, true);
  context.GetAttribute(u"result-prefix", m_resultPrefix, true);
  m_stylesheetNamespace = context.ResolvePrefix(stylesheetPrefix);
  m_resultNamespace = context.ResolvePrefix(m_resultPrefix);
}

} // namespace XsltPrivate
