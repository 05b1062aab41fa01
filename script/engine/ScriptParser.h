#pragma once
// The recursive-descent parser of the script language: whole programs (the
// engine, eval) and the parameter list and body of the Function
// constructor. A parse never fails by exception: every syntax error is
// reported through the handler (when one is set), counted and skipped, and
// the caller asks HadErrors afterwards.
//
// After an error the innermost statement being parsed recovers: tokens are
// skipped up to and including the next ";" or "}" and the statement
// becomes an empty one. The handler ends the whole parse by answering
// false; so does nesting deeper than kMaxNesting (statements, expressions,
// and long operator chains alike), so that every later walk of the tree
// (running, printing, destroying) recurses a bounded depth, and nesting
// that would leave less than kStackReserve of the stack (a small stack
// limit, or eval and the Function constructor deep in a recursion).
#include <cstdint>
#include <unordered_map>

#include "core/Interface.h"
#include "core/StackLimit.h"
#include "core/Stream.h"
#include "core/String.h"
#include "script/engine/ParseErrorHandler.h"
#include "script/engine/ParseTree.h"
#include "script/engine/Program.h"
#include "script/engine/Scanner.h"
#include "script/engine/Token.h"

namespace EcmaScriptPrivate {

class CArgumentListExpression;
class CVariableDeclaration;

class CScriptParser {
public:
  // The deepest nesting accepted; syntax error 16 beyond it.
  static constexpr int32_t kMaxNesting = 400;
  // Stack a nesting level must find left: room for the report of the
  // error and the unwinding of the levels.
#if defined(KELTO_SANITIZED)
  static constexpr uintptr_t kStackReserve = uintptr_t(128) << 10;
#else
  static constexpr uintptr_t kStackReserve = uintptr_t(64) << 10;
#endif

  CScriptParser();
  ~CScriptParser();
  CScriptParser(const CScriptParser&) = delete;
  CScriptParser& operator=(const CScriptParser&) = delete;

  // Text given at run time: statements and functions get no line numbers.
  void SetEvalCode() { m_evalCode = true; }
  void SetErrorHandler(EcmaScript::IParseErrorHandler* handler);
  void SetProgramName(Core::String name) { m_programName = std::move(name); }
  // The number of the source's first line.
  void SetFirstLine(int32_t line) { m_scanner.SetLine(line); }

  EcmaScript::XProgram ParseProgram(Core::IUnicodeStream* source);
  EcmaScript::XProgram ParseEvalCode(Core::StringView text);
  // A comma-separated list of identifiers into the definition's parameters.
  void ParseFormalParameters(Core::StringView text, EcmaScript::CFunctionDefinition* definition);
  // Statements into the definition's body.
  void ParseFunctionBody(Core::StringView text, EcmaScript::CFunctionDefinition* definition);

  bool HadErrors() const { return m_hadError || m_scanner.HadErrors(); }

private:
  friend class CNestingGuard;

  void Read() {
    m_scanner.NextToken(m_token);
    if (m_token.kind == TokenIdentifier) Intern(m_token.name);
  }
  // Makes every occurrence of a name share one text, so that property
  // lookups mostly compare text pointers.
  void Intern(EcmaScript::CPropertyName& name);
  bool Accept(int32_t kind);
  bool AcceptName(int32_t kind, EcmaScript::CPropertyName& name);
  void Expect(int32_t kind, int32_t code);
  void ExpectName(int32_t kind, EcmaScript::CPropertyName& name, int32_t code);
  void ExpectSemicolon();
  // Reports the error and throws it (or the fatal error-limit exception
  // when the handler asks to stop).
  [[noreturn]] void Error(int32_t code);
  [[noreturn]] void NestingTooDeep();
  void StartText(Core::StringView text);
  void Finish();

  EcmaScript::XFunctionDefinition ParseFunctionDeclaration();
  XStatement ParseStatement();
  XStatement ParseStatementBody();
  XStatement ParseFor();
  // Statements up to the closing brace into the block or body; at the end
  // of the input, after one error was reported there, the loop gives up.
  template <class Sink>
  void ParseStatementsUntilBrace(Sink&& append);
  Core::XInterface<CVariableDeclaration> ParseVariableDeclaration();
  // Skips to the next ";" or "}" (consumed) or the end of the input.
  void SkipToStatementEnd();

  XExpression ParseExpression();
  XExpression ParseAssignmentExpression();
  // The binary operators from || to * / %, by precedence climbing.
  XExpression ParseBinaryExpression(int32_t minimumLevel);
  // The operators of at least the level that follow the left operand.
  XExpression ParseBinaryRest(XExpression left, int32_t minimumLevel);
  XExpression ParseUnaryExpression();
  XExpression ParsePostfixExpression();
  XExpression ParseLeftHandSideExpression();
  // After "(": the arguments and ")".
  Core::XInterface<CArgumentListExpression> ParseArgumentList();
  XExpression ParsePrimaryExpression();
  // Gives a new node its height (one more than its tallest child) and
  // stops the parse when it passes the nesting limit.
  XExpression Grown(CExpression* node, const CExpression* a, const CExpression* b = nullptr,
                    const CExpression* c = nullptr);

  bool m_evalCode = false;
  Core::XInterface<EcmaScript::IParseErrorHandler> m_handler;
  Core::String m_programName;
  bool m_hadError = false;
  // An error was reported at the end of the input.
  bool m_endReported = false;
  CScanner m_scanner;
  CToken m_token;
  EcmaScript::XProgram m_program;
  EcmaScript::XFunctionDefinition m_function;
  int32_t m_nesting = 0;
  // Keyed by views of the texts they hold.
  std::unordered_map<Core::StringView, Core::XInterface<EcmaScript::CNameText>> m_names;
};

// One level of nesting for the scope of a recursive parse step.
class CNestingGuard {
public:
  explicit CNestingGuard(CScriptParser& parser) : m_parser(parser) {
    if (++m_parser.m_nesting > CScriptParser::kMaxNesting || Core::GetStackRoom() < CScriptParser::kStackReserve)
      m_parser.NestingTooDeep();
  }
  ~CNestingGuard() { --m_parser.m_nesting; }
  CNestingGuard(const CNestingGuard&) = delete;
  CNestingGuard& operator=(const CNestingGuard&) = delete;

private:
  CScriptParser& m_parser;
};

} // namespace EcmaScriptPrivate
