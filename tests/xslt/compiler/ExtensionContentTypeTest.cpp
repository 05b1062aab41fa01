#include <gtest/gtest.h>

#include "core/String.h"
#include "xslt/compiler/ExtensionContentType.h"

namespace {

// Which item takes a child element: exact names first, then a name wildcard
// of the child's namespace, then the namespace wildcard, each the first of
// its kind.
TEST(ExtensionContentType, FindType) {
  Xslt::CExtensionContentType model(true);
  model.AddType(u"urn:p", u"a", 1, true, false);   // 0
  model.AddType(u"*", u"*", 0, false, false);       // 1
  model.AddType(u"urn:p", u"*", 2, false, false);   // 2
  model.AddType(u"urn:p", u"b", 3, false, true);    // 3
  model.AddType(u"urn:q", u"*", 4, false, false);   // 4
  model.AddType(u"urn:p", u"*", 5, false, false);   // 5
  model.AddType(u"*", u"*", 6, false, false);       // 6
  struct Case {
    const char16_t* namespaceUri;
    const char16_t* localName;
    int32_t item;
  } cases[] = {
      {u"urn:p", u"a", 0},
      {u"urn:p", u"b", 3},   // an exact match after a name wildcard still wins
      {u"urn:p", u"c", 2},   // the first name wildcard of the namespace
      {u"urn:q", u"a", 4},
      {u"urn:P", u"a", 1},   // namespaces compare exactly
      {u"", u"a", 1},
      {u"urn:p", u"A", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Core::ToUtf8(c.localName));
    EXPECT_EQ(model.FindType(c.namespaceUri, c.localName), c.item);
  }
  // Text goes to the wildcard added last.
  EXPECT_EQ(model.GetWildcardIndex(), 6);
  EXPECT_EQ(model.GetBlock(3), 3);
  EXPECT_TRUE(model.IsSingle(3));
  EXPECT_TRUE(model.IsRequired(0));
}

TEST(ExtensionContentType, WithoutWildcardsUnknownChildrenHaveNoItem) {
  Xslt::CExtensionContentType model(false);
  model.AddType(u"urn:p", u"a", 0, false, false);
  EXPECT_FALSE(model.IsOrdered());
  EXPECT_EQ(model.GetWildcardIndex(), -1);
  EXPECT_EQ(model.FindType(u"urn:p", u"b"), -1);
  EXPECT_EQ(model.FindType(u"urn:q", u"a"), -1);
  EXPECT_EQ(Xslt::CExtensionContentType(true).FindType(u"urn:p", u"a"), -1);
}

} // namespace
