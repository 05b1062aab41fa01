#include "core/StackLimit.h"

#include <pthread.h>
#include <sys/resource.h>

namespace Core {

namespace {

uintptr_t FindStackLimit() {
  // The thread's stack as the C library knows it: for the main thread it
  // is worked out from the process's stack limit and the stack mapping.
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
    void* address = nullptr;
    size_t size = 0;
    int status = pthread_attr_getstack(&attributes, &address, &size);
    pthread_attr_destroy(&attributes);
    if (status == 0 && address) return reinterpret_cast<uintptr_t>(address);
  }
  // Otherwise the process's limit, counted from here: a little less than
  // the truth, which errs on the safe side.
  constexpr uintptr_t kUsual = uintptr_t(8) << 20;
  rlimit limit{};
  uintptr_t size = kUsual;
  if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) size = uintptr_t(limit.rlim_cur);
  uintptr_t here = GetStackPosition();
  return here > size ? here - size : 0;
}

} // namespace

uintptr_t GetStackLimit() {
  thread_local uintptr_t limit = FindStackLimit();
  return limit;
}

} // namespace Core
