#include "xslt/compiler/Variable.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/output/ResultTreeFragment.h"

namespace XsltPrivate {

Core::XInterface<Xpath::CValue> CBindingDefinition::Evaluate(CContext& context) const {
  if (select) return context.Evaluate(select.Get());
  if (IsContentEmpty(content)) return new Xpath::CStringValue(Core::String());
  return context.EvaluateToResultTreeFragment(content);
}

Core::XInterface<Xpath::CValue> CParam::Evaluate(CContext& context) const { return m_definition.Evaluate(context); }

// The value is computed here and bound outside this context: the documents
// it was computed from must outlive the context.
void CParam::Bind(CContext& context, Xpath::CValue* given) const {
  context.SetFlag8();
  Core::XInterface<Xpath::CValue> value = given;
  if (!value) value = Evaluate(context);
  context.SetPendingVariable(GetName(), value.Get());
}

Core::XInterface<Xpath::CValue> CVariable::Evaluate(CContext& context) const { return m_definition.Evaluate(context); }

void CVariable::Execute(CContext& context) {
  context.SetFlag8();
  Core::XInterface<Xpath::CValue> value = Evaluate(context);
  CExpandedName* name = GetName();
  context.SetPendingVariable(name, value.Get());
}

} // namespace XsltPrivate
