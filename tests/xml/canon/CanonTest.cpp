// End-to-end cases of the canonical form: every document in cases/ against
// the output or the error beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "core/Uri.h"
#include "tests/tools/XmlCanon.h"

namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadExpected(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

TEST(XmlCanon, EveryCaseGivesItsOutputOrItsError) {
  const fs::path dir = fs::path(KELTO_SOURCE_DIR) / "tests/xml/canon/cases";
  int cases = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    const fs::path input = entry.path();
    if (input.extension() != ".xml") continue;
    ++cases;
    const std::string name = input.filename().string();
    std::optional<std::string> output = ReadExpected(fs::path(input).replace_extension(".out"));
    std::optional<std::string> error = ReadExpected(fs::path(input).replace_extension(".err"));
    ASSERT_NE(output.has_value(), error.has_value()) << name << ": needs one of .out and .err";

    Core::String url;
    ASSERT_TRUE(Uri::FileNameToUrl(Core::FromUtf8(input.string()), url));
    std::string written, message;
    int status = XmlCanon::Canonicalise(url, false, [&](std::string_view s) { written += s; }, message);
    if (output) {
      EXPECT_EQ(status, 0) << name << ": " << message;
      EXPECT_EQ(written, *output) << name;
    } else {
      EXPECT_EQ(status, 1) << name;
      EXPECT_EQ(written, "") << name;
      EXPECT_EQ(name + ": " + message, *error) << name;
    }
  }
  EXPECT_GE(cases, 20);
}

TEST(XmlCanon, CountIsTheNumberOfNodes) {
  const fs::path file = fs::path(KELTO_SOURCE_DIR) / "tests/xml/canon/cases/default-attributes.xml";
  Core::String url;
  ASSERT_TRUE(Uri::FileNameToUrl(Core::FromUtf8(file.string()), url));
  std::string written, message;
  ASSERT_EQ(XmlCanon::Canonicalise(url, true, [&](std::string_view s) { written += s; }, message), 0);
  // The document, the comment of the internal subset, doc with three
  // attributes, two items with four each.
  EXPECT_EQ(written, "16\n");
}

TEST(XmlCanon, MissingFileCannotBeAccessed) {
  std::string written, message;
  Core::String url;
  ASSERT_TRUE(Uri::FileNameToUrl(Core::FromUtf8((fs::temp_directory_path() / "kelto-no-such.xml").string()), url));
  EXPECT_EQ(XmlCanon::Canonicalise(url, false, [&](std::string_view s) { written += s; }, message), 1);
  EXPECT_EQ(message, "Cannot access document (line 0, column 0)");
  EXPECT_EQ(written, "");
}

} // namespace
