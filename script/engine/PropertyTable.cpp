#include "script/engine/PropertyTable.h"

#include <cstring>
#include <new>
#include <vector>

#include "script/engine/ReleaseQueue.h"

namespace EcmaScript {

namespace {

// Tables up to this capacity are scanned whole; a scan of sixteen hashes
// costs less than keeping an index (an activation object of a function with
// a handful of parameters and variables needs sixteen slots).
constexpr int32_t kLargestScannedCapacity = 16;

template <class T>
T* AllocateArray(int32_t count) {
  auto* p = static_cast<T*>(EcmaScriptPrivate::AllocateSmall(sizeof(T) * static_cast<size_t>(count)));
  return p;
}

template <class T>
void FreeArray(T* p, int32_t count) {
  EcmaScriptPrivate::FreeSmall(p, sizeof(T) * static_cast<size_t>(count));
}

// The capacity a table made room for count entries at once starts with:
// the smallest that holds them below the load Insert grows at.
int32_t ReservedCapacity(int32_t count) {
  int32_t capacity = 4;
  while (count - 1 >= capacity * 3 / 4) capacity *= 2;
  return capacity;
}

// The text an entry keeps for the name: the name's own shared text where it
// has one.
Core::XInterface<CNameText> EntryText(const CPropertyName& name) {
  if (name.IsIntegerForm() || !name.GetSharedText()) return Core::XInterface<CNameText>(new CNameText(name.GetText()));
  return Core::XInterface<CNameText>(name.GetSharedText());
}

// Where a hash starts in the index: names of one shape have hashes in a few
// dense runs, which the index must not keep together.
uint32_t Spread(int32_t hash) {
  auto h = static_cast<uint32_t>(hash);
  h ^= h >> 16;
  h *= 0x45d9f3bU;
  h ^= h >> 16;
  return h;
}

// Which slots are taken: a bit per slot in level 0, and in each level above
// a bit per word of the level below, set while that word is full. Bits past
// the end of a level count as taken. The first free slot from any slot is
// then found in a few words, however long the run of taken slots.
class CSlotBits {
public:
  explicit CSlotBits(int32_t capacity) {
    size_t total = 0;
    size_t bits = static_cast<size_t>(capacity);
    for (;;) {
      size_t words = (bits + 63) / 64;
      m_start[m_levels] = total;
      m_wordCount[m_levels] = words;
      ++m_levels;
      total += words;
      if (words == 1) break;
      bits = words;
    }
    m_words.assign(total, 0);
    bits = static_cast<size_t>(capacity);
    for (int level = 0; level < m_levels; ++level) {
      if (bits % 64) m_words[m_start[level] + m_wordCount[level] - 1] = ~uint64_t(0) << (bits % 64);
      bits = m_wordCount[level];
    }
  }

  void Take(int32_t slot) {
    auto p = static_cast<size_t>(slot);
    for (int level = 0; level < m_levels; ++level) {
      uint64_t& word = m_words[m_start[level] + p / 64];
      word |= uint64_t(1) << (p % 64);
      if (word != ~uint64_t(0)) return;
      p /= 64;
    }
  }

  void Free(int32_t slot) {
    auto p = static_cast<size_t>(slot);
    for (int level = 0; level < m_levels; ++level) {
      uint64_t& word = m_words[m_start[level] + p / 64];
      bool wasFull = word == ~uint64_t(0);
      word &= ~(uint64_t(1) << (p % 64));
      if (!wasFull) return;
      p /= 64;
    }
  }

  // The first free slot from the slot upwards, wrapping around; the table
  // is never full.
  int32_t FindFree(int32_t from) const {
    int64_t slot = FindFrom(0, static_cast<size_t>(from));
    if (slot < 0) slot = FindFrom(0, 0);
    return static_cast<int32_t>(slot);
  }

private:
  static constexpr int kMostLevels = 8;

  // The first zero bit of the level at or after p, or -1.
  int64_t FindFrom(int level, size_t p) const {
    size_t w = p / 64;
    if (w >= m_wordCount[level]) return -1;
    const uint64_t* words = &m_words[m_start[level]];
    uint64_t free = ~words[w] & (~uint64_t(0) << (p % 64));
    if (free) return static_cast<int64_t>(w * 64 + static_cast<size_t>(__builtin_ctzll(free)));
    if (level + 1 == m_levels) return -1;
    int64_t next = FindFrom(level + 1, w + 1);
    if (next < 0) return -1;
    return next * 64 + __builtin_ctzll(~words[next]);
  }

  std::vector<uint64_t> m_words;
  size_t m_start[kMostLevels] = {};
  size_t m_wordCount[kMostLevels] = {};
  int m_levels = 0;
};

} // namespace

struct CPropertyTable::CLarge {
  // Index slots: the table slot of an entry, or one of these markers.
  enum : int32_t { kEmpty = -1, kDeleted = -2 };
  struct CIndexSlot {
    int32_t slot;
    int32_t hash;
  };

  explicit CLarge(int32_t capacity) : taken(capacity) {}

  std::vector<CIndexSlot> index;  // twice the slot capacity, a power of two
  int32_t indexUsed = 0;          // entries and tombstones
  CSlotBits taken;
};

bool CPropertyTable::Matches(const CPropertyEntry* entry, const CPropertyName& name, int32_t hash) {
  if (entry->GetHash() != hash) return false;
  if (entry->GetSharedText() == name.GetSharedText()) return true;
  return name.Equals(entry->GetText());
}

int32_t CPropertyTable::FindSlot(const CPropertyName& name) const {
  if (m_count == 0) return -1;
  int32_t hash = name.GetHash();
  if (!m_large) {
    for (int32_t s = 0; s < m_capacity; ++s) {
      if (m_hashes[s] == hash && Matches(m_slots[s], name, hash)) return s;
    }
    return -1;
  }
  const CLarge::CIndexSlot* index = m_large->index.data();
  uint32_t mask = static_cast<uint32_t>(m_large->index.size()) - 1;
  for (uint32_t i = Spread(hash) & mask;; i = (i + 1) & mask) {
    const CLarge::CIndexSlot& x = index[i];
    if (x.slot == CLarge::kEmpty) return -1;
    if (x.slot >= 0 && x.hash == hash && Matches(m_slots[x.slot], name, hash)) return x.slot;
  }
}

int32_t CPropertyTable::Insert(const CPropertyName& name, CValue* value, int32_t nativeId, int32_t attributes) {
  if (m_count >= m_capacity * 3 / 4) Grow();
  Core::XInterface<CNameText> text = EntryText(name);
  int32_t hash = name.GetHash();
  CPropertyEntry* entry = m_blockUsed < m_blockSize
                              ? ::new (&m_block[m_blockUsed++]) CPropertyEntry(std::move(text), hash, value, nativeId, attributes)
                              : new CPropertyEntry(std::move(text), hash, value, nativeId, attributes);
  int32_t slot = PlaceInSlots(entry);
  ++m_count;
  if (m_large) IndexAdd(hash, slot);
  return slot;
}

int32_t CPropertyTable::PlaceInSlots(CPropertyEntry* entry) {
  int32_t mask = m_capacity - 1;
  int32_t s = entry->GetHash() & mask;
  if (m_large) {
    s = m_large->taken.FindFree(s);
    m_large->taken.Take(s);
  } else {
    while (m_slots[s]) s = (s + 1) & mask;
  }
  m_slots[s] = entry;
  m_hashes[s] = entry->GetHash();
  return s;
}

void CPropertyTable::Reserve(int32_t count) {
  if (m_capacity != 0 || count <= 0) return;
  int32_t capacity = ReservedCapacity(count);
  m_capacity = capacity;
  // One allocation: the slots, the entries, then the hashes.
  size_t slotBytes = sizeof(CPropertyEntry*) * static_cast<size_t>(capacity);
  size_t blockBytes = sizeof(CPropertyEntry) * static_cast<size_t>(count);
  size_t hashBytes = sizeof(int32_t) * static_cast<size_t>(capacity);
  m_chunkBytes = slotBytes + blockBytes + hashBytes;
  m_chunk = EcmaScriptPrivate::AllocateSmall(m_chunkBytes);
  auto* bytes = static_cast<unsigned char*>(m_chunk);
  m_slots = reinterpret_cast<CPropertyEntry**>(bytes);
  m_block = reinterpret_cast<CPropertyEntry*>(bytes + slotBytes);
  m_hashes = reinterpret_cast<int32_t*>(bytes + slotBytes + blockBytes);
  m_slotsInChunk = true;
  m_blockSize = count;
  m_blockUsed = 0;
  std::memset(m_slots, 0, slotBytes);
  std::memset(m_hashes, 0xFF, hashBytes);
  if (capacity > kLargestScannedCapacity) BuildLarge();
}

bool CPropertyTable::PlanReserved(const int32_t* hashes, int32_t count, int32_t& capacity, int32_t* slots) {
  capacity = ReservedCapacity(count);
  if (count <= 0 || capacity > kLargestScannedCapacity) return false;
  bool taken[kLargestScannedCapacity] = {};
  int32_t mask = capacity - 1;
  for (int32_t i = 0; i < count; ++i) {
    int32_t s = hashes[i] & mask;
    while (taken[s]) s = (s + 1) & mask;
    taken[s] = true;
    slots[i] = s;
  }
  return true;
}

void CPropertyTable::ReserveAsPlanned(int32_t count, int32_t capacity, const int32_t* slotHashes) {
  Reserve(count);
  std::memcpy(m_hashes, slotHashes, sizeof(int32_t) * static_cast<size_t>(capacity));
}

void CPropertyTable::PlaceReserved(int32_t slot, const CPropertyName& name, CValue* value, int32_t nativeId,
                                   int32_t attributes) {
  Core::XInterface<CNameText> text = EntryText(name);
  m_slots[slot] = ::new (&m_block[m_blockUsed++])
      CPropertyEntry(std::move(text), m_hashes[slot], value, nativeId, attributes);
  ++m_count;
}

void CPropertyTable::Grow() {
  int32_t oldCapacity = m_capacity;
  CPropertyEntry** old = m_slots;
  int32_t* oldHashes = m_hashes;
  m_capacity = oldCapacity ? oldCapacity * 2 : 4;
  m_slots = AllocateArray<CPropertyEntry*>(m_capacity);
  m_hashes = AllocateArray<int32_t>(m_capacity);
  std::memset(m_slots, 0, sizeof(CPropertyEntry*) * static_cast<size_t>(m_capacity));
  std::memset(m_hashes, 0xFF, sizeof(int32_t) * static_cast<size_t>(m_capacity));
  delete m_large;
  m_large = m_capacity > kLargestScannedCapacity ? new CLarge(m_capacity) : nullptr;
  for (int32_t s = 0; s < oldCapacity; ++s) {
    if (old[s]) PlaceInSlots(old[s]);
  }
  if (old && !m_slotsInChunk) {
    FreeArray(old, oldCapacity);
    FreeArray(oldHashes, oldCapacity);
  }
  m_slotsInChunk = false;
  if (m_large) BuildIndex();
}

void CPropertyTable::BuildLarge() {
  delete m_large;
  m_large = new CLarge(m_capacity);
  for (int32_t s = 0; s < m_capacity; ++s) {
    if (m_slots[s]) m_large->taken.Take(s);
  }
  BuildIndex();
}

void CPropertyTable::BuildIndex() {
  std::vector<CLarge::CIndexSlot>& index = m_large->index;
  index.assign(static_cast<size_t>(m_capacity) * 2, {CLarge::kEmpty, 0});
  m_large->indexUsed = 0;
  uint32_t mask = static_cast<uint32_t>(index.size()) - 1;
  for (int32_t s = 0; s < m_capacity; ++s) {
    if (!m_slots[s]) continue;
    int32_t hash = m_slots[s]->GetHash();
    uint32_t i = Spread(hash) & mask;
    while (index[i].slot != CLarge::kEmpty) i = (i + 1) & mask;
    index[i] = {s, hash};
    ++m_large->indexUsed;
  }
}

void CPropertyTable::IndexAdd(int32_t hash, int32_t slot) {
  // Entries fill at most three eighths of the index; once tombstones bring
  // the total to one half, a rebuild clears them (it places the new entry
  // too, since the slot array already holds it).
  std::vector<CLarge::CIndexSlot>& index = m_large->index;
  if (m_large->indexUsed + 1 > static_cast<int32_t>(index.size() / 2)) {
    BuildIndex();
    return;
  }
  uint32_t mask = static_cast<uint32_t>(index.size()) - 1;
  uint32_t i = Spread(hash) & mask;
  while (index[i].slot >= 0) i = (i + 1) & mask;
  if (index[i].slot == CLarge::kEmpty) ++m_large->indexUsed;
  index[i] = {slot, hash};
}

void CPropertyTable::RemoveAt(int32_t slot) {
  CPropertyEntry* entry = m_slots[slot];
  if (!entry) return;
  if (m_large) {
    std::vector<CLarge::CIndexSlot>& index = m_large->index;
    uint32_t mask = static_cast<uint32_t>(index.size()) - 1;
    uint32_t i = Spread(entry->GetHash()) & mask;
    while (index[i].slot != slot) i = (i + 1) & mask;
    index[i].slot = CLarge::kDeleted;
    m_large->taken.Free(slot);
  }
  m_slots[slot] = nullptr;
  m_hashes[slot] = -1;
  --m_count;
  // Last: releasing the value may free objects, even the one owning this
  // table, and with it the block the entry may live in.
  XValue value(entry->GetValue());
  entry->SetValue(nullptr);
  DestroyEntry(entry, m_block, m_blockSize);
}

void CPropertyTable::DestroyEntry(CPropertyEntry* entry, CPropertyEntry* block, int32_t blockSize) {
  if (entry >= block && entry < block + blockSize) entry->~CPropertyEntry();
  else delete entry;
}

void CPropertyTable::Clear() {
  CPropertyEntry** slots = m_slots;
  int32_t capacity = m_capacity;
  bool slotsInChunk = m_slotsInChunk;
  void* chunk = m_chunk;
  size_t chunkBytes = m_chunkBytes;
  m_chunk = nullptr;
  m_chunkBytes = 0;
  m_slotsInChunk = false;
  delete m_large;
  m_large = nullptr;
  if (m_hashes && !slotsInChunk) FreeArray(m_hashes, capacity);
  m_hashes = nullptr;
  m_slots = nullptr;
  m_capacity = m_count = 0;
  CPropertyEntry* block = m_block;
  int32_t blockSize = m_blockSize;
  m_block = nullptr;
  m_blockSize = m_blockUsed = 0;
  // The values go to the release queue, which the owner drains: the table
  // is already empty then, and a long chain of objects is freed without
  // recursion. Freeing a primitive value frees no further value, so those
  // are released at once.
  for (int32_t s = 0; s < capacity; ++s) {
    CPropertyEntry* entry = slots[s];
    if (!entry) continue;
    if (CValue* value = entry->GetValue()) {
      if (!value->IsPrimitive()) {
        value->AddRef();
        entry->SetValue(nullptr);
        EcmaScriptPrivate::CReleaseQueue::Push(value);
      }
    }
    DestroyEntry(entry, block, blockSize);
  }
  if (slots && !slotsInChunk) FreeArray(slots, capacity);
  if (chunk) EcmaScriptPrivate::FreeSmall(chunk, chunkBytes);
}

} // namespace EcmaScript
