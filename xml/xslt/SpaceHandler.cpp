#include "xml/xslt/SpaceHandler.h"

namespace Xslt {

namespace {

uint32_t Hash(Core::StringView s) {
  uint32_t h = 0;
  for (char16_t c : s) h = h * 9u + c;
  return h & 0x7FFFFFFFu;
}

// Linear probing from hash modulo the bucket count; -1 when s is absent.
template <class Entry>
int32_t FindSlot(const std::vector<Entry>& table, Core::StringView s, uint32_t hash) {
  if (table.empty()) return -1;
  size_t n = table.size();
  size_t home = hash % n, i = home;
  while (table[i].used) {
    if (table[i].hash == hash && table[i].key == s) return int32_t(i);
    i = (i + 1) % n;
    if (i == home) break;
  }
  return -1;
}

// The entry of s, added when missing; the table doubles before it would be
// three quarters full.
template <class Entry>
Entry& FindOrAdd(std::vector<Entry>& table, int32_t& count, Core::StringView s) {
  uint32_t hash = Hash(s);
  int32_t found = FindSlot(table, s, hash);
  if (found >= 0) return table[size_t(found)];
  if (table.empty()) table.resize(4);
  if (size_t(count) >= table.size() * 3 / 4) {
    std::vector<Entry> grown(table.size() * 2);
    for (Entry& e : table) {
      if (!e.used) continue;
      size_t i = e.hash % grown.size();
      while (grown[i].used) i = (i + 1) % grown.size();
      grown[i] = std::move(e);
    }
    table.swap(grown);
  }
  size_t i = hash % table.size();
  while (table[i].used) i = (i + 1) % table.size();
  Entry& e = table[i];
  e.key = Core::String(s);
  e.hash = hash;
  e.used = true;
  ++count;
  return e;
}

} // namespace

CSpaceHandler::CSpaceHandler() = default;
CSpaceHandler::~CSpaceHandler() = default;

bool CSpaceHandler::Store(CRule& rule, int32_t precedence, bool preserve) {
  if (!rule.present || precedence > rule.precedence) {
    rule.precedence = precedence;
    rule.preserve = preserve;
    rule.present = true;
    return true;
  }
  if (precedence == rule.precedence) {
    rule.preserve = preserve;
    return false;
  }
  return true;
}

bool CSpaceHandler::AddRule(std::optional<Core::StringView> namespaceUri, std::optional<Core::StringView> localName,
                            int32_t importPrecedence, bool preserve) {
  if (!namespaceUri) return Store(m_anyElement, importPrecedence, preserve);
  CNamespaceEntry& ns = FindOrAdd(m_namespaces, m_namespaceCount, *namespaceUri);
  if (!localName) return Store(ns.rule, importPrecedence, preserve);
  CLocalEntry& local = FindOrAdd(ns.locals, ns.localCount, *localName);
  return Store(local.rule, importPrecedence, preserve);
}

bool CSpaceHandler::IsSpacePreserved(Core::StringView namespaceUri, Core::StringView localName) const {
  int32_t n = FindSlot(m_namespaces, namespaceUri, Hash(namespaceUri));
  if (n >= 0) {
    const CNamespaceEntry& ns = m_namespaces[size_t(n)];
    int32_t l = FindSlot(ns.locals, localName, Hash(localName));
    if (l >= 0) return ns.locals[size_t(l)].rule.preserve;
    if (ns.rule.present) return ns.rule.preserve;
  }
  if (m_anyElement.present) return m_anyElement.preserve;
  return true;
}

} // namespace Xslt
