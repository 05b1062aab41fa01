#pragma once
// The nine extension elements of the object package. Each is compiled once
// from its stylesheet element and keeps no run-time state: that lives in the
// run's package context, found again by the element's namespace URI.
#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Expr.h"
#include "xslt/compiler/Avt.h"
#include "xslt/compiler/ExtensionStaticContext.h"
#include "xslt/processor/extensions/ExtensionContext.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace XsltObject {

class CObjectHandle;
class CObjectPackageContext;

class CImportElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::String m_namespaceUri;
  Core::String m_href;
  Core::String m_encoding;
};

// The elements that name an object (the object attribute) and a property
// or method (the property attribute).
class CPropertyElement : public Xslt::CExtensionElement {
protected:
  void CompileObjectAndProperty(Xslt::CExtensionStaticContext* context);
  // The package context, the handle and the name, in this order.
  CObjectPackageContext& Begin(Xslt::CExtensionContext* context, Core::XInterface<CObjectHandle>& handle,
                               Core::String& name) const;

  Core::String m_namespaceUri;
  Core::XInterface<Xpath::CExpr> m_object;
  Core::XInterface<Xslt::CAvt> m_property;
};

class CGetElement : public CPropertyElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;
};

class CPutElement : public CPropertyElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::XInterface<Xpath::CExpr> m_value;
};

class CDeleteElement : public CPropertyElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;
};

class CCallElement : public CPropertyElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;
};

class CWhileElement : public CPropertyElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;
};

class CTryElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::String m_namespaceUri;
};

class CWithParamElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::String m_namespaceUri;
  Core::XInterface<Xpath::CExpr> m_value;
};

class CCatchElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;
};

} // namespace XsltObject
