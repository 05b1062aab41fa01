#pragma once
// The object package's XPath functions get(object, property),
// call(object, method, argument...) and error(). They keep no state: each
// call finds the run's package context by the namespace URI.
#include "core/String.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace XsltObject {

class CGetFunction : public Xslt::CExtensionFunction {
public:
  explicit CGetFunction(Core::StringView namespaceUri) : m_namespaceUri(namespaceUri) {}
  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override;

private:
  Core::String m_namespaceUri;
};

class CCallFunction : public Xslt::CExtensionFunction {
public:
  explicit CCallFunction(Core::StringView namespaceUri) : m_namespaceUri(namespaceUri) {}
  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override;

private:
  Core::String m_namespaceUri;
};

class CErrorFunction : public Xslt::CExtensionFunction {
public:
  explicit CErrorFunction(Core::StringView namespaceUri) : m_namespaceUri(namespaceUri) {}
  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override;

private:
  Core::String m_namespaceUri;
};

} // namespace XsltObject
