// Runs the scriptrun tool over the script cases in tests/script/cases (the
// layout is described in the README there) and checks its command line.
#include <gtest/gtest.h>

#include "support/RunProgram.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kCasesDir = std::string(KELTO_SOURCE_DIR) + "/tests/script/cases/";
const std::string kTool = std::string(KELTO_TOOLS_DIR) + "/scriptrun";

using TestSupport::ReadAll;
using CResult = TestSupport::CProgramRun;

// Runs scriptrun in the directory with the arguments and the environment
// settings (NAME=VALUE); standard error joins standard output when merged.
CResult RunTool(const std::string& directory, const std::vector<std::string>& args, bool merged = false,
                const std::vector<std::string>& environment = {}) {
  return TestSupport::RunProgram(kTool, args, {directory, merged, environment});
}

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// The non-empty lines of a file; none when it does not exist.
std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  if (!Exists(path)) return lines;
  std::istringstream text(ReadAll(path));
  for (std::string line; std::getline(text, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// The case names: every NAME.js that is not a continuation NAME.N.js.
std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(kCasesDir.c_str())) {
    while (dirent* entry = ::readdir(dir)) {
      std::string file = entry->d_name;
      if (file.size() < 4 || file.compare(file.size() - 3, 3, ".js") != 0) continue;
      std::string name = file.substr(0, file.size() - 3);
      if (name.find('.') != std::string::npos) continue;
      names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ScriptCases, TableOfCases) {
  ASSERT_EQ(::access(kTool.c_str(), X_OK), 0) << kTool;
  std::vector<std::string> names = CaseNames();
  ASSERT_GE(names.size(), 10u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name + ".js");
    std::vector<std::string> args = Lines(kCasesDir + name + ".args");
    args.push_back(name + ".js");
    for (int part = 2; Exists(kCasesDir + name + "." + std::to_string(part) + ".js"); ++part) {
      args.push_back(name + "." + std::to_string(part) + ".js");
    }
    bool fails = Exists(kCasesDir + name + ".err");
    CResult result = RunTool(kCasesDir, args, false, Lines(kCasesDir + name + ".env"));
    EXPECT_EQ(result.status, fails ? 1 : 0);
    EXPECT_EQ(result.out, ReadAll(kCasesDir + name + ".out"));
    EXPECT_EQ(result.err, fails ? ReadAll(kCasesDir + name + ".err") : "");
  }
}

TEST(ScriptCases, CommandLine) {
  const std::string usage = "usage: scriptrun [--seed N] FILE...\n";
  struct {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
  } const cases[] = {
      {{}, 2, "", usage},
      {{"--seed"}, 2, "", usage},
      {{"--seed", "4294967296", "declarations.js"}, 2, "", usage},
      {{"--seed", "-1", "declarations.js"}, 2, "", usage},
      {{"--verbose", "declarations.js"}, 2, "", usage},
      {{"--seed", "4294967295"}, 2, "", usage},
      {{"--seed", "0", "declarations.js"}, 0, "number\n2\n", ""},
      {{"no such file.js"}, 1, "", "Cannot read file 'no such file.js'\n"},
      {{"no such file.js", "declarations.js"}, 1, "", "Cannot read file 'no such file.js'\n"},
      {{"."}, 1, "", "Cannot read file '.'\n"},
      // A failing file stops the run: the later file is not run.
      {{"call_depth.js", "declarations.js"}, 1, "start\n", ReadAll(kCasesDir + "call_depth.err")},
      {{"syntax_errors.js", "declarations.js"}, 1, "", ReadAll(kCasesDir + "syntax_errors.err")},
  };
  for (const auto& c : cases) {
    std::string line;
    for (const std::string& arg : c.args) line += " " + arg;
    SCOPED_TRACE("scriptrun" + line);
    CResult result = RunTool(kCasesDir, c.args);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
  }
}

// Each print reaches standard output before anything that follows it, even
// when standard output is a file and the run ends in an error.
TEST(ScriptCases, PrintIsFlushedPerCall) {
  CResult result = RunTool(kCasesDir, {"runtime_error.js"}, true);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, ReadAll(kCasesDir + "runtime_error.out") + ReadAll(kCasesDir + "runtime_error.err"));
}

// Standard error is UTF-8: a program name outside ASCII comes out as given.
TEST(ScriptCases, ProgramNamesOutsideAscii) {
  std::string dir = ::testing::TempDir() + "scriptrun_names_" + std::to_string(::getpid());
  ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
  const std::string syntax = "s\xC3\xBCntax \xE2\x82\xAC.js", failing = "\xE6\x97\xA5.js";
  std::ofstream(dir + "/" + syntax) << "x = ;\n";
  std::ofstream(dir + "/" + failing) << "function f() {\n  return null.x;\n}\nf();\n";
  CResult parse = RunTool(dir, {syntax});
  EXPECT_EQ(parse.status, 1);
  EXPECT_EQ(parse.err, "Parse error at line 1: Invalid primary expression\n"
                       "Error(s) encountered during program parsing\n    Program '" + syntax + "'\n");
  CResult run = RunTool(dir, {failing});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "ECMAScript runtime error: Cannot convert to object: illegal value type\n    Program '" + failing +
                         "'\n        function 'f' at line 2\n");
  std::remove((dir + "/" + syntax).c_str());
  std::remove((dir + "/" + failing).c_str());
  ::rmdir(dir.c_str());
}

// The reporter's limit of 100 holds over the whole run, across files.
TEST(ScriptCases, ErrorLimitOverTheRun) {
  std::string dir = ::testing::TempDir() + "scriptrun_limit_" + std::to_string(::getpid());
  ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
  std::string errors;
  for (int i = 0; i < 150; ++i) errors += "var ;\n";
  std::ofstream(dir + "/many.js") << errors;
  CResult result = RunTool(dir, {"many.js"});
  EXPECT_EQ(result.status, 1);
  std::string expected;
  for (int i = 1; i <= 100; ++i) expected += "Parse error at line " + std::to_string(i) + ": Missing variable name\n";
  expected += "Error(s) encountered during program parsing\n    Program 'many.js'\n";
  EXPECT_EQ(result.err, expected);
  std::remove((dir + "/many.js").c_str());
  ::rmdir(dir.c_str());
}

} // namespace
