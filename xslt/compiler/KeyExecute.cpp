#include "xpath/ValueConverter.h"
#include "xpath/XpathException.h"
#include "xslt/compiler/Key.h"
#include "xslt/processor/Context.h"
#include "xslt/processor/RunMatchContext.h"
#include "xslt/processor/XsltException.h"

namespace XsltPrivate {

void CKey::GetKeyValues(const Dom::XNode& node, CContext& context, std::vector<Core::String>& values) const {
  values.clear();
  {
    CRunMatchContext matchContext(context);
    if (!m_match->Match(matchContext, node)) return;
  }
  Core::String message;
  try {
    Core::XInterface<Xpath::CContext> base = context.GetXpathContext();
    Core::XInterface<Xpath::CContext> xpathContext(new Xpath::CContext(base.Get(), node));
    Core::XInterface<Xpath::CValue> value = m_use->Evaluate(xpathContext.Get());
    if (value->GetType() == Xpath::CValue::NodeSetType) {
      Xpath::CNodeSet* nodes = value->GetNodeSet();
      for (auto it = nodes->CreateIterator(); Dom::XNode n = it->GetNode(); it->Next())
        values.push_back(n->GetStringValue());
    } else {
      values.push_back(Xpath::CValueConverter(xpathContext.Get()).ToString(*value));
    }
    return;
  } catch (const Xpath::CXpathException& error) {
    message = error.GetMessage();
  }
  context.ThrowError(Xslt::CXsltException::ExpressionEvaluationError, message);
}

} // namespace XsltPrivate
