#include "xslt/processor/data/DataSet.h"

#include <algorithm>

#include "xpath/CommonNodeSet.h"
#include "xslt/processor/data/IdIndex.h"
#include "xslt/processor/services/PendingServices.h"

namespace XsltPrivate {

namespace {

constexpr uint32_t Bit(int32_t nodeType) { return uint32_t(1) << nodeType; }

} // namespace

// The nodes of one document by their values under one key name: sorted by
// value (code unit by code unit) and, among equal values, in document order.
// It keeps the document alive, so its node sets stay valid after the document
// left the data set.
class CBasicNodeIndex : public Core::CInterface {
public:
  struct CItem {
    Core::String value;
    Dom::CNode* node;
  };

  CBasicNodeIndex(const Dom::XNode& document, const CBasicDataSet::CKey& key);

  // The entries of the value: first and count (0 when none).
  void Find(Core::StringView value, int32_t& first, int32_t& count) const;
  Dom::CNode* GetNode(int32_t i) const { return m_items[size_t(i)].node; }

private:
  void IndexNode(Dom::CNode* node, const CBasicDataSet::CKey& key, std::vector<Core::String>& values);

  Dom::XNode m_document;
  std::vector<CItem> m_items;
};

CBasicNodeIndex::CBasicNodeIndex(const Dom::XNode& document, const CBasicDataSet::CKey& key)
    : m_document(document) {
  // An explicit walk in document order: documents may nest deeper than the
  // stack would allow a recursion to go. Within an element, its namespace
  // nodes and attributes come before its children.
  std::vector<Core::String> values;
  uint32_t types = key.nodeTypes;
  Dom::CNode* root = document.Get();
  Dom::CNode* node = root;
  while (node) {
    if (types & Bit(node->GetNodeType())) IndexNode(node, key, values);
    if (node->GetNodeType() == Dom::ELEMENT_NODE) {
      if (types & Bit(Dom::NAMESPACE_NODE)) {
        Dom::XNamedNodeMap namespaces = node->GetNamespaces();
        for (int32_t i = 0, n = namespaces ? namespaces->GetLength() : 0; i < n; ++i)
          IndexNode(namespaces->Item(i).Get(), key, values);
      }
      if (types & Bit(Dom::ATTRIBUTE_NODE)) {
        for (int32_t i = 0, n = node->AttributeCount(); i < n; ++i) IndexNode(node->AttributeAt(i), key, values);
      }
    }
    if (Dom::CNode* child = node->FirstChild()) {
      node = child;
      continue;
    }
    while (node != root && !node->NextSibling()) node = node->Parent();
    if (node == root) break;
    node = node->NextSibling();
  }
  // Entries were appended in document order; the stable sort keeps it among
  // equal values, so no comparison of nodes is needed.
  std::stable_sort(m_items.begin(), m_items.end(), [](const CItem& a, const CItem& b) { return a.value < b.value; });
}

void CBasicNodeIndex::IndexNode(Dom::CNode* node, const CBasicDataSet::CKey& key, std::vector<Core::String>& values) {
  Dom::XNode handle(node);
  if (key.handlers.size() == 1) {
    key.handlers[0]->GetKeyValues(handle, values);
  } else {
    // Every declaration of the name contributes.
    values.clear();
    std::vector<Core::String> more;
    for (const Core::XInterface<Xslt::CKeyHandler>& handler : key.handlers) {
      handler->GetKeyValues(handle, more);
      for (Core::String& value : more) values.push_back(std::move(value));
    }
  }
  if (values.empty()) return;
  // A value the node has twice gives one entry; the order of one node's
  // entries does not matter, the index is sorted by value.
  if (values.size() > 1) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
  }
  for (Core::String& value : values) m_items.push_back(CItem{std::move(value), node});
}

void CBasicNodeIndex::Find(Core::StringView value, int32_t& first, int32_t& count) const {
  auto low = std::lower_bound(m_items.begin(), m_items.end(), value,
                              [](const CItem& item, Core::StringView v) { return Core::StringView(item.value) < v; });
  auto high = std::upper_bound(low, m_items.end(), value,
                               [](Core::StringView v, const CItem& item) { return v < Core::StringView(item.value); });
  first = int32_t(low - m_items.begin());
  count = int32_t(high - low);
}

namespace {

class CKeyNodeSet : public XpathPrivate::CCommonNodeSet {
public:
  CKeyNodeSet(CBasicNodeIndex* index, int32_t first, int32_t count) : m_index(index), m_first(first), m_size(count) {}

  int32_t GetCount() override { return m_size; }
  Dom::XNode GetFirstNode() override { return m_size > 0 ? Dom::XNode(m_index->GetNode(m_first)) : Dom::XNode(); }
  bool MayRaise() override { return false; }
  bool HasNodes() override { return m_size > 0; }
  Core::XInterface<Xpath::CIterator> CreateIterator() override;

  CBasicNodeIndex* GetIndex() const { return m_index.Get(); }
  int32_t GetFirst() const { return m_first; }

private:
  Core::XInterface<CBasicNodeIndex> m_index;
  int32_t m_first;
  int32_t m_size;
};

class CKeyIterator : public XpathPrivate::CCommonIterator {
public:
  explicit CKeyIterator(CKeyNodeSet* nodeSet) : CCommonIterator(nodeSet), m_set(nodeSet) { Step(); }
  void Next() override { Step(); }

private:
  void Step() {
    Advance(m_next < m_set->GetCount() ? Dom::XNode(m_set->GetIndex()->GetNode(m_set->GetFirst() + m_next))
                                       : Dom::XNode());
    ++m_next;
  }

  CKeyNodeSet* m_set;  // held by the base
  int32_t m_next = 0;
};

Core::XInterface<Xpath::CIterator> CKeyNodeSet::CreateIterator() { return new CKeyIterator(this); }

} // namespace

// One document of the data set and its indexes, made on first use.
class CBasicDocumentIndex : public Core::CInterface {
public:
  CBasicDocumentIndex(const Dom::XNode& document, Xslt::CIdHandler* ids) : m_document(document), m_ids(ids) {}

  const Dom::XNode& GetDocument() const { return m_document; }

  CIdIndex& GetIdIndex() {
    if (!m_idIndex) m_idIndex = new CIdIndex(m_document, m_ids.Get());
    return *m_idIndex;
  }

  CBasicNodeIndex& GetKeyIndex(int32_t key, const CBasicDataSet::CKey& declarations) {
    if (size_t(key) < m_keyIndexes.size() && m_keyIndexes[size_t(key)]) return *m_keyIndexes[size_t(key)];
    // Building may build the indexes of other keys (a use expression that
    // calls key()), which may grow the list: no reference into it is held.
    Core::XInterface<CBasicNodeIndex> index(new CBasicNodeIndex(m_document, declarations));
    if (size_t(key) >= m_keyIndexes.size()) m_keyIndexes.resize(size_t(key) + 1);
    m_keyIndexes[size_t(key)] = index;
    return *index;
  }

private:
  Dom::XNode m_document;
  Core::XInterface<Xslt::CIdHandler> m_ids;
  Core::XInterface<CIdIndex> m_idIndex;
  std::vector<Core::XInterface<CBasicNodeIndex>> m_keyIndexes;  // by key position
};

CBasicDataSet::CBasicDataSet() = default;

CBasicDataSet::~CBasicDataSet() = default;

void CBasicDataSet::SetIdHandler(Xslt::CIdHandler* handler) { m_idHandler = handler; }

void CBasicDataSet::AddKey(Core::StringView namespaceUri, Core::StringView localName, Xslt::CKeyHandler* handler) {
  int32_t k = FindKey(namespaceUri, localName);
  if (k < 0) {
    m_keys.push_back(CKey{Core::String(namespaceUri), Core::String(localName), {}, 0});
    k = int32_t(m_keys.size()) - 1;
  }
  m_keys[size_t(k)].handlers.emplace_back(handler);
  m_keys[size_t(k)].nodeTypes |= handler->GetNodeTypes();
}

void CBasicDataSet::AddDocument(const Dom::XNode& document) {
  m_documents.emplace_back(new CBasicDocumentIndex(document, m_idHandler.Get()));
  CDocumentEntry& entry = m_byDocument.try_emplace(document.Get(), CDocumentEntry{nullptr, 0}).first->second;
  entry.newest = m_documents.back().Get();
  ++entry.count;
}

int32_t CBasicDataSet::RemoveDocument(const Dom::XNode& document) {
  auto entry = m_byDocument.find(document.Get());
  if (entry == m_byDocument.end()) return -1;
  // Documents go newest first, so the search is short.
  for (size_t i = m_documents.size(); i-- > 0;) {
    if (m_documents[i]->GetDocument() != document) continue;
    bool newest = m_documents[i].Get() == entry->second.newest;
    m_documents.erase(m_documents.begin() + ptrdiff_t(i));
    if (--entry->second.count == 0) {
      m_byDocument.erase(entry);
    } else if (newest) {
      for (size_t j = m_documents.size(); j-- > 0;) {
        if (m_documents[j]->GetDocument() == document) {
          entry->second.newest = m_documents[j].Get();
          break;
        }
      }
    }
    return int32_t(m_documents.size());
  }
  return -1;
}

bool CBasicDataSet::GetId(const Dom::XNode& node, Core::String& id) {
  return m_idHandler && node && m_idHandler->GetId(node.Get(), id);
}

Dom::XNode CBasicDataSet::GetElementById(const Dom::XNode& document, Core::StringView id) {
  CBasicDocumentIndex* index = document ? FindDocument(document.Get()) : nullptr;
  if (!index) return {};
  return Dom::XNode(index->GetIdIndex().Find(id));
}

int32_t CBasicDataSet::CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) {
  return Dom::CompareDocumentOrder(a.Get(), b.Get());
}

bool CBasicDataSet::HasKeyValue(const Dom::XNode& node, Core::StringView namespaceUri, Core::StringView localName,
                                Core::StringView value) {
  int32_t k = FindKey(namespaceUri, localName);
  if (k < 0 || !node) return false;
  std::vector<Core::String> values;
  for (const Core::XInterface<Xslt::CKeyHandler>& handler : m_keys[size_t(k)].handlers) {
    handler->GetKeyValues(node, values);
    for (const Core::String& v : values)
      if (v == value) return true;
  }
  return false;
}

Core::XInterface<Xpath::CNodeSet> CBasicDataSet::GetKeyNodes(const Dom::XNode& document, Core::StringView namespaceUri,
                                                             Core::StringView localName, Core::StringView value) {
  int32_t k = FindKey(namespaceUri, localName);
  CBasicDocumentIndex* documentIndex = document && k >= 0 ? FindDocument(document.Get()) : nullptr;
  if (!documentIndex) return new XpathPrivate::CSingleNodeSet(Dom::XNode());
  CBasicNodeIndex& index = documentIndex->GetKeyIndex(k, m_keys[size_t(k)]);
  int32_t first = 0, count = 0;
  index.Find(value, first, count);
  if (count == 0) return new XpathPrivate::CSingleNodeSet(Dom::XNode());
  return new CKeyNodeSet(&index, first, count);
}

int32_t CBasicDataSet::FindKey(Core::StringView namespaceUri, Core::StringView localName) const {
  for (size_t i = 0; i < m_keys.size(); ++i)
    if (m_keys[i].localName == localName && m_keys[i].namespaceUri == namespaceUri) return int32_t(i);
  return -1;
}

CBasicDocumentIndex* CBasicDataSet::FindDocument(const Dom::CNode* document) const {
  auto entry = m_byDocument.find(document);
  return entry == m_byDocument.end() ? nullptr : entry->second.newest;
}

void MakeDataSetFactory(CServiceSlot<Xslt::CDataSetFactory>& slot) {
  auto* factory = new Xslt::CBasicDataSetFactory();
  slot.use = factory;
  slot.service = factory;
}

} // namespace XsltPrivate

namespace Xslt {

Core::XInterface<CDataSet> CBasicDataSetFactory::CreateDataSet() { return new XsltPrivate::CBasicDataSet(); }

} // namespace Xslt
