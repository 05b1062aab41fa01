#include "xslt/compiler/RunTimeStub.h"
#include "xslt/compiler/instructions/ControlInstructions.h"

namespace XsltPrivate {

void CForEach::Execute(CContext&) { ThrowNotRunnable(u"xsl:for-each"); }
void CIf::Execute(CContext&) { ThrowNotRunnable(u"xsl:if"); }
bool CWhen::ExecuteIfTrue(CContext&) const { ThrowNotRunnable(u"xsl:when"); }
void COtherwise::Execute(CContext& context) const { ExecuteInstructions(m_content, context); }
void CChoose::Execute(CContext&) { ThrowNotRunnable(u"xsl:choose"); }
void CMessage::Execute(CContext&) { ThrowNotRunnable(u"xsl:message"); }
void CFallback::Execute(CContext& context) { ExecuteInstructions(m_content, context); }

} // namespace XsltPrivate
