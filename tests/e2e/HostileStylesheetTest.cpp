// Stylesheets built to hurt: long chains of declarations that are worked out
// inside one another, values used over and over, and definitions that need
// themselves. Each either gives the right result or ends in a clear fatal
// error with status 1; none may crash. The chains are generated here and run
// under a small stack so that they stay short.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "support/RunProgram.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kSmallStack = 512 * 1024;
const char kHead[] = "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n";

class HostileStylesheet : public testing::Test {
protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("kelto-hostile-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream((folder / "in.xml").string()) << "<doc><a/><b/></doc>";
  }
  void TearDown() override { fs::remove_all(folder); }

  // Runs the stylesheet body (between the stylesheet tags) with the given
  // stack limit (0: the usual one).
  TestSupport::CProgramRun Run(const std::string& body, size_t stack = kSmallStack) {
    std::ofstream((folder / "style.xsl").string()) << kHead << body << "</xsl:stylesheet>\n";
    fs::remove(folder / "out.xml");
    TestSupport::CRunOptions options;
    options.stackLimit = stack;
    return TestSupport::RunProgram(KELTO_BINARY,
                                   {(folder / "in.xml").string(), (folder / "style.xsl").string(),
                                    (folder / "out.xml").string()},
                                   options);
  }
  std::string Result() { return TestSupport::ReadAll((folder / "out.xml").string()); }

  fs::path folder;
};

std::string Repeat(int count, const std::function<std::string(int)>& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line(i);
  return text;
}

const char kDeep[] = "Template recursion too deep: ";

// Each chain of n links: short, it gives the result; long, under the small
// stack, it ends in error 56, named after a link.
TEST_F(HostileStylesheet, LongChainsEndInAnErrorNotACrash) {
  struct Chain {
    const char* what;
    std::function<std::string(int)> body;
    const char* result;  // for n = 50
  } chains[] = {
      {"globals, each from the next",
       [](int n) {
         return Repeat(n - 1, [](int i) {
                  return "<xsl:variable name='g" + std::to_string(i) + "' select='$g" + std::to_string(i + 1) +
                         " + 1'/>\n";
                }) +
                "<xsl:variable name='g" + std::to_string(n - 1) + "' select='1'/>\n" +
                "<xsl:template match='/'><r><xsl:value-of select='$g0'/></r></xsl:template>\n";
       },
       "<r>50</r>"},
      {"globals, each a node set from the next",
       [](int n) {
         return Repeat(n - 1, [](int i) {
                  return "<xsl:variable name='g" + std::to_string(i) + "' select='$g" + std::to_string(i + 1) +
                         " | /doc'/>\n";
                }) +
                "<xsl:variable name='g" + std::to_string(n - 1) + "' select='/doc/a'/>\n" +
                "<xsl:template match='/'><r><xsl:value-of select='count($g0)'/></r></xsl:template>\n";
       },
       "<r>2</r>"},
      {"attribute sets, each using the next",
       [](int n) {
         return Repeat(n - 1, [](int i) {
                  return "<xsl:attribute-set name='s" + std::to_string(i) + "' use-attribute-sets='s" +
                         std::to_string(i + 1) + "'/>\n";
                }) +
                "<xsl:attribute-set name='s" + std::to_string(n - 1) +
                "'><xsl:attribute name='a'>deep</xsl:attribute></xsl:attribute-set>\n" +
                "<xsl:template match='/'><r xsl:use-attribute-sets='s0'/></xsl:template>\n";
       },
       "<r a=\"deep\"/>"},
      {"keys, each using the next",
       [](int n) {
         return Repeat(n - 1, [](int i) {
                  return "<xsl:key name='k" + std::to_string(i) + "' match='*' use=\"name(key('k" +
                         std::to_string(i + 1) + "', name()))\"/>\n";
                }) +
                "<xsl:key name='k" + std::to_string(n - 1) + "' match='*' use='name()'/>\n" +
                "<xsl:template match='/'><r><xsl:value-of select=\"count(key('k0', 'a'))\"/></r></xsl:template>\n";
       },
       "<r>1</r>"},
      {"local node sets, each made from the one before",
       [](int n) {
         return "<xsl:template match='/'><xsl:variable name='v0' select='/doc'/>\n" +
                Repeat(n - 1, [](int i) {
                  return "<xsl:variable name='v" + std::to_string(i + 1) + "' select='$v" + std::to_string(i) +
                         " | /doc/a'/>\n";
                }) +
                "<r><xsl:value-of select='count($v" + std::to_string(n - 1) + ")'/></r></xsl:template>\n";
       },
       "<r>2</r>"},
  };
  for (const Chain& chain : chains) {
    TestSupport::CProgramRun run = Run(chain.body(50), 0);
    EXPECT_EQ(run.status, 0) << chain.what << "\n" << run.err;
    EXPECT_NE(Result().find(chain.result), std::string::npos) << chain.what << "\n" << Result();

    run = Run(chain.body(5000));
    EXPECT_EQ(run.status, 1) << chain.what << "\n" << run.err;
    EXPECT_NE(run.err.find(kDeep), std::string::npos) << chain.what << "\n" << run.err.substr(0, 2000);
    EXPECT_NE(run.err.find("Processing terminated."), std::string::npos) << chain.what;
  }
}

// A global that needs its own value, directly or through another one, and
// however late the need shows (inside a node set walked only when used),
// is error 35, reported and thrown once.
TEST_F(HostileStylesheet, CircularGlobalsAreOneFatalError) {
  const std::string use = "<xsl:template match='/'><r><xsl:value-of select='$x'/></r></xsl:template>\n";
  const std::string cases[] = {
      "<xsl:variable name='x' select='/*[$x]'/>",
      "<xsl:param name='x' select='/*[$x]'/>",
      "<xsl:variable name='x' select='/*[$y]'/><xsl:variable name='y' select='/*[$x]'/>",
      "<xsl:variable name='x' select='document($x)'/>",
      "<xsl:variable name='x' select='generate-id($x)'/>",
      "<xsl:variable name='x' select='/*[count($x) = 1]'/>",
      "<xsl:variable name='x'><xsl:for-each select='/*[$x]'>t</xsl:for-each></xsl:variable>",
  };
  for (const std::string& globals : cases) {
    TestSupport::CProgramRun run = Run(globals + use, 0);
    EXPECT_EQ(run.status, 1) << globals << "\n" << run.err;
    const std::string message = "Circular variable definitions: '', 'x'\n";
    size_t first = run.err.find(message);
    ASSERT_NE(first, std::string::npos) << globals << "\n" << run.err;
    // Once reported, once printed by the program; nothing after it.
    size_t second = run.err.find(message, first + 1);
    ASSERT_NE(second, std::string::npos) << globals << "\n" << run.err;
    EXPECT_EQ(run.err.find(message, second + 1), std::string::npos) << globals << "\n" << run.err;
    EXPECT_EQ(run.err.substr(second + message.size()), "Processing terminated.\n") << globals;
  }
}

// A node set is walked only when it is used: a global whose node set would
// need itself, never used, is no error, as an error inside any unused node set
// is none.
TEST_F(HostileStylesheet, AnUnusedSelfReferringNodeSetIsNoError) {
  TestSupport::CProgramRun run = Run("<xsl:variable name='x' select='/*[$x]'/>"
                                     "<xsl:template match='/'><r>unused</r></xsl:template>\n",
                                     0);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("Circular"), std::string::npos) << run.err;
  EXPECT_NE(Result().find("<r>unused</r>"), std::string::npos);
}

// A node set used twice at every level it is passed on is worked out once per
// level: 2^500 walks otherwise.
TEST_F(HostileStylesheet, ValuesUsedTwiceAtEveryLevelAreWorkedOutOnce) {
  TestSupport::CProgramRun run = Run(
      "<xsl:template match='/'><r><xsl:call-template name='t'><xsl:with-param name='p' select='/doc/*'/>"
      "<xsl:with-param name='n' select='500'/></xsl:call-template>"
      "<xsl:variable name='v0' select='/doc/*'/>" +
          Repeat(40,
                 [](int i) {
                   return "<xsl:variable name='v" + std::to_string(i + 1) + "' select='$v" + std::to_string(i) +
                          " | $v" + std::to_string(i) + "'/>";
                 }) +
          "<xsl:value-of select='count($v40)'/></r></xsl:template>\n"
          "<xsl:template name='t'><xsl:param name='p'/><xsl:param name='n'/><xsl:choose>"
          "<xsl:when test='$n &gt; 0'><xsl:call-template name='t'><xsl:with-param name='p' select='$p | $p'/>"
          "<xsl:with-param name='n' select='$n - 1'/></xsl:call-template></xsl:when>"
          "<xsl:otherwise><xsl:value-of select='count($p)'/></xsl:otherwise></xsl:choose></xsl:template>\n",
      0);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(Result().find("<r>22</r>"), std::string::npos) << Result();
}

} // namespace
