#include <gtest/gtest.h>

#include "xpath/XpathException.h"

namespace {

using Xpath::CXpathException;

TEST(XpathException, Messages) {
  struct Case {
    CXpathException e;
    const char16_t* message;
  } cases[] = {
      {CXpathException(0), u"Illegal character in expression"},
      {CXpathException(3, u"foo"), u"Invalid operator name: 'foo'"},
      {CXpathException(13, u"q"), u"Prefix 'q' not found in expression context"},
      {CXpathException(14, u"p", u"v", u"u"), u"Variable 'p:v' (namespace u) not bound in expression context"},
      // Unset arguments are empty text, not "?".
      {CXpathException(14, u"", u"v"), u"Variable ':v' (namespace ) not bound in expression context"},
      {CXpathException(15, u"", u"f", u""), u"Function ':f' (namespace ) not found in expression context"},
      {CXpathException(16, u"count"), u"Invalid number of 'count' arguments"},
      {CXpathException(17, u"count", u"1"), u"Invalid 'count' argument type (position 1)"},
      {CXpathException(18), u"Comparison not supported for extension data type"},
      {CXpathException(42), u"Unclassified XPath exception"},
      {CXpathException(-1), u"Unclassified XPath exception"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.e.GetMessage(), c.message) << c.e.GetCode();
}

TEST(XpathException, CopyAndCatchAsCoreException) {
  CXpathException original(CXpathException::VariableNotBound, u"p", u"v", u"u");
  CXpathException copy(original);
  EXPECT_EQ(copy.GetMessage(), original.GetMessage());
  EXPECT_EQ(copy.GetCode(), 14);
  EXPECT_EQ(copy.GetArg(1), u"v");
  try {
    throw copy;
  } catch (const Core::IException& e) {
    EXPECT_EQ(e.GetMessage(), u"Variable 'p:v' (namespace u) not bound in expression context");
  }
}

} // namespace
