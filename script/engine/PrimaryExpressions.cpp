#include "script/engine/PrimaryExpressions.h"

#include "script/engine/Identifiers.h"
#include "script/engine/ScriptObject.h"

namespace EcmaScriptPrivate {

XValue CThisExpression::Evaluate(CExecutionContext& context) { return EcmaScript::MakeObject(context.GetThisObject()); }

XValue CIdentifierExpression::Evaluate(CExecutionContext& context) {
  return XValue(new EcmaScript::CReferenceValue(FindScope(context, m_name), m_name));
}

XValue CIdentifierExpression::FetchValue(CExecutionContext& context) { return FetchIdentifier(context, m_name); }

bool CIdentifierExpression::EvaluateReference(CExecutionContext& context, CReferenceParts& parts) {
  parts.base = FindScope(context, m_name);
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
