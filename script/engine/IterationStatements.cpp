#include "script/engine/IterationStatements.h"

#include "core/WorkBudget.h"
#include "script/engine/Identifiers.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

namespace {

// What a body completion does to the loop: true ends it with result set.
bool EndsLoop(CCompletion& body, XValue& running, CCompletion& result) {
  if (body.value) running = body.value;
  switch (body.type) {
  case CCompletion::Break:
    result = {CCompletion::Normal, running};
    return true;
  case CCompletion::Return:
    result = std::move(body);
    return true;
  default:  // normal or continue
    return false;
  }
}

// Every iteration the script asks for: a test, or the next property.
bool Test(CExecutionContext& context, CExpression* condition) {
  Core::SpendWork(Core::kLoopWork);
  return condition->EvaluateCondition(context);
}

} // namespace

void CWhileStatement::PrintTo(Core::String& out) const {
  out += u"while (";
  m_condition->PrintTo(out);
  out += u") ";
  m_body->PrintTo(out);
}

CCompletion CWhileStatement::Execute(CExecutionContext& context) {
  XValue running;
  CCompletion result;
  while (Test(context, m_condition.Get())) {
    CCompletion body = m_body->Execute(context);
    if (EndsLoop(body, running, result)) return result;
  }
  return {CCompletion::Normal, running};
}

void CForStatement::PrintTo(Core::String& out) const {
  out += u"for (";
  if (m_declarations) {
    out += u"var ";
    m_declarations->PrintTo(out);
  } else if (m_initialiser) {
    m_initialiser->PrintTo(out);
  } else {
    out += u' ';
  }
  out += u"; ";
  if (m_test) m_test->PrintTo(out);
  else out += u' ';
  out += u"; ";
  if (m_update) m_update->PrintTo(out);
  else out += u' ';
  out += u") ";
  m_body->PrintTo(out);
}

CCompletion CForStatement::Execute(CExecutionContext& context) {
  if (m_declarations) m_declarations->Execute(context);
  else if (m_initialiser) m_initialiser->EvaluateValue(context);
  XValue running;
  CCompletion result;
  for (;;) {
    if (!m_test) Core::SpendWork(Core::kLoopWork);
    if (m_test && !Test(context, m_test.Get())) break;
    CCompletion body = m_body->Execute(context);
    if (EndsLoop(body, running, result)) return result;
    if (m_update) m_update->EvaluateValue(context);
  }
  return {CCompletion::Normal, running};
}

void CForInStatement::PrintTo(Core::String& out) const {
  out += u"for (";
  if (m_declaration) {
    out += u"var ";
    m_declaration->PrintTo(out);
  } else {
    m_target->PrintTo(out);
  }
  out += u" in ";
  m_object->PrintTo(out);
  out += u") ";
  m_body->PrintTo(out);
}

CCompletion CForInStatement::Execute(CExecutionContext& context) {
  if (m_declaration) m_declaration->Execute(context);
  XValue value = m_object->EvaluateValue(context);
  XObject object = EcmaScript::ToObject(context, value.Get());
  Core::SpendWork(Core::kCallWork);  // the enumerator copies the names
  Core::XInterface<EcmaScript::CPropertyEnumerator> enumerator = object->GetEnumerator();
  XValue running;
  CCompletion result;
  CPropertyName name;
  while (enumerator->Next(name)) {
    Core::SpendWork(Core::kLoopWork);
    XValue text = EcmaScript::MakeString(name.GetText());
    if (m_declaration) {
      CReferenceParts target;
      target.base = FindScope(context, m_declaration->GetName());
      target.name = m_declaration->GetName();
      PutReferenceValue(context, target, text.Get());
    } else {
      XValue target = m_target->Evaluate(context);
      EcmaScript::PutValue(context, target.Get(), text.Get());
    }
    CCompletion body = m_body->Execute(context);
    if (EndsLoop(body, running, result)) return result;
  }
  return {CCompletion::Normal, running};
}

} // namespace EcmaScriptPrivate
