#include "xslt/processor/services/BasicLocationHandler.h"

#include <algorithm>
#include <cstring>

namespace XsltPrivate {

namespace {

// Every node of a parsed document is recorded, so the ids are compared as
// memory, not unit by unit.
bool SameText(Core::StringView a, Core::StringView b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

// Positions compare as signed differences, document number first, as
// document order does.
int32_t Compare(Dom::CNodeIdentity a, Dom::CNodeIdentity b) {
  int32_t d = int32_t(a.documentNumber - b.documentNumber);
  if (d != 0) return d;
  return int32_t(a.nodeIndex - b.nodeIndex);
}

} // namespace

CBasicLocationHandler::CBasicLocationHandler() = default;

CBasicLocationHandler::~CBasicLocationHandler() = default;

void CBasicLocationHandler::SetParent(const Core::XInterface<Xslt::CLocationHandler>& parent) { m_parent = parent; }

// The tables hold one string per entity; the newest one (the entity being
// read) is asked for most.
int32_t CBasicLocationHandler::Intern(CIdTable& table, Core::StringView id) {
  if (id.empty()) return -1;
  if (!table.ids.empty() && SameText(table.ids.back(), id)) return int32_t(table.ids.size() - 1);
  auto [found, added] = table.indexes.try_emplace(Core::String(id), int32_t(table.ids.size()));
  if (added) table.ids.emplace_back(id);
  return found->second;
}

void CBasicLocationHandler::RecordLocation(Dom::CNodeIdentity position, Core::StringView publicId,
                                           Core::StringView systemId, int32_t line, int32_t column) {
  if (publicId.empty() && systemId.empty()) return;
  int32_t publicIndex = Intern(m_publicIds, publicId);
  int32_t systemIndex = Intern(m_systemIds, systemId);
  m_nodes.push_back(CNodeItem{position.documentNumber, position.nodeIndex, publicIndex, systemIndex,
                              uint32_t(line), uint32_t(column)});
  AddToRuns(m_nodes.size() - 1);
  if (systemIndex < 0) return;
  if (!m_baseUris.empty()) {
    CBaseUriItem& last = m_baseUris.back();
    if (last.first.documentNumber == position.documentNumber && last.systemId == systemIndex) {
      if (int32_t(position.nodeIndex - last.last.nodeIndex) > 0) last.last = position;
      return;
    }
  }
  m_baseUrisByDocument[position.documentNumber].push_back(m_baseUris.size());
  m_baseUris.push_back(CBaseUriItem{position, position, systemIndex});
}

void CBasicLocationHandler::AddToRuns(size_t item) {
  const CNodeItem& node = m_nodes[item];
  if (!m_runs.empty()) {
    CRun& last = m_runs.back();
    if (last.documentNumber == node.documentNumber && last.end == item && m_nodes[item - 1].nodeIndex < node.nodeIndex) {
      last.end = item + 1;
      return;
    }
  }
  m_runs.push_back(CRun{node.documentNumber, item, item + 1});
  ++m_runCounts[node.documentNumber];
}

bool CBasicLocationHandler::GetLocation(Dom::CNodeIdentity position, Core::String& publicId, Core::String& systemId,
                                        int32_t& line, int32_t& column) {
  for (const CRun& run : m_runs) {
    if (run.documentNumber != position.documentNumber) continue;
    auto first = m_nodes.begin() + ptrdiff_t(run.begin), last = m_nodes.begin() + ptrdiff_t(run.end);
    auto found = std::lower_bound(first, last, position.nodeIndex,
                                  [](const CNodeItem& item, uint32_t index) { return item.nodeIndex < index; });
    if (found == last || found->nodeIndex != position.nodeIndex) continue;
    const CNodeItem& item = *found;
    publicId = item.publicId < 0 ? Core::String() : m_publicIds.ids[size_t(item.publicId)];
    systemId = item.systemId < 0 ? Core::String() : m_systemIds.ids[size_t(item.systemId)];
    line = int32_t(item.line);
    column = int32_t(item.column);
    return true;
  }
  return m_parent && m_parent->GetLocation(position, publicId, systemId, line, column);
}

bool CBasicLocationHandler::GetBaseUri(Dom::CNodeIdentity position, Core::String& uri) {
  // A range lies within one document.
  auto ranges = m_baseUrisByDocument.find(position.documentNumber);
  if (ranges != m_baseUrisByDocument.end()) {
    for (size_t i : ranges->second) {
      const CBaseUriItem& range = m_baseUris[i];
      if (Compare(range.first, position) <= 0 && Compare(position, range.last) <= 0) {
        uri = m_systemIds.ids[size_t(range.systemId)];
        return true;
      }
    }
  }
  return m_parent && m_parent->GetBaseUri(position, uri);
}

void CBasicLocationHandler::ForgetDocument(Dom::CNodeIdentity position) {
  // Documents are mostly forgotten newest first: their records are the last.
  auto count = m_runCounts.find(position.documentNumber);
  if (count == m_runCounts.end()) return;
  while (!m_runs.empty() && m_runs.back().documentNumber == position.documentNumber) {
    m_nodes.erase(m_nodes.begin() + ptrdiff_t(m_runs.back().begin), m_nodes.end());
    m_runs.pop_back();
    --count->second;
  }
  if (count->second == 0) {
    m_runCounts.erase(count);
    return;
  }
  std::erase_if(m_nodes, [&](const CNodeItem& item) { return item.documentNumber == position.documentNumber; });
  m_runs.clear();
  m_runCounts.clear();
  for (size_t i = 0; i < m_nodes.size(); ++i) AddToRuns(i);
}

} // namespace XsltPrivate
