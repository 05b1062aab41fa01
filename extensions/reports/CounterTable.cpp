#include "extensions/reports/CounterTable.h"

#include "extensions/reports/ReportsException.h"

namespace XsltReportsPrivate {

int32_t CCounterTable::Find(Core::StringView name) const {
  auto found = m_index.find(name);
  return found == m_index.end() ? -1 : found->second;
}

size_t CCounterTable::Visible(Core::StringView name) const {
  int32_t index = Find(name);
  if (index < 0) throw CCounterTableException(CCounterTableException::UndefinedCounterName, Core::String(name));
  return static_cast<size_t>(index);
}

void CCounterTable::Define(Core::StringView name, Xpath::CNumber value) {
  const int32_t level = m_scopeLevel - 1;
  auto found = m_index.find(name);
  int32_t shadowed = -1;
  if (found != m_index.end()) {
    shadowed = found->second;
    if (m_entries[static_cast<size_t>(shadowed)].scopeLevel == level)
      throw CCounterTableException(CCounterTableException::DuplicateCounterName, Core::String(name));
  }
  const int32_t index = static_cast<int32_t>(m_entries.size());
  m_entries.push_back(CEntry{level, Core::String(name), value, shadowed});
  if (found != m_index.end())
    found->second = index;
  else
    m_index.emplace(m_entries.back().name, index);
}

void CCounterTable::Increment(Core::StringView name, Xpath::CNumber delta) {
  CEntry& entry = m_entries[Visible(name)];
  entry.value = entry.value + delta;
}

Xpath::CNumber CCounterTable::GetValue(Core::StringView name) const {
  return m_entries[Visible(name)].value;
}

void CCounterTable::EndScope() {
  while (!m_entries.empty() && m_entries.back().scopeLevel >= m_scopeLevel) {
    CEntry& entry = m_entries.back();
    auto found = m_index.find(entry.name);
    if (entry.shadowed < 0)
      m_index.erase(found);
    else
      found->second = entry.shadowed;
    m_entries.pop_back();
  }
  --m_scopeLevel;
}

} // namespace XsltReportsPrivate
