#include "xslt/processor/data/IdIndex.h"

#include <algorithm>

namespace XsltPrivate {

CIdIndex::CIdIndex(const Dom::XNode& document, Xslt::CIdHandler* ids) : m_document(document), m_ids(ids) {}

CIdIndex::~CIdIndex() = default;

// The walk appends in document order and the stable sort keeps that order
// among equal IDs, so the first element of an ID comes first whatever the
// number of duplicates. No hashing: crafted IDs cannot make it slow.
void CIdIndex::Build() {
  m_built = true;
  if (!m_document || !m_ids) return;
  const Dom::CNode* root = m_document.Get();
  Core::String id;
  Dom::CNode* node = root->FirstChild();
  while (node) {
    if (node->GetNodeType() == Dom::ELEMENT_NODE) {
      if (m_ids->GetId(node, id)) m_entries.push_back(CEntry{id, node});
      if (Dom::CNode* child = node->FirstChild()) {
        node = child;
        continue;
      }
    }
    while (node != root && !node->NextSibling()) node = node->Parent();
    if (node == root) break;
    node = node->NextSibling();
  }
  std::stable_sort(m_entries.begin(), m_entries.end(),
                   [](const CEntry& a, const CEntry& b) { return a.id < b.id; });
}

Dom::CNode* CIdIndex::Find(Core::StringView id) {
  if (!m_built) Build();
  auto it = std::lower_bound(m_entries.begin(), m_entries.end(), id,
                             [](const CEntry& entry, Core::StringView value) { return entry.id < value; });
  if (it == m_entries.end() || it->id != id) return nullptr;
  return it->element;
}

} // namespace XsltPrivate
