#include <gtest/gtest.h>

#include <optional>

#include "xml/xslt/SpaceHandler.h"

namespace {

using Core::StringView;
using Xslt::CSpaceHandler;

constexpr std::nullopt_t kAny = std::nullopt;

TEST(SpaceHandler, WithoutRulesKeepsEverything) {
  CSpaceHandler rules;
  EXPECT_TRUE(rules.IsEnabled());
  EXPECT_TRUE(rules.IsSpacePreserved(u"", u"a"));
  EXPECT_TRUE(rules.IsSpacePreserved(u"urn:x", u"a"));
}

TEST(SpaceHandler, MostSpecificRuleDecidesWhateverThePrecedence) {
  CSpaceHandler rules;
  rules.AddRule(kAny, kAny, 1, false);                        // strip *
  rules.AddRule(StringView(), StringView(u"pre"), 1, true);  // preserve pre
  rules.AddRule(StringView(u"urn:k"), kAny, 0, true);        // preserve k:*, lower precedence
  rules.AddRule(StringView(u"urn:k"), StringView(u"s"), 0, false);
  struct Case {
    const char16_t* uri;
    const char16_t* local;
    bool preserved;
  } const cases[] = {
      {u"", u"pre", true},       {u"", u"other", false},  {u"urn:x", u"pre", false},
      {u"urn:k", u"pre", true},  {u"urn:k", u"s", false}, {u"urn:kk", u"a", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(rules.IsSpacePreserved(c.uri, c.local), c.preserved) << Core::ToUtf8(c.uri) << " " << Core::ToUtf8(c.local);

  // An imported module strips foo, the importing one preserves "*": the
  // name rule still wins.
  CSpaceHandler imported;
  imported.AddRule(StringView(), StringView(u"foo"), 1, false);
  imported.AddRule(kAny, kAny, 2, true);
  EXPECT_FALSE(imported.IsSpacePreserved(u"", u"foo"));
  EXPECT_TRUE(imported.IsSpacePreserved(u"", u"bar"));
}

TEST(SpaceHandler, PrecedenceOfRulesForOneTest) {
  for (bool higherFirst : {true, false}) {
    CSpaceHandler rules;
    if (higherFirst) {
      EXPECT_TRUE(rules.AddRule(StringView(), StringView(u"foo"), 1, false));
      EXPECT_TRUE(rules.AddRule(StringView(), StringView(u"foo"), 0, true));  // kept out
    } else {
      EXPECT_TRUE(rules.AddRule(StringView(), StringView(u"foo"), 0, true));
      EXPECT_TRUE(rules.AddRule(StringView(), StringView(u"foo"), 1, false));
    }
    EXPECT_FALSE(rules.IsSpacePreserved(u"", u"foo"));
  }
  // Equal precedence: the later declaration wins and the add answers false.
  CSpaceHandler rules;
  EXPECT_TRUE(rules.AddRule(kAny, kAny, 3, true));
  EXPECT_FALSE(rules.AddRule(kAny, kAny, 3, false));
  EXPECT_FALSE(rules.IsSpacePreserved(u"", u"a"));
  EXPECT_TRUE(rules.AddRule(StringView(u"urn:n"), kAny, 3, false));
  EXPECT_FALSE(rules.AddRule(StringView(u"urn:n"), kAny, 3, true));
  EXPECT_TRUE(rules.IsSpacePreserved(u"urn:n", u"a"));
}

TEST(SpaceHandler, ManyNamesAndNamespaces) {
  CSpaceHandler rules;
  for (int n = 0; n < 50; ++n) {
    Core::String uri = u"urn:" + Core::FromUtf8(std::to_string(n));
    for (int l = 0; l < 20; ++l)
      rules.AddRule(StringView(uri), StringView(u"e" + Core::FromUtf8(std::to_string(l))), 0, (n + l) % 2 == 0);
  }
  for (int n = 0; n < 50; ++n) {
    Core::String uri = u"urn:" + Core::FromUtf8(std::to_string(n));
    for (int l = 0; l < 20; ++l)
      EXPECT_EQ(rules.IsSpacePreserved(uri, u"e" + Core::FromUtf8(std::to_string(l))), (n + l) % 2 == 0);
    EXPECT_TRUE(rules.IsSpacePreserved(uri, u"other"));
  }
}

} // namespace
