#include "xpath/Parser.h"

#include "xpath/OperatorExpr.h"
#include "xpath/PrimaryExpr.h"
#include "xpath/XpathException.h"

namespace XpathPrivate {

using Core::XInterface;
using Xpath::CExpr;

CParser::CNestingGuard::CNestingGuard(CParser& parser, int32_t levels) : m_parser(parser), m_levels(levels) {
  m_parser.m_depth += levels;
  if (m_parser.m_depth > MaxNesting) {
    m_parser.m_depth -= levels;
    throw Xpath::CXpathException(6);
  }
}

XInterface<CExpr>& CParser::Parse(XInterface<CExpr>& out, Core::StringView text) {
  m_depth = 0;
  m_tokenizer.SetInput(text);
  ReadToken();
  XInterface<CExpr> expr = ParseExpr();
  if (m_token.kind != TokenEnd) throw Xpath::CXpathException(6);
  out = std::move(expr);
  return out;
}

bool CParser::Accept(int32_t kind) {
  if (m_token.kind != kind) return false;
  ReadToken();
  return true;
}

bool CParser::AcceptWithCode(int32_t kind, int32_t& code) {
  if (m_token.kind != kind) return false;
  code = m_token.code;
  ReadToken();
  return true;
}

bool CParser::AcceptNumber(int32_t kind, Xpath::CNumber& number) {
  if (m_token.kind != kind) return false;
  number = m_token.number;
  ReadToken();
  return true;
}

bool CParser::AcceptWithText(int32_t kind, Core::String& text) {
  if (m_token.kind != kind) return false;
  text = std::move(m_token.text);
  ReadToken();
  return true;
}

bool CParser::AcceptOperatorName(int32_t code) {
  if (m_token.kind != TokenOperatorName || m_token.code != code) return false;
  ReadToken();
  return true;
}

void CParser::Expect(int32_t kind, int32_t errorCode) {
  if (!Accept(kind)) throw Xpath::CXpathException(errorCode);
}

bool CParser::IsAbbreviatedStep() const { return m_token.kind == TokenDot || m_token.kind == TokenDotDot; }

bool CParser::StartsStep() const {
  switch (m_token.kind) {
  case TokenAxisName:
  case TokenAt:
  case TokenNameTest:
  case TokenNodeType:
    return true;
  default:
    return IsAbbreviatedStep();
  }
}

bool CParser::StartsLocationPath() const {
  return m_token.kind == TokenSlash || m_token.kind == TokenSlashSlash || StartsStep();
}

void CParser::SplitQName(Core::StringView name, Core::String& prefix, Core::String& localName) {
  size_t colon = name.find(u':');
  if (colon == Core::StringView::npos) {
    prefix.clear();
    localName.assign(name);
  } else {
    prefix.assign(name.substr(0, colon));
    localName.assign(name.substr(colon + 1));
  }
}

XInterface<CExpr> CParser::ParseExpr() {
  CNestingGuard guard(*this);
  return ParseOrExpr();
}

XInterface<CExpr> CParser::ParseOrExpr() {
  XInterface<CExpr> result = ParseAndExpr();
  while (AcceptOperatorName(OperatorOr)) {
    XInterface<CExpr> right = ParseAndExpr();
    result = Core::Make<COrExpr>(result, right);
  }
  return result;
}

XInterface<CExpr> CParser::ParseAndExpr() {
  XInterface<CExpr> result = ParseEqualityExpr();
  while (AcceptOperatorName(OperatorAnd)) {
    XInterface<CExpr> right = ParseEqualityExpr();
    result = Core::Make<CAndExpr>(result, right);
  }
  return result;
}

XInterface<CExpr> CParser::ParseEqualityExpr() {
  XInterface<CExpr> result = ParseRelationalExpr();
  for (;;) {
    int32_t code;
    if (Accept(TokenEqual)) code = 0;
    else if (Accept(TokenNotEqual)) code = 1;
    else break;
    XInterface<CExpr> right = ParseRelationalExpr();
    result = Core::Make<CEqualityExpr>(code, result, right);
  }
  return result;
}

XInterface<CExpr> CParser::ParseRelationalExpr() {
  XInterface<CExpr> result = ParseAdditiveExpr();
  for (;;) {
    int32_t code;
    if (Accept(TokenLess)) code = 0;
    else if (Accept(TokenGreater)) code = 1;
    else if (Accept(TokenLessEqual)) code = 2;
    else if (Accept(TokenGreaterEqual)) code = 3;
    else break;
    XInterface<CExpr> right = ParseAdditiveExpr();
    result = Core::Make<CRelationalExpr>(code, result, right);
  }
  return result;
}

XInterface<CExpr> CParser::ParseAdditiveExpr() {
  XInterface<CExpr> result = ParseMultiplicativeExpr();
  for (;;) {
    int32_t code;
    if (Accept(TokenPlus)) code = 0;
    else if (Accept(TokenMinus)) code = 1;
    else break;
    XInterface<CExpr> right = ParseMultiplicativeExpr();
    result = Core::Make<CAdditiveExpr>(code, result, right);
  }
  return result;
}

XInterface<CExpr> CParser::ParseMultiplicativeExpr() {
  XInterface<CExpr> result = ParseUnaryExpr();
  for (;;) {
    int32_t code;
    if (Accept(TokenMultiply)) code = 0;
    else if (AcceptOperatorName(OperatorDiv)) code = 1;
    else if (AcceptOperatorName(OperatorMod)) code = 2;
    else break;
    XInterface<CExpr> right = ParseUnaryExpr();
    result = Core::Make<CMultiplicativeExpr>(code, result, right);
  }
  return result;
}

XInterface<CExpr> CParser::ParseUnaryExpr() {
  // Each minus sign is one node; they are counted as nesting levels.
  int32_t minus = 0;
  while (Accept(TokenMinus)) ++minus;
  if (minus == 0) return ParseUnionExpr();
  CNestingGuard guard(*this, minus);
  XInterface<CExpr> result = ParseUnionExpr();
  for (int32_t i = 0; i < minus; ++i) result = Core::Make<CUnaryExpr>(result);
  return result;
}

XInterface<CExpr> CParser::ParseUnionExpr() {
  XInterface<CExpr> first = ParsePathExpr();
  if (!Accept(TokenBar)) return first;
  XInterface<CUnionExpr> unionExpr = Core::Make<CUnionExpr>();
  unionExpr->AddOperand(first);
  do {
    unionExpr->AddOperand(ParsePathExpr());
  } while (Accept(TokenBar));
  return unionExpr;
}

XInterface<CExpr> CParser::ParsePathExpr() {
  if (StartsLocationPath()) return ParseLocationPath();
  XInterface<CExpr> filter = ParseFilterExpr();
  if (m_token.kind != TokenSlash && m_token.kind != TokenSlashSlash) return filter;
  XInterface<Xpath::CPathExpr> path = Core::Make<Xpath::CPathExpr>(filter);
  ParseSteps(*path, true);
  return path;
}

XInterface<CExpr> CParser::ParseLocationPath() {
  if (m_token.kind == TokenSlash || m_token.kind == TokenSlashSlash) {
    XInterface<Xpath::CPathExpr> path = Core::Make<Xpath::CPathExpr>(true);
    ParseSteps(*path, m_token.kind == TokenSlashSlash);
    return path;
  }
  XInterface<Xpath::CPathExpr> path = Core::Make<Xpath::CPathExpr>(false);
  path->AddStep(ParseStep());
  ParseSteps(*path, true);
  return path;
}

void CParser::ParseSteps(Xpath::CPathExpr& path, bool stepRequired) {
  for (;;) {
    bool doubled;
    if (Accept(TokenSlash)) doubled = false;
    else if (Accept(TokenSlashSlash)) doubled = true;
    else return;
    if (!stepRequired && !doubled && !StartsStep()) return;
    if (doubled) {
      path.AddStep(Core::Make<Xpath::CStepExpr>(XInterface<Xpath::CAxis>(Core::Make<CDescendantOrSelfAxis>()),
                                                XInterface<Xpath::CNodeTest>(Core::Make<CNodeNodeTest>())));
    }
    path.AddStep(ParseStep());
    stepRequired = true;
  }
}

XInterface<Xpath::CStepExpr> CParser::ParseStep() {
  if (IsAbbreviatedStep()) return ParseAbbreviatedStep();
  XInterface<Xpath::CAxis> axis = ParseAxisSpecifier();
  XInterface<Xpath::CNodeTest> test = ParseNodeTest();
  XInterface<Xpath::CStepExpr> step = Core::Make<Xpath::CStepExpr>(axis, test);
  while (Accept(TokenLeftBracket)) {
    step->AddPredicate(Core::Make<Xpath::CPredicate>(ParseExpr()));
    Expect(TokenRightBracket, 10);
  }
  return step;
}

XInterface<Xpath::CStepExpr> CParser::ParseAbbreviatedStep() {
  XInterface<Xpath::CAxis> axis;
  if (Accept(TokenDot)) axis = Core::Make<CSelfAxis>();
  else if (Accept(TokenDotDot)) axis = Core::Make<CParentAxis>();
  else throw Xpath::CXpathException(11);
  return Core::Make<Xpath::CStepExpr>(axis, XInterface<Xpath::CNodeTest>(Core::Make<CNodeNodeTest>()));
}

XInterface<Xpath::CAxis> CreateAxis(int32_t axisNameCode) {
  switch (axisNameCode) {
  case AxisNameAncestor: return Core::Make<CAncestorAxis>();
  case AxisNameAncestorOrSelf: return Core::Make<CAncestorOrSelfAxis>();
  case AxisNameAttribute: return Core::Make<CAttributeAxis>();
  case AxisNameChild: return Core::Make<CChildAxis>();
  case AxisNameDescendant: return Core::Make<CDescendantAxis>();
  case AxisNameDescendantOrSelf: return Core::Make<CDescendantOrSelfAxis>();
  case AxisNameFollowing: return Core::Make<CFollowingAxis>();
  case AxisNameFollowingSibling: return Core::Make<CFollowingSiblingAxis>();
  case AxisNameNamespace: return Core::Make<CNamespaceAxis>();
  case AxisNameParent: return Core::Make<CParentAxis>();
  case AxisNamePreceding: return Core::Make<CPrecedingAxis>();
  case AxisNamePrecedingSibling: return Core::Make<CPrecedingSiblingAxis>();
  case AxisNameSelf: return Core::Make<CSelfAxis>();
  default: return nullptr;
  }
}

XInterface<Xpath::CAxis> CParser::ParseAxisSpecifier() {
  int32_t code;
  if (AcceptWithCode(TokenAxisName, code)) {
    XInterface<Xpath::CAxis> axis = CreateAxis(code);
    Expect(TokenColonColon, 7);
    return axis;
  }
  return ParseAbbreviatedAxisSpecifier();
}

XInterface<Xpath::CAxis> CParser::ParseAbbreviatedAxisSpecifier() {
  if (Accept(TokenAt)) return Core::Make<CAttributeAxis>();
  return Core::Make<CChildAxis>();
}

XInterface<Xpath::CNodeTest> CParser::ParseNodeTest() {
  Core::String text;
  if (AcceptWithText(TokenNameTest, text)) {
    Core::String prefix, localName;
    SplitQName(text, prefix, localName);
    if (localName == u"*") {
      if (prefix.empty()) return Core::Make<CWildcardNodeTest>();
      return Core::Make<CNamespaceNodeTest>(std::move(prefix));
    }
    return Core::Make<CNameNodeTest>(std::move(prefix), std::move(localName));
  }
  int32_t code;
  if (AcceptWithCode(TokenNodeType, code)) {
    XInterface<Xpath::CNodeTest> test;
    switch (code) {
    case NodeTypeText: test = Core::Make<CTextNodeTest>(); break;
    case NodeTypeNode: test = Core::Make<CNodeNodeTest>(); break;
    case NodeTypeComment: test = Core::Make<CCommentNodeTest>(); break;
    default: {
      Expect(TokenLeftParen, 8);
      if (Accept(TokenRightParen)) return Core::Make<CProcessingInstructionNodeTest>();
      if (!AcceptWithText(TokenLiteral, text)) throw Xpath::CXpathException(11);
      Expect(TokenRightParen, 9);
      return Core::Make<CProcessingInstructionNodeTest>(std::move(text));
    }
    }
    Expect(TokenLeftParen, 8);
    Expect(TokenRightParen, 9);
    return test;
  }
  throw Xpath::CXpathException(11);
}

XInterface<CExpr> CParser::ParseFilterExpr() {
  XInterface<CExpr> primary = ParsePrimaryExpr();
  // A filter without predicates evaluates to its primary's value unchanged,
  // so the primary stands for it.
  if (m_token.kind != TokenLeftBracket) return primary;
  XInterface<CFilterExpr> filter = Core::Make<CFilterExpr>(primary);
  while (Accept(TokenLeftBracket)) {
    filter->AddPredicate(Core::Make<Xpath::CPredicate>(ParseExpr()));
    Expect(TokenRightBracket, 10);
  }
  return filter;
}

XInterface<CExpr> CParser::ParsePrimaryExpr() {
  Core::String text;
  if (AcceptWithText(TokenVariableReference, text)) {
    Core::String prefix, localName;
    SplitQName(text, prefix, localName);
    return Core::Make<CVariableReferenceExpr>(std::move(prefix), std::move(localName));
  }
  if (Accept(TokenLeftParen)) {
    XInterface<CExpr> inner = ParseExpr();
    Expect(TokenRightParen, 9);
    return inner;
  }
  if (AcceptWithText(TokenLiteral, text)) return Core::Make<CLiteralExpr>(std::move(text));
  Xpath::CNumber number;
  if (AcceptNumber(TokenNumber, number)) return Core::Make<CNumberExpr>(number);
  if (AcceptWithText(TokenFunctionName, text)) {
    Core::String prefix, localName;
    SplitQName(text, prefix, localName);
    return ParseFunctionCall(std::move(prefix), std::move(localName));
  }
  throw Xpath::CXpathException(12);
}

XInterface<CExpr> CParser::ParseFunctionCall(Core::String prefix, Core::String localName) {
  XInterface<CFunctionCallExpr> call = Core::Make<CFunctionCallExpr>(std::move(prefix), std::move(localName));
  Expect(TokenLeftParen, 8);
  if (Accept(TokenRightParen)) return call;
  do {
    call->AddArgument(ParseExpr());
  } while (Accept(TokenComma));
  Expect(TokenRightParen, 9);
  return call;
}

} // namespace XpathPrivate
