#include "xslt/compiler/Avt.h"

#include "xpath/Value.h"
#include "xpath/ValueConverter.h"
#include "xslt/compiler/CompiledExpression.h"
#include "xslt/compiler/StaticContext.h"

namespace XsltPrivate {

size_t CPrivateAvt::ScanLiteral(Core::StringView text, size_t position, Core::String& literal) const {
  while (position < text.size()) {
    char16_t c = text[position];
    bool doubled = position + 1 < text.size() && text[position + 1] == c;
    if (c == u'{') {
      if (!doubled) break;
      literal += c;
      position += 2;
    } else if (c == u'}' && doubled) {
      literal += c;
      position += 2;
    } else {
      literal += c;
      ++position;
    }
  }
  return position;
}

size_t CPrivateAvt::ScanExpression(Core::StringView text, size_t position, Core::StringView& expression) const {
  size_t start = position + 1;
  char16_t quote = 0;
  for (size_t i = start; i < text.size(); ++i) {
    char16_t c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (c == u'}') {
      expression = text.substr(start, i - start);
      return i + 1;
    }
  }
  return Core::StringView::npos;
}

void CPrivateAvt::Parse(CStaticContext& context, Core::StringView text) {
  size_t position = 0;
  while (position < text.size()) {
    Core::String literal;
    position = ScanLiteral(text, position, literal);
    if (!literal.empty()) {
      m_literals.push_back(std::move(literal));
      m_expressions.emplace_back();
    }
    if (position >= text.size()) break;
    Core::StringView expression;
    position = ScanExpression(text, position, expression);
    if (position == Core::StringView::npos) context.ThrowError(8, text);
    m_expressions.push_back(CompileExpression(context, expression));
    m_literals.emplace_back();
  }
}

Core::String CPrivateAvt::Evaluate(Xpath::CContext* context) const {
  Core::String result;
  for (size_t i = 0; i < m_literals.size(); ++i) {
    if (!m_expressions[i]) {
      result += m_literals[i];
      continue;
    }
    Core::XInterface<Xpath::CValue> value = m_expressions[i]->Evaluate(context);
    result += Xpath::CValueConverter(context).ToString(*value);
  }
  return result;
}

} // namespace XsltPrivate
