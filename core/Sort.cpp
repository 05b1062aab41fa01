#include "core/Sort.h"

namespace Core {

// Quicksort with the middle item as pivot and insertion sort for ranges of
// up to 8 items. The smaller part is sorted first, so the stack of pending
// ranges stays within log2 of the count.
void Sort(CSortable& items) {
  int32_t n = items.GetCount();
  if (n < 2) return;
  struct Range {
    int32_t lo, hi;
  } pending[64];
  int top = 0;
  int32_t lo = 0, hi = n - 1;
  for (;;) {
    if (hi - lo >= 8) {
      items.Swap(lo + (hi - lo) / 2, lo);
      int32_t i = lo, j = hi + 1;
      for (;;) {
        ++i;
        while (i <= hi && items.Compare(lo, i) >= 0) ++i;
        --j;
        while (j > lo && items.Compare(lo, j) <= 0) --j;
        if (i > j) break;
        items.Swap(i, j);
      }
      items.Swap(lo, j);
      // [lo, j - 1] sorts before the pivot, [i, hi] after; j to i - 1 are in place.
      int32_t leftSize = j - lo, rightSize = hi - i + 1;
      if (leftSize >= 2 && rightSize >= 2) {
        if (leftSize > rightSize) {
          pending[top++] = {lo, j - 1};
          lo = i;
        } else {
          pending[top++] = {i, hi};
          hi = j - 1;
        }
        continue;
      }
      if (leftSize >= 2) {
        hi = j - 1;
        continue;
      }
      if (rightSize >= 2) {
        lo = i;
        continue;
      }
    } else {
      for (int32_t k = lo + 1; k <= hi; ++k) {
        for (int32_t m = k; m > lo && items.Compare(m - 1, m) > 0; --m) items.Swap(m - 1, m);
      }
    }
    if (top == 0) break;
    --top;
    lo = pending[top].lo;
    hi = pending[top].hi;
  }
}

} // namespace Core
