#include "core/String.h"

#include <algorithm>
#include <cstdint>

#include "core/Encoding.h"

namespace Core {

namespace {

// The boundary conversions share the one UTF-8 codec of the encodings, so
// text from the system is judged by the same rules as documents.
const Unicode::CUtf8Encoding& Utf8() {
  static const Unicode::CUtf8Encoding encoding;
  return encoding;
}

// Pieces small enough for the codec's 32-bit counts.
constexpr size_t kChunk = size_t(1) << 28;

} // namespace

bool Utf8ToString(std::string_view in, String& out) {
  // Every unit comes from at least one byte, so the bytes bound the units.
  out.resize(in.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(in.data());
  size_t i = 0, o = 0, n = in.size();
  bool ok = true;
  while (i < n) {
    int32_t available = int32_t(std::min(n - i, kChunk));
    int32_t consumed = 0, malformed = 0;
    bool incomplete = false;
    o += size_t(Utf8().Decode(bytes + i, available, consumed, out.data() + o, available, incomplete, malformed));
    bool atEnd = i + size_t(available) == n;
    i += size_t(consumed);
    if (malformed > 0) {
      i += size_t(malformed);
    } else if (incomplete && atEnd) {
      i = n;  // the text ends inside a sequence
    } else {
      continue;
    }
    out[o++] = 0xFFFD;
    ok = false;
  }
  out.resize(o);
  return ok;
}

String FromUtf8(std::string_view utf8) {
  String s;
  Utf8ToString(utf8, s);
  return s;
}

bool StringToUtf8(StringView in, std::string& out) {
  // At most three bytes a unit: a pair of units makes four.
  out.resize(in.size() * 3);
  auto* bytes = reinterpret_cast<uint8_t*>(out.data());
  size_t i = 0, o = 0, n = in.size();
  bool ok = true;
  while (i < n) {
    size_t count = std::min(n - i, kChunk);
    if (i + count < n && in[i + count - 1] >= 0xD800 && in[i + count - 1] <= 0xDBFF) --count;  // keep pairs whole
    int32_t written = 0;
    bool unencodable = false;
    i += size_t(Utf8().Encode(in.data() + i, int32_t(count), bytes + o, int32_t(count * 3), written, unencodable));
    o += size_t(written);
    if (unencodable) {  // an unpaired surrogate
      bytes[o++] = 0xEF;
      bytes[o++] = 0xBF;
      bytes[o++] = 0xBD;
      ++i;
      ok = false;
    }
  }
  out.resize(o);
  return ok;
}

std::string ToUtf8(StringView text) {
  std::string s;
  StringToUtf8(text, s);
  return s;
}

} // namespace Core
