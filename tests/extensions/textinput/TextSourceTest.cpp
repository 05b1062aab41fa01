// Sources: opening, name headers and access to the fields of a record.
#include <gtest/gtest.h>

#include <string>

#include "extensions/textinput/TextFormat.h"
#include "extensions/textinput/TextInputException.h"
#include "extensions/textinput/TextSource.h"
#include "tests/extensions/textinput/TextFileFixture.h"

namespace {

using XsltTextInput::CTextFormat;
using XsltTextInput::CTextSource;
using XsltTextInput::CXsltTextInputException;

// The message of what the call throws; "" when it throws nothing.
template <class F>
std::string Failure(F&& call) {
  try {
    call();
  } catch (const CXsltTextInputException& e) {
    return Core::ToUtf8(e.GetMessage());
  }
  return "";
}

class TextSourceTest : public testing::Test {
protected:
  Core::XInterface<CTextSource> Source(const std::string& bytes, CTextFormat* format) {
    return new CTextSource(u"id", m_files.Write(bytes), nullptr, format);
  }
  Core::XInterface<CTextFormat> Header() { return new CTextFormat(u"h", u',', true); }

  TextInputTest::CTextFiles m_files;
};

TEST_F(TextSourceTest, HeaderNamesTheFields) {
  auto source = Source("a,,\"b,c\"\n1,2,3\n", Header().Get());
  source->Open();
  ASSERT_EQ(source->GetFieldCount(), 3);
  EXPECT_EQ(source->GetFieldName(1), u"a");
  EXPECT_EQ(source->GetFieldName(2), u"");
  EXPECT_EQ(source->GetFieldName(3), u"b,c");
  ASSERT_TRUE(source->ReadRecord());
  EXPECT_EQ(source->GetFieldValueByName(u""), u"2");
  EXPECT_EQ(source->GetFieldValueByName(u"b,c"), u"3");
  EXPECT_FALSE(source->ReadRecord());
}

// A device never ends: past the limit (the longest script string, set small
// here) a record or a header fails with the retrieval error.
TEST_F(TextSourceTest, EndlessFileStopsAtTheLimit) {
  Core::XInterface<CTextFormat> fields(new CTextFormat(u"f", u',', false));
  fields->AddField(u"a", -1);
  Core::XInterface<CTextFormat> header = Header();
  for (CTextFormat* format : {fields.Get(), header.Get()}) {
    Core::XInterface<CTextSource> source(new CTextSource(u"id", u"file:///dev/zero", nullptr, format));
    source->SetLimit(100000);
    EXPECT_EQ(Failure([&] {
                source->Open();
                source->ReadRecord();
              }),
              "Resource retrieval error: 'file:///dev/zero'");
  }
  // A file of exactly the limit reads to its end.
  auto source = Source("a\nb\n", Header().Get());
  source->SetLimit(4);
  source->Open();
  EXPECT_TRUE(source->ReadRecord());
  EXPECT_FALSE(source->ReadRecord());
}

TEST_F(TextSourceTest, HeaderEdgeFiles) {
  EXPECT_EQ(Failure([&] { Source("", Header().Get())->Open(); }).substr(0, 25), "Missing name header in 'f");
  EXPECT_EQ(Failure([&] { Source("\"a,b\n", Header().Get())->Open(); }), "Unexpected end of line");

  // An empty first line: a source without fields whose records still count.
  auto source = Source("\nx,y\n\n", Header().Get());
  source->Open();
  EXPECT_EQ(source->GetFieldCount(), 0);
  EXPECT_TRUE(source->ReadRecord());
  EXPECT_TRUE(source->ReadRecord());
  EXPECT_FALSE(source->ReadRecord());

  // Repeated names: by name the first one answers.
  source = Source("n,n\n1,2\n", Header().Get());
  source->Open();
  ASSERT_TRUE(source->ReadRecord());
  EXPECT_EQ(source->GetFieldValueByName(u"n"), u"1");
}

// A header of many fields over many empty records: each record costs what
// it holds, not the width of the header (fields times records would be
// 4 * 10^10 steps here).
TEST_F(TextSourceTest, WideHeaderOverShortRecords) {
  const int kFields = 200000;
  std::string bytes;
  for (int i = 0; i < kFields; ++i) bytes += i ? ",f" : "f";
  bytes += "\n1,2,3\n" + std::string(kFields, '\n');
  auto source = Source(bytes, Header().Get());
  source->Open();
  ASSERT_EQ(source->GetFieldCount(), kFields);
  ASSERT_TRUE(source->ReadRecord());
  EXPECT_EQ(source->GetFieldValue(3), u"3");
  int records = 1;
  while (source->ReadRecord()) ++records;
  EXPECT_EQ(records, kFields + 1);
}

// Every field of a wide header looked up by its name, as a stylesheet that
// walks field-name(i) does: each lookup must not scan the header.
TEST_F(TextSourceTest, LookupsByNameOverAWideHeader) {
  const int kFields = 200000;
  std::string header, record;
  for (int i = 0; i < kFields; ++i) {
    header += (i ? ",f" : "f") + std::to_string(i);
    record += (i ? "," : "") + std::to_string(i);
  }
  auto source = Source(header + "\n" + record + "\n", Header().Get());
  source->Open();
  ASSERT_TRUE(source->ReadRecord());
  int wrong = 0;
  for (int i = 1; i <= kFields; ++i) {
    if (source->GetFieldValueByName(source->GetFieldName(i)) != Core::FromUtf8(std::to_string(i - 1))) ++wrong;
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(TextSourceTest, FieldAccessErrors) {
  Core::XInterface<CTextFormat> format(new CTextFormat(u"f", u',', false));
  format->AddField(u"a", -1);
  format->AddField(u"b", -1);
  auto source = Source("1,2\n", format.Get());
  source->Open();
  ASSERT_TRUE(source->ReadRecord());
  EXPECT_EQ(Failure([&] { source->GetFieldName(0); }), "Invalid field index: 0");
  EXPECT_EQ(Failure([&] { source->GetFieldValue(3); }), "Invalid field index: 3");
  EXPECT_EQ(Failure([&] { source->GetFieldValue(-1); }), "Invalid field index: -1");
  EXPECT_EQ(Failure([&] { source->GetFieldValueByName(u"A"); }), "Invalid field name: 'A'");
  EXPECT_EQ(source->GetFieldValue(2), u"2");
}

TEST_F(TextSourceTest, ValuesPastTheLastRecordAreEmpty) {
  Core::XInterface<CTextFormat> format(new CTextFormat(u"f", 0, false));
  format->AddField(u"a", 4);
  format->AddField(u"b", 4);
  auto source = Source("abcdefgh\n", format.Get());
  source->Open();
  ASSERT_TRUE(source->ReadRecord());
  EXPECT_EQ(source->GetFieldValue(2), u"efgh");
  ASSERT_FALSE(source->ReadRecord());
  EXPECT_EQ(source->GetFieldCount(), 2);
  EXPECT_EQ(source->GetFieldName(2), u"b");
  EXPECT_EQ(source->GetFieldValue(1), u"");
  EXPECT_EQ(source->GetFieldValueByName(u"b"), u"");
  EXPECT_FALSE(source->ReadRecord());
}

TEST_F(TextSourceTest, OnlyLocalFileUrlsOpen) {
  Core::XInterface<CTextFormat> format(new CTextFormat(u"f", u',', false));
  Core::String url = m_files.Write("x\n");
  Core::String path = url.substr(Core::StringView(u"file://localhost").size());
  const struct {
    Core::String uri;
    bool opens;
  } cases[] = {
      {url, true},
      {u"file://" + path, true},
      {u"file://otherhost" + path, false},
      {u"http://localhost" + path, false},
      {url + u".missing", false},
      {url.substr(0, url.rfind(u'/') + 1), false},  // the folder
      {u"file:///%FF", false},
  };
  for (const auto& c : cases) {
    Core::XInterface<CTextSource> source(new CTextSource(u"", c.uri, nullptr, format.Get()));
    std::string failure = Failure([&] { source->Open(); });
    EXPECT_EQ(failure.empty(), c.opens) << Core::ToUtf8(c.uri);
    if (!c.opens) {
      EXPECT_EQ(failure, "Resource retrieval error: '" + Core::ToUtf8(c.uri) + "'");
    }
  }
}

TEST(TextFormat, FieldRules) {
  Core::XInterface<CTextFormat> separated(new CTextFormat(u"s", u',', false));
  Core::XInterface<CTextFormat> fixed(new CTextFormat(u"f", 0, false));
  EXPECT_EQ(Failure([&] { separated->AddField(u"a", 3); }), "Invalid field width");
  EXPECT_EQ(Failure([&] { fixed->AddField(u"a", -1); }), "Missing field width");
  separated->AddField(u"a", -1);
  EXPECT_EQ(Failure([&] { separated->AddField(u"a", -1); }), "Duplicate field name: 'a'");
  separated->AddField(u"A", -1);
  EXPECT_EQ(separated->GetFieldCount(), 2);
  EXPECT_EQ(fixed->GetFieldCount(), 0);
}

TEST(TextInputException, MessagesFillBothTexts) {
  EXPECT_EQ(CXsltTextInputException(0, u"separator", u";;").GetMessage(), u"Invalid attribute value: 'separator' - ';;'");
  EXPECT_EQ(CXsltTextInputException(3).GetMessage(), u"Invalid format name: ''");
  EXPECT_EQ(CXsltTextInputException(12, u"x").GetMessage(), u"Cannot resolve relative URI; 'x'");
  EXPECT_EQ(CXsltTextInputException(99).GetMessage(), u"Unclassified XSLT text input exception");
}

} // namespace
