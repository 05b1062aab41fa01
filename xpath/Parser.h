#pragma once
// The recursive-descent XPath parser: one operation per grammar production,
// each reading tokens from the tokenizer and returning a counted expression.
// The pattern parser reuses the token primitives and the axis, node-test and
// expression productions.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Axis.h"
#include "xpath/Expr.h"
#include "xpath/NodeTest.h"
#include "xpath/PathExpr.h"
#include "xpath/Tokenizer.h"

namespace XpathPrivate {

class CParser {
public:
  // Expressions nested deeper than this (parentheses, predicates, function
  // arguments, unary minus signs) are a syntax error, so that parsing and
  // evaluation stay within the stack.
  static constexpr int32_t MaxNesting = 256;

  CParser() = default;
  virtual ~CParser() = default;

  // Parses a whole expression; raises Xpath::CXpathException on the first error.
  Core::XInterface<Xpath::CExpr>& Parse(Core::XInterface<Xpath::CExpr>& out, Core::StringView text);

  // Token primitives on the current token.
  bool Accept(int32_t kind);
  bool AcceptWithCode(int32_t kind, int32_t& code);
  bool AcceptNumber(int32_t kind, Xpath::CNumber& number);
  bool AcceptWithText(int32_t kind, Core::String& text);
  bool AcceptOperatorName(int32_t code);
  void Expect(int32_t kind, int32_t errorCode);
  bool IsAbbreviatedStep() const;
  bool StartsStep() const;
  bool StartsLocationPath() const;
  static void SplitQName(Core::StringView name, Core::String& prefix, Core::String& localName);

  // Productions.
  Core::XInterface<Xpath::CExpr> ParseExpr();
  Core::XInterface<Xpath::CExpr> ParseOrExpr();
  Core::XInterface<Xpath::CExpr> ParseAndExpr();
  Core::XInterface<Xpath::CExpr> ParseEqualityExpr();
  Core::XInterface<Xpath::CExpr> ParseRelationalExpr();
  Core::XInterface<Xpath::CExpr> ParseAdditiveExpr();
  Core::XInterface<Xpath::CExpr> ParseMultiplicativeExpr();
  Core::XInterface<Xpath::CExpr> ParseUnaryExpr();
  Core::XInterface<Xpath::CExpr> ParseUnionExpr();
  Core::XInterface<Xpath::CExpr> ParsePathExpr();
  Core::XInterface<Xpath::CExpr> ParseFilterExpr();
  Core::XInterface<Xpath::CExpr> ParsePrimaryExpr();
  Core::XInterface<Xpath::CExpr> ParseFunctionCall(Core::String prefix, Core::String localName);
  Core::XInterface<Xpath::CExpr> ParseLocationPath();
  void ParseSteps(Xpath::CPathExpr& path, bool stepRequired);
  Core::XInterface<Xpath::CStepExpr> ParseStep();
  Core::XInterface<Xpath::CStepExpr> ParseAbbreviatedStep();
  Core::XInterface<Xpath::CAxis> ParseAxisSpecifier();
  Core::XInterface<Xpath::CAxis> ParseAbbreviatedAxisSpecifier();
  Core::XInterface<Xpath::CNodeTest> ParseNodeTest();

  CTokenizer& GetTokenizer() { return m_tokenizer; }
  CToken& GetCurrentToken() { return m_token; }
  void ReadToken() { m_tokenizer.NextToken(m_token); }

private:
  // Counts one level of nesting while alive.
  class CNestingGuard {
  public:
    CNestingGuard(CParser& parser, int32_t levels = 1);
    ~CNestingGuard() { m_parser.m_depth -= m_levels; }
    CNestingGuard(const CNestingGuard&) = delete;
    CNestingGuard& operator=(const CNestingGuard&) = delete;

  private:
    CParser& m_parser;
    int32_t m_levels;
  };

  CTokenizer m_tokenizer;
  CToken m_token;
  int32_t m_depth = 0;
};

// The axis object of a code of the axis-name table.
Core::XInterface<Xpath::CAxis> CreateAxis(int32_t axisNameCode);

} // namespace XpathPrivate
