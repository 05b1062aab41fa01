#pragma once
// A host for XPath tests: variable bindings, namespace declarations, a data
// set (document order, IDs from attributes of a chosen name), an XPath
// implementation with the engine's node-array factory, and an extension
// value type (code 100) converted and compared through recording extensions.
// CTestHost bundles them and makes evaluation contexts.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xpath/NodeArray.h"
#include "xpath/Value.h"

namespace XpathTest {

class CTestVariables : public Xpath::CVariableBindingSet {
public:
  void Bind(Core::StringView namespaceUri, Core::StringView localName, Core::XInterface<Xpath::CValue> value) {
    m_values[{Core::String(namespaceUri), Core::String(localName)}] = std::move(value);
  }
  Core::XInterface<Xpath::CValue> GetValue(Core::StringView namespaceUri, Core::StringView localName) override;

private:
  std::map<std::pair<Core::String, Core::String>, Core::XInterface<Xpath::CValue>> m_values;
};

class CTestNamespaces : public Xpath::CNamespaceDeclarationSet {
public:
  void Declare(Core::StringView prefix, Core::StringView namespaceUri) {
    m_uris[Core::String(prefix)] = Core::String(namespaceUri);
  }
  bool GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) override;

private:
  std::map<Core::String, Core::String> m_uris;
};

// Document order from the tree; an element's ID is the value of its
// attribute named idAttribute (no DTD needed).
class CTestDataSet : public Xpath::CDataSet {
public:
  explicit CTestDataSet(Core::String idAttribute = u"id") : m_idAttribute(std::move(idAttribute)) {}

  bool GetId(const Dom::XNode& node, Core::String& id) override;
  Dom::XNode GetElementById(const Dom::XNode& document, Core::StringView id) override;
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override;

  int64_t GetComparisonCount() const { return m_comparisons; }
  void ResetComparisonCount() { m_comparisons = 0; }

private:
  Core::String m_idAttribute;
  int64_t m_comparisons = 0;
};

// An extension value (type 100) that carries a text, like a result tree
// fragment. Its own getters are left at the base answers on purpose: the
// engine must convert it only through the host.
class CTestFragmentValue : public Xpath::CValue {
public:
  explicit CTestFragmentValue(Core::String text) : m_text(std::move(text)) {}
  int32_t GetType() const override { return ResultTreeFragmentType; }
  const Core::String& GetText() const { return m_text; }

private:
  Core::String m_text;
};

// Converts fragments through their text, as the XSLT processor does, and
// counts the calls.
class CTestConvertExtension : public Xpath::CValueConvertExtension {
public:
  bool ToBoolean(Xpath::CContext* context, const Xpath::CValue& value) override;
  Xpath::CNumber ToNumber(Xpath::CContext* context, const Xpath::CValue& value) override;
  Core::String ToString(Xpath::CContext* context, const Xpath::CValue& value) override;

  int calls = 0;
};

// Compares a node set with a fragment by the string values of the nodes, as
// the XSLT processor does, and records the last call.
class CTestCompareExtension : public Xpath::CValueCompareExtension {
public:
  bool CompareNodeSetWithValue(Xpath::CContext* context, int32_t op, const Xpath::CValue& left,
                               const Xpath::CValue& right) override;
  bool CompareValueWithNodeSet(Xpath::CContext* context, int32_t op, const Xpath::CValue& left,
                               const Xpath::CValue& right) override;

  int calls = 0;
  int32_t lastOp = -1;
  bool lastNodeSetOnLeft = false;
};

class CTestImplementation : public Xpath::CXpathImplementation {
public:
  CTestImplementation();
  Xpath::CNodeArrayFactory* GetNodeArrayFactory() override { return m_factory.Get(); }
  Xpath::CValueConvertExtension* GetValueConvertExtension() override { return m_convert.Get(); }
  Xpath::CValueCompareExtension* GetValueCompareExtension() override { return m_compare.Get(); }

  CTestConvertExtension& Convert() { return *m_convert; }
  CTestCompareExtension& Compare() { return *m_compare; }

private:
  Core::XInterface<Xpath::CNodeArrayFactory> m_factory;
  Core::XInterface<CTestConvertExtension> m_convert;
  Core::XInterface<CTestCompareExtension> m_compare;
};

// The core functions, counting how often each name is looked up (once per
// evaluation of a call), and here(): a node set of the node set with
// SetHere, declared to the engine as a fixed function (like a host's
// current node) when fixed is true.
class CCountingLibrary final : public Xpath::CFunctionLibrary {
public:
  CCountingLibrary();
  bool HasFunction(Core::StringView uri, Core::StringView name) override;
  Core::XInterface<Xpath::CFunction> GetFunction(Core::StringView uri, Core::StringView name) override;
  EFixedCall GetFixedCall(Core::StringView uri, Core::StringView name) override;

  void SetHere(const Dom::XNode& node);
  std::map<std::string, int> calls;
  bool fixed = true;

private:
  class CHereFunction;
  Core::XInterface<Xpath::CFunctionLibrary> m_core;
  Core::XInterface<CHereFunction> m_here;
};

// Everything an evaluation needs. The function library is supplied by the
// test (it may stay null when no function is called).
class CTestHost {
public:
  CTestHost();

  CTestVariables& Variables() { return *m_variables; }
  CTestNamespaces& Namespaces() { return *m_namespaces; }
  CTestDataSet& DataSet() { return *m_dataSet; }
  CTestImplementation& Implementation() { return *m_implementation; }
  void SetFunctionLibrary(Xpath::CFunctionLibrary* library) { m_functions = library; }

  // A context whose current node list is the one node (or empty for null).
  Core::XInterface<Xpath::CContext> MakeContext(const Dom::XNode& node = Dom::XNode());
  // A context over the iterator's node list.
  Core::XInterface<Xpath::CContext> MakeContext(Xpath::CIterator* iterator);

  // A node set of the given nodes in document order, duplicates dropped.
  Core::XInterface<Xpath::CNodeSet> MakeNodeSet(const std::vector<Dom::XNode>& nodes);
  Core::XInterface<Xpath::CValue> MakeNodeSetValue(const std::vector<Dom::XNode>& nodes);

private:
  Core::XInterface<CTestVariables> m_variables;
  Core::XInterface<Xpath::CFunctionLibrary> m_functions;
  Core::XInterface<CTestNamespaces> m_namespaces;
  Core::XInterface<CTestDataSet> m_dataSet;
  Core::XInterface<CTestImplementation> m_implementation;
};

// A node set over a fixed list of nodes, iterated in the given order, that
// counts the iterators made and the nodes read through them: tests of how far
// and how often a consumer walks a set.
class CListNodeSet : public Xpath::CNodeSet {
public:
  explicit CListNodeSet(std::vector<Dom::XNode> nodes) : m_nodes(std::move(nodes)) {}

  bool IsDocumentOrder() override { return true; }
  bool IsReverseOrder() override { return false; }
  int32_t GetCount() override { return static_cast<int32_t>(m_nodes.size()); }
  Dom::XNode GetFirstNode() override { return m_nodes.empty() ? Dom::XNode() : m_nodes[0]; }
  Core::XInterface<Xpath::CIterator> CreateIterator() override;

  const std::vector<Dom::XNode>& Nodes() const { return m_nodes; }
  int iterators = 0;
  int nodeReads = 0;  // non-null answers of GetNode

private:
  std::vector<Dom::XNode> m_nodes;
};

// The elements below root (root excluded) with the qualified name, or all
// of them for "*", in document order.
std::vector<Dom::XNode> ElementsNamed(const Dom::XNode& root, Core::StringView name = u"*");

// Value makers for tables of cases.
Core::XInterface<Xpath::CValue> Boolean(bool value);
Core::XInterface<Xpath::CValue> Number(double value);
Core::XInterface<Xpath::CValue> String(Core::StringView value);
Core::XInterface<Xpath::CValue> Fragment(Core::StringView text);

} // namespace XpathTest
