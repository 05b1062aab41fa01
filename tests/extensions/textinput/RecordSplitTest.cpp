// Files read through a source: how lines become records and records fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/EncodingMap.h"
#include "extensions/textinput/TextFormat.h"
#include "extensions/textinput/TextInputException.h"
#include "extensions/textinput/TextSource.h"
#include "tests/extensions/textinput/TextFileFixture.h"

namespace {

using XsltTextInput::CTextFormat;
using XsltTextInput::CTextSource;
using XsltTextInput::CXsltTextInputException;
using Records = std::vector<std::vector<std::string>>;

struct SplitCase {
  const char* label;
  char16_t separator;       // 0: fixed widths
  std::vector<int> widths;  // one field per entry; -1 for none
  std::string bytes;
  Records records;          // every value of every record
  const char16_t* encoding = nullptr;
  int error = -1;           // the code that ends the reading, after the records given
};

const SplitCase kSplitCases[] = {
    {"quoted value holds the separator", u',', {-1, -1, -1}, "a,\"b,c\",d\n", {{"a", "b,c", "d"}}},
    {"quotes inside a quoted value stay doubled", u',', {-1, -1}, "\"say \"\"hi\"\"\",x\n", {{"say \"\"hi\"\"", "x"}}},
    {"empty quoted value", u',', {-1, -1}, "\"\",x\n", {{"", "x"}}},
    {"quote inside an unquoted value is text", u',', {-1, -1}, "a\"b,c\n", {{"a\"b", "c"}}},
    {"quoted value at the end of the record", u',', {-1, -1}, "x,\"y\"\n", {{"x", "y"}}},
    {"fewer fields than the format", u',', {-1, -1, -1}, "a,b\n", {{"a", "b", ""}}},
    {"separator at the end adds no field", u',', {-1, -1, -1}, "a,b,\n", {{"a", "b", ""}}},
    {"shorter record after a longer one", u',', {-1, -1, -1}, "a,b,c\nd\n", {{"a", "b", "c"}, {"d", "", ""}}},
    {"extra fields ignored", u',', {-1, -1, -1}, "a,b,c,d\n", {{"a", "b", "c"}}},
    {"empty first field", u',', {-1, -1}, ",a\n", {{"", "a"}}},
    {"separated values keep their blanks", u',', {-1, -1}, " a , b \n", {{" a ", " b "}}},
    {"TAB separator", u'\t', {-1, -1, -1}, "a\tb c\t\"d\te\"\n", {{"a", "b c", "d\te"}}},
    {"fixed widths", 0, {3, 5}, "abc12\nab\n", {{"abc", "12"}, {"ab", ""}}},
    {"fixed widths trim trailing blanks only", 0, {3, 2}, "x  y \n", {{"x", "y"}}},
    {"fixed widths keep leading blanks", 0, {3, 2}, " x y \n", {{" x", "y"}}},
    {"fixed widths ignore the rest", 0, {2}, "abcdef\n", {{"ab"}}},
    {"fixed widths of a short record", 0, {2, 2, 2}, "abc\n", {{"ab", "c", ""}}},
    {"empty line is a record of missing fields", u',', {-1, -1}, "a,b\n\nc,d\n", {{"a", "b"}, {"", ""}, {"c", "d"}}},
    {"last line without line feed", u',', {-1}, "a\nb", {{"a"}, {"b"}}},
    {"empty file has no record", u',', {-1}, "", {}},
    {"CR LF folds without an encoding", u',', {-1, -1}, "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
    {"CR stays in the record with an encoding", u',', {-1, -1}, "a,b\r\n", {{"a", "b\r"}}, u"UTF-8"},
    {"CR trimmed from a fixed-width value", 0, {1, 3}, "ab\r\n", {{"a", "b"}}, u"UTF-8"},
    {"encoding decodes the bytes", u';', {-1, -1}, "\xC3\xA9t\xC3\xA9;x\n", {{"\xC3\xA9t\xC3\xA9", "x"}}, u"UTF-8"},
    {"narrow text gives one character per byte", u';', {-1}, "\xE9\n", {{"\xC3\xA9"}}},
    {"missing closing quote", u',', {-1, -1}, "a,b\n\"open,x\n", {{"a", "b"}}, nullptr, 16},
    {"quote followed by text is not closing", u',', {-1}, "\"ab\"c\n", {}, nullptr, 16},
    {"lone quote", u',', {-1}, "\"\n", {}, nullptr, 16},
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.label; }

class RecordSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(RecordSplit, Values) {
  const SplitCase& c = GetParam();
  TextInputTest::CTextFiles files;
  Core::XInterface<CTextFormat> format(new CTextFormat(u"f", c.separator, false));
  for (size_t i = 0; i < c.widths.size(); ++i) format->AddField(u"f" + Core::FromUtf8(std::to_string(i + 1)), c.widths[i]);
  Core::XInterface<Unicode::CEncodingMap> encodings(new Unicode::CEncodingMap());
  Core::XInterface<CTextSource> source(
      new CTextSource(u"", files.Write(c.bytes), c.encoding ? encodings->Find(c.encoding) : nullptr, format.Get()));
  source->Open();
  Records got;
  int error = -1;
  try {
    while (source->ReadRecord()) {
      got.emplace_back();
      for (int32_t i = 1; i <= source->GetFieldCount(); ++i) got.back().push_back(Core::ToUtf8(source->GetFieldValue(i)));
    }
  } catch (const CXsltTextInputException& e) {
    error = e.GetCode();
  }
  EXPECT_EQ(got, c.records);
  EXPECT_EQ(error, c.error);
  source->Close();
}

INSTANTIATE_TEST_SUITE_P(Cases, RecordSplit, testing::ValuesIn(kSplitCases),
                         [](const testing::TestParamInfo<SplitCase>& info) {
                           std::string name = info.param.label;
                           for (char& ch : name)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

// The cutting itself, over records no file could hold (a separator in the
// middle of a run of quotes, a position past the end).
TEST(NextField, PositionsAndEnd) {
  int32_t position = 0, start = 0, length = 0;
  Core::StringView record = u"\"a\"\"\",b";
  ASSERT_TRUE(CTextSource::NextField(record, u',', -1, position, start, length));
  EXPECT_EQ(start, 1);
  EXPECT_EQ(length, 3);  // a""
  EXPECT_EQ(position, 6);
  ASSERT_TRUE(CTextSource::NextField(record, u',', -1, position, start, length));
  EXPECT_EQ(record.substr(size_t(start), size_t(length)), u"b");
  EXPECT_FALSE(CTextSource::NextField(record, u',', -1, position, start, length));
  EXPECT_EQ(start, -1);
  EXPECT_EQ(length, -1);

  // A width that can never come from a field element still moves forward or stops.
  position = 0;
  ASSERT_TRUE(CTextSource::NextField(u"abc", 0, 0, position, start, length));
  EXPECT_EQ(length, 0);
  EXPECT_EQ(position, 0);
}

} // namespace
