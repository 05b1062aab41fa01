#include "script/engine/PrimaryExpressions.h"

#include "script/engine/Identifiers.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

XValue CThisExpression::Evaluate(CExecutionContext& context) { return EcmaScript::MakeObject(context.GetThisObject()); }

EcmaScript::CScriptObject* CIdentifierExpression::InnermostAtCachedSlot(
    CExecutionContext& context, const EcmaScript::CPropertyEntry*& entry) const {
  const EcmaScript::CScopeChain& chain = context.GetScopeChain();
  if (m_slot < 0 || chain.GetSize() == 0 || !m_name.GetSharedText()) return nullptr;
  EcmaScript::CScriptObject* innermost = chain[chain.GetSize() - 1];
  if (innermost->HasCustomLookup()) return nullptr;
  const EcmaScript::CPropertyTable& table = innermost->GetPropertyTable();
  if (m_slot >= table.GetCapacity()) return nullptr;
  entry = table.GetAt(m_slot);
  // The same text object means the same name.
  return entry && entry->GetSharedText() == m_name.GetSharedText() ? innermost : nullptr;
}

void CIdentifierExpression::CacheSlot(CExecutionContext& context, EcmaScript::CScriptObject* scope) {
  const EcmaScript::CScopeChain& chain = context.GetScopeChain();
  if (!scope || scope != chain[chain.GetSize() - 1] || scope->HasCustomLookup()) return;
  m_slot = scope->GetPropertyTable().FindSlot(m_name);
}

XValue CIdentifierExpression::Evaluate(CExecutionContext& context) {
  CReferenceParts parts;
  EvaluateReference(context, parts);
  return XValue(new EcmaScript::CReferenceValue(parts.base.Get(), m_name));
}

XValue CIdentifierExpression::FetchValue(CExecutionContext& context) {
  const EcmaScript::CPropertyEntry* entry = nullptr;
  if (EcmaScript::CScriptObject* scope = InnermostAtCachedSlot(context, entry)) {
    if (entry->GetNativeId() >= 0) return scope->GetNativeProperty(context, entry->GetNativeId());
    return XValue(entry->GetValue());
  }
  EcmaScript::CScriptObject* scope = nullptr;
  XValue value = FetchIdentifier(context, m_name, &scope);
  CacheSlot(context, scope);
  return value;
}

bool CIdentifierExpression::EvaluateReference(CExecutionContext& context, CReferenceParts& parts) {
  const EcmaScript::CPropertyEntry* entry = nullptr;
  EcmaScript::CScriptObject* scope = InnermostAtCachedSlot(context, entry);
  if (!scope) {
    scope = FindScope(context, m_name);
    CacheSlot(context, scope);
  }
  parts.base = scope;
  parts.name = m_name;
  return true;
}

void CStringLiteralExpression::PrintTo(Core::String& out) const {
  out += u'"';
  for (char16_t c : m_text) {
    switch (c) {
    case u'\\':
      out += u"\\\\";
      break;
    case u'"':
      out += u"\\\"";
      break;
    case u'\r':
      out += u"\\r";
      break;
    case u'\n':
      out += u"\\n";
      break;
    default:
      out += c;
    }
  }
  out += u'"';
}

void CParenthesizedExpression::PrintTo(Core::String& out) const {
  out += u'(';
  m_inner->PrintTo(out);
  out += u')';
}

} // namespace EcmaScriptPrivate
