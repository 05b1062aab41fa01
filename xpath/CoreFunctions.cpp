// The 27 core functions and their library. Every function checks its
// argument count first (error 16), then the node-set arguments (error 17),
// converts the others by the XPath rules and returns a new value.
#include <algorithm>
#include <vector>

#include "core/StringHelpers.h"
#include "xml/tree/Dom.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/Function.h"
#include "xpath/NodeArray.h"
#include "xpath/ValueConverter.h"
#include "xpath/XpathException.h"

namespace XpathPrivate {

using Core::XInterface;
using Xpath::CArgumentList;
using Xpath::CContext;
using Xpath::CNumber;
using Xpath::CValue;
using Xpath::CValueConverter;
using Xpath::CXpathException;

namespace {

void CheckCount(const CArgumentList& arguments, size_t min, size_t max, const char16_t* name) {
  if (arguments.size() < min || arguments.size() > max) throw CXpathException(CXpathException::InvalidArgumentCount, name);
}

Xpath::CNodeSet* NodeSetArgument(const CValue& value, const char16_t* name) {
  if (value.GetType() != CValue::NodeSetType || !value.GetNodeSet()) {
    throw CXpathException(CXpathException::InvalidArgumentType, name, u"1");
  }
  return value.GetNodeSet();
}

XInterface<CValue> Number(CNumber n) { return new Xpath::CNumberValue(n); }
XInterface<CValue> Boolean(bool b) { return new Xpath::CBooleanValue(b); }
XInterface<CValue> MakeString(Core::String s) { return new Xpath::CStringValue(std::move(s)); }

// The string of the only argument, or of the context node without one.
Core::String StringArgument(CContext* context, const CArgumentList& arguments) {
  if (!arguments.empty()) return CValueConverter(context).ToString(*arguments[0]);
  Dom::XNode node = context->GetNode();
  return node ? CValueConverter::NodeToString(node) : Core::String();
}

// The same, read in place where the text exists (see ToStringView).
Core::StringView StringArgumentView(CContext* context, const CArgumentList& arguments, Core::String& scratch) {
  if (!arguments.empty()) return CValueConverter(context).ToStringView(*arguments[0], scratch);
  scratch = StringArgument(context, arguments);
  return scratch;
}

const Xpath::CStringValue* AsStringValue(const CValue& value) {
  return value.GetType() == CValue::StringType ? dynamic_cast<const Xpath::CStringValue*>(&value) : nullptr;
}

// A part of the string of value: shared with a string value, else copied.
XInterface<CValue> PartOf(const CValue& value, Core::StringView text, size_t offset, size_t length) {
  if (const Xpath::CStringValue* s = AsStringValue(value)) return s->Part(offset, length);
  return MakeString(Core::String(text.substr(offset, length)));
}

// The node of the optional node-set argument, or the context node.
Dom::XNode NodeArgument(CContext* context, const CArgumentList& arguments, const char16_t* name) {
  if (arguments.empty()) return context->GetNode();
  return NodeSetArgument(*arguments[0], name)->GetFirstNode();
}

bool IsIdSpace(char16_t c) { return c == 0x20 || c == 0x09 || c == 0x0D || c == 0x0A; }

// Looks up every token of text in the document.
void LookUpIds(Xpath::CDataSet* dataSet, Xpath::CNodeArray* array, const Dom::XNode& document, Core::StringView text) {
  size_t i = 0, n = text.size();
  for (;;) {
    while (i < n && IsIdSpace(text[i])) ++i;
    if (i == n) return;
    size_t start = i;
    while (i < n && !IsIdSpace(text[i])) ++i;
    Dom::XNode element = dataSet->GetElementById(document, text.substr(start, i - start));
    if (element) array->Insert(element);
  }
}

#define KELTO_CORE_FUNCTION(Class)                                                              \
  class Class final : public Xpath::CFunction {                                                 \
  public:                                                                                       \
    XInterface<CValue> Evaluate(CContext* context, const CArgumentList& arguments) override;   \
  };                                                                                            \
  XInterface<CValue> Class::Evaluate([[maybe_unused]] CContext* context, const CArgumentList& arguments)

// ---- node-set functions -----------------------------------------------------

KELTO_CORE_FUNCTION(CLastFunction) {
  CheckCount(arguments, 0, 0, u"last");
  return Number(context->GetSize());
}

KELTO_CORE_FUNCTION(CPositionFunction) {
  CheckCount(arguments, 0, 0, u"position");
  return Number(context->GetPosition());
}

KELTO_CORE_FUNCTION(CCountFunction) {
  CheckCount(arguments, 1, 1, u"count");
  return Number(NodeSetArgument(*arguments[0], u"count")->GetCount());
}

KELTO_CORE_FUNCTION(CIdFunction) {
  CheckCount(arguments, 1, 1, u"id");
  Xpath::CDataSet* dataSet = context->GetDataSet();
  XInterface<Xpath::CNodeArray> array =
      context->GetXpathImplementation()->GetNodeArrayFactory()->CreateNodeArray(dataSet);
  const CValue& argument = *arguments[0];
  if (argument.GetType() == CValue::NodeSetType && argument.GetNodeSet()) {
    for (XInterface<Xpath::CIterator> it = argument.GetNodeSet()->CreateIterator(); Dom::XNode node = it->GetNode();
         it->Next()) {
      LookUpIds(dataSet, array.Get(), node->GetOwnerDocument(), CValueConverter::NodeToString(node));
    }
  } else {
    Core::String text = CValueConverter(context).ToString(argument);
    Dom::XNode node = context->GetNode();
    if (node) LookUpIds(dataSet, array.Get(), node->GetOwnerDocument(), text);
  }
  return new Xpath::CNodeSetValue(XInterface<Xpath::CNodeSet>(new CArrayNodeSet(array.Get())));
}

KELTO_CORE_FUNCTION(CLocalNameFunction) {
  CheckCount(arguments, 0, 1, u"local-name");
  Dom::XNode node = NodeArgument(context, arguments, u"local-name");
  return MakeString(node ? Core::String(node->LocalNameView()) : Core::String());
}

KELTO_CORE_FUNCTION(CNamespaceUriFunction) {
  CheckCount(arguments, 0, 1, u"namespace-uri");
  Dom::XNode node = NodeArgument(context, arguments, u"namespace-uri");
  return MakeString(node ? Core::String(node->NamespaceUriView()) : Core::String());
}

KELTO_CORE_FUNCTION(CNameFunction) {
  CheckCount(arguments, 0, 1, u"name");
  Dom::XNode node = NodeArgument(context, arguments, u"name");
  return MakeString(node ? node->GetNodeName() : Core::String());
}

// ---- string functions -----------------------------------------------------

KELTO_CORE_FUNCTION(CStringFunction) {
  CheckCount(arguments, 0, 1, u"string");
  if (!arguments.empty() && AsStringValue(*arguments[0])) return arguments[0];
  return MakeString(StringArgument(context, arguments));
}

// Arguments are read in place and the result is sized once. A first
// argument that is a string grows into the result (see Append), so that
// concat($s, ...) repeated level by level copies $s only now and then.
KELTO_CORE_FUNCTION(CConcatFunction) {
  CheckCount(arguments, 2, SIZE_MAX, u"concat");
  CValueConverter converter(context);
  constexpr size_t kInline = 8;
  size_t count = arguments.size();
  Core::StringView inlineViews[kInline];
  Core::String inlineScratch[kInline];
  std::vector<Core::StringView> moreViews;
  std::vector<Core::String> moreScratch;
  Core::StringView* views = inlineViews;
  Core::String* scratch = inlineScratch;
  if (count > kInline) {
    moreViews.resize(count);
    moreScratch.resize(count);
    views = moreViews.data();
    scratch = moreScratch.data();
  }
  for (size_t i = 0; i < count; ++i) views[i] = converter.ToStringView(*arguments[i], scratch[i]);
  if (const Xpath::CStringValue* first = AsStringValue(*arguments[0])) return first->Append(views + 1, count - 1);
  size_t length = 0;
  for (size_t i = 0; i < count; ++i) length += views[i].size();
  Core::String result;
  result.reserve(length);
  for (size_t i = 0; i < count; ++i) result.append(views[i]);
  return MakeString(std::move(result));
}

KELTO_CORE_FUNCTION(CStartsWithFunction) {
  CheckCount(arguments, 2, 2, u"starts-with");
  CValueConverter converter(context);
  Core::String scratchS, scratchT;
  Core::StringView s = converter.ToStringView(*arguments[0], scratchS);
  Core::StringView t = converter.ToStringView(*arguments[1], scratchT);
  return Boolean(s.substr(0, t.size()) == t);
}

KELTO_CORE_FUNCTION(CContainsFunction) {
  CheckCount(arguments, 2, 2, u"contains");
  CValueConverter converter(context);
  Core::String scratchS, scratchT;
  Core::StringView s = converter.ToStringView(*arguments[0], scratchS);
  Core::StringView t = converter.ToStringView(*arguments[1], scratchT);
  return Boolean(s.find(t) != Core::StringView::npos);
}

KELTO_CORE_FUNCTION(CSubstringBeforeFunction) {
  CheckCount(arguments, 2, 2, u"substring-before");
  CValueConverter converter(context);
  Core::String scratchS, scratchT;
  Core::StringView s = converter.ToStringView(*arguments[0], scratchS);
  Core::StringView t = converter.ToStringView(*arguments[1], scratchT);
  size_t i = s.find(t);
  if (i == Core::StringView::npos) return MakeString(Core::String());
  return PartOf(*arguments[0], s, 0, i);
}

KELTO_CORE_FUNCTION(CSubstringAfterFunction) {
  CheckCount(arguments, 2, 2, u"substring-after");
  CValueConverter converter(context);
  Core::String scratchS, scratchT;
  Core::StringView s = converter.ToStringView(*arguments[0], scratchS);
  Core::StringView t = converter.ToStringView(*arguments[1], scratchT);
  size_t i = s.find(t);
  if (i == Core::StringView::npos) return MakeString(Core::String());
  return PartOf(*arguments[0], s, i + t.size(), s.size() - i - t.size());
}

KELTO_CORE_FUNCTION(CSubstringFunction) {
  CheckCount(arguments, 2, 3, u"substring");
  CValueConverter converter(context);
  Core::String scratch;
  Core::StringView s = converter.ToStringView(*arguments[0], scratch);
  double start = converter.ToNumber(*arguments[1]).Round().GetValue();
  double n = static_cast<double>(s.size());
  if (start != start) return MakeString({});
  // 1-based positions, clamped into 1 .. n + 1.
  double first = start < 1 ? 1 : (start > n ? n + 1 : start);
  double last = n + 1;
  if (arguments.size() == 3) {
    double end = start + converter.ToNumber(*arguments[2]).Round().GetValue();
    last = (end != end || end < 1) ? 1 : (end > n ? n + 1 : end);
  }
  if (last <= first) return MakeString({});
  return PartOf(*arguments[0], s, static_cast<size_t>(first) - 1, static_cast<size_t>(last - first));
}

KELTO_CORE_FUNCTION(CStringLengthFunction) {
  CheckCount(arguments, 0, 1, u"string-length");
  Core::String scratch;
  return Number(static_cast<double>(StringArgumentView(context, arguments, scratch).size()));
}

KELTO_CORE_FUNCTION(CNormalizeSpaceFunction) {
  CheckCount(arguments, 0, 1, u"normalize-space");
  Core::String scratch;
  Core::StringView s = StringArgumentView(context, arguments, scratch);
  Core::String result;
  result.reserve(s.size());
  bool pendingSpace = false;
  for (char16_t c : s) {
    if (IsIdSpace(c)) {
      pendingSpace = !result.empty();
      continue;
    }
    if (pendingSpace) result += u' ';
    pendingSpace = false;
    result += c;
  }
  return MakeString(std::move(result));
}

KELTO_CORE_FUNCTION(CTranslateFunction) {
  CheckCount(arguments, 3, 3, u"translate");
  CValueConverter converter(context);
  Core::String scratchS, scratchFrom, scratchTo;
  Core::StringView s = converter.ToStringView(*arguments[0], scratchS);
  Core::StringView from = converter.ToStringView(*arguments[1], scratchFrom);
  Core::StringView to = converter.ToStringView(*arguments[2], scratchTo);
  Core::String result;
  result.reserve(s.size());
  for (char16_t c : s) {
    size_t i = from.find(c);
    if (i == Core::StringView::npos) result += c;
    else if (i < to.size()) result += to[i];
  }
  return MakeString(std::move(result));
}

// ---- boolean and number functions -------------------------------------------

KELTO_CORE_FUNCTION(CBooleanFunction) {
  CheckCount(arguments, 1, 1, u"boolean");
  return Boolean(CValueConverter(context).ToBoolean(*arguments[0]));
}

KELTO_CORE_FUNCTION(CNotFunction) {
  CheckCount(arguments, 1, 1, u"not");
  return Boolean(!CValueConverter(context).ToBoolean(*arguments[0]));
}

KELTO_CORE_FUNCTION(CTrueFunction) {
  CheckCount(arguments, 0, 0, u"true");
  return Boolean(true);
}

KELTO_CORE_FUNCTION(CFalseFunction) {
  CheckCount(arguments, 0, 0, u"false");
  return Boolean(false);
}

KELTO_CORE_FUNCTION(CLangFunction) {
  CheckCount(arguments, 1, 1, u"lang");
  const Dom::CNode* language = nullptr;
  Dom::XNode start = context->GetNode();
  for (const Dom::CNode* node = start.Get(); node && !language; node = node->Parent()) {
    int32_t count = node->AttributeCount();
    for (int32_t i = 0; i < count; ++i) {
      const Dom::CNode* attribute = node->AttributeAt(i);
      if (attribute->NodeNameView() == u"xml:lang") {
        language = attribute;
        break;
      }
    }
  }
  if (!language) return Boolean(false);
  Core::String lang(language->ValueView());
  Core::String argument = CValueConverter(context).ToString(*arguments[0]);
  Core::ToLower(lang);
  Core::ToLower(argument);
  if (lang == argument) return Boolean(true);
  return Boolean(lang.size() > argument.size() && lang.compare(0, argument.size(), argument) == 0 &&
                 lang[argument.size()] == u'-');
}

KELTO_CORE_FUNCTION(CNumberFunction) {
  CheckCount(arguments, 0, 1, u"number");
  if (!arguments.empty()) return Number(CValueConverter(context).ToNumber(*arguments[0]));
  return Number(CValueConverter::StringToNumber(StringArgument(context, arguments)));
}

KELTO_CORE_FUNCTION(CSumFunction) {
  CheckCount(arguments, 1, 1, u"sum");
  Xpath::CNodeSet* nodeSet = NodeSetArgument(*arguments[0], u"sum");
  CNumber sum(0.0);
  Core::String text;
  for (XInterface<Xpath::CIterator> it = nodeSet->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) {
    text.clear();
    node->AppendStringValue(text);
    sum = sum + CValueConverter::StringToNumber(text);
  }
  return Number(sum);
}

KELTO_CORE_FUNCTION(CFloorFunction) {
  CheckCount(arguments, 1, 1, u"floor");
  return Number(CValueConverter(context).ToNumber(*arguments[0]).Floor());
}

KELTO_CORE_FUNCTION(CCeilingFunction) {
  CheckCount(arguments, 1, 1, u"ceiling");
  return Number(CValueConverter(context).ToNumber(*arguments[0]).Ceiling());
}

KELTO_CORE_FUNCTION(CRoundFunction) {
  CheckCount(arguments, 1, 1, u"round");
  return Number(CValueConverter(context).ToNumber(*arguments[0]).Round());
}

#undef KELTO_CORE_FUNCTION

} // namespace

} // namespace XpathPrivate

namespace Xpath {

CCoreFunctionLibrary::CCoreFunctionLibrary() {
  using namespace XpathPrivate;
  AddFunction(u"last", new CLastFunction());
  AddFunction(u"position", new CPositionFunction());
  AddFunction(u"count", new CCountFunction());
  AddFunction(u"id", new CIdFunction());
  AddFunction(u"local-name", new CLocalNameFunction());
  AddFunction(u"namespace-uri", new CNamespaceUriFunction());
  AddFunction(u"name", new CNameFunction());
  AddFunction(u"string", new CStringFunction());
  AddFunction(u"concat", new CConcatFunction());
  AddFunction(u"starts-with", new CStartsWithFunction());
  AddFunction(u"contains", new CContainsFunction());
  AddFunction(u"substring-before", new CSubstringBeforeFunction());
  AddFunction(u"substring-after", new CSubstringAfterFunction());
  AddFunction(u"substring", new CSubstringFunction());
  AddFunction(u"string-length", new CStringLengthFunction());
  AddFunction(u"normalize-space", new CNormalizeSpaceFunction());
  AddFunction(u"translate", new CTranslateFunction());
  AddFunction(u"boolean", new CBooleanFunction());
  AddFunction(u"not", new CNotFunction());
  AddFunction(u"true", new CTrueFunction());
  AddFunction(u"false", new CFalseFunction());
  AddFunction(u"lang", new CLangFunction());
  AddFunction(u"number", new CNumberFunction());
  AddFunction(u"sum", new CSumFunction());
  AddFunction(u"floor", new CFloorFunction());
  AddFunction(u"ceiling", new CCeilingFunction());
  AddFunction(u"round", new CRoundFunction());
}

CCoreFunctionLibrary::~CCoreFunctionLibrary() {
  while (!m_items.empty()) m_items.pop_back();
}

void CCoreFunctionLibrary::AddFunction(Core::String name, const Core::XInterface<CFunction>& function) {
  m_items.push_back({std::move(name), function});
}

bool CCoreFunctionLibrary::HasFunction(Core::StringView namespaceUri, Core::StringView localName) {
  if (!namespaceUri.empty()) return false;
  for (const CFunctionItem& item : m_items) {
    if (item.name == localName) return true;
  }
  return false;
}

Core::XInterface<CFunction> CCoreFunctionLibrary::GetFunction(Core::StringView namespaceUri,
                                                              Core::StringView localName) {
  if (!namespaceUri.empty()) return nullptr;
  for (const CFunctionItem& item : m_items) {
    if (item.name == localName) return item.function;
  }
  return nullptr;
}

} // namespace Xpath
