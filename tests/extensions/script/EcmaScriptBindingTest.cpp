#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "core/Uri.h"
#include "extensions/script/EcmaScriptBinding.h"
#include "tests/extensions/script/ScriptTestSupport.h"

namespace {

using namespace ScriptPackageTest;
using XsltEcmaScript::CScriptObjectHandle;
using XsltEcmaScript::CScriptObjectValue;

std::string Utf8(const Core::String& text) { return Core::ToUtf8(text); }

// A value of another script language.
class CForeignObjectValue : public XsltObject::CObjectValue {
public:
  XsltObject::CObjectHandle* GetHandle() const override { return nullptr; }
  Core::StringView GetLanguage() const override { return u"OtherScript"; }
};

// A value of some other kind claiming a type code.
class CTypedValue : public Xpath::CValue {
public:
  explicit CTypedValue(int32_t type) : m_type(type) {}
  int32_t GetType() const override { return m_type; }

private:
  int32_t m_type;
};

// "type:text" of a script value, its number for numbers ("d" marks the
// double form).
std::string Describe(EcmaScript::CValue* value) {
  switch (value->GetType()) {
  case EcmaScript::CValue::BooleanType:
    return value->GetBoolean() ? "boolean:true" : "boolean:false";
  case EcmaScript::CValue::StringType:
    return "string:" + Utf8(value->GetString());
  case EcmaScript::CValue::NumberType: {
    EcmaScript::CScriptNumber n = value->GetNumber();
    char text[64];
    std::snprintf(text, sizeof text, "number:%g%s", n.ToDouble(), n.IsInteger() ? "" : "d");
    return text;
  }
  default:
    return "type " + std::to_string(value->GetType());
  }
}

TEST_F(CBindingTest, XpathValuesBecomeScriptValues) {
  struct {
    Core::XInterface<Xpath::CValue> value;
    const char* expected;
  } cases[] = {
      {new Xpath::CBooleanValue(true), "boolean:true"},
      {new Xpath::CBooleanValue(false), "boolean:false"},
      // Numbers always cross in double form, whole ones too.
      {new Xpath::CNumberValue(Xpath::CNumber(2.0)), "number:2d"},
      {new Xpath::CNumberValue(Xpath::CNumber(-0.5)), "number:-0.5d"},
      {new Xpath::CNumberValue(Xpath::CNumber::NaN()), "number:nand"},
      {new Xpath::CStringValue(u""), "string:"},
      {new Xpath::CStringValue(u"t\u00e9xt"), "string:t\xc3\xa9xt"},
  };
  for (auto& c : cases) EXPECT_EQ(Describe(m_binding->ToScriptValue(*c.value).Get()), c.expected) << c.expected;

  struct {
    Core::XInterface<Xpath::CValue> value;
    const char* message;
  } failures[] = {
      {new Xpath::CNodeSetValue(static_cast<Xpath::CNodeSet*>(nullptr)), "Invalid parameter type"},
      {new CTypedValue(Xpath::CValue::ResultTreeFragmentType), "Invalid parameter type"},
      {new CTypedValue(Xpath::CValue::ScriptObjectType), "Invalid parameter type"},
      {new CForeignObjectValue(), "Mismatched object class: 'OtherScript', required 'ECMAScript'"},
  };
  for (auto& c : failures) EXPECT_EQ(FailureOf([&] { m_binding->ToScriptValue(*c.value); }), c.message);
}

TEST_F(CBindingTest, ScriptValuesBecomeXpathValues) {
  Run(u"var o = new Object();");
  struct {
    const char16_t* expression;
    int32_t type;
    const char* text;  // the string, the number or the truth value
  } cases[] = {
      {u"void 0", Xpath::CValue::StringType, ""},
      {u"null", Xpath::CValue::StringType, ""},
      {u"true", Xpath::CValue::BooleanType, "true"},
      {u"'abc'", Xpath::CValue::StringType, "abc"},
      {u"7", Xpath::CValue::NumberType, "7"},
      {u"1 / 4", Xpath::CValue::NumberType, "0.25"},
      {u"0 / 0", Xpath::CValue::NumberType, "NaN"},
      // Wrappers and dates come back as their primitive values.
      {u"new String('w')", Xpath::CValue::StringType, "w"},
      {u"new Boolean(false)", Xpath::CValue::BooleanType, "false"},
      {u"new Number(3)", Xpath::CValue::NumberType, "3"},
      {u"new Date(86400000)", Xpath::CValue::NumberType, "86400000"},
      {u"new Date(0 / 0)", Xpath::CValue::NumberType, "NaN"},
      // Every other object travels as itself, answering false, 0 and "".
      {u"o", Xpath::CValue::ScriptObjectType, "object"},
      {u"new Array(1, 2)", Xpath::CValue::ScriptObjectType, "object"},
      {u"Math.max", Xpath::CValue::ScriptObjectType, "object"},
      {u"Math", Xpath::CValue::ScriptObjectType, "object"},
  };
  for (const auto& c : cases) {
    Run(Core::String(u"result = ") + c.expression + u";");
    Core::XInterface<Xpath::CValue> value = m_binding->ToXpathValue(Global(u"result").Get());
    ASSERT_EQ(value->GetType(), c.type) << Utf8(c.expression);
    std::string text;
    switch (c.type) {
    case Xpath::CValue::BooleanType: text = value->GetBoolean() ? "true" : "false"; break;
    case Xpath::CValue::NumberType: text = Utf8(value->GetNumber().ToString()); break;
    case Xpath::CValue::StringType: text = Utf8(value->GetString()); break;
    default:
      EXPECT_FALSE(value->GetBoolean());
      EXPECT_EQ(value->GetNumber().GetValue(), 0.0);
      EXPECT_EQ(value->GetString(), u"");
      EXPECT_EQ(value->GetNodeSet(), nullptr);
      text = "object";
    }
    EXPECT_EQ(text, c.text) << Utf8(c.expression);
  }

  // References and lists have no XPath counterpart.
  EcmaScript::XValue reference(new EcmaScript::CReferenceValue(nullptr, EcmaScript::CPropertyName(u"x")));
  EXPECT_EQ(FailureOf([&] { m_binding->ToXpathValue(reference.Get()); }), "Invalid result type");
  EcmaScript::XValue list(new EcmaScript::CListValue());
  EXPECT_EQ(FailureOf([&] { m_binding->ToXpathValue(list.Get()); }), "Invalid result type");
}

TEST_F(CBindingTest, ObjectsComeBackAsThemselves) {
  Run(u"var o = new Object(); function same(a, b) { return a == b; }");
  EcmaScript::XValue original = Global(u"o");
  Core::XInterface<Xpath::CValue> travelling = m_binding->ToXpathValue(original.Get());
  EXPECT_EQ(m_binding->ToScriptValue(*travelling)->GetObject(), original->GetObject());
  // The script sees the very object, not a copy.
  Core::XInterface<XsltObject::CObjectHandle> global = m_binding->CreateObjectHandle(u"");
  Xpath::CArgumentList arguments{travelling, travelling};
  EXPECT_TRUE(global->Call(u"same", arguments)->GetBoolean());
}

TEST_F(CBindingTest, NamingObjects) {
  Run(u"var five = 5; var nothing = null; var o = new Object(); o.x = 3; function getX() { return this.x; } o.f = getX;");
  // A number names a new Number object, whose methods can be called; the
  // radix arrives as a number.
  Xpath::CArgumentList radix{new Xpath::CNumberValue(Xpath::CNumber(10.0))};
  Core::XInterface<Xpath::CValue> text = m_binding->CreateObjectHandle(u"five")->Call(u"toString", radix);
  EXPECT_EQ(text->GetType(), Xpath::CValue::StringType);
  EXPECT_EQ(text->GetString(), u"5");
  // The empty name is the global object.
  EXPECT_EQ(m_binding->CreateObjectHandle(u"")->Get(u"five")->GetNumber().GetValue(), 5.0);
  EXPECT_EQ(m_binding->CreateObjectHandle(u"o")->Call(u"f", {})->GetNumber().GetValue(), 3.0);
  EXPECT_EQ(FailureOf([&] { m_binding->CreateObjectHandle(u"undeclared"); }),
            "ECMAScript runtime error: GetValue: invalid reference");
  EXPECT_EQ(FailureOf([&] { m_binding->CreateObjectHandle(u"nothing"); }),
            "ECMAScript runtime error: Cannot convert to object: illegal value type");
}

TEST_F(CBindingTest, PropertiesAndCalls) {
  Run(u"var o = new Object(); o.x = 3; function count() { return arguments.length; }"
      u"function join(a, b) { return a + '/' + b; } function none() { }");
  Core::XInterface<XsltObject::CObjectHandle> o = m_binding->CreateObjectHandle(u"o");
  Core::XInterface<XsltObject::CObjectHandle> global = m_binding->CreateObjectHandle(u"");
  o->Put(u"y", Xpath::CStringValue(u"why"));
  EXPECT_EQ(o->Get(u"y")->GetString(), u"why");
  o->Delete(u"y");
  o->Delete(u"never");
  EXPECT_EQ(o->Get(u"y")->GetType(), Xpath::CValue::StringType);
  EXPECT_EQ(o->Get(u"y")->GetString(), u"");

  Xpath::CArgumentList two{new Xpath::CStringValue(u"a"), new Xpath::CNumberValue(Xpath::CNumber(1.5))};
  EXPECT_EQ(global->Call(u"join", two)->GetString(), u"a/1.5");
  EXPECT_EQ(global->Call(u"count", {})->GetNumber().GetValue(), 0.0);
  EXPECT_EQ(global->Call(u"none", {})->GetString(), u"");

  EXPECT_EQ(FailureOf([&] { o->Call(u"x", {}); }), "Object required: 'Object.x'");
  EXPECT_EQ(FailureOf([&] { o->Call(u"missing", {}); }), "Object required: 'Object.missing'");
  EXPECT_EQ(FailureOf([&] { global->Call(u"o", {}); }),
            "ECMAScript runtime error: Object does not support [[Call]] method");
  Xpath::CArgumentList nodes{new Xpath::CNodeSetValue(static_cast<Xpath::CNodeSet*>(nullptr))};
  EXPECT_EQ(FailureOf([&] { global->Call(u"count", nodes); }), "Invalid parameter type");
  EXPECT_EQ(FailureOf([&] { o->Put(u"z", *nodes[0]); }), "Invalid parameter type");
}

TEST_F(CBindingTest, PreparedCallsKeepTheirArguments) {
  Run(u"var n = 0; var limit = 2; function below(max) { n = n + 1; return n <= max; }");
  Core::XInterface<XsltObject::CObjectHandle> global = m_binding->CreateObjectHandle(u"");
  Xpath::CArgumentList limit{global->Get(u"limit")};
  Core::XInterface<XsltObject::CObjectCall> call = global->PrepareCall(u"below", limit);
  global->Put(u"limit", Xpath::CNumberValue(Xpath::CNumber(100.0)));
  EXPECT_TRUE(call->Invoke());
  EXPECT_TRUE(call->Invoke());
  EXPECT_FALSE(call->Invoke());
  EXPECT_EQ(FailureOf([&] { global->PrepareCall(u"limit", {}); }), "Object required: 'Object.limit'");
}

TEST_F(CBindingTest, ScriptFailuresSayWhereTheyHappened) {
  m_engine->SetProgramName(u"file:///lib.js");
  Run(u"function f() {\n\n  return missing;\n}\nfunction g() { return f(); }");
  Core::XInterface<XsltObject::CObjectHandle> global = m_binding->CreateObjectHandle(u"");
  // The innermost function, in the program that defined it.
  EXPECT_EQ(FailureOf([&] { global->Call(u"g", {}); }),
            "ECMAScript runtime error: GetValue: invalid reference\n    Program 'file:///lib.js'\n"
            "        function 'f' at line 3");
}

TEST(EcmaScriptInterpreterException, Message) {
  struct {
    const char16_t* program;
    const char16_t* function;
    int32_t line;
    const char* expected;
  } cases[] = {
      {u"file:///a.js", u"total", 12, "boom\n    Program 'file:///a.js'\n        function 'total' at line 12"},
      {u"file:///a.js", u"", 4, "boom\n    Program 'file:///a.js'\n        at line 4"},
      {u"file:///a.js", u"f", -1, "boom\n    Program 'file:///a.js'\n        function 'f'"},
      {u"file:///a.js", u"", -1, "boom\n    Program 'file:///a.js'"},
      {u"", u"f", 2, "boom\n    function 'f' at line 2"},
      {u"", u"", 0, "boom"},
  };
  for (const auto& c : cases) {
    struct CBoom : Core::IException {
      Core::String GetMessage() const override { return u"boom"; }
    };
    EcmaScript::CEcmaScriptException failure{CBoom()};
    failure.SetProgramName(c.program);
    failure.SetFunctionName(c.function);
    failure.SetLine(c.line);
    EXPECT_EQ(Utf8(XsltEcmaScriptPrivate::CEcmaScriptInterpreterException(failure).GetMessage()), c.expected);
  }
}

TEST(PackageExceptions, Messages) {
  using XsltEcmaScript::CXsltEcmaScriptException;
  struct {
    Core::String message;
    const char* expected;
  } cases[] = {
      {CXsltEcmaScriptException(0, u"Object", u"f").GetMessage(), "Object required: 'Object.f'"},
      {CXsltEcmaScriptException(1, u"latin1").GetMessage(), "Unsupported encoding: 'latin1'"},
      {CXsltEcmaScriptException(2, u"http://x/a.js").GetMessage(), "Resource retrieval error: 'http://x/a.js'"},
      {CXsltEcmaScriptException(3, u"X", u"ECMAScript").GetMessage(), "Mismatched object class: 'X', required 'ECMAScript'"},
      {CXsltEcmaScriptException(4).GetMessage(), "Invalid parameter type"},
      {CXsltEcmaScriptException(5).GetMessage(), "Invalid result type"},
      {CXsltEcmaScriptException(0).GetMessage(), "Object required: '.'"},
      {CXsltEcmaScriptException(6, u"UTF-8", u"file:///a.js").GetMessage(),
       "Byte-order mark does not match the encoding 'UTF-8': 'file:///a.js'"},
      {CXsltEcmaScriptException(7).GetMessage(), "Unclassified XSLT-ECMAScript exception"},
      {XsltObject::CXsltObjectException(0, u"get").GetMessage(), "Invalid number of arguments, function 'get'"},
      {XsltObject::CXsltObjectException(1, u"get").GetMessage(), "Unclassified XSLT-Object exception"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(c.message), c.expected);
}

class CImportTest : public CBindingTest {
protected:
  void SetUp() override {
    CBindingTest::SetUp();
    m_folder = std::filesystem::temp_directory_path() / ("kelto-script-import-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
  }
  void TearDown() override {
    std::filesystem::remove_all(m_folder);
    CBindingTest::TearDown();
  }
  // The URL of a new file with those bytes.
  Core::String Write(const char* name, const std::string& bytes) {
    std::ofstream((m_folder / name).string(), std::ios::binary) << bytes;
    Core::String url;
    EXPECT_TRUE(Uri::FileNameToUrl(Core::FromUtf8((m_folder / name).string()), url));
    return url;
  }

  std::filesystem::path m_folder;
};

TEST_F(CImportTest, EncodingsAndFailures) {
  // UTF-16 is big-endian; the name is found in any case.
  std::string utf16;
  for (char c : std::string("var wide = 'w\x01';")) utf16 += std::string{'\0', c};
  m_binding->ImportScript(Write("wide.js", utf16), u"utf-16");
  EXPECT_EQ(Global(u"wide")->GetString(), u"w\u0001");
  m_binding->ImportScript(Write("plain.js", "var plain = 'caf\xc3\xa9';"), u"");
  EXPECT_EQ(Global(u"plain")->GetString(), u"caf\u00e9");
  // Run each time it is imported.
  Core::String twice = Write("twice.js", "var runs; runs = runs ? runs + 1 : 1;");
  m_binding->ImportScript(twice, u"UTF-8");
  m_binding->ImportScript(twice, u"UTF-8");
  EXPECT_EQ(Global(u"runs")->GetNumber().ToDouble(), 2.0);

  EXPECT_EQ(FailureOf([&] { m_binding->ImportScript(twice, u"latin1"); }), "Unsupported encoding: 'latin1'");
  EXPECT_EQ(FailureOf([&] { m_binding->ImportScript(u"http://example.org/a.js", u""); }),
            "Resource retrieval error: 'http://example.org/a.js'");
  Core::String missing = twice.substr(0, twice.size() - 8) + u"none.js";
  EXPECT_EQ(FailureOf([&] { m_binding->ImportScript(missing, u""); }),
            "Resource retrieval error: '" + Utf8(missing) + "'");
  // A folder opens for reading here, but is no script.
  Core::String folder;
  ASSERT_TRUE(Uri::FileNameToUrl(Core::FromUtf8(m_folder.string()), folder));
  EXPECT_EQ(FailureOf([&] { m_binding->ImportScript(folder, u""); }),
            "Resource retrieval error: '" + Utf8(folder) + "'");
}

TEST_F(CImportTest, FailuresOfTheProgram) {
  // A syntax error: nothing of the program runs, the parse error names the file.
  Core::String bad = Write("bad.js", "var ran = 1;\nvar broken = (1;\n");
  try {
    m_binding->ImportScript(bad, u"");
    ADD_FAILURE() << "no failure";
  } catch (const EcmaScript::CParseError& failure) {
    EXPECT_EQ(failure.GetProgramName(), bad);
  }
  EXPECT_EQ(FailureOf([&] { m_binding->CreateObjectHandle(u"ran"); }),
            "ECMAScript runtime error: GetValue: invalid reference");
  // A failure of a top-level statement: what ran before it stays.
  Core::String failing = Write("failing.js", "var before = 1;\n\nundeclared;\n");
  EXPECT_EQ(FailureOf([&] { m_binding->ImportScript(failing, u""); }),
            "ECMAScript runtime error: GetValue: invalid reference\n    Program '" + Utf8(failing) +
                "'\n        at line 3");
  EXPECT_EQ(Global(u"before")->GetNumber().ToDouble(), 1.0);
}

} // namespace
