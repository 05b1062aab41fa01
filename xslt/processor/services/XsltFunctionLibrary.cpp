#include "xslt/processor/services/XsltFunctionLibrary.h"

#include "xslt/processor/context/Context.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/extensions/PrivateExtensionContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

CXsltFunctionTable::CXsltFunctionTable() { RegisterXsltFunctions(*this); }

CXsltFunctionTable::~CXsltFunctionTable() = default;

void CXsltFunctionTable::Register(Core::StringView localName, CXsltFunction* function) {
  m_items.push_back(CItem{Core::String(localName), function});
}

CXsltFunction* CXsltFunctionTable::Find(Core::StringView localName) const {
  for (const CItem& item : m_items)
    if (item.name == localName) return item.function.Get();
  return nullptr;
}

CXsltFunctionLibrary::CXsltFunctionLibrary(CContext* context) : m_context(context) {}

CXsltFunctionLibrary::~CXsltFunctionLibrary() = default;

bool CXsltFunctionLibrary::HasFunction(Core::StringView namespaceUri, Core::StringView localName) {
  if (!namespaceUri.empty()) {
    Xslt::CExtensionHandler* extensions = m_context->GetExtensionHandler();
    return extensions && extensions->IsFunctionAvailable(namespaceUri, localName);
  }
  if (m_context->GetCoreFunctionLibrary()->HasFunction(namespaceUri, localName)) return true;
  return m_context->GetXsltFunctionTable()->Find(localName) != nullptr;
}

Core::XInterface<Xpath::CFunction> CXsltFunctionLibrary::GetFunction(Core::StringView namespaceUri,
                                                                     Core::StringView localName) {
  if (!namespaceUri.empty()) {
    Xslt::CExtensionHandler* extensions = m_context->GetExtensionHandler();
    if (!extensions) return nullptr;
    Core::XInterface<Xslt::CExtensionFunction> function = extensions->GetFunction(namespaceUri, localName);
    if (!function) return nullptr;
    return new CPrivateFunction(m_context.Get(), function.Get());
  }
  if (Core::XInterface<Xpath::CFunction> core = m_context->GetCoreFunctionLibrary()->GetFunction(namespaceUri, localName))
    return core;
  if (CXsltFunction* function = m_context->GetXsltFunctionTable()->Find(localName))
    return new CPrivateFunction(m_context.Get(), function);
  return nullptr;
}

Xpath::CFunctionLibrary::EFixedCall CXsltFunctionLibrary::GetFixedCall(Core::StringView namespaceUri,
                                                                        Core::StringView localName) {
  return namespaceUri.empty() && localName == u"current" ? FixedNodeSet : Varying;
}

CPrivateFunction::CPrivateFunction(CContext* context, CXsltFunction* function)
    : m_context(context), m_xsltFunction(function) {}

CPrivateFunction::CPrivateFunction(CContext* context, Xslt::CExtensionFunction* function)
    : m_context(context), m_extensionFunction(function) {}

CPrivateFunction::~CPrivateFunction() = default;

Core::XInterface<Xpath::CValue> CPrivateFunction::Evaluate(Xpath::CContext* xpathContext,
                                                           const Xpath::CArgumentList& arguments) {
  if (m_xsltFunction) return m_xsltFunction->Evaluate(*m_context, xpathContext, arguments);
  Core::XInterface<Xpath::CValue> value =
      RunExtensionCode(*m_context, nullptr, [&](Xslt::CExtensionContext* extension) {
        return m_extensionFunction->Evaluate(extension, xpathContext, arguments);
      });
  // A function that gives no value gives the empty string.
  return value ? value : Core::XInterface<Xpath::CValue>(new Xpath::CStringValue(Core::String()));
}

} // namespace XsltPrivate
