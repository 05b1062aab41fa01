#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/builtins/ArrayObject.h"
#include "script/engine/ScriptExceptions.h"
#include "support/ScriptTestGlobal.h"

namespace {

using namespace ScriptTest;

class ArrayObject : public CScriptTest {
protected:
  XObject NewArray() { return XObject(new CArrayInstance(global.Get())); }
  XObject NewArray(uint32_t length) { return XObject(new CArrayInstance(global.Get(), length)); }
  static CArrayObject* A(const XObject& o) { return static_cast<CArrayObject*>(o.Get()); }

  XValue Get(CScriptObject* o, const CPropertyName& name) { return o->Get(context, name); }
  XValue Get(CScriptObject* o, const char16_t* name) { return Get(o, CPropertyName(name)); }
  void Put(CScriptObject* o, const CPropertyName& name, XValue value) { o->Put(context, name, value.Get()); }
  void Put(CScriptObject* o, const char16_t* name, XValue value) { Put(o, CPropertyName(name), value); }
  std::string Length(CScriptObject* o) { return Core::ToUtf8(ToString(context, Get(o, u"length").Get())); }
  std::vector<std::string> Enumerate(CScriptObject* o) {
    std::vector<std::string> names;
    auto e = o->GetEnumerator();
    CPropertyName name;
    while (e->Next(name)) names.push_back(Core::ToUtf8(name.GetText()));
    return names;
  }
  template <class F>
  int32_t ErrorCode(F f) {
    try {
      f();
    } catch (const CRuntimeError& e) {
      return e.GetCode();
    }
    return -1;
  }
};

TEST_F(ArrayObject, IsArrayIndex) {
  struct Case {
    const char16_t* text;
    bool index;
    uint32_t value;
  } cases[] = {
      {u"0", true, 0},           {u"2", true, 2},          {u"02", false, 0},    {u"-1", false, 0},
      {u"1.0", false, 0},        {u"1e3", false, 0},       {u" 1", false, 0},    {u"", false, 0},
      {u"4294967294", true, 4294967294u},                  {u"4294967295", false, 0},
      {u"4294967296", false, 0}, {u"99999999999", false, 0}, {u"length", false, 0}, {u"+1", false, 0},
  };
  for (const auto& c : cases) {
    uint32_t index = 0;
    EXPECT_EQ(CArrayObject::IsArrayIndex(CPropertyName(c.text), index), c.index) << Core::ToUtf8(c.text);
    if (c.index) {
      EXPECT_EQ(index, c.value);
    }
  }
  uint32_t index = 0;
  EXPECT_TRUE(CArrayObject::IsArrayIndex(CPropertyName::FromIndex(7), index));
  EXPECT_EQ(index, 7u);
}

TEST_F(ArrayObject, ElementsAndLength) {
  XObject a = NewArray();
  EXPECT_EQ(a->GetClassName(), u"Array");
  EXPECT_EQ(Length(a.Get()), "0");
  Put(a.Get(), u"5", MakeNumber(1));
  EXPECT_EQ(Length(a.Get()), "6");
  // The text and the integer form name the same element.
  EXPECT_EQ(Get(a.Get(), CPropertyName::FromIndex(5))->GetNumber().GetInteger(), 1);
  EXPECT_FALSE(a->HasProperty(context, CPropertyName(u"0")));
  EXPECT_TRUE(a->HasProperty(context, CPropertyName(u"length")));
  // '02' and 4294967295 are ordinary properties and leave the length alone.
  Put(a.Get(), u"02", MakeNumber(2));
  Put(a.Get(), u"4294967295", MakeNumber(3));
  EXPECT_EQ(Length(a.Get()), "6");
  EXPECT_EQ(Get(a.Get(), u"02")->GetNumber().GetInteger(), 2);
  EXPECT_EQ(Get(a.Get(), u"2")->GetType(), CValue::UndefinedType);

  Put(a.Get(), u"length", MakeNumber(2));
  EXPECT_EQ(Length(a.Get()), "2");
  EXPECT_EQ(Get(a.Get(), u"5")->GetType(), CValue::UndefinedType);
  Put(a.Get(), u"length", MakeString(u"10"));
  EXPECT_EQ(Length(a.Get()), "10");
  EXPECT_FALSE(a->HasProperty(context, CPropertyName(u"5")));

  // Delete makes a hole and keeps the length; 'length' cannot go.
  Put(a.Get(), u"0", MakeNumber(1));
  EXPECT_TRUE(a->Delete(context, CPropertyName(u"0")));
  EXPECT_TRUE(a->Delete(context, CPropertyName(u"0")));
  EXPECT_FALSE(a->HasProperty(context, CPropertyName(u"0")));
  EXPECT_FALSE(a->Delete(context, CPropertyName(u"length")));
  EXPECT_EQ(Length(a.Get()), "10");
}

TEST_F(ArrayObject, InvalidLengthLeavesTheArrayAlone) {
  XObject a = NewArray();
  Put(a.Get(), u"3", MakeNumber(1));
  const XValue bad[] = {MakeNumber(-1), MakeNumber(1.5), MakeNumber(4294967296.0), MakeString(u"x"),
                        MakeNumber(CScriptNumber::PositiveInfinity), MakeUndefined()};
  for (const XValue& v : bad) {
    EXPECT_EQ(ErrorCode([&] { Put(a.Get(), u"length", v); }), CRuntimeError::InvalidArrayLength);
    EXPECT_EQ(Length(a.Get()), "4");
  }
  // Negative zero is 0.
  Put(a.Get(), u"length", MakeNumber(CScriptNumber::NegativeZero));
  EXPECT_EQ(Length(a.Get()), "0");
}

// Every length up to 2^32 - 1 works, without a slot per index.
TEST_F(ArrayObject, HugeLengthsAndIndices) {
  XObject a = NewArray(4294967295u);
  EXPECT_EQ(Length(a.Get()), "4294967295");
  EXPECT_EQ(Enumerate(a.Get()), std::vector<std::string>{});

  XObject b = NewArray();
  Put(b.Get(), u"4000000000", MakeNumber(1));
  Put(b.Get(), u"7", MakeNumber(2));
  Put(b.Get(), u"3000000000", MakeNumber(3));
  EXPECT_EQ(Length(b.Get()), "4000000001");
  EXPECT_EQ(Get(b.Get(), u"4000000000")->GetNumber().GetInteger(), 1);
  EXPECT_EQ(Enumerate(b.Get()), (std::vector<std::string>{"7", "3000000000", "4000000000"}));
  Put(b.Get(), u"length", MakeNumber(4e9));
  EXPECT_EQ(Enumerate(b.Get()), (std::vector<std::string>{"7", "3000000000"}));
  EXPECT_EQ(A(b)->GetElementCount(), 2u);
  Put(b.Get(), u"length", MakeNumber(3e9));
  EXPECT_EQ(Enumerate(b.Get()), std::vector<std::string>{"7"});
  Put(b.Get(), u"4294967294", MakeNumber(4));
  EXPECT_EQ(Length(b.Get()), "4294967295");
}

// Filling from the end, or far apart, ends in the right elements whatever
// store holds them.
TEST_F(ArrayObject, FillOrders) {
  const uint32_t n = 5000;
  XObject down = NewArray(), spread = NewArray();
  for (uint32_t k = n; k-- > 0;) A(down)->SetElement(k, MakeNumber(static_cast<int32_t>(k)).Get());
  for (uint32_t k = 0; k < n; ++k) A(spread)->SetElement(k * 800003u, MakeNumber(static_cast<int32_t>(k)).Get());
  EXPECT_EQ(A(down)->GetElementCount(), n);
  EXPECT_EQ(A(spread)->GetElementCount(), n);
  for (uint32_t k = 0; k < n; ++k) {
    ASSERT_EQ(A(down)->GetElement(k)->GetNumber().GetInteger(), static_cast<int32_t>(k));
    ASSERT_EQ(A(spread)->GetElement(k * 800003u)->GetNumber().GetInteger(), static_cast<int32_t>(k));
  }
  EXPECT_EQ(A(spread)->GetElement(1), nullptr);
  uint32_t index;
  ASSERT_TRUE(A(spread)->FindPresentIndex(1, index));
  EXPECT_EQ(index, 800003u);
  // Shrinking drops the tail of either store.
  A(spread)->SetLength(2 * 800003u);
  EXPECT_EQ(A(spread)->GetElementCount(), 2u);
  A(down)->SetLength(10);
  EXPECT_EQ(A(down)->GetElementCount(), 10u);
}

TEST_F(ArrayObject, MissingElementsReadThroughThePrototype) {
  XObject a = NewArray(3);
  Put(global->GetArrayPrototype(), u"1", MakeString(u"p"));
  EXPECT_EQ(Get(a.Get(), u"1")->GetString(), u"p");
  EXPECT_TRUE(a->HasProperty(context, CPropertyName(u"1")));
  EXPECT_EQ(Get(a.Get(), u"0")->GetType(), CValue::UndefinedType);
  // Enumeration lists own elements only.
  EXPECT_EQ(Enumerate(a.Get()), std::vector<std::string>{});
}

TEST_F(ArrayObject, EnumerationOrder) {
  XObject a = NewArray();
  Put(a.Get(), u"2", MakeNumber(1));
  Put(a.Get(), u"x", MakeNumber(1));
  Put(a.Get(), u"0", MakeNumber(1));
  Put(a.Get(), u"5000000", MakeNumber(1));
  EXPECT_EQ(Enumerate(a.Get()), (std::vector<std::string>{"x", "0", "2", "5000000"}));

  // Elements stored or deleted ahead of the walk are seen or skipped.
  auto e = a->GetEnumerator();
  CPropertyName name;
  ASSERT_TRUE(e->Next(name));  // x
  ASSERT_TRUE(e->Next(name));  // 0
  Put(a.Get(), u"1", MakeNumber(1));
  a->Delete(context, CPropertyName(u"2"));
  ASSERT_TRUE(e->Next(name));
  EXPECT_EQ(name.GetText(), u"1");
  ASSERT_TRUE(e->Next(name));
  EXPECT_EQ(name.GetText(), u"5000000");
  EXPECT_FALSE(e->Next(name));
  EXPECT_FALSE(e->Next(name));
}

TEST_F(ArrayObject, ConstructedFromAList) {
  CArgumentList list;
  list.Append(MakeNumber(1));
  list.Append(MakeString(u"b"));
  XObject a(new CArrayInstance(global.Get(), list));
  EXPECT_EQ(Length(a.Get()), "2");
  EXPECT_EQ(Get(a.Get(), u"1")->GetString(), u"b");
  EXPECT_EQ(a->GetPrototype(), global->GetArrayPrototype());
}

// An array holding itself is freed at shutdown (the sanitizer run would
// report the leak).
TEST_F(ArrayObject, CyclesAreClearedAtShutdown) {
  XObject a = NewArray();
  Put(a.Get(), u"0", MakeObject(a.Get()));
  Put(a.Get(), u"9999999", MakeObject(a.Get()));
}

TEST_F(ArrayObject, IndexCandidates) {
  XObject a = NewArray(4000000000u);
  Put(a.Get(), u"3999999999", MakeNumber(1));
  Put(a.Get(), u"3", MakeNumber(1));
  Put(global->GetObjectPrototype(), u"7", MakeNumber(1));
  Put(global->GetArrayPrototype(), u"3", MakeNumber(1));
  std::vector<uint32_t> out;
  ASSERT_TRUE(CollectIndexCandidates(a.Get(), 4000000000u, out));
  EXPECT_EQ(out, (std::vector<uint32_t>{3, 7, 3999999999u}));
  ASSERT_TRUE(CollectIndexCandidates(a.Get(), 5, out));
  EXPECT_EQ(out, (std::vector<uint32_t>{3}));
}

} // namespace
