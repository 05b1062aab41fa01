// Times calls of a script function from XPath: call() once for each of
// 100,000 nodes, beside the same transformation computing the value in
// XPath alone, and prints calls per second (of the whole run, and of the
// time the calls added).
//
//   bench_script_calls [nodes]      (100000 by default)
//
// The files are written to a temporary folder, removed at the end. Nothing
// asserts on time.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/EncodingMap.h"
#include "core/Exception.h"
#include "core/String.h"
#include "extensions/Packages.h"
#include "script/builtins/ScriptEngine.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/Processor.h"

namespace {

namespace fs = std::filesystem;

const char* kScript = "function twice(x) { return x * 2; }\n";

const char* kCalls =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'\n"
    "    xmlns:s='https://veltrix.dev/xslt/script' extension-element-prefixes='s'>\n"
    "<xsl:output method='text'/>\n"
    "<xsl:template match='/'><s:import href='calls.js'/>"
    "<xsl:for-each select='r/n'><xsl:value-of select=\"s:call('', 'twice', number(@i))\"/>,</xsl:for-each>"
    "</xsl:template>\n"
    "</xsl:stylesheet>\n";

const char* kBaseline =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n"
    "<xsl:output method='text'/>\n"
    "<xsl:template match='/'>"
    "<xsl:for-each select='r/n'><xsl:value-of select='number(@i) * 2'/>,</xsl:for-each>"
    "</xsl:template>\n"
    "</xsl:stylesheet>\n";

Core::String Url(const fs::path& path) { return Core::FromUtf8("file://" + path.string()); }

// Seconds for one transformation with the script package registered.
double Transform(const fs::path& document, const fs::path& stylesheet, const fs::path& output) {
  Core::XInterface<EcmaScript::CScriptEngine> engine(new EcmaScript::CScriptEngine());
  double seconds = 0;
  try {
    Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
    implementation->GetExtensionHandler()->AddPackage(
        KeltoExtensions::CreateScriptPackage(engine.Get(), Core::Make<Unicode::CEncodingMap>().Get()).Get());
    Core::XInterface<Xslt::CProcessor> processor(new Xslt::CProcessor(implementation.Get()));
    processor->SetSourceUri(Url(document));
    processor->SetStylesheetUri(Url(stylesheet));
    processor->SetOutputUri(Url(output));
    auto start = std::chrono::steady_clock::now();
    processor->Process();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  } catch (const Core::IException& failure) {
    std::fprintf(stderr, "%s\n", Core::ToUtf8(failure.GetMessage()).c_str());
    std::exit(1);
  }
  engine->Shutdown();
  return seconds;
}

} // namespace

int main(int argc, char** argv) {
  int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  if (count <= 0) count = 100000;
  fs::path folder = fs::temp_directory_path() / ("kelto-bench-script-" + std::to_string(getpid()));
  fs::create_directories(folder);
  {
    std::ofstream out(folder / "doc.xml", std::ios::binary);
    out << "<r>";
    for (int i = 0; i < count; ++i) out << "<n i='" << i << "'/>";
    out << "</r>\n";
  }
  std::ofstream(folder / "calls.js", std::ios::binary) << kScript;
  std::ofstream(folder / "calls.xsl", std::ios::binary) << kCalls;
  std::ofstream(folder / "baseline.xsl", std::ios::binary) << kBaseline;

  // The better of three runs of each.
  double calls = 1e300, baseline = 1e300;
  for (int run = 0; run < 3; ++run) {
    calls = std::min(calls, Transform(folder / "doc.xml", folder / "calls.xsl", folder / "out.txt"));
    baseline = std::min(baseline, Transform(folder / "doc.xml", folder / "baseline.xsl", folder / "out.txt"));
  }
  std::printf("%d nodes: with call() %.3f s, XPath alone %.3f s\n", count, calls, baseline);
  std::printf("call() per second: %.0f over the whole run, %.0f over the time the calls added\n", count / calls,
              calls > baseline ? count / (calls - baseline) : 0.0);
  fs::remove_all(folder);
  return 0;
}
