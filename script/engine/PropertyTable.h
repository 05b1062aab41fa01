#pragma once
// The own properties of a script object. Entries sit in an open-addressing
// slot array: a new entry takes the first free slot from its hash modulo the
// capacity, probing upwards with wrap-around; the capacity starts at 4 when
// the first entry comes and doubles (entries placed again in slot order)
// whenever an insertion finds three quarters of the slots taken. Removal
// leaves a hole and never shrinks the table. Enumeration is in slot order.
//
// Lookups do not probe the slot array, whose holes would make every miss
// visit all slots: small tables are scanned whole, larger ones keep a side
// index from hash to slot with its own tombstones, rebuilt when they pile
// up. Names of one shape ("p1", "p2", ...) hash into a few dense runs, so
// the index places them by a spread of the hash, and larger tables find the
// first free slot from the home slot through a bitmap of taken slots
// instead of walking the run. So insertions, hits and misses cost O(1) on
// average however many entries came and went, and the slot placement (and
// with it the enumeration order) is exactly the one described above.
#include <cstdint>

#include "script/engine/PropertyName.h"
#include "script/engine/SmallAllocator.h"
#include "script/engine/Value.h"

namespace EcmaScript {

// Property attributes.
enum : int32_t {
  ReadOnly = 1,
  DontEnum = 2,
  DontDelete = 4,
};

class CPropertyEntry {
public:
  KELTO_SMALL_OBJECT_ALLOCATION

  CPropertyEntry(Core::XInterface<CNameText> text, int32_t hash, CValue* value, int32_t nativeId,
                 int32_t attributes)
      : m_text(std::move(text)), m_value(value), m_nativeId(nativeId), m_attributes(attributes), m_hash(hash) {}

  const Core::String& GetText() const { return m_text->GetText(); }
  CNameText* GetSharedText() const { return m_text.Get(); }
  // Null for a native property.
  CValue* GetValue() const { return m_value.Get(); }
  void SetValue(CValue* value) { m_value = value; }
  // -1 for a stored value; 0 or more for a native property.
  int32_t GetNativeId() const { return m_nativeId; }
  int32_t GetAttributes() const { return m_attributes; }
  void SetAttributes(int32_t attributes) { m_attributes = attributes; }
  int32_t GetHash() const { return m_hash; }

private:
  Core::XInterface<CNameText> m_text;
  XValue m_value;
  int32_t m_nativeId;
  int32_t m_attributes;
  int32_t m_hash;
};

class CPropertyTable {
public:
  CPropertyTable() = default;
  ~CPropertyTable() { Clear(); }
  CPropertyTable(const CPropertyTable&) = delete;
  CPropertyTable& operator=(const CPropertyTable&) = delete;

  static int32_t Hash(Core::StringView text) { return HashText(text); }

  // The entry of the name, or null.
  CPropertyEntry* Find(const CPropertyName& name) const {
    int32_t slot = FindSlot(name);
    return slot >= 0 ? m_slots[slot] : nullptr;
  }
  // The slot of the name, or -1.
  int32_t FindSlot(const CPropertyName& name) const;

  // Makes an empty table room for count entries at once, for objects whose
  // slot order no script can see (activation objects). The first count
  // entries are stored in one block instead of one allocation each.
  void Reserve(int32_t count);
  // The slot of each of count entries with these hashes when Reserve(count)
  // made room and they are inserted in this order, and the capacity; false
  // when such a table would keep an index.
  static bool PlanReserved(const int32_t* hashes, int32_t count, int32_t& capacity, int32_t* slots);
  // Reserve for a plan of PlanReserved: slotHashes holds the hash of each
  // slot's entry to be (-1 for none). Then PlaceReserved puts the entries
  // in plan order into their slots, as Insert would have.
  void ReserveAsPlanned(int32_t count, int32_t capacity, const int32_t* slotHashes);
  void PlaceReserved(int32_t slot, const CPropertyName& name, CValue* value, int32_t nativeId, int32_t attributes);
  // Adds an entry without looking for the name first; returns its slot.
  int32_t Insert(const CPropertyName& name, CValue* value, int32_t nativeId, int32_t attributes);
  // Destroys the entry in the slot; the slot becomes a hole.
  void RemoveAt(int32_t slot);
  // Destroys every entry and frees the slots. The values are handed to the
  // release queue (ReleaseQueue.h); the caller drains it.
  void Clear();

  int32_t GetCapacity() const { return m_capacity; }
  int32_t GetCount() const { return m_count; }
  // Null for an empty slot.
  CPropertyEntry* GetAt(int32_t slot) const { return m_slots[slot]; }

private:
  // The index and the bitmap of taken slots of a large table.
  struct CLarge;

  static bool Matches(const CPropertyEntry* entry, const CPropertyName& name, int32_t hash);
  void Grow();
  int32_t PlaceInSlots(CPropertyEntry* entry);
  // Makes the index and the bitmap for the current capacity and entries.
  void BuildLarge();
  void BuildIndex();
  void IndexAdd(int32_t hash, int32_t slot);
  // Ends an entry: one in the block is destroyed in place, any other deleted.
  static void DestroyEntry(CPropertyEntry* entry, CPropertyEntry* block, int32_t blockSize);

  CPropertyEntry** m_slots = nullptr;
  // The hash of each slot's entry, -1 for an empty slot: a scan of a small
  // table touches no entry but the one it finds.
  int32_t* m_hashes = nullptr;
  int32_t m_capacity = 0;
  int32_t m_count = 0;
  CLarge* m_large = nullptr;  // null while the table is small
  // Storage of the entries made room for by Reserve; entries beyond it are
  // allocated one by one. Reserve takes the slot and hash arrays from the
  // same allocation, the chunk, until the table grows.
  CPropertyEntry* m_block = nullptr;
  int32_t m_blockSize = 0;
  int32_t m_blockUsed = 0;
  void* m_chunk = nullptr;
  size_t m_chunkBytes = 0;
  bool m_slotsInChunk = false;
};

} // namespace EcmaScript
