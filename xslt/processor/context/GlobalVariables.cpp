// Evaluating a global needs a run-time context of its own; kept apart from the
// variable tables so that the tables do not depend on the context that uses them.
#include "xslt/processor/context/VariableTable.h"

#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Variable.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/KeptNodeSet.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

Core::XInterface<Xpath::CValue> CTopLevelVariableTable::Evaluate(int32_t index) {
  if (m_values[size_t(index)] || size_t(index) >= m_scratch.size() || !m_runContext)
    return m_values[size_t(index)];
  CScratch& scratch = m_scratch[size_t(index)];
  CExpandedName* name = scratch.param ? scratch.param->GetName() : scratch.variable->GetName();
  if (scratch.inProgress) m_runContext->ThrowError(Xslt::CXsltException::CircularVariableDefinitions,
                                                   name->NamespaceUri(), name->LocalName());
  CNestingLevel level(*m_runContext, name->LocalName());
  // Cleared also when the evaluation fails: whoever catches that failure may
  // still ask for the global.
  struct CInProgress {
    std::vector<CScratch>& scratch;
    size_t index;
    ~CInProgress() {
      if (index < scratch.size()) scratch[index].inProgress = false;
    }
  } inProgress{m_scratch, size_t(index)};
  scratch.inProgress = true;
  CStylesheetElement* declaration = scratch.param ? static_cast<CStylesheetElement*>(scratch.param.Get())
                                                  : static_cast<CStylesheetElement*>(scratch.variable.Get());
  Core::XInterface<Xpath::CValue> value;
  {
    Core::XInterface<CContext> child(new CContext(*m_runContext, declaration, true));
    child->SetFlag16();
    value = scratch.param ? scratch.param->Evaluate(*child) : scratch.variable->Evaluate(*child);
    child->EndScope();
    // A node set that turns out to need itself is reported as this global.
    value = KeepNodeSetValue(value.Get(), child.Get(), name->NamespaceUri(), name->LocalName());
  }
  m_values[size_t(index)] = value;
  return value;
}

void CTopLevelVariableTable::EvaluateAll(CContext& runContext) {
  m_runContext = &runContext;
  try {
    for (int32_t i = 0, n = int32_t(m_values.size()); i < n; ++i) Evaluate(i);
  } catch (...) {
    EndEvaluation();
    throw;
  }
  EndEvaluation();
}

} // namespace XsltPrivate
