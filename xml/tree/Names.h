#pragma once
// Interned qualified names and namespace scopes of one document. Both live
// in the document's arena and are freed with its store.
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "core/Exception.h"
#include "core/String.h"
#include "xml/tree/Dom.h"

namespace Dom {

// The hash of the name tables, top bit cleared. It mixes every unit
// (FNV-1a), so that a document cannot pile thousands of crafted names into
// one probe chain as it could with a plain h * 9 + unit.
// HashUnits goes on from h over more units.
inline uint32_t HashUnits(uint32_t h, Core::StringView s) {
  for (char16_t c : s) {
    h ^= c;
    h *= 16777619u;
  }
  return h;
}
inline uint32_t HashName(Core::StringView s) { return HashUnits(2166136261u, s) & 0x7FFFFFFFu; }

// The hash of a name table key: the qualified name and, behind a unit that no
// name holds, the namespace URI. One name in thousands of namespaces (a
// prefix or default namespace declared anew on each element) would otherwise
// share one probe chain.
inline uint32_t HashName(Core::StringView qualifiedName, Core::StringView namespaceUri) {
  // The separator is unit 0: h ^ 0 == h.
  return HashUnits(HashUnits(2166136261u, qualifiedName) * 16777619u, namespaceUri) & 0x7FFFFFFFu;
}

// The hash of namespace prefixes: h * 9 + unit, top bit cleared. It places
// the entries of a scope, and their bucket order is the order in which an
// element's namespace nodes are listed (and so copied to a result), so it
// stays the plain one.
inline uint32_t HashPrefix(Core::StringView s) {
  uint32_t h = 0;
  for (char16_t c : s) h = h * 9u + c;
  return h & 0x7FFFFFFFu;
}

// Bump allocation in big chunks, freed all at once; also keeps one
// NUL-terminated copy of each distinct string handed to Intern.
class CStoreArena {
public:
  CStoreArena();
  CStoreArena(const CStoreArena&) = delete;
  CStoreArena& operator=(const CStoreArena&) = delete;
  ~CStoreArena();

  void* Allocate(size_t bytes, size_t align = alignof(void*));
  template <class T>
  T* AllocateArray(size_t count) {
    T* p = static_cast<T*>(Allocate(sizeof(T) * count, alignof(T)));
    for (size_t i = 0; i < count; ++i) p[i] = T{};
    return p;
  }
  // A NUL-terminated copy.
  Core::StringView Copy(Core::StringView s);
  // The one shared NUL-terminated copy of s.
  Core::StringView Intern(Core::StringView s);

private:
  std::vector<char*> m_chunks;
  char* m_fill = nullptr;
  char* m_end = nullptr;
  size_t m_nextChunk;  // grows to the full chunk size
  std::unordered_set<Core::StringView> m_atoms;
};

struct CName {
  Core::StringView qualifiedName;  // NUL-terminated
  Core::StringView namespaceUri;   // NUL-terminated, "" for none
  Core::StringView localName;      // NUL-terminated (the tail of the qualified name)
  uint32_t hash;                   // of the qualified name and namespace URI
};

// Every distinct (qualified name, namespace URI) of a document once.
class CNameTable {
public:
  explicit CNameTable(CStoreArena& arena);
  const CName* Lookup(Core::StringView qualifiedName, Core::StringView namespaceUri,
                      Core::StringView localName);
  int32_t GetBucketCount() const { return m_bucketCount; }
  int32_t GetCount() const { return m_count; }
  // Entries compared by lookups so far: a measure of the probe chains.
  int64_t GetProbeCount() const { return m_probes; }

private:
  void Grow();
  CStoreArena& m_arena;
  int64_t m_probes = 0;
  int32_t m_bucketCount = 64;
  int32_t m_count = 0;
  std::vector<CName*> m_buckets;
};

// Every scope begins as a whole copy of its parent's, so a few thousand
// prefixes declared once and one more declared on each of a few thousand
// elements would take memory in the product of the two. The bucket entries
// that the scopes of one document allocate are counted against an allowance
// that grows with the document: a fixed part, and so many entries for every
// node created so far. An entry with its list pointer takes 64 bytes (76 with
// the shortcuts), so the scopes stay within 256 MB (304 MB) plus 4 KB for
// every node: every element of a large ordinary document may copy a scope of
// some 48 prefixes (64 buckets), while a small document declaring thousands
// of prefixes on thousands of elements stops at the fixed part. A sum rather
// than the larger of the two, so that a document of the copies the part per
// node allows is not refused for the few entries of its other scopes.
constexpr int64_t MAX_SCOPE_ENTRIES = int64_t(1) << 22;
constexpr int64_t SCOPE_ENTRIES_PER_NODE = 64;

// The entries the scopes of a document of this many nodes may allocate.
constexpr int64_t ScopeEntryLimit(int64_t nodes) { return MAX_SCOPE_ENTRIES + SCOPE_ENTRIES_PER_NODE * nodes; }

// A scope operation would pass the allowance; nothing was changed.
class CScopeLimitException : public Core::IException {};

// The namespace declarations in scope inside an element: an open-addressing
// table of namespace node entries plus the order in which the namespace map
// lists them. Arena-allocated, never destroyed individually.
class CNamespaceScope {
public:
  // An empty root scope of 4 buckets, linked at the head of the list.
  static CNamespaceScope* CreateRoot(CStoreArena& arena, const CNodeKind* namespaceKind,
                                     CNamespaceScope*& scopeList);
  // A copy of parent (same buckets, entries listed in parent's bucket order).
  // Throws CScopeLimitException when the copy would pass the bound.
  static CNamespaceScope* CreateDerived(CStoreArena& arena, const CNamespaceScope& parent,
                                        CNamespaceScope*& scopeList);

  CNamespaceNode* Find(Core::StringView prefix) const;
  // The entry of the prefix, created with the next ordinal when missing; the
  // caller sets its parent and namespace URI. Throws CScopeLimitException
  // when growing would pass the bound.
  CNamespaceNode* Add(Core::StringView prefix);

  int32_t GetCount() const { return m_count; }
  int32_t GetBucketCount() const { return m_bucketCount; }
  // Bucket entries allocated so far by this scope's root and every scope
  // derived from it, and how many they may take; a new root allows
  // ScopeEntryLimit(0).
  int64_t GetEntryTotal() const { return m_budget->total; }
  int64_t GetEntryLimit() const { return m_budget->limit; }
  // Sets the allowance of the root and its derived scopes to that of a
  // document of the given number of nodes.
  void SetNodeCount(int64_t nodes) { m_budget->limit = ScopeEntryLimit(nodes); }
  // In-order access: 0 <= i < GetCount().
  CNamespaceNode* GetItem(int32_t i) const { return m_order[i]; }
  // Gives each entry its place in document order (its list position) and
  // the given parent; called once the scope is complete.
  void Seal(CNode* parent);

  CNamespaceScope* next = nullptr;
  const CNodeKind* kind = nullptr;

private:
  struct CBudget {
    int64_t total;
    int64_t limit;
  };

  CNamespaceScope() = default;
  // Counts entries about to be allocated, refusing them past the allowance.
  void TakeEntries(int64_t entries) const;
  // The bucket of the prefix (found), else the empty bucket where linear
  // probing from its home stops, or -1 after a full cycle.
  int32_t Locate(Core::StringView prefix, uint32_t hash, bool& found) const;
  void Grow();
  // Prefixes of one hash value (easy to craft for h * 9 + unit) would make
  // every probe walk one long run of buckets. After such a walk the scope
  // keeps two helpers that leave the placement of the entries unchanged: an
  // index from prefix to bucket under a mixing hash, and for every used
  // bucket a later bucket from which the search for an empty one goes on.
  void BuildShortcuts() const;
  int32_t IndexFind(Core::StringView prefix) const;
  void IndexInsert(int32_t bucket) const;

  CStoreArena* m_arena = nullptr;
  CBudget* m_budget = nullptr;  // shared by a root and its derived scopes
  int32_t m_bucketCount = 0;
  int32_t m_count = 0;
  CNamespaceNode* m_buckets = nullptr;
  CNamespaceNode** m_order = nullptr;
  int32_t m_orderCapacity = 0;
  mutable int32_t* m_index = nullptr;  // 2 * bucket count slots of bucket numbers, -1 when empty
  mutable int32_t* m_skip = nullptr;   // bucket count entries
};

} // namespace Dom
