// Runs the xpatheval tool over the table of cases in eval-cases/cases.txt
// (the format is described at the top of that file) and compares its
// standard output, standard error and exit status.
#include <gtest/gtest.h>

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

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct CResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program with the arguments, standard output and standard error
// going to files; no shell, so the arguments need no quoting.
CResult RunProgram(const std::string& program, const std::vector<std::string>& args) {
  std::string base = ::testing::TempDir() + "xpatheval_" + std::to_string(::getpid());
  std::string outPath = base + ".out", errPath = base + ".err";
  CResult result;
  pid_t pid = ::fork();
  if (pid == 0) {
    int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(127);
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

TEST(XpathEvalTool, TableOfCases) {
  const std::string program = std::string(KELTO_TOOLS_DIR) + "/xpatheval";
  ASSERT_EQ(::access(program.c_str(), X_OK), 0) << program;
  std::vector<CCase> cases = ReadCases();
  ASSERT_GE(cases.size(), 20u);
  for (const CCase& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back(kCasesDir + c.file);
    args.push_back(c.expr);
    CResult result = RunProgram(program, args);
    SCOPED_TRACE("cases.txt:" + std::to_string(c.line) + ": " + c.expr);
    EXPECT_EQ(result.status, c.exit);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
  }
}

} // namespace
