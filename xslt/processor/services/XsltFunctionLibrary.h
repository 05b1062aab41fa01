#pragma once
// The function library of every XPath evaluation of a run: a name without a
// namespace is a core function first, then an XSLT function; a name with a
// namespace belongs to the extension package of that namespace. XSLT and
// extension functions are called through an adapter that hands them the
// run-time context of the expression.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Context.h"
#include "xpath/Function.h"
#include "xpath/Value.h"

namespace Xslt {
class CExtensionFunction;
}

namespace XsltPrivate {

class CContext;

// One of the functions XSLT adds to XPath.
class CXsltFunction : public Core::CInterface {
public:
  // context: the run-time context of the expression; xpathContext: the
  // evaluation's own (its conversions, its function library).
  virtual Core::XInterface<Xpath::CValue> Evaluate(CContext& context, Xpath::CContext* xpathContext,
                                                   const Xpath::CArgumentList& arguments) = 0;
};

// The XSLT functions of a run, by local name.
class CXsltFunctionTable : public Core::CInterface {
public:
  // Filled with the XSLT functions there are.
  CXsltFunctionTable();
  ~CXsltFunctionTable() override;

  void Register(Core::StringView localName, CXsltFunction* function);
  // No use added; null when unknown.
  CXsltFunction* Find(Core::StringView localName) const;

private:
  struct CItem {
    Core::String name;
    Core::XInterface<CXsltFunction> function;
  };
  std::vector<CItem> m_items;
};

class CXsltFunctionLibrary : public Xpath::CFunctionLibrary {
public:
  explicit CXsltFunctionLibrary(CContext* context);
  ~CXsltFunctionLibrary() override;

  bool HasFunction(Core::StringView namespaceUri, Core::StringView localName) override;
  Core::XInterface<Xpath::CFunction> GetFunction(Core::StringView namespaceUri, Core::StringView localName) override;
  // current(): the current node does not change while an expression is
  // evaluated.
  EFixedCall GetFixedCall(Core::StringView namespaceUri, Core::StringView localName) override;

  CContext* GetContext() const { return m_context.Get(); }

private:
  Core::XInterface<CContext> m_context;
};

// An XSLT or an extension function as the XPath engine calls it. Failures of
// an extension function that are not XSLT errors are reported with their own
// text and end the run as fatal error 54.
class CPrivateFunction : public Xpath::CFunction {
public:
  CPrivateFunction(CContext* context, CXsltFunction* function);
  CPrivateFunction(CContext* context, Xslt::CExtensionFunction* function);
  ~CPrivateFunction() override;

  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override;

private:
  Core::XInterface<CContext> m_context;
  Core::XInterface<CXsltFunction> m_xsltFunction;
  Core::XInterface<Xslt::CExtensionFunction> m_extensionFunction;
};

// Registers the XSLT functions into the table (XsltFunctions.cpp).
void RegisterXsltFunctions(CXsltFunctionTable& table);

} // namespace XsltPrivate
