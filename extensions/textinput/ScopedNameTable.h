#pragma once
// Objects filed by name for the rest of the content list that defines them.
// An object is filed one level below the current scope, so it belongs to the
// content list holding the element that made it (every instruction runs in a
// scope of its own); a deeper definition of the same name hides it until its
// own content list ends. The index maps each name to its newest entry; the
// entry remembers the one it hides.
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "extensions/textinput/TextInputException.h"

namespace XsltTextInput {

// T provides KeyOf(const T&) and, when dropped objects must be closed, Close().
template <class T>
class CScopedNameTable {
public:
  struct CEntry {
    int32_t level;
    int32_t shadowed;  // the older entry of the same name, or -1
    Core::XInterface<T> object;
  };

  // The duplicate code is the exception code raised for a name filed twice
  // in one content list.
  explicit CScopedNameTable(int32_t duplicateCode) : m_duplicateCode(duplicateCode) {}
  CScopedNameTable(const CScopedNameTable&) = delete;
  CScopedNameTable& operator=(const CScopedNameTable&) = delete;
  ~CScopedNameTable() {
    while (!m_entries.empty()) m_entries.pop_back();
  }

  void BeginScope() { ++m_level; }

  void Add(T* object) {
    Core::String name(KeyOf(*object));
    auto found = m_index.find(name);
    int32_t shadowed = found == m_index.end() ? -1 : found->second;
    if (shadowed >= 0 && m_entries[static_cast<size_t>(shadowed)].level == m_level - 1)
      throw CXsltTextInputException(m_duplicateCode, name);
    m_entries.push_back({m_level - 1, shadowed, Core::XInterface<T>(object)});
    int32_t index = static_cast<int32_t>(m_entries.size()) - 1;
    if (found == m_index.end()) {
      m_index.emplace(std::move(name), index);
    } else {
      found->second = index;
    }
  }

  // The newest visible object of the name; null when none. No use added.
  T* Find(Core::StringView name) const {
    auto found = m_index.find(name);
    return found == m_index.end() ? nullptr : m_entries[static_cast<size_t>(found->second)].object.Get();
  }

  // Drops what the ending scope filed, newest first, and uncovers what it hid.
  void EndScope() {
    while (!m_entries.empty() && m_entries.back().level >= m_level) {
      CEntry& entry = m_entries.back();
      auto found = m_index.find(KeyOf(*entry.object));
      if (entry.shadowed >= 0) {
        found->second = entry.shadowed;
      } else {
        m_index.erase(found);
      }
      if constexpr (requires(T& t) { t.Close(); }) entry.object->Close();
      m_entries.pop_back();
    }
    --m_level;
  }

  int32_t GetLevel() const { return m_level; }
  // Entries filed and not yet dropped, hidden ones included.
  int32_t GetEntryCount() const { return static_cast<int32_t>(m_entries.size()); }

private:
  struct CHash {
    using is_transparent = void;
    size_t operator()(Core::StringView s) const { return std::hash<Core::StringView>{}(s); }
  };

  int32_t m_level = 0;
  int32_t m_duplicateCode;
  std::vector<CEntry> m_entries;
  std::unordered_map<Core::String, int32_t, CHash, std::equal_to<>> m_index;
};

} // namespace XsltTextInput
