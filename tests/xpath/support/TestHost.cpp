#include "xpath/support/TestHost.h"

#include "xpath/CommonNodeSet.h"
#include "xpath/Function.h"
#include "xpath/ValueConverter.h"

namespace XpathTest {

using Core::XInterface;
using Xpath::CValue;

XInterface<CValue> CTestVariables::GetValue(Core::StringView namespaceUri, Core::StringView localName) {
  auto it = m_values.find({Core::String(namespaceUri), Core::String(localName)});
  return it == m_values.end() ? nullptr : it->second;
}

bool CTestNamespaces::GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) {
  auto it = m_uris.find(Core::String(prefix));
  if (it == m_uris.end()) return false;
  namespaceUri = it->second;
  return true;
}

bool CTestDataSet::GetId(const Dom::XNode& node, Core::String& id) {
  if (!node || node->GetNodeType() != Dom::ELEMENT_NODE) return false;
  for (int32_t i = 0, n = node->AttributeCount(); i < n; ++i) {
    Dom::CAttributeNode* attribute = node->AttributeAt(i);
    if (attribute->NodeNameView() == m_idAttribute) {
      id = Core::String(attribute->ValueView());
      return true;
    }
  }
  return false;
}

Dom::XNode CTestDataSet::GetElementById(const Dom::XNode& document, Core::StringView id) {
  if (!document) return nullptr;
  for (const Dom::XNode& element : ElementsNamed(document)) {
    Core::String value;
    if (GetId(element, value) && value == id) return element;
  }
  return nullptr;
}

int32_t CTestDataSet::CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) {
  ++m_comparisons;
  return Dom::CompareDocumentOrder(a.Get(), b.Get());
}

class CCountingLibrary::CHereFunction final : public Xpath::CFunction {
public:
  XInterface<CValue> Evaluate(Xpath::CContext*, const Xpath::CArgumentList&) override {
    return new Xpath::CNodeSetValue(XInterface<Xpath::CNodeSet>(new XpathPrivate::CSingleNodeSet(node)));
  }
  Dom::XNode document;  // keeps the node's document alive
  Dom::XNode node;
};

CCountingLibrary::CCountingLibrary() : m_core(new Xpath::CCoreFunctionLibrary()), m_here(new CHereFunction()) {}

void CCountingLibrary::SetHere(const Dom::XNode& node) {
  m_here->node = nullptr;
  m_here->document = node ? node->GetOwnerDocument() : Dom::XNode();
  m_here->node = node;
}

bool CCountingLibrary::HasFunction(Core::StringView uri, Core::StringView name) {
  return m_core->HasFunction(uri, name) || (uri.empty() && name == u"here");
}

XInterface<Xpath::CFunction> CCountingLibrary::GetFunction(Core::StringView uri, Core::StringView name) {
  ++calls[Core::ToUtf8(name)];
  if (uri.empty() && name == u"here") return m_here;
  return m_core->GetFunction(uri, name);
}

Xpath::CFunctionLibrary::EFixedCall CCountingLibrary::GetFixedCall(Core::StringView uri, Core::StringView name) {
  return fixed && uri.empty() && name == u"here" ? FixedNodeSet : Varying;
}

bool CTestConvertExtension::ToBoolean(Xpath::CContext*, const CValue&) {
  ++calls;
  return true;
}

Xpath::CNumber CTestConvertExtension::ToNumber(Xpath::CContext*, const CValue& value) {
  ++calls;
  return Xpath::CValueConverter::StringToNumber(static_cast<const CTestFragmentValue&>(value).GetText());
}

Core::String CTestConvertExtension::ToString(Xpath::CContext*, const CValue& value) {
  ++calls;
  return static_cast<const CTestFragmentValue&>(value).GetText();
}

namespace {

bool CompareTexts(int32_t op, const Core::String& a, const Core::String& b) {
  int c = a.compare(b);
  switch (op) {
  case 0: return c == 0;
  case 1: return c != 0;
  case 2: return c < 0;
  case 3: return c > 0;
  case 4: return c <= 0;
  default: return c >= 0;
  }
}

bool AnyNode(const CValue& nodeSet, const Core::String& text, int32_t op, bool nodeOnLeft) {
  XInterface<Xpath::CIterator> it = nodeSet.GetNodeSet()->CreateIterator();
  for (Dom::XNode node = it->GetNode(); node; it->Next(), node = it->GetNode()) {
    Core::String s = node->GetStringValue();
    if (nodeOnLeft ? CompareTexts(op, s, text) : CompareTexts(op, text, s)) return true;
  }
  return false;
}

} // namespace

bool CTestCompareExtension::CompareNodeSetWithValue(Xpath::CContext*, int32_t op, const CValue& left,
                                                    const CValue& right) {
  ++calls;
  lastOp = op;
  lastNodeSetOnLeft = true;
  return AnyNode(left, static_cast<const CTestFragmentValue&>(right).GetText(), op, true);
}

bool CTestCompareExtension::CompareValueWithNodeSet(Xpath::CContext*, int32_t op, const CValue& left,
                                                    const CValue& right) {
  ++calls;
  lastOp = op;
  lastNodeSetOnLeft = false;
  return AnyNode(right, static_cast<const CTestFragmentValue&>(left).GetText(), op, false);
}

CTestImplementation::CTestImplementation()
    : m_factory(Core::Make<Xpath::CBasicNodeArrayFactory>()),
      m_convert(Core::Make<CTestConvertExtension>()),
      m_compare(Core::Make<CTestCompareExtension>()) {}

CTestHost::CTestHost()
    : m_variables(Core::Make<CTestVariables>()),
      m_namespaces(Core::Make<CTestNamespaces>()),
      m_dataSet(Core::Make<CTestDataSet>()),
      m_implementation(Core::Make<CTestImplementation>()) {}

XInterface<Xpath::CContext> CTestHost::MakeContext(Xpath::CIterator* iterator) {
  return Core::Make<Xpath::CContext>(iterator, m_variables.Get(), m_functions.Get(), m_namespaces.Get(),
                                     m_dataSet.Get(), m_implementation.Get());
}

XInterface<Xpath::CContext> CTestHost::MakeContext(const Dom::XNode& node) {
  XInterface<Xpath::CContext> top = MakeContext(static_cast<Xpath::CIterator*>(nullptr));
  return Core::Make<Xpath::CContext>(top.Get(), node);
}

XInterface<Xpath::CNodeSet> CTestHost::MakeNodeSet(const std::vector<Dom::XNode>& nodes) {
  XInterface<Xpath::CNodeArray> array = m_implementation->GetNodeArrayFactory()->CreateNodeArray(m_dataSet.Get());
  for (const Dom::XNode& node : nodes) array->Insert(node);
  return Core::Make<XpathPrivate::CArrayNodeSet>(array.Get());
}

XInterface<CValue> CTestHost::MakeNodeSetValue(const std::vector<Dom::XNode>& nodes) {
  return Core::Make<Xpath::CNodeSetValue>(MakeNodeSet(nodes));
}

namespace {

class CListIterator : public Xpath::CIterator {
public:
  explicit CListIterator(CListNodeSet* set) : m_set(set) {}
  Xpath::CNodeSet* GetNodeSet() override { return m_set.Get(); }
  Dom::XNode GetNode() override {
    if (m_index >= m_set->Nodes().size()) return nullptr;
    ++m_set->nodeReads;
    return m_set->Nodes()[m_index];
  }
  int32_t GetPosition() override {
    return m_index < m_set->Nodes().size() ? static_cast<int32_t>(m_index + 1) : 0;
  }
  void Next() override {
    if (m_index < m_set->Nodes().size()) ++m_index;
  }

private:
  XInterface<CListNodeSet> m_set;
  size_t m_index = 0;
};

} // namespace

XInterface<Xpath::CIterator> CListNodeSet::CreateIterator() {
  ++iterators;
  return Core::Make<CListIterator>(this);
}

std::vector<Dom::XNode> ElementsNamed(const Dom::XNode& root, Core::StringView name) {
  std::vector<Dom::XNode> out;
  Dom::CNode* node = root->FirstChild();
  while (node) {
    if (node->GetNodeType() == Dom::ELEMENT_NODE && (name == u"*" || node->NodeNameView() == name))
      out.emplace_back(node);
    if (Dom::CNode* child = node->FirstChild()) {
      node = child;
      continue;
    }
    while (node && node != root.Get() && !node->NextSibling()) node = node->Parent();
    node = node && node != root.Get() ? node->NextSibling() : nullptr;
  }
  return out;
}

XInterface<CValue> Boolean(bool value) { return Core::Make<Xpath::CBooleanValue>(value); }
XInterface<CValue> Number(double value) { return Core::Make<Xpath::CNumberValue>(Xpath::CNumber(value)); }
XInterface<CValue> String(Core::StringView value) { return Core::Make<Xpath::CStringValue>(Core::String(value)); }
XInterface<CValue> Fragment(Core::StringView text) { return Core::Make<CTestFragmentValue>(Core::String(text)); }

} // namespace XpathTest
