#pragma once
// The content model an extension package declares for the children of one
// of its elements: which child elements (and text) are allowed, which are
// required or may occur once, whether their order is fixed, and into which
// numbered content block each goes.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"

namespace Xslt {

class CExtensionContentType : public Core::CInterface {
public:
  // ordered: an item may not follow a child of a later item of another block.
  explicit CExtensionContentType(bool ordered) : m_ordered(ordered) {}

  // namespaceUri "*" accepts any element and text; localName "*" any name
  // in the namespace.
  void AddType(Core::StringView namespaceUri, Core::StringView localName, int32_t block, bool required, bool single);

  bool IsOrdered() const { return m_ordered; }
  int32_t GetCount() const { return static_cast<int32_t>(m_items.size()); }
  // The item added last whose namespace URI is "*", or -1.
  int32_t GetWildcardIndex() const { return m_wildcard; }
  const Core::String& GetNamespaceUri(int32_t i) const { return m_items[static_cast<size_t>(i)].namespaceUri; }
  const Core::String& GetLocalName(int32_t i) const { return m_items[static_cast<size_t>(i)].localName; }
  int32_t GetBlock(int32_t i) const { return m_items[static_cast<size_t>(i)].block; }
  bool IsRequired(int32_t i) const { return m_items[static_cast<size_t>(i)].required; }
  bool IsSingle(int32_t i) const { return m_items[static_cast<size_t>(i)].single; }

  // The item of exactly that name; else the first of the namespace with
  // local name "*"; else the first with namespace "*"; else -1.
  int32_t FindType(Core::StringView namespaceUri, Core::StringView localName) const;

private:
  struct CTypeItem {
    Core::String namespaceUri;
    Core::String localName;
    int32_t block;
    bool required;
    bool single;
  };

  bool m_ordered;
  int32_t m_wildcard = -1;
  std::vector<CTypeItem> m_items;
};

} // namespace Xslt
