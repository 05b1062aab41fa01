#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/TreeFixture.h"
#include "tests/xslt/compiler/support/StylesheetFixture.h"
#include "xml/writer/OutputHandler.h"

namespace {

using namespace StylesheetTest;

// Counts the elements it receives and the deepest nesting among them.
class CDepthCounter : public Xslt::COutputHandler {
public:
  void SetEncodingHandler(Unicode::CEncodingMap*) override {}
  void SetOutputStream(Core::IStream*) override {}
  void SetOutputTarget(Core::IUnicodeStream*) override {}
  void SetOutputOptions(Xslt::COutputOptions*) override {}
  void StartDocument() override {}
  void EndDocument() override {}
  void StartElement(Core::StringView, bool, bool) override {
    ++elements;
    maxDepth = std::max(maxDepth, ++depth);
  }
  void EndElement() override { --depth; }
  void NamespaceDeclaration(Core::StringView, Core::StringView) override {}
  void Attribute(Core::StringView, Core::StringView) override { ++attributes; }
  void Characters(const char16_t* units, int32_t count, bool) override { text.append(units, size_t(count)); }
  void Comment(Core::StringView) override {}
  void ProcessingInstruction(Core::StringView, Core::StringView) override {}

  int64_t elements = 0;
  int64_t attributes = 0;
  int64_t depth = 0;
  int64_t maxDepth = 0;
  Core::String text;
};

// A source tree nested far deeper than the C++ stack could follow is copied
// whole, by xsl:copy-of and by the copy of a variable's node set.
TEST(CopyRun, DeepTreesCopyWithoutRecursion) {
  constexpr int32_t kDepth = 200000;
  std::u16string markup;
  markup.reserve(size_t(kDepth) * 14);
  for (int32_t i = 0; i < kDepth; ++i) markup += u"<e a='1'>";
  markup += u"x";
  for (int32_t i = 0; i < kDepth; ++i) markup += u"</e>";
  KeltoTest::CTreeFixture trees;
  Dom::XNode source = trees.Build(markup);

  const std::string bodies[] = {
      "<xsl:template match='/'><xsl:copy-of select='.'/></xsl:template>",
      "<xsl:template match='/'><xsl:variable name='v' select='*'/><xsl:copy-of select='$v'/></xsl:template>",
  };
  for (const std::string& body : bodies) {
    CTempFolder folder;
    CCompileResult result = CompileFiles(folder, {{"s.xsl", Stylesheet(body)}});
    ASSERT_TRUE(result.compiled) << Core::ToUtf8(result.message);
    auto output = Core::Make<CDepthCounter>();
    result.compiled->Run(u"", nullptr, source, output.Get(), nullptr);
    EXPECT_EQ(output->elements, kDepth) << body;
    EXPECT_EQ(output->maxDepth, kDepth) << body;
    EXPECT_EQ(output->attributes, kDepth) << body;
    EXPECT_EQ(output->depth, 0) << body;
    EXPECT_EQ(output->text, u"x") << body;
  }
}

} // namespace
