// The end-to-end cases: each folder of tests/e2e/ is one run of the built
// kelto, given as files:
//
//   input.xml     the document
//   style.xsl     the stylesheet
//   expected      the result file, byte for byte (left out: not compared;
//                 the file "no-output" instead: no result file may exist)
//   params        /P arguments, one a line, put before the file names
//   args          the whole argument list instead, one a line; {input},
//                 {style}, {output}, {dir} (the case folder) and {work} (the
//                 folder the run works in) are replaced
//   work/         files copied into the folder the run works in before it
//                 runs (so that a run may write over them)
//   output        the result file's name in that folder (result.out when
//                 left out)
//   status        the exit status (0 when left out)
//   stderr        lines standard error must hold, in this order ({dir},
//                 {work} and {output} replaced as in args)
//   program       a test tool of tests/tools to run instead of kelto (for
//                 kelto_ext: kelto with the test extension package)
//
// Adding a case adds a folder, not code.
#include <gtest/gtest.h>

#include "support/RunProgram.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kCases = fs::path(KELTO_SOURCE_DIR) / "tests" / "e2e";

bool ReadFile(const fs::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kCases))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class E2e : public testing::TestWithParam<std::string> {};

TEST_P(E2e, Case) {
  const fs::path source = kCases / GetParam();
  fs::path work = fs::temp_directory_path() / ("kelto-e2e-" + std::to_string(getpid()) + "-" + GetParam());
  fs::remove_all(work);
  fs::create_directories(work);
  if (fs::exists(source / "work")) fs::copy(source / "work", work, fs::copy_options::recursive);
  std::string text;
  const std::string output =
      (work / (ReadFile(source / "output", text) && !Lines(text).empty() ? Lines(text).front() : "result.out"))
          .string();

  std::vector<std::string> arguments;
  if (ReadFile(source / "args", text)) {
    for (std::string line : Lines(text)) {
      Replace(line, "{input}", (source / "input.xml").string());
      Replace(line, "{style}", (source / "style.xsl").string());
      Replace(line, "{output}", output);
      Replace(line, "{dir}", source.string());
      Replace(line, "{work}", work.string());
      arguments.push_back(line);
    }
  } else {
    if (ReadFile(source / "params", text))
      for (const std::string& line : Lines(text)) arguments.push_back(line);
    arguments.push_back((source / "input.xml").string());
    arguments.push_back((source / "style.xsl").string());
    arguments.push_back(output);
  }

  std::string program = KELTO_BINARY;
  if (ReadFile(source / "program", text) && !Lines(text).empty())
    program = (fs::path(KELTO_TOOLS_DIR) / Lines(text).front()).string();
  TestSupport::CRunOptions options;
  options.directory = work.string();
  TestSupport::CProgramRun run = TestSupport::RunProgram(program, arguments, options);
  int expectedStatus = ReadFile(source / "status", text) ? std::stoi(text) : 0;
  EXPECT_EQ(run.status, expectedStatus) << run.err;

  std::string expected, actual;
  if (ReadFile(source / "expected", expected)) {
    if (ReadFile(output, actual)) {
      EXPECT_EQ(actual, expected);
    } else {
      ADD_FAILURE() << "no result file\n" << run.err;
    }
  }
  if (fs::exists(source / "no-output")) {
    EXPECT_FALSE(fs::exists(output));
  }

  if (ReadFile(source / "stderr", text)) {
    std::vector<std::string> got = Lines(run.err);
    size_t at = 0;
    for (std::string line : Lines(text)) {
      Replace(line, "{dir}", source.string());
      Replace(line, "{work}", work.string());
      Replace(line, "{output}", output);
      auto found = std::find(got.begin() + std::ptrdiff_t(at), got.end(), line);
      EXPECT_NE(found, got.end()) << "missing, in order: " << line << "\nstandard error:\n" << run.err;
      if (found == got.end()) break;
      at = size_t(found - got.begin()) + 1;
    }
  }
  if (!HasFailure()) fs::remove_all(work);
}

INSTANTIATE_TEST_SUITE_P(Cases, E2e, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

} // namespace
