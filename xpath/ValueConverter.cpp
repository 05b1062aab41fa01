#include "xpath/ValueConverter.h"

#include "xml/tree/Dom.h"
#include "xpath/NodeSet.h"

namespace Xpath {

namespace {

CValueConvertExtension* Extension(CContext* context) {
  return context->GetXpathImplementation()->GetValueConvertExtension();
}

// The text of a string value, without a copy when it is the engine's own class.
Core::StringView TextOf(const CValue& value, Core::String& scratch) {
  if (auto* s = dynamic_cast<const CStringValue*>(&value)) return s->GetText();
  scratch = value.GetString();
  return scratch;
}

} // namespace

CNumber CValueConverter::StringToNumber(Core::StringView text) {
  CNumber n = CNumber::NaN();
  CNumber::FromString(text, n);
  return n;
}

Core::String CValueConverter::NodeToString(const Dom::XNode& node) {
  Core::String text;
  if (node) node->AppendStringValue(text);
  return text;
}

bool CValueConverter::ToBoolean(const CValue& value) const {
  switch (value.GetType()) {
  case CValue::NodeSetType:
    return value.GetNodeSet()->HasNodes();
  case CValue::BooleanType:
    return value.GetBoolean();
  case CValue::NumberType: {
    CNumber n = value.GetNumber();
    return !(n.IsPositiveZero() || n.IsNegativeZero() || n.IsNaN());
  }
  case CValue::StringType:
  {
    Core::String scratch;
    return !TextOf(value, scratch).empty();
  }
  default:
    return Extension(m_context.Get())->ToBoolean(m_context.Get(), value);
  }
}

CNumber CValueConverter::ToNumber(const CValue& value) const {
  switch (value.GetType()) {
  case CValue::NodeSetType:
    return StringToNumber(ToString(value));
  case CValue::BooleanType:
    return CNumber(value.GetBoolean() ? 1 : 0);
  case CValue::NumberType:
    return value.GetNumber();
  case CValue::StringType:
  {
    Core::String scratch;
    return StringToNumber(TextOf(value, scratch));
  }
  default:
    return Extension(m_context.Get())->ToNumber(m_context.Get(), value);
  }
}

Core::StringView CValueConverter::ToStringView(const CValue& value, Core::String& scratch) const {
  switch (value.GetType()) {
  case CValue::NodeSetType: {
    Dom::XNode node = value.GetNodeSet()->GetFirstNode();
    if (!node) return {};
    switch (node->GetNodeType()) {
    case Dom::DOCUMENT_NODE:
    case Dom::DOCUMENT_FRAGMENT_NODE:
    case Dom::ELEMENT_NODE:
      scratch.clear();
      node->AppendStringValue(scratch);
      return scratch;
    default:
      // The node's own text, which lives as long as its document.
      return node->ValueView();
    }
  }
  case CValue::StringType:
    return TextOf(value, scratch);
  default:
    scratch = ToString(value);
    return scratch;
  }
}

Core::String CValueConverter::ToString(const CValue& value) const {
  switch (value.GetType()) {
  case CValue::NodeSetType:
    return NodeToString(value.GetNodeSet()->GetFirstNode());
  case CValue::BooleanType:
    return value.GetBoolean() ? u"true" : u"false";
  case CValue::NumberType:
    return value.GetNumber().ToString();
  case CValue::StringType:
    return value.GetString();
  default:
    return Extension(m_context.Get())->ToString(m_context.Get(), value);
  }
}

} // namespace Xpath
