#include "script/engine/ScriptParser.h"

#include "core/StringStream.h"
#include "script/engine/IterationStatements.h"
#include "script/engine/MemberExpressions.h"
#include "script/engine/ParserException.h"
#include "script/engine/ScannerException.h"
#include "script/engine/Statements.h"

namespace EcmaScriptPrivate {

using EcmaScript::CFunctionDefinition;
using EcmaScript::CProgram;
using EcmaScript::XFunctionDefinition;
using EcmaScript::XProgram;

CScriptParser::CScriptParser() = default;
CScriptParser::~CScriptParser() = default;

void CScriptParser::SetErrorHandler(EcmaScript::IParseErrorHandler* handler) {
  m_handler = handler;
  m_scanner.SetErrorHandler(handler);
}

void CScriptParser::Intern(EcmaScript::CPropertyName& name) {
  EcmaScript::CNameText* text = name.GetSharedText();
  if (!text) return;
  auto found = m_names.find(text->GetText());
  if (found == m_names.end()) {
    m_names.emplace(text->GetText(), text);
  } else if (found->second.Get() != text) {
    name = EcmaScript::CPropertyName(found->second.Get(), name.GetCachedHash());
  }
}

bool CScriptParser::Accept(int32_t kind) {
  if (m_token.kind != kind) return false;
  Read();
  return true;
}

bool CScriptParser::AcceptName(int32_t kind, EcmaScript::CPropertyName& name) {
  if (m_token.kind != kind) return false;
  name = m_token.name;
  Read();
  return true;
}

void CScriptParser::Expect(int32_t kind, int32_t code) {
  if (!Accept(kind)) Error(code);
}

void CScriptParser::ExpectName(int32_t kind, EcmaScript::CPropertyName& name, int32_t code) {
  if (!AcceptName(kind, name)) Error(code);
}

void CScriptParser::ExpectSemicolon() {
  if (Accept(TokenSemicolon)) return;
  if (m_token.newlineBefore || m_token.kind == TokenRightBrace || m_token.kind == TokenEnd) return;
  Error(CParserException::MissingSemicolon);
}

void CScriptParser::Error(int32_t code) {
  CParserException error(code);
  m_hadError = true;
  if (m_token.kind == TokenEnd) m_endReported = true;
  if (m_handler && !m_handler->Report(m_scanner.GetLine(), error.GetMessage())) {
    throw CParserException(CParserException::ErrorLimitExceeded);
  }
  throw error;
}

void CScriptParser::NestingTooDeep() { Error(CParserException::NestingTooDeep); }

XProgram CScriptParser::ParseProgram(Core::IUnicodeStream* source) {
  m_hadError = false;
  m_endReported = false;
  m_nesting = 0;
  m_scanner.SetInput(source);
  m_program = new CProgram;
  m_program->SetName(m_programName);
  try {
    Read();
    // Eval code may be empty (eval('') gives undefined); a source may not.
    if (m_token.kind == TokenEnd && !m_evalCode) Error(CParserException::UnexpectedEnd);
    while (m_token.kind != TokenEnd) {
      if (m_token.kind == TokenFunction) {
        XFunctionDefinition definition = ParseFunctionDeclaration();
        m_program->AddFunction(definition.Get());
      } else {
        XStatement statement = ParseStatement();
        m_program->AddStatement(statement.Get());
      }
    }
  } catch (const CParserException&) {
  } catch (const CScannerException&) {
  }
  XProgram program = std::move(m_program);
  m_evalCode = false;
  SetErrorHandler(nullptr);
  return program;
}

XProgram CScriptParser::ParseEvalCode(Core::StringView text) {
  Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(text));
  return ParseProgram(stream.Get());
}

void CScriptParser::StartText(Core::StringView text) {
  m_evalCode = true;
  m_hadError = false;
  m_endReported = false;
  m_nesting = 0;
  m_scanner.SetInput(new Core::CStringStream(text));
  m_program = nullptr;
}

void CScriptParser::Finish() {
  m_function = nullptr;
  m_evalCode = false;
  SetErrorHandler(nullptr);
}

void CScriptParser::ParseFormalParameters(Core::StringView text, CFunctionDefinition* definition) {
  StartText(text);
  m_function = definition;
  try {
    Read();
    if (m_token.kind != TokenEnd) {
      for (;;) {
        EcmaScript::CPropertyName name;
        ExpectName(TokenIdentifier, name, CParserException::MissingParameterName);
        definition->AddParameter(name);
        if (Accept(TokenEnd)) break;
        Expect(TokenComma, CParserException::MissingComma);
      }
    }
  } catch (const CParserException&) {
    m_function = nullptr;
    return;
  } catch (const CScannerException&) {
    m_function = nullptr;
    return;
  }
  Finish();
}

void CScriptParser::ParseFunctionBody(Core::StringView text, CFunctionDefinition* definition) {
  StartText(text);
  m_function = definition;
  try {
    Read();
    while (!Accept(TokenEnd)) {
      XStatement statement = ParseStatement();
      definition->AppendStatement(statement.Get());
    }
  } catch (const CParserException&) {
    m_function = nullptr;
    return;
  } catch (const CScannerException&) {
    m_function = nullptr;
    return;
  }
  Finish();
}

template <class Sink>
void CScriptParser::ParseStatementsUntilBrace(Sink&& append) {
  while (!Accept(TokenRightBrace)) {
    // Recovery skips nothing at the end of the input, so without this the
    // loop would report the same error at every pass.
    if (m_token.kind == TokenEnd && m_endReported) break;
    XStatement statement = ParseStatement();
    append(statement.Get());
  }
}

XFunctionDefinition CScriptParser::ParseFunctionDeclaration() {
  int32_t line = m_scanner.GetLine();
  Read();
  XFunctionDefinition definition;
  try {
    EcmaScript::CPropertyName name;
    ExpectName(TokenIdentifier, name, CParserException::MissingFunctionName);
    definition = new CFunctionDefinition(name);
    m_function = definition;
    definition->SetProgramName(m_programName);
    if (!m_evalCode) definition->SetLine(line);
    Expect(TokenLeftParen, CParserException::MissingLeftParenthesis);
    if (!Accept(TokenRightParen)) {
      for (;;) {
        EcmaScript::CPropertyName parameter;
        ExpectName(TokenIdentifier, parameter, CParserException::MissingParameterName);
        definition->AddParameter(parameter);
        if (Accept(TokenRightParen)) break;
        Expect(TokenComma, CParserException::MissingComma);
      }
    }
    Expect(TokenLeftBrace, CParserException::MissingLeftBrace);
  } catch (const CParserException& error) {
    m_function = nullptr;
    if (error.IsFatal()) throw;
    definition = nullptr;
  } catch (const CScannerException& error) {
    m_function = nullptr;
    if (error.IsFatal()) throw;
    definition = nullptr;
  }
  if (!definition) {
    // An empty function stands in for the broken header; parsing goes on
    // at the token where the error was found.
    XFunctionDefinition anonymous(new CFunctionDefinition(EcmaScript::CPropertyName(u"anonymous", -1)));
    anonymous->SetProgramName(m_programName);
    if (!m_evalCode) anonymous->SetLine(line);
    return anonymous;
  }
  try {
    ParseStatementsUntilBrace([&](CStatement* statement) { definition->AppendStatement(statement); });
  } catch (...) {
    m_function = nullptr;
    throw;
  }
  m_function = nullptr;
  return definition;
}

void CScriptParser::SkipToStatementEnd() {
  while (m_token.kind != TokenEnd) {
    if (m_token.kind == TokenSemicolon || m_token.kind == TokenRightBrace) {
      Read();
      return;
    }
    Read();
  }
}

XStatement CScriptParser::ParseStatement() {
  CNestingGuard nesting(*this);
  int32_t line = m_scanner.GetLine();
  XStatement statement;
  try {
    statement = ParseStatementBody();
  } catch (const CParserException& error) {
    if (error.IsFatal()) throw;
    SkipToStatementEnd();
    statement = new CEmptyStatement;
  } catch (const CScannerException& error) {
    if (error.IsFatal()) throw;
    SkipToStatementEnd();
    statement = new CEmptyStatement;
  }
  if (!m_evalCode) statement->SetLine(line);
  return statement;
}

XStatement CScriptParser::ParseStatementBody() {
  switch (m_token.kind) {
  case TokenLeftBrace: {
    Read();
    Core::XInterface<CBlockStatement> block(new CBlockStatement);
    ParseStatementsUntilBrace([&](CStatement* statement) { block->Append(statement); });
    return XStatement(block.Get());
  }
  case TokenVar: {
    Read();
    Core::XInterface<CVariableStatement> statement(new CVariableStatement);
    do {
      Core::XInterface<CVariableDeclaration> declaration = ParseVariableDeclaration();
      statement->Append(declaration.Get());
    } while (Accept(TokenComma));
    ExpectSemicolon();
    return XStatement(statement.Get());
  }
  case TokenSemicolon:
    Read();
    return XStatement(new CEmptyStatement);
  case TokenIf: {
    Read();
    Expect(TokenLeftParen, CParserException::MissingLeftParenthesis);
    XExpression condition = ParseExpression();
    Expect(TokenRightParen, CParserException::MissingRightParenthesis);
    XStatement thenStatement = ParseStatement();
    if (Accept(TokenElse)) {
      XStatement elseStatement = ParseStatement();
      return XStatement(new CIfStatement(condition.Get(), thenStatement.Get(), elseStatement.Get()));
    }
    return XStatement(new CIfStatement(condition.Get(), thenStatement.Get()));
  }
  case TokenWhile: {
    Read();
    Expect(TokenLeftParen, CParserException::MissingLeftParenthesis);
    XExpression condition = ParseExpression();
    Expect(TokenRightParen, CParserException::MissingRightParenthesis);
    XStatement body = ParseStatement();
    return XStatement(new CWhileStatement(condition.Get(), body.Get()));
  }
  case TokenFor:
    Read();
    return ParseFor();
  case TokenContinue:
    Read();
    ExpectSemicolon();
    return XStatement(new CContinueStatement);
  case TokenBreak:
    Read();
    ExpectSemicolon();
    return XStatement(new CBreakStatement);
  case TokenReturn: {
    Read();
    if (m_token.newlineBefore || Accept(TokenSemicolon)) return XStatement(new CReturnStatement);
    XExpression value = ParseExpression();
    ExpectSemicolon();
    return XStatement(new CReturnStatement(value.Get()));
  }
  case TokenWith: {
    Read();
    Expect(TokenLeftParen, CParserException::MissingLeftParenthesis);
    XExpression object = ParseExpression();
    Expect(TokenRightParen, CParserException::MissingRightParenthesis);
    XStatement body = ParseStatement();
    return XStatement(new CWithStatement(object.Get(), body.Get()));
  }
  default: {
    XExpression expression = ParseExpression();
    ExpectSemicolon();
    return XStatement(new CExpressionStatement(expression.Get()));
  }
  }
}

XStatement CScriptParser::ParseFor() {
  Expect(TokenLeftParen, CParserException::MissingLeftParenthesis);
  Core::XInterface<CVariableDeclarationList> declarations;
  XExpression initialiser;
  if (Accept(TokenVar)) {
    Core::XInterface<CVariableDeclaration> declaration = ParseVariableDeclaration();
    if (Accept(TokenIn)) {
      XExpression object = ParseExpression();
      Expect(TokenRightParen, CParserException::MissingRightParenthesis);
      XStatement body = ParseStatement();
      return XStatement(new CForInStatement(declaration.Get(), object.Get(), body.Get()));
    }
    declarations = new CVariableDeclarationList;
    declarations->Append(declaration.Get());
    while (Accept(TokenComma)) {
      Core::XInterface<CVariableDeclaration> next = ParseVariableDeclaration();
      declarations->Append(next.Get());
    }
  } else {
    if (m_token.kind != TokenSemicolon) initialiser = ParseExpression();
    if (Accept(TokenIn)) {
      XExpression object = ParseExpression();
      Expect(TokenRightParen, CParserException::MissingRightParenthesis);
      XStatement body = ParseStatement();
      return XStatement(new CForInStatement(initialiser.Get(), object.Get(), body.Get()));
    }
  }
  Expect(TokenSemicolon, CParserException::MissingSemicolon);
  XExpression test;
  if (!Accept(TokenSemicolon)) {
    test = ParseExpression();
    Expect(TokenSemicolon, CParserException::MissingSemicolon);
  }
  XExpression update;
  if (!Accept(TokenRightParen)) {
    update = ParseExpression();
    Expect(TokenRightParen, CParserException::MissingRightParenthesis);
  }
  XStatement body = ParseStatement();
  if (declarations) {
    return XStatement(new CForStatement(declarations.Get(), test.Get(), update.Get(), body.Get()));
  }
  return XStatement(new CForStatement(initialiser.Get(), test.Get(), update.Get(), body.Get()));
}

Core::XInterface<CVariableDeclaration> CScriptParser::ParseVariableDeclaration() {
  EcmaScript::CPropertyName name;
  ExpectName(TokenIdentifier, name, CParserException::MissingVariableName);
  if (m_function) m_function->AddVariable(name);
  else if (m_program) m_program->AddVariable(name);
  if (Accept(TokenAssign)) {
    XExpression initialiser = ParseAssignmentExpression();
    return Core::XInterface<CVariableDeclaration>(new CVariableDeclaration(name, initialiser.Get()));
  }
  return Core::XInterface<CVariableDeclaration>(new CVariableDeclaration(name));
}

} // namespace EcmaScriptPrivate
