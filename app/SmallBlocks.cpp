// The program's small blocks. A transformation makes and drops millions of
// small objects (run-time contexts, iterators, values, strings), and the C
// library's allocator spends about a third of a run on them once its
// per-thread caches overflow. Blocks of up to 256 bytes come instead from
// one reserved range of addresses, cut into 64 KiB slabs of one block size
// each, and go back to free lists of the thread that drops them; they are
// reused, never given back. Bigger blocks, and every block when the range
// cannot be reserved, come from malloc. The range asks for large pages: a
// stylesheet package alone fills megabytes of small blocks, and a fault per
// small page took a fifth of its compile time.
#if !defined(KELTO_SANITIZED)

#include <sys/mman.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t kGranule = 16;  // the alignment new guarantees
constexpr size_t kClasses = 16;  // block sizes 16, 32 .. 256 bytes
constexpr size_t kSlabShift = 16;
constexpr size_t kSlab = size_t(1) << kSlabShift;
// Addresses only: pages are taken as slabs are cut.
constexpr size_t kRange = size_t(1) << 36;
constexpr size_t kSlabs = kRange / kSlab;
constexpr size_t kLargePage = size_t(2) << 20;

char* Reserve() {
  // One large page more, to start at a large page boundary.
  void* p = ::mmap(nullptr, kRange + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE,
                   -1, 0);
  if (p == MAP_FAILED) return nullptr;
  uintptr_t start = (reinterpret_cast<uintptr_t>(p) + kLargePage - 1) & ~uintptr_t(kLargePage - 1);
#if defined(MADV_HUGEPAGE)
  ::madvise(reinterpret_cast<void*>(start), kRange, MADV_HUGEPAGE);
#endif
  return reinterpret_cast<char*>(start);
}

char* Range() {
  static char* const base = Reserve();
  return base;
}

std::atomic<size_t> g_nextSlab{0};

// Per thread and block size: the blocks given back, and the rest of the
// slab being cut. Plain data, so that no constructor runs for a thread.
struct CLists {
  void* free[kClasses + 1];
  char* fill[kClasses + 1];
  char* end[kClasses + 1];
};
thread_local CLists t_lists;

void* Large(size_t size) {
  for (;;) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

// A slab's first granule holds its block size class.
bool NewSlab(CLists& lists, size_t c, char* base) {
  size_t n = g_nextSlab.fetch_add(1, std::memory_order_relaxed);
  if (n >= kSlabs) return false;
  char* slab = base + n * kSlab;
  slab[0] = static_cast<char>(c);
  lists.fill[c] = slab + kGranule;
  lists.end[c] = slab + kSlab;
  return true;
}

void* Allocate(size_t size) {
  size_t c = size <= kGranule ? 1 : (size + kGranule - 1) / kGranule;
  char* base = Range();
  if (c > kClasses || !base) return Large(size);
  CLists& lists = t_lists;
  if (void* p = lists.free[c]) {
    lists.free[c] = *static_cast<void**>(p);
    return p;
  }
  size_t bytes = c * kGranule;
  if (size_t(lists.end[c] - lists.fill[c]) < bytes && !NewSlab(lists, c, base)) return Large(size);
  void* p = lists.fill[c];
  lists.fill[c] += bytes;
  return p;
}

void Release(void* p) noexcept {
  if (!p) return;
  char* base = Range();
  uintptr_t offset = reinterpret_cast<uintptr_t>(p) - reinterpret_cast<uintptr_t>(base);
  if (!base || offset >= kRange) {
    std::free(p);
    return;
  }
  size_t c = static_cast<unsigned char>(base[offset & ~uintptr_t(kSlab - 1)]);
  CLists& lists = t_lists;
  *static_cast<void**>(p) = lists.free[c];
  lists.free[c] = p;
}

} // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

#endif
