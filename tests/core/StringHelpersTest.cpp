#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <unistd.h>
#include <vector>

#include "core/StringHelpers.h"

namespace {

using Core::String;

TEST(StringHelpers, CaseMappingTouchesAsciiLettersOnly) {
  String s = u"aZ09\u00E9\u00DF\u00C9{`@[";
  Core::ToUpper(s);
  EXPECT_EQ(s, u"AZ09\u00E9\u00DF\u00C9{`@[");
  Core::ToLower(s);
  EXPECT_EQ(s, u"az09\u00E9\u00DF\u00C9{`@[");
}

// Text longer than a 31-bit count goes on in pieces; shown with small pieces.
TEST(StringHelpers, PiecesCoverTheTextAndKeepSurrogatePairsWhole) {
  struct {
    String text;
    size_t max;
    std::vector<String> pieces;
  } const cases[] = {
      {u"", 4, {}},
      {u"abcdefgh", 4, {u"abcd", u"efgh"}},
      {u"abcdef", 4, {u"abcd", u"ef"}},
      {u"abc\xD800\xDC00" u"def", 4, {u"abc", u"\xD800\xDC00" u"de", u"f"}},
      {u"abc\xD800", 4, {u"abc\xD800"}},
      {u"\xD800\xDC00\xD800\xDC00", 3, {u"\xD800\xDC00", u"\xD800\xDC00"}},
  };
  for (const auto& c : cases) {
    std::vector<String> got;
    Core::ForEachPiece(c.text, [&](const char16_t* units, int32_t count) { got.emplace_back(units, size_t(count)); },
                       c.max);
    EXPECT_EQ(got, c.pieces) << Core::ToUtf8(c.text);
  }
  // The default piece fits a signed 32-bit count with room to spare.
  EXPECT_LE(Core::kMaxTextPiece, size_t(INT32_MAX) / 2 + 1);
}

TEST(StringHelpers, ReverseAndTrim) {
  struct Case {
    const char16_t* in;
    const char16_t* reversed;
    const char16_t* left;
    const char16_t* right;
  } cases[] = {
      {u"", u"", u"", u""},
      {u"x", u"x", u"x", u"x"},
      {u" \t\n\v\f\r", u"\r\f\v\n\t ", u"", u""},
      {u" a b ", u" b a ", u"a b ", u" a b"},
      {u"\u00A0a\u00A0", u"\u00A0a\u00A0", u"\u00A0a\u00A0", u"\u00A0a\u00A0"},
      {u"a\U0001F600", u"\xDE00\xD83D" u"a", u"a\U0001F600", u"a\U0001F600"},
  };
  for (const auto& c : cases) {
    String r = c.in, l = c.in, t = c.in;
    Core::Reverse(r);
    Core::TrimLeft(l);
    Core::TrimRight(t);
    EXPECT_EQ(r, c.reversed) << Core::ToUtf8(c.in);
    EXPECT_EQ(l, c.left) << Core::ToUtf8(c.in);
    EXPECT_EQ(t, c.right) << Core::ToUtf8(c.in);
  }
}

// Bytes above 0x7F keep their value; they are not sign-extended to U+FF80 and up.
TEST(StringHelpers, NarrowTextIsOneUnitPerByte) {
  String s = u"old";
  Core::AssignNarrow(s, "A\xE9\xFF\x80");
  EXPECT_EQ(s, u"A\u00E9\u00FF\u0080");
  Core::AssignNarrow(s, "");
  EXPECT_EQ(s, u"");

  auto narrow = Core::NarrowString(u"a\u00FF");
  ASSERT_TRUE(narrow);
  EXPECT_EQ(*narrow, "a\xFF");
  EXPECT_FALSE(Core::NarrowString(u"a\u0100"));
  ASSERT_TRUE(Core::NarrowString(u""));
  EXPECT_EQ(*Core::NarrowString(u""), "");
}

TEST(StringHelpers, CompareNoCase) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    int32_t sign;
  } cases[] = {
      {u"utf-8", u"UTF-8", 0}, {u"UTF-8", u"UTF-16", 1}, {u"UTF", u"UTF-8", -1}, {u"UTF-8", u"UTF", 1},
      {u"", u"", 0},           {u"a", u"", 1},           {u"\u00E9", u"\u00C9", 1}, {u"[", u"a", 1},
  };
  for (const auto& c : cases) {
    int32_t r = Core::CompareNoCase(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << Core::ToUtf8(c.a) << " " << Core::ToUtf8(c.b);
  }
}

TEST(StringHelpers, IntToWideString) {
  EXPECT_EQ(Core::IntToWideString(0), u"0");
  EXPECT_EQ(Core::IntToWideString(-42), u"-42");
  EXPECT_EQ(Core::IntToWideString(std::numeric_limits<int32_t>::min()), u"-2147483648");
  EXPECT_EQ(Core::IntToWideString(std::numeric_limits<int32_t>::max()), u"2147483647");
}

TEST(StringHelpers, ParseDouble) {
  struct Good {
    const char16_t* text;
    double value;
  } good[] = {
      {u" \t12.5\n ", 12.5}, {u"-1e3", -1000}, {u"+7", 7},     {u"5.", 5},     {u".5", 0.5},
      {u"1E+2", 100},       {u"2e-1", 0.2},   {u"-0", -0.0},   {u"007", 7},    {u"0.1", 0.1},
  };
  for (const auto& c : good) {
    double v = 0;
    EXPECT_TRUE(Core::ParseDouble(c.text, v)) << Core::ToUtf8(c.text);
    EXPECT_EQ(v, c.value) << Core::ToUtf8(c.text);
  }
  double v = 0;
  ASSERT_TRUE(Core::ParseDouble(u"1e999", v));
  EXPECT_TRUE(std::isinf(v) && v > 0);
  ASSERT_TRUE(Core::ParseDouble(u"-1e-999", v));
  EXPECT_EQ(v, 0.0);
  ASSERT_TRUE(Core::ParseDouble(u"4.9406564584124654e-324", v));
  EXPECT_EQ(v, std::numeric_limits<double>::denorm_min());

  const char16_t* bad[] = {u"",    u"   ",  u"12abc", u"0x10", u"Infinity", u"inf", u"nan", u".",  u"1e",
                           u"1e+", u"--1", u"+-1",   u"1 2",  u"1,5",      u"\u0661", u"\u00A012", u"e5"};
  for (const char16_t* text : bad) EXPECT_FALSE(Core::ParseDouble(text, v)) << Core::ToUtf8(text);
}

TEST(StringHelpers, ParseDoubleIgnoresTheLocale) {
  // A locale with a decimal comma must not change the grammar.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  bool changed = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
  double v = 0;
  EXPECT_TRUE(Core::ParseDouble(u"1.5e400", v));
  EXPECT_TRUE(Core::ParseDouble(u"1.5", v));
  EXPECT_EQ(v, 1.5);
  EXPECT_FALSE(Core::ParseDouble(u"1,5", v));
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!changed) GTEST_SKIP() << "no locale with a decimal comma installed";
}

class EnvironmentTest : public ::testing::Test {
protected:
  void Set(const char* name, const char* value) {
    ::setenv(name, value, 1);
    m_names.push_back(name);
  }
  void TearDown() override {
    for (const auto& name : m_names) ::unsetenv(name.c_str());
  }
  std::vector<std::string> m_names;
};

TEST_F(EnvironmentTest, Lookup) {
  Set("KELTO_TEST_EMPTY", "");
  Set("Kelto_Test_Mixed", "mixed");
  Set("KELTO_TEST_UTF8", "caf\xC3\xA9 \xE2\x82\xAC");
  Set("KELTO_TEST_BAD", "a\xFF");
  Set("kelto_test_twice", "lower");
  Set("KELTO_TEST_TWICE", "upper");
  struct Case {
    const char16_t* name;
    const char16_t* value;  // null: not found
  } cases[] = {
      {u"KELTO_TEST_EMPTY", u""},
      {u"kelto_test_mixed", u"mixed"},
      {u"KELTO_TEST_MIXED", u"mixed"},
      {u"KELTO_TEST_UTF8", u"caf\u00E9 \u20AC"},
      {u"KELTO_TEST_BAD", u"a\uFFFD"},
      {u"kelto_test_twice", u"lower"},
      {u"KELTO_TEST_TWICE", u"upper"},
      {u"KELTO_TEST_MISSING", nullptr},
      {u"KELTO_TEST_MIXE", nullptr},
      {u"", nullptr},
      {u"KELTO_TEST_EMPTY=", nullptr},
      {u"KELTO_TEST_UTF8\u0130", nullptr},
  };
  for (const auto& c : cases) {
    String value = u"unchanged";
    bool found = Core::GetEnvironmentValue(c.name, value);
    EXPECT_EQ(found, c.value != nullptr) << Core::ToUtf8(c.name);
    EXPECT_EQ(value, c.value ? c.value : u"unchanged") << Core::ToUtf8(c.name);
  }
}

TEST(Platform, GetFullPathFoldsDotsAsText) {
  String cwd = Core::FromUtf8(std::filesystem::current_path().string());
  if (cwd != u"/") cwd += u'/';
  struct Case {
    const char16_t* name;
    String path;
  } cases[] = {
      {u"a.xml", cwd + u"a.xml"},
      {u"./x/../b.xml", cwd + u"b.xml"},
      {u"sub/dir/", cwd + u"sub/dir/"},
      {u"sub/.", cwd + u"sub"},
      {u"/abs/./p//q/../r.xml", u"/abs/p/r.xml"},
      {u"/../../x", u"/x"},
      {u"/", u"/"},
      {u"/a/..", u"/"},
      {u"/no/such/place/\u00E9 x.xml", u"/no/such/place/\u00E9 x.xml"},
      {u"/a/...", u"/a/..."},
  };
  for (const auto& c : cases) {
    String path = u"unchanged";
    EXPECT_TRUE(Core::GetFullPath(c.name, path)) << Core::ToUtf8(c.name);
    EXPECT_EQ(path, c.path) << Core::ToUtf8(c.name);
  }
  String path = u"unchanged";
  EXPECT_FALSE(Core::GetFullPath(u"", path));
  EXPECT_FALSE(Core::GetFullPath(String(u"a\0b", 3), path));
  EXPECT_EQ(path, u"unchanged");
}

TEST(Platform, GetFullPathDoesNotResolveLinks) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("kelto-path-" + std::to_string(::getpid()));
  fs::create_directories(dir / "real");
  fs::create_directory_symlink(dir / "real", dir / "link");
  fs::path saved = fs::current_path();
  fs::current_path(dir);
  String path;
  bool ok = Core::GetFullPath(u"link/../f.xml", path);
  fs::current_path(saved);
  fs::remove_all(dir);
  ASSERT_TRUE(ok);
  // The current directory is as the system reports it (the temporary folder
  // itself may lie behind a link); the name's own ".." is folded as text.
  EXPECT_EQ(path.substr(path.size() - 6), u"/f.xml");
  EXPECT_EQ(path.find(u"link"), String::npos);
  EXPECT_EQ(path.find(u"real"), String::npos);
}

} // namespace
