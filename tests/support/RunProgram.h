#pragma once
// Runs a built program as a child process (no shell, so arguments need no
// quoting) and collects its exit status, standard output and standard error.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace TestSupport {

// The whole file; empty when it cannot be read.
inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct CProgramRun {
  int status = -1;  // -1 when the program did not exit normally
  std::string out;
  std::string err;
};

struct CRunOptions {
  std::string directory;                 // the child's working directory; "" keeps ours
  bool merged = false;                   // standard error into standard output
  std::vector<std::string> environment;  // NAME=VALUE settings added for the child
  size_t stackLimit = 0;                 // the child's stack limit in bytes; 0 keeps ours
};

inline CProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                              const CRunOptions& options = {}) {
  static int runs = 0;
  std::string base = ::testing::TempDir() + "run_" + std::to_string(::getpid()) + "_" + std::to_string(++runs);
  std::string outPath = base + ".out", errPath = base + ".err";
  CProgramRun result;
  pid_t pid = ::fork();
  if (pid == 0) {
    int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(options.merged ? out : err, 2) < 0 ||
        (!options.directory.empty() && ::chdir(options.directory.c_str()) != 0)) {
      ::_exit(127);
    }
    for (const std::string& setting : options.environment) {
      size_t equals = setting.find('=');
      if (equals == std::string::npos ||
          ::setenv(setting.substr(0, equals).c_str(), setting.substr(equals + 1).c_str(), 1) != 0) {
        ::_exit(127);
      }
    }
    if (options.stackLimit > 0) {
      rlimit limit{};
      if (::getrlimit(RLIMIT_STACK, &limit) != 0) ::_exit(127);
      limit.rlim_cur = options.stackLimit;
      if (::setrlimit(RLIMIT_STACK, &limit) != 0) ::_exit(127);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.out = ReadAll(outPath);
  result.err = ReadAll(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return result;
}

} // namespace TestSupport
