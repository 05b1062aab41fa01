#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/EncodingMap.h"
#include "core/TextReader.h"

namespace {

using Core::CTextReader;
using Core::String;

class TextReaderTest : public testing::Test {
protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "textreader-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    ASSERT_NE(mkdtemp(buffer.data()), nullptr);
    m_dir = buffer.data();
  }
  void TearDown() override {
    for (const std::string& f : m_files) std::remove(f.c_str());
    rmdir(m_dir.c_str());
  }

  // Writes the bytes to a new file and returns its name.
  String File(const std::string& bytes, const std::string& name = "f.txt") {
    std::string path = m_dir + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    m_files.push_back(path);
    return Core::FromUtf8(path);
  }

  // Every ReadLine up to and including the first "".
  std::vector<String> Lines(const std::string& bytes, Unicode::CEncoding* encoding, const char16_t* mode = u"r") {
    CTextReader reader;
    EXPECT_TRUE(reader.Open(File(bytes), mode, encoding));
    std::vector<String> lines;
    for (int guard = 0; guard < 100000; ++guard) {
      lines.push_back(reader.ReadLine());
      if (lines.back().empty()) break;
    }
    EXPECT_TRUE(reader.Close());
    return lines;
  }

  Unicode::CEncoding* Encoding(const char16_t* name) { return m_map->Find(name); }

  std::string m_dir;
  std::vector<std::string> m_files;
  Core::XInterface<Unicode::CEncodingMap> m_map = Core::Make<Unicode::CEncodingMap>();
};

using LineList = std::vector<String>;

TEST_F(TextReaderTest, LinesDecodedAndNarrow) {
  Unicode::CEncoding* utf8 = Encoding(u"UTF-8");
  EXPECT_EQ(Lines("a\r\nb", utf8), (LineList{u"a\r\n", u"b", u""}));
  EXPECT_EQ(Lines("caf\xC3\xA9\n\xF0\x9F\x98\x80\n", utf8), (LineList{u"caf\u00e9\n", u"\U0001F600\n", u""}));
  EXPECT_EQ(Lines("", utf8), (LineList{u""}));
  EXPECT_EQ(Lines("\n\n", utf8), (LineList{u"\n", u"\n", u""}));
  EXPECT_EQ(Lines(std::string("\x00\x41\x00\n\x00\x42", 6), Encoding(u"UTF-16")), (LineList{u"A\n", u"B", u""}));
  // Narrow text drops the CR of CR LF (but only in text mode) ...
  EXPECT_EQ(Lines("a\r\nb", nullptr), (LineList{u"a\n", u"b", u""}));
  EXPECT_EQ(Lines("a\r\nb", nullptr, u"rb"), (LineList{u"a\r\n", u"b", u""}));
  EXPECT_EQ(Lines("a\rb\r\r\n\r", nullptr), (LineList{u"a\rb\r\n", u"\r", u""}));
  // ... and takes each byte as the character of the same value, never sign-extended.
  EXPECT_EQ(Lines("\xE9\xFF\x80\x7F\n", nullptr), (LineList{u"\u00e9\u00ff\u0080\u007f\n", u""}));
}

TEST_F(TextReaderTest, NulIsKeptWithTheRestOfTheLine) {
  const std::string bytes("a\0b\nc\0", 6);
  const String first(u"a\0b\n", 4), second(u"c\0", 2);
  EXPECT_EQ(Lines(bytes, Encoding(u"UTF-8")), (LineList{first, second, u""}));
  EXPECT_EQ(Lines(bytes, nullptr), (LineList{first, second, u""}));
  CTextReader reader;
  ASSERT_TRUE(reader.Open(File(bytes), u"r", Encoding(u"ISO-8859-1")));
  EXPECT_EQ(reader.Read(10), String(u"a\0b\nc\0", 6));
}

TEST_F(TextReaderTest, LongLinesAcrossBuffers) {
  // 3-byte characters cut by the 16384-byte block and 4096-unit buffer ends.
  std::string euros;
  String expected;
  for (int i = 0; i < 9000; ++i) {
    euros += "\xE2\x82\xAC";
    expected += u'\u20ac';
  }
  EXPECT_EQ(Lines(euros + "\nz", Encoding(u"UTF-8")), (LineList{expected + u"\n", u"z", u""}));

  // A CR LF split across the first block is still one line end.
  std::string narrow(16383, 'x');
  EXPECT_EQ(Lines(narrow + "\r\ny", nullptr), (LineList{String(16383, u'x') + u"\n", u"y", u""}));
  // A NUL right at the end of a decoded buffer loses nothing after it.
  std::string withNul(4095, 'n');
  withNul += '\0';
  withNul += "tail\n";
  String expectedNul(4095, u'n');
  expectedNul += char16_t(0);
  expectedNul += u"tail\n";
  EXPECT_EQ(Lines(withNul, Encoding(u"UTF-8")), (LineList{expectedNul, u""}));
  EXPECT_EQ(Lines(withNul, nullptr), (LineList{expectedNul, u""}));
}

TEST_F(TextReaderTest, ReadRuns) {
  for (Unicode::CEncoding* encoding : {Encoding(u"UTF-8"), static_cast<Unicode::CEncoding*>(nullptr)}) {
    CTextReader reader;
    ASSERT_TRUE(reader.Open(File("ab\r\nd"), u"r", encoding));
    const String first = encoding ? u"ab\r" : u"ab\n";
    const String second = encoding ? u"\nd" : u"d";
    EXPECT_EQ(reader.Read(3), first);
    EXPECT_EQ(reader.Read(3), second);
    EXPECT_EQ(reader.Read(3), u"");
    EXPECT_EQ(reader.Read(3), u"");
  }
  CTextReader reader;
  ASSERT_TRUE(reader.Open(File("12345"), u"r", Encoding(u"utf-8")));
  EXPECT_EQ(reader.Read(0), u"");
  EXPECT_EQ(reader.Read(-4), u"");
  EXPECT_EQ(reader.Read(3), u"123");
  EXPECT_EQ(reader.ReadLine(), u"45");
}

TEST_F(TextReaderTest, MalformedAndCutInput) {
  Unicode::CEncoding* utf8 = Encoding(u"UTF-8");
  // An overlong "<" is no "<".
  EXPECT_EQ(Lines("a\xC0\xBC" "b\n", utf8), (LineList{u"a\uFFFD\uFFFDb\n", u""}));
  // A sequence cut off by the end of the file is reported, not dropped.
  EXPECT_EQ(Lines("ab\xE2\x82", utf8), (LineList{u"ab\uFFFD", u""}));
  EXPECT_EQ(Lines("\xE2", utf8), (LineList{u"\uFFFD", u""}));
  EXPECT_EQ(Lines(std::string("\x00\x41\x00", 3), Encoding(u"UTF-16")), (LineList{u"A\uFFFD", u""}));
  CTextReader reader;
  ASSERT_TRUE(reader.Open(File("xy\xE2\x82"), u"r", utf8));
  EXPECT_EQ(reader.Read(5), u"xy\uFFFD");
  EXPECT_EQ(reader.Read(5), u"");
}

TEST_F(TextReaderTest, StatusCodes) {
  const String path = File("x\n");
  CTextReader reader;
  EXPECT_EQ(reader.ReadLine(), u"");
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusNotOpen);

  EXPECT_FALSE(reader.Open(path, u"rb", Encoding(u"UTF-8")));
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusBadMode);
  EXPECT_FALSE(reader.Open(path, u"r+", Encoding(u"UTF-8")));
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusBadMode);
  EXPECT_FALSE(reader.Open(path, u"r\u0100", nullptr));
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusBadMode);
  EXPECT_FALSE(reader.Open(path + char16_t(0xD800), u"r", nullptr));
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusBadPath);
  EXPECT_FALSE(reader.Open(path + char16_t(0) + u"x", u"r", nullptr));
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusBadPath);
  // A file that cannot be opened leaves the status as it was.
  EXPECT_FALSE(reader.Open(path + u".missing", u"r", nullptr));
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusBadPath);
  // Nor does a folder, which would read as an empty file.
  EXPECT_FALSE(reader.Open(Core::FromUtf8(m_dir), u"r", nullptr));
  EXPECT_FALSE(reader.Open(Core::FromUtf8(m_dir), u"r", Encoding(u"UTF-8")));
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusBadPath);

  ASSERT_TRUE(reader.Open(path, u"r", Encoding(u"UTF-8")));
  EXPECT_FALSE(reader.Open(path, u"r", nullptr));
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusAlreadyOpen);
  EXPECT_EQ(reader.ReadLine(), u"x\n");
  EXPECT_TRUE(reader.Close());
  EXPECT_FALSE(reader.Close());
  EXPECT_EQ(reader.GetStatus(), CTextReader::StatusNotOpen);
  EXPECT_EQ(reader.Read(5), u"");
  EXPECT_EQ(reader.ReadLine(), u"");

  // Reopened, it starts over; a name with non-ASCII characters opens too.
  ASSERT_TRUE(reader.Open(File("\xE9t\xE9", "caf\xC3\xA9.txt"), u"r", Encoding(u"ISO-8859-1")));
  EXPECT_EQ(reader.ReadLine(), u"\u00e9t\u00e9");
}

TEST_F(TextReaderTest, HoldsItsEncoding) {
  Core::XInterface<Unicode::CEncoding> utf8 = Core::Make<Unicode::CUtf8Encoding>();
  {
    CTextReader reader;
    ASSERT_TRUE(reader.Open(File("\xC3\xA9"), u"r", utf8.Get()));
    EXPECT_EQ(utf8->GetUseCount(), 2);
    EXPECT_TRUE(reader.Close());
    EXPECT_EQ(utf8->GetUseCount(), 2);
  }
  EXPECT_EQ(utf8->GetUseCount(), 1);
}

} // namespace

namespace {

// The whole text read after DropByteOrderMark, or "mismatch".
struct CMarkCase {
  const char* name;
  std::string bytes;
  const char16_t* encoding;  // null: narrow text
  String text;
};

class TextReaderMarkTest : public TextReaderTest {
protected:
  String ReadAll(const CMarkCase& c) {
    CTextReader reader;
    EXPECT_TRUE(reader.Open(File(c.bytes), u"r", c.encoding ? Encoding(c.encoding) : nullptr));
    if (!reader.DropByteOrderMark()) return u"mismatch";
    String all;
    for (String piece; !(piece = reader.ReadLine()).empty();) all += piece;
    return all;
  }
};

} // namespace

TEST_F(TextReaderMarkTest, MarksAreDroppedOrChooseTheByteOrder) {
  const CMarkCase cases[] = {
      {"UTF-8 mark", "\xEF\xBB\xBF" "a\xC3\xA9\n", u"UTF-8", u"a\u00e9\n"},
      {"UTF-8 without mark", "a\xC3\xA9", u"UTF-8", u"a\u00e9"},
      {"UTF-8 mark only", "\xEF\xBB\xBF", u"UTF-8", u""},
      {"UTF-8 mark later stays", "a\xEF\xBB\xBF", u"UTF-8", u"a\ufeff"},
      {"narrow with UTF-8 mark", "\xEF\xBB\xBF" "ab", nullptr, u"ab"},
      {"narrow keeps FF FE", "\xFF\xFE" "a", nullptr, u"\u00ff\u00fea"},
      {"Latin-1 keeps its bytes", "\xEF\xBB\xBF", u"ISO-8859-1", u"\u00ef\u00bb\u00bf"},
      {"UTF-16 little-endian mark", std::string("\xFF\xFE" "A\0\xE9\0", 6), u"UTF-16", u"A\u00e9"},
      {"UTF-16 big-endian mark", std::string("\xFE\xFF\0A\0\xE9", 6), u"UTF-16", u"A\u00e9"},
      {"UTF-16 without mark is big-endian", std::string("\0A\0B", 4), u"UTF-16", u"AB"},
      {"UTF-16 mark only", "\xFF\xFE", u"UTF-16", u""},
      {"UTF-16 mark under UTF-8", std::string("\xFF\xFE" "A\0", 4), u"UTF-8", u"mismatch"},
      {"UTF-16 big-endian mark under UTF-8", std::string("\xFE\xFF\0A", 4), u"UTF-8", u"mismatch"},
      {"UTF-8 mark under UTF-16", "\xEF\xBB\xBF" "ab", u"UTF-16", u"mismatch"},
      {"one byte", "a", u"UTF-16", u"\ufffd"},
      {"empty", "", u"UTF-8", u""},
  };
  for (const CMarkCase& c : cases) EXPECT_EQ(ReadAll(c), c.text) << c.name;
}

TEST_F(TextReaderTest, LimitEndsTheInputWithAStatus) {
  for (Unicode::CEncoding* encoding : {Encoding(u"UTF-8"), static_cast<Unicode::CEncoding*>(nullptr)}) {
    CTextReader reader;
    ASSERT_TRUE(reader.Open(File(std::string(20000, 'x') + "\n"), u"r", encoding));
    reader.SetLimit(20001);
    EXPECT_EQ(reader.ReadLine().size(), 20001u);
    EXPECT_FALSE(reader.ExceededLimit());
    ASSERT_TRUE(reader.Close());
    ASSERT_TRUE(reader.Open(File(std::string(20000, 'x') + "\n"), u"r", encoding));
    reader.SetLimit(20000);
    reader.ReadLine();
    EXPECT_TRUE(reader.ExceededLimit());
    EXPECT_EQ(reader.GetStatus(), CTextReader::StatusTooLong);
    EXPECT_EQ(reader.ReadLine(), u"");
    EXPECT_EQ(reader.Read(5), u"");
    ASSERT_TRUE(reader.Close());
  }
  // A device that never ends stops at the limit.
  CTextReader reader;
  ASSERT_TRUE(reader.Open(u"/dev/zero", u"r", Encoding(u"UTF-8")));
  reader.SetLimit(100000);
  EXPECT_LE(reader.ReadLine().size(), 100000u);
  EXPECT_TRUE(reader.ExceededLimit());
}
