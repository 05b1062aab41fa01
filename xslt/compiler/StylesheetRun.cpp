#include "xslt/compiler/RunTimeStub.h"
#include "xslt/compiler/Stylesheet.h"

namespace XsltPrivate {

void CStylesheet::Run(Core::StringView, Xslt::CInputHandler*, const Dom::XNode&, Xslt::CLocationHandler*,
                      Xslt::COutputHandler*, Xslt::CExternalParamList*) {
  ThrowNotRunnable(u"stylesheet");
}
void CStylesheet::ApplyTemplates(CContext&, const CExpandedName*, const CParamList&) {
  ThrowNotRunnable(u"xsl:apply-templates");
}
void CStylesheet::ApplyImports(CContext&, const CExpandedName*) { ThrowNotRunnable(u"xsl:apply-imports"); }

} // namespace XsltPrivate
