// Runs the xpatheval tool over the table of cases in eval-cases/cases.txt
// (the format is described at the top of that file) and compares its
// standard output, standard error and exit status.
#include <gtest/gtest.h>

#include "support/RunProgram.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kCasesDir = std::string(KELTO_SOURCE_DIR) + "/tests/xpath/eval-cases/";

struct CCase {
  int line = 0;
  std::string file;
  std::vector<std::string> args;
  std::string expr;
  int exit = -1;
  std::string out;
  std::string err;
};

std::string Unescape(std::string text) {
  static const std::pair<const char*, char> marks[] = {{"<TAB>", '\t'}, {"<CR>", '\r'}, {"<LF>", '\n'}};
  for (const auto& [mark, c] : marks) {
    for (size_t i = text.find(mark); i != std::string::npos; i = text.find(mark, i + 1)) {
      text.replace(i, std::char_traits<char>::length(mark), 1, c);
    }
  }
  return text;
}

std::vector<CCase> ReadCases() {
  std::ifstream in(kCasesDir + "cases.txt");
  std::vector<CCase> cases;
  CCase current;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    size_t space = line.find(' ');
    std::string key = line.substr(0, space);
    std::string value = space == std::string::npos ? "" : Unescape(line.substr(space + 1));
    if (current.line == 0) current.line = number;
    if (key == "file") current.file = value;
    else if (key == "arg") current.args.push_back(value);
    else if (key == "expr") current.expr = value;
    else if (key == "exit") current.exit = std::atoi(value.c_str());
    else if (key == "out") current.out += value + "\n";
    else if (key == "err") current.err += value + "\n";
    else if (key == "end") {
      cases.push_back(current);
      current = CCase();
    } else {
      ADD_FAILURE() << "cases.txt:" << number << ": unknown key " << key;
    }
  }
  return cases;
}

TEST(XpathEvalTool, TableOfCases) {
  const std::string program = std::string(KELTO_TOOLS_DIR) + "/xpatheval";
  ASSERT_EQ(::access(program.c_str(), X_OK), 0) << program;
  std::vector<CCase> cases = ReadCases();
  ASSERT_GE(cases.size(), 20u);
  for (const CCase& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back(kCasesDir + c.file);
    args.push_back(c.expr);
    TestSupport::CProgramRun result = TestSupport::RunProgram(program, args);
    SCOPED_TRACE("cases.txt:" + std::to_string(c.line) + ": " + c.expr);
    EXPECT_EQ(result.status, c.exit);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
  }
}

} // namespace
