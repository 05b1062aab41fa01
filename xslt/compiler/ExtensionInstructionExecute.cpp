#include "xslt/compiler/ExtensionInstruction.h"
#include "xslt/compiler/RunTimeStub.h"

namespace XsltPrivate {

void CExtensionInstruction::Execute(CContext&) { ThrowNotRunnable(u"extension element"); }
void CExtensionInstruction::ExecuteContent(CContext&, int32_t) { ThrowNotRunnable(u"extension element"); }

} // namespace XsltPrivate
