// Encodings, byte-order marks, decoding across buffer boundaries, files.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ParserTestUtil.h"
#include "core/Uri.h"

namespace {

using namespace ParserTest;

std::string Utf16(const std::u16string& text, bool bigEndian) {
  std::string out;
  for (char16_t c : text) {
    char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

TEST(ParserInput, Utf16WithAByteOrderMarkInEitherOrder) {
  const std::u16string doc = u"<a>\u00E9\u4E2D</a>";
  EXPECT_EQ(Events("\xFE\xFF" + Utf16(doc, true)), "L SD S:a C:\xC3\xA9\xE4\xB8\xAD E ED L0");
  EXPECT_EQ(Events("\xFF\xFE" + Utf16(doc, false)), "L SD S:a C:\xC3\xA9\xE4\xB8\xAD E ED L0");
  // A declaration naming UTF-16 in any case keeps the mark's byte order.
  EXPECT_EQ(Events("\xFF\xFE" + Utf16(u"<?xml version='1.0' encoding='uTf-16'?>" + doc, false)),
            "L SD S:a C:\xC3\xA9\xE4\xB8\xAD E ED L0");
  // The mark is not a character of line 1.
  EXPECT_EQ(Error("\xFE\xFF" + Utf16(u"<a></b>", true)), "Mismatched end tag @1:7");
}

TEST(ParserInput, Utf16WithoutAMarkIsReadAsUtf8AndFails) {
  EXPECT_EQ(Error(Utf16(u"<a/>", true)), "Illegal character @1:1");
  EXPECT_EQ(Error(Utf16(u"<a/>", false)), "Illegal character @1:2");
}

TEST(ParserInput, Utf8ByteOrderMarkIsPassedOver) {
  EXPECT_EQ(Events("\xEF\xBB\xBF<a/>"), "L SD S:a E ED L0");
  EXPECT_EQ(Events("\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?><a/>"), "L SD S:a E ED L0");
  EXPECT_EQ(Events("\xEF\xBB\xBF<a/>", "UTF-8"), "L SD S:a E ED L0");
  EXPECT_EQ(Error("\xEF\xBB\xBF<a></b>"), "Mismatched end tag @1:7");
}

// The mark names the encoding; a declaration naming another would misread
// the rest of the document.
TEST(ParserInput, ByteOrderMarkAndDeclaredEncodingMustAgree) {
  EXPECT_EQ(Error("\xEF\xBB\xBF<?xml version='1.0' encoding='iso-8859-1'?><a>\xC3\xA9</a>"),
            "Mismatched encoding name @1:43");
  EXPECT_EQ(Error("\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-16'?><a/>"), "Mismatched encoding name @1:39");
  EXPECT_EQ(Error("\xFE\xFF" + Utf16(u"<?xml version='1.0' encoding='ISO-8859-1'?><a/>", true)),
            "Mismatched encoding name @1:43");
  EXPECT_EQ(Error("\xFF\xFE" + Utf16(u"<?xml version='1.0' encoding='utf-8'?><a/>", false)),
            "Mismatched encoding name @1:38");
  // A name the parser does not know is that error first.
  EXPECT_EQ(Error("\xEF\xBB\xBF<?xml version='1.0' encoding='latin1'?><a/>"), "Unsupported encoding @1:39");
  EXPECT_EQ(Events("\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?><a>\xC3\xA9</a>"),
            "L SD S:a C:\xC3\xA9 E ED L0");
}

TEST(ParserInput, ByteOrderMarksHandedOutAByteAtATime) {
  const std::string utf16 = "L SD S:a C:\xC3\xA9 E ED L0";
  EXPECT_EQ(ParseBytes("\xFE\xFF" + Utf16(u"<a>\u00E9</a>", true), "", nullptr, nullptr, 1).log, utf16);
  EXPECT_EQ(ParseBytes("\xFF\xFE" + Utf16(u"<a>\u00E9</a>", false), "", nullptr, nullptr, 1).log, utf16);
  EXPECT_EQ(ParseBytes("\xEF\xBB\xBF<a>\xC3\xA9</a>", "", nullptr, nullptr, 1).log, utf16);
  EXPECT_EQ(ParseBytes("\xEF\xBB\xBF<a>\xC3\xA9</a>", "UTF-8", nullptr, nullptr, 2).log, utf16);
}

TEST(ParserInput, DeclaredAndNamedEncodings) {
  EXPECT_EQ(Events("<?xml version='1.0' encoding='iso-8859-1'?><a>\xE9</a>"), "L SD S:a C:\xC3\xA9 E ED L0");
  EXPECT_EQ(Events("<a>\xE9</a>", "ISO-8859-1"), "L SD S:a C:\xC3\xA9 E ED L0");
  EXPECT_EQ(Events("<?xml version='1.0' encoding=''?><a/>"), "L SD S:a E ED L0");
  EXPECT_EQ(Error("<?xml version='1.0' encoding='US-ASCII'?><a/>"), "Unsupported encoding @1:41");
  EXPECT_EQ(Error("<?xml version='1.0' encoding='latin1'?><a/>"), "Unsupported encoding @1:39");
  EXPECT_EQ(Error("<?xml version='1.0' encoding='ISO-8859-1'?><a/>", "UTF-8"), "Mismatched encoding name @1:43");
  EXPECT_EQ(Events("<?xml version='1.0' encoding='utf-8'?><a/>", "UTF-8"), "L SD S:a E ED L0");
  EXPECT_EQ(Error("<a/>", "UTF-32"), "Unsupported encoding @0:0");
}

TEST(ParserInput, MalformedBytesAreAnErrorWhereTheyStand) {
  struct {
    std::string bytes;
    const char* expected;
  } cases[] = {
      {"<a>ab\xFF</a>", "Bad character encoding @1:5"},
      {"<a>\xC0\xBC</a>", "Bad character encoding @1:3"},           // overlong "<"
      {"<a>\xED\xA0\x80</a>", "Bad character encoding @1:3"},       // a surrogate
      {"<a>\xF4\x90\x80\x80</a>", "Bad character encoding @1:3"},   // above U+10FFFF
      {"<a>\xC3(</a>", "Bad character encoding @1:3"},              // a missing continuation
      {"<a/>\n\xE2\x82", "Bad character encoding @2:0"},             // cut off by the end
      {"\xFE\xFF" + Utf16(u"<a/>", true) + std::string(1, '\0'), "Bad character encoding @1:4"},
      // Surrogates of UTF-16 come in pairs.
      {"\xFE\xFF" + Utf16(u"<a>x\xD800y</a>", true), "Bad character encoding @1:4"},
      {"\xFF\xFE" + Utf16(u"<a>\xDC00</a>", false), "Bad character encoding @1:3"},
      {"\xFF\xFE" + Utf16(u"<a>\xDC00\xD800</a>", false), "Bad character encoding @1:3"},
      {"\xFE\xFF" + Utf16(u"<a/>\xD800", true), "Bad character encoding @1:4"},
  };
  for (const auto& c : cases) EXPECT_EQ(Error(c.bytes), c.expected) << c.bytes;
}

TEST(ParserInput, DecodingDoesNotDependOnHowTheBytesArrive) {
  std::string text;
  for (int i = 0; i < 8000; ++i) text += "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80x";
  const std::string doc = "<a t='" + text + "'>" + text + "</a>";
  const std::string whole = Events(doc);
  ASSERT_EQ(whole.substr(0, 12), "L SD S:a A:t");
  // Past the size of the byte buffer and of the unit buffer, in pieces of any size.
  for (int32_t chunk : {1, 2, 3, 7, 4096, 4097}) {
    CResult r = ParseBytes(doc, "", nullptr, nullptr, chunk);
    EXPECT_TRUE(r.ok) << chunk;
    EXPECT_EQ(r.log, whole) << chunk;
  }
}

TEST(ParserInput, Utf16PairsDoNotDependOnHowTheBytesArrive) {
  std::u16string text;
  for (int i = 0; i < 5000; ++i) text += u"\U0001F600\u00E9x";
  const std::u16string doc = u"<a t='" + text + u"'>" + text + u"</a>";
  for (bool bigEndian : {true, false}) {
    const std::string bytes = (bigEndian ? "\xFE\xFF" : "\xFF\xFE") + Utf16(doc, bigEndian);
    const std::string whole = Events(bytes);
    ASSERT_EQ(whole.substr(0, 12), "L SD S:a A:t");
    for (int32_t chunk : {1, 3, 4097}) {
      CResult r = ParseBytes(bytes, "", nullptr, nullptr, chunk);
      EXPECT_TRUE(r.ok) << chunk << " " << r.message << " @" << r.line << ":" << r.column;
      EXPECT_TRUE(r.log == whole) << chunk;
    }
  }
}

TEST(ParserInput, FilesByUrl) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "kelto-parser-test";
  std::filesystem::create_directories(dir);
  std::filesystem::path file = dir / "doc \xC3\xA9.xml";
  {
    std::ofstream out(file, std::ios::binary);
    out << "<a>x</a>";
  }
  Core::String url;
  ASSERT_TRUE(Uri::FileNameToUrl(Core::FromUtf8(file.string()), url));
  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  Core::XInterface<CRecorder> r = Core::Make<CRecorder>();
  parser->SetDocumentHandler(r);
  parser->Parse(url);
  EXPECT_EQ(r->log, "L SD S:a C:x E ED L0");

  for (Core::String missing : {url + u"-missing", Core::String(u"relative.xml"), Core::String(u"http://x/a.xml")}) {
    try {
      parser->Parse(missing);
      ADD_FAILURE() << "parsed " << Core::ToUtf8(missing);
    } catch (const Sxp::CParseException& e) {
      EXPECT_EQ(e.GetMessage(), u"Cannot access document");
      EXPECT_EQ(e.GetSystemId(), missing);
      EXPECT_EQ(e.GetLineNumber(), 0);
      EXPECT_EQ(e.GetColumnNumber(), 0);
    }
  }
  std::filesystem::remove_all(dir);
}

TEST(ParserInput, CharacterStreamIsReadDirectly) {
  class CUnits : public Core::IUnicodeStream {
  public:
    Core::String text = u"<?xml version='1.0' encoding='ISO-8859-1'?><a>\u4E2D</a>";
    size_t pos = 0;
    int32_t Read(char16_t* b, int32_t n) override {
      size_t k = std::min(static_cast<size_t>(n), text.size() - pos);
      std::copy_n(text.data() + pos, k, b);
      pos += k;
      return static_cast<int32_t>(k);
    }
    int32_t Write(const char16_t*, int32_t) override { return 0; }
    int32_t Seek(int32_t, int32_t) override { return 0; }
    int32_t Tell() override { return 0; }
  };
  Core::XInterface<Sxp::IParser> parser = Core::Make<XmlParserPrivate::CParserFactory>()->CreateParser();
  Core::XInterface<CRecorder> r = Core::Make<CRecorder>();
  parser->SetDocumentHandler(r);
  Core::XInterface<XmlParserPrivate::CInputSource> s = Core::Make<XmlParserPrivate::CInputSource>();
  s->SetCharacterStream(Core::Make<CUnits>());
  parser->ParseInputSource(s.Get());
  EXPECT_EQ(r->log, "L SD S:a C:\xE4\xB8\xAD E ED L0");
}

} // namespace
