#include "script/engine/ParseTree.h"

#include "script/engine/Conversions.h"
#include "script/engine/GlobalObjectBase.h"
#include "script/engine/ScriptExceptions.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

using EcmaScript::CEcmaScriptException;
using EcmaScript::CRuntimeError;

XValue CExpression::FetchValue(CExecutionContext& context) {
  XValue result = Evaluate(context);
  return EcmaScript::GetValue(context, result.Get());
}

bool CExpression::EvaluateReference(CExecutionContext&, CReferenceParts&) { return false; }

bool CExpression::EvaluateCondition(CExecutionContext& context) {
  XValue value = EvaluateValue(context);
  return EcmaScript::ToBoolean(value.Get());
}

XValue GetReferenceValue(CExecutionContext& context, const CReferenceParts& parts) {
  if (!parts.base) {
    XValue reference(new EcmaScript::CReferenceValue(nullptr, parts.name));
    throw CRuntimeError(CRuntimeError::GetValueInvalidReference, reference.Get());
  }
  return parts.base->Get(context, parts.name);
}

XValue CExpression::FetchReferenceValue(CExecutionContext& context, const CReferenceParts& parts) {
  return GetReferenceValue(context, parts);
}

void CExpression::StoreReferenceValue(CExecutionContext& context, const CReferenceParts& parts, CValue* value) {
  PutReferenceValue(context, parts, value);
}

void PutReferenceValue(CExecutionContext& context, const CReferenceParts& parts, CValue* value) {
  CScriptObject* target = parts.base ? parts.base.Get() : context.GetGlobalObject();
  target->Put(context, parts.name, value);
}

void CStatementList::PrintTo(Core::String& out) const {
  for (int32_t i = 0; i < m_statements.GetSize(); ++i) {
    if (i > 0) out += u' ';
    m_statements[i]->PrintTo(out);
  }
}

CCompletion CStatementList::Execute(CExecutionContext& context) const {
  // A body of one statement (a function that returns an expression) adds
  // no frame of its own to a recursion.
  if (m_statements.GetSize() == 1) return ExecuteStatement(context, m_statements[0].Get());
  return ExecuteEach(context);
}

CCompletion CStatementList::ExecuteEach(CExecutionContext& context) const {
  int32_t n = m_statements.GetSize();
  if (n == 0) return {};
  CCompletion current = ExecuteStatement(context, m_statements[0].Get());
  for (int32_t i = 1; i < n && current.type == CCompletion::Normal; ++i) {
    CCompletion next = ExecuteStatement(context, m_statements[i].Get());
    current.type = next.type;
    if (next.value) current.value = std::move(next.value);
  }
  return current;
}

// Kept out of line so that the frames of the statement loop, which a
// recursion stacks hundreds deep, hold nothing of the wrapped exceptions.
void CStatementList::RethrowWithLine(CStatement* statement) {
  try {
    throw;
  } catch (const CEcmaScriptException&) {
    throw;
  } catch (const CRuntimeError& error) {
    CEcmaScriptException wrapped(error);
    wrapped.SetLine(statement->GetLine());
    wrapped.SetValue(error.GetValue());
    wrapped.SetObject(error.GetObject());
    throw wrapped;
  } catch (const Core::IException& error) {
    CEcmaScriptException wrapped(error);
    wrapped.SetLine(statement->GetLine());
    throw wrapped;
  }
}

CCompletion CStatementList::ExecuteStatement(CExecutionContext& context, CStatement* statement) {
  try {
    return statement->Execute(context);
  } catch (...) {
    RethrowWithLine(statement);
  }
}

void CBlockStatement::PrintTo(Core::String& out) const {
  out += u"{ ";
  if (!m_list.IsEmpty()) {
    m_list.PrintTo(out);
    out += u' ';
  }
  out += u'}';
}

} // namespace EcmaScriptPrivate
