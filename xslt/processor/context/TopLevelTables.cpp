#include "xslt/processor/context/TopLevelTables.h"

#include "xslt/compiler/DecimalFormat.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Template.h"

namespace XsltPrivate {

Core::String CExpandedNameIndex::Key(Core::StringView namespaceUri, Core::StringView localName) {
  // A local name never holds a NUL, so the key is unambiguous.
  Core::String key(localName);
  key += u'\0';
  key += namespaceUri;
  return key;
}

int32_t CExpandedNameIndex::Find(Core::StringView namespaceUri, Core::StringView localName) const {
  auto it = m_positions.find(Key(namespaceUri, localName));
  return it == m_positions.end() ? -1 : it->second;
}

void CExpandedNameIndex::Add(Core::StringView namespaceUri, Core::StringView localName, int32_t position) {
  m_positions.emplace(Key(namespaceUri, localName), position);
}

void CNamedTemplateTable::Add(CTemplate* rule) {
  CExpandedName* name = rule->GetName();
  m_index.Add(name->NamespaceUri(), name->LocalName(), int32_t(m_templates.size()));
  m_templates.emplace_back(rule);
}

CTemplate* CNamedTemplateTable::Find(Core::StringView namespaceUri, Core::StringView localName,
                                     bool thisModuleOnly) const {
  int32_t i = m_index.Find(namespaceUri, localName);
  if (i < 0 || (thisModuleOnly && i < m_importBoundary)) return nullptr;
  return m_templates[size_t(i)].Get();
}

void CNamespaceAliasTable::Add(Core::StringView stylesheetUri, Core::StringView resultUri) {
  m_index.Add(stylesheetUri, u"", int32_t(m_results.size()));
  m_results.emplace_back(resultUri);
}

bool CNamespaceAliasTable::Lookup(Core::StringView stylesheetUri, Core::String& resultUri,
                                  bool thisModuleOnly) const {
  int32_t i = m_index.Find(stylesheetUri, u"");
  if (i < 0 || (thisModuleOnly && i < m_importBoundary)) return false;
  resultUri = m_results[size_t(i)];
  return true;
}

CDecimalFormatTable::CDecimalFormatTable() = default;

CDecimalFormatTable::~CDecimalFormatTable() = default;

CDecimalFormat* CDecimalFormatTable::Lookup(Core::StringView namespaceUri, Core::StringView localName) const {
  int32_t i = namespaceUri.empty() && localName.empty() ? m_index.Find(u"#default", u"default")
                                                        : m_index.Find(namespaceUri, localName);
  return i < 0 ? nullptr : m_formats[size_t(i)].Get();
}

void CDecimalFormatTable::Add(CDecimalFormat* format) {
  CExpandedName* name = format->GetName();
  int32_t position = int32_t(m_formats.size());
  if (name) m_index.Add(name->NamespaceUri(), name->LocalName(), position);
  else m_index.Add(u"#default", u"default", position);
  m_formats.emplace_back(format);
}

} // namespace XsltPrivate
