#include <gtest/gtest.h>

#include "xslt/processor/services/XsltException.h"

namespace {

using Xslt::CXsltException;

TEST(XsltException, MessagesOfTheTable) {
  struct Case {
    int32_t code;
    const char16_t* arg1;
    const char16_t* arg2;
    const char16_t* expected;
  } cases[] = {
      {0, u"", u"", u"Invalid stylesheet"},
      {2, u"file:///missing.xsl", u"Cannot access document", u"Stylesheet retrieval error: 'file:///missing.xsl' \nCannot access document"},
      {5, u"select", u"ignored", u"Missing attribute: 'select'"},
      {6, u"yes-no", u"indent", u"Invalid attribute value: 'yes-no' \n'indent'"},
      {23, u"", u"", u"Multiple matching template rules"},
      {34, u"urn:x", u"v", u"Duplicate variable name: 'urn:x', 'v'"},
      {42, u"bad", u"", u"Attribute value template evaluation error: bad"},
      {48, u"key", u"2", u"Invalid argument type: 'key' (2)"},
      {50, u"No pending start tag", u"", u"Output error: \nNo pending start tag"},
      {52, u"function", u"format-number", u"Unsupported feature: function 'format-number'"},
      {54, u"", u"", u"XSLT extension run-time error"},
      {55, u"Whole text", u"", u"Whole text"},
      // Arguments are text, never a format.
      {55, u"100% %s {x}", u"", u"100% %s {x}"},
      {25, u"", u"name", u"Named template rule not found: '', 'name'"},
      {56, u"rec", u"", u"Template recursion too deep: 'rec'"},
      {57, u"", u"s", u"Circular attribute set use: '', 's'"},
      {58, u"1a", u"", u"Invalid element name: '1a'"},
      {59, u"xml", u"", u"Invalid processing instruction target: 'xml'"},
      {60, u"", u"k", u"Circular key definitions: '', 'k'"},
      {61, u"a", u"b", u"Unclassified XSLT exception"},
      {-2, u"a", u"b", u"Unclassified XSLT exception"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CXsltException(c.code, c.arg1, c.arg2).GetMessage(), Core::String(c.expected)) << c.code;
  }
}

TEST(XsltException, EveryCodeHasItsOwnText) {
  Core::String unclassified = CXsltException(-1).GetMessage();
  for (int32_t code = 0; code <= 60; ++code) {
    EXPECT_NE(CXsltException(code, u"a", u"b").GetMessage(), unclassified) << code;
  }
}

TEST(XsltException, NodeKeys) {
  CXsltException none(CXsltException::InvalidContent);
  EXPECT_EQ(none.GetStylesheetNode().documentNumber, 0u);
  EXPECT_EQ(none.GetDocumentNode().documentNumber, 0u);
  EXPECT_EQ(none.GetCode(), 11);

  CXsltException stylesheet(CXsltException::MissingAttribute, Xslt::CNodeKey{0x1000001, 7}, u"xsl:value-of",
                            u"select");
  EXPECT_EQ(stylesheet.GetStylesheetNode().documentNumber, 0x1000001u);
  EXPECT_EQ(stylesheet.GetStylesheetNode().nodeIndex, 7u);
  EXPECT_EQ(stylesheet.GetStylesheetNodeName(), u"xsl:value-of");
  EXPECT_EQ(stylesheet.GetDocumentNode().documentNumber, 0u);
  EXPECT_EQ(stylesheet.GetMessage(), u"Missing attribute: 'select'");

  CXsltException both(CXsltException::InvalidArgumentType, Xslt::CNodeKey{1, 2}, u"xsl:value-of",
                      Xslt::CNodeKey{3, 4}, u"item", u"id", u"1");
  EXPECT_EQ(both.GetDocumentNode().documentNumber, 3u);
  EXPECT_EQ(both.GetDocumentNode().nodeIndex, 4u);
  EXPECT_EQ(both.GetDocumentNodeName(), u"item");
  EXPECT_EQ(both.GetMessage(), u"Invalid argument type: 'id' (1)");
}

TEST(XsltException, CaughtAsCoreException) {
  try {
    throw CXsltException(CXsltException::ProcessingTerminated);
  } catch (const Core::IException& e) {
    EXPECT_EQ(e.GetMessage(), u"Processing terminated");
  }
}

} // namespace
