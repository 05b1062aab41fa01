// Fuzz target: the text reader over a file of fuzzed bytes. The first byte
// picks the encoding (or narrow text) and how often the rest is repeated, so
// files reach past the reader's buffers; the second picks the run sizes. The
// file read by lines and read by runs must give the same text, and that text
// is the bytes decoded in one go. Some reads by runs first drop a byte-order
// mark: the text is then that of the bytes after it, in the byte order it
// names, and a mark of another encoding is refused.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzText.h"
#include "core/Encoding.h"
#include "core/TextReader.h"

namespace {

using Core::String;

std::string g_path;

// The whole text as the reader should give it: narrow text has one
// character per byte, CR LF read as LF unless in binary mode.
String Expected(const Unicode::CEncoding* enc, bool binary, const std::vector<uint8_t>& bytes) {
  String out;
  if (!enc) {
    for (size_t k = 0; k < bytes.size(); ++k) {
      if (!binary && bytes[k] == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n') continue;
      out += static_cast<char16_t>(bytes[k]);
    }
    return out;
  }
  std::vector<char16_t> units(bytes.size() + 2);
  int32_t consumed = 0;
  bool incomplete = false;
  int32_t count = static_cast<int32_t>(bytes.size());
  int32_t n = enc->DecodeReplacing(bytes.data(), count, consumed, units.data(), count + 2, incomplete);
  out.assign(units.data(), static_cast<size_t>(n));
  // A sequence cut off by the end of the file reads as one U+FFFD.
  if (consumed < count) {
    KELTO_FUZZ_CHECK(incomplete);
    out += u'\xFFFD';
  }
  return out;
}

// What DropByteOrderMark should do with these bytes: false for a mark of
// another encoding; otherwise the bytes it drops and the encoding it reads on with.
bool ExpectedMark(const Unicode::CEncoding* enc, const std::vector<uint8_t>& bytes, size_t& skip,
                  Core::XInterface<Unicode::CEncoding>& after) {
  auto starts = [&](std::initializer_list<uint8_t> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
  };
  bool utf8Mark = starts({0xEF, 0xBB, 0xBF}), big = starts({0xFE, 0xFF}), little = starts({0xFF, 0xFE});
  skip = 0;
  after = const_cast<Unicode::CEncoding*>(enc);
  if (dynamic_cast<const Unicode::CUtf16Encoding*>(enc)) {
    if (utf8Mark) return false;
    if (big || little) {
      skip = 2;
      after = Core::Make<Unicode::CUtf16Encoding>(big);
    }
  } else if (!enc || dynamic_cast<const Unicode::CUtf8Encoding*>(enc)) {
    if (enc && (big || little)) return false;
    if (utf8Mark) skip = 3;
  }
  return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_path = Fuzz::MakeScratchFile("/tmp/kelto-fuzz-text-XXXXXX");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Core::XInterface<Unicode::CEncoding> kEncodings[] = {
      nullptr, Core::Make<Unicode::CUtf8Encoding>(), Core::Make<Unicode::CUtf16Encoding>(true),
      Core::Make<Unicode::CUtf16Encoding>(false), Core::Make<Unicode::CIso88591Encoding>()};
  if (size < 2) return 0;
  // 5 to 7: narrow text in binary mode, where CR LF stays as it is.
  int pick = data[0] & 7;
  Unicode::CEncoding* enc = pick < 5 ? kEncodings[pick].Get() : nullptr;
  const char16_t* mode = pick < 5 ? u"r" : u"rb";
  int repeat = 1 + (data[0] >> 3) * (data[0] >> 3);  // up to 1000
  uint8_t runs = data[1];
  std::vector<uint8_t> bytes;
  for (int k = 0; k < repeat && bytes.size() < (1 << 16); ++k) bytes.insert(bytes.end(), data + 2, data + size);

  std::FILE* file = std::fopen(g_path.c_str(), "wb");
  KELTO_FUZZ_CHECK(file);
  KELTO_FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  std::fclose(file);
  String path = Core::FromUtf8(g_path);
  String expected = Expected(enc, pick >= 5, bytes);

  // By lines: each ends with its line feed, the last one perhaps without.
  String byLines;
  {
    auto reader = Core::Make<Core::CTextReader>();
    KELTO_FUZZ_CHECK(reader->Open(path, mode, enc));
    for (;;) {
      String line = reader->ReadLine();
      if (line.empty()) break;
      size_t feed = line.find(u'\n');
      KELTO_FUZZ_CHECK(feed == String::npos || feed + 1 == line.size());
      KELTO_FUZZ_CHECK(feed != String::npos || byLines.size() + line.size() == expected.size());
      byLines += line;
      KELTO_FUZZ_CHECK(byLines.size() <= expected.size());
    }
    KELTO_FUZZ_CHECK(reader->ReadLine().empty() && reader->Read(1).empty());
    KELTO_FUZZ_CHECK(reader->Close());
  }
  KELTO_FUZZ_CHECK(byLines == expected);

  // By runs of sizes around the reader's buffer, mixed with lines.
  static const int32_t kRuns[] = {1, 2, 3, 7, 4095, 4096, 4097, 100000};
  String byRuns;
  {
    auto reader = Core::Make<Core::CTextReader>();
    KELTO_FUZZ_CHECK(reader->Open(path, mode, enc));
    if (runs & 0x40) {
      size_t skip = 0;
      Core::XInterface<Unicode::CEncoding> after;
      bool accepted = ExpectedMark(enc, bytes, skip, after);
      KELTO_FUZZ_CHECK(reader->DropByteOrderMark() == accepted);
      if (!accepted) return 0;
      expected = Expected(after.Get(), pick >= 5, std::vector<uint8_t>(bytes.begin() + static_cast<long>(skip), bytes.end()));
    }
    for (int step = 0;; ++step) {
      int choice = (runs >> (step % 4 * 2)) & 7;
      String piece;
      if (choice == 0 && (runs & 0x80)) {
        piece = reader->ReadLine();
      } else {
        int32_t count = kRuns[(choice + step) % 8];
        piece = reader->Read(count);
        KELTO_FUZZ_CHECK(static_cast<int32_t>(piece.size()) <= count);
        if (static_cast<int32_t>(piece.size()) < count) KELTO_FUZZ_CHECK(byRuns.size() + piece.size() == expected.size());
      }
      if (piece.empty()) break;
      byRuns += piece;
      KELTO_FUZZ_CHECK(byRuns.size() <= expected.size());
    }
    KELTO_FUZZ_CHECK(reader->Close());
  }
  KELTO_FUZZ_CHECK(byRuns == expected);
  return 0;
}
