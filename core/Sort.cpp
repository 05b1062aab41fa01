#include "core/Sort.h"

namespace Core {

namespace {

// Heapsort of [lo, hi]: the fallback for ranges whose partitions keep coming
// out lopsided, so that no input makes the sort quadratic.
void HeapSort(CSortable& items, int32_t lo, int32_t hi) {
  const int64_t count = int64_t(hi) - lo + 1;
  auto siftDown = [&](int64_t root, int64_t end) {
    for (;;) {
      int64_t child = 2 * root + 1;
      if (child >= end) return;
      if (child + 1 < end && items.Compare(int32_t(lo + child), int32_t(lo + child + 1)) < 0) ++child;
      if (items.Compare(int32_t(lo + root), int32_t(lo + child)) >= 0) return;
      items.Swap(int32_t(lo + root), int32_t(lo + child));
      root = child;
    }
  };
  for (int64_t start = count / 2 - 1; start >= 0; --start) siftDown(start, count);
  for (int64_t end = count - 1; end > 0; --end) {
    items.Swap(lo, int32_t(lo + end));
    siftDown(0, end);
  }
}

} // namespace

// Quicksort with the middle item as pivot and insertion sort for ranges of
// up to 8 items. The smaller part is sorted first, so the stack of pending
// ranges stays within log2 of the count. A range that lies deeper than three
// times log2 of the count is finished by heapsort instead: an ascending run
// followed by a descending one, or many equal keys, get there and would
// otherwise make the sort quadratic, while random distinct keys practically
// never do.
void Sort(CSortable& items) {
  int32_t n = items.GetCount();
  if (n < 2) return;
  int32_t depthLimit = 0;
  for (int32_t m = n; m > 1; m >>= 1) depthLimit += 3;
  struct Range {
    int32_t lo, hi, depth;
  } pending[64];
  int top = 0;
  int32_t lo = 0, hi = n - 1, depth = 0;
  for (;;) {
    if (hi - lo >= 8 && depth >= depthLimit) {
      HeapSort(items, lo, hi);
    } else if (hi - lo >= 8) {
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
      ++depth;
      if (leftSize >= 2 && rightSize >= 2) {
        if (leftSize > rightSize) {
          pending[top++] = {lo, j - 1, depth};
          lo = i;
        } else {
          pending[top++] = {i, hi, depth};
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
    depth = pending[top].depth;
  }
}

} // namespace Core
