#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/engine/ScriptExceptions.h"
#include "support/ScriptTestGlobal.h"

namespace {

using namespace ScriptTest;

std::string Text(const CPropertyName& name) { return Core::ToUtf8(name.GetText()); }

class ScriptObject : public CScriptTest {
protected:
  XValue Get(CScriptObject* object, const char16_t* name) { return object->Get(context, CPropertyName(name)); }
  void Put(CScriptObject* object, const char16_t* name, XValue value) {
    object->Put(context, CPropertyName(name), value.Get());
  }
  std::vector<std::string> Enumerate(CScriptObject* object) {
    std::vector<std::string> names;
    auto e = object->GetEnumerator();
    CPropertyName name;
    while (e->Next(name)) names.push_back(Text(name));
    return names;
  }
  // The code of the runtime error thrown by f, or -1.
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

TEST_F(ScriptObject, MissingPropertyAlongTheChain) {
  XObject o = global->NewObject();
  XValue v = Get(o.Get(), u"nothing");
  EXPECT_EQ(v->GetType(), CValue::UndefinedType);
  EXPECT_FALSE(o->HasProperty(context, CPropertyName(u"nothing")));
  EXPECT_TRUE(o->Delete(context, CPropertyName(u"nothing")));
  EXPECT_TRUE(o->CanPut(context, CPropertyName(u"nothing")));

  // Found on the prototype, own properties shadow it.
  Put(global->GetObjectPrototype(), u"shared", MakeNumber(1));
  EXPECT_EQ(Get(o.Get(), u"shared")->GetNumber().GetInteger(), 1);
  Put(o.Get(), u"shared", MakeNumber(2));
  EXPECT_EQ(Get(o.Get(), u"shared")->GetNumber().GetInteger(), 2);
  EXPECT_EQ(Get(global->GetObjectPrototype(), u"shared")->GetNumber().GetInteger(), 1);
  // Delete does not reach the prototype.
  EXPECT_TRUE(o->Delete(context, CPropertyName(u"shared")));
  EXPECT_EQ(Get(o.Get(), u"shared")->GetNumber().GetInteger(), 1);
}

TEST_F(ScriptObject, AttributesGovernPutAndDelete) {
  XObject proto = global->NewObject();
  XObject o(new CScriptObject(global.Get(), proto.Get()));
  proto->DefineNumberProperty(CPropertyName(u"fixed"), CScriptNumber(1), ReadOnly);
  // A ReadOnly property of the prototype stops the own property silently.
  Put(o.Get(), u"fixed", MakeNumber(5));
  EXPECT_EQ(o->GetPropertyTable().GetCount(), 0);
  EXPECT_EQ(Get(o.Get(), u"fixed")->GetNumber().GetInteger(), 1);
  Put(proto.Get(), u"fixed", MakeNumber(5));
  EXPECT_EQ(Get(proto.Get(), u"fixed")->GetNumber().GetInteger(), 1);

  o->DefineNumberProperty(CPropertyName(u"kept"), CScriptNumber(3), DontDelete);
  EXPECT_FALSE(o->Delete(context, CPropertyName(u"kept")));
  Put(o.Get(), u"kept", MakeNumber(4));
  EXPECT_EQ(Get(o.Get(), u"kept")->GetNumber().GetInteger(), 4);
  // Put keeps the attributes of an existing property.
  EXPECT_FALSE(o->Delete(context, CPropertyName(u"kept")));
}

TEST_F(ScriptObject, DefineOwnProperty) {
  XObject o = global->NewObject();
  o->DefineOwnProperty(CPropertyName(u"x"), MakeNumber(1).Get(), DontDelete, false);
  o->DefineOwnProperty(CPropertyName(u"x"), MakeNumber(2).Get(), 0, false);
  EXPECT_EQ(Get(o.Get(), u"x")->GetNumber().GetInteger(), 1);
  EXPECT_FALSE(o->Delete(context, CPropertyName(u"x")));
  o->DefineOwnProperty(CPropertyName(u"x"), MakeNumber(3).Get(), ReadOnly, true);
  EXPECT_EQ(Get(o.Get(), u"x")->GetNumber().GetInteger(), 3);
  EXPECT_FALSE(o->CanPut(context, CPropertyName(u"x")));
  EXPECT_TRUE(o->Delete(context, CPropertyName(u"x")));
}

TEST_F(ScriptObject, EnumerationInSlotOrderWithoutDontEnum) {
  XObject o = global->NewObject();
  Put(o.Get(), u"b", MakeNumber(1));
  Put(o.Get(), u"a", MakeNumber(2));
  o->DefineNumberProperty(CPropertyName(u"c"), CScriptNumber(3), DontEnum);
  Put(global->GetObjectPrototype(), u"inherited", MakeNumber(4));
  // "a" hashes to slot 1 of 4, "b" to slot 2: slot order, not insertion order.
  EXPECT_EQ(Enumerate(o.Get()), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ScriptObject, EnumeratorSurvivesGrowthAndRemoval) {
  XObject o = global->NewObject();
  for (const char16_t* n : {u"a", u"b", u"c"}) Put(o.Get(), n, MakeNumber(0));
  auto e = o->GetEnumerator();
  CPropertyName name;
  ASSERT_TRUE(e->Next(name));
  // Growing the table and removing entries while enumerating: the
  // enumerator keeps a position, so it neither crashes nor loops forever.
  for (int i = 0; i < 100; ++i) {
    Core::String name16 = u"n" + Core::FromUtf8(std::to_string(i));
    o->Put(context, CPropertyName(name16), MakeNumber(i).Get());
  }
  o->Delete(context, CPropertyName(u"b"));
  int n = 0;
  while (e->Next(name) && n < 1000) ++n;
  EXPECT_LT(n, 1000);
  EXPECT_FALSE(e->Next(name));
}

TEST_F(ScriptObject, DefaultValueOrderAndFailures) {
  XObject o = global->NewObject();
  XObject other = global->NewObject();
  auto returns = [](XValue v) {
    return [v](CExecutionContext&, CScriptObject*, const CArgumentList&) { return v; };
  };
  // valueOf gives an object, so toString's string is taken (hint Number).
  DefineFunction(o.Get(), u"valueOf", returns(MakeObject(other.Get())));
  DefineFunction(o.Get(), u"toString", returns(MakeString(u"text")));
  EXPECT_EQ(o->DefaultValue(context, HintNumber)->GetString(), u"text");
  // Hint String asks toString first; an unknown hint behaves as String.
  DefineFunction(o.Get(), u"valueOf", returns(MakeNumber(7)));
  EXPECT_EQ(o->DefaultValue(context, HintString)->GetString(), u"text");
  EXPECT_EQ(o->DefaultValue(context, 9)->GetString(), u"text");
  EXPECT_EQ(o->DefaultValue(context, HintNone)->GetNumber().GetInteger(), 7);

  // A valueOf that is a Number value, not an object, is passed over.
  XObject p = global->NewObject();
  Put(p.Get(), u"valueOf", MakeNumber(5));
  DefineFunction(p.Get(), u"toString", returns(MakeString(u"p")));
  EXPECT_EQ(p->DefaultValue(context, HintNumber)->GetString(), u"p");

  // Both give objects: runtime error 0 naming the object.
  XObject q = global->NewObject();
  DefineFunction(q.Get(), u"valueOf", returns(MakeObject(other.Get())));
  DefineFunction(q.Get(), u"toString", returns(MakeObject(other.Get())));
  try {
    q->DefaultValue(context, HintNumber);
    FAIL();
  } catch (const CRuntimeError& e) {
    EXPECT_EQ(e.GetCode(), CRuntimeError::NoDefaultValue);
    EXPECT_EQ(e.GetObject(), q.Get());
    EXPECT_EQ(e.GetMessage(), u"ECMAScript runtime error: Object does not support [[DefaultValue]] method");
  }
  // An object that cannot be called ends it with runtime error 2.
  XObject r = global->NewObject();
  Put(r.Get(), u"valueOf", MakeObject(other.Get()));
  EXPECT_EQ(ErrorCode([&] { r->DefaultValue(context, HintNumber); }), CRuntimeError::NoCall);
  EXPECT_EQ(global->GetDepth(), 0);
}

TEST_F(ScriptObject, DefaultInternalMethodsThrow) {
  XObject o = global->NewObject();
  CArgumentList none;
  EXPECT_EQ(ErrorCode([&] { o->Construct(context, none); }), CRuntimeError::NoConstruct);
  EXPECT_EQ(ErrorCode([&] { o->Call(context, nullptr, none); }), CRuntimeError::NoCall);
  EXPECT_EQ(o->CallMethod(context, 0, nullptr, none), nullptr);
  EXPECT_EQ(o->GetPrimitiveValue(), nullptr);
  EXPECT_EQ(o->GetClassName(), u"Object");
  EXPECT_EQ(o->GetTypeOf(), u"object");
  EXPECT_TRUE(o->IsSameObject(o->GetSelf().Get()));
  EXPECT_FALSE(o->IsSameObject(global.Get()));
}

// An object with numbered methods and a native property, as built-ins have.
class CCounterObject : public CScriptObject {
public:
  explicit CCounterObject(CGlobalObjectBase* global) : CScriptObject(global, global->GetObjectPrototype()) {
    DefineNativeProperty(CPropertyName(u"count"), 0, DontEnum);
    DefineMethod(CPropertyName(u"add"), 0, 1, DontEnum);
    DefineMethod(CPropertyName(u"self"), 1, 0, DontEnum);
  }
  XValue GetNativeProperty(CExecutionContext&, int32_t id) override {
    return id == 0 ? MakeNumber(m_count) : nullptr;
  }
  void PutNativeProperty(CExecutionContext&, int32_t id, CValue* value) override {
    if (id == 0) m_count = value->GetNumber().GetInteger();
  }
  XValue CallMethod(CExecutionContext& context, int32_t number, CScriptObject* thisObject,
                    const CArgumentList& arguments) override {
    if (number == 0) {
      m_count += ToNumber(context, GetArgument(arguments, 0).Get()).ToInt32();
      return MakeNumber(m_count);
    }
    return MakeObject(thisObject);
  }
  int32_t m_count = 0;
};

TEST_F(ScriptObject, BuiltinMethodsReachTheirOwner) {
  XObject counter(new CCounterObject(global.Get()));
  auto* owner = static_cast<CCounterObject*>(counter.Get());
  XValue add = Get(counter.Get(), u"add");
  CScriptObject* method = add->GetObject();
  ASSERT_NE(method, nullptr);
  EXPECT_EQ(method->GetClassName(), u"Function");
  EXPECT_EQ(method->GetTypeOf(), u"function");
  EXPECT_EQ(method->GetPrototype(), global->GetFunctionPrototype());
  EXPECT_EQ(Get(method, u"length")->GetNumber().GetInteger(), 1);
  // 'length' cannot be assigned, deleted or enumerated.
  Put(method, u"length", MakeNumber(9));
  EXPECT_EQ(Get(method, u"length")->GetNumber().GetInteger(), 1);
  EXPECT_FALSE(method->Delete(context, CPropertyName(u"length")));
  EXPECT_TRUE(Enumerate(method).empty());
  EXPECT_FALSE(method->HasProperty(context, CPropertyName(u"prototype")));

  CArgumentList args;
  args.Append(MakeNumber(5));
  EXPECT_EQ(method->Call(context, nullptr, args)->GetNumber().GetInteger(), 5);
  // Stored in another object, it still runs its owner's code with that this.
  XObject elsewhere = global->NewObject();
  Put(elsewhere.Get(), u"f", add);
  EXPECT_EQ(Get(elsewhere.Get(), u"f")->GetObject()->Call(context, elsewhere.Get(), args)->GetNumber().GetInteger(),
            10);
  XValue self = Get(counter.Get(), u"self");
  EXPECT_EQ(self->GetObject()->Call(context, elsewhere.Get(), CArgumentList())->GetObject(), elsewhere.Get());
  // Missing arguments are Undefined; a method is no constructor.
  EXPECT_EQ(method->Call(context, nullptr, CArgumentList())->GetNumber().GetInteger(), 10);
  EXPECT_EQ(ErrorCode([&] { method->Construct(context, args); }), CRuntimeError::NoConstruct);

  // The native property reads and writes through the object's hooks.
  EXPECT_EQ(Get(counter.Get(), u"count")->GetNumber().GetInteger(), 10);
  Put(counter.Get(), u"count", MakeNumber(42));
  EXPECT_EQ(owner->m_count, 42);
  EXPECT_EQ(counter->GetPropertyTable().GetCount(), 3);
}

// valueOf is a built-in method that converts its this object to a number,
// which asks valueOf again: the depth guard stops it with runtime error 25.
class CRecursiveObject : public CScriptObject {
public:
  explicit CRecursiveObject(CGlobalObjectBase* global) : CScriptObject(global, global->GetObjectPrototype()) {
    DefineMethod(CPropertyName(u"valueOf"), 0, 0, DontEnum);
  }
  XValue CallMethod(CExecutionContext& context, int32_t, CScriptObject* thisObject, const CArgumentList&) override {
    return MakeNumber(ToNumber(context, MakeObject(thisObject).Get()));
  }
};

TEST_F(ScriptObject, RunawayRecursionEndsInRuntimeError25) {
  XObject o(new CRecursiveObject(global.Get()));
  try {
    ToNumber(context, MakeObject(o.Get()).Get());
    FAIL();
  } catch (const CRuntimeError& e) {
    EXPECT_EQ(e.GetCode(), CRuntimeError::CallDepthExceeded);
    EXPECT_EQ(e.GetMessage(), u"ECMAScript runtime error: Maximum call depth exceeded");
  }
  EXPECT_EQ(global->GetDepth(), 0);
  // The limit counts nested entries only.
  global->SetDepthLimit(2);
  EXPECT_EQ(ErrorCode([&] { ToNumber(context, MakeObject(o.Get()).Get()); }), CRuntimeError::CallDepthExceeded);
  EXPECT_EQ(global->GetDepth(), 0);
}

// Counts destructions, to see what engine shutdown frees.
class CTrackedObject : public CScriptObject {
public:
  CTrackedObject(CGlobalObjectBase* global, int* destroyed)
      : CScriptObject(global, global->GetObjectPrototype()), m_destroyed(destroyed) {}
  ~CTrackedObject() override { ++*m_destroyed; }

private:
  int* m_destroyed;
};

TEST_F(ScriptObject, ShutdownClearsCyclesBuiltByScripts) {
  int destroyed = 0;
  int32_t before = global->CountLiveObjects();
  {
    XObject a(new CTrackedObject(global.Get(), &destroyed));
    XObject b(new CTrackedObject(global.Get(), &destroyed));
    Put(a.Get(), u"self", MakeObject(a.Get()));
    Put(a.Get(), u"other", MakeObject(b.Get()));
    Put(b.Get(), u"back", MakeObject(a.Get()));
    EXPECT_EQ(global->CountLiveObjects(), before + 2);
  }
  EXPECT_EQ(destroyed, 0);
  // An object still held from outside survives, emptied, on the list.
  XObject kept(new CTrackedObject(global.Get(), &destroyed));
  Put(kept.Get(), u"self", MakeObject(kept.Get()));
  global->ClearLiveObjects();
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(kept->GetPropertyTable().GetCount(), 0);
  EXPECT_EQ(kept->GetPrototype(), nullptr);
  EXPECT_EQ(global->CountLiveObjects(), before + 1);
  kept = nullptr;
  EXPECT_EQ(destroyed, 3);
  EXPECT_EQ(global->CountLiveObjects(), before);
}

TEST(ScriptObjectLifetime, ObjectOutlivingItsGlobalObjectForgetsIt) {
  Core::XInterface<CTestGlobalObject> g(new CTestGlobalObject);
  XObject survivor = g->NewObject();
  g->Clear();
  g = nullptr;
  EXPECT_EQ(survivor->GetGlobalObject(), nullptr);
  survivor = nullptr;  // unlinks from no list
}

// Long chains built by scripts: freeing them and walking them takes
// constant stack.
TEST_F(ScriptObject, LongChainsNeedNoDeepRecursion) {
  const int kLength = 200000;
  int32_t before = global->CountLiveObjects();
  {
    XObject head;
    for (int i = 0; i < kLength; ++i) {
      XObject o = global->NewObject();
      if (head) Put(o.Get(), u"next", MakeObject(head.Get()));
      head = o;
    }
  }  // the whole list goes here
  EXPECT_EQ(global->CountLiveObjects(), before);

  XObject top = global->NewObject();
  Put(top.Get(), u"deep", MakeNumber(1));
  for (int i = 0; i < kLength; ++i) top = XObject(new CScriptObject(global.Get(), top.Get()));
  EXPECT_EQ(Get(top.Get(), u"deep")->GetNumber().GetInteger(), 1);
  EXPECT_EQ(Get(top.Get(), u"missing")->GetType(), CValue::UndefinedType);
  EXPECT_TRUE(top->HasProperty(context, CPropertyName(u"deep")));
  EXPECT_TRUE(top->CanPut(context, CPropertyName(u"missing")));
  top = nullptr;
  EXPECT_EQ(global->CountLiveObjects(), before);
}

} // namespace
