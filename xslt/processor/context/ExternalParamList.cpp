#include "xslt/processor/context/ExternalParamList.h"

namespace Xslt {

void CExternalParamList::Add(Core::StringView qualifiedName, Xpath::CValue* value) {
  m_items.push_back(CParamItem{Core::String(qualifiedName), {}, {}, Core::XInterface<Xpath::CValue>(value)});
}

void CExternalParamList::Add(Core::StringView namespaceUri, Core::StringView localName, Xpath::CValue* value) {
  m_items.push_back(CParamItem{{}, Core::String(namespaceUri), Core::String(localName),
                               Core::XInterface<Xpath::CValue>(value)});
}

void CExternalParamList::Clear() {
  while (!m_items.empty()) m_items.pop_back();
}

void CExternalParamList::GetItem(int32_t index, Core::String& qualifiedName, Core::String& namespaceUri,
                                 Core::String& localName, Xpath::CValue*& value) const {
  const CParamItem& item = m_items[size_t(index)];
  qualifiedName = item.qualifiedName;
  namespaceUri = item.namespaceUri;
  localName = item.localName;
  value = item.value.Get();
}

} // namespace Xslt
