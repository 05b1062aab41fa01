#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "core/FileStream.h"
#include "core/StringStream.h"

namespace {

namespace fs = std::filesystem;

class FileStreamTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("kelto-stream-" + std::to_string(::getpid()));
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  Core::String PathOf(const char* name) const { return Core::FromUtf8((m_dir / name).string()); }
  std::string Contents(const char* name) const {
    std::ifstream in(m_dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path m_dir;
};

TEST(FileStreamMode, FlagsGiveModeStrings) {
  struct Case {
    uint32_t flags;
    const char* mode;
  } cases[] = {
      {0x51, "wb"}, {0x44, "rb"}, {0x00, "rt"},  {0x08, "r+t"}, {0x10, "at"},
      {0x01, "w+t"}, {0x03, "a+t"}, {0x13, "at"}, {0x49, "w+b"}, {0x4C, "r+b"},
  };
  for (const auto& c : cases) EXPECT_EQ(Core::CFileStream::ModeString(c.flags), c.mode) << c.flags;
}

TEST_F(FileStreamTest, ReadingAMissingFileFailsAndWritingCreatesIt) {
  auto in = Core::Make<Core::CFileStream>();
  EXPECT_FALSE(in->Open(PathOf("missing.xml"), Core::FileModeInput));
  EXPECT_FALSE(in->IsOpen());

  auto out = Core::Make<Core::CFileStream>();
  ASSERT_TRUE(out->Open(PathOf("new.xml"), Core::FileModeResult));
  EXPECT_TRUE(fs::exists(m_dir / "new.xml"));
  EXPECT_EQ(fs::file_size(m_dir / "new.xml"), 0u);
}

TEST_F(FileStreamTest, WriteTruncatesAndReadsBack) {
  std::ofstream(m_dir / "out.xml") << "old contents that are long";
  {
    auto out = Core::Make<Core::CFileStream>();
    ASSERT_TRUE(out->Open(PathOf("out.xml"), Core::FileModeResult));
    EXPECT_EQ(fs::file_size(m_dir / "out.xml"), 0u);
    const uint8_t data[] = {'<', 'a', '/', '>', 0xC3, 0xA9};
    EXPECT_EQ(out->Write(data, 6), 6);
    EXPECT_EQ(out->Tell(), 6);
  }  // closed by the last release
  EXPECT_EQ(Contents("out.xml"), "<a/>\xC3\xA9");

  auto in = Core::Make<Core::CFileStream>();
  ASSERT_TRUE(in->Open(PathOf("out.xml"), Core::FileModeInput));
  uint8_t buffer[16];
  EXPECT_EQ(in->Read(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, buffer + 4), "<a/>");
  EXPECT_EQ(in->Read(buffer, 16), 2);
  EXPECT_EQ(in->Read(buffer, 16), 0);
  EXPECT_EQ(in->Seek(1, Core::SeekStart), 0);
  EXPECT_EQ(in->Tell(), 1);
  EXPECT_EQ(in->Seek(-2, Core::SeekEnd), 0);
  EXPECT_EQ(in->Tell(), 4);
  EXPECT_EQ(in->Seek(-1, Core::SeekCurrent), 0);
  EXPECT_EQ(in->Read(buffer, 1), 1);
  EXPECT_EQ(buffer[0], '>');
  EXPECT_EQ(in->Seek(-100, Core::SeekStart), -1);
}

TEST_F(FileStreamTest, PathsAreUtf16AndReachTheSystemAsUtf8) {
  Core::String name = PathOf("") + u"\u00E9\u20AC\U0001F600 x.xml";
  auto out = Core::Make<Core::CFileStream>();
  ASSERT_TRUE(out->Open(name, Core::FileModeResult));
  EXPECT_EQ(out->Write(reinterpret_cast<const uint8_t*>("z"), 1), 1);
  EXPECT_TRUE(fs::exists(m_dir / "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 x.xml"));
}

TEST_F(FileStreamTest, UnusablePathsFail) {
  const Core::String bad[] = {
      u"",
      PathOf("a") + Core::String(1, u'\0') + u"b",  // would be cut short at the zero
      PathOf("") + u"\xD800.xml",                    // no UTF-8 form
      PathOf(""),                                    // a directory
      PathOf("no-such-dir/out.xml"),
  };
  for (const auto& path : bad) {
    auto s = Core::Make<Core::CFileStream>();
    EXPECT_FALSE(s->Open(path, Core::FileModeResult)) << Core::ToUtf8(path);
    EXPECT_FALSE(s->Open(path, Core::FileModeInput)) << Core::ToUtf8(path);
  }
  EXPECT_FALSE(fs::exists(m_dir / "a"));
}

TEST(FileStream, FailedWriteShowsInTheResult) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  auto out = Core::Make<Core::CFileStream>();
  ASSERT_TRUE(out->Open(u"/dev/full", Core::FileModeResult));
  const uint8_t data[8] = {};
  EXPECT_LT(out->Write(data, 8), 8);
}

TEST(StringStream, ReadsInPieces) {
  auto s = Core::Make<Core::CStringStream>(u"abc");
  char16_t buffer[4] = {};
  EXPECT_EQ(s->Read(buffer, 2), 2);
  EXPECT_EQ(Core::String(buffer, 2), u"ab");
  EXPECT_EQ(s->Read(buffer, 1), 1);
  EXPECT_EQ(buffer[0], u'c');
  EXPECT_EQ(s->Read(buffer, 4), 0);
  EXPECT_EQ(s->Tell(), 3);
  EXPECT_EQ(s->Write(u"x", 1), 0);
  EXPECT_EQ(s->Tell(), 3);
}

TEST(StringStream, SeekStaysWithinTheText) {
  struct Case {
    int32_t start;
    int32_t offset;
    int32_t origin;
    int32_t position;
  } cases[] = {
      {0, 2, Core::SeekStart, 2},  {1, 2, Core::SeekCurrent, 3},   {3, 0, Core::SeekEnd, 5},
      {0, -2, Core::SeekEnd, 3},   {2, -10, Core::SeekCurrent, 0}, {0, -1, Core::SeekStart, 0},
      {0, 9, Core::SeekStart, 5},  {0, 1, Core::SeekEnd, 5},       {4, 1, 7, 1},
      {0, INT32_MAX, Core::SeekEnd, 5},
  };
  for (const auto& c : cases) {
    Core::CStringStream s(u"hello");
    s.Seek(c.start, Core::SeekStart);
    s.Seek(c.offset, c.origin);
    EXPECT_EQ(s.Tell(), c.position) << c.start << " " << c.offset << " " << c.origin;
  }
  Core::CStringStream s(u"hello");
  s.Seek(0, Core::SeekEnd);
  char16_t buffer[2];
  EXPECT_EQ(s.Read(buffer, 2), 0);
  s.Seek(-3, Core::SeekStart);
  EXPECT_EQ(s.Read(buffer, 2), 2);
  EXPECT_EQ(Core::String(buffer, 2), u"he");
}

TEST(StringStream, CopiesItsText) {
  Core::String text = u"xy";
  Core::CStringStream s(text);
  text[0] = u'z';
  char16_t buffer[2];
  EXPECT_EQ(s.Read(buffer, 2), 2);
  EXPECT_EQ(buffer[0], u'x');
}

} // namespace
