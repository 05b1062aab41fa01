#pragma once
// The {namespace URI, local name} pair a resolved QName yields: the key of
// every table of named things (templates, modes, variables, attribute sets,
// keys, decimal formats, output method names). Immutable.
#include "core/Interface.h"
#include "core/String.h"

namespace XsltPrivate {

class CExpandedName : public Core::CInterface {
public:
  CExpandedName(Core::String namespaceUri, Core::String localName)
      : m_namespaceUri(std::move(namespaceUri)), m_localName(std::move(localName)) {}

  // Copies, as the tables that keep names need them.
  Core::String GetNamespaceUri() const { return m_namespaceUri; }
  Core::String GetLocalName() const { return m_localName; }

  // Without copies.
  const Core::String& NamespaceUri() const { return m_namespaceUri; }
  const Core::String& LocalName() const { return m_localName; }

  // Both strings compared exactly, unit by unit.
  bool Equals(Core::StringView namespaceUri, Core::StringView localName) const {
    return m_localName == localName && m_namespaceUri == namespaceUri;
  }
  bool Equals(const CExpandedName& other) const { return Equals(other.m_namespaceUri, other.m_localName); }

private:
  Core::String m_namespaceUri;
  Core::String m_localName;
};

// Null-safe comparison: two null names are equal (the default mode).
inline bool SameName(const CExpandedName* a, const CExpandedName* b) {
  if (!a || !b) return a == b;
  return a->Equals(*b);
}

} // namespace XsltPrivate
