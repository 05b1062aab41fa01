#include "xslt/compiler/RunTimeStub.h"
#include "xslt/compiler/instructions/Number.h"

namespace XsltPrivate {

void CNumber::Execute(CContext&) { ThrowNotRunnable(u"xsl:number"); }

} // namespace XsltPrivate
