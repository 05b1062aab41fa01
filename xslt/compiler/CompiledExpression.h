#pragma once
// The two entry points through which every XPath expression and every
// pattern of a stylesheet is compiled, and the placeholders that stand for
// one that failed to compile in forwards-compatible mode: the syntax error
// is kept and raised only if the expression is evaluated or the pattern
// matched. Outside that mode it is static error 7 at once.
#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Expr.h"
#include "xpath/XpathException.h"
#include "xslt/compiler/Pattern.h"
#include "xslt/compiler/StartPattern.h"

namespace XsltPrivate {

class CStaticContext;

// An expression that names prefixes resolves them against the namespaces of
// the element it was written on, whichever element is current when it runs
// (xsl:sort under xsl:for-each, xsl:key's use while keys are indexed).
Core::XInterface<Xpath::CExpr> CompileExpression(CStaticContext& context, Core::StringView text);

// Name tests and key names are resolved against the element's namespaces
// here (static error 9 for an undeclared prefix), and predicates resolve
// theirs against the same namespaces when they run. Errors of the pattern
// grammar (CPatternException) pass to the caller in either mode.
Core::XInterface<CPattern> CompilePattern(CStaticContext& context, Core::StringView text);

class CBadExpr final : public Xpath::CExpr {
public:
  explicit CBadExpr(Xpath::CXpathException error) : m_error(std::move(error)) {}
  // Throws a copy of the kept error, every time.
  Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override;
  const Xpath::CXpathException& GetError() const { return m_error; }

private:
  Xpath::CXpathException m_error;
};

// The start of the one alternative of a pattern that failed to compile; it
// has no steps, so matching reaches it at once.
class CBadStartPattern final : public CStartPattern {
public:
  explicit CBadStartPattern(Xpath::CXpathException error) : m_error(std::move(error)) {}
  int32_t GetKind() const override { return AnyKind; }
  // Throws a copy of the kept error, every time.
  bool Match(CMatchContext& context, const Dom::CNode* node) const override;
  const Xpath::CXpathException& GetError() const { return m_error; }

private:
  Xpath::CXpathException m_error;
};

} // namespace XsltPrivate
