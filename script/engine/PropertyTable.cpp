#include "script/engine/PropertyTable.h"

#include <cstring>
#include <new>

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

} // namespace

bool CPropertyTable::Matches(const CPropertyEntry* entry, const CPropertyName& name, int32_t hash) {
  if (entry->GetHash() != hash) return false;
  if (entry->GetSharedText() == name.GetSharedText()) return true;
  return name.Equals(entry->GetText());
}

int32_t CPropertyTable::FindSlot(const CPropertyName& name) const {
  if (m_count == 0) return -1;
  int32_t hash = name.GetHash();
  if (!m_index) {
    for (int32_t s = 0; s < m_capacity; ++s) {
      if (m_hashes[s] == hash && Matches(m_slots[s], name, hash)) return s;
    }
    return -1;
  }
  int32_t mask = m_indexCapacity - 1;
  for (int32_t i = hash & mask;; i = (i + 1) & mask) {
    const CIndexSlot& x = m_index[i];
    if (x.slot == kIndexEmpty) return -1;
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
  if (m_index) IndexAdd(hash, slot);
  return slot;
}

int32_t CPropertyTable::PlaceInSlots(CPropertyEntry* entry) {
  int32_t mask = m_capacity - 1;
  int32_t s = entry->GetHash() & mask;
  while (m_slots[s]) s = (s + 1) & mask;
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
  if (capacity > kLargestScannedCapacity) BuildIndex();
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
  for (int32_t s = 0; s < oldCapacity; ++s) {
    if (old[s]) PlaceInSlots(old[s]);
  }
  if (old && !m_slotsInChunk) {
    FreeArray(old, oldCapacity);
    FreeArray(oldHashes, oldCapacity);
  }
  m_slotsInChunk = false;
  if (m_capacity > kLargestScannedCapacity) BuildIndex();
}

void CPropertyTable::BuildIndex() {
  int32_t wanted = m_capacity * 2;
  if (m_indexCapacity != wanted) {
    if (m_index) FreeArray(m_index, m_indexCapacity);
    m_index = AllocateArray<CIndexSlot>(wanted);
    m_indexCapacity = wanted;
  }
  for (int32_t i = 0; i < m_indexCapacity; ++i) m_index[i] = {kIndexEmpty, 0};
  m_indexUsed = 0;
  int32_t mask = m_indexCapacity - 1;
  for (int32_t s = 0; s < m_capacity; ++s) {
    if (!m_slots[s]) continue;
    int32_t hash = m_slots[s]->GetHash();
    int32_t i = hash & mask;
    while (m_index[i].slot != kIndexEmpty) i = (i + 1) & mask;
    m_index[i] = {s, hash};
    ++m_indexUsed;
  }
}

void CPropertyTable::IndexAdd(int32_t hash, int32_t slot) {
  // Entries fill at most three eighths of the index; once tombstones bring
  // the total to one half, a rebuild clears them (it places the new entry
  // too, since the slot array already holds it).
  if (m_indexUsed + 1 > m_indexCapacity / 2) {
    BuildIndex();
    return;
  }
  int32_t mask = m_indexCapacity - 1;
  int32_t i = hash & mask;
  while (m_index[i].slot >= 0) i = (i + 1) & mask;
  if (m_index[i].slot == kIndexEmpty) ++m_indexUsed;
  m_index[i] = {slot, hash};
}

void CPropertyTable::RemoveAt(int32_t slot) {
  CPropertyEntry* entry = m_slots[slot];
  if (!entry) return;
  if (m_index) {
    int32_t mask = m_indexCapacity - 1;
    int32_t i = entry->GetHash() & mask;
    while (m_index[i].slot != slot) i = (i + 1) & mask;
    m_index[i].slot = kIndexDeleted;
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
  if (m_index) FreeArray(m_index, m_indexCapacity);
  if (m_hashes && !slotsInChunk) FreeArray(m_hashes, capacity);
  m_hashes = nullptr;
  m_slots = nullptr;
  m_capacity = m_count = 0;
  m_index = nullptr;
  m_indexCapacity = m_indexUsed = 0;
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
