#include "xslt/processor/context/RunMatchContext.h"

#include "xslt/compiler/NamespaceMap.h"
#include "xslt/compiler/Pattern.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/data/DataSet.h"

namespace XsltPrivate {

CRunMatchContext::CRunMatchContext(CContext& context) : m_context(&context) {
  Dom::XNode node = context.GetCurrentNode();
  if (node && node->GetNodeType() == Dom::ELEMENT_NODE) m_nameHash = HashLocalName(node->LocalNameView());
}

CRunMatchContext::~CRunMatchContext() = default;

Xpath::CContext* CRunMatchContext::GetXpathContext() {
  if (!m_xpathContext) m_xpathContext = m_context->GetXpathContext();
  return m_xpathContext.Get();
}

XpathPrivate::CEvaluationCache* CRunMatchContext::GetPatternCache() {
  return m_context->GetTopLevelContext()->GetPatternCache();
}

Dom::XNode CRunMatchContext::GetCurrentNode() { return m_context->GetCurrentNode(); }

bool CRunMatchContext::GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) {
  CNamespaceMap* namespaces = m_context->GetNamespaceDeclarations();
  return namespaces && namespaces->GetNamespaceUri(prefix, namespaceUri);
}

bool CRunMatchContext::GetElementId(const Dom::XNode& node, Core::String& id) {
  return m_context->GetDataSet()->GetId(node, id);
}

bool CRunMatchContext::IsInKey(const Dom::XNode& node, Core::StringView keyNamespaceUri,
                               Core::StringView keyLocalName, Core::StringView value) {
  return m_context->GetDataSet()->HasKeyValue(node, keyNamespaceUri, keyLocalName, value);
}

} // namespace XsltPrivate
