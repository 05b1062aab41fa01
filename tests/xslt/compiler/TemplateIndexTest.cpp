// Template rules grouped for dispatch: the candidates of a node are the
// rules that may match it, in template order, each once.
#include <gtest/gtest.h>

#include "xslt/compiler/support/StylesheetFixture.h"
#include "support/TreeFixture.h"
#include "xslt/compiler/ExpandedName.h"

namespace {

using namespace StylesheetTest;
using namespace XsltPrivate;

std::string Candidates(const CStylesheet& module, const CExpandedName* mode, const Dom::CNode* node) {
  std::string text;
  module.GetTemplateIndex().ForEachCandidate(mode, node, [&](int32_t i) {
    if (!text.empty()) text += " ";
    text += std::to_string(i);
  });
  return text;
}

TEST(TemplateIndex, CandidatesByModeKindAndName) {
  CTempFolder folder;
  CCompileResult result = CompileFiles(
      folder, {{"m.xsl", Stylesheet("<xsl:template match='a'/>"                      // 0
                                    "<xsl:template match='*'/>"                      // 1
                                    "<xsl:template match='@x'/>"                     // 2
                                    "<xsl:template match='text()'/>"                 // 3
                                    "<xsl:template match='node()'/>"                 // 4
                                    "<xsl:template match='/'/>"                      // 5
                                    "<xsl:template match='a | b | *'/>"              // 6
                                    "<xsl:template match='p:a' xmlns:p='urn:p'/>"    // 7
                                    "<xsl:template match=\"key('k', 'v')\"/>"        // 8
                                    "<xsl:template match='a' mode='m'/>"             // 9
                                    "<xsl:template match='@*'/>"                     // 10
                                    "<xsl:template match='comment()'/>"              // 11
                                    "<xsl:template name='only'/>"                    // 12
                                    "<xsl:template match='processing-instruction()'/>"  // 13
                                    "<xsl:template match=\"id('i')\"/>"              // 14
                                    "<xsl:template match='r//a/b'/>")}});            // 15
  ASSERT_FALSE(result.failed) << Core::ToUtf8(result.message);
  const CStylesheet& module = *result.Principal();

  KeltoTest::CTreeFixture trees;
  Dom::XNode document = trees.Build(u"<r><a/><b x='1'/>text<!--c--><?p d?></r>");
  Dom::CNode* r = document->FirstChild();
  Dom::CNode* a = r->FirstChild();
  Dom::CNode* b = a->NextSibling();
  Dom::CNode* text = b->NextSibling();
  Dom::CNode* comment = text->NextSibling();
  Dom::CNode* pi = comment->NextSibling();
  CExpandedName m(u"", u"m");
  CExpandedName other(u"", u"other");

  struct Case {
    const char* name;
    const CExpandedName* mode;
    const Dom::CNode* node;
    const char* candidates;
  } cases[] = {
      {"element a", nullptr, a, "0 1 4 6 7 8 14"},
      {"element b", nullptr, b, "1 4 6 8 14 15"},
      {"element r", nullptr, r, "1 4 6 8 14"},
      {"attribute x", nullptr, b->AttributeAt(0), "2 8 10"},
      {"text", nullptr, text, "3 4 8"},
      {"comment", nullptr, comment, "4 8 11"},
      {"processing instruction", nullptr, pi, "4 8 13"},
      {"document", nullptr, document.Get(), "5 8"},
      {"element a in mode m", &m, a, "9"},
      {"element b in mode m", &m, b, ""},
      {"a mode no rule has", &other, a, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Candidates(module, c.mode, c.node), c.candidates) << c.name;
}

} // namespace
