#include "xslt/compiler/RunTimeStub.h"
#include "xslt/compiler/instructions/ResultInstructions.h"

namespace XsltPrivate {

void CText::Execute(CContext&) { ThrowNotRunnable(u"text"); }
void CValueOf::Execute(CContext&) { ThrowNotRunnable(u"xsl:value-of"); }
void CElement::Execute(CContext&) { ThrowNotRunnable(u"element"); }
void CElement::WriteNamespaces(CContext&) const { ThrowNotRunnable(u"element"); }
void CAttribute::Execute(CContext&) { ThrowNotRunnable(u"attribute"); }
bool CAttribute::EvaluateName(CContext&, Core::String&, Core::String&) const { ThrowNotRunnable(u"attribute"); }
void CAttribute::WriteValue(CContext&) const { ThrowNotRunnable(u"attribute"); }
void CComment::Execute(CContext&) { ThrowNotRunnable(u"xsl:comment"); }
void CProcessingInstruction::Execute(CContext&) { ThrowNotRunnable(u"xsl:processing-instruction"); }

} // namespace XsltPrivate
