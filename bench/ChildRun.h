#pragma once
// Runs one transformation in a forked child, so that the peak memory
// reported is the transformation's own and not what earlier runs left.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "core/Exception.h"
#include "core/String.h"

namespace Bench {

struct CChildRun {
  bool completed = false;  // false: the failure is on standard error
  double seconds = 0;
  long peakKilobytes = 0;
};

template <class Body>
CChildRun RunInChild(const char* label, Body body) {
  auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child == 0) {
    try {
      body();
    } catch (const Core::IException& failure) {
      std::fprintf(stderr, "%s: %s\n", label, Core::ToUtf8(failure.GetMessage()).c_str());
      _exit(1);
    }
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  CChildRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.completed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  run.peakKilobytes = long(usage.ru_maxrss);
  return run;
}

} // namespace Bench
