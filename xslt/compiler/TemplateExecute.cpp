#include "core/WorkBudget.h"
#include "xslt/compiler/Template.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/KeptNodeSet.h"
#include "xslt/processor/context/MatchContext.h"
#include "xslt/processor/context/ParamList.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

bool CTemplate::Match(CMatchContext& matchContext, const CExpandedName* mode, double& priority) const {
  if (!m_match || !SameName(m_mode.Get(), mode)) return false;
  Dom::XNode node = matchContext.GetCurrentNode();
  if (!node) return false;
  int32_t nameHash = matchContext.GetNameHash();
  bool matched = false;
  double best = 0;
  for (int32_t i = 0, n = m_match->GetCount(); i < n; ++i) {
    CLocationPathPattern* alternative = m_match->GetAt(i);
    int32_t hash = alternative->GetNameHash();
    if (hash >= 0 && hash != nameHash) continue;
    if (!alternative->Match(matchContext, node)) continue;
    if (m_hasPriority) {
      priority = m_priority;
      return true;
    }
    double p = alternative->GetDefaultPriority();
    if (!matched || p > best) best = p;
    matched = true;
  }
  if (matched) priority = best;
  return matched;
}

void CTemplate::Execute(CContext& context, const CParamList& parameters) {
  context.SetCurrentTemplateRule(this);
  Run(context, parameters);
}

void CTemplate::Call(CContext& context, const CParamList& parameters) { Run(context, parameters); }

void CTemplate::Run(CContext& context, const CParamList& parameters) {
  Core::SpendWork(Core::kCallWork);
  CTopLevelContext* run = context.GetTopLevelContext();
  if (!run->EnterNesting()) {
    context.ThrowError(Xslt::CXsltException::RecursionTooDeep,
                       m_name ? m_name->LocalName() : context.GetCurrentStylesheetElement()->GetNodeName());
  }
  struct CLeave {
    CTopLevelContext* run;
    ~CLeave() { run->LeaveNesting(); }
  } leave{run};
  BindParams(context, parameters);
  ExecuteInstructions(m_content, context);
}

void CTemplate::BindParams(CContext& context, const CParamList& parameters) const {
  Core::XInterface<CContext> holder;
  for (int32_t i = 0, n = m_params.GetSize(); i < n; ++i) {
    CParam* param = m_params[i].Get();
    // A value given by the caller that is bound as it is needs no scope of
    // its own: nothing is evaluated. A name bound twice takes the long way,
    // which reports it at the parameter.
    CExpandedName* name = param->GetName();
    Xpath::CValue* given = parameters.Find(name->NamespaceUri(), name->LocalName());
    if (given && IsKeptAsItIs(given) && context.BindVariable(name, given)) continue;
    CContext& child = CContext::ChildFor(holder, context, param);
    param->Bind(child, given);
    child.EndScope();
  }
}

} // namespace XsltPrivate
