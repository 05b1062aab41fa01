#include "xslt/compiler/RunTimeStub.h"
#include "xslt/compiler/instructions/TemplateInvocation.h"

namespace XsltPrivate {

Core::XInterface<Xpath::CValue> CWithParam::Evaluate(CContext& context) const { return m_definition.Evaluate(context); }
void CApplyTemplates::Execute(CContext&) { ThrowNotRunnable(u"xsl:apply-templates"); }
void CApplyTemplates::EvaluateParams(CContext&, CParamList&) const { ThrowNotRunnable(u"xsl:with-param"); }
void CCallTemplate::Execute(CContext&) { ThrowNotRunnable(u"xsl:call-template"); }
void CCallTemplate::EvaluateParams(CContext&, CParamList&) const { ThrowNotRunnable(u"xsl:with-param"); }
void CApplyImports::Execute(CContext&) { ThrowNotRunnable(u"xsl:apply-imports"); }

} // namespace XsltPrivate
