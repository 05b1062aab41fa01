#include "script/engine/PrimaryExpressions.h"

#include "script/engine/ActivationObject.h"
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

EcmaScript::CPropertyEntry* CIdentifierExpression::OwnAtCachedSlot(EcmaScript::CScriptObject* object) const {
  if (object->HasCustomLookup() || !m_name.GetSharedText()) return nullptr;
  const EcmaScript::CPropertyTable& table = object->GetPropertyTable();
  for (int32_t slot : {m_slot, m_globalSlot}) {
    if (slot < 0 || slot >= table.GetCapacity()) continue;
    EcmaScript::CPropertyEntry* entry = table.GetAt(slot);
    if (entry && entry->GetSharedText() == m_name.GetSharedText()) return entry;
  }
  return nullptr;
}

const EcmaScript::CPropertyEntry* CIdentifierExpression::GlobalAtCachedSlot(CExecutionContext& context) const {
  const EcmaScript::CScopeChain& chain = context.GetScopeChain();
  if (m_globalSlot < 0 || chain.GetSize() != 2 || !m_name.GetSharedText()) return nullptr;
  EcmaScript::CScriptObject* activation = context.GetActivationObject();
  if (!activation || chain[1] != activation) return nullptr;
  // A context's activation object is always one made for a call.
  auto* call = static_cast<EcmaScript::CActivationObject*>(activation);
  if (call->GetDefinitionSerial() != m_outerSerial || !call->HoldsOnlyBindings()) return nullptr;
  EcmaScript::CScriptObject* global = chain[0];
  if (global->HasCustomLookup()) return nullptr;
  const EcmaScript::CPropertyTable& table = global->GetPropertyTable();
  if (m_globalSlot >= table.GetCapacity()) return nullptr;
  const EcmaScript::CPropertyEntry* entry = table.GetAt(m_globalSlot);
  return entry && entry->GetSharedText() == m_name.GetSharedText() ? entry : nullptr;
}

void CIdentifierExpression::CacheSlot(CExecutionContext& context, EcmaScript::CScriptObject* scope) {
  const EcmaScript::CScopeChain& chain = context.GetScopeChain();
  if (!scope || scope->HasCustomLookup()) return;
  if (scope == chain[chain.GetSize() - 1]) {
    m_slot = scope->GetPropertyTable().FindSlot(m_name);
    return;
  }
  EcmaScript::CScriptObject* activation = context.GetActivationObject();
  if (chain.GetSize() == 2 && scope == chain[0] && activation && chain[1] == activation) {
    m_outerSerial = static_cast<EcmaScript::CActivationObject*>(activation)->GetDefinitionSerial();
    m_globalSlot = scope->GetPropertyTable().FindSlot(m_name);
  }
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
  if (const EcmaScript::CPropertyEntry* global = GlobalAtCachedSlot(context)) {
    if (global->GetNativeId() >= 0) return context.GetScopeChain()[0]->GetNativeProperty(context, global->GetNativeId());
    return XValue(global->GetValue());
  }
  EcmaScript::CScriptObject* scope = nullptr;
  XValue value = FetchIdentifier(context, m_name, &scope);
  CacheSlot(context, scope);
  return value;
}

bool CIdentifierExpression::EvaluateReference(CExecutionContext& context, CReferenceParts& parts) {
  const EcmaScript::CPropertyEntry* entry = nullptr;
  EcmaScript::CScriptObject* scope = InnermostAtCachedSlot(context, entry);
  if (!scope && GlobalAtCachedSlot(context)) scope = context.GetScopeChain()[0];
  if (!scope) {
    scope = FindScope(context, m_name);
    CacheSlot(context, scope);
  }
  parts.base = scope;
  parts.name = m_name;
  return true;
}

XValue CIdentifierExpression::FetchReferenceValue(CExecutionContext& context, const CReferenceParts& parts) {
  if (parts.base) {
    if (const EcmaScript::CPropertyEntry* entry = OwnAtCachedSlot(parts.base.Get())) {
      if (entry->GetNativeId() >= 0) return parts.base->GetNativeProperty(context, entry->GetNativeId());
      return XValue(entry->GetValue());
    }
  }
  return GetReferenceValue(context, parts);
}

void CIdentifierExpression::StoreReferenceValue(CExecutionContext& context, const CReferenceParts& parts,
                                                CValue* value) {
  if (parts.base) {
    EcmaScript::CPropertyEntry* entry = OwnAtCachedSlot(parts.base.Get());
    // Read-only and native entries take the ordinary way.
    if (entry && entry->GetNativeId() < 0 && !(entry->GetAttributes() & EcmaScript::ReadOnly)) {
      entry->SetValue(value);
      return;
    }
  }
  PutReferenceValue(context, parts, value);
}

void CStringLiteralExpression::PrintTo(Core::String& out) const {
  out += u'"';
  for (char16_t c : m_shared->GetString()) {
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
