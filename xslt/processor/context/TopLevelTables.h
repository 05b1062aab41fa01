#pragma once
// Tables of named top-level declarations of a run: named templates,
// namespace aliases and decimal formats. The declaration pass fills them
// module by module in falling import precedence (the principal module first),
// marking an import boundary as each module begins, so that a duplicate
// within one module can be told from a declaration that a module of higher
// import precedence already made; lookups across modules answer the
// declaration of highest import precedence, the first one added.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"

namespace XsltPrivate {

class CDecimalFormat;
class CTemplate;

// {namespace URI, local name} -> position of the first entry added.
class CExpandedNameIndex {
public:
  // -1 when the name has no entry.
  int32_t Find(Core::StringView namespaceUri, Core::StringView localName) const;
  // Keeps an existing position.
  void Add(Core::StringView namespaceUri, Core::StringView localName, int32_t position);

private:
  static Core::String Key(Core::StringView namespaceUri, Core::StringView localName);

  std::unordered_map<Core::String, int32_t> m_positions;
};

class CNamedTemplateTable : public Core::CInterface {
public:
  void MarkImportBoundary() { m_importBoundary = int32_t(m_templates.size()); }
  // The template keeps its place when its name is already known.
  void Add(CTemplate* rule);
  // With thisModuleOnly only a template of the module being read counts.
  CTemplate* Find(Core::StringView namespaceUri, Core::StringView localName, bool thisModuleOnly) const;

private:
  CExpandedNameIndex m_index;
  std::vector<Core::XInterface<CTemplate>> m_templates;
  int32_t m_importBoundary = -1;
};

class CNamespaceAliasTable : public Core::CInterface {
public:
  void MarkImportBoundary() { m_importBoundary = int32_t(m_results.size()); }
  void Add(Core::StringView stylesheetUri, Core::StringView resultUri);
  bool Lookup(Core::StringView stylesheetUri, Core::String& resultUri, bool thisModuleOnly) const;
  bool IsEmpty() const { return m_results.empty(); }

private:
  CExpandedNameIndex m_index;
  std::vector<Core::String> m_results;
  int32_t m_importBoundary = -1;
};

// Named formats under their names, the unnamed one under {"#default", "default"}.
class CDecimalFormatTable : public Core::CInterface {
public:
  CDecimalFormatTable();
  ~CDecimalFormatTable() override;

  // Two empty strings ask for the default format.
  CDecimalFormat* Lookup(Core::StringView namespaceUri, Core::StringView localName) const;
  // Under the format's name; the first one added of a name stays.
  void Add(CDecimalFormat* format);

private:
  CExpandedNameIndex m_index;
  std::vector<Core::XInterface<CDecimalFormat>> m_formats;
};

} // namespace XsltPrivate
