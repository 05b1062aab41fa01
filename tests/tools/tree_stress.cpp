// Builds document trees through the XML parser from generated hostile or
// large documents and reports time, tree size and peak memory, so that
// quadratic work or runaway memory shows up as a number.
//   tree_stress CASE [N]
// Cases: deep, attributes, declarations, inherited, text, name, value,
// small (many small elements), names (many distinct element names),
// crafted (namespace prefixes of one hash value), ordinary and wide (many
// elements redeclaring the default namespace under 5 and 46 prefixes of the
// root), padded (inherited with 10,000 prefixes, each child followed by 300
// empty elements, so that the document grows as fast as its scopes).
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/Interface.h"
#include "core/Stream.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/DocumentStore.h"
#include "xml/tree/Dom.h"

namespace {

class CMemoryStream : public Core::IStream {
public:
  explicit CMemoryStream(std::string bytes) : m_bytes(std::move(bytes)) {}
  int32_t Read(uint8_t* buffer, int32_t count) override {
    size_t n = std::min(size_t(count), m_bytes.size() - m_pos);
    std::memcpy(buffer, m_bytes.data() + m_pos, n);
    m_pos += n;
    return int32_t(n);
  }
  int32_t Write(const uint8_t*, int32_t) override { return 0; }
  int32_t Seek(int32_t, int32_t) override { return -1; }
  int32_t Tell() override { return int32_t(m_pos); }

private:
  std::string m_bytes;
  size_t m_pos = 0;
};

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

std::string Document(const std::string& which, long n, long& nodes) {
  std::string d;
  nodes = 0;
  if (which == "deep") {
    for (long i = 0; i < n; ++i) d += "<a>";
    for (long i = 0; i < n; ++i) d += "</a>";
    nodes = n;
  } else if (which == "attributes") {
    d = "<r";
    for (long i = 0; i < n; ++i) d += " a" + std::to_string(i) + "='v'";
    d += "/>";
    nodes = n + 1;
  } else if (which == "declarations") {
    d = "<r";
    for (long i = 0; i < n; ++i) d += " xmlns:p" + std::to_string(i) + "='urn:" + std::to_string(i) + "'";
    d += "><p0:e/></r>";
    nodes = 2;
  } else if (which == "inherited") {
    // Many prefixes on the root, then many children each declaring one more.
    d = "<r";
    for (long i = 0; i < n; ++i) d += " xmlns:p" + std::to_string(i) + "='urn:" + std::to_string(i) + "'";
    d += ">";
    for (long i = 0; i < n; ++i) d += "<e xmlns:q='urn:q'/>";
    d += "</r>";
    nodes = n + 1;
  } else if (which == "ordinary" || which == "wide") {
    d = "<r";
    for (int i = 0; i < (which == "wide" ? 46 : 5); ++i)
      d += " xmlns:p" + std::to_string(i) + "='urn:" + std::to_string(i) + "'";
    d += ">";
    for (long i = 0; i < n; ++i) d += "<e xmlns='urn:e'/>";
    d += "</r>";
    nodes = n + 1;
  } else if (which == "padded") {
    d = "<r";
    for (long i = 0; i < 10000; ++i) d += " xmlns:p" + std::to_string(i) + "='urn:" + std::to_string(i) + "'";
    d += ">";
    std::string filler;
    for (int i = 0; i < 300; ++i) filler += "<a/>";
    for (long i = 0; i < n; ++i) d += "<e xmlns:q='urn:q'/>" + filler;
    d += "</r>";
    nodes = 301 * n + 1;
  } else if (which == "text") {
    d = "<r>" + std::string(size_t(n), 'x') + "</r>";
    nodes = 2;
  } else if (which == "name") {
    std::string name(size_t(n), 'n');
    d = "<" + name + " " + name + "='v'>t</" + name + ">";
    nodes = 3;
  } else if (which == "value") {
    d = "<r a='" + std::string(size_t(n), 'v') + "'><!--" + std::string(size_t(n), 'c') + "--><?p " +
        std::string(size_t(n), 'd') + "?></r>";
    nodes = 4;
  } else if (which == "small") {
    d = "<r>";
    for (long i = 0; i < n; ++i) d += "<e/>";
    d += "</r>";
    nodes = n + 1;
  } else if (which == "names") {
    d = "<r>";
    for (long i = 0; i < n; ++i) d += "<e" + std::to_string(i) + "/>";
    d += "</r>";
    nodes = n + 1;
  } else if (which == "crafted") {
    // Prefixes made of two-unit blocks with equal 9 * a + b: one value of
    // h * 9 + unit for all of them.
    std::vector<std::string> blocks;
    const uint32_t target = 9u * 0x6000 + 0x6000;
    for (uint32_t a = 0x4E00; a <= 0x9FFF; ++a) {
      uint32_t b = target - 9u * a;
      if (a <= 0x9FA5 && b >= 0x4E00 && b <= 0x9FA5)
        blocks.push_back(Core::ToUtf8(Core::String{char16_t(a), char16_t(b)}));
    }
    d = "<r";
    for (long i = 0; i < n; ++i) {
      std::string prefix;
      for (long k = i; prefix.empty() || k > 0; k /= long(blocks.size())) prefix += blocks[size_t(k % long(blocks.size()))];
      d += " xmlns:" + prefix + "='u'";
    }
    d += "/>";
    nodes = 1;
  } else {
    std::fprintf(stderr, "unknown case %s\n", which.c_str());
    std::exit(2);
  }
  return d;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tree_stress CASE [N]\n");
    return 2;
  }
  std::string which = argv[1];
  long n = argc > 2 ? std::atol(argv[2]) : 100000;
  long nodes = 0;
  std::string bytes = Document(which, n, nodes);
  size_t size = bytes.size();
  long rssBefore = PeakRssKb();

  Core::XInterface<BasicXdm::CDocumentFactory> factory(new BasicXdm::CDocumentFactory(1));
  Dom::XNode doc = factory->CreateDocument();
  auto t0 = std::chrono::steady_clock::now();
  const char* outcome = "built";
  std::string message;
  try {
    auto builder = factory->CreateDocumentHandler(doc, nullptr, nullptr);
    Core::XInterface<XmlParserPrivate::CParserFactory> parsers(new XmlParserPrivate::CParserFactory());
    Core::XInterface<Sxp::IParser> parser = parsers->CreateParser();
    parser->SetDocumentHandler(builder);
    Core::XInterface<XmlParserPrivate::CInputSource> source(new XmlParserPrivate::CInputSource());
    source->SetByteStream(Core::XInterface<Core::IStream>(new CMemoryStream(std::move(bytes))));
    source->SetSystemId(u"mem:doc");
    parser->ParseInputSource(source.Get());
  } catch (const Core::IException& e) {
    outcome = "error";
    message = Core::ToUtf8(e.GetMessage());
  }
  auto t1 = std::chrono::steady_clock::now();
  size_t valueLength = doc->GetStringValue().size();
  auto t2 = std::chrono::steady_clock::now();

  auto* store = static_cast<Dom::CDocumentNode*>(doc.Get())->store;
  auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
  long growth = PeakRssKb() - rssBefore;
  std::printf("%s n=%ld: %s%s%s; %.2f MB markup, %.1f ms parse+build, %.1f ms string value (%zu units)\n",
              which.c_str(), n, outcome, message.empty() ? "" : " ", message.c_str(), size / 1e6, ms(t0, t1),
              ms(t1, t2), valueLength);
  std::printf("  %zu node blocks, %zu text blocks, peak RSS growth %.1f MB", store->nodeBlocks.size(),
              store->textBlocks.size(), growth / 1e3);
  if (nodes > 1000) std::printf(", %.1f bytes per node", growth * 1e3 / double(nodes));
  std::printf("\n");
  return 0;
}
