#include "xslt/compiler/PatternParser.h"

#include "xpath/XpathException.h"
#include "xslt/compiler/PatternException.h"

namespace XsltPrivate {

using Core::XInterface;
using namespace XpathPrivate;

XInterface<CPattern>& CPatternParser::Parse(XInterface<CPattern>& out, Core::StringView text) {
  GetTokenizer().SetInput(text);
  ReadToken();
  XInterface<CPattern> pattern = ParsePattern();
  if (GetCurrentToken().kind != TokenEnd) throw CPatternException(CPatternException::InvalidPatternSyntax);
  out = std::move(pattern);
  return out;
}

void CPatternParser::ExpectToken(int32_t kind, int32_t patternErrorCode) {
  if (!Accept(kind)) throw CPatternException(patternErrorCode);
}

bool CPatternParser::IsStepStart() {
  switch (GetCurrentToken().kind) {
  case TokenAt:
  case TokenNameTest:
  case TokenNodeType:
  case TokenAxisName:
    return true;
  default:
    return false;
  }
}

XInterface<CPattern> CPatternParser::ParsePattern() {
  XInterface<CPattern> pattern = new CPattern;
  pattern->Add(ParseLocationPathPattern());
  while (Accept(TokenBar)) pattern->Add(ParseLocationPathPattern());
  return pattern;
}

XInterface<CLocationPathPattern> CPatternParser::ParseLocationPathPattern() {
  bool leadingSlash = GetCurrentToken().kind == TokenSlash;
  bool stepRequired = false;
  XInterface<CLocationPathPattern> pattern = new CLocationPathPattern(ParseStartPattern(stepRequired));
  if (stepRequired) pattern->AddStep(ParseStepPattern());
  for (bool first = true;; first = false) {
    if (Accept(TokenSlash)) {
      // "/" alone, or "/" before "|".
      if (leadingSlash && first && !IsStepStart()) break;
      pattern->AddStep(ParseStepPattern());
    } else if (Accept(TokenSlashSlash)) {
      pattern->AddStep(new CDescendantOrSelfStepPattern);
      pattern->AddStep(ParseStepPattern());
    } else {
      break;
    }
  }
  return pattern;
}

XInterface<CStartPattern> CPatternParser::ParseStartPattern(bool& stepRequired) {
  stepRequired = false;
  int32_t kind = GetCurrentToken().kind;
  if (kind == TokenSlash || kind == TokenSlashSlash) return new CRootStartPattern;
  Core::String name;
  if (!AcceptWithText(TokenFunctionName, name)) {
    stepRequired = true;
    return new CAnyStartPattern;
  }
  if (name == u"id") {
    ExpectToken(TokenLeftParen, CPatternException::MissingOpenParen);
    Core::String ids = ParseLiteral();
    ExpectToken(TokenRightParen, CPatternException::MissingCloseParen);
    return new CIdStartPattern(ids);
  }
  if (name == u"key") {
    ExpectToken(TokenLeftParen, CPatternException::MissingOpenParen);
    Core::String keyName = ParseLiteral();
    ExpectToken(TokenComma, CPatternException::MissingComma);
    Core::String value = ParseLiteral();
    ExpectToken(TokenRightParen, CPatternException::MissingCloseParen);
    XInterface<CKeyStartPattern> key = new CKeyStartPattern(keyName, std::move(value));
    if (m_resolver && !key->GetPrefix().empty()) key->SetNamespaceUri(m_resolver(key->GetPrefix()));
    return key;
  }
  throw CPatternException(CPatternException::InvalidFunctionName, name);
}

Core::String CPatternParser::ParseLiteral() {
  Core::String text;
  if (!AcceptWithText(TokenLiteral, text)) throw CPatternException(CPatternException::MissingLiteral);
  return text;
}

XInterface<Xpath::CNodeTest> CPatternParser::ResolveNodeTest(const XInterface<Xpath::CNodeTest>& test) {
  if (!m_resolver) return test;
  if (auto* name = dynamic_cast<const CNameNodeTest*>(test.Get()); name && !name->GetPrefix().empty()) {
    return new CExpandedNameTest(m_resolver(name->GetPrefix()), name->GetLocalName());
  }
  if (auto* space = dynamic_cast<const CNamespaceNodeTest*>(test.Get())) {
    return new CExpandedNameTest(m_resolver(space->GetPrefix()));
  }
  return test;
}

XInterface<CStepPattern> CPatternParser::ParseStepPattern() {
  XInterface<Xpath::CAxis> axis = ParseAxisSpecifier();
  int32_t axisCode = axis->GetAxisCode();
  if (axisCode != Xpath::CAxis::Child && axisCode != Xpath::CAxis::Attribute) {
    throw CPatternException(CPatternException::InvalidAxisName);
  }
  XInterface<Xpath::CStepExpr> step = new Xpath::CStepExpr(axis, ResolveNodeTest(ParseNodeTest()));
  while (Accept(TokenLeftBracket)) {
    step->AddPredicate(new Xpath::CPredicate(ParseExpr()));
    Expect(TokenRightBracket, Xpath::CXpathException::MissingCloseBracket);
  }
  if (axisCode == Xpath::CAxis::Attribute) return new CAttributeStepPattern(step);
  return new CChildStepPattern(step);
}

} // namespace XsltPrivate
