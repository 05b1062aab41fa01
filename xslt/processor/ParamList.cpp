#include "xslt/processor/ParamList.h"

namespace XsltPrivate {

CParamList::~CParamList() {
  while (!m_items.empty()) m_items.pop_back();
}

void CParamList::Add(Core::StringView namespaceUri, Core::StringView localName, Xpath::CValue* value) {
  m_items.push_back(
      CParamItem{Core::String(namespaceUri), Core::String(localName), Core::XInterface<Xpath::CValue>(value)});
}

Xpath::CValue* CParamList::Find(Core::StringView namespaceUri, Core::StringView localName) const {
  for (const CParamItem& item : m_items) {
    if (item.namespaceUri == namespaceUri && item.localName == localName) return item.value.Get();
  }
  return nullptr;
}

} // namespace XsltPrivate
