#pragma once
// The registry of extension packages, and the package contexts of one run.
// Registration order is the one ordering rule: package contexts start in it
// and finish in reverse, and when two packages claim one namespace URI the
// first registered answers every question about it. URIs compare exactly
// (case matters).
#include "core/Interface.h"
#include "core/String.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace Xslt {

// The package contexts of one run, one per registered package.
class CTopLevelExtensionContext : public Core::CInterface {
public:
  // Start on every package context, first registered first.
  virtual void StartAll(bool flag) = 0;
  // Finish on every package context, last registered first.
  virtual void FinishAll() = 0;
  // The context of the first package of that URI, without a use added; null when none.
  virtual CExtensionPackageContext* FindPackageContext(Core::StringView namespaceUri) = 0;
};

class CExtensionHandler : public Core::CInterface {
public:
  // A new set of package contexts for one run.
  virtual Core::XInterface<CTopLevelExtensionContext> CreateTopLevelExtensionContext() = 0;
  // False when no package owns the namespace.
  virtual bool IsElementAvailable(Core::StringView namespaceUri, Core::StringView localName) = 0;
  // Called only for an element that IsElementAvailable accepted: the package
  // of the element's namespace creates and compiles it.
  virtual Core::XInterface<CExtensionElement> CreateInstruction(CExtensionStaticContext* staticContext) = 0;
  virtual bool IsFunctionAvailable(Core::StringView namespaceUri, Core::StringView localName) = 0;
  // Empty when no package owns the namespace or the package has no such function.
  virtual Core::XInterface<CExtensionFunction> GetFunction(Core::StringView namespaceUri,
                                                          Core::StringView localName) = 0;
  // Keeps the package for the handler's lifetime; a URI already registered is not checked.
  virtual void AddPackage(CExtensionPackage* package) = 0;
  // The first package registered for the URI, without a use added; null when none.
  virtual CExtensionPackage* FindPackage(Core::StringView namespaceUri) = 0;
};

} // namespace Xslt
