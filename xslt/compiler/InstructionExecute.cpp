#include "core/Interface.h"
#include "core/WorkBudget.h"
#include "xslt/compiler/Instruction.h"
#include "xslt/compiler/InstructionFactory.h"
#include "xslt/processor/context/Context.h"

namespace XsltPrivate {

void ExecuteInstructions(const CContentList& content, CContext& context) {
  Core::XInterface<CContext> holder;
  for (int32_t i = 0, n = content.GetSize(); i < n; ++i) {
    CInstruction* instruction = content[i].Get();
    Core::SpendWork(Core::kCallWork);
    CContext& child = CContext::ChildFor(holder, context, instruction);
    instruction->Execute(child);
    child.EndScope();
  }
}

void CUnrecognizedInstruction::Execute(CContext& context) { ExecuteInstructions(m_fallbacks, context); }

} // namespace XsltPrivate
