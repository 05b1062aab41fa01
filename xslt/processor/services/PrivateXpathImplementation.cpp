#include "xslt/processor/services/PrivateXpathImplementation.h"

#include "xml/tree/Dom.h"
#include "xpath/CompareValues.h"
#include "xpath/NodeSet.h"
#include "xpath/ValueConverter.h"
#include "xpath/XpathException.h"
#include "xslt/processor/output/ResultTreeFragment.h"
#include "xslt/processor/services/PendingServices.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace XsltPrivate {

// ---- conversions --------------------------------------------------------

void CPrivateValueConvertExtension::AddType(int32_t type, Xpath::CValueConvertExtension* extension) {
  if (type == Xpath::CValue::ResultTreeFragmentType) return;
  m_types[type] = extension;
}

Xpath::CValueConvertExtension* CPrivateValueConvertExtension::Find(int32_t type) const {
  auto it = m_types.find(type);
  return it == m_types.end() ? nullptr : it->second.Get();
}

bool CPrivateValueConvertExtension::ToBoolean(Xpath::CContext* context, const Xpath::CValue& value) {
  if (CResultTreeFragmentValue::From(value)) return true;
  if (auto* extension = Find(value.GetType())) return extension->ToBoolean(context, value);
  return value.GetBoolean();
}

Xpath::CNumber CPrivateValueConvertExtension::ToNumber(Xpath::CContext* context, const Xpath::CValue& value) {
  if (auto* fragment = CResultTreeFragmentValue::From(value)) return fragment->GetRecording().GetNumber();
  if (auto* extension = Find(value.GetType())) return extension->ToNumber(context, value);
  return value.GetNumber();
}

Core::String CPrivateValueConvertExtension::ToString(Xpath::CContext* context, const Xpath::CValue& value) {
  if (auto* fragment = CResultTreeFragmentValue::From(value)) return fragment->GetRecording().GetStringValue();
  if (auto* extension = Find(value.GetType())) return extension->ToString(context, value);
  return value.GetString();
}

// ---- comparisons --------------------------------------------------------

void CPrivateValueCompareExtension::AddType(int32_t type, Xpath::CValueCompareExtension* extension) {
  if (type == Xpath::CValue::ResultTreeFragmentType) return;
  m_types[type] = extension;
}

Xpath::CValueCompareExtension* CPrivateValueCompareExtension::Find(int32_t type) const {
  auto it = m_types.find(type);
  return it == m_types.end() ? nullptr : it->second.Get();
}

bool CPrivateValueCompareExtension::CompareStrings(int32_t op, Core::StringView left, Core::StringView right) {
  using namespace XpathPrivate;
  switch (op) {
  case CompareEqual:
    return left == right;
  case CompareNotEqual:
    return left != right;
  default:
    break;
  }
  Xpath::CNumber a = Xpath::CValueConverter::StringToNumber(left);
  Xpath::CNumber b = Xpath::CValueConverter::StringToNumber(right);
  if (a.IsNaN() || b.IsNaN()) return false;
  double x = a.GetValue(), y = b.GetValue();
  switch (op) {
  case CompareLess:
    return x < y;
  case CompareGreater:
    return x > y;
  case CompareLessOrEqual:
    return x <= y;
  case CompareGreaterOrEqual:
    return x >= y;
  default:
    return false;
  }
}

namespace {

// True when some node's string value compares true with the text; the node
// is the left operand unless nodeOnLeft is false.
bool AnyNode(int32_t op, Xpath::CNodeSet* nodeSet, Core::StringView text, bool nodeOnLeft) {
  if (!nodeSet) return false;
  Core::String s;
  auto test = [&](const Dom::XNode& node) {
    s.clear();
    node->AppendStringValue(s);
    return nodeOnLeft ? CPrivateValueCompareExtension::CompareStrings(op, s, text)
                      : CPrivateValueCompareExtension::CompareStrings(op, text, s);
  };
  int32_t count = nodeSet->GetCount();
  if (count == 0) return false;
  if (count == 1) return test(nodeSet->GetFirstNode());
  Core::XInterface<Xpath::CIterator> it = nodeSet->CreateIterator();
  for (Dom::XNode node = it->GetNode(); node; it->Next(), node = it->GetNode())
    if (test(node)) return true;
  return false;
}

// The same with the value's number against each node's number, for the
// ordering operators.
bool AnyNodeNumber(int32_t op, Xpath::CNodeSet* nodeSet, Xpath::CNumber number, bool nodeOnLeft) {
  if (!nodeSet) return false;
  Core::String s;
  for (auto it = nodeSet->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
    s.clear();
    node->AppendStringValue(s);
    Xpath::CNumber n = Xpath::CValueConverter::StringToNumber(s);
    if (nodeOnLeft ? XpathPrivate::CompareNumbers(op, n, number) : XpathPrivate::CompareNumbers(op, number, n))
      return true;
  }
  return false;
}

// A script object without comparisons of its own compares as its own
// accessors answer, as it does with every other operand: its string for =
// and !=, its number for the ordering operators.
bool CompareWithScriptObject(int32_t op, Xpath::CNodeSet* nodeSet, const Xpath::CValue& value, bool nodeOnLeft) {
  if (op == XpathPrivate::CompareEqual || op == XpathPrivate::CompareNotEqual)
    return AnyNode(op, nodeSet, value.GetString(), nodeOnLeft);
  return AnyNodeNumber(op, nodeSet, value.GetNumber(), nodeOnLeft);
}

[[noreturn]] void ThrowNotSupported() {
  throw Xpath::CXpathException(Xpath::CXpathException::ComparisonNotSupported);
}

} // namespace

bool CPrivateValueCompareExtension::CompareNodeSetWithValue(Xpath::CContext* context, int32_t op,
                                                            const Xpath::CValue& left, const Xpath::CValue& right) {
  if (auto* fragment = CResultTreeFragmentValue::From(right))
    return AnyNode(op, left.GetNodeSet(), fragment->GetRecording().GetStringValue(), true);
  if (auto* extension = Find(right.GetType())) return extension->CompareNodeSetWithValue(context, op, left, right);
  if (right.GetType() == Xpath::CValue::ScriptObjectType)
    return CompareWithScriptObject(op, left.GetNodeSet(), right, true);
  ThrowNotSupported();
}

bool CPrivateValueCompareExtension::CompareValueWithNodeSet(Xpath::CContext* context, int32_t op,
                                                            const Xpath::CValue& left, const Xpath::CValue& right) {
  if (auto* fragment = CResultTreeFragmentValue::From(left))
    return AnyNode(op, right.GetNodeSet(), fragment->GetRecording().GetStringValue(), false);
  if (auto* extension = Find(left.GetType())) return extension->CompareValueWithNodeSet(context, op, left, right);
  if (left.GetType() == Xpath::CValue::ScriptObjectType)
    return CompareWithScriptObject(op, right.GetNodeSet(), left, false);
  ThrowNotSupported();
}

// ---- implementation -----------------------------------------------------

CPrivateXpathImplementation::CPrivateXpathImplementation(Xpath::CNodeArrayFactory* nodeArrayFactory)
    : m_nodeArrayFactory(nodeArrayFactory), m_convert(Core::Make<CPrivateValueConvertExtension>()),
      m_compare(Core::Make<CPrivateValueCompareExtension>()) {}

CPrivateXpathImplementation::~CPrivateXpathImplementation() {
  // In reverse order of creation.
  m_compare = nullptr;
  m_convert = nullptr;
  m_nodeArrayFactory = nullptr;
}

void CPrivateXpathImplementation::AddValueType(int32_t type, Xpath::CValueConvertExtension* convert,
                                               Xpath::CValueCompareExtension* compare) {
  if (convert) m_convert->AddType(type, convert);
  if (compare) m_compare->AddType(type, compare);
}

void MakeXpathImplementation(CServiceSlot<Xpath::CXpathImplementation>& slot,
                             Xslt::CXsltImplementation& implementation) {
  auto made = Core::Make<CPrivateXpathImplementation>(implementation.GetNodeArrayFactory());
  slot.service = made.Get();
  slot.use = made.Get();
}

} // namespace XsltPrivate
