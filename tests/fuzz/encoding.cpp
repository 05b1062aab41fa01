// Fuzz target: the UTF-8, UTF-16 (both orders) and ISO-8859-1 codecs. The
// first byte picks the encoding and the piece sizes, the rest is decoded
// whole and in pieces (the results must agree), the decoded text is encoded
// whole and in pieces and decoded again (it must come back), and the rest
// taken as UTF-16 units is encoded around what cannot be represented.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "FuzzText.h"
#include "core/Encoding.h"

namespace {

using Core::String;

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The strict decode as a list of events: units, and -length for a malformed
// sequence. Reading in pieces of at most chunk bytes into room for at most
// room units, as a stream reader does.
struct CDecoded {
  String units;
  std::vector<int32_t> malformed;  // byte lengths, in order
  std::vector<size_t> malformedAt; // unit positions
  bool truncated = false;
};

CDecoded DecodeStrict(const Unicode::CEncoding& enc, const uint8_t* bytes, int32_t count, int32_t chunk,
                      int32_t room) {
  CDecoded d;
  std::vector<char16_t> buffer(static_cast<size_t>(room));
  int32_t pos = 0;   // bytes decoded
  int32_t seen = std::min(count, chunk);  // bytes handed in so far
  for (int guard = 0;; ++guard) {
    KELTO_FUZZ_CHECK(guard < 4 * count + 16);  // progress on every call
    int32_t consumed = -1, malformed = -1;
    bool incomplete = true;
    int32_t n = enc.Decode(bytes + pos, seen - pos, consumed, buffer.data(), room, incomplete, malformed);
    KELTO_FUZZ_CHECK(n >= 0 && n <= room && consumed >= 0 && consumed <= seen - pos && malformed >= 0);
    KELTO_FUZZ_CHECK(!(incomplete && malformed));
    d.units.append(buffer.data(), static_cast<size_t>(n));
    pos += consumed;
    if (malformed) {
      KELTO_FUZZ_CHECK(pos + malformed <= seen);
      d.malformed.push_back(malformed);
      d.malformedAt.push_back(d.units.size());
      pos += malformed;
      continue;
    }
    if (n > 0 || consumed > 0) continue;
    // Nothing decoded: more bytes are needed, or the input is done.
    if (seen < count) {
      seen = std::min(count, seen + chunk);
      continue;
    }
    d.truncated = pos < count;
    KELTO_FUZZ_CHECK(d.truncated == incomplete);
    break;
  }
  return d;
}

String DecodeReplacingAll(const Unicode::CEncoding& enc, const uint8_t* bytes, int32_t count, int32_t room) {
  String out;
  std::vector<char16_t> buffer(static_cast<size_t>(room));
  int32_t pos = 0;
  for (int guard = 0;; ++guard) {
    KELTO_FUZZ_CHECK(guard < 4 * count + 16);
    int32_t consumed = -1;
    bool incomplete = false;
    int32_t n = enc.DecodeReplacing(bytes + pos, count - pos, consumed, buffer.data(), room, incomplete);
    KELTO_FUZZ_CHECK(n >= 0 && n <= room && consumed >= 0 && consumed <= count - pos);
    out.append(buffer.data(), static_cast<size_t>(n));
    pos += consumed;
    if (n == 0 && consumed == 0) {
      KELTO_FUZZ_CHECK(incomplete == (pos < count));
      break;
    }
  }
  return out;
}

// Encodes into pieces of at most room bytes; stops at the first unit that
// cannot be represented and returns the units consumed.
int32_t EncodeSome(const Unicode::CEncoding& enc, const char16_t* units, int32_t count, int32_t room,
                   std::vector<uint8_t>& out, bool& unencodable) {
  std::vector<uint8_t> buffer(static_cast<size_t>(room));
  int32_t pos = 0;
  unencodable = false;
  while (pos < count) {
    int32_t written = -1;
    int32_t n = enc.Encode(units + pos, count - pos, buffer.data(), room, written, unencodable);
    KELTO_FUZZ_CHECK(n >= 0 && n <= count - pos && written >= 0 && written <= room);
    out.insert(out.end(), buffer.begin(), buffer.begin() + written);
    pos += n;
    if (unencodable) {
      KELTO_FUZZ_CHECK(enc.CountUnencodable(units + pos, count - pos) > 0);
      break;
    }
    // Room for 4 bytes always takes at least one character.
    if (n == 0) {
      KELTO_FUZZ_CHECK(room < 4);
      break;
    }
  }
  return pos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Unicode::CUtf8Encoding utf8;
  static const Unicode::CUtf16Encoding utf16be(true);
  static const Unicode::CUtf16Encoding utf16le(false);
  static const Unicode::CIso88591Encoding latin1;
  static const Unicode::CEncoding* const kEncodings[] = {&utf8, &utf16be, &utf16le, &latin1};
  if (size < 2 || size > 1 << 16) return 0;
  const Unicode::CEncoding& enc = *kEncodings[data[0] & 3];
  int32_t chunk = 1 + (data[0] >> 2 & 7) * (data[0] >> 5 & 1 ? 1 : 9);
  // Room for a surrogate pair at least: with one unit free a decoder may stop.
  int32_t room = 2 + (data[1] & 15);
  const uint8_t* bytes = data + 2;
  int32_t count = static_cast<int32_t>(size - 2);

  // Decoding in pieces gives what decoding in one go gives.
  CDecoded whole = DecodeStrict(enc, bytes, count, count + 1, count + 2);
  CDecoded pieces = DecodeStrict(enc, bytes, count, chunk, room);
  KELTO_FUZZ_CHECK(whole.units == pieces.units && whole.malformed == pieces.malformed &&
                   whole.malformedAt == pieces.malformedAt && whole.truncated == pieces.truncated);
  // Replacing puts one U+FFFD where each malformed sequence stood.
  String replaced = DecodeReplacingAll(enc, bytes, count, count + 2);
  String expected = whole.units;
  for (size_t k = whole.malformedAt.size(); k-- > 0;) expected.insert(whole.malformedAt[k], 1, u'\xFFFD');
  KELTO_FUZZ_CHECK(replaced == expected);
  KELTO_FUZZ_CHECK(DecodeReplacingAll(enc, bytes, count, room) == expected);

  // Encoding the decoded text and decoding it again gives the text back:
  // all of it, unless it holds what the encoding cannot represent.
  for (int32_t encodeRoom : {count * 4 + 8, room}) {
    std::vector<uint8_t> encoded;
    bool unencodable = false;
    int32_t done = EncodeSome(enc, expected.data(), static_cast<int32_t>(expected.size()), encodeRoom, encoded,
                              unencodable);
    if (encodeRoom >= 4) KELTO_FUZZ_CHECK(done == static_cast<int32_t>(expected.size()) || unencodable);
    CDecoded back = DecodeStrict(enc, encoded.data(), static_cast<int32_t>(encoded.size()),
                                 static_cast<int32_t>(encoded.size()) + 1, static_cast<int32_t>(encoded.size()) + 2);
    KELTO_FUZZ_CHECK(back.malformed.empty() && !back.truncated);
    KELTO_FUZZ_CHECK(back.units == String(expected, 0, static_cast<size_t>(done)));
    // Well-formed input encodes back to its own bytes.
    if (done == static_cast<int32_t>(expected.size()) && whole.malformed.empty() && !whole.truncated)
      KELTO_FUZZ_CHECK(std::equal(encoded.begin(), encoded.end(), bytes, bytes + count));
  }

  // The bytes as UTF-16 units: encode around every unencodable stretch.
  String units;
  for (int32_t k = 0; k + 1 < count; k += 2) units += static_cast<char16_t>(bytes[k] << 8 | bytes[k + 1]);
  std::vector<uint8_t> encoded;
  String kept;
  const char16_t* p = units.data();
  int32_t left = static_cast<int32_t>(units.size());
  while (left > 0) {
    bool unencodable = false;
    int32_t done = EncodeSome(enc, p, left, std::max(room, 4), encoded, unencodable);
    kept.append(p, static_cast<size_t>(done));
    p += done;
    left -= done;
    if (!unencodable) {
      KELTO_FUZZ_CHECK(left == 0);
      break;
    }
    int32_t skip = enc.CountUnencodable(p, left);
    KELTO_FUZZ_CHECK(skip > 0 && skip <= left);
    for (int32_t k = 0; k < skip; ++k) KELTO_FUZZ_CHECK(&enc == &latin1 ? p[k] >= 0x100 : IsSurrogate(p[k]));
    p += skip;
    left -= skip;
  }
  CDecoded back = DecodeStrict(enc, encoded.data(), static_cast<int32_t>(encoded.size()),
                               static_cast<int32_t>(encoded.size()) + 1, static_cast<int32_t>(encoded.size()) + 2);
  KELTO_FUZZ_CHECK(back.malformed.empty() && !back.truncated && back.units == kept);
  return 0;
}
