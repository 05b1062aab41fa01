#include <vector>

#include "xpath/ValueConverter.h"
#include "xpath/XpathException.h"
#include "xslt/compiler/instructions/Sort.h"
#include "xslt/compiler/instructions/SortedNodeSet.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/data/SortedArray.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace XsltPrivate {

namespace {

using Xslt::CSortAttributes;
using Xslt::CXsltException;

struct CChoice {
  const char16_t* text;
  int32_t value;
};

// The AVT's value among the choices, compared exactly; absent gives the
// fallback, anything else is fatal error 45 naming the attribute.
int32_t EvaluateChoice(CContext& context, const Xslt::CAvt* avt, const char16_t* attribute,
                       std::initializer_list<CChoice> choices, int32_t fallback) {
  if (!avt) return fallback;
  Core::String text = context.EvaluateAvt(avt);
  for (const CChoice& choice : choices)
    if (text == choice.text) return choice.value;
  context.ThrowError(CXsltException::InvalidComputedAttributeValue, attribute, text);
}

void EvaluateOptions(const CSort& sort, CContext& context, CSortAttributes& attributes) {
  attributes.lang = sort.GetLang() ? context.EvaluateAvt(sort.GetLang()) : Core::String(u"en");
  attributes.dataType = EvaluateChoice(context, sort.GetDataType(), u"data-type",
                                       {{u"text", CSortAttributes::Text}, {u"number", CSortAttributes::Number}},
                                       CSortAttributes::Text);
  attributes.order = EvaluateChoice(context, sort.GetOrder(), u"order",
                                    {{u"ascending", CSortAttributes::Ascending},
                                     {u"descending", CSortAttributes::Descending}},
                                    CSortAttributes::Ascending);
  attributes.caseOrder = EvaluateChoice(context, sort.GetCaseOrder(), u"case-order",
                                        {{u"upper-first", CSortAttributes::UpperFirst},
                                         {u"lower-first", CSortAttributes::LowerFirst}},
                                        CSortAttributes::NoCaseOrder);
}

// One xsl:sort's keys for a run of nodes: a context with the xsl:sort as
// current element over the node list, and its XPath context, made once and
// used for every node. Both follow the node list's iterator as it moves, so
// current(), position() and last() are those of the unsorted list.
class CKeyEvaluator {
public:
  CKeyEvaluator(CContext& list, CSort* sort)
      : m_sort(sort), m_context(new CContext(list, sort, false)), m_xpathContext(m_context->GetXpathContext()) {}

  Core::String Evaluate() {
    Core::XInterface<Xpath::CValue> value;
    Core::String message;
    int32_t code = CXsltException::ExpressionEvaluationError;
    try {
      value = m_sort->GetSelect()->Evaluate(m_xpathContext.Get());
      if (value->GetType() == Xpath::CValue::StringType) return value->GetString();
      // A lazy node set's errors surface here and still belong to the
      // evaluation; other conversions fail as conversions.
      if (value->GetType() != Xpath::CValue::NodeSetType) code = CXsltException::ValueConversionError;
      return Xpath::CValueConverter(m_xpathContext.Get()).ToString(*value);
    } catch (const Xpath::CXpathException& error) {
      message = error.GetMessage();
    }
    m_context->ThrowError(code, message);
  }

  void EndScope() { m_context->EndScope(); }

private:
  CSort* m_sort;
  Core::XInterface<CContext> m_context;
  Core::XInterface<Xpath::CContext> m_xpathContext;
};

} // namespace

Core::String CSort::EvaluateKey(CContext& context) const {
  Core::XInterface<Xpath::CValue> value = context.Evaluate(m_select.Get());
  return context.EvaluateString(*value);
}

Core::XInterface<Xpath::CIterator> SortNodes(const CSortList& sorts, CContext& context,
                                             const Core::XInterface<Xpath::CIterator>& iterator) {
  const int32_t keyCount = sorts.GetSize();
  if (keyCount == 0) return iterator;
  Core::XInterface<Xslt::CSortedArray> array =
      context.GetImplementation()->GetSortedArrayFactory()->CreateSortedArray();

  // Options are evaluated once per instruction, with its current node.
  for (int32_t k = 0; k < keyCount; ++k) {
    Core::XInterface<CContext> child(new CContext(context, sorts[k].Get(), false));
    CSortAttributes attributes;
    EvaluateOptions(*sorts[k], *child, attributes);
    array->AddSortKey(attributes);
    child->EndScope();
  }

  // Keys are evaluated once per node, in input order.
  Core::XInterface<CContext> list(new CContext(context, iterator.Get()));
  std::vector<CKeyEvaluator> evaluators;
  evaluators.reserve(size_t(keyCount));
  for (int32_t k = 0; k < keyCount; ++k) evaluators.emplace_back(*list, sorts[k].Get());
  int32_t position = 0;
  for (Dom::XNode node = iterator->GetNode(); node; iterator->Next(), node = iterator->GetNode()) {
    Core::XInterface<Xslt::CSortKey> key(new Xslt::CSortKey(position++));
    for (CKeyEvaluator& evaluator : evaluators) key->AddValue(evaluator.Evaluate());
    array->AddRow(node, key.Get());
  }
  for (CKeyEvaluator& evaluator : evaluators) evaluator.EndScope();
  list->EndScope();

  Core::XInterface<CSortedNodeSet> sorted(new CSortedNodeSet(array.Get()));
  return sorted->CreateIterator();
}

} // namespace XsltPrivate
