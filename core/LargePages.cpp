#include "core/LargePages.h"

#include <atomic>
#include <cstdint>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace Core {

#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)

namespace {

constexpr uintptr_t kLargePage = uintptr_t(2) << 20;
// The allocator's largest threshold for giving a block a mapping of its own.
constexpr int kHeapStep = 32 << 20;

std::atomic<bool> g_policy{false};
std::atomic<bool> g_started{false};
std::atomic<uintptr_t> g_advisedEnd{0};

uintptr_t HeapEnd() { return reinterpret_cast<uintptr_t>(::sbrk(0)) & ~(kLargePage - 1); }

} // namespace

void UseHeapPolicy() {
  if (g_policy.exchange(true, std::memory_order_relaxed)) return;
  // Big blocks come from the heap as well, so that they lie in marked steps
  // once the heap is marked; and freed memory at the top is given back only
  // beyond a step, so that a deep recursion that frees its strings at the
  // top of the heap and takes them again does not move the heap's end each
  // time.
  ::mallopt(M_MMAP_THRESHOLD, kHeapStep);
  ::mallopt(M_TRIM_THRESHOLD, 2 * kHeapStep);
}

void UseLargePagesForHeap() {
  UseHeapPolicy();
  if (!g_started.exchange(true, std::memory_order_relaxed)) {
    // The heap grows a step at a time from now on: the allocator touches
    // only the start of a step before it is marked. Padding set only now
    // keeps the unmarked heap ending just above what is in use.
    ::mallopt(M_TOP_PAD, kHeapStep);
    g_advisedEnd.store(HeapEnd(), std::memory_order_relaxed);
    return;
  }
  uintptr_t end = HeapEnd();
  uintptr_t advised = g_advisedEnd.load(std::memory_order_relaxed);
  if (end == advised) return;
  // A heap given back in part and grown again is marked from where it stands.
  if (end > advised) ::madvise(reinterpret_cast<void*>(advised), end - advised, MADV_HUGEPAGE);
  g_advisedEnd.store(end, std::memory_order_relaxed);
}

#else

void UseHeapPolicy() {}
void UseLargePagesForHeap() {}

#endif

} // namespace Core
