#include "xslt/processor/output/OutputTables.h"

#include "core/HashTable.h"

namespace XsltPrivate {

// ---- namespace table ----------------------------------------------------

COutputNamespaceTable::CText COutputNamespaceTable::Store(Core::StringView text) {
  CText t{static_cast<uint32_t>(m_pool.size()), static_cast<uint32_t>(text.size()), Core::HashName(text)};
  m_pool.append(text);
  return t;
}

int32_t COutputNamespaceTable::FindByPrefix(Core::StringView prefix) const {
  int32_t hash = Core::HashName(prefix);
  if (m_byPrefix) {
    auto [from, to] = m_byPrefix->equal_range(hash);
    for (auto it = from; it != to; ++it)
      if (View(m_items[it->second].prefix) == prefix) return it->second;
    return -1;
  }
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].prefix.hash == hash && View(m_items[i].prefix) == prefix) return static_cast<int32_t>(i);
  return -1;
}

int32_t COutputNamespaceTable::FindByUri(Core::StringView uri) const {
  int32_t hash = Core::HashName(uri);
  if (m_byUri) {
    int32_t first = -1;
    auto [from, to] = m_byUri->equal_range(hash);
    for (auto it = from; it != to; ++it)
      if ((first < 0 || it->second < first) && View(m_items[it->second].uri) == uri) first = it->second;
    return first;
  }
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].uri.hash == hash && View(m_items[i].uri) == uri) return static_cast<int32_t>(i);
  return -1;
}

void COutputNamespaceTable::Set(Core::StringView prefix, Core::StringView uri, bool declare) {
  int32_t i = FindByPrefix(prefix);
  if (i >= 0) {
    CItem& item = m_items[i];
    if (View(item.uri) == uri) return;
    if (m_byUri) {
      auto [from, to] = m_byUri->equal_range(item.uri.hash);
      for (auto it = from; it != to; ++it)
        if (it->second == i) {
          m_byUri->erase(it);
          break;
        }
    }
    item.uri = Store(uri);
    item.declaredHere = declare;
    if (m_byUri) m_byUri->emplace(item.uri.hash, i);
    return;
  }
  CText p = Store(prefix);
  CText u = Store(uri);
  m_items.push_back(CItem{p, u, declare});
  int32_t position = static_cast<int32_t>(m_items.size() - 1);
  if (m_byPrefix) {
    m_byPrefix->emplace(p.hash, position);
    m_byUri->emplace(u.hash, position);
  } else if (m_items.size() >= kIndexFrom) {
    BuildIndexes();
  }
}

void COutputNamespaceTable::BuildIndexes() {
  m_byPrefix = std::make_unique<CIndex>();
  m_byUri = std::make_unique<CIndex>();
  for (size_t i = 0; i < m_items.size(); ++i) {
    m_byPrefix->emplace(m_items[i].prefix.hash, static_cast<int32_t>(i));
    m_byUri->emplace(m_items[i].uri.hash, static_cast<int32_t>(i));
  }
}

void COutputNamespaceTable::CopyFrom(const COutputNamespaceTable& other) {
  m_items = other.m_items;
  m_pool = other.m_pool;
  for (CItem& item : m_items) item.declaredHere = false;
  if (other.m_byPrefix) {
    m_byPrefix = std::make_unique<CIndex>(*other.m_byPrefix);
    m_byUri = std::make_unique<CIndex>(*other.m_byUri);
  } else {
    m_byPrefix.reset();
    m_byUri.reset();
  }
}

// ---- attribute table ----------------------------------------------------

COutputAttributeTable::CText COutputAttributeTable::Store(Core::StringView text) {
  CText t{static_cast<uint32_t>(m_pool.size()), static_cast<uint32_t>(text.size())};
  m_pool.append(text);
  return t;
}

int32_t COutputAttributeTable::Find(Core::StringView name, int32_t hash) const {
  if (m_indexed) {
    auto [from, to] = m_index.equal_range(hash);
    for (auto it = from; it != to; ++it)
      if (View(m_items[it->second].name) == name) return it->second;
    return -1;
  }
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].hash == hash && View(m_items[i].name) == name) return static_cast<int32_t>(i);
  return -1;
}

void COutputAttributeTable::Set(Core::StringView name, Core::StringView value) {
  int32_t hash = Core::HashName(name);
  int32_t i = Find(name, hash);
  if (i >= 0) {
    m_items[i].value = Store(value);
    return;
  }
  CText n = Store(name);
  CText v = Store(value);
  m_items.push_back(CItem{n, v, hash});
  int32_t position = static_cast<int32_t>(m_items.size() - 1);
  if (m_indexed) {
    m_index.emplace(hash, position);
  } else if (m_items.size() >= kIndexFrom) {
    for (size_t k = 0; k < m_items.size(); ++k) m_index.emplace(m_items[k].hash, static_cast<int32_t>(k));
    m_indexed = true;
  }
}

void COutputAttributeTable::Clear() {
  m_items.clear();
  m_pool.clear();
  if (m_indexed) {
    m_index.clear();
    m_indexed = false;
  }
}

} // namespace XsltPrivate
