#include "extensions/reports/ReportsException.h"
#include "extensions/reports/ReportsPackage.h"
#include "extensions/reports/ReportsPackageContext.h"
#include "xpath/ValueConverter.h"

namespace XsltReports {

void CCounterElement::Compile(Xslt::CExtensionStaticContext* context) {
  // The name is taken as written: no template, no prefix resolution.
  m_name = context->GetAttributeOrDefault(u"name", {}, true);
  m_initialize = context->CompileExpressionAttribute(u"initialize", nullptr, false);
  m_increment = context->CompileExpressionAttribute(u"increment", nullptr, false);
  if (m_initialize && m_increment)
    context->ReportError(
        CXsltReportsException(CXsltReportsException::InvalidAttributeCombination, u"initialize", u"increment"));
}

void CCounterElement::Execute(Xslt::CExtensionContext* context) {
  CReportsPackageContext* reports = GetReportsContext(context);
  Xpath::CExpr* expr = m_initialize ? m_initialize.Get() : m_increment.Get();
  Xpath::CNumber number;
  if (expr) {
    Core::XInterface<Xpath::CContext> xpathContext = context->GetXpathContext();
    Core::XInterface<Xpath::CValue> value = expr->Evaluate(xpathContext.Get());
    number = Xpath::CValueConverter(xpathContext.Get()).ToNumber(*value);
  }
  // Only the table's own failures are reported here; evaluation errors
  // surface as they are.
  try {
    if (m_initialize)
      reports->DefineCounter(m_name, number);
    else if (m_increment)
      reports->IncrementCounter(m_name, number);
    else
      number = reports->GetCounter(m_name);
  } catch (const XsltReportsPrivate::CCounterTableException& error) {
    context->ReportError(error);
  }
  if (!expr) {
    Core::XInterface<Xpath::CValue> value(new Xpath::CNumberValue(number));
    context->OutputValue(*value);
  }
}

} // namespace XsltReports
