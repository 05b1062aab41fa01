#include "core/WorkBudget.h"
#include "xslt/compiler/ExtensionInstruction.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/extensions/PrivateExtensionContext.h"

namespace XsltPrivate {

// A package that made no element object has nothing to run.
void CExtensionInstruction::Execute(CContext& context) {
  if (!m_element) return;
  RunExtensionCode(context, this, [this](Xslt::CExtensionContext* extension) { m_element->Execute(extension); });
}

// As a content list runs: each instruction in a child context of its own,
// ended after it. Every request runs the block again.
void CExtensionInstruction::ExecuteContent(CContext& context, int32_t block) {
  for (const CEntry& entry : m_content) {
    if (entry.block != block) continue;
    Core::SpendWork(Core::kCallWork);
    Core::XInterface<CContext> child(new CContext(context, entry.instruction.Get(), false));
    entry.instruction->Execute(*child);
    child->EndScope();
  }
}

} // namespace XsltPrivate
