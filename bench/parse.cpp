// Times the XML parser on a generated document (40 MB unless given), with
// no handler and with the tree builder, and reports MB/s and peak memory.
//   bench_parse [megabytes] [file to keep the document in]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/Uri.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"

namespace {

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

std::string MakeDocument(double megabytes) {
  std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog xmlns:x=\"urn:x\">\n";
  for (int i = 0; doc.size() < megabytes * 1e6; ++i) {
    std::string n = std::to_string(i);
    doc += "  <item id=\"i" + n + "\" type=\"book\" x:lang=\"en\">\n    <title>Title " + n +
           " &amp; more</title>\n    <price currency=\"EUR\">" + n +
           ".99</price>\n    <desc>A short description of the item, with some words in it, "
           "\xC3\xA9t\xC3\xA9 included.</desc>\n    <!-- note " + n + " -->\n  </item>\n";
  }
  doc += "</catalog>\n";
  return doc;
}

double Seconds(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

int main(int argc, char** argv) {
  double megabytes = argc > 1 ? std::atof(argv[1]) : 40.0;
  std::filesystem::path file = argc > 2 ? std::filesystem::path(argv[2])
                                        : std::filesystem::temp_directory_path() / "kelto-bench-parse.xml";
  size_t bytes;
  {
    std::string doc = MakeDocument(megabytes);
    bytes = doc.size();
    std::ofstream(file, std::ios::binary) << doc;
  }
  Core::String url;
  if (!Uri::FileNameToUrl(Core::FromUtf8(file.string()), url)) return 1;
  const double mb = static_cast<double>(bytes) / 1e6;
  printf("document: %.1f MB in %s\n", mb, file.string().c_str());

  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  long rss0 = PeakRssKb();
  auto t0 = std::chrono::steady_clock::now();
  parser->Parse(url);
  double s = Seconds(t0);
  printf("parse only:        %.3f s  %.0f MB/s  peak %ld KB more\n", s, mb / s, PeakRssKb() - rss0);

  Core::XInterface<BasicXdm::CDocumentFactory> factory = Core::Make<BasicXdm::CDocumentFactory>(1);
  rss0 = PeakRssKb();
  t0 = std::chrono::steady_clock::now();
  {
    Dom::XNode document = factory->CreateDocument();
    parser->SetDocumentHandler(factory->CreateDocumentHandler(document, nullptr, nullptr));
    parser->Parse(url);
    s = Seconds(t0);
    printf("parse and build:   %.3f s  %.0f MB/s  peak %ld KB more (%.1f x the file)\n", s, mb / s,
           PeakRssKb() - rss0, (PeakRssKb() - rss0) * 1024.0 / static_cast<double>(bytes));
    parser->SetDocumentHandler(nullptr);
  }
  if (argc <= 2) std::filesystem::remove(file);
  return 0;
}
