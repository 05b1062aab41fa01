// Times the compilation of generated stylesheets: a principal module of
// n templates (patterns with predicates, modes, literal result elements,
// attribute value templates and a few instructions each) importing n / 100
// modules of 100 templates, at growing n. Time should grow linearly.
//
//   bench_stylesheet_compile
//
// The modules are written to a temporary folder, removed at the end.
// Reports the best of three runs per size. Nothing asserts on time.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/String.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/StylesheetLoader.h"
#include "xslt/processor/services/XsltException.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* kHead = "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n";

void Write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Writes the principal module and its imports; returns the principal's URL.
std::string Generate(const std::filesystem::path& folder, int templates) {
  int modules = templates / 100;
  std::string main = kHead;
  for (int m = 0; m < modules; ++m) main += "<xsl:import href='m" + std::to_string(m) + ".xsl'/>\n";
  for (int t = 0; t < templates; ++t) {
    std::string n = std::to_string(t);
    main += "<xsl:template match='e" + n + "[@a &gt; 1] | f/g" + n + "' mode='m" + std::to_string(t % 7) +
            "'>\n  <out a='{@b}-" + n + "'><xsl:value-of select='concat(., \"x\")'/>"
            "<xsl:if test='position() = 1'>first</xsl:if></out>\n</xsl:template>\n";
  }
  Write(folder / "main.xsl", main + "</xsl:stylesheet>\n");
  for (int m = 0; m < modules; ++m) {
    std::string body = kHead;
    for (int t = 0; t < 100; ++t)
      body += "<xsl:template match='h" + std::to_string(t) + "'><xsl:apply-templates select='*'/></xsl:template>\n";
    Write(folder / ("m" + std::to_string(m) + ".xsl"), body + "</xsl:stylesheet>\n");
  }
  return "file://" + (folder / "main.xsl").string();
}

} // namespace

int main() {
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kelto-bench-compile-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::printf("%10s %8s %10s %14s\n", "templates", "modules", "best ms", "templates/s");
  for (int templates : {2500, 5000, 10000, 20000}) {
    std::string url = Generate(folder, templates);
    double best = 1e100;
    for (int run = 0; run < 3; ++run) {
      Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation);
      Core::XInterface<XsltPrivate::CStylesheetLoader> loader(
          new XsltPrivate::CStylesheetLoader(implementation.Get()));
      Clock::time_point start = Clock::now();
      try {
        loader->LoadFromUri(Core::FromUtf8(url));
      } catch (const Core::IException& e) {
        std::fprintf(stderr, "%s\n", Core::ToUtf8(e.GetMessage()).c_str());
        return 1;
      }
      double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      if (ms < best) best = ms;
    }
    int total = templates + templates / 100 * 100;
    std::printf("%10d %8d %10.1f %14.0f\n", total, templates / 100, best, total / best * 1000);
  }
  std::filesystem::remove_all(folder);
  return 0;
}
