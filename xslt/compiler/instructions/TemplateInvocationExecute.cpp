#include "core/WorkBudget.h"
#include "xslt/compiler/Stylesheet.h"
#include "xslt/compiler/Template.h"
#include "xslt/compiler/instructions/SelectedNodes.h"
#include "xslt/compiler/instructions/TemplateInvocation.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/ParamList.h"
#include "xslt/processor/context/TopLevelTables.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

namespace {

// Each value is computed in a child of the instruction's context that sees
// its variables. The value outlives that child (the called templates bind
// it), so the documents it was computed from pass to the instruction's scope.
void EvaluateWithParams(const CWithParamList& params, CContext& context, CParamList& parameters) {
  parameters.Reserve(size_t(params.GetSize()));
  Core::XInterface<CContext> holder;
  for (int32_t i = 0, n = params.GetSize(); i < n; ++i) {
    CWithParam* param = params[i].Get();
    CContext& child = CContext::ChildFor(holder, context, param);
    child.SetFlag8();
    Core::XInterface<Xpath::CValue> value = param->Evaluate(child);
    child.EndScope();
    parameters.Add(param->GetName(), value.Get());
  }
}

} // namespace

Core::XInterface<Xpath::CValue> CWithParam::Evaluate(CContext& context) const { return m_definition.Evaluate(context); }

void CApplyTemplates::Execute(CContext& context) {
  Core::XInterface<Xpath::CIterator> nodes = SelectNodes(context, m_select.Get(), m_sorts);
  CParamList parameters;
  EvaluateParams(context, parameters);
  CStylesheet* stylesheet = context.GetStylesheet();
  Core::XInterface<CContext> list(new CContext(context, nodes.Get()));
  for (Dom::XNode node = nodes->GetNode(); node; node = NextNode(context, *nodes)) {
    Core::SpendWork(Core::kCallWork);
    stylesheet->ApplyTemplates(*list, m_mode.Get(), parameters);
  }
  list->EndScope();
}

void CApplyTemplates::EvaluateParams(CContext& context, CParamList& parameters) const {
  EvaluateWithParams(m_params, context, parameters);
}

void CCallTemplate::Execute(CContext& context) {
  if (!m_resolved) {
    m_resolved = context.GetNamedTemplateTable()->Find(m_name->NamespaceUri(), m_name->LocalName(), false);
    if (!m_resolved)
      context.ThrowError(Xslt::CXsltException::NamedTemplateNotFound, m_name->NamespaceUri(), m_name->LocalName());
  }
  CParamList parameters;
  EvaluateParams(context, parameters);
  // A fresh variable table: the caller's local variables are out of sight.
  Core::XInterface<CContext> body(new CContext(context, m_resolved, true));
  m_resolved->Call(*body, parameters);
  body->EndScope();
}

void CCallTemplate::EvaluateParams(CContext& context, CParamList& parameters) const {
  EvaluateWithParams(m_params, context, parameters);
}

void CApplyImports::Execute(CContext& context) {
  CTemplate* rule = context.GetCurrentTemplateRule();
  if (!rule) context.ThrowError(Xslt::CXsltException::CurrentTemplateRuleIsNull);
  rule->GetModule()->ApplyImports(context, rule->GetMode());
}

} // namespace XsltPrivate
