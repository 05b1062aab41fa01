#include <gtest/gtest.h>

#include "xslt/processor/context/BindingTable.h"
#include "xslt/processor/context/ExternalParamList.h"
#include "xslt/processor/context/ParamList.h"

namespace {

Core::XInterface<Xpath::CValue> Text(const char16_t* text) {
  return Core::XInterface<Xpath::CValue>(new Xpath::CStringValue(text));
}

TEST(ExternalParamList, KeepsItemsInOrderOfAddition) {
  Core::XInterface<Xpath::CValue> one = Text(u"1"), two = Text(u"2"), empty = Text(u"v");
  Xslt::CExternalParamList list;
  list.Add(u"p:size", one.Get());
  list.Add(u"urn:x", u"size", two.Get());
  list.Add(u"p:size", two.Get());
  list.Add(u"", empty.Get());  // /P=v
  ASSERT_EQ(list.GetCount(), 4);
  EXPECT_EQ(one->GetUseCount(), 2);

  struct Case {
    const char16_t* qualifiedName;
    const char16_t* namespaceUri;
    const char16_t* localName;
    Xpath::CValue* value;
  } expected[] = {
      {u"p:size", u"", u"", one.Get()},
      {u"", u"urn:x", u"size", two.Get()},
      {u"p:size", u"", u"", two.Get()},
      {u"", u"", u"", empty.Get()},
  };
  for (int32_t i = 0; i < 4; ++i) {
    Core::String qualifiedName = u"stale", namespaceUri = u"stale", localName = u"stale";
    Xpath::CValue* value = nullptr;
    list.GetItem(i, qualifiedName, namespaceUri, localName, value);
    EXPECT_EQ(qualifiedName, expected[i].qualifiedName) << i;
    EXPECT_EQ(namespaceUri, expected[i].namespaceUri) << i;
    EXPECT_EQ(localName, expected[i].localName) << i;
    EXPECT_EQ(value, expected[i].value) << i;
  }

  Xslt::CExternalParamList copy = list;  // the processor's copy shares the values
  EXPECT_EQ(one->GetUseCount(), 3);
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(copy.GetCount(), 4);
  EXPECT_EQ(one->GetUseCount(), 2);
}

TEST(ParamList, OlderItemOfOneNameWins) {
  Core::XInterface<Xpath::CValue> first = Text(u"first"), second = Text(u"second"), other = Text(u"other");
  {
    XsltPrivate::CParamList list;
    list.Add(u"", u"x", first.Get());
    list.Add(u"", u"x", second.Get());
    list.Add(u"urn:n", u"x", other.Get());
    struct Case {
      const char16_t* namespaceUri;
      const char16_t* localName;
      Xpath::CValue* expected;
    } cases[] = {
        {u"", u"x", first.Get()},     {u"urn:n", u"x", other.Get()}, {u"", u"X", nullptr},
        {u"urn:N", u"x", nullptr},    {u"", u"", nullptr},           {u"urn:n", u"", nullptr},
    };
    for (const Case& c : cases) {
      EXPECT_EQ(list.Find(c.namespaceUri, c.localName), c.expected)
          << Core::ToUtf8(c.namespaceUri) << " " << Core::ToUtf8(c.localName);
    }
    EXPECT_EQ(first->GetUseCount(), 2);
  }
  EXPECT_EQ(first->GetUseCount(), 1);
}

TEST(ScopedBindingTable, InnerScopesHideOuterOnesUntilPopped) {
  XsltPrivate::CScopedBindingTable table;
  table.Add(u"", u"x", 1);
  table.Add(u"urn:n", u"x", 2);
  EXPECT_EQ(table.PushScope(), 1);
  table.Add(u"", u"x", 10);
  table.Add(u"", u"y", 11);
  table.Add(u"", u"y", 12);
  EXPECT_EQ(table.GetScopeEnd(), 5);

  struct Case {
    const char16_t* namespaceUri;
    const char16_t* localName;
    bool innermostOnly;
    bool found;
    int32_t value;
  } atLevel1[] = {
      {u"", u"x", false, true, 10},     {u"", u"y", false, true, 12},   {u"urn:n", u"x", false, true, 2},
      {u"urn:n", u"x", true, false, -1}, {u"", u"y", true, true, 12},   {u"", u"X", false, false, -1},
      {u"urn:N", u"x", false, false, -1},
  };
  for (const Case& c : atLevel1) {
    int32_t value = -1;
    EXPECT_EQ(table.Find(c.namespaceUri, c.localName, value, c.innermostOnly), c.found)
        << Core::ToUtf8(c.localName) << c.innermostOnly;
    EXPECT_EQ(value, c.value) << Core::ToUtf8(c.localName);
  }

  table.PushScope();
  table.PopScope();  // an empty scope leaves level 1 as it was
  EXPECT_EQ(table.GetScopeEnd(), 5);
  table.PopScope();
  EXPECT_EQ(table.GetLevel(), 0);
  EXPECT_EQ(table.GetScopeEnd(), 2);
  int32_t value = -1;
  EXPECT_TRUE(table.Find(u"", u"x", value, false));
  EXPECT_EQ(value, 1);
  // At level 0 the innermost-only flag makes no difference.
  EXPECT_TRUE(table.Find(u"urn:n", u"x", value, true));
  EXPECT_EQ(value, 2);
  EXPECT_FALSE(table.Find(u"", u"y", value, false));

  // Bindings added after a pop belong to the scope that is innermost again.
  table.PushScope();
  table.PopScope();
  table.Add(u"", u"z", 3);
  EXPECT_EQ(table.GetScopeEnd(), 3);
}

} // namespace
