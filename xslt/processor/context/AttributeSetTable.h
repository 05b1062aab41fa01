#pragma once
// The attribute sets of a run: all xsl:attribute-set declarations of one
// expanded name merged into one set, across modules. Each attribute and each
// used set carries the stamp of its module's import precedence (higher for a
// module read earlier in the declaration pass, which reads the principal
// module first); when a set writes two attributes of one name, the one of
// higher import precedence wins, also over what a lower one gets through its
// used sets, and two of equal precedence are an error.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xslt/processor/context/TopLevelTables.h"

namespace XsltPrivate {

class CAttribute;
class CAttributeSet;
class CContext;
class CExpandedName;

class CMergedAttributeSet : public Core::CInterface {
public:
  struct CAttributeItem {
    Core::XInterface<CAttribute> attribute;
    int32_t stamp;
  };

  CMergedAttributeSet(Core::StringView namespaceUri, Core::StringView localName);
  ~CMergedAttributeSet() override;

  const Core::String& GetNamespaceUri() const { return m_namespaceUri; }
  const Core::String& GetLocalName() const { return m_localName; }
  int32_t GetStamp() const { return m_stamp; }
  void LowerStamp() { --m_stamp; }
  // Appends the declaration's used sets and attributes at the current stamp.
  void Merge(CAttributeSet* declaration);

  // Writes the attributes in the context: for each import precedence, the
  // lowest first, the used sets' attributes, then the own ones. In a
  // text-only context reports recoverable error 36 and writes nothing. A set
  // that is reached again while it is being written is fatal error 57.
  void Output(CContext& context);

  const std::vector<Core::XInterface<CExpandedName>>& GetUsedSets() const { return m_usedSets; }
  const std::vector<CAttributeItem>& GetAttributes() const { return m_attributes; }

private:
  // Writes one attribute unless one of the same precedence already wrote the
  // name (recoverable error 29); written maps each name to the stamp of the
  // item that wrote it.
  void WriteAttribute(CContext& context, const CAttributeItem& item,
                      std::unordered_map<Core::String, int32_t>& written) const;

  Core::String m_namespaceUri;
  Core::String m_localName;
  std::vector<Core::XInterface<CExpandedName>> m_usedSets;
  std::vector<int32_t> m_usedSetStamps;  // one for each used set
  std::vector<CAttributeItem> m_attributes;
  int32_t m_stamp = 10000;
  bool m_writing = false;
};

class CAttributeSetTable : public Core::CInterface {
public:
  CAttributeSetTable();
  ~CAttributeSetTable() override;

  // Merges the declaration into the set of its name, made when new.
  void Add(CAttributeSet* declaration);
  CMergedAttributeSet* Find(Core::StringView namespaceUri, Core::StringView localName) const;
  // Lowers every set's stamp by one: the next module read has lower precedence.
  void ResolveAll();

private:
  CExpandedNameIndex m_index;
  std::vector<Core::XInterface<CMergedAttributeSet>> m_sets;
};

} // namespace XsltPrivate
