#include <gtest/gtest.h>

#include "xpath/Value.h"
#include "xslt/processor/context/VariableTable.h"

namespace {

using XsltPrivate::CTopLevelVariableTable;
using XsltPrivate::CVariableTable;

Core::XInterface<Xpath::CValue> Text(const char16_t* text) { return new Xpath::CStringValue(text); }

std::u16string Lookup(Xpath::CVariableBindingSet& bindings, const char16_t* name, const char16_t* uri = u"") {
  Core::XInterface<Xpath::CValue> value = bindings.GetValue(uri, name);
  return value ? value->GetString() : u"<unbound>";
}

class VariableTable : public testing::Test {
protected:
  Core::XInterface<CTopLevelVariableTable> globals{new CTopLevelVariableTable()};
  Core::XInterface<CVariableTable> locals{new CVariableTable(globals.Get())};
};

TEST_F(VariableTable, InnerScopesHideAndPopRestores) {
  ASSERT_TRUE(locals->Bind(u"", u"x", Text(u"outer").Get()));
  locals->PushScope();
  EXPECT_EQ(Lookup(*locals, u"x"), u"outer");
  ASSERT_TRUE(locals->Bind(u"", u"x", Text(u"inner").Get()));
  EXPECT_EQ(Lookup(*locals, u"x"), u"inner");
  EXPECT_EQ(Lookup(*locals, u"x", u"urn:other"), u"<unbound>");
  locals->PopScope();
  EXPECT_EQ(Lookup(*locals, u"x"), u"outer");
  EXPECT_EQ(Lookup(*locals, u"y"), u"<unbound>");
}

TEST_F(VariableTable, ANameTwiceInOneScopeIsRefused) {
  ASSERT_TRUE(locals->Bind(u"", u"x", Text(u"1").Get()));
  locals->PushScope();
  ASSERT_TRUE(locals->Bind(u"", u"y", Text(u"2").Get()));
  EXPECT_FALSE(locals->Bind(u"", u"y", Text(u"3").Get()));
  EXPECT_TRUE(locals->Bind(u"", u"x", Text(u"4").Get()));  // the outer scope's x is shadowed, not duplicated
  EXPECT_TRUE(locals->Bind(u"urn:a", u"y", Text(u"5").Get()));
  EXPECT_EQ(Lookup(*locals, u"y"), u"2");
}

// A value made lazily keeps seeing what was visible where it was made.
TEST_F(VariableTable, SnapshotsIgnoreLaterBindingsAndPops) {
  ASSERT_TRUE(locals->Bind(u"", u"x", Text(u"first").Get()));
  Core::XInterface<Xpath::CVariableBindingSet> before = locals->GetSnapshot();
  EXPECT_EQ(before, locals->GetSnapshot());  // unchanged table, one snapshot
  locals->PushScope();
  ASSERT_TRUE(locals->Bind(u"", u"x", Text(u"nested").Get()));
  ASSERT_TRUE(locals->Bind(u"", u"y", Text(u"new").Get()));
  Core::XInterface<Xpath::CVariableBindingSet> inside = locals->GetSnapshot();
  EXPECT_EQ(Lookup(*before, u"x"), u"first");
  EXPECT_EQ(Lookup(*before, u"y"), u"<unbound>");
  locals->PopScope();
  EXPECT_EQ(Lookup(*inside, u"x"), u"nested");  // the popped bindings live on in the snapshot
  EXPECT_EQ(Lookup(*inside, u"y"), u"new");
  EXPECT_EQ(Lookup(*locals, u"y"), u"<unbound>");
}

TEST_F(VariableTable, LongChainsAreReleasedWithoutRecursion) {
  for (int i = 0; i < 300000; ++i) {
    locals->PushScope();
    locals->Bind(u"", u"v", nullptr);
  }
  Core::XInterface<Xpath::CVariableBindingSet> snapshot = locals->GetSnapshot();
  locals->Clear();
  snapshot = nullptr;
  SUCCEED();
}

} // namespace
