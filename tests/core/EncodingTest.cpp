#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/EncodingMap.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Units = std::u16string;

struct DecodeResult {
  Units units;
  int32_t consumed;
  bool incomplete;
  int32_t malformed;
};

DecodeResult DecodeWith(const Unicode::CEncoding& e, const Bytes& in, int32_t capacity) {
  DecodeResult r{};
  Units buffer(capacity, u'?');
  int32_t n = e.Decode(in.data(), int32_t(in.size()), r.consumed, buffer.data(), capacity, r.incomplete, r.malformed);
  r.units = buffer.substr(0, n);
  return r;
}

struct EncodeResult {
  Bytes bytes;
  int32_t consumed;
  bool unencodable;
};

EncodeResult EncodeWith(const Unicode::CEncoding& e, const Units& in, int32_t capacity) {
  EncodeResult r{};
  Bytes buffer(capacity, 0xEE);
  int32_t written = -1;
  r.consumed = e.Encode(in.data(), int32_t(in.size()), buffer.data(), capacity, written, r.unencodable);
  buffer.resize(written);
  r.bytes = buffer;
  return r;
}

TEST(Utf8Encoding, Decode) {
  struct Case {
    const char* name;
    Bytes in;
    int32_t capacity;
    Units units;
    int32_t consumed;
    bool incomplete;
    int32_t malformed;
  } cases[] = {
      {"ascii", {'a', 'b', 'c'}, 10, u"abc", 3, false, 0},
      {"ascii past capacity", {'a', 'b', 'c'}, 2, u"ab", 2, false, 0},
      {"two bytes", {0xC3, 0xA9}, 10, u"\u00E9", 2, false, 0},
      {"three bytes", {0xE2, 0x82, 0xAC}, 10, u"\u20AC", 3, false, 0},
      {"four bytes", {0xF0, 0x9F, 0x98, 0x80}, 10, u"\U0001F600", 4, false, 0},
      {"highest", {0xF4, 0x8F, 0xBF, 0xBF}, 10, u"\U0010FFFF", 4, false, 0},
      {"pair with one unit of room", {'x', 0xF0, 0x9F, 0x98, 0x80}, 2, u"x", 1, false, 0},
      {"cut after lead", {'a', 0xE2}, 10, u"a", 1, true, 0},
      {"cut after two of three", {'a', 0xE2, 0x82}, 10, u"a", 1, true, 0},
      {"cut after three of four", {0xF0, 0x9F, 0x98}, 10, u"", 0, true, 0},
      {"five-byte form", {0xF8, 0x88, 0x80, 0x80, 0x80}, 10, u"", 0, false, 1},
      {"lead FF", {'a', 0xFF}, 10, u"a", 1, false, 1},
      {"overlong two bytes", {0xC0, 0xBC}, 10, u"", 0, false, 1},
      {"overlong C1", {0xC1, 0xBF}, 10, u"", 0, false, 1},
      {"overlong three bytes", {0xE0, 0x80, 0xBC}, 10, u"", 0, false, 1},
      {"overlong four bytes", {0xF0, 0x80, 0x80, 0xBC}, 10, u"", 0, false, 1},
      {"surrogate", {0xED, 0xA0, 0x80}, 10, u"", 0, false, 1},
      {"above 10FFFF", {0xF4, 0x90, 0x80, 0x80}, 10, u"", 0, false, 1},
      {"lone continuation", {'a', 0x80, 'b'}, 10, u"a", 1, false, 1},
      {"missing continuation", {0xC3, 'A'}, 10, u"", 0, false, 1},
      {"third byte not continuation", {'x', 0xE2, 0x82, 'A'}, 10, u"x", 1, false, 2},
      {"fourth byte not continuation", {0xF0, 0x9F, 0x98, 0xC3}, 10, u"", 0, false, 3},
      {"units full before bad byte", {'a', 'b', 0xFF}, 2, u"ab", 2, false, 0},
  };
  Unicode::CUtf8Encoding utf8;
  for (const auto& c : cases) {
    DecodeResult r = DecodeWith(utf8, c.in, c.capacity);
    EXPECT_EQ(r.units, c.units) << c.name;
    EXPECT_EQ(r.consumed, c.consumed) << c.name;
    EXPECT_EQ(r.incomplete, c.incomplete) << c.name;
    EXPECT_EQ(r.malformed, c.malformed) << c.name;
  }
}

TEST(Utf8Encoding, DecodeReplacingSubstitutesEachMalformedSequence) {
  struct Case {
    const char* name;
    Bytes in;
    Units units;
    int32_t consumed;
    bool incomplete;
  } cases[] = {
      {"overlong", {'a', 0xC0, 0xBC, 'b'}, u"a\uFFFD\uFFFDb", 4, false},
      {"five-byte form", {0xF8, 0x88, 0x80, 0x80, 0x80}, u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", 5, false},
      {"maximal prefix", {0xE2, 0x82, 'A'}, u"\uFFFDA", 3, false},
      {"truncation still reported", {'a', 0xFF, 0xE2, 0x82}, u"a\uFFFD", 2, true},
  };
  Unicode::CUtf8Encoding utf8;
  for (const auto& c : cases) {
    Units buffer(16, u'?');
    int32_t consumed = -1;
    bool incomplete = false;
    int32_t n = utf8.DecodeReplacing(c.in.data(), int32_t(c.in.size()), consumed, buffer.data(), 16, incomplete);
    EXPECT_EQ(buffer.substr(0, n), c.units) << c.name;
    EXPECT_EQ(consumed, c.consumed) << c.name;
    EXPECT_EQ(incomplete, c.incomplete) << c.name;
  }
  // No room for the substitute: the bad byte stays unconsumed.
  Bytes in = {'a', 0xFF};
  char16_t one[1];
  int32_t consumed = -1;
  bool incomplete = true;
  EXPECT_EQ(utf8.DecodeReplacing(in.data(), 2, consumed, one, 1, incomplete), 1);
  EXPECT_EQ(consumed, 1);
  EXPECT_FALSE(incomplete);
}

TEST(Utf8Encoding, Encode) {
  struct Case {
    const char* name;
    Units in;
    int32_t capacity;
    Bytes bytes;
    int32_t consumed;
    bool unencodable;
  } cases[] = {
      {"ascii", u"abc", 10, {'a', 'b', 'c'}, 3, false},
      {"ascii past capacity", u"abc", 2, {'a', 'b'}, 2, false},
      {"two and three bytes", u"\u00E9\u20AC", 10, {0xC3, 0xA9, 0xE2, 0x82, 0xAC}, 2, false},
      {"pair", u"\U0001F600", 10, {0xF0, 0x9F, 0x98, 0x80}, 2, false},
      {"character that does not fit", u"a\u20AC", 3, {'a'}, 1, false},
      {"pair that does not fit", u"\U0001F600", 3, {}, 0, false},
      {"lone high surrogate", u"a\xD800" u"b", 10, {'a'}, 1, true},
      {"lone low surrogate", u"\xDC00", 10, {}, 0, true},
      {"high surrogate ending the text", u"ab\xD83D", 10, {'a', 'b'}, 2, true},
      {"reversed pair", u"\xDE00\xD83D", 10, {}, 0, true},
  };
  Unicode::CUtf8Encoding utf8;
  for (const auto& c : cases) {
    EncodeResult r = EncodeWith(utf8, c.in, c.capacity);
    EXPECT_EQ(r.bytes, c.bytes) << c.name;
    EXPECT_EQ(r.consumed, c.consumed) << c.name;
    EXPECT_EQ(r.unencodable, c.unencodable) << c.name;
  }
}

TEST(Encoding, CountUnencodable) {
  Unicode::CUtf8Encoding utf8;
  Unicode::CUtf16Encoding utf16(true);
  Unicode::CIso88591Encoding latin1;
  struct Case {
    Units in;
    int32_t utf8, utf16, latin1;
  } cases[] = {
      {u"a\u20AC", 0, 0, 0},
      {u"\u20AC\u20ACa\u20AC", 0, 0, 2},
      {u"\U0001F600", 0, 0, 2},
      {u"\xDC00\xD800" u"a", 2, 2, 2},
      {u"\xD800\xD83D\xDE00", 1, 1, 3},
      {u"\xD83D", 1, 1, 1},
      {u"", 0, 0, 0},
  };
  for (const auto& c : cases) {
    int32_t n = int32_t(c.in.size());
    EXPECT_EQ(utf8.CountUnencodable(c.in.data(), n), c.utf8) << Core::ToUtf8(c.in);
    EXPECT_EQ(utf16.CountUnencodable(c.in.data(), n), c.utf16) << Core::ToUtf8(c.in);
    EXPECT_EQ(latin1.CountUnencodable(c.in.data(), n), c.latin1) << Core::ToUtf8(c.in);
  }
}

TEST(Utf16Encoding, DecodeBothOrders) {
  Unicode::CUtf16Encoding be(true), le(false);
  struct Case {
    const char* name;
    bool bigEndian;
    Bytes in;
    int32_t capacity;
    Units units;
    int32_t consumed;
    bool incomplete;
  } cases[] = {
      {"big-endian, odd byte left", true, {0x00, 0x41, 0x00}, 10, u"A", 2, true},
      {"little-endian", false, {0x41, 0x00, 0xAC, 0x20}, 10, u"A\u20AC", 4, false},
      {"capacity full with a byte left", true, {0x00, 0x41, 0x00, 0x42, 0x00}, 1, u"A", 2, false},
      {"surrogates pass unchecked", true, {0xDC, 0x00}, 10, u"\xDC00", 2, false},
      {"mark kept", true, {0xFE, 0xFF, 0x00, 0x41}, 10, u"\uFEFFA", 4, false},
  };
  for (const auto& c : cases) {
    DecodeResult r = DecodeWith(c.bigEndian ? be : le, c.in, c.capacity);
    EXPECT_EQ(r.units, c.units) << c.name;
    EXPECT_EQ(r.consumed, c.consumed) << c.name;
    EXPECT_EQ(r.incomplete, c.incomplete) << c.name;
    EXPECT_EQ(r.malformed, 0) << c.name;
  }
}

TEST(Utf16Encoding, EncodeBothOrders) {
  Unicode::CUtf16Encoding be(true), le(false);
  struct Case {
    const char* name;
    bool bigEndian;
    Units in;
    int32_t capacity;
    Bytes bytes;
    int32_t consumed;
    bool unencodable;
  } cases[] = {
      {"big-endian", true, u"A\u20AC", 10, {0x00, 0x41, 0x20, 0xAC}, 2, false},
      {"little-endian", false, u"A\u20AC", 10, {0x41, 0x00, 0xAC, 0x20}, 2, false},
      {"odd capacity", true, u"AB", 3, {0x00, 0x41}, 1, false},
      {"pair written whole", true, u"\U0001F600", 10, {0xD8, 0x3D, 0xDE, 0x00}, 2, false},
      {"pair that does not fit", true, u"A\U0001F600", 5, {0x00, 0x41}, 1, false},
      {"lone surrogate", true, u"A\xDE00", 10, {0x00, 0x41}, 1, true},
  };
  for (const auto& c : cases) {
    EncodeResult r = EncodeWith(c.bigEndian ? be : le, c.in, c.capacity);
    EXPECT_EQ(r.bytes, c.bytes) << c.name;
    EXPECT_EQ(r.consumed, c.consumed) << c.name;
    EXPECT_EQ(r.unencodable, c.unencodable) << c.name;
  }
}

TEST(Iso88591Encoding, DecodeAndEncode) {
  Unicode::CIso88591Encoding latin1;
  DecodeResult d = DecodeWith(latin1, {'a', 0xE9, 0xFF, 0x80}, 3);
  EXPECT_EQ(d.units, u"a\u00E9\u00FF");
  EXPECT_EQ(d.consumed, 3);
  EXPECT_FALSE(d.incomplete);

  EncodeResult e = EncodeWith(latin1, u"a\u00E9\u20AC", 10);
  EXPECT_EQ(e.bytes, (Bytes{'a', 0xE9}));
  EXPECT_EQ(e.consumed, 2);
  EXPECT_TRUE(e.unencodable);

  // Stopped by the capacity, not by the character behind it.
  e = EncodeWith(latin1, u"ab\u20AC", 2);
  EXPECT_EQ(e.consumed, 2);
  EXPECT_FALSE(e.unencodable);
}

TEST(Encoding, ByteOrderMarks) {
  int32_t length = -1;
  Unicode::CUtf16Encoding be(true);
  const char16_t* mark = be.GetByteOrderMark(length);
  ASSERT_EQ(length, 1);
  EXPECT_EQ(mark[0], 0xFEFF);
  EncodeResult r = EncodeWith(be, Units(mark, 1), 4);
  EXPECT_EQ(r.bytes, (Bytes{0xFE, 0xFF}));
  Unicode::CUtf8Encoding utf8;
  utf8.GetByteOrderMark(length);
  EXPECT_EQ(length, 0);
  Unicode::CIso88591Encoding latin1;
  latin1.GetByteOrderMark(length);
  EXPECT_EQ(length, 0);
}

// Pieces through small buffers must join up to the text itself: sequences
// cut by a buffer end are finished by the next call.
TEST(Encoding, RoundTripThroughSmallBuffers) {
  std::mt19937 rng(7);
  const char32_t samples[] = {U'a', U'<', U'\u00E9', U'\u07FF', U'\u0800', U'\u20AC', U'\uFFFD', U'\U00010000',
                              U'\U0001F600', U'\U0010FFFF'};
  Units text;
  for (int i = 0; i < 5000; ++i) {
    char32_t c = samples[rng() % std::size(samples)];
    if (c >= 0x10000) {
      text.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
      text.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      text.push_back(char16_t(c));
    }
  }
  Unicode::CUtf8Encoding utf8;
  Unicode::CUtf16Encoding le(false);
  for (const Unicode::CEncoding* e : {static_cast<const Unicode::CEncoding*>(&utf8),
                                      static_cast<const Unicode::CEncoding*>(&le)}) {
    Bytes bytes;
    size_t pos = 0;
    while (pos < text.size()) {
      uint8_t chunk[7];
      int32_t written = 0;
      bool unencodable = false;
      int32_t n = e->Encode(text.data() + pos, int32_t(text.size() - pos), chunk, 4 + int32_t(rng() % 4), written,
                            unencodable);
      ASSERT_FALSE(unencodable);
      ASSERT_GT(n, 0);
      pos += n;
      bytes.insert(bytes.end(), chunk, chunk + written);
    }
    if (e == &utf8) {
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), Core::ToUtf8(text));
    }
    Units back;
    size_t at = 0;
    while (at < bytes.size()) {
      char16_t units[5];
      int32_t available = std::min<int32_t>(int32_t(bytes.size() - at), 1 + int32_t(rng() % 6));
      int32_t consumed = 0, malformed = 0;
      bool incomplete = false;
      int32_t n = e->Decode(bytes.data() + at, available, consumed, units, 2 + int32_t(rng() % 3), incomplete,
                            malformed);
      ASSERT_EQ(malformed, 0);
      at += consumed;
      back.append(units, n);
    }
    EXPECT_EQ(back, text);
  }
}

TEST(EncodingMap, FindsTheThreeNamesWithoutRegardToCase) {
  auto map = Core::Make<Unicode::CEncodingMap>();
  struct Case {
    const char16_t* name;
    const char16_t* found;
  } cases[] = {
      {u"UTF-8", u"UTF-8"},   {u"utf-8", u"UTF-8"},        {u"Utf-16", u"UTF-16"},
      {u"iso-8859-1", u"ISO-8859-1"}, {u"UTF8", nullptr}, {u"UTF-16BE", nullptr},
      {u"latin1", nullptr},   {u"UTF-32", nullptr},        {u"", nullptr},
      {u"UTF-8 ", nullptr},   {u"UTF-", nullptr},
  };
  for (const auto& c : cases) {
    Unicode::CEncoding* e = map->Find(c.name);
    if (c.found) {
      ASSERT_NE(e, nullptr) << Core::ToUtf8(c.name);
      EXPECT_EQ(e->GetName(), c.found);
    } else {
      EXPECT_EQ(e, nullptr) << Core::ToUtf8(c.name);
    }
  }
  auto* utf16 = dynamic_cast<Unicode::CUtf16Encoding*>(map->Find(u"UTF-16"));
  ASSERT_NE(utf16, nullptr);
  EXPECT_TRUE(utf16->IsBigEndian());
}

TEST(EncodingMap, KeepsEncodingsAliveForHolders) {
  Core::XInterface<Unicode::CEncoding> held;
  {
    auto map = Core::Make<Unicode::CEncodingMap>();
    held = map->Find(u"UTF-8");
  }
  EXPECT_EQ(held->GetName(), u"UTF-8");
  EXPECT_EQ(held->GetUseCount(), 1);
}

} // namespace
