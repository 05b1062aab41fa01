#include "xslt/processor/context/BindingTable.h"

namespace XsltPrivate {

CScopedBindingTable::CScopedBindingTable() : m_scopeEnds{0} {}

void CScopedBindingTable::Add(Core::StringView namespaceUri, Core::StringView localName, int32_t value) {
  m_bindings.push_back(CBinding{Core::String(namespaceUri), Core::String(localName), value});
  ++m_scopeEnds[size_t(m_level)];
}

int32_t CScopedBindingTable::PushScope() {
  m_scopeEnds.push_back(int32_t(m_bindings.size()));
  return ++m_level;
}

void CScopedBindingTable::PopScope() {
  if (m_level == 0) return;
  m_bindings.resize(size_t(m_scopeEnds[size_t(m_level) - 1]));
  m_scopeEnds.pop_back();
  --m_level;
}

bool CScopedBindingTable::Find(Core::StringView namespaceUri, Core::StringView localName, int32_t& value,
                               bool innermostOnly) const {
  int32_t lowest = innermostOnly && m_level > 0 ? m_scopeEnds[size_t(m_level) - 1] : 0;
  for (int32_t i = m_scopeEnds[size_t(m_level)]; i-- > lowest;) {
    const CBinding& binding = m_bindings[size_t(i)];
    if (binding.localName == localName && binding.namespaceUri == namespaceUri) {
      value = binding.value;
      return true;
    }
  }
  return false;
}

} // namespace XsltPrivate
