#include "xslt/processor/extensions/PrivateExtensionHandler.h"

namespace XsltPrivate {

CPrivateExtensionHandler::CPrivateExtensionHandler() = default;

// Packages go last registered first.
CPrivateExtensionHandler::~CPrivateExtensionHandler() {
  while (!m_packages.empty()) m_packages.pop_back();
}

void CPrivateExtensionHandler::AddPackage(Xslt::CExtensionPackage* package) {
  Core::String namespaceUri = package->GetNamespaceUri();
  m_packages.push_back(CPackage{std::move(namespaceUri), Core::XInterface<Xslt::CExtensionPackage>(package)});
}

Xslt::CExtensionPackage* CPrivateExtensionHandler::FindPackage(Core::StringView namespaceUri) {
  for (const CPackage& item : m_packages) {
    if (item.namespaceUri == namespaceUri) return item.package.Get();
  }
  return nullptr;
}

bool CPrivateExtensionHandler::IsElementAvailable(Core::StringView namespaceUri, Core::StringView localName) {
  Xslt::CExtensionPackage* package = FindPackage(namespaceUri);
  return package && package->IsElementAvailable(localName);
}

bool CPrivateExtensionHandler::IsFunctionAvailable(Core::StringView namespaceUri, Core::StringView localName) {
  Xslt::CExtensionPackage* package = FindPackage(namespaceUri);
  return package && package->IsFunctionAvailable(localName);
}

Core::XInterface<Xslt::CExtensionFunction> CPrivateExtensionHandler::GetFunction(Core::StringView namespaceUri,
                                                                                Core::StringView localName) {
  Xslt::CExtensionPackage* package = FindPackage(namespaceUri);
  if (!package) return {};
  return package->GetFunction(localName);
}

// Every registered package has a context, also one that never answers
// because an earlier package claims its namespace.
Core::XInterface<Xslt::CTopLevelExtensionContext> CPrivateExtensionHandler::CreateTopLevelExtensionContext() {
  Core::XInterface<CPrivateTopLevelExtensionContext> contexts(new CPrivateTopLevelExtensionContext());
  for (const CPackage& item : m_packages) contexts->Add(item.namespaceUri, item.package->CreateContext());
  return Core::XInterface<Xslt::CTopLevelExtensionContext>(contexts.Get());
}

CPrivateTopLevelExtensionContext::CPrivateTopLevelExtensionContext() = default;

CPrivateTopLevelExtensionContext::~CPrivateTopLevelExtensionContext() {
  while (!m_contexts.empty()) m_contexts.pop_back();
}

void CPrivateTopLevelExtensionContext::Add(Core::String namespaceUri,
                                           Core::XInterface<Xslt::CExtensionPackageContext> context) {
  m_contexts.push_back(CPackageContext{std::move(namespaceUri), std::move(context)});
}

void CPrivateTopLevelExtensionContext::StartAll(bool flag) {
  for (const CPackageContext& item : m_contexts) {
    if (item.context) item.context->Start(flag);
  }
}

void CPrivateTopLevelExtensionContext::FinishAll() {
  for (size_t i = m_contexts.size(); i-- > 0;) {
    if (m_contexts[i].context) m_contexts[i].context->Finish();
  }
}

Xslt::CExtensionPackageContext* CPrivateTopLevelExtensionContext::FindPackageContext(Core::StringView namespaceUri) {
  for (const CPackageContext& item : m_contexts) {
    if (item.namespaceUri == namespaceUri) return item.context.Get();
  }
  return nullptr;
}

} // namespace XsltPrivate
