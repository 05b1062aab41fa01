#include "xslt/compiler/Key.h"
#include "xslt/compiler/RunTimeStub.h"

namespace XsltPrivate {

void CKey::GetKeyValues(const Dom::XNode&, CContext&, std::vector<Core::String>&) const { ThrowNotRunnable(u"xsl:key"); }

} // namespace XsltPrivate
