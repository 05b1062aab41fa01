#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/StringStream.h"
#include "script/builtins/ScriptEngine.h"
#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace {

using namespace EcmaScript;

class CCapturingSink : public IPrintSink {
public:
  void PrintLine(Core::StringView text) override { lines.push_back(Core::ToUtf8(text)); }
  std::vector<std::string> lines;
};

class CCountingHandler : public IParseErrorHandler {
public:
  bool Report(int32_t, const Core::String&) override {
    ++count;
    return true;
  }
  int count = 0;
};

class ScriptEngineTest : public ::testing::Test {
protected:
  ScriptEngineTest() : engine(new CScriptEngine), sink(new CCapturingSink) {
    engine->GetGlobalObject()->SetPrintSink(sink.Get());
  }
  ~ScriptEngineTest() override { engine->Shutdown(); }

  CCompletion Run(const char16_t* source) {
    Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(source));
    return engine->Execute(stream.Get());
  }
  // The completion as "type:value" ("type:" without value).
  std::string Completion(const char16_t* source) {
    CCompletion completion = Run(source);
    std::string text = std::to_string(completion.type) + ":";
    if (completion.value) {
      CExecutionContext context;
      context.InitGlobalCode(engine->GetGlobalObject());
      text += Core::ToUtf8(ToString(context, completion.value.Get()));
    }
    return text;
  }
  CEcmaScriptException Failure(const char16_t* source) {
    try {
      Run(source);
    } catch (const CEcmaScriptException& failure) {
      return failure;
    }
    ADD_FAILURE() << "no failure";
    return CEcmaScriptException(CRuntimeError(-1, static_cast<CValue*>(nullptr)));
  }

  Core::XInterface<CScriptEngine> engine;
  Core::XInterface<CCapturingSink> sink;
};

TEST_F(ScriptEngineTest, CompletionValues) {
  struct {
    const char16_t* source;
    const char* completion;
  } const cases[] = {
      {u"1; var y;", "0:1"},
      {u"1; ;", "0:1"},
      {u"var x;", "0:"},
      {u"{ 2; break; 3; }", "1:2"},
      {u"2; break; 3;", "0:3"},
      {u"4; if (false) 5;", "0:4"},
      {u"while (false) x;", "0:"},
      {u"i = 0; while (i < 3) i++;", "0:2"},
      {u"for (var k in new Object()) 1;", "0:"},
      {u"{ 7; continue; }", "2:7"},
      {u"return 8; 9;", "0:9"},
      {u"function f() {} 10;", "0:10"},
      {u"function f() {}", "0:"},
      {u"for (var i = 0; i < 3; i++) { if (i == 1) break; i; }", "0:0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Core::ToUtf8(c.source));
    EXPECT_EQ(Completion(c.source), c.completion);
  }
}

TEST_F(ScriptEngineTest, ProgramsShareTheGlobalObject) {
  Run(u"function f() { return 'from the first'; } var v = 1;");
  EXPECT_EQ(Completion(u"v + ' ' + f()"), "0:1 from the first");
  // A later var keeps the value; a later function replaces it.
  EXPECT_EQ(Completion(u"var v; v"), "0:1");
  EXPECT_EQ(Completion(u"function v() {} typeof v"), "0:function");
}

TEST_F(ScriptEngineTest, ParseErrorsRunNothing) {
  Core::XInterface<CCountingHandler> handler(new CCountingHandler);
  engine->SetErrorHandler(handler.Get());
  engine->SetProgramName(u"p.js");
  try {
    Run(u"print('ran');\nx = ;");
    FAIL() << "no parse error";
  } catch (const CParseError& error) {
    EXPECT_EQ(error.GetMessage(), u"Error(s) encountered during program parsing\n    Program 'p.js'");
  }
  EXPECT_EQ(handler->count, 1);
  EXPECT_TRUE(sink->lines.empty());
  engine->SetProgramName(u"");
  try {
    Run(u"x = ;");
    FAIL() << "no parse error";
  } catch (const CParseError& error) {
    EXPECT_EQ(error.GetMessage(), u"Error(s) encountered during program parsing");
  }
  EXPECT_EQ(handler->count, 2);
}

TEST_F(ScriptEngineTest, FailuresCarryWhereTheyHappened) {
  engine->SetProgramName(u"p.js");
  engine->SetFirstLine(4);
  CEcmaScriptException top = Failure(u"a = 1;\nb = 2;\nc = u;");
  EXPECT_EQ(top.GetMessage(), u"ECMAScript runtime error: GetValue: invalid reference");
  EXPECT_EQ(top.GetLine(), 6);
  EXPECT_EQ(top.GetProgramName(), u"p.js");
  EXPECT_EQ(top.GetFunctionName(), u"");
  ASSERT_NE(top.GetValue(), nullptr);
  EXPECT_EQ(top.GetValue()->GetType(), CValue::ReferenceType);

  engine->SetProgramName(u"q.js");
  engine->SetFirstLine(1);
  CEcmaScriptException nested = Failure(
      u"function g() {\n  var o = new Object();\n  o.f();\n}\nfunction f() {\n  g();\n}\n\nf();");
  EXPECT_EQ(nested.GetMessage(), u"ECMAScript runtime error: Operand of function call is not an object");
  EXPECT_EQ(nested.GetLine(), 3);
  EXPECT_EQ(nested.GetFunctionName(), u"g");
  EXPECT_EQ(nested.GetProgramName(), u"q.js");
  ASSERT_NE(nested.GetRuntimeError(), nullptr);
  EXPECT_EQ(nested.GetRuntimeError()->GetCode(), CRuntimeError::CallOperandNotObject);

  // A function defined by an earlier program reports that program's name.
  Run(u"function h() { return w; }");
  engine->SetProgramName(u"r.js");
  CEcmaScriptException earlier = Failure(u"h();");
  EXPECT_EQ(earlier.GetProgramName(), u"q.js");
  EXPECT_EQ(earlier.GetFunctionName(), u"h");
  EXPECT_EQ(earlier.GetLine(), 1);

  // Text given at run time carries no line.
  CEcmaScriptException runtime = Failure(u"Function('return w;')();");
  EXPECT_EQ(runtime.GetFunctionName(), u"anonymous");
  EXPECT_EQ(runtime.GetLine(), -1);
}

TEST_F(ScriptEngineTest, RuntimeErrorsOfTheInterpreter) {
  struct {
    const char16_t* source;
    int32_t code;
  } const cases[] = {
      {u"u;", CRuntimeError::GetValueInvalidReference},
      {u"u += 1;", CRuntimeError::GetValueInvalidReference},
      {u"g(f()); function f() { x = 1; }", CRuntimeError::GetValueInvalidReference},
      {u"1 = 2;", CRuntimeError::PutValueNotReference},
      {u"++5;", CRuntimeError::PutValueNotReference},
      {u"f() = 1; function f() {}", CRuntimeError::PutValueNotReference},
      {u"var o = new Object(); o.p = 1; for (1 in o) ;", CRuntimeError::PutValueNotReference},
      {u"delete 1;", CRuntimeError::GetBaseNotReference},
      {u"null.x;", CRuntimeError::ToObjectIllegalType},
      {u"var u; u[f()]; function f() { x = 1; }", CRuntimeError::ToObjectIllegalType},
      {u"with (null) ;", CRuntimeError::ToObjectIllegalType},
      {u"for (var k in null) ;", CRuntimeError::ToObjectIllegalType},
      {u"5();", CRuntimeError::CallOperandNotObject},
      {u"new 5;", CRuntimeError::NewOperandNotObject},
      {u"new G(f()); function f() { x = 1; }", CRuntimeError::GetValueInvalidReference},
      {u"new Object()();", CRuntimeError::NoCall},
      {u"new print();", CRuntimeError::NoConstruct},
      {u"new Function.prototype();", CRuntimeError::NoConstruct},
      {u"var o = new Object(); o.valueOf = o.toString = 1; o + 1;", CRuntimeError::NoDefaultValue},
      {u"Function('a b', '');", CRuntimeError::InvalidFormalParameters},
      {u"Function('a,', '');", CRuntimeError::InvalidFormalParameters},
      {u"new Function('return )');", CRuntimeError::InvalidFunctionBody},
      {u"var o = new Object(); o.f = Function.prototype.toString; o.f();", CRuntimeError::FunctionToStringNotFunction},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Core::ToUtf8(c.source));
    CEcmaScriptException failure = Failure(c.source);
    ASSERT_NE(failure.GetRuntimeError(), nullptr);
    EXPECT_EQ(failure.GetRuntimeError()->GetCode(), c.code);
  }
}

TEST_F(ScriptEngineTest, FunctionSourceTexts) {
  EXPECT_EQ(Completion(u"Function.prototype.toString()"), "0:function anonymous() { }");
  EXPECT_EQ(Completion(u"var o = new Object(); o.f = Function.prototype.toString; o.f = print; o.f.toString()"),
            "0:function anonymous() { }");
  EXPECT_EQ(Completion(u"Object.toString()"), "0:function anonymous() { }");
  EXPECT_EQ(Completion(u"new Function('a', 'b', 'return a+b').toString()"),
            "0:function anonymous(a, b) { return a + b; }");
  EXPECT_EQ(Completion(u"Object.prototype.toString.call"), "0:undefined");
}

TEST_F(ScriptEngineTest, BuiltInProperties) {
  struct {
    const char16_t* source;
    const char* completion;
  } const cases[] = {
      {u"var n = ''; for (var k in this) if (k != 'n' && k != 'k') n += k; n", "0:"},
      {u"Object.length + ' ' + Function.length + ' ' + print.length", "0:1 1 1"},
      {u"Object.length = 5; delete Object.length; Object.length", "0:1"},
      {u"Object.prototype.constructor == Object && Function.prototype.constructor == Function", "0:true"},
      {u"Object.prototype == Object.prototype && Function.prototype.toString.length == 0", "0:true"},
      {u"typeof Object + typeof Function.prototype + typeof print + typeof Object.prototype.toString",
       "0:functionfunctionfunctionfunction"},
      {u"Object.prototype.toString.call", "0:undefined"},
      {u"var t = Object.prototype.toString; var o = new Object(); o.t = t; o.t = Function.prototype.toString; "
       u"var f = Object.prototype.toString; f == t",
       "0:true"},
      {u"NaN = 1; NaN", "0:1"},
      {u"delete Infinity; typeof Infinity", "0:undefined"},
      {u"typeof this.toString", "0:undefined"},
      {u"var o = new Object(); o.toString() + ' ' + (o.valueOf() == o)", "0:[object Object] true"},
      {u"var p = new Object(); (new Object(p) == p) + ' ' + (Object(p) == p)", "0:true true"},
      {u"Object(null).toString() + Object().toString() + new Object(void 0).toString()",
       "0:[object Object][object Object][object Object]"},
      {u"typeof new Object(1, 2)", "0:object"},
      {u"Function.prototype(1, 2)", "0:undefined"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Core::ToUtf8(c.source));
    EXPECT_EQ(Completion(c.source), c.completion);
  }
}

TEST_F(ScriptEngineTest, PrintWritesToTheSink) {
  Run(u"print('a'); print(1.5); print(); print(new Object());");
  EXPECT_EQ(sink->lines, (std::vector<std::string>{"a", "1.5", "undefined", "[object Object]"}));
}

// Doubling a string runs into the maximum length as a runtime error; the
// maximum is lowered here so the test needs little memory.
TEST_F(ScriptEngineTest, StringTooLong) {
  size_t saved = CStringValue::GetMaxLength();
  CStringValue::SetMaxLength(1000);
  CEcmaScriptException failure = Failure(u"var s = 'ab';\nwhile (true) s += s;");
  CStringValue::SetMaxLength(saved);
  EXPECT_EQ(failure.GetMessage(), u"ECMAScript runtime error: String too long");
  EXPECT_EQ(failure.GetLine(), 2);
  EXPECT_EQ(Completion(u"s.length"), "0:512");
}

TEST_F(ScriptEngineTest, DepthLimit) {
  engine->GetGlobalObject()->SetDepthLimit(50);
  EXPECT_EQ(Completion(u"function f(n) { return n == 0 ? 0 : f(n - 1) + 1; } f(40)"), "0:40");
  CEcmaScriptException failure = Failure(u"f(60);");
  ASSERT_NE(failure.GetRuntimeError(), nullptr);
  EXPECT_EQ(failure.GetRuntimeError()->GetCode(), CRuntimeError::CallDepthExceeded);
  EXPECT_EQ(failure.GetFunctionName(), u"f");
  // The count is back to zero afterwards.
  EXPECT_EQ(engine->GetGlobalObject()->GetDepth(), 0);
  EXPECT_EQ(Completion(u"f(40)"), "0:40");
}

// Ended calls leave a few activation objects for the next calls of their
// function, however deep the recursion was.
TEST_F(ScriptEngineTest, EndedCallsKeepFewActivationObjects) {
  Run(u"function f(n) { var v = n; if (n > 0) f(n - 1); return v; } var r = f(0);");
  int32_t before = engine->GetGlobalObject()->CountLiveObjects();
  EXPECT_EQ(Completion(u"f(500) + f(3)"), "0:503");
  int32_t after = engine->GetGlobalObject()->CountLiveObjects();
  EXPECT_LE(after - before, 64);
  EXPECT_EQ(Completion(u"f(5)"), "0:5");
  EXPECT_EQ(engine->GetGlobalObject()->CountLiveObjects(), after);
}

// Shutting down frees the objects scripts made, cycles included; the
// sanitizer build checks that nothing leaks.
TEST(ScriptEngineShutdown, ClearsEveryObject) {
  Core::XInterface<CScriptEngine> engine(new CScriptEngine);
  Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(
      u"var o = new Object(); o.self = o; function f(a) { return arguments; } var a = f(o); a.a = a;"
      u"f.prototype.f = f; var g = new f(); g.g = g;"));
  engine->Execute(stream.Get());
  CGlobalObject* global = engine->GetGlobalObject();
  EXPECT_GT(global->CountLiveObjects(), 0);
  engine->Shutdown();
  EXPECT_EQ(engine->GetGlobalObject(), nullptr);
  engine->Shutdown();
}

} // namespace
