#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BuiltinTestSupport.h"
#include "script/builtins/regexp/ParserException.h"
#include "script/builtins/regexp/RegExpConstructor.h"
#include "script/builtins/regexp/RegExpObject.h"
#include "script/builtins/regexp/RegExpPrototype.h"
#include "script/builtins/regexp/StringPatternMethods.h"

namespace {

using namespace ScriptTest;

class RegExpBuiltin : public CScriptTest {
protected:
  RegExpBuiltin() {
    XObject prototype(new CRegExpPrototype(global.Get()));
    XObject constructor(new CRegExpConstructor(global.Get()));
    global->SetBuiltin(CTestGlobalObject::RegExp, prototype, constructor);
    static_cast<CRegExpPrototype*>(prototype.Get())->Populate();
    static_cast<CRegExpConstructor*>(constructor.Get())->Populate();
  }

  CScriptObject* Prototype() { return global->GetRegExpPrototype(); }
  CScriptObject* Constructor() { return global->GetRegExpConstructor(); }

  XObject New(const char16_t* pattern, const char16_t* flags = nullptr) {
    XValue made = Constructor()->Construct(context, flags ? Args({Str(pattern), Str(flags)}) : Args({Str(pattern)}));
    return XObject(made->GetObject());
  }
  XValue Get(CScriptObject* object, const char16_t* name) { return object->Get(context, CPropertyName(name)); }
  void Put(CScriptObject* object, const char16_t* name, XValue value) {
    object->Put(context, CPropertyName(name), value.Get());
  }
  int32_t LastIndex(CScriptObject* r) { return static_cast<int32_t>(NumberOf(Get(r, u"lastIndex"))); }
  XValue Exec(CScriptObject* r, XValue text) { return CallProperty(context, Prototype(), u"exec", r, Args({text})); }
  XValue Test(CScriptObject* r, XValue text) { return CallProperty(context, Prototype(), u"test", r, Args({text})); }

  // The elements of an array as text, "undefined" for Undefined; "null"
  // for a Null value.
  std::vector<std::u16string> Elements(const XValue& value) {
    std::vector<std::u16string> out;
    if (value->GetType() == CValue::NullType) return {u"null"};
    EXPECT_EQ(value->GetType(), CValue::ObjectType);
    CScriptObject* array = value->GetObject();
    EXPECT_EQ(array->GetClassName(), u"Array");
    int32_t length = static_cast<int32_t>(NumberOf(Get(array, u"length")));
    for (int32_t i = 0; i < length; ++i) {
      XValue element = array->Get(context, CPropertyName(UnsignedToString(static_cast<uint32_t>(i))));
      out.push_back(ToString(context, element.Get()));
    }
    return out;
  }

  // A pattern that backtracks exponentially on a run of 'a's.
  static constexpr const char16_t* kRunaway = u"(a*)*b";
  // Makes a search of the object hit the step budget quickly.
  void LowerLimits(CScriptObject* r) {
    RegExpPrivate::CMatchLimits limits;
    limits.steps = 10000;
    static_cast<CRegExpObject*>(r)->GetRegExpPointer()->SetLimits(limits);
  }
};

TEST_F(RegExpBuiltin, ConstructorAndProperties) {
  struct Case {
    CArgumentList arguments;
    const char16_t* source;
    bool global, ignoreCase, multiline;
    const char16_t* text;
  } cases[] = {
      {Args({}), u"", false, false, false, u"//"},
      {Args({MakeNull()}), u"null", false, false, false, u"/null/"},
      {Args({Str(u"a"), Str(u"mig")}), u"a", true, true, true, u"/a/gim"},
      {Args({Str(u"a"), Str(u"")}), u"a", false, false, false, u"/a/"},
      {Args({Str(u"a/b"), Undef()}), u"a/b", false, false, false, u"/a/b/"},
      {Args({Int(12), Str(u"m")}), u"12", false, false, true, u"/12/m"},
  };
  for (auto& c : cases) {
    XValue made = Constructor()->Construct(context, c.arguments);
    ASSERT_EQ(made->GetType(), CValue::ObjectType);
    CScriptObject* r = made->GetObject();
    EXPECT_EQ(r->GetClassName(), u"RegExp");
    EXPECT_EQ(r->GetPrototype(), Prototype());
    EXPECT_EQ(Get(r, u"source")->GetString(), c.source);
    EXPECT_EQ(Get(r, u"global")->GetBoolean(), c.global);
    EXPECT_EQ(Get(r, u"ignoreCase")->GetBoolean(), c.ignoreCase);
    EXPECT_EQ(Get(r, u"multiline")->GetBoolean(), c.multiline);
    EXPECT_EQ(LastIndex(r), 0);
    EXPECT_EQ(CallProperty(context, Prototype(), u"toString", r, {})->GetString(), c.text);
  }
  // Called as a function with the same arguments: a new object too.
  XValue called = Constructor()->Call(context, nullptr, Args({Str(u"x"), Str(u"g")}));
  EXPECT_EQ(Get(called->GetObject(), u"global")->GetBoolean(), true);

  for (const char16_t* flags : {u"gg", u"x", u"gig", u"G"}) {
    XValue flagsValue = Str(flags);
    try {
      Constructor()->Construct(context, Args({Str(u"a"), flagsValue}));
      ADD_FAILURE() << "flags accepted";
    } catch (const CRuntimeError& e) {
      EXPECT_EQ(e.GetCode(), CRuntimeError::InvalidRegExpFlags);
      EXPECT_EQ(e.GetValue(), flagsValue.Get());
    }
  }
  // A syntax error leaves as the parser's exception.
  try {
    New(u"(a");
    ADD_FAILURE() << "pattern accepted";
  } catch (const RegExpPrivate::CParserException& e) {
    EXPECT_EQ(e.GetCode(), RegExpPrivate::CParserException::MissingToken);
  }
  EXPECT_EQ(NumberOf(Get(Constructor(), u"length")), 2);
  EXPECT_EQ(Get(Constructor(), u"prototype")->GetObject(), Prototype());
  EXPECT_EQ(Get(Prototype(), u"constructor")->GetObject(), Constructor());
  EXPECT_EQ(Prototype()->GetClassName(), u"Object");
  CPropertyName name;
  EXPECT_FALSE(Prototype()->GetEnumerator()->Next(name));
  EXPECT_FALSE(Constructor()->GetEnumerator()->Next(name));
}

TEST_F(RegExpBuiltin, NativePropertiesAreFixedButLastIndex) {
  XObject r = New(u"a", u"g");
  Put(r.Get(), u"source", Str(u"x"));
  Put(r.Get(), u"global", MakeBoolean(false));
  Put(r.Get(), u"ignoreCase", MakeBoolean(true));
  EXPECT_EQ(Get(r.Get(), u"source")->GetString(), u"a");
  EXPECT_TRUE(Get(r.Get(), u"global")->GetBoolean());
  EXPECT_FALSE(Get(r.Get(), u"ignoreCase")->GetBoolean());
  for (const char16_t* name : {u"source", u"global", u"ignoreCase", u"multiline", u"lastIndex"}) {
    EXPECT_FALSE(r->Delete(context, CPropertyName(name))) << Core::ToUtf8(name);
  }
  CPropertyName name;
  EXPECT_FALSE(r->GetEnumerator()->Next(name));
  struct Case {
    XValue value;
    int32_t stored;
  } cases[] = {{Str(u"3"), 3}, {Num(2.7), 2}, {Num(-1), -1}, {Num(-2.7), -2}, {Num(4294967298.0), 2},
               {Str(u"x"), 0}, {Num(1e300), 0}};
  for (auto& c : cases) {
    Put(r.Get(), u"lastIndex", c.value);
    EXPECT_EQ(LastIndex(r.Get()), c.stored);
    EXPECT_TRUE(Get(r.Get(), u"lastIndex")->GetNumber().IsInteger());
  }
  // A negative lastIndex: the next global exec fails and resets it.
  Put(r.Get(), u"lastIndex", Int(-1));
  EXPECT_EQ(Exec(r.Get(), Str(u"aaa"))->GetType(), CValue::NullType);
  EXPECT_EQ(LastIndex(r.Get()), 0);
}

TEST_F(RegExpBuiltin, SharedExpression) {
  XObject r = New(u"a", u"g");
  // RegExp(r) is r itself; new RegExp(r) another object over the same
  // expression, lastIndex included.
  XValue rValue = MakeObject(r.Get());
  XValue same = Constructor()->Call(context, nullptr, Args({rValue}));
  EXPECT_EQ(same->GetObject(), r.Get());
  XValue other = Constructor()->Construct(context, Args({rValue}));
  ASSERT_NE(other->GetObject(), r.Get());
  CScriptObject* copy = other->GetObject();
  Put(r.Get(), u"lastIndex", Int(2));
  EXPECT_EQ(LastIndex(copy), 2);
  EXPECT_EQ(Elements(Exec(copy, Str(u"aaaa"))), std::vector<std::u16string>{u"a"});
  EXPECT_EQ(LastIndex(r.Get()), 3);
  EXPECT_EQ(CallProperty(context, Prototype(), u"toString", copy, {})->GetString(), u"/a/g");
  // Flags with a RegExp object: runtime error 20 with the object, called
  // or constructed.
  for (bool construct : {true, false}) {
    CScriptObject* carried = nullptr;
    int32_t code = RuntimeErrorCode(
        [&] {
          CArgumentList arguments = Args({rValue, Str(u"g")});
          construct ? Constructor()->Construct(context, arguments) : Constructor()->Call(context, nullptr, arguments);
        },
        &carried);
    EXPECT_EQ(code, CRuntimeError::RegExpObjectRequired);
    EXPECT_EQ(carried, r.Get());
  }
}

TEST_F(RegExpBuiltin, ExecAndTest) {
  XObject alternatives = New(u"(a)|(b)");
  XValue result = Exec(alternatives.Get(), Str(u"xb"));
  EXPECT_EQ(Elements(result), (std::vector<std::u16string>{u"b", u"undefined", u"b"}));
  EXPECT_EQ(Get(result->GetObject(), u"1")->GetType(), CValue::UndefinedType);
  EXPECT_EQ(NumberOf(Get(result->GetObject(), u"index")), 1);
  EXPECT_EQ(Get(result->GetObject(), u"input")->GetString(), u"xb");
  EXPECT_EQ(Exec(alternatives.Get(), Str(u"xyz"))->GetType(), CValue::NullType);
  // No argument: the text "undefined".
  XObject def = New(u"def");
  XValue undefinedText = CallProperty(context, Prototype(), u"exec", def.Get(), {});
  EXPECT_EQ(NumberOf(Get(undefinedText->GetObject(), u"index")), 2);
  // The empty pattern matches the empty text.
  XObject empty = New(u"");
  EXPECT_EQ(Elements(Exec(empty.Get(), Str(u""))), std::vector<std::u16string>{u""});

  // Global: lastIndex moves to each match's end and back to 0 after a
  // failing search.
  XObject g = New(u"a", u"g");
  struct Step {
    bool test;
    const char16_t* text;
    bool matches;
    int32_t lastIndex;
  } steps[] = {
      {false, u"aba", true, 1}, {false, u"aba", true, 3}, {false, u"aba", false, 0},
      {true, u"aba", true, 1},  {true, u"aba", true, 3},  {true, u"aba", false, 0},
  };
  for (const auto& s : steps) {
    XValue value = s.test ? Test(g.Get(), Str(s.text)) : Exec(g.Get(), Str(s.text));
    EXPECT_EQ(s.test ? value->GetBoolean() : value->GetType() != CValue::NullType, s.matches);
    EXPECT_EQ(LastIndex(g.Get()), s.lastIndex);
  }
  // Not global: a match leaves lastIndex alone, a failure sets it to 0.
  XObject plain = New(u"a");
  Put(plain.Get(), u"lastIndex", Int(5));
  EXPECT_TRUE(Test(plain.Get(), Str(u"a"))->GetBoolean());
  EXPECT_EQ(LastIndex(plain.Get()), 5);
  EXPECT_FALSE(Test(plain.Get(), Str(u"b"))->GetBoolean());
  EXPECT_EQ(LastIndex(plain.Get()), 0);
  // A global empty match: the same position twice.
  XObject emptyGlobal = New(u"x*", u"g");
  EXPECT_EQ(NumberOf(Get(Exec(emptyGlobal.Get(), Str(u"ab"))->GetObject(), u"index")), 0);
  EXPECT_EQ(NumberOf(Get(Exec(emptyGlobal.Get(), Str(u"ab"))->GetObject(), u"index")), 0);
}

TEST_F(RegExpBuiltin, MethodsOnOtherObjects) {
  XObject plain = global->NewObject();
  // toString requires a RegExp object.
  for (CScriptObject* thisObject : {plain.Get(), Prototype(), static_cast<CScriptObject*>(nullptr)}) {
    CScriptObject* carried = Constructor();
    EXPECT_EQ(RuntimeErrorCode([&] { CallProperty(context, Prototype(), u"toString", thisObject, {}); }, &carried),
              CRuntimeError::RegExpObjectRequired);
    // A null this is the global object.
    EXPECT_EQ(carried, thisObject ? thisObject : static_cast<CScriptObject*>(global.Get()));
  }
  // exec and test reach the object's [[Match]], which fails.
  EXPECT_EQ(RuntimeErrorCode([&] { Exec(plain.Get(), Str(u"a")); }), CRuntimeError::NoMatch);
  EXPECT_EQ(RuntimeErrorCode([&] { Test(Prototype(), Str(u"a")); }), CRuntimeError::NoMatch);
  EXPECT_EQ(RuntimeErrorCode([&] { Exec(nullptr, Str(u"a")); }), CRuntimeError::NoMatch);
  // ... unless no position is tried: then lastIndex 0 is put on it.
  Put(plain.Get(), u"global", MakeBoolean(true));
  Put(plain.Get(), u"lastIndex", Int(9));
  EXPECT_EQ(Exec(plain.Get(), Str(u"abc"))->GetType(), CValue::NullType);
  EXPECT_EQ(NumberOf(Get(plain.Get(), u"lastIndex")), 0);
  Put(plain.Get(), u"lastIndex", Int(-1));
  EXPECT_FALSE(Test(plain.Get(), Str(u"abc"))->GetBoolean());
  // An object inheriting from a RegExp object reads its flags and lastIndex
  // but has no [[Match]] of its own.
  XObject r = New(u"b", u"g");
  XObject child(new CScriptObject(global.Get(), r.Get()));
  Put(r.Get(), u"lastIndex", Int(7));
  EXPECT_EQ(Exec(child.Get(), Str(u"abc"))->GetType(), CValue::NullType);
  // The put makes a property of the child's own.
  EXPECT_EQ(LastIndex(child.Get()), 0);
  EXPECT_EQ(LastIndex(r.Get()), 7);
}

TEST_F(RegExpBuiltin, RunawaySearchesAreRuntimeError26) {
  const Core::String longRun(40, u'a');
  XObject r = New(kRunaway);
  LowerLimits(r.Get());
  XObject g = New(kRunaway, u"g");
  LowerLimits(g.Get());
  for (CScriptObject* object : {r.Get(), g.Get()}) {
    CScriptObject* carried = nullptr;
    EXPECT_EQ(RuntimeErrorCode([&] { Exec(object, Str(longRun.c_str())); }, &carried), CRuntimeError::RegExpTooComplex);
    EXPECT_EQ(carried, object);
    EXPECT_EQ(RuntimeErrorCode([&] { Test(object, Str(longRun.c_str())); }), CRuntimeError::RegExpTooComplex);
    RegExp::CCaptureList captures;
    EXPECT_EQ(RuntimeErrorCode([&] { object->Match(context, longRun, 0, captures); }),
              CRuntimeError::RegExpTooComplex);
  }
  // The budget is per search: a short text still matches afterwards.
  EXPECT_TRUE(Test(r.Get(), Str(u"aab"))->GetBoolean());
}

// String.prototype.match, replace and search.
class StringPatterns : public RegExpBuiltin {
protected:
  XValue Match(const char16_t* text, XValue regexp) {
    return CStringPatternMethods::Match(context, Str(text).Get(), regexp.Get());
  }
  XValue Replace(const char16_t* text, XValue search, XValue replacement) {
    return CStringPatternMethods::Replace(context, Str(text).Get(), search.Get(), replacement.Get());
  }
  double Search(const char16_t* text, XValue regexp) {
    return NumberOf(CStringPatternMethods::Search(context, Str(text).Get(), regexp.Get()));
  }
  XValue R(const char16_t* pattern, const char16_t* flags = nullptr) { return MakeObject(New(pattern, flags).Get()); }
};

using Texts = std::vector<std::u16string>;

TEST_F(StringPatterns, Match) {
  struct Case {
    const char16_t* text;
    XValue regexp;
    Texts expected;
  } cases[] = {
      {u"a1b22", R(u"[0-9]+"), {u"1"}},
      {u"a1b22", R(u"[0-9]+", u"g"), {u"1", u"22"}},
      {u"ab", R(u"x*", u"g"), {u"", u"", u""}},
      {u"abc", R(u"z"), {u"null"}},
      {u"abc", R(u"z", u"g"), {}},
      {u"abc", R(u"(a)|(b)"), {u"a", u"a", u"undefined"}},
      {u"AbA", R(u"a", u"gi"), {u"A", u"A"}},
      // Text is compiled as a pattern.
      {u"a.b", Str(u"."), {u"a"}},
      {u"a(b", Str(u"\\("), {u"("}},
      {u"abc", Undef(), {u""}},
      {u"xnullx", MakeNull(), {u"null"}},
  };
  for (auto& c : cases) EXPECT_EQ(Elements(Match(c.text, c.regexp)), c.expected) << Core::ToUtf8(c.text);

  XValue first = Match(u"a1b22", R(u"[0-9]+"));
  EXPECT_EQ(NumberOf(Get(first->GetObject(), u"index")), 1);
  EXPECT_EQ(Get(first->GetObject(), u"input")->GetString(), u"a1b22");
  XValue all = Match(u"a1b22", R(u"[0-9]+", u"g"));
  EXPECT_EQ(Get(all->GetObject(), u"index")->GetType(), CValue::UndefinedType);

  // A global match starts at 0 whatever lastIndex holds, and leaves it at 0.
  XObject g = New(u"a", u"g");
  Put(g.Get(), u"lastIndex", Int(2));
  EXPECT_EQ(Elements(Match(u"aaa", MakeObject(g.Get()))), (Texts{u"a", u"a", u"a"}));
  EXPECT_EQ(LastIndex(g.Get()), 0);
  // A pattern that does not compile.
  EXPECT_THROW(Match(u"a", Str(u"(")), RegExpPrivate::CParserException);
}

TEST_F(StringPatterns, Replace) {
  struct Case {
    const char16_t* text;
    XValue search;
    const char16_t* replacement;
    const char16_t* expected;
  } cases[] = {
      // Text is searched for as text, first occurrence only.
      {u"a.b", Str(u"."), u"-", u"a-b"},
      {u"aaa", Str(u"a"), u"b", u"baa"},
      {u"abc", Str(u""), u"x", u"xabc"},
      {u"abc", Str(u"z"), u"x", u"abc"},
      {u"abc", Str(u"b"), u"[$&]", u"a[b]c"},
      {u"a1b", Int(1), u"-", u"a-b"},
      {u"aundefinedb", Undef(), u"-", u"a-b"},
      {u"aaa", R(u"a"), u"b", u"baa"},
      {u"aaa", R(u"a", u"g"), u"b", u"bbb"},
      {u"ab", R(u"x*", u"g"), u"-", u"-a-b-"},
      {u"", R(u"x*", u"g"), u"-", u"-"},
      {u"aXbx", R(u"x", u"gi"), u"_", u"a_b_"},
      // An empty match after the search position is replaced once.
      {u"ab", R(u"(?=b)", u"g"), u"-", u"a-b"},
      {u"abab", R(u"a*?", u"g"), u"-", u"-a-b-a-b-"},
      // Dollar sequences.
      {u"abc", R(u"b"), u"$`$&$'", u"aabcc"},
      {u"abc", R(u"b"), u"$1", u"ac"},
      {u"abc", R(u"b"), u"$$", u"a$c"},
      {u"abc", R(u"b"), u"x$", u"ax$c"},
      {u"abc", R(u"b"), u"$0", u"a$0c"},
      {u"abc", R(u"b"), u"$00", u"a$00c"},
      {u"abc", R(u"b"), u"$%", u"a$%c"},
      {u"abc", R(u"b"), u"$", u"a$c"},
      {u"abc", R(u"(b)"), u"$1$1", u"abbc"},
      {u"abc", R(u"(b)"), u"[$01]", u"a[b]c"},
      {u"abc", R(u"(b)"), u"$10", u"ac"},
      {u"abc", R(u"(b)"), u"$011", u"ab1c"},
      {u"abc", R(u"(x)?b"), u"[$1]", u"a[]c"},
      {u"abcdefghijk", R(u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)"), u"$11$10$1", u"kja"},
      {u"abc", R(u"b"), u"$&$&", u"abbc"},
      // Inserted text is not scanned again.
      {u"a$1c", R(u"[$]1"), u"$&", u"a$1c"},
  };
  for (auto& c : cases) {
    XValue result = Replace(c.text, c.search, Str(c.replacement));
    ASSERT_EQ(result->GetType(), CValue::StringType);
    EXPECT_EQ(result->GetString(), c.expected) << Core::ToUtf8(c.text) << " / " << Core::ToUtf8(c.replacement);
  }
  // A non-string replacement is converted.
  EXPECT_EQ(Replace(u"abc", Str(u"b"), Int(7))->GetString(), u"a7c");
  EXPECT_EQ(Replace(u"abc", Str(u"b"), Undef())->GetString(), u"aundefinedc");
  // A global replace starts at 0 whatever lastIndex holds, and leaves it at 0.
  XObject g = New(u"a", u"g");
  Put(g.Get(), u"lastIndex", Int(2));
  EXPECT_EQ(Replace(u"aaa", MakeObject(g.Get()), Str(u"b"))->GetString(), u"bbb");
  EXPECT_EQ(LastIndex(g.Get()), 0);
}

TEST_F(StringPatterns, ReplaceWithFunction) {
  std::vector<Texts> calls;
  std::vector<CScriptObject*> thisObjects;
  XObject f(new CTestFunction(global.Get(), [&](CExecutionContext& ctx, CScriptObject* thisObject,
                                                const CArgumentList& arguments) {
    Texts texts;
    for (int32_t i = 0; i < arguments.GetSize(); ++i) texts.push_back(ToString(ctx, arguments[i].Get()));
    calls.push_back(texts);
    thisObjects.push_back(thisObject);
    return Str(u"<>");
  }));
  XValue fValue = MakeObject(f.Get());
  EXPECT_EQ(Replace(u"abc", R(u"(b)"), fValue)->GetString(), u"a<>c");
  EXPECT_EQ(Replace(u"abc", Str(u"b"), fValue)->GetString(), u"a<>c");
  EXPECT_EQ(Replace(u"xaxa", R(u"(a)|(z)", u"g"), fValue)->GetString(), u"x<>x<>");
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0], (Texts{u"b", u"b", u"1", u"abc"}));
  EXPECT_EQ(calls[1], (Texts{u"b", u"1", u"abc"}));
  EXPECT_EQ(calls[2], (Texts{u"a", u"a", u"undefined", u"1", u"xaxa"}));
  EXPECT_EQ(calls[3], (Texts{u"a", u"a", u"undefined", u"3", u"xaxa"}));
  for (CScriptObject* thisObject : thisObjects) EXPECT_EQ(thisObject, global.Get());

  // A built-in method is a replacement function too.
  XObject r = New(u"a", u"g");
  XValue toString = Get(Prototype(), u"toString");
  EXPECT_EQ(RuntimeErrorCode([&] { Replace(u"a", MakeObject(r.Get()), toString); }),
            CRuntimeError::RegExpObjectRequired);
  // A function's error abandons the replace.
  XObject failing(new CTestFunction(global.Get(), [](CExecutionContext&, CScriptObject*, const CArgumentList&) -> XValue {
    throw CRuntimeError(CRuntimeError::NoCall, static_cast<CValue*>(nullptr));
  }));
  EXPECT_EQ(RuntimeErrorCode([&] { Replace(u"abc", Str(u"b"), MakeObject(failing.Get())); }), CRuntimeError::NoCall);
}

TEST_F(StringPatterns, ReplaceFunctionSettingLastIndex) {
  // The function sees lastIndex at the end of the match, as exec leaves it;
  // whatever it sets there, the replace goes on from its own position and
  // ends with lastIndex 0.
  for (int32_t setTo : {0, -5, 1, 100}) {
    XObject r = New(u"a|(?=c)", u"g");
    std::vector<int32_t> seen;
    XObject f(new CTestFunction(global.Get(), [&](CExecutionContext&, CScriptObject*, const CArgumentList&) {
      seen.push_back(LastIndex(r.Get()));
      Put(r.Get(), u"lastIndex", Int(setTo));
      return Str(u"-");
    }));
    EXPECT_EQ(Replace(u"aabac", MakeObject(r.Get()), MakeObject(f.Get()))->GetString(), u"--b--c") << setTo;
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 4, 4})) << setTo;
    EXPECT_EQ(LastIndex(r.Get()), 0);
  }
}

TEST_F(StringPatterns, Search) {
  XObject g = New(u"c", u"g");
  Put(g.Get(), u"lastIndex", Int(5));
  EXPECT_EQ(Search(u"abc", MakeObject(g.Get())), 2);
  EXPECT_EQ(LastIndex(g.Get()), 5);
  struct Case {
    const char16_t* text;
    XValue regexp;
    double expected;
  } cases[] = {
      {u"abc", Str(u"z"), -1}, {u"abc", Undef(), 0},       {u"a.c", Str(u"\\."), 1},
      {u"abc", Str(u"c$"), 2}, {u"xAB", R(u"ab", u"i"), 1}, {u"", R(u"^$"), 0},
  };
  for (auto& c : cases) EXPECT_EQ(Search(c.text, c.regexp), c.expected) << Core::ToUtf8(c.text);
  EXPECT_TRUE(CStringPatternMethods::Search(context, Str(u"abc").Get(), Str(u"b").Get())->GetNumber().IsInteger());
}

TEST_F(StringPatterns, RunawaySearchesAreRuntimeError26) {
  const Core::String longRun(40, u'a');
  for (const char16_t* flags : {u"", u"g"}) {
    XObject r = New(kRunaway, flags);
    LowerLimits(r.Get());
    XValue rValue = MakeObject(r.Get());
    XValue text = Str(longRun.c_str());
    CScriptObject* carried = nullptr;
    EXPECT_EQ(RuntimeErrorCode([&] { CStringPatternMethods::Match(context, text.Get(), rValue.Get()); }, &carried),
              CRuntimeError::RegExpTooComplex);
    EXPECT_EQ(carried, r.Get());
    EXPECT_EQ(RuntimeErrorCode([&] { CStringPatternMethods::Replace(context, text.Get(), rValue.Get(), Str(u"").Get()); }),
              CRuntimeError::RegExpTooComplex);
    EXPECT_EQ(RuntimeErrorCode([&] { CStringPatternMethods::Search(context, text.Get(), rValue.Get()); }),
              CRuntimeError::RegExpTooComplex);
  }
}

} // namespace
