#include "xslt/compiler/NamespaceMap.h"

#include "xml/tree/Names.h"

namespace XsltPrivate {

const Dom::CNode* NearestElement(const Dom::CNode* node) {
  while (node && node->GetNodeType() != Dom::ELEMENT_NODE) node = node->Parent();
  return node;
}

CNamespaceMap::CNamespaceMap(const Dom::CNode* node) {
  const Dom::CNode* element = NearestElement(node);
  const Dom::CNamespaceScope* scope = element ? element->NamespaceScope() : nullptr;
  if (!scope) return;
  int32_t count = scope->GetCount();
  m_items.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    const Dom::CNamespaceNode* entry = scope->GetItem(i);
    Core::StringView prefix(entry->prefix, entry->prefixLength);
    Core::StringView uri(entry->namespaceUri, entry->uriLength);
    if (prefix.empty() && uri.empty()) continue;
    m_items.push_back({Core::String(prefix), Core::String(uri)});
  }
}

bool CNamespaceMap::GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) {
  for (const CItem& item : m_items) {
    if (item.prefix == prefix) {
      namespaceUri = item.namespaceUri;
      return true;
    }
  }
  return false;
}

void CNamespaceMap::GetItem(int32_t index, Core::String& prefix, Core::String& namespaceUri) const {
  const CItem& item = m_items[static_cast<size_t>(index)];
  prefix = item.prefix;
  namespaceUri = item.namespaceUri;
}

bool CNamespaceUriArray::Contains(Core::StringView namespaceUri) const {
  for (const Core::String& uri : m_uris) {
    if (uri == namespaceUri) return true;
  }
  return false;
}

} // namespace XsltPrivate
