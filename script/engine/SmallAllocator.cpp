#include "script/engine/SmallAllocator.h"

#include <new>

namespace EcmaScriptPrivate {

#if defined(KELTO_SANITIZED)

void* AllocateSmall(std::size_t size) { return ::operator new(size); }
void FreeSmall(void* block, std::size_t) noexcept { ::operator delete(block); }

#else

namespace {

constexpr std::size_t kGranule = 16;
constexpr std::size_t kClasses = 16;  // up to 256 bytes
constexpr std::size_t kBlockSize = 64 * 1024;

struct CFreeBlock {
  CFreeBlock* next;
};

// Plain zero-initialised globals: nothing to construct or destroy, so records
// freed by static destructors at exit still find their list.
CFreeBlock* g_free[kClasses];
char* g_carve;
std::size_t g_carveLeft;

} // namespace

void* AllocateSmall(std::size_t size) {
  if (size == 0) size = 1;
  std::size_t cls = (size - 1) / kGranule;
  if (cls >= kClasses) return ::operator new(size);
  if (CFreeBlock* b = g_free[cls]) {
    g_free[cls] = b->next;
    return b;
  }
  std::size_t rounded = (cls + 1) * kGranule;
  if (g_carveLeft < rounded) {
    // The rest of the old block is lost; at most 255 bytes per 64 KiB.
    g_carve = static_cast<char*>(::operator new(kBlockSize));
    g_carveLeft = kBlockSize;
  }
  void* p = g_carve;
  g_carve += rounded;
  g_carveLeft -= rounded;
  return p;
}

void FreeSmall(void* block, std::size_t size) noexcept {
  if (!block) return;
  if (size == 0) size = 1;
  std::size_t cls = (size - 1) / kGranule;
  if (cls >= kClasses) {
    ::operator delete(block);
    return;
  }
  auto* b = static_cast<CFreeBlock*>(block);
  b->next = g_free[cls];
  g_free[cls] = b;
}

#endif

} // namespace EcmaScriptPrivate
