#include "xpath/PrimaryExpr.h"

#include "xpath/Context.h"
#include "xpath/Function.h"
#include "xpath/NodeTest.h"
#include "xpath/Value.h"
#include "xpath/XpathException.h"

namespace XpathPrivate {

using Core::XInterface;
using Xpath::CContext;
using Xpath::CValue;
using Xpath::CXpathException;

namespace {

// The namespace URI of a prefixed name; no default namespace applies.
Core::String NamespaceOf(CContext* context, const Core::String& prefix) {
  if (prefix.empty()) return {};
  return ResolvePrefix(context, prefix);
}

} // namespace

XInterface<CValue> CVariableReferenceExpr::Evaluate(CContext* context) const {
  Core::String uri = NamespaceOf(context, m_prefix);
  Xpath::CVariableBindingSet* variables = context->GetVariableBindingSet();
  XInterface<CValue> value;
  if (variables) value = variables->GetValue(uri, m_localName);
  if (!value) throw CXpathException(CXpathException::VariableNotBound, m_prefix, m_localName, uri);
  return value;
}

XInterface<CValue> CLiteralExpr::Evaluate(CContext*) const { return new Xpath::CStringValue(m_text); }

XInterface<CValue> CNumberExpr::Evaluate(CContext*) const { return new Xpath::CNumberValue(m_value); }

CFunctionCallExpr::~CFunctionCallExpr() {
  while (!m_arguments.empty()) {
    ReleaseExpr(m_arguments.back());
    m_arguments.pop_back();
  }
}

XInterface<CValue> CFunctionCallExpr::Evaluate(CContext* context) const {
  Core::String uri = NamespaceOf(context, m_prefix);
  Xpath::CFunctionLibrary* library = context->GetFunctionLibrary();
  XInterface<Xpath::CFunction> function;
  if (library) function = library->GetFunction(uri, m_localName);
  if (!function) throw CXpathException(CXpathException::FunctionNotFound, m_prefix, m_localName, uri);
  Xpath::CArgumentList arguments;
  arguments.reserve(m_arguments.size());
  for (size_t i = 0; i < m_arguments.size(); ++i) arguments.push_back(m_sites[i].Evaluate(m_arguments[i].Get(), context));
  return function->Evaluate(context, arguments);
}

} // namespace XpathPrivate
