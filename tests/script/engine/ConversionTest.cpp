#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "script/engine/ScriptExceptions.h"
#include "support/ScriptTestGlobal.h"

namespace {

using namespace ScriptTest;

std::string Describe(CScriptNumber n) {
  if (n.IsInteger()) return "i" + std::to_string(n.GetInteger());
  if (n.IsNegativeZero()) return "d-0";
  return "d" + Core::ToUtf8(n.ToString());
}

class Conversion : public CScriptTest {
protected:
  // An object whose valueOf and toString give the values (null: absent).
  XObject ObjectWith(XValue valueOf, XValue toString) {
    XObject o = global->NewObject();
    auto give = [](XValue v) {
      return [v](CExecutionContext&, CScriptObject*, const CArgumentList&) { return v; };
    };
    if (valueOf) DefineFunction(o.Get(), u"valueOf", give(valueOf));
    if (toString) DefineFunction(o.Get(), u"toString", give(toString));
    return o;
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

TEST_F(Conversion, ToNumberToStringToBoolean) {
  XObject three = ObjectWith(MakeNumber(3), MakeString(u"x"));
  struct Case {
    XValue value;
    const char* number;
    const char16_t* text;
    bool boolean;
  } cases[] = {
      {MakeUndefined(), "dNaN", u"undefined", false},
      {MakeNull(), "i0", u"null", false},
      {MakeBoolean(true), "i1", u"true", true},
      {MakeBoolean(false), "i0", u"false", false},
      {MakeString(u"  12  "), "i12", u"  12  ", true},
      {MakeString(u""), "i0", u"", false},
      {MakeString(u"abc"), "dNaN", u"abc", true},
      {MakeString(u"0"), "i0", u"0", true},
      {MakeNumber(CScriptNumber(-0.0)), "d-0", u"0", false},
      {MakeNumber(CScriptNumber::NaN), "dNaN", u"NaN", false},
      {MakeNumber(CScriptNumber(0.5)), "d0.5", u"0.5", true},
      {MakeNumber(0), "i0", u"0", false},
      // Objects: hint Number asks valueOf first, hint String toString.
      {MakeObject(three.Get()), "i3", u"x", true},
      {XValue(new CReferenceValue(nullptr, CPropertyName(u"r"))), "dNaN", u"undefined", false},
      {XValue(new CListValue()), "dNaN", u"undefined", false},
  };
  for (const auto& c : cases) {
    std::string label = Core::ToUtf8(c.text);
    EXPECT_EQ(Describe(ToNumber(context, c.value.Get())), c.number) << label;
    EXPECT_EQ(ToString(context, c.value.Get()), c.text) << label;
    EXPECT_EQ(ToBoolean(c.value.Get()), c.boolean) << label;
  }
}

TEST_F(Conversion, ObjectsThroughTheirMethods) {
  XObject other = global->NewObject();
  // toString gives an object, valueOf 3: ToString takes the 3.
  XObject a = ObjectWith(MakeNumber(3), MakeObject(other.Get()));
  EXPECT_EQ(ToString(context, MakeObject(a.Get()).Get()), u"3");
  // Both give objects: runtime error 0 with the object.
  XObject b = ObjectWith(MakeObject(other.Get()), MakeObject(other.Get()));
  EXPECT_EQ(ErrorCode([&] { ToString(context, MakeObject(b.Get()).Get()); }), CRuntimeError::NoDefaultValue);
  // Neither method exists at all.
  XObject bare(new CScriptObject(global.Get(), nullptr));
  EXPECT_EQ(ErrorCode([&] { ToNumber(context, MakeObject(bare.Get()).Get()); }), CRuntimeError::NoDefaultValue);

  // A DefaultValue that hands back an object is refused by ToPrimitive.
  class CBadDefault : public CScriptObject {
  public:
    using CScriptObject::CScriptObject;
    XValue DefaultValue(CExecutionContext&, int32_t) override { return MakeObject(this); }
  };
  XObject bad(new CBadDefault(global.Get(), nullptr));
  XValue badValue = MakeObject(bad.Get());
  try {
    ToPrimitive(context, badValue.Get(), HintNone);
    FAIL();
  } catch (const CRuntimeError& e) {
    EXPECT_EQ(e.GetCode(), CRuntimeError::IllegalDefaultValue);
    EXPECT_EQ(e.GetValue(), badValue.Get());
  }
  // Primitives, references and lists are returned themselves.
  XValue s = MakeString(u"s");
  EXPECT_EQ(ToPrimitive(context, s.Get(), HintNumber).Get(), s.Get());
  EXPECT_EQ(ToStringValue(context, s.Get()).Get(), s.Get());
  EXPECT_EQ(ToStringValue(context, MakeNumber(5).Get())->GetString(), u"5");
}

TEST_F(Conversion, IntegerConversions) {
  XValue v = MakeString(u"-1.5");
  EXPECT_EQ(Describe(ToInteger(context, v.Get())), "d-1");
  EXPECT_EQ(Describe(ToInt32(context, v.Get())), "d-1");
  EXPECT_EQ(Describe(ToUint32(context, v.Get())), "d4294967295");
  EXPECT_EQ(Describe(ToUint16(context, v.Get())), "d65535");
  EXPECT_EQ(Describe(ToInteger(context, MakeUndefined().Get())), "i0");
  EXPECT_EQ(Describe(ToUint32(context, MakeNumber(7).Get())), "i7");
}

TEST_F(Conversion, ToObjectMakesWrappers) {
  XObject b = ToObject(context, MakeBoolean(true).Get());
  EXPECT_EQ(b->GetClassName(), u"Boolean");
  EXPECT_EQ(b->GetPrototype(), global->GetBooleanPrototype());
  EXPECT_TRUE(b->GetPrimitiveValue()->GetBoolean());

  XObject n = ToObject(context, MakeNumber(CScriptNumber(2.5)).Get());
  EXPECT_EQ(n->GetClassName(), u"Number");
  EXPECT_EQ(n->GetPrototype(), global->GetNumberPrototype());
  EXPECT_EQ(n->GetPrimitiveValue()->GetNumber().ToDouble(), 2.5);

  XObject s = ToObject(context, MakeString(u"abc").Get());
  EXPECT_EQ(s->GetClassName(), u"String");
  EXPECT_EQ(s->GetPrototype(), global->GetStringPrototype());
  EXPECT_EQ(s->GetPrimitiveValue()->GetString(), u"abc");

  XObject o = global->NewObject();
  EXPECT_EQ(ToObject(context, MakeObject(o.Get()).Get()).Get(), o.Get());

  XValue null = MakeNull();
  try {
    ToObject(context, null.Get());
    FAIL();
  } catch (const CRuntimeError& e) {
    EXPECT_EQ(e.GetCode(), CRuntimeError::ToObjectIllegalType);
    EXPECT_EQ(e.GetValue(), null.Get());
    EXPECT_EQ(e.GetMessage(), u"ECMAScript runtime error: Cannot convert to object: illegal value type");
  }
  EXPECT_EQ(ErrorCode([&] { ToObject(context, MakeUndefined().Get()); }), CRuntimeError::ToObjectIllegalType);
}

TEST_F(Conversion, References) {
  XValue number = MakeNumber(4);
  EXPECT_EQ(GetValue(context, number.Get()).Get(), number.Get());

  // An undeclared identifier cannot be read; assigning to it makes a
  // property of the global object.
  XValue ref = MakeReference(context, CPropertyName(u"undeclared"));
  EXPECT_EQ(GetBase(ref.Get()), nullptr);
  EXPECT_EQ(GetPropertyName(context, ref.Get()).GetText(), u"undeclared");
  try {
    GetValue(context, ref.Get());
    FAIL();
  } catch (const CRuntimeError& e) {
    EXPECT_EQ(e.GetCode(), CRuntimeError::GetValueInvalidReference);
    EXPECT_EQ(e.GetValue(), ref.Get());
    EXPECT_EQ(e.GetMessage(), u"ECMAScript runtime error: GetValue: invalid reference");
  }
  PutValue(context, ref.Get(), MakeNumber(9).Get());
  XValue again = MakeReference(context, CPropertyName(u"undeclared"));
  EXPECT_EQ(GetBase(again.Get()), global.Get());
  EXPECT_EQ(GetValue(context, again.Get())->GetNumber().GetInteger(), 9);

  // The innermost scope wins (a with block appends its object).
  XObject scope = global->NewObject();
  scope->Put(context, CPropertyName(u"undeclared"), MakeString(u"inner").Get());
  context.GetScopeChain().Append(scope);
  XValue inner = MakeReference(context, CPropertyName(u"undeclared"));
  EXPECT_EQ(GetBase(inner.Get()), scope.Get());
  EXPECT_EQ(GetValue(context, inner.Get())->GetString(), u"inner");
  context.GetScopeChain().RemoveLast();

  EXPECT_EQ(ErrorCode([&] { GetBase(number.Get()); }), CRuntimeError::GetBaseNotReference);
  EXPECT_EQ(ErrorCode([&] { GetPropertyName(context, number.Get()); }), CRuntimeError::GetPropertyNameNotReference);
  EXPECT_EQ(ErrorCode([&] { PutValue(context, number.Get(), number.Get()); }), CRuntimeError::PutValueNotReference);
}

TEST_F(Conversion, ArgumentsAndValueAccessors) {
  CArgumentList args;
  args.Append(MakeNumber(1));
  EXPECT_EQ(GetArgument(args, 0)->GetNumber().GetInteger(), 1);
  EXPECT_EQ(GetArgument(args, 1)->GetType(), CValue::UndefinedType);
  EXPECT_EQ(GetArgument(args, -1)->GetType(), CValue::UndefinedType);
  // The getters answer harmlessly on values of another type.
  EXPECT_EQ(MakeString(u"5")->GetNumber().GetInteger(), 0);
  EXPECT_EQ(MakeNumber(5)->GetObject(), nullptr);
  EXPECT_EQ(MakeNumber(5)->GetString(), u"");
  EXPECT_FALSE(MakeString(u"x")->GetBoolean());
  EXPECT_EQ(MakeNull()->GetReference(), nullptr);
  EXPECT_EQ(MakeNull()->GetList(), nullptr);
}

} // namespace
