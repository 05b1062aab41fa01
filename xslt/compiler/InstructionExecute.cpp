#include "xslt/compiler/Instruction.h"
#include "xslt/compiler/InstructionFactory.h"
#include "xslt/compiler/RunTimeStub.h"

namespace XsltPrivate {

void ExecuteInstructions(const CContentList&, CContext&) { ThrowNotRunnable(u"content"); }

void CUnrecognizedInstruction::Execute(CContext& context) { ExecuteInstructions(m_fallbacks, context); }

} // namespace XsltPrivate
