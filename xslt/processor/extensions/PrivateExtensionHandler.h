#pragma once
// The registry of extension packages made by the implementation factory, and
// the package contexts of one run.
#include <vector>

#include "xslt/processor/extensions/ExtensionHandler.h"

namespace XsltPrivate {

class CPrivateExtensionHandler : public Xslt::CExtensionHandler {
public:
  CPrivateExtensionHandler();
  ~CPrivateExtensionHandler() override;

  Core::XInterface<Xslt::CTopLevelExtensionContext> CreateTopLevelExtensionContext() override;
  bool IsElementAvailable(Core::StringView namespaceUri, Core::StringView localName) override;
  Core::XInterface<Xslt::CExtensionElement> CreateInstruction(Xslt::CExtensionStaticContext* staticContext) override;
  bool IsFunctionAvailable(Core::StringView namespaceUri, Core::StringView localName) override;
  Core::XInterface<Xslt::CExtensionFunction> GetFunction(Core::StringView namespaceUri,
                                                         Core::StringView localName) override;
  void AddPackage(Xslt::CExtensionPackage* package) override;
  Xslt::CExtensionPackage* FindPackage(Core::StringView namespaceUri) override;

private:
  struct CPackage {
    Core::String namespaceUri;
    Core::XInterface<Xslt::CExtensionPackage> package;
  };

  std::vector<CPackage> m_packages;  // in registration order
};

class CPrivateTopLevelExtensionContext : public Xslt::CTopLevelExtensionContext {
public:
  CPrivateTopLevelExtensionContext();
  ~CPrivateTopLevelExtensionContext() override;

  void Add(Core::String namespaceUri, Core::XInterface<Xslt::CExtensionPackageContext> context);

  void StartAll(bool flag) override;
  void FinishAll() override;
  Xslt::CExtensionPackageContext* FindPackageContext(Core::StringView namespaceUri) override;

private:
  struct CPackageContext {
    Core::String namespaceUri;
    Core::XInterface<Xslt::CExtensionPackageContext> context;
  };

  std::vector<CPackageContext> m_contexts;  // in the registry's order
};

} // namespace XsltPrivate
