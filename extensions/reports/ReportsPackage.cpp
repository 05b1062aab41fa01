#include "extensions/reports/ReportsPackage.h"

#include "extensions/reports/ReportsException.h"
#include "extensions/reports/ReportsPackageContext.h"
#include "xpath/ValueConverter.h"

namespace XsltReports {

CReportsPackage::CReportsPackage() : m_counterFunction(new CCounterFunction), m_groupFunction(new CGroupFunction) {}

Core::XInterface<Xslt::CExtensionPackageContext> CReportsPackage::CreateContext() {
  return new CReportsPackageContext;
}

bool CReportsPackage::IsElementAvailable(Core::StringView localName) {
  return localName == u"counter" || localName == u"group" || localName == u"sort";
}

Core::XInterface<Xslt::CExtensionElement> CReportsPackage::CreateInstruction(Xslt::CExtensionStaticContext* context) {
  const Core::String name = context->GetNode()->GetLocalName();
  if (name == u"counter") {
    Core::XInterface<CCounterElement> element(new CCounterElement);
    element->Compile(context);
    return element;
  }
  if (name == u"group") {
    Core::XInterface<CGroupElement> element(new CGroupElement);
    element->Compile(context);
    return element;
  }
  if (name == u"sort") {
    Core::XInterface<CSortElement> element(new CSortElement);
    element->Compile(context);
    return element;
  }
  return nullptr;
}

bool CReportsPackage::IsFunctionAvailable(Core::StringView localName) {
  return localName == u"counter" || localName == u"group";
}

Core::XInterface<Xslt::CExtensionFunction> CReportsPackage::GetFunction(Core::StringView localName) {
  if (localName == u"counter") return m_counterFunction;
  if (localName == u"group") return m_groupFunction;
  return nullptr;
}

Core::XInterface<Xpath::CValue> CCounterFunction::Evaluate(Xslt::CExtensionContext* context,
                                                           Xpath::CContext* xpathContext,
                                                           const Xpath::CArgumentList& arguments) {
  CReportsPackageContext* reports = GetReportsContext(context);
  if (arguments.size() != 1)
    throw CXsltReportsException(CXsltReportsException::InvalidNumberOfArguments, u"counter");
  const Core::String name = Xpath::CValueConverter(xpathContext).ToString(*arguments[0]);
  Xpath::CNumber value;
  try {
    value = reports->GetCounter(name);
  } catch (const XsltReportsPrivate::CCounterTableException& error) {
    context->ReportError(error);
  }
  return new Xpath::CNumberValue(value);
}

// Arguments are accepted and ignored.
Core::XInterface<Xpath::CValue> CGroupFunction::Evaluate(Xslt::CExtensionContext* context, Xpath::CContext*,
                                                         const Xpath::CArgumentList&) {
  return new Xpath::CNodeSetValue(GetReportsContext(context)->GetCurrentGroup(context));
}

} // namespace XsltReports
