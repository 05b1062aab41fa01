#include "xml/tree/Names.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace Dom {

namespace {
constexpr size_t kChunkSize = 64 * 1024;
constexpr size_t kFirstChunkSize = 1024;
}

CStoreArena::CStoreArena() : m_nextChunk(kFirstChunkSize) {}

CStoreArena::~CStoreArena() {
  for (char* chunk : m_chunks) ::operator delete(chunk);
}

void* CStoreArena::Allocate(size_t bytes, size_t align) {
  uintptr_t p = (reinterpret_cast<uintptr_t>(m_fill) + (align - 1)) & ~uintptr_t(align - 1);
  if (!m_fill || p + bytes > reinterpret_cast<uintptr_t>(m_end)) {
    // Big requests get a chunk of their own; the current chunk stays open.
    if (bytes > kChunkSize / 4) {
      char* own = static_cast<char*>(::operator new(bytes));
      if (m_chunks.empty()) {
        m_chunks.push_back(own);
      } else {
        m_chunks.insert(m_chunks.end() - 1, own);
      }
      return own;
    }
    size_t size = m_nextChunk;
    while (size < bytes + align) size *= 2;
    m_nextChunk = std::min(2 * size, kChunkSize);
    char* chunk = static_cast<char*>(::operator new(size));
    m_chunks.push_back(chunk);
    m_fill = chunk;
    m_end = chunk + size;
    p = reinterpret_cast<uintptr_t>(chunk);
  }
  m_fill = reinterpret_cast<char*>(p + bytes);
  return reinterpret_cast<void*>(p);
}

Core::StringView CStoreArena::Copy(Core::StringView s) {
  auto* p = static_cast<char16_t*>(Allocate((s.size() + 1) * sizeof(char16_t), alignof(char16_t)));
  if (!s.empty()) std::memcpy(p, s.data(), s.size() * sizeof(char16_t));
  p[s.size()] = 0;
  return Core::StringView(p, s.size());
}

Core::StringView CStoreArena::Intern(Core::StringView s) {
  auto it = m_atoms.find(s);
  if (it != m_atoms.end()) return *it;
  Core::StringView copy = Copy(s);
  m_atoms.insert(copy);
  return copy;
}

// ---- name table -----------------------------------------------------------

CNameTable::CNameTable(CStoreArena& arena) : m_arena(arena), m_buckets(size_t(m_bucketCount), nullptr) {}

const CName* CNameTable::Lookup(Core::StringView qualifiedName, Core::StringView namespaceUri,
                                Core::StringView localName) {
  uint32_t hash = HashName(qualifiedName, namespaceUri);
  int32_t home = int32_t(hash % uint32_t(m_bucketCount));
  int32_t i = home;
  bool full = false;
  while (CName* entry = m_buckets[size_t(i)]) {
    ++m_probes;
    if (entry->hash == hash && entry->qualifiedName == qualifiedName && entry->namespaceUri == namespaceUri)
      return entry;
    i = (i + 1) % m_bucketCount;
    if (i == home) {
      full = true;
      break;
    }
  }
  if (full || m_count >= (m_bucketCount * 3) / 4) {
    Grow();
    i = int32_t(hash % uint32_t(m_bucketCount));
    while (m_buckets[size_t(i)]) i = (i + 1) % m_bucketCount;
  }
  auto* entry = static_cast<CName*>(m_arena.Allocate(sizeof(CName), alignof(CName)));
  entry->qualifiedName = m_arena.Copy(qualifiedName);
  entry->namespaceUri = m_arena.Intern(namespaceUri);
  if (localName.size() <= qualifiedName.size() &&
      qualifiedName.substr(qualifiedName.size() - localName.size()) == localName) {
    entry->localName = entry->qualifiedName.substr(qualifiedName.size() - localName.size());
  } else {
    entry->localName = m_arena.Copy(localName);
  }
  entry->hash = hash;
  m_buckets[size_t(i)] = entry;
  ++m_count;
  return entry;
}

void CNameTable::Grow() {
  int32_t newCount = m_bucketCount * 2;
  std::vector<CName*> buckets(size_t(newCount), nullptr);
  for (CName* entry : m_buckets) {
    if (!entry) continue;
    int32_t i = int32_t(entry->hash % uint32_t(newCount));
    while (buckets[size_t(i)]) i = (i + 1) % newCount;
    buckets[size_t(i)] = entry;
  }
  m_buckets.swap(buckets);
  m_bucketCount = newCount;
}

// ---- namespace scopes -------------------------------------------------------

void CNamespaceScope::TakeEntries(int64_t entries) const {
  if (entries > m_budget->limit - m_budget->total) throw CScopeLimitException();
  m_budget->total += entries;
}

CNamespaceScope* CNamespaceScope::CreateRoot(CStoreArena& arena, const CNodeKind* namespaceKind,
                                             CNamespaceScope*& scopeList) {
  auto* scope = new (arena.Allocate(sizeof(CNamespaceScope), alignof(CNamespaceScope))) CNamespaceScope();
  scope->m_arena = &arena;
  scope->m_budget = new (arena.Allocate(sizeof(CBudget), alignof(CBudget))) CBudget{0, ScopeEntryLimit(0)};
  scope->TakeEntries(4);
  scope->kind = namespaceKind;
  scope->m_bucketCount = 4;
  scope->m_buckets = arena.AllocateArray<CNamespaceNode>(4);
  scope->m_orderCapacity = 4;
  scope->m_order = arena.AllocateArray<CNamespaceNode*>(4);
  scope->next = scopeList;
  scopeList = scope;
  return scope;
}

CNamespaceScope* CNamespaceScope::CreateDerived(CStoreArena& arena, const CNamespaceScope& parent,
                                                CNamespaceScope*& scopeList) {
  parent.TakeEntries(parent.m_bucketCount);
  auto* scope = new (arena.Allocate(sizeof(CNamespaceScope), alignof(CNamespaceScope))) CNamespaceScope();
  scope->m_arena = &arena;
  scope->m_budget = parent.m_budget;
  scope->kind = parent.kind;
  scope->m_bucketCount = parent.m_bucketCount;
  scope->m_count = parent.m_count;
  scope->m_buckets = arena.AllocateArray<CNamespaceNode>(size_t(parent.m_bucketCount));
  scope->m_orderCapacity = parent.m_bucketCount;
  scope->m_order = arena.AllocateArray<CNamespaceNode*>(size_t(parent.m_bucketCount));
  int32_t n = 0;
  for (int32_t i = 0; i < parent.m_bucketCount; ++i) {
    if (parent.m_buckets[i].ordinal == 0) continue;
    scope->m_buckets[i] = parent.m_buckets[i];
    scope->m_order[n++] = &scope->m_buckets[i];
  }
  scope->next = scopeList;
  scopeList = scope;
  return scope;
}

namespace {

constexpr int32_t kLongRun = 32;

// The first empty bucket at or after i, going round: skip[b] of a used
// bucket b is a later bucket with only used ones between, shortened on the
// way (nothing is ever removed, so a used bucket stays used).
int32_t FirstEmpty(const CNamespaceNode* buckets, int32_t* skip, int32_t i) {
  int32_t empty = i;
  while (buckets[empty].ordinal != 0) empty = skip[empty];
  while (buckets[i].ordinal != 0) {
    int32_t next = skip[i];
    skip[i] = empty;
    i = next;
  }
  return empty;
}

} // namespace

int32_t CNamespaceScope::Locate(Core::StringView prefix, uint32_t hash, bool& found) const {
  int32_t home = int32_t(hash % uint32_t(m_bucketCount));
  if (m_index) {
    int32_t bucket = IndexFind(prefix);
    found = bucket >= 0;
    return found ? bucket : FirstEmpty(m_buckets, m_skip, home);
  }
  int32_t i = home;
  found = false;
  for (int32_t steps = 0; m_buckets[i].ordinal != 0; ++steps) {
    const CNamespaceNode& e = m_buckets[i];
    if (e.hash == hash && Core::StringView(e.prefix, e.prefixLength) == prefix) {
      found = true;
      return i;
    }
    if (steps == kLongRun) {
      BuildShortcuts();
      return Locate(prefix, hash, found);
    }
    i = (i + 1) % m_bucketCount;
    if (i == home) return -1;
  }
  return i;
}

void CNamespaceScope::BuildShortcuts() const {
  m_index = static_cast<int32_t*>(m_arena->Allocate(sizeof(int32_t) * size_t(m_bucketCount) * 2, alignof(int32_t)));
  for (int32_t k = 0; k < m_bucketCount * 2; ++k) m_index[k] = -1;
  m_skip = static_cast<int32_t*>(m_arena->Allocate(sizeof(int32_t) * size_t(m_bucketCount), alignof(int32_t)));
  for (int32_t b = 0; b < m_bucketCount; ++b) {
    m_skip[b] = (b + 1) % m_bucketCount;
    if (m_buckets[b].ordinal != 0) IndexInsert(b);
  }
}

int32_t CNamespaceScope::IndexFind(Core::StringView prefix) const {
  uint32_t mask = uint32_t(m_bucketCount) * 2 - 1;
  for (uint32_t k = HashName(prefix) & mask; m_index[k] >= 0; k = (k + 1) & mask) {
    const CNamespaceNode& e = m_buckets[m_index[k]];
    if (Core::StringView(e.prefix, e.prefixLength) == prefix) return m_index[k];
  }
  return -1;
}

void CNamespaceScope::IndexInsert(int32_t bucket) const {
  const CNamespaceNode& e = m_buckets[bucket];
  uint32_t mask = uint32_t(m_bucketCount) * 2 - 1;
  uint32_t k = HashName(Core::StringView(e.prefix, e.prefixLength)) & mask;
  while (m_index[k] >= 0) k = (k + 1) & mask;
  m_index[k] = bucket;
}

CNamespaceNode* CNamespaceScope::Find(Core::StringView prefix) const {
  bool found;
  int32_t i = Locate(prefix, HashPrefix(prefix), found);
  return found ? &m_buckets[i] : nullptr;
}

CNamespaceNode* CNamespaceScope::Add(Core::StringView prefix) {
  uint32_t hash = HashPrefix(prefix);
  bool found;
  int32_t i = Locate(prefix, hash, found);
  if (found) return &m_buckets[i];
  if (i < 0 || m_count >= (m_bucketCount * 3) / 4) {
    Grow();
    i = Locate(prefix, hash, found);
  }
  CNamespaceNode& e = m_buckets[i];
  e.kind = kind;
  e.ordinal = ++m_count;
  e.position = 0;
  e.parent = nullptr;
  Core::StringView copy = m_arena->Intern(prefix);
  e.prefix = copy.data();
  e.prefixLength = uint32_t(copy.size());
  Core::StringView empty = m_arena->Intern(Core::StringView());
  e.namespaceUri = empty.data();
  e.uriLength = 0;
  e.hash = hash;
  if (m_index) IndexInsert(i);
  if (m_count > m_orderCapacity) {
    int32_t capacity = m_orderCapacity * 2;
    auto** order = m_arena->AllocateArray<CNamespaceNode*>(size_t(capacity));
    for (int32_t k = 0; k < m_count - 1; ++k) order[k] = m_order[k];
    m_order = order;
    m_orderCapacity = capacity;
  }
  m_order[m_count - 1] = &e;
  return &e;
}

void CNamespaceScope::Grow() {
  int32_t newCount = m_bucketCount * 2;
  TakeEntries(newCount);
  auto* buckets = m_arena->AllocateArray<CNamespaceNode>(size_t(newCount));
  auto** order = m_arena->AllocateArray<CNamespaceNode*>(size_t(newCount));
  // Entries go to the first empty bucket from their home, as linear probing
  // puts them, without walking the runs bucket by bucket.
  std::vector<int32_t> skip(static_cast<size_t>(newCount));
  for (int32_t b = 0; b < newCount; ++b) skip[size_t(b)] = (b + 1) % newCount;
  int32_t n = 0;
  for (int32_t k = 0; k < m_bucketCount; ++k) {
    const CNamespaceNode& e = m_buckets[k];
    if (e.ordinal == 0) continue;
    int32_t i = FirstEmpty(buckets, skip.data(), int32_t(e.hash % uint32_t(newCount)));
    buckets[i] = e;
    order[n++] = &buckets[i];
  }
  m_buckets = buckets;
  m_order = order;
  m_orderCapacity = newCount;
  m_bucketCount = newCount;
  bool shortcuts = m_index != nullptr;
  m_index = nullptr;
  m_skip = nullptr;
  if (shortcuts) BuildShortcuts();
}

void CNamespaceScope::Seal(CNode* parent) {
  for (int32_t i = 0; i < m_count; ++i) {
    m_order[i]->parent = parent;
    m_order[i]->position = uint32_t(i + 1);
  }
}

} // namespace Dom
