// A script recursion that never ends, started at the bottom of a deep
// template recursion under a small stack: the script's guard knows how much
// stack the templates already took, so each script call ends in the
// script's own error (caught by s:try), and the templates end in theirs.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/RunProgram.h"

namespace {

namespace fs = std::filesystem;

TEST(ScriptRecursion, EndlessScriptRecursionUnderDeepTemplates) {
  fs::path folder = fs::temp_directory_path() / ("kelto-script-recursion-" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::ofstream((folder / "in.xml").string()) << "<doc/>";
  std::ofstream((folder / "endless.js").string()) << "function f(n) { return f(n + 1) + 1; }\n";
  std::ofstream((folder / "style.xsl").string())
      << "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'\n"
         "    xmlns:s='https://veltrix.dev/xslt/script' extension-element-prefixes='s'>\n"
         "<xsl:template match='/'><s:import href='endless.js'/><xsl:call-template name='down'/></xsl:template>\n"
         "<xsl:template name='down'><xsl:param name='n' select='0'/>\n"
         "  <xsl:if test='$n mod 500 = 499'>\n"
         "    <s:try><s:catch>caught </s:catch><xsl:value-of select=\"s:call('', 'f', 0)\"/></s:try>\n"
         "  </xsl:if>\n"
         "  <xsl:call-template name='down'><xsl:with-param name='n' select='$n + 1'/></xsl:call-template>\n"
         "</xsl:template>\n"
         "</xsl:stylesheet>\n";
  for (size_t megabytes : {4, 3, 2}) {
    SCOPED_TRACE(std::to_string(megabytes) + " MB of stack");
    TestSupport::CRunOptions options;
    options.stackLimit = megabytes << 20;
    TestSupport::CProgramRun run = TestSupport::RunProgram(
        KELTO_BINARY, {(folder / "in.xml").string(), (folder / "style.xsl").string(), (folder / "out.xml").string()},
        options);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("ECMAScript runtime error: Maximum call depth exceeded"), std::string::npos)
        << run.err.substr(0, 1000);
    EXPECT_NE(run.err.find("Template recursion too deep: 'down'"), std::string::npos)
        << run.err.substr(run.err.size() > 1000 ? run.err.size() - 1000 : 0);
  }
  fs::remove_all(folder);
}

} // namespace
