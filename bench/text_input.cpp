// Times a transformation that reads a delimited text file through the
// text-input package into an XML result: a header line and records of ten
// fields, some of them quoted with separators inside. The file is read at a
// quarter of the size and at the full size; the rate should hold, as reading
// records is linear in the size of the file.
//
//   bench_text_input [MB]      (50 by default)
//
// The files are written to a temporary folder, removed at the end. Nothing
// asserts on time.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/ChildRun.h"
#include "core/Exception.h"
#include "core/String.h"
#include "extensions/Packages.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/Processor.h"

namespace {

namespace fs = std::filesystem;

const char* kStylesheet =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'\n"
    "    xmlns:ti='https://veltrix.dev/xslt/text-input' extension-element-prefixes='ti'>\n"
    "<xsl:template match='/'>\n"
    "  <rows>\n"
    "    <ti:format name='csv' separator=',' header='yes'/>\n"
    "    <ti:read href='data.csv' format='csv'>\n"
    "      <row id='{ti:field-value(1)}' n='{ti:field-count()}'>\n"
    "        <name><xsl:value-of select=\"ti:field-value('name')\"/></name>\n"
    "        <city><xsl:value-of select=\"ti:field-value('city')\"/></city>\n"
    "        <note><xsl:value-of select=\"ti:field-value('note')\"/></note>\n"
    "        <a><xsl:value-of select='ti:field-value(5)'/></a>\n"
    "        <b><xsl:value-of select='ti:field-value(6)'/></b>\n"
    "        <c><xsl:value-of select='ti:field-value(7)'/></c>\n"
    "        <d><xsl:value-of select='ti:field-value(8)'/></d>\n"
    "        <e><xsl:value-of select='ti:field-value(9)'/></e>\n"
    "        <f><xsl:value-of select='ti:field-value(10)'/></f>\n"
    "      </row>\n"
    "    </ti:read>\n"
    "  </rows>\n"
    "</xsl:template>\n"
    "</xsl:stylesheet>\n";

void WriteRecords(const fs::path& path, double megabytes) {
  std::ofstream out(path, std::ios::binary);
  std::string header = "id,name,city,note,a,b,c,d,e,f\n";
  out << header;
  size_t size = header.size(), target = size_t(megabytes * 1024 * 1024);
  unsigned seed = 7;
  for (int i = 0; size < target; ++i) {
    seed = seed * 1103515245u + 12345u;
    std::string n = std::to_string(i);
    std::string record = n + ",Name " + std::to_string(seed % 9973) + ",\"City, " + std::to_string(i % 101) +
                         "\",\"a \"\"quoted\"\" note " + std::to_string(seed % 31) + "\"," +
                         std::to_string(seed % 1000) + "," + std::to_string(i % 7) + ",x" + std::to_string(i % 13) +
                         ",,\"" + std::to_string(seed % 77) + ",5\",end\n";
    out << record;
    size += record.size();
  }
}

// Runs the transformation in a child; prints its time, rate and peak memory.
void Measure(const fs::path& folder) {
  double megabytes = double(fs::file_size(folder / "data.csv")) / (1024 * 1024);
  Bench::CChildRun run = Bench::RunInChild("text input", [&] {
    Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
    Core::XInterface<Xslt::CExtensionPackage> package = KeltoExtensions::CreateTextInputPackage();
    implementation->GetExtensionHandler()->AddPackage(package.Get());
    Core::XInterface<Xslt::CProcessor> processor(new Xslt::CProcessor(implementation.Get()));
    processor->SetSourceUri(Core::FromUtf8("file://" + (folder / "input.xml").string()));
    processor->SetStylesheetUri(Core::FromUtf8("file://" + (folder / "style.xsl").string()));
    processor->SetOutputUri(Core::FromUtf8("file://" + (folder / "out.xml").string()));
    processor->Process();
  });
  if (!run.completed) {
    std::printf("%6.1f MB  failed\n", megabytes);
    return;
  }
  std::printf("%6.1f MB  %8.3f s  %7.1f MB/s  %10ld KB peak  %7.1f MB out\n", megabytes, run.seconds, megabytes / run.seconds,
              run.peakKilobytes, double(fs::file_size(folder / "out.xml")) / (1024 * 1024));
  std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
  double megabytes = argc > 1 ? std::atof(argv[1]) : 50;
  fs::path folder = fs::temp_directory_path() / ("kelto-bench-text-input-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "style.xsl", std::ios::binary) << kStylesheet;
  std::ofstream(folder / "input.xml", std::ios::binary) << "<doc/>\n";
  for (double size : {megabytes / 4, megabytes}) {
    WriteRecords(folder / "data.csv", size);
    Measure(folder);
  }
  fs::remove_all(folder);
  return 0;
}
