#include "xslt/compiler/CompiledExpression.h"

#include "xpath/Context.h"
#include "xpath/Parser.h"
#include "xpath/Value.h"
#include "xslt/compiler/PatternParser.h"
#include "xslt/compiler/StaticContext.h"

namespace XsltPrivate {

using Core::StringView;
using Core::XInterface;

namespace {

// Evaluates an expression with the prefixes of its own element.
class CNamespaceBoundExpr final : public Xpath::CExpr {
public:
  CNamespaceBoundExpr(const XInterface<Xpath::CExpr>& expr, Xpath::CNamespaceDeclarationSet* namespaces)
      : m_expr(expr), m_namespaces(namespaces) {}
  ~CNamespaceBoundExpr() override { XpathPrivate::ReleaseExpr(m_expr); }

  XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context) const override {
    if (!context || context->GetNamespaceDeclarationSet() == m_namespaces.Get()) return m_expr->Evaluate(context);
    XInterface<Xpath::CContext> bound =
        new Xpath::CContext(context->GetIterator(), context->GetVariableBindingSet(), context->GetFunctionLibrary(),
                            m_namespaces.Get(), context->GetDataSet(), context->GetXpathImplementation());
    return m_expr->Evaluate(bound.Get());
  }

private:
  XInterface<Xpath::CExpr> m_expr;
  XInterface<Xpath::CNamespaceDeclarationSet> m_namespaces;
};

// Whether the text holds a QName with a prefix (a name test, variable or
// function name): a ":" outside literals that is not half of "::".
bool NamesPrefix(Core::StringView text) {
  char16_t quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (c == u':') {
      if (i + 1 < text.size() && text[i + 1] == u':') {
        ++i;
        continue;
      }
      return true;
    }
  }
  return false;
}

} // namespace

XInterface<Xpath::CValue> CBadExpr::Evaluate(Xpath::CContext*) const { throw Xpath::CXpathException(m_error); }

bool CBadStartPattern::Match(CMatchContext&, const Dom::CNode*) const { throw Xpath::CXpathException(m_error); }

XInterface<Xpath::CExpr> CompileExpression(CStaticContext& context, Core::StringView text) {
  XInterface<Xpath::CExpr> expr;
  try {
    XpathPrivate::CParser parser;
    parser.Parse(expr, text);
  } catch (const Xpath::CXpathException& e) {
    if (context.IsForwardsCompatible()) return new CBadExpr(e);
    context.ThrowError(ErrorInvalidExpressionSyntax, text, e.GetMessage());
  }
  if (NamesPrefix(text)) return new CNamespaceBoundExpr(expr, context.GetNamespaceMap());
  return expr;
}

XInterface<CPattern> CompilePattern(CStaticContext& context, Core::StringView text) {
  XInterface<CPattern> pattern;
  try {
    CPatternParser parser([&context](Core::StringView prefix) { return context.ResolvePrefix(prefix); });
    parser.Parse(pattern, text);
  } catch (const Xpath::CXpathException& e) {
    if (!context.IsForwardsCompatible()) context.ThrowError(ErrorInvalidExpressionSyntax, text, e.GetMessage());
    pattern = new CPattern;
    pattern->Add(new CLocationPathPattern(new CBadStartPattern(e)));
    return pattern;
  }
  pattern->SetNamespaces(context.GetNamespaceMap());
  return pattern;
}

// The static context's attribute readers live here so that the static context
// itself needs nothing of the compilers.
XInterface<Xpath::CExpr> CStaticContext::CompileExpressionAttribute(StringView name, const char16_t* defaultText,
                                                                   bool required) {
  if (const Dom::CNode* attribute = FindRequiredAttribute(name, required))
    return CompileExpression(*this, attribute->ValueView());
  if (defaultText) return CompileExpression(*this, defaultText);
  return nullptr;
}

XInterface<CPattern> CStaticContext::CompilePatternAttribute(StringView name, const char16_t* defaultText,
                                                            bool required) {
  if (const Dom::CNode* attribute = FindRequiredAttribute(name, required))
    return CompilePattern(*this, attribute->ValueView());
  if (defaultText) return CompilePattern(*this, defaultText);
  return nullptr;
}

} // namespace XsltPrivate
