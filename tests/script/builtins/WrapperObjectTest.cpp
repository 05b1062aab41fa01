#include <gtest/gtest.h>

#include "support/ScriptTestGlobal.h"

namespace {

using namespace ScriptTest;

class WrapperObject : public CScriptTest {
protected:
  XValue Get(CScriptObject* object, const char16_t* name) { return object->Get(context, CPropertyName(name)); }
  int32_t NumberOfLength(CScriptObject* object) { return Get(object, u"length")->GetNumber().GetInteger(); }
};

TEST_F(WrapperObject, ClassNamesAndPrimitiveValues) {
  XObject t(new CBooleanObject(global.Get(), true));
  XObject n(new CNumberObject(global.Get(), CScriptNumber(7)));
  XObject d(new CNumberObject(global.Get(), CScriptNumber(7.0)));
  XObject s(new CStringObject(global.Get(), u"ab"));
  struct Case {
    CScriptObject* object;
    const char16_t* className;
    CScriptObject* prototype;
    const char16_t* text;
  } cases[] = {
      {t.Get(), u"Boolean", global->GetBooleanPrototype(), u"true"},
      {n.Get(), u"Number", global->GetNumberPrototype(), u"7"},
      {d.Get(), u"Number", global->GetNumberPrototype(), u"7"},
      {s.Get(), u"String", global->GetStringPrototype(), u"ab"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.object->GetClassName(), c.className);
    EXPECT_EQ(c.object->GetTypeOf(), u"object");
    EXPECT_EQ(c.object->GetPrototype(), c.prototype);
    XValue primitive = c.object->GetPrimitiveValue();
    ASSERT_TRUE(primitive);
    EXPECT_TRUE(primitive->IsPrimitive());
    EXPECT_EQ(ToString(context, primitive.Get()), c.text);
    // An object converts to true, whatever it wraps.
    EXPECT_TRUE(ToBoolean(MakeObject(c.object).Get()));
  }
  // The number keeps its form.
  EXPECT_TRUE(n->GetPrimitiveValue()->GetNumber().IsInteger());
  EXPECT_FALSE(d->GetPrimitiveValue()->GetNumber().IsInteger());
  // Each call hands out a new value holding the primitive.
  EXPECT_NE(s->GetPrimitiveValue().Get(), s->GetPrimitiveValue().Get());
}

TEST_F(WrapperObject, StringLengthIsFixed) {
  XObject s(new CStringObject(global.Get(), u"ab"));
  EXPECT_EQ(Get(s.Get(), u"length")->GetNumber().GetInteger(), 2);
  s->Put(context, CPropertyName(u"length"), MakeNumber(9).Get());
  EXPECT_EQ(Get(s.Get(), u"length")->GetNumber().GetInteger(), 2);
  EXPECT_FALSE(s->Delete(context, CPropertyName(u"length")));
  EXPECT_FALSE(s->CanPut(context, CPropertyName(u"length")));
  CPropertyName name;
  EXPECT_FALSE(s->GetEnumerator()->Next(name));
  // Code units, not characters: a surrogate pair counts two.
  XObject pair(new CStringObject(global.Get(), u"\U0001F600"));
  EXPECT_EQ(Get(pair.Get(), u"length")->GetNumber().GetInteger(), 2);
  // An object inheriting from a String object reads its length.
  XObject child(new CScriptObject(global.Get(), s.Get()));
  EXPECT_EQ(Get(child.Get(), u"length")->GetNumber().GetInteger(), 2);
  // The prototype form: String.prototype holds the empty string.
  XObject proto(new CStringObject(global.Get(), global->GetObjectPrototype(), u""));
  EXPECT_EQ(Get(proto.Get(), u"length")->GetNumber().GetInteger(), 0);
  EXPECT_EQ(proto->GetPrototype(), global->GetObjectPrototype());
}

TEST_F(WrapperObject, PrototypeForms) {
  XObject b(new CBooleanObject(global.Get(), global->GetObjectPrototype(), false));
  XObject n(new CNumberObject(global.Get(), global->GetObjectPrototype(), CScriptNumber(0)));
  EXPECT_EQ(b->GetPrototype(), global->GetObjectPrototype());
  EXPECT_EQ(n->GetPrototype(), global->GetObjectPrototype());
  EXPECT_FALSE(b->GetPrimitiveValue()->GetBoolean());
  EXPECT_EQ(n->GetPrimitiveValue()->GetNumber().GetInteger(), 0);
}

// Methods of a wrapper's prototype are found through ToObject, as
// 'abc'.method() will find them.
TEST_F(WrapperObject, PrimitiveReachesPrototypeMethods) {
  DefineFunction(global->GetStringPrototype(), u"twice",
                 [](CExecutionContext& context, CScriptObject* thisObject, const CArgumentList&) {
                   Core::String s = ToString(context, thisObject->GetPrimitiveValue().Get());
                   return MakeString(s + s);
                 });
  XObject wrapper = ToObject(context, MakeString(u"ab").Get());
  XValue method = Get(wrapper.Get(), u"twice");
  EXPECT_EQ(method->GetObject()->Call(context, wrapper.Get(), CArgumentList())->GetString(), u"abab");
}

// 'text'.method() wraps the string for each call: the wrapper and the values
// it hands out share the text, so a loop of method calls over a long string
// does not copy it each time. A value that shares its text with a wrapper
// no longer grows in place, so concatenation leaves the wrapper's text alone.
TEST_F(WrapperObject, WrapperSharesTheTextOfItsString) {
  XValue text = MakeString(Core::String(100000, u'x'));
  XObject wrapper = ToObject(context, text.Get());
  auto* string = static_cast<CStringObject*>(wrapper.Get());
  EXPECT_EQ(string->GetValue().data(), text->GetString().data());
  EXPECT_EQ(string->GetPrimitiveValue()->GetString().data(), string->GetValue().data());
  XValue longer = CStringValue::Concatenate(static_cast<CStringValue*>(text.Get()), u"y");
  EXPECT_EQ(longer->GetString().size(), 100001u);
  EXPECT_EQ(string->GetValue().size(), 100000u);
  EXPECT_EQ(NumberOfLength(wrapper.Get()), 100000);
}

} // namespace
