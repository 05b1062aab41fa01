#pragma once
// The evaluation context of an XPath expression: the current node list and
// the five host interfaces through which the engine reaches what it does not
// own (variables, functions, namespace prefixes, document services, and the
// node-array factory with the conversions and comparisons of the host's own
// value types). The host implements the interfaces; the engine derives a new
// context for every step and predicate, keeping the host interfaces.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/NodeSet.h"
#include "xpath/Number.h"
#include "xpath/Value.h"

namespace XpathPrivate {
class CEvaluationCache;
}

namespace Xpath {

class CContext;
class CFunction;
class CNodeArrayFactory;

class CVariableBindingSet : public Core::CInterface {
public:
  // The value bound to the expanded name, or null when it is not bound.
  virtual Core::XInterface<CValue> GetValue(Core::StringView namespaceUri, Core::StringView localName) = 0;
  // The value when it is at hand without evaluating anything; null also for
  // a value that is still to be worked out.
  virtual Core::XInterface<CValue> PeekValue(Core::StringView namespaceUri, Core::StringView localName) {
    return GetValue(namespaceUri, localName);
  }
};

class CFunctionLibrary : public Core::CInterface {
public:
  virtual bool HasFunction(Core::StringView namespaceUri, Core::StringView localName) = 0;
  // The function, or null when there is none.
  virtual Core::XInterface<CFunction> GetFunction(Core::StringView namespaceUri, Core::StringView localName) = 0;
  // How a call of the function without arguments behaves. Fixed: it raises
  // no error and gives the same value all through one evaluation of an
  // expression, whatever the context node list (a host's current node,
  // say), so that the engine may work it out once per evaluation.
  // FixedNodeSet: that value is moreover a node set. Varying: neither is
  // known.
  enum EFixedCall : int32_t { Varying, Fixed, FixedNodeSet };
  virtual EFixedCall GetFixedCall(Core::StringView /*namespaceUri*/, Core::StringView /*localName*/) {
    return Varying;
  }
};

class CNamespaceDeclarationSet : public Core::CInterface {
public:
  // True with the URI when the prefix is declared; out is not to be used
  // otherwise. The engine asks only for non-empty prefixes.
  virtual bool GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) = 0;
};

class CDataSet : public Core::CInterface {
public:
  // True with the ID of an element that has an attribute declared of type ID.
  virtual bool GetId(const Dom::XNode& node, Core::String& id) = 0;
  // The element of the document whose ID is exactly id, or null.
  virtual Dom::XNode GetElementById(const Dom::XNode& document, Core::StringView id) = 0;
  // -1 when a comes before b, 0 for the same node, 1 when a comes after b.
  // Distinct nodes are never 0.
  virtual int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) = 0;
};

// Converts values whose type code is not 0-3.
class CValueConvertExtension : public Core::CInterface {
public:
  virtual bool ToBoolean(CContext* context, const CValue& value) = 0;
  virtual CNumber ToNumber(CContext* context, const CValue& value) = 0;
  virtual Core::String ToString(CContext* context, const CValue& value) = 0;
};

// Compares a node set with a value of an extension type; the operands keep
// their sides (left operator right), operator codes as in CompareValues.
class CValueCompareExtension : public Core::CInterface {
public:
  virtual bool CompareNodeSetWithValue(CContext* context, int32_t op, const CValue& left, const CValue& right) = 0;
  virtual bool CompareValueWithNodeSet(CContext* context, int32_t op, const CValue& left, const CValue& right) = 0;
};

class CXpathImplementation : public Core::CInterface {
public:
  // Each returns a pointer held by the implementation, no use added.
  virtual CNodeArrayFactory* GetNodeArrayFactory() = 0;
  virtual CValueConvertExtension* GetValueConvertExtension() = 0;
  virtual CValueCompareExtension* GetValueCompareExtension() = 0;
};

class CContext : public Core::CInterface {
public:
  // Any of the six may be null.
  CContext(CIterator* iterator, CVariableBindingSet* variables, CFunctionLibrary* functions,
           CNamespaceDeclarationSet* namespaces, CDataSet* dataSet, CXpathImplementation* implementation);
  // Another current node list, the host interfaces of base. Derived
  // contexts share the evaluation cache of base.
  CContext(CContext* base, CIterator* iterator);
  // One node as the whole current node list (position 1, size 1), or an
  // empty list when node is null; the host interfaces of base.
  CContext(CContext* base, const Dom::XNode& node);
  // As above with the given evaluation cache (null for none) instead of
  // that of base.
  CContext(CContext* base, CIterator* iterator, XpathPrivate::CEvaluationCache* cache);
  CContext(CContext* base, const Dom::XNode& node, XpathPrivate::CEvaluationCache* cache);
  ~CContext() override;

  // The current node of the list, null at its end.
  Dom::XNode GetNode() const;
  // 1-based, 0 at the end; 0 as well when there is no list.
  int32_t GetPosition() const;
  // The count of the list's node set, counted once by the set.
  int32_t GetSize() const;

  // The stored pointers, no use added.
  CIterator* GetIterator() const { return m_iterator.Get(); }
  CVariableBindingSet* GetVariableBindingSet() const { return m_variables.Get(); }
  CFunctionLibrary* GetFunctionLibrary() const { return m_functions.Get(); }
  CNamespaceDeclarationSet* GetNamespaceDeclarationSet() const { return m_namespaces.Get(); }
  CDataSet* GetDataSet() const { return m_dataSet.Get(); }
  CXpathImplementation* GetXpathImplementation() const { return m_implementation.Get(); }
  // The values the engine keeps for one evaluation of an expression: the
  // operands that do not depend on the context node list. Null outside
  // such an evaluation.
  XpathPrivate::CEvaluationCache* GetEvaluationCache() const { return m_cache.Get(); }

private:
  Core::XInterface<CIterator> m_iterator;
  Core::XInterface<CVariableBindingSet> m_variables;
  Core::XInterface<CFunctionLibrary> m_functions;
  Core::XInterface<CNamespaceDeclarationSet> m_namespaces;
  Core::XInterface<CDataSet> m_dataSet;
  Core::XInterface<CXpathImplementation> m_implementation;
  Core::XInterface<XpathPrivate::CEvaluationCache> m_cache;
};

} // namespace Xpath
