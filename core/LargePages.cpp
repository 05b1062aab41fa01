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

std::atomic<bool> g_started{false};
std::atomic<uintptr_t> g_advisedEnd{0};

uintptr_t HeapEnd() { return reinterpret_cast<uintptr_t>(::sbrk(0)) & ~(kLargePage - 1); }

} // namespace

void UseLargePagesForHeap() {
  if (!g_started.exchange(true, std::memory_order_relaxed)) {
    // Big blocks come from the heap as well, so that they lie in marked
    // steps, and the heap grows a step at a time: the allocator touches
    // only the start of a step before it is marked.
    ::mallopt(M_MMAP_THRESHOLD, kHeapStep);
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

void UseLargePagesForHeap() {}

#endif

} // namespace Core
