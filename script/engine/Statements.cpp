#include "script/engine/Statements.h"

#include "script/engine/Identifiers.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

void CVariableDeclaration::PrintTo(Core::String& out) const {
  m_name.AppendText(out);
  if (m_initialiser) {
    out += u" = ";
    m_initialiser->PrintTo(out);
  }
}

const CPropertyName& CVariableDeclaration::Execute(CExecutionContext& context) const {
  if (m_initialiser) {
    CReferenceParts target;
    m_target->EvaluateReference(context, target);
    XValue value = m_initialiser->EvaluateValue(context);
    m_target->StoreReferenceValue(context, target, value.Get());
  }
  return m_name;
}

void CVariableDeclarationList::PrintTo(Core::String& out) const {
  for (int32_t i = 0; i < m_declarations.GetSize(); ++i) {
    if (i > 0) out += u", ";
    m_declarations[i]->PrintTo(out);
  }
}

void CVariableDeclarationList::Execute(CExecutionContext& context) const {
  for (const XVariableDeclaration& declaration : m_declarations) declaration->Execute(context);
}

void CVariableStatement::PrintTo(Core::String& out) const {
  out += u"var ";
  m_list.PrintTo(out);
  out += u';';
}

CCompletion CVariableStatement::Execute(CExecutionContext& context) {
  m_list.Execute(context);
  return {};
}

void CExpressionStatement::PrintTo(Core::String& out) const {
  m_expression->PrintTo(out);
  out += u';';
}

CCompletion CExpressionStatement::Execute(CExecutionContext& context) {
  return {CCompletion::Normal, m_expression->EvaluateValue(context)};
}

void CIfStatement::PrintTo(Core::String& out) const {
  out += u"if (";
  m_condition->PrintTo(out);
  out += u") ";
  m_then->PrintTo(out);
  if (m_else) {
    out += u" else ";
    m_else->PrintTo(out);
  }
}

CCompletion CIfStatement::Execute(CExecutionContext& context) {
  if (m_condition->EvaluateCondition(context)) return m_then->Execute(context);
  if (m_else) return m_else->Execute(context);
  return {};
}

void CReturnStatement::PrintTo(Core::String& out) const {
  out += u"return";
  if (m_expression) {
    out += u' ';
    m_expression->PrintTo(out);
  }
  out += u';';
}

CCompletion CReturnStatement::Execute(CExecutionContext& context) {
  if (!m_expression) return {CCompletion::Return, EcmaScript::MakeUndefined()};
  return {CCompletion::Return, m_expression->EvaluateValue(context)};
}

void CWithStatement::PrintTo(Core::String& out) const {
  out += u"with (";
  m_object->PrintTo(out);
  out += u") ";
  m_body->PrintTo(out);
}

CCompletion CWithStatement::Execute(CExecutionContext& context) {
  XValue value = m_object->EvaluateValue(context);
  XObject object = EcmaScript::ToObject(context, value.Get());
  EcmaScript::CScopeChain& chain = context.GetScopeChain();
  chain.Append(object);
  struct CRestore {
    EcmaScript::CScopeChain& chain;
    ~CRestore() { chain.RemoveLast(); }
  } restore{chain};
  return m_body->Execute(context);
}

} // namespace EcmaScriptPrivate
