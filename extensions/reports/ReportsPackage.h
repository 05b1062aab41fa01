#pragma once
// The report package: named counters and the grouping of sorted node sets,
// in one namespace. Elements: counter (define, increment or write a
// counter), group (sort a selection and run its content once per group of
// neighbours with the same key) and sort (a sort key of the enclosing
// group). Functions: counter(name) and group(), the members of the group
// being processed.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Expr.h"
#include "xslt/compiler/Avt.h"
#include "xslt/compiler/ExtensionStaticContext.h"
#include "xslt/processor/extensions/ExtensionContext.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace XsltReports {

inline constexpr Core::StringView kReportsNamespaceUri = u"https://veltrix.dev/xslt/reports";

class CCounterFunction : public Xslt::CExtensionFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override;
};

class CGroupFunction : public Xslt::CExtensionFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override;
};

// With initialize: defines the counter in the content list that holds the
// element; with increment: adds to the visible counter; with neither:
// writes its value.
class CCounterElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::String m_name;
  Core::XInterface<Xpath::CExpr> m_initialize;
  Core::XInterface<Xpath::CExpr> m_increment;
};

class CSortElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::XInterface<Xpath::CExpr> m_select;
  Core::XInterface<Xslt::CAvt> m_lang;
  Core::XInterface<Xslt::CAvt> m_dataType;
  Core::XInterface<Xslt::CAvt> m_order;
  Core::XInterface<Xslt::CAvt> m_caseOrder;
};

// Sort children come first (content block 1); the rest (block 0) runs once
// per group. Without select it regroups the members of the enclosing group.
class CGroupElement : public Xslt::CExtensionElement {
public:
  void Compile(Xslt::CExtensionStaticContext* context);
  void Execute(Xslt::CExtensionContext* context) override;

private:
  Core::XInterface<Xpath::CExpr> m_select;
  Core::XInterface<Xpath::CExpr> m_key;
};

class CReportsPackage : public Xslt::CExtensionPackage {
public:
  CReportsPackage();

  Core::String GetNamespaceUri() override { return Core::String(kReportsNamespaceUri); }
  Core::XInterface<Xslt::CExtensionPackageContext> CreateContext() override;
  bool IsElementAvailable(Core::StringView localName) override;
  Core::XInterface<Xslt::CExtensionElement> CreateInstruction(Xslt::CExtensionStaticContext* context) override;
  bool IsFunctionAvailable(Core::StringView localName) override;
  Core::XInterface<Xslt::CExtensionFunction> GetFunction(Core::StringView localName) override;

private:
  // Shared by every run: they keep no state of their own.
  Core::XInterface<CCounterFunction> m_counterFunction;
  Core::XInterface<CGroupFunction> m_groupFunction;
};

} // namespace XsltReports
