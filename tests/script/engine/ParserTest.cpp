#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/StringStream.h"
#include "script/engine/Program.h"
#include "script/engine/ScriptParser.h"

namespace {

using namespace EcmaScriptPrivate;
using EcmaScript::CFunctionDefinition;
using EcmaScript::XProgram;

class CRecordingHandler : public EcmaScript::IParseErrorHandler {
public:
  explicit CRecordingHandler(int limit = 1000) : m_limit(limit) {}
  bool Report(int32_t line, const Core::String& message) override {
    errors.push_back(std::to_string(line) + ": " + Core::ToUtf8(message));
    return static_cast<int>(errors.size()) < m_limit;
  }
  std::vector<std::string> errors;

private:
  int m_limit;
};

struct CParsed {
  std::string text;  // the elements' printed texts joined by "|"
  std::vector<std::string> errors;
  bool hadErrors = false;
  XProgram program;
};

CParsed Parse(const std::string& source, int limit = 1000) {
  CScriptParser parser;
  Core::XInterface<CRecordingHandler> handler(new CRecordingHandler(limit));
  parser.SetErrorHandler(handler.Get());
  Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(Core::FromUtf8(source)));
  CParsed parsed;
  parsed.program = parser.ParseProgram(stream.Get());
  parsed.hadErrors = parser.HadErrors();
  parsed.errors = handler->errors;
  for (const auto& element : parsed.program->GetElements()) {
    if (!parsed.text.empty()) parsed.text += "|";
    if (CStatement* statement = element->GetStatement()) parsed.text += Core::ToUtf8(statement->Print());
    else parsed.text += Core::ToUtf8(element->GetFunction()->GetSourceText());
  }
  return parsed;
}

TEST(ScriptParser, StatementsAndRecovery) {
  struct {
    const char* source;
    const char* text;
    std::vector<std::string> errors;
  } const cases[] = {
      {"x = 1\ny = 2", "x = 1;|y = 2;", {}},
      {"x = 1 y = 2", ";", {"1: Missing semicolon"}},
      {"{ x = 1 }", "{ x = 1; }", {}},
      {"return\n++b", "return;|++b;", {}},
      {"a\n++b", "a;|++b;", {}},
      {"a++", "a++;", {}},
      {"a--\n", "a--;", {}},
      {"return }", ";", {"1: Invalid primary expression"}},
      {"return; return 1", "return;|return 1;", {}},
      {"{ x = ; y = 1; }", "{ ; y = 1; }", {"1: Invalid primary expression"}},
      {"{ x = }\ny = 1;", "{ ; y = 1; ; }", {"1: Invalid primary expression", "2: Invalid primary expression"}},
      {"{ { x( } y = 1; }", "{ { ; y = 1; } ; }", {"1: Invalid primary expression", "1: Invalid primary expression"}},
      {"f(a }", ";", {"1: Missing right parenthesis"}},
      {"do x;", ";", {"1: Invalid primary expression"}},
      {"var switch;", ";", {"1: Missing variable name"}},
      {"try;\nthrow;\nclass;\ngoto;", ";|;|;|;",
       {"1: Invalid primary expression", "2: Invalid primary expression", "3: Invalid primary expression",
        "4: Invalid primary expression"}},
      {"a in b", ";", {"1: Missing semicolon"}},
      {"a instanceof b", ";", {"1: Missing semicolon"}},
      {"[1]; x = {}; /x/; function () {}", ";|;|;|;|function anonymous() { }|;",
       {"1: Invalid primary expression", "1: Invalid primary expression", "1: Invalid primary expression",
        "1: Missing function name", "1: Invalid primary expression"}},
      {"function (a) { b }\nc;", "function anonymous() { }|;|c;",
       {"1: Missing function name", "1: Missing semicolon"}},
      {"function f(a b) {}", "function anonymous() { }|;", {"1: Missing comma", "1: Missing semicolon"}},
      {"{ function g() {} }", "{ ; }", {"1: Invalid primary expression"}},
      {"function f() { function g() {} }", "function f() { ; }", {"1: Invalid primary expression"}},
      {"x + y = 1", ";", {"1: Left-hand-side expression required"}},
      {"a + b += 1", ";", {"1: Left-hand-side expression required"}},
      {"1 = 2; (a) = 1", "1 = 2;|(a) = 1;", {}},
      {"a.if", ";", {"1: Missing property name"}},
      {"a[1", ";", {"1: Missing right bracket"}},
      {"f(a", ";", {"1: Missing right parenthesis"}},
      {"x ? y;", ";", {"1: Missing colon"}},
      {"if x;", ";", {"1: Missing left parenthesis"}},
      {"for (var i = 0, j = 1; i < j; i++) ;", "for (var i = 0, j = 1; i < j; i++) ;", {}},
      {"for (var k in o) ;", "for (var k in o) ;", {}},
      {"for (o.p in o) ;", "for (o.p in o) ;", {}},
      {"for (;;) x();", "for ( ;  ;  ) x();", {}},
      {"for (a; b) x;", ";", {"1: Missing semicolon"}},
      {"a = b = c; a - b - c; a ? b : c ? d : e; c ? t : x = 1", "a = b = c;|a - b - c;|a ? b : c ? d : e;|c ? t : x = 1;",
       {}},
      {"new X; new X(); new a.b(1)(2); new new X()(); f()()", "new X();|new X();|new a.b(1)(2);|new new X()();|f()();",
       {}},
      {"typeof typeof x; - -x; !!x; x--y", "typeof typeof x;|--x;|!!x;|;", {"1: Missing semicolon"}},
      {"f(a, b); f((a, b))", "f(a, b);|f((a, b));", {}},
      {"s = 'a\\tb\\r\\n\\\"\\'\\\\'", "s = \"a\tb\\r\\n\\\"'\\\\\";", {}},
      {"x = 1.50 + 0x1F + 010 + 1e21", "x = 1.5 + 31 + 8 + 1e+21;", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    CParsed parsed = Parse(c.source);
    EXPECT_EQ(parsed.text, c.text);
    EXPECT_EQ(parsed.errors, c.errors);
    EXPECT_EQ(parsed.hadErrors, !c.errors.empty());
  }
}

TEST(ScriptParser, EmptySourceReportsTheLastLine) {
  CParsed empty = Parse("");
  EXPECT_EQ(empty.errors, std::vector<std::string>{"1: Unexpected end of stream"});
  CParsed blank = Parse("\n  // comment\n\n");
  EXPECT_EQ(blank.errors, std::vector<std::string>{"4: Unexpected end of stream"});
  EXPECT_TRUE(blank.hadErrors);
}

TEST(ScriptParser, LinesOfStatementsAndFunctions) {
  CScriptParser parser;
  parser.SetFirstLine(10);
  parser.SetProgramName(u"p.js");
  Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(u"a;\n\nfunction f() {\n  b;\n}\nc;"));
  XProgram program = parser.ParseProgram(stream.Get());
  ASSERT_FALSE(parser.HadErrors());
  const auto& elements = program->GetElements();
  ASSERT_EQ(elements.GetSize(), 3);
  EXPECT_EQ(elements[0]->GetStatement()->GetLine(), 10);
  CFunctionDefinition* f = elements[1]->GetFunction();
  EXPECT_EQ(f->GetLine(), 12);
  EXPECT_EQ(f->GetProgramName(), u"p.js");
  EXPECT_EQ(f->GetBody().GetAt(0)->GetLine(), 13);
  EXPECT_EQ(elements[2]->GetStatement()->GetLine(), 15);

  CScriptParser eval;
  eval.SetEvalCode();
  XProgram code = eval.ParseEvalCode(u"a;\nfunction g() { b; }");
  ASSERT_FALSE(eval.HadErrors());
  EXPECT_EQ(code->GetElements()[0]->GetStatement()->GetLine(), -1);
  EXPECT_EQ(code->GetFunctions()[0]->GetLine(), -1);
  EXPECT_EQ(code->GetFunctions()[0]->GetBody().GetAt(0)->GetLine(), -1);
}

TEST(ScriptParser, DeclaredVariablesGoToTheirFunction) {
  CParsed parsed = Parse("var a, b = 1; function f(p) { var c; for (var d in o) ; } for (var e = 0;;) ; var a;");
  ASSERT_FALSE(parsed.hadErrors);
  std::string program, function;
  for (const auto& name : parsed.program->GetVariables()) program += Core::ToUtf8(name.GetText());
  for (const auto& name : parsed.program->GetFunctions()[0]->GetVariables()) function += Core::ToUtf8(name.GetText());
  EXPECT_EQ(program, "abea");
  EXPECT_EQ(function, "cd");
}

// Input that ends inside blocks or bodies ends the parse after one report,
// with a handler that never asks to stop and without any handler.
TEST(ScriptParser, EndOfInputInsideBlocks) {
  for (const char* source : {"{", "{ { {", "function f() {", "function f() { if (a) { x = 1;", "while (a) {"}) {
    SCOPED_TRACE(source);
    CParsed parsed = Parse(source);
    EXPECT_EQ(parsed.errors.size(), 1u);
    EXPECT_TRUE(parsed.hadErrors);
    CScriptParser eval;
    eval.SetEvalCode();
    eval.ParseEvalCode(Core::FromUtf8(source));
    EXPECT_TRUE(eval.HadErrors());
  }
}

// Nesting past the limit is reported once and ends the parse; this holds
// for recursion (parentheses, blocks, prefixes, conditionals) and for long
// chains built in loops alike, so that no tree gets deeper than the limit.
TEST(ScriptParser, NestingTooDeep) {
  const int n = CScriptParser::kMaxNesting + 10;
  auto repeat = [](const std::string& s, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += s;
    return out;
  };
  const std::string sources[] = {
      "x = " + repeat("(", n) + "1" + repeat(")", n) + "; y = 1;",
      repeat("{", n) + repeat("}", n),
      repeat("if (a) ", n) + "b;",
      "x = " + repeat("- ", n) + "a;",
      "x = " + repeat("a ? b : ", n) + "c;",
      "x = a" + repeat(" + a", 100000) + ";",
      "x = a" + repeat(".b", 100000) + ";",
      "x = f" + repeat("()", 100000) + ";",
      "x = " + repeat("new ", 100000) + "X;",
      "x = a" + repeat(", a", 100000) + ";",
      "x = a" + repeat(" = a", n) + ";",
      "x = " + repeat("a[", n) + "0" + repeat("]", n) + ";",
  };
  for (const std::string& source : sources) {
    SCOPED_TRACE(source.substr(0, 40));
    CParsed parsed = Parse(source + "\nz = (;");
    EXPECT_EQ(parsed.errors, std::vector<std::string>{"1: Nesting too deep"});
    EXPECT_TRUE(parsed.hadErrors);
  }
  // Just inside the limit parses.
  CParsed inside = Parse("x = " + repeat("(", CScriptParser::kMaxNesting - 3) + "1" +
                         repeat(")", CScriptParser::kMaxNesting - 3) + ";");
  EXPECT_TRUE(inside.errors.empty());
}

TEST(ScriptParser, HandlerLimitEndsTheParse) {
  std::string source;
  for (int i = 0; i < 150; ++i) source += "var ;\n";
  CParsed parsed = Parse(source, 100);
  EXPECT_EQ(parsed.errors.size(), 100u);
  EXPECT_EQ(parsed.errors.back(), "100: Missing variable name");
  EXPECT_TRUE(parsed.hadErrors);
}

TEST(ScriptParser, FunctionConstructorTexts) {
  struct {
    const char16_t* parameters;
    const char16_t* body;
    bool parametersFail;
    bool bodyFails;
    const char* source;
  } const cases[] = {
      {u"a,b", u"return a + b", false, false, "function anonymous(a, b) { return a + b; }"},
      {u"", u"", false, false, "function anonymous() { }"},
      {u"a b", u"", true, false, nullptr},
      {u"a,", u"", true, false, nullptr},
      {u"a,,b", u"", true, false, nullptr},
      {u"if", u"", true, false, nullptr},
      {u"a", u"return )", false, true, nullptr},
      {u"a", u"function g() {}", false, true, nullptr},
      {u"a", u"{", false, true, nullptr},
      {u"a", u"var v; x = 1\ny = 2", false, false, "function anonymous(a) { var v; x = 1; y = 2; }"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Core::ToUtf8(c.parameters) + " / " + Core::ToUtf8(c.body));
    Core::XInterface<CFunctionDefinition> definition(new CFunctionDefinition(EcmaScript::CPropertyName(u"anonymous")));
    CScriptParser parser;
    parser.ParseFormalParameters(c.parameters, definition.Get());
    EXPECT_EQ(parser.HadErrors(), c.parametersFail);
    if (c.parametersFail) continue;
    parser.ParseFunctionBody(c.body, definition.Get());
    EXPECT_EQ(parser.HadErrors(), c.bodyFails);
    if (c.source) {
      EXPECT_EQ(Core::ToUtf8(definition->GetSourceText()), c.source);
    }
  }
}

} // namespace
