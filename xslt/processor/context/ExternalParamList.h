#pragma once
// The top-level parameters of a transformation, carried from the command line
// through the processor into the run. Items keep the order they were added
// in; nothing is looked up or rejected here (the run binds a name from its
// first occurrence). Copies share the values.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Value.h"

namespace Xslt {

class CExternalParamList {
public:
  // A name in qualified-name form ("p:name" or "name"), resolved by the run.
  void Add(Core::StringView qualifiedName, Xpath::CValue* value);
  // A name in expanded form.
  void Add(Core::StringView namespaceUri, Core::StringView localName, Xpath::CValue* value);
  void Clear();

  int32_t GetCount() const { return int32_t(m_items.size()); }
  // Of an item in qualified-name form the namespace URI and local name are
  // empty; of one in expanded form the qualified name is. The value is given
  // without a use added.
  void GetItem(int32_t index, Core::String& qualifiedName, Core::String& namespaceUri, Core::String& localName,
               Xpath::CValue*& value) const;

private:
  struct CParamItem {
    Core::String qualifiedName;
    Core::String namespaceUri;
    Core::String localName;
    Core::XInterface<Xpath::CValue> value;
  };

  std::vector<CParamItem> m_items;
};

} // namespace Xslt
