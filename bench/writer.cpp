// Throughput of the serialisers: long text runs, many small elements with
// attributes, and text that needs character references.
#include <chrono>
#include <cstdio>

#include "core/EncodingMap.h"
#include "core/Stream.h"
#include "xml/writer/HtmlOutputHandler.h"
#include "xml/writer/XmlOutputHandler.h"

namespace {

class CNullStream : public Core::IStream {
public:
  int32_t Read(uint8_t*, int32_t) override { return 0; }
  int32_t Write(const uint8_t*, int32_t count) override {
    bytes += count;
    return count;
  }
  int32_t Seek(int32_t, int32_t) override { return 0; }
  int32_t Tell() override { return 0; }
  long long bytes = 0;
};

template <class T, class F>
void Run(const char* label, const char16_t* encoding, bool indent, F events) {
  auto stream = Core::Make<CNullStream>();
  auto writer = Core::Make<T>();
  auto options = Core::Make<Xslt::COutputOptions>();
  options->SetEncoding(encoding);
  options->SetIndent(indent);
  writer->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  writer->SetOutputStream(stream.Get());
  writer->SetOutputOptions(options.Get());
  auto start = std::chrono::steady_clock::now();
  writer->StartDocument();
  events(*writer);
  writer->EndDocument();
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-40s %8.1f MB/s  (%lld bytes, %.3f s)\n", label, stream->bytes / s / 1e6, stream->bytes, s);
}

} // namespace

int main() {
  Core::String prose;
  while (prose.size() < 1 << 20) prose += u"The quick brown fox jumps over the lazy dog; 3 < 4 & 5 > 2. ";
  Core::String latin;
  while (latin.size() < 1 << 20) latin += u"Cr\u00E8me br\u00FBl\u00E9e \u20AC 5, caf\u00E9 \u4E2D\u6587 ";

  auto text = [&](const Core::String& t, int repeat) {
    return [&, repeat](Xslt::COutputHandler& h) {
      h.StartElement(u"doc", false, false);
      for (int i = 0; i < repeat; ++i) h.Characters(t.data(), static_cast<int32_t>(t.size()), false);
      h.EndElement();
    };
  };
  auto elements = [](Xslt::COutputHandler& h) {
    h.StartElement(u"table", false, false);
    for (int i = 0; i < 1000000; ++i) {
      h.StartElement(u"row", false, false);
      h.Attribute(u"id", u"r12345");
      h.Attribute(u"class", u"odd \"x\"");
      h.StartElement(u"cell", false, false);
      h.Characters(u"value 42", 8, false);
      h.EndElement();
      h.EndElement();
    }
    h.EndElement();
  };
  Run<XsltPrivate::CXmlOutputHandler>("xml text UTF-8", u"UTF-8", false, text(prose, 50));
  Run<XsltPrivate::CXmlOutputHandler>("xml text non-ASCII UTF-8", u"UTF-8", false, text(latin, 50));
  Run<XsltPrivate::CXmlOutputHandler>("xml text non-ASCII ISO-8859-1 (refs)", u"ISO-8859-1", false, text(latin, 20));
  Run<XsltPrivate::CXmlOutputHandler>("xml text UTF-16", u"UTF-16", false, text(prose, 50));
  Run<XsltPrivate::CXmlOutputHandler>("xml small elements UTF-8", u"UTF-8", false, elements);
  Run<XsltPrivate::CXmlOutputHandler>("xml small elements indented", u"UTF-8", true, elements);
  Run<XsltPrivate::CHtmlOutputHandler>("html small elements", u"UTF-8", true, elements);
  return 0;
}
