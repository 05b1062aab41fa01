#include "xslt/compiler/instructions/SelectedNodes.h"

#include "xpath/XpathException.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

Core::XInterface<Xpath::CIterator> SelectNodes(CContext& context, const Xpath::CExpr* select, const CSortList& sorts) {
  Core::XInterface<Xpath::CValue> value = context.Evaluate(select);
  Xpath::CNodeSet* nodes = value->GetType() == Xpath::CValue::NodeSetType ? value->GetNodeSet() : nullptr;
  if (!nodes) context.ThrowError(Xslt::CXsltException::InvalidSelectionResultType);
  return SortNodes(sorts, context, IterateNodes(context, *nodes));
}

Core::XInterface<Xpath::CIterator> IterateNodes(CContext& context, Xpath::CNodeSet& nodes) {
  Core::String message;
  try {
    return nodes.CreateIterator();
  } catch (const Xpath::CXpathException& error) {
    message = error.GetMessage();
  }
  context.ThrowError(Xslt::CXsltException::ExpressionEvaluationError, message);
}

Dom::XNode NextNode(CContext& context, Xpath::CIterator& iterator) {
  Core::String message;
  try {
    iterator.Next();
    return iterator.GetNode();
  } catch (const Xpath::CXpathException& error) {
    message = error.GetMessage();
  }
  context.ThrowError(Xslt::CXsltException::ExpressionEvaluationError, message);
}

} // namespace XsltPrivate
