// The result path of a run: elements through the output element stack to the
// XML writer, directly and through a recorded fragment, at several sizes so
// that the time per element can be seen to stay flat; with the peak memory.
//   bench_result_output [elements of the largest run, default 4000000]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "core/EncodingMap.h"
#include "core/Stream.h"
#include "xslt/processor/output/BasicOutputHandler.h"
#include "xslt/processor/output/OutputElementStack.h"
#include "xslt/processor/output/ResultTreeFragment.h"

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

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Rows of a table as a literal result element would send them: a namespace
// node, an attribute and text per row.
void Rows(XsltPrivate::COutputElementStack& s, long count) {
  s.StartElement(u"t:table", u"urn:t");
  s.StartNamespace(u"t");
  s.Characters(u"urn:t", 5, false);
  s.EndNamespace();
  for (long i = 0; i < count; ++i) {
    s.StartElement(u"t:row", u"urn:t");
    s.StartNamespace(u"t");
    s.Characters(u"urn:t", 5, false);
    s.EndNamespace();
    s.StartAttribute(u"id", u"");
    s.Characters(u"r12345", 6, false);
    s.EndAttribute();
    s.Characters(u"value 42", 8, false);
    s.EndElement();
  }
  s.EndElement();
}

void Run(long count, bool throughFragment) {
  auto stream = Core::Make<CNullStream>();
  auto handler = Core::Make<Xslt::CBasicOutputHandler>();
  handler->SetEncodingHandler(Core::Make<Unicode::CEncodingMap>().Get());
  handler->SetOutputStream(stream.Get());
  auto stack = Core::Make<XsltPrivate::COutputElementStack>(handler.Get());
  stack->SetOutputOptions(Core::Make<XsltPrivate::CPrivateOutputOptions>().Get());
  auto start = std::chrono::steady_clock::now();
  stack->StartDocument();
  if (throughFragment) {
    auto fragment = Core::Make<XsltPrivate::CResultTreeFragmentValue>();
    auto capture = Core::Make<XsltPrivate::COutputElementStack>(&fragment->GetRecording());
    capture->StartDocument();
    Rows(*capture, count);
    capture->EndDocument();
    fragment->GetRecording().Replay(*stack);
  } else {
    Rows(*stack, count);
  }
  stack->EndDocument();
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-9s %9ld rows  %7.3f s  %6.1f ns/row  %7.1f MB written  peak %ld MB\n",
              throughFragment ? "fragment" : "direct", count, s, s * 1e9 / static_cast<double>(count),
              static_cast<double>(stream->bytes) / 1e6, PeakRssKb() / 1024);
}

} // namespace

int main(int argc, char** argv) {
  long largest = argc > 1 ? std::atol(argv[1]) : 4000000;
  for (long n = largest / 16; n <= largest; n *= 4) Run(n, false);
  for (long n = largest / 16; n <= largest; n *= 4) Run(n, true);
  return 0;
}
