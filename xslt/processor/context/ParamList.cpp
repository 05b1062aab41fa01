#include "xslt/processor/context/ParamList.h"

namespace XsltPrivate {

CParamList::~CParamList() {
  while (!m_items.empty()) m_items.pop_back();
}

void CParamList::Add(Core::StringView namespaceUri, Core::StringView localName, Xpath::CValue* value) {
  Core::XInterface<CExpandedName> name(new CExpandedName(Core::String(namespaceUri), Core::String(localName)));
  Add(name.Get(), value);
}

void CParamList::Add(CExpandedName* name, Xpath::CValue* value) {
  m_items.push_back(CParamItem{Core::XInterface<CExpandedName>(name), Core::XInterface<Xpath::CValue>(value)});
}

Xpath::CValue* CParamList::Find(Core::StringView namespaceUri, Core::StringView localName) const {
  for (const CParamItem& item : m_items) {
    if (item.name->Equals(namespaceUri, localName)) return item.value.Get();
  }
  return nullptr;
}

} // namespace XsltPrivate
