#pragma once
// Attribute value templates: an attribute value whose expressions in curly
// braces are evaluated at run time and spliced into the literal text. Parsed
// once when the stylesheet is compiled; evaluation compiles nothing.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Context.h"
#include "xpath/Expr.h"

namespace Xslt {

class CAvt : public Core::CInterface {
public:
  // XPath errors of the expressions and their conversion propagate.
  virtual Core::String Evaluate(Xpath::CContext* context) const = 0;
};

} // namespace Xslt

namespace XsltPrivate {

class CStaticContext;

class CPrivateAvt : public Xslt::CAvt {
public:
  // Raises static error 8 (an expression without its closing brace, the
  // whole text as argument) and the errors of CompileExpression through the
  // context. "{{" and "}}" outside expressions stand for single braces; a
  // lone "}" in literal text is kept as it is.
  void Parse(CStaticContext& context, Core::StringView text);

  Core::String Evaluate(Xpath::CContext* context) const override;

  // Part i is a literal (no expression) or an expression (empty literal).
  int32_t GetPartCount() const { return static_cast<int32_t>(m_literals.size()); }
  const Core::String& GetLiteralPart(int32_t i) const { return m_literals[static_cast<size_t>(i)]; }
  Xpath::CExpr* GetExpressionPart(int32_t i) const { return m_expressions[static_cast<size_t>(i)].Get(); }

private:
  // The literal from position to the next single "{" or the end, with the
  // doubled braces undone; returns where the scan stopped.
  size_t ScanLiteral(Core::StringView text, size_t position, Core::String& literal) const;
  // The expression after the "{" at position, up to the "}" outside quotes;
  // returns the position after that "}", or npos when there is none.
  size_t ScanExpression(Core::StringView text, size_t position, Core::StringView& expression) const;

  std::vector<Core::String> m_literals;
  std::vector<Core::XInterface<Xpath::CExpr>> m_expressions;
};

} // namespace XsltPrivate
