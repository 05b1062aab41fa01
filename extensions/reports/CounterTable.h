#pragma once
// Named counters with lexical scopes. The scope level follows the run-time
// contexts of a run; a counter is filed one level below the current one, so
// it belongs to the content list that holds its defining element: later
// siblings see it, and it goes when that content list ends. A definition in
// a deeper content list hides an outer one of the same name until it goes.
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/String.h"
#include "xpath/Number.h"

namespace XsltReportsPrivate {

class CCounterTable {
public:
  void BeginScope() { ++m_scopeLevel; }
  // Drops the counters of the innermost scope, uncovering what they hid.
  void EndScope();

  // A name already defined in the same content list is an error.
  void Define(Core::StringView name, Xpath::CNumber value);
  void Increment(Core::StringView name, Xpath::CNumber delta);
  Xpath::CNumber GetValue(Core::StringView name) const;

  int32_t GetScopeLevel() const { return m_scopeLevel; }
  // Counters alive, hidden ones included.
  int32_t GetEntryCount() const { return static_cast<int32_t>(m_entries.size()); }

private:
  struct CEntry {
    int32_t scopeLevel;
    Core::String name;
    Xpath::CNumber value;
    // The older entry of the same name this one hides, or -1.
    int32_t shadowed;
  };

  struct CNameHash {
    using is_transparent = void;
    size_t operator()(Core::StringView name) const { return std::hash<Core::StringView>()(name); }
  };

  // The visible entry of the name, or -1.
  int32_t Find(Core::StringView name) const;
  // The index of the visible entry; an undefined name is an error.
  size_t Visible(Core::StringView name) const;

  int32_t m_scopeLevel = 0;
  std::vector<CEntry> m_entries;
  // Name to the index of its visible entry; a name leaves when its last entry does.
  std::unordered_map<Core::String, int32_t, CNameHash, std::equal_to<>> m_index;
};

} // namespace XsltReportsPrivate
