#pragma once
// The two tables of the output element stack: the namespace bindings in force
// for an element, and the attributes of a start tag not yet sent. Each keeps
// its strings in one pool addressed by position, so copying a table is two
// block copies, and compares a stored 31-bit hash before a string. Tables
// that grow large get a hash index, so that lookups stay constant in time.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/String.h"

namespace XsltPrivate {

class COutputNamespaceTable {
public:
  // Position of the binding of the prefix, or -1.
  int32_t FindByPrefix(Core::StringView prefix) const;
  // Position of the first binding, in the order bindings were first made,
  // whose URI is the given one, or -1.
  int32_t FindByUri(Core::StringView uri) const;
  // Binds the prefix: a new binding goes to the end, a changed one keeps its
  // place. Either is marked declared here unless declare is false; binding a
  // prefix to the URI it has changes nothing.
  void Set(Core::StringView prefix, Core::StringView uri, bool declare = true);
  // This table becomes a copy of other with no binding marked declared here.
  void CopyFrom(const COutputNamespaceTable& other);

  int32_t GetCount() const { return static_cast<int32_t>(m_items.size()); }
  Core::StringView GetPrefix(int32_t i) const { return View(m_items[i].prefix); }
  Core::StringView GetUri(int32_t i) const { return View(m_items[i].uri); }
  bool IsDeclaredHere(int32_t i) const { return m_items[i].declaredHere; }

private:
  struct CText {
    uint32_t position;
    uint32_t length;
    int32_t hash;
  };
  struct CItem {
    CText prefix;
    CText uri;
    bool declaredHere;
  };
  static constexpr size_t kIndexFrom = 16;
  using CIndex = std::unordered_multimap<int32_t, int32_t>;

  Core::StringView View(const CText& t) const { return Core::StringView(m_pool.data() + t.position, t.length); }
  CText Store(Core::StringView text);
  void BuildIndexes();

  std::vector<CItem> m_items;
  Core::String m_pool;
  // hash -> position, kept once the table has kIndexFrom bindings.
  std::unique_ptr<CIndex> m_byPrefix;
  std::unique_ptr<CIndex> m_byUri;
};

class COutputAttributeTable {
public:
  // A name set again gets the new value and keeps its first place.
  void Set(Core::StringView name, Core::StringView value);
  void Clear();

  int32_t GetCount() const { return static_cast<int32_t>(m_items.size()); }
  Core::StringView GetName(int32_t i) const { return View(m_items[i].name); }
  Core::StringView GetValue(int32_t i) const { return View(m_items[i].value); }

private:
  struct CText {
    uint32_t position;
    uint32_t length;
  };
  struct CItem {
    CText name;
    CText value;
    int32_t hash;
  };
  static constexpr size_t kIndexFrom = 16;

  Core::StringView View(const CText& t) const { return Core::StringView(m_pool.data() + t.position, t.length); }
  CText Store(Core::StringView text);
  int32_t Find(Core::StringView name, int32_t hash) const;

  std::vector<CItem> m_items;
  Core::String m_pool;
  // hash -> position, kept once the start tag has kIndexFrom attributes.
  std::unordered_multimap<int32_t, int32_t> m_index;
  bool m_indexed = false;
};

} // namespace XsltPrivate
