// The expression half of the parser: one step per precedence level, from
// the comma expression down to the primary expressions.
#include <algorithm>

#include "script/engine/AssignmentExpressions.h"
#include "script/engine/BinaryOperators.h"
#include "script/engine/ComparisonExpressions.h"
#include "script/engine/MemberExpressions.h"
#include "script/engine/ParserException.h"
#include "script/engine/PrimaryExpressions.h"
#include "script/engine/ScriptParser.h"
#include "script/engine/UnaryOperators.h"

namespace EcmaScriptPrivate {

namespace {

template <class T>
CExpression* MakeBinary(CExpression* left, CExpression* right) {
  return new T(left, right);
}

template <class T>
CExpression* MakeUnary(CExpression* operand) {
  return new T(operand);
}

using BinaryFactory = CExpression* (*)(CExpression*, CExpression*);
using UnaryFactory = CExpression* (*)(CExpression*);

// The binary operators by token: their level, from 0 (||) to 9 (* / %),
// and their node. All are left-associative.
struct CBinaryOperator {
  int32_t level;
  BinaryFactory make;
};

const CBinaryOperator* FindBinaryOperator(int32_t kind) {
  static const CBinaryOperator orOr{0, MakeBinary<CLogicalOrExpression>};
  static const CBinaryOperator andAnd{1, MakeBinary<CLogicalAndExpression>};
  static const CBinaryOperator bitOr{2, MakeBinary<CBitwiseOrExpression>};
  static const CBinaryOperator bitXor{3, MakeBinary<CBitwiseXorExpression>};
  static const CBinaryOperator bitAnd{4, MakeBinary<CBitwiseAndExpression>};
  static const CBinaryOperator equal{5, MakeBinary<CEqualsExpression>};
  static const CBinaryOperator notEqual{5, MakeBinary<CNotEqualsExpression>};
  static const CBinaryOperator less{6, MakeBinary<CLessThanExpression>};
  static const CBinaryOperator greater{6, MakeBinary<CGreaterThanExpression>};
  static const CBinaryOperator lessEqual{6, MakeBinary<CLessOrEqualExpression>};
  static const CBinaryOperator greaterEqual{6, MakeBinary<CGreaterOrEqualExpression>};
  static const CBinaryOperator shiftLeft{7, MakeBinary<CShiftLeftExpression>};
  static const CBinaryOperator shiftRight{7, MakeBinary<CShiftRightExpression>};
  static const CBinaryOperator unsignedShiftRight{7, MakeBinary<CUnsignedShiftRightExpression>};
  static const CBinaryOperator plus{8, MakeBinary<CAddExpression>};
  static const CBinaryOperator minus{8, MakeBinary<CSubtractExpression>};
  static const CBinaryOperator star{9, MakeBinary<CMultiplyExpression>};
  static const CBinaryOperator slash{9, MakeBinary<CDivideExpression>};
  static const CBinaryOperator percent{9, MakeBinary<CModuloExpression>};
  switch (kind) {
  case TokenOrOr: return &orOr;
  case TokenAndAnd: return &andAnd;
  case TokenOr: return &bitOr;
  case TokenXor: return &bitXor;
  case TokenAnd: return &bitAnd;
  case TokenEqual: return &equal;
  case TokenNotEqual: return &notEqual;
  case TokenLess: return &less;
  case TokenGreater: return &greater;
  case TokenLessEqual: return &lessEqual;
  case TokenGreaterEqual: return &greaterEqual;
  case TokenShiftLeft: return &shiftLeft;
  case TokenShiftRight: return &shiftRight;
  case TokenUnsignedShiftRight: return &unsignedShiftRight;
  case TokenPlus: return &plus;
  case TokenMinus: return &minus;
  case TokenStar: return &star;
  case TokenSlash: return &slash;
  case TokenPercent: return &percent;
  default: return nullptr;
  }
}

// The code of a compound assignment operator, or -1.
int32_t CompoundCode(int32_t kind) {
  switch (kind) {
  case TokenStarAssign: return 0;
  case TokenSlashAssign: return 1;
  case TokenPercentAssign: return 2;
  case TokenPlusAssign: return 3;
  case TokenMinusAssign: return 4;
  case TokenShiftLeftAssign: return 5;
  case TokenShiftRightAssign: return 6;
  case TokenUnsignedShiftRightAssign: return 7;
  case TokenAndAssign: return 8;
  case TokenXorAssign: return 9;
  case TokenOrAssign: return 10;
  default: return -1;
  }
}

UnaryFactory FindPrefixOperator(int32_t kind) {
  switch (kind) {
  case TokenDelete: return MakeUnary<CDeleteExpression>;
  case TokenVoid: return MakeUnary<CVoidExpression>;
  case TokenTypeof: return MakeUnary<CTypeofExpression>;
  case TokenPlusPlus: return MakeUnary<CPreIncrementExpression>;
  case TokenMinusMinus: return MakeUnary<CPreDecrementExpression>;
  case TokenPlus: return MakeUnary<CUnaryPlusExpression>;
  case TokenMinus: return MakeUnary<CUnaryMinusExpression>;
  case TokenTilde: return MakeUnary<CBitwiseNotExpression>;
  case TokenNot: return MakeUnary<CLogicalNotExpression>;
  default: return nullptr;
  }
}

int32_t HeightOf(const CExpression* e) { return e ? e->GetHeight() : 0; }

} // namespace

XExpression CScriptParser::Grown(CExpression* node, const CExpression* a, const CExpression* b,
                                 const CExpression* c) {
  XExpression held(node);
  int32_t height = 1 + std::max({HeightOf(a), HeightOf(b), HeightOf(c)});
  node->SetHeight(height);
  if (height > kMaxNesting) Error(CParserException::NestingTooDeep);
  return held;
}

XExpression CScriptParser::ParseExpression() {
  XExpression left = ParseAssignmentExpression();
  while (Accept(TokenComma)) {
    XExpression right = ParseAssignmentExpression();
    left = Grown(new CCommaExpression(left.Get(), right.Get()), left.Get(), right.Get());
  }
  return left;
}

XExpression CScriptParser::ParseAssignmentExpression() {
  CNestingGuard nesting(*this);
  XExpression condition = ParseBinaryExpression(0);
  if (Accept(TokenQuestion)) {
    XExpression thenExpression = ParseAssignmentExpression();
    Expect(TokenColon, CParserException::MissingColon);
    XExpression elseExpression = ParseAssignmentExpression();
    return Grown(new CConditionalExpression(condition.Get(), thenExpression.Get(), elseExpression.Get()),
                 condition.Get(), thenExpression.Get(), elseExpression.Get());
  }
  if (Accept(TokenAssign)) {
    if (!condition->IsLeftHandSide()) Error(CParserException::LeftHandSideRequired);
    XExpression value = ParseAssignmentExpression();
    return Grown(new CAssignmentExpression(condition.Get(), value.Get()), condition.Get(), value.Get());
  }
  int32_t code = CompoundCode(m_token.kind);
  if (code >= 0) {
    Read();
    if (!condition->IsLeftHandSide()) Error(CParserException::LeftHandSideRequired);
    XExpression value = ParseAssignmentExpression();
    return Grown(new CCompoundAssignmentExpression(code, condition.Get(), value.Get()), condition.Get(),
                 value.Get());
  }
  return condition;
}

// Precedence climbing builds the tree that one descent step per level would
// build, in a few frames instead of ten.
XExpression CScriptParser::ParseBinaryExpression(int32_t minimumLevel) {
  return ParseBinaryRest(ParseUnaryExpression(), minimumLevel);
}

XExpression CScriptParser::ParseBinaryRest(XExpression left, int32_t minimumLevel) {
  for (;;) {
    const CBinaryOperator* op = FindBinaryOperator(m_token.kind);
    if (!op || op->level < minimumLevel) return left;
    Read();
    XExpression right = ParseUnaryExpression();
    for (;;) {
      const CBinaryOperator* next = FindBinaryOperator(m_token.kind);
      if (!next || next->level <= op->level) break;
      right = ParseBinaryRest(std::move(right), op->level + 1);
    }
    left = Grown(op->make(left.Get(), right.Get()), left.Get(), right.Get());
  }
}

XExpression CScriptParser::ParseUnaryExpression() {
  if (UnaryFactory make = FindPrefixOperator(m_token.kind)) {
    CNestingGuard nesting(*this);
    Read();
    XExpression operand = ParseUnaryExpression();
    return Grown(make(operand.Get()), operand.Get());
  }
  return ParsePostfixExpression();
}

XExpression CScriptParser::ParsePostfixExpression() {
  XExpression operand = ParseLeftHandSideExpression();
  if (!m_token.newlineBefore && Accept(TokenPlusPlus)) {
    return Grown(new CPostIncrementExpression(operand.Get()), operand.Get());
  }
  if (!m_token.newlineBefore && Accept(TokenMinusMinus)) {
    return Grown(new CPostDecrementExpression(operand.Get()), operand.Get());
  }
  return operand;
}

Core::XInterface<CArgumentListExpression> CScriptParser::ParseArgumentList() {
  Core::XInterface<CArgumentListExpression> list(new CArgumentListExpression);
  if (Accept(TokenRightParen)) return list;
  int32_t height = 0;
  do {
    XExpression argument = ParseAssignmentExpression();
    height = std::max(height, argument->GetHeight());
    list->Append(argument.Get());
  } while (Accept(TokenComma));
  Expect(TokenRightParen, CParserException::MissingRightParenthesis);
  list->SetHeight(height + 1);
  return list;
}

XExpression CScriptParser::ParseLeftHandSideExpression() {
  int32_t news = 0;
  while (Accept(TokenNew)) ++news;
  XExpression e = ParsePrimaryExpression();
  // Member accesses bind first; each argument list closes the nearest new.
  for (bool calls = false;;) {
    if (Accept(TokenLeftBracket)) {
      XExpression index = ParseExpression();
      Expect(TokenRightBracket, CParserException::MissingRightBracket);
      e = Grown(new CMemberExpression(e.Get(), index.Get()), e.Get(), index.Get());
    } else if (Accept(TokenDot)) {
      EcmaScript::CPropertyName name;
      ExpectName(TokenIdentifier, name, CParserException::MissingPropertyName);
      e = Grown(new CMemberExpression(e.Get(), name), e.Get());
    } else if (!calls && news > 0 && Accept(TokenLeftParen)) {
      Core::XInterface<CArgumentListExpression> arguments = ParseArgumentList();
      e = Grown(new CNewExpression(e.Get(), arguments.Get()), e.Get(), arguments.Get());
      --news;
    } else if (!calls) {
      while (news > 0) {
        Core::XInterface<CArgumentListExpression> none(new CArgumentListExpression);
        e = Grown(new CNewExpression(e.Get(), none.Get()), e.Get(), none.Get());
        --news;
      }
      calls = true;
    } else if (Accept(TokenLeftParen)) {
      Core::XInterface<CArgumentListExpression> arguments = ParseArgumentList();
      e = Grown(new CCallExpression(e.Get(), arguments.Get()), e.Get(), arguments.Get());
    } else {
      return e;
    }
  }
}

XExpression CScriptParser::ParsePrimaryExpression() {
  switch (m_token.kind) {
  case TokenThis:
    Read();
    return XExpression(new CThisExpression);
  case TokenIdentifier: {
    XExpression identifier(new CIdentifierExpression(m_token.name));
    Read();
    return identifier;
  }
  case TokenNull:
    Read();
    return XExpression(new CNullLiteralExpression);
  case TokenTrue:
    Read();
    return XExpression(new CBooleanLiteralExpression(true));
  case TokenFalse:
    Read();
    return XExpression(new CBooleanLiteralExpression(false));
  case TokenNumber: {
    XExpression number(new CNumberLiteralExpression(m_token.number));
    Read();
    return number;
  }
  case TokenString: {
    XExpression text(new CStringLiteralExpression(std::move(m_token.text)));
    Read();
    return text;
  }
  case TokenLeftParen: {
    Read();
    XExpression inner = ParseExpression();
    Expect(TokenRightParen, CParserException::MissingRightParenthesis);
    return Grown(new CParenthesizedExpression(inner.Get()), inner.Get());
  }
  default:
    Error(CParserException::InvalidPrimary);
  }
}

} // namespace EcmaScriptPrivate
