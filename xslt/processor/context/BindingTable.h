#pragma once
// A table from expanded names to 32-bit values (entry indexes, stamps) with
// nested scopes, under the top-level tables and the variable tables of a
// run. The newest binding of a name wins: an inner scope hides an outer one,
// and of two bindings in one scope the later hides the earlier. The values
// are not owned.
#include <cstdint>
#include <vector>

#include "core/String.h"

namespace XsltPrivate {

class CScopedBindingTable {
public:
  CScopedBindingTable();

  // Binds in the innermost scope; no duplicate check (callers look first
  // where a duplicate is an error).
  void Add(Core::StringView namespaceUri, Core::StringView localName, int32_t value);
  // Opens an empty scope; returns the new level.
  int32_t PushScope();
  // Drops the innermost scope and its bindings; only above level 0.
  void PopScope();
  int32_t GetLevel() const { return m_level; }
  // The number of bindings visible.
  int32_t GetScopeEnd() const { return m_scopeEnds[size_t(m_level)]; }
  // The newest binding of the name, in the innermost scope only when asked
  // (at level 0 that is every binding). Leaves value untouched when none.
  bool Find(Core::StringView namespaceUri, Core::StringView localName, int32_t& value, bool innermostOnly) const;

private:
  struct CBinding {
    Core::String namespaceUri;
    Core::String localName;
    int32_t value;
  };

  std::vector<CBinding> m_bindings;
  std::vector<int32_t> m_scopeEnds;  // entry k: just behind the last binding of level k
  int32_t m_level = 0;
};

} // namespace XsltPrivate
