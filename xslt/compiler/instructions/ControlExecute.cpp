#include "core/WorkBudget.h"
#include "xslt/compiler/instructions/ControlInstructions.h"
#include "xslt/compiler/instructions/SelectedNodes.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/output/OutputElementStack.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace XsltPrivate {

void CForEach::Execute(CContext& context) {
  Core::XInterface<Xpath::CIterator> nodes = SelectNodes(context, m_select.Get(), m_sorts);
  Core::XInterface<CContext> list(new CContext(context, nodes.Get()));
  // xsl:apply-imports has no current template rule inside the body.
  list->SetCurrentTemplateRule(nullptr);
  Core::XInterface<CContext> holder;
  for (Dom::XNode node = nodes->GetNode(); node; node = NextNode(context, *nodes)) {
    Core::SpendWork(Core::kCallWork);
    // Variables bound in the body live for one node.
    CContext& body = CContext::ChildFor(holder, *list, this);
    ExecuteInstructions(m_content, body);
    body.EndScope();
  }
  list->EndScope();
}

void CIf::Execute(CContext& context) {
  Core::XInterface<Xpath::CValue> test = context.Evaluate(m_test.Get());
  if (context.EvaluateBoolean(*test)) ExecuteInstructions(m_content, context);
}

bool CWhen::ExecuteIfTrue(CContext& context) const {
  Core::XInterface<Xpath::CValue> test = context.Evaluate(m_test.Get());
  if (!context.EvaluateBoolean(*test)) return false;
  ExecuteInstructions(m_content, context);
  return true;
}

void COtherwise::Execute(CContext& context) const { ExecuteInstructions(m_content, context); }

void CChoose::Execute(CContext& context) {
  Core::XInterface<CContext> holder;
  for (int32_t i = 0, n = m_whens.GetSize(); i < n; ++i) {
    CWhen* when = m_whens[i].Get();
    CContext& child = CContext::ChildFor(holder, context, when);
    bool done = when->ExecuteIfTrue(child);
    child.EndScope();
    if (done) return;
  }
  if (!m_otherwise) return;
  CContext& child = CContext::ChildFor(holder, context, m_otherwise.Get());
  m_otherwise->Execute(child);
  child.EndScope();
}

void CMessage::Execute(CContext& context) {
  Core::XInterface<COutputElementStack> output(
      new COutputElementStack(context.GetImplementation()->GetMessageHandler()));
  Core::XInterface<CContext> capture(new CContext(context, output.Get()));
  // The message goes to its own stream: written inside xsl:attribute or
  // xsl:comment, its elements still give their text.
  capture->ClearTextOnly();
  capture->StartDocument();
  ExecuteInstructions(m_content, *capture);
  capture->EndDocument();
  capture->EndScope();
  if (m_terminate) context.ThrowError(Xslt::CXsltException::ProcessingTerminated);
}

void CFallback::Execute(CContext& context) { ExecuteInstructions(m_content, context); }

} // namespace XsltPrivate
