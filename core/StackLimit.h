#pragma once
// How far the calling thread's stack may grow. Guards against runaway
// recursion compare the address of a frame with it, so they follow the real
// limit (the process's stack limit for the main thread, a thread's own stack
// size) instead of a fixed budget that a small limit, or a deep caller,
// would overrun.
#include <cstdint>

namespace Core {

// The lowest address the calling thread's stack may reach (the stack grows
// downwards on every platform the system runs on); worked out once per
// thread. 0 when it cannot be known.
uintptr_t GetStackLimit();

// The address of the caller's frame, to compare with GetStackLimit.
inline __attribute__((always_inline)) uintptr_t GetStackPosition() {
  return reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
}

// The bytes of stack left below the caller's frame; 0 when none, and the
// whole address range below it when the limit is unknown.
inline __attribute__((always_inline)) uintptr_t GetStackRoom() {
  uintptr_t here = GetStackPosition();
  uintptr_t limit = GetStackLimit();
  return here > limit ? here - limit : 0;
}

} // namespace Core
