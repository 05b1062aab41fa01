#include "xslt/compiler/RunTimeStub.h"
#include "xslt/compiler/Variable.h"

namespace XsltPrivate {

Core::XInterface<Xpath::CValue> CBindingDefinition::Evaluate(CContext&) const { ThrowNotRunnable(u"xsl:variable"); }
Core::XInterface<Xpath::CValue> CParam::Evaluate(CContext& context) const { return m_definition.Evaluate(context); }
void CParam::Bind(CContext&, const CParamList&) const { ThrowNotRunnable(u"xsl:param"); }
Core::XInterface<Xpath::CValue> CVariable::Evaluate(CContext& context) const { return m_definition.Evaluate(context); }
void CVariable::Execute(CContext&) { ThrowNotRunnable(u"xsl:variable"); }

} // namespace XsltPrivate
