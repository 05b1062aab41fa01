#pragma once
// The data/ folder: the documents a run reads, their keys and IDs, and sorting.
//
// The run's document services: the documents loaded during a transformation
// with their xsl:key indexes and ID lookup, and document order across
// documents. Indexes are built lazily, per document and per key name, the
// first time a question needs them, and kept until the document is removed.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xpath/NodeSet.h"
#include "xslt/processor/data/IdHandler.h"

namespace Xslt {

// The values a node has under one xsl:key declaration.
class CKeyHandler : public Core::CInterface {
public:
  // Empties values and fills them (repetitions allowed); nothing when the
  // node is not one the key indexes.
  virtual void GetKeyValues(const Dom::XNode& node, std::vector<Core::String>& values) = 0;
  // The node types (bit 1 << type) the key can give values for; an index
  // walk skips the others.
  virtual uint32_t GetNodeTypes() { return ~uint32_t(0); }
};

class CDataSet : public Core::CInterface {
public:
  virtual void SetIdHandler(CIdHandler* handler) = 0;
  // Every declaration of one name counts: a node's values under the name are
  // those of all its declarations together.
  virtual void AddKey(Core::StringView namespaceUri, Core::StringView localName, CKeyHandler* handler) = 0;
  virtual void AddDocument(const Dom::XNode& document) = 0;
  // The number of documents left, or -1 when the document is unknown.
  virtual int32_t RemoveDocument(const Dom::XNode& document) = 0;
  // False when no ID handler is set or the node has no ID.
  virtual bool GetId(const Dom::XNode& node, Core::String& id) = 0;
  // The first element in document order of that document with the ID; null
  // when none or the document is unknown.
  virtual Dom::XNode GetElementById(const Dom::XNode& document, Core::StringView id) = 0;
  // -1, 0 or 1: document number first, then the place in the document.
  virtual int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) = 0;
  // Whether the node's values under the named key include the value exactly;
  // false for a key name never declared.
  virtual bool HasKeyValue(const Dom::XNode& node, Core::StringView namespaceUri, Core::StringView localName,
                           Core::StringView value) = 0;
  // The nodes of the document with the value under the named key, in
  // document order; an empty set for an unknown document or key name.
  virtual Core::XInterface<Xpath::CNodeSet> GetKeyNodes(const Dom::XNode& document, Core::StringView namespaceUri,
                                                        Core::StringView localName, Core::StringView value) = 0;
};

class CDataSetFactory : public Core::CInterface {
public:
  virtual Core::XInterface<CDataSet> CreateDataSet() = 0;
};

class CBasicDataSetFactory : public CDataSetFactory {
public:
  Core::XInterface<CDataSet> CreateDataSet() override;
};

} // namespace Xslt

namespace XsltPrivate {

class CBasicDocumentIndex;

class CBasicDataSet : public Xslt::CDataSet {
public:
  CBasicDataSet();
  ~CBasicDataSet() override;

  void SetIdHandler(Xslt::CIdHandler* handler) override;
  void AddKey(Core::StringView namespaceUri, Core::StringView localName, Xslt::CKeyHandler* handler) override;
  void AddDocument(const Dom::XNode& document) override;
  int32_t RemoveDocument(const Dom::XNode& document) override;
  bool GetId(const Dom::XNode& node, Core::String& id) override;
  Dom::XNode GetElementById(const Dom::XNode& document, Core::StringView id) override;
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override;
  bool HasKeyValue(const Dom::XNode& node, Core::StringView namespaceUri, Core::StringView localName,
                   Core::StringView value) override;
  Core::XInterface<Xpath::CNodeSet> GetKeyNodes(const Dom::XNode& document, Core::StringView namespaceUri,
                                                Core::StringView localName, Core::StringView value) override;

  // All declarations of one key name, in registration order.
  struct CKey {
    Core::String namespaceUri;
    Core::String localName;
    std::vector<Core::XInterface<Xslt::CKeyHandler>> handlers;
    uint32_t nodeTypes = 0;
  };

private:
  // The key's position in m_keys, or -1.
  int32_t FindKey(Core::StringView namespaceUri, Core::StringView localName) const;
  CBasicDocumentIndex* FindDocument(const Dom::CNode* document) const;

  Core::XInterface<Xslt::CIdHandler> m_idHandler;
  std::vector<CKey> m_keys;
  std::vector<Core::XInterface<CBasicDocumentIndex>> m_documents;  // in order of addition
  // The newest index of each document and how many it has: a run may keep
  // thousands of documents loaded.
  struct CDocumentEntry {
    CBasicDocumentIndex* newest;
    int32_t count;
  };
  std::unordered_map<const Dom::CNode*, CDocumentEntry> m_byDocument;
};

// The run's data set as XPath evaluations see it (id(), document order).
class CPrivateExprDataSet : public Xpath::CDataSet {
public:
  explicit CPrivateExprDataSet(Xslt::CDataSet* dataSet) : m_dataSet(dataSet) {}

  bool GetId(const Dom::XNode& node, Core::String& id) override { return m_dataSet->GetId(node, id); }
  Dom::XNode GetElementById(const Dom::XNode& document, Core::StringView id) override {
    return m_dataSet->GetElementById(document, id);
  }
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override {
    return m_dataSet->CompareDocumentOrder(a, b);
  }

private:
  Core::XInterface<Xslt::CDataSet> m_dataSet;
};

} // namespace XsltPrivate
