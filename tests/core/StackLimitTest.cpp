#include <gtest/gtest.h>

#include <pthread.h>
#include <sys/resource.h>

#include "core/StackLimit.h"

namespace {

// The main thread's limit lies below the caller, no further down than the
// process's stack limit allows.
TEST(StackLimit, MainThreadFollowsTheProcessLimit) {
  uintptr_t here = Core::GetStackPosition();
  uintptr_t limit = Core::GetStackLimit();
  ASSERT_NE(limit, 0u);
  ASSERT_LT(limit, here);
  rlimit process{};
  ASSERT_EQ(getrlimit(RLIMIT_STACK, &process), 0);
  if (process.rlim_cur != RLIM_INFINITY) {
    EXPECT_LE(here - limit, uintptr_t(process.rlim_cur));
  }
  EXPECT_GT(Core::GetStackRoom(), 0u);
}

struct CThreadStack {
  uintptr_t low = 0;
  uintptr_t high = 0;
  uintptr_t limit = 0;
  uintptr_t here = 0;
};

void* Measure(void* data) {
  auto* stack = static_cast<CThreadStack*>(data);
  stack->here = Core::GetStackPosition();
  stack->limit = Core::GetStackLimit();
  return nullptr;
}

// A thread's limit is the low end of its own stack, however small.
TEST(StackLimit, ThreadFollowsItsOwnStack) {
  constexpr size_t kSize = 256 * 1024;
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, kSize), 0);
  CThreadStack stack;
  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, &attributes, Measure, &stack), 0);
  ASSERT_EQ(pthread_join(thread, nullptr), 0);
  pthread_attr_destroy(&attributes);
  ASSERT_LT(stack.limit, stack.here);
  EXPECT_LE(stack.here - stack.limit, kSize);
  // The main thread's answer is its own, not the other thread's.
  EXPECT_NE(Core::GetStackLimit(), stack.limit);
}

} // namespace
