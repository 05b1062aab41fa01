#include "xslt/compiler/RunTimeStub.h"
#include "xslt/compiler/instructions/CopyInstructions.h"

namespace XsltPrivate {

void CCopy::Execute(CContext&) { ThrowNotRunnable(u"xsl:copy"); }
void CCopyOf::Execute(CContext&) { ThrowNotRunnable(u"xsl:copy-of"); }
void CCopyOf::CopyNode(const Dom::XNode&, CContext&) { ThrowNotRunnable(u"xsl:copy-of"); }
void CopyAttributeNode(const Dom::XNode&, CContext&) { ThrowNotRunnable(u"copy"); }
void CopyTextNode(const Dom::XNode&, CContext&) { ThrowNotRunnable(u"copy"); }
void CopyCommentNode(const Dom::XNode&, CContext&) { ThrowNotRunnable(u"copy"); }
void CopyProcessingInstructionNode(const Dom::XNode&, CContext&) { ThrowNotRunnable(u"copy"); }
void CopyNamespaceNode(const Dom::XNode&, CContext&) { ThrowNotRunnable(u"copy"); }

} // namespace XsltPrivate
