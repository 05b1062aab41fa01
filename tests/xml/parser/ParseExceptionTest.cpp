#include <gtest/gtest.h>

#include "xml/parser/Sxp.h"

namespace {

class CNested : public Core::IException {
public:
  Core::String GetMessage() const override { return u"nested text"; }
};

TEST(ParseException, MessageFallsBackToNestedThenEmpty) {
  Sxp::CParseException own(u"Bad token", u"pub", u"file:///a.xml", 3, 7);
  EXPECT_EQ(own.GetMessage(), u"Bad token");
  EXPECT_EQ(own.GetPublicId(), u"pub");
  EXPECT_EQ(own.GetSystemId(), u"file:///a.xml");
  EXPECT_EQ(own.GetLineNumber(), 3);
  EXPECT_EQ(own.GetColumnNumber(), 7);

  Sxp::CParseException empty;
  EXPECT_EQ(empty.GetMessage(), u"");
  CNested nested;
  empty.SetNestedException(&nested);
  EXPECT_EQ(empty.GetMessage(), u"nested text");
}

} // namespace
