#include "xslt/compiler/RunTimeStub.h"
#include "xslt/compiler/Template.h"

namespace XsltPrivate {

bool CTemplate::Match(CMatchContext&, const CExpandedName*, double&) const { ThrowNotRunnable(u"xsl:template"); }
void CTemplate::Execute(CContext&, const CParamList&) { ThrowNotRunnable(u"xsl:template"); }
void CTemplate::BindParams(CContext&, const CParamList&) const { ThrowNotRunnable(u"xsl:param"); }

} // namespace XsltPrivate
