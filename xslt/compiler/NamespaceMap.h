#pragma once
// The namespace declarations in scope at a stylesheet element, through which
// its compiled XPath expressions resolve their prefixes, and the lists of
// namespace URIs designated by extension-element-prefixes and
// exclude-result-prefixes.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/Context.h"

namespace XsltPrivate {

class CNamespaceMap : public Xpath::CNamespaceDeclarationSet {
public:
  // A copy of the in-scope namespace nodes of the node's nearest element
  // (the node itself when it is one), in the order of the element's
  // namespace map. An undeclared default namespace (xmlns="") is no
  // declaration and is left out.
  explicit CNamespaceMap(const Dom::CNode* node);

  // The first item of exactly that prefix; the empty prefix is the default
  // namespace.
  bool GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) override;

  int32_t GetCount() const { return static_cast<int32_t>(m_items.size()); }
  void GetItem(int32_t index, Core::String& prefix, Core::String& namespaceUri) const;
  Core::StringView GetPrefix(int32_t index) const { return m_items[index].prefix; }
  Core::StringView GetUri(int32_t index) const { return m_items[index].namespaceUri; }

private:
  struct CItem {
    Core::String prefix;
    Core::String namespaceUri;
  };
  std::vector<CItem> m_items;
};

// The nearest element at or above node, or null.
const Dom::CNode* NearestElement(const Dom::CNode* node);

class CNamespaceUriArray : public Core::CInterface {
public:
  void Add(Core::StringView namespaceUri) { m_uris.emplace_back(namespaceUri); }
  void AddAll(const CNamespaceUriArray& other) { m_uris.insert(m_uris.end(), other.m_uris.begin(), other.m_uris.end()); }
  // Exact comparison, first to last.
  bool Contains(Core::StringView namespaceUri) const;

  int32_t GetCount() const { return static_cast<int32_t>(m_uris.size()); }
  const Core::String& GetAt(int32_t index) const { return m_uris[index]; }

private:
  // In the order added; duplicates are kept.
  std::vector<Core::String> m_uris;
};

} // namespace XsltPrivate
