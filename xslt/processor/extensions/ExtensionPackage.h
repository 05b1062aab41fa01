#pragma once
// The contract between the processor and an extension package. A package
// owns one namespace URI and hands out the element and function objects of
// that namespace; per run it keeps its state in a package context, which
// every run-time scope starts and finishes: scopes nest, and a scope starts
// the package contexts before package code runs while it is open (a scope
// in which no package code runs may skip them).
// Failures of package code are thrown as Core::IException (XSLT errors as
// Xslt::CXsltException) and pass through the registry unchanged.
#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Context.h"
#include "xpath/Function.h"
#include "xpath/Value.h"

namespace Xslt {

// Compile-time view of the extension element being compiled (the element
// node, its attributes, its content) given by the compiler.
class CExtensionStaticContext;
// Run-time services for extension code, given by the run-time context.
class CExtensionContext;

class CExtensionPackageContext : public Core::CInterface {
public:
  // The flag is the run-time context's; packages may ignore it.
  virtual void Start(bool flag) = 0;
  virtual void Finish() = 0;
};

class CExtensionElement : public Core::CInterface {
public:
  virtual void Execute(CExtensionContext* context) = 0;
};

class CExtensionFunction : public Core::CInterface {
public:
  // The arguments are evaluated already, in source order.
  virtual Core::XInterface<Xpath::CValue> Evaluate(CExtensionContext* context, Xpath::CContext* xpathContext,
                                                   const Xpath::CArgumentList& arguments) = 0;
};

class CExtensionPackage : public Core::CInterface {
public:
  virtual Core::String GetNamespaceUri() = 0;
  // A new per-run context; called once per run.
  virtual Core::XInterface<CExtensionPackageContext> CreateContext() = 0;
  virtual bool IsElementAvailable(Core::StringView localName) = 0;
  // Creates and compiles the element object of the element being compiled.
  virtual Core::XInterface<CExtensionElement> CreateInstruction(CExtensionStaticContext* staticContext) = 0;
  virtual bool IsFunctionAvailable(Core::StringView localName) = 0;
  // Empty when the package has no such function.
  virtual Core::XInterface<CExtensionFunction> GetFunction(Core::StringView localName) = 0;
};

} // namespace Xslt
