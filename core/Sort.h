#pragma once
// In-place sorting of anything that can count, compare and swap its items by
// index. The items never leave their owner.
#include <cstdint>

namespace Core {

class CSortable {
public:
  virtual int32_t GetCount() = 0;
  // Negative when item i sorts before item j, 0 when equal, positive after.
  virtual int32_t Compare(int32_t i, int32_t j) = 0;
  // May be asked to exchange an item with itself.
  virtual void Swap(int32_t i, int32_t j) = 0;

protected:
  ~CSortable() = default;
};

// Ascending order under Compare. Not stable: items that compare equal may
// change their relative order. Users that need a fixed order break ties in
// Compare. An exception from Compare or Swap passes through.
void Sort(CSortable& items);

} // namespace Core
