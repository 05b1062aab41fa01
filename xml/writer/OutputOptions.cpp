#include "xml/writer/OutputOptions.h"

namespace XsltPrivate {

void CPrivateOutputOptions::AddCdataSectionElement(Core::StringView namespaceUri, Core::StringView localName) {
  auto it = m_cdataElements.find(namespaceUri);
  if (it == m_cdataElements.end()) it = m_cdataElements.emplace(Core::String(namespaceUri), CNameSet()).first;
  if (it->second.find(localName) == it->second.end()) it->second.emplace(localName);
}

bool CPrivateOutputOptions::IsCdataSectionElement(Core::StringView namespaceUri, Core::StringView localName) const {
  if (m_cdataElements.empty()) return false;
  auto it = m_cdataElements.find(namespaceUri);
  if (it == m_cdataElements.end()) return false;
  return it->second.find(localName) != it->second.end();
}

} // namespace XsltPrivate
