#include "xslt/compiler/ExtensionContentType.h"

namespace Xslt {

void CExtensionContentType::AddType(Core::StringView namespaceUri, Core::StringView localName, int32_t block,
                                    bool required, bool single) {
  m_items.push_back({Core::String(namespaceUri), Core::String(localName), block, required, single});
  if (namespaceUri == u"*") m_wildcard = static_cast<int32_t>(m_items.size()) - 1;
}

int32_t CExtensionContentType::FindType(Core::StringView namespaceUri, Core::StringView localName) const {
  int32_t anyName = -1, anyElement = -1;
  for (int32_t i = 0; i < GetCount(); ++i) {
    const CTypeItem& item = m_items[static_cast<size_t>(i)];
    if (item.namespaceUri == namespaceUri) {
      if (item.localName == localName) return i;
      if (anyName < 0 && item.localName == u"*") anyName = i;
    } else if (anyElement < 0 && item.namespaceUri == u"*") {
      anyElement = i;
    }
  }
  return anyName >= 0 ? anyName : anyElement;
}

} // namespace Xslt
