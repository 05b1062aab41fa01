#include "xslt/compiler/StartPattern.h"

#include "xslt/compiler/PatternException.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/context/MatchContext.h"

namespace XsltPrivate {

bool CRootStartPattern::Match(CMatchContext&, const Dom::CNode* node) const {
  // The steps climbed from the node being matched, so node is one of its
  // ancestors-or-self: it is that tree's root when it is a root node.
  int32_t type = node->GetNodeType();
  return type == Dom::DOCUMENT_NODE || type == Dom::DOCUMENT_FRAGMENT_NODE;
}

CIdStartPattern::CIdStartPattern(Core::StringView ids) { SplitTokens(ids, m_ids); }

bool CIdStartPattern::Match(CMatchContext& context, const Dom::CNode* node) const {
  if (node->GetNodeType() != Dom::ELEMENT_NODE || m_ids.empty()) return false;
  Core::String id;
  if (!context.GetElementId(Dom::XNode(const_cast<Dom::CNode*>(node)), id)) return false;
  for (const Core::String& wanted : m_ids) {
    if (wanted == id) return true;
  }
  return false;
}

CKeyStartPattern::CKeyStartPattern(Core::StringView name, Core::String value)
    : m_value(std::move(value)), m_resolved(false) {
  SplitQName(name, m_prefix, m_localName);
  m_resolved = m_prefix.empty();
}

void CKeyStartPattern::SetNamespaceUri(Core::String namespaceUri) {
  m_namespaceUri = std::move(namespaceUri);
  m_resolved = true;
}

bool CKeyStartPattern::Match(CMatchContext& context, const Dom::CNode* node) const {
  Core::String resolved;
  const Core::String* namespaceUri = &m_namespaceUri;
  if (!m_resolved) {
    if (!context.GetNamespaceUri(m_prefix, resolved)) {
      throw CPatternException(CPatternException::InvalidPrefix, m_prefix);
    }
    namespaceUri = &resolved;
  }
  return context.IsInKey(Dom::XNode(const_cast<Dom::CNode*>(node)), *namespaceUri, m_localName, m_value);
}

} // namespace XsltPrivate
