// Elements that declare nothing share the namespace nodes of the element that
// declared them, so paths through the namespace axis from several elements
// reach the same nodes more than once: the result must still be a set.
#include "xpath/support/EvalFixture.h"

namespace {

class SharedNamespaceNodes : public XpathTest::CEvalFixture {};

TEST_F(SharedNamespaceNodes, PathsGiveEachNodeOnceInDocumentOrder) {
  Load(u"<r xmlns:p='urn:p'><a/><b><c xmlns:q='urn:q'/></b></r>");
  struct Case {
    const char16_t* text;
    const char* expected;
  } cases[] = {
      {u"/r/*/namespace::*", "ns:xml ns:p"},
      {u"count(/r/*/namespace::*)", "number 2"},
      {u"count(//*/namespace::*)", "number 5"},
      {u"count(//namespace::*/..)", "number 2"},
      {u"count(/r/*/namespace::* | /r/namespace::*)", "number 2"},
      {u"boolean(/r/*/namespace::p)", "boolean true"},
  };
  for (const auto& c : cases) EXPECT_EQ(Eval(c.text), c.expected) << Core::ToUtf8(c.text);
}

} // namespace
