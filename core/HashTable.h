#pragma once
// An open-addressing table keyed by UTF-16 names, with linear probing. It
// starts with 4 buckets and doubles whenever an insertion would fill more
// than three quarters of them. Keys once inserted count towards that limit
// even after removal. A removed key leaves its bucket marked, so searches
// go on past it but still stop at a bucket that never held a key.
#include <cstdint>
#include <memory>
#include <utility>

#include "core/String.h"

namespace Core {

// h = h * 9 + unit over the units, modulo 2^32, then masked to 31 bits.
inline int32_t HashName(StringView name) {
  uint32_t h = 0;
  for (char16_t u : name) h = h * 9 + u;
  return static_cast<int32_t>(h & 0x7FFFFFFF);
}

template <class V>
class XHashTable {
public:
  class CBucket {
  public:
    bool IsEmpty() const { return !m_present; }
    StringView GetKey() const { return m_key; }
    int32_t GetHash() const { return m_hash; }
    V value{};

  private:
    friend class XHashTable;
    int32_t m_hash = 0;
    bool m_present = false;
    bool m_vacated = false;  // held a key that was removed
    String m_key;
  };

  XHashTable() : m_buckets(std::make_unique<CBucket[]>(4)), m_count(4) {}
  XHashTable(XHashTable&& other) noexcept
      : m_buckets(std::move(other.m_buckets)), m_count(std::exchange(other.m_count, 0)),
        m_used(std::exchange(other.m_used, 0)) {}
  XHashTable& operator=(XHashTable&& other) noexcept {
    if (this != &other) {
      m_buckets = std::move(other.m_buckets);
      m_count = std::exchange(other.m_count, 0);
      m_used = std::exchange(other.m_used, 0);
    }
    return *this;
  }
  XHashTable(const XHashTable&) = delete;
  XHashTable& operator=(const XHashTable&) = delete;

  static int32_t Hash(StringView name) { return HashName(name); }

  CBucket* Find(StringView name) {
    if (m_used == 0) return nullptr;
    Probe p = DoProbe(name, Hash(name));
    return p.match >= 0 ? &m_buckets[p.match] : nullptr;
  }
  const CBucket* Find(StringView name) const { return const_cast<XHashTable*>(this)->Find(name); }

  // The bucket of the name, added with an empty value when missing.
  CBucket& Insert(StringView name) {
    if (m_count == 0) *this = XHashTable();  // a table that was moved from starts again
    int32_t hash = Hash(name);
    Probe p = DoProbe(name, hash);
    if (p.match >= 0) return m_buckets[p.match];
    int32_t slot;
    if (m_used < (m_count * 3) / 4) {
      slot = p.firstEmpty;
    } else {
      Rehash();
      slot = hash % m_count;
      while (m_buckets[slot].m_present) slot = (slot + 1) % m_count;
    }
    ++m_used;
    CBucket& b = m_buckets[slot];
    b.m_present = true;
    b.m_hash = hash;
    b.m_key.assign(name);
    return b;
  }

  void Remove(StringView name) {
    if (m_used == 0) return;
    Probe p = DoProbe(name, Hash(name));
    if (p.match < 0) return;
    CBucket& b = m_buckets[p.match];
    b.m_present = false;
    String().swap(b.m_key);
    b.value = V{};  // a later insertion into this bucket starts empty
    b.m_vacated = true;
  }

  int32_t GetCount() const { return m_count; }
  int32_t GetUsed() const { return m_used; }
  // Buckets by index, empty ones included.
  CBucket& GetBucket(int32_t i) { return m_buckets[i]; }
  const CBucket& GetBucket(int32_t i) const { return m_buckets[i]; }

private:
  struct Probe {
    int32_t match = -1;       // the bucket holding the name
    int32_t firstEmpty = -1;  // the first empty bucket met, where a new key goes
  };

  Probe DoProbe(StringView name, int32_t hash) const {
    Probe p;
    if (m_count == 0) return p;
    int32_t home = hash % m_count;
    int32_t i = home;
    do {
      const CBucket& b = m_buckets[i];
      if (!b.m_present) {
        if (p.firstEmpty < 0) p.firstEmpty = i;
        if (!b.m_vacated) return p;
      } else if (b.m_hash == hash && StringView(b.m_key) == name) {
        p.match = i;
        return p;
      }
      i = i + 1 == m_count ? 0 : i + 1;
    } while (i != home);
    return p;
  }

  void Rehash() {
    int32_t count = m_count * 2;
    auto buckets = std::make_unique<CBucket[]>(static_cast<size_t>(count));
    for (int32_t k = 0; k < m_count; ++k) {
      CBucket& old = m_buckets[k];
      if (!old.m_present) continue;
      int32_t slot = old.m_hash % count;
      while (buckets[slot].m_present) slot = slot + 1 == count ? 0 : slot + 1;
      buckets[slot] = std::move(old);
      old.m_present = false;
    }
    m_buckets = std::move(buckets);
    m_count = count;
  }

  std::unique_ptr<CBucket[]> m_buckets;
  int32_t m_count = 0;
  int32_t m_used = 0;
};

} // namespace Core
