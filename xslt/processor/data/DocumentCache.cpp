#include "xslt/processor/data/DocumentCache.h"

#include <algorithm>

#include "xml/xslt/LocationHandler.h"
#include "xslt/processor/data/DataSet.h"
#include "xslt/processor/data/DoctypeSet.h"

namespace XsltPrivate {

CDocumentCache::CDocumentCache(CDoctypeSet* doctypes, Xslt::CDataSet* dataSet,
                               Xslt::CLocationHandler* locationHandler)
    : m_doctypes(doctypes), m_dataSet(dataSet), m_locationHandler(locationHandler) {}

CDocumentCache::~CDocumentCache() { UnloadRunDocuments(); }

Core::XInterface<CDocumentScope> CDocumentCache::BeginScope(CDocumentScope* enclosing) {
  return new CDocumentScope(this, enclosing);
}

void CDocumentCache::AddRunDocument(CDocumentItem item) {
  Hold(item, nullptr);
  m_runDocuments.push_back(std::move(item));
}

void CDocumentCache::AddLoadedRunDocument(Core::StringView url, const Dom::XNode& document) {
  if (m_dataSet) m_dataSet->AddDocument(document);
  AddRunDocument(CDocumentItem{Core::String(url), document});
}

Dom::XNode CDocumentCache::FindRunDocument(Core::StringView url) const {
  auto held = m_held.find(Core::String(url));
  if (held == m_held.end() || held->second.holder) return nullptr;
  return Dom::XNode(held->second.document);
}

void CDocumentCache::Unload(CDocumentItem& item) {
  if (!item.document) return;
  auto held = m_held.find(item.url);
  if (held != m_held.end() && held->second.document == item.document.Get()) m_held.erase(held);
  if (m_doctypes) m_doctypes->RemoveDocument(item.document.Get());
  if (m_dataSet) m_dataSet->RemoveDocument(item.document);
  if (m_locationHandler) m_locationHandler->ForgetDocument(item.document->GetIdentity());
  item.document = nullptr;
}

void CDocumentCache::UnloadRunDocuments() {
  while (!m_runDocuments.empty()) {
    Unload(m_runDocuments.back());
    m_runDocuments.pop_back();
  }
}

CDocumentScope::CDocumentScope(CDocumentCache* cache, CDocumentScope* enclosing)
    : m_cache(cache), m_enclosing(enclosing) {}

CDocumentScope::~CDocumentScope() {
  if (!m_ended) End(false, false);
}

CDocumentScope* CDocumentScope::Holder() {
  CDocumentScope* scope = this;
  while (scope && scope->m_ended) scope = scope->m_kept && !scope->m_keptForRun ? scope->m_enclosing.Get() : nullptr;
  return scope;
}

void CDocumentScope::Give(CDocumentCache& cache, CDocumentScope* holder, CDocumentCache::CDocumentItem item) {
  if (holder) {
    cache.Hold(item, holder);
    holder->m_documents.push_back(std::move(item));
  } else {
    cache.AddRunDocument(std::move(item));
  }
}

void CDocumentScope::Take(CDocumentCache::CDocumentItem item) { Give(*m_cache, Holder(), std::move(item)); }

Dom::XNode CDocumentScope::FindDocument(Core::StringView url) {
  auto held = m_cache->m_held.find(Core::String(url));
  if (held == m_cache->m_held.end()) return nullptr;
  Dom::XNode document(held->second.document);
  CDocumentScope* owner = held->second.holder;
  if (!owner) return document;
  // The holder of this scope's documents and the scopes it lives inside: a
  // document held by one of them outlives this scope's use of it.
  CDocumentScope* mine = Holder();
  std::vector<CDocumentScope*> lasting;
  for (CDocumentScope* scope = mine; scope; scope = scope->m_enclosing.Get()) lasting.push_back(scope);
  if (std::find(lasting.begin(), lasting.end(), owner) != lasting.end()) return document;
  // Otherwise it moves to the nearest scope both are inside, or to the run.
  CDocumentScope* common = nullptr;
  for (CDocumentScope* scope = owner->m_enclosing.Get(); scope && !common; scope = scope->m_enclosing.Get())
    if (std::find(lasting.begin(), lasting.end(), scope) != lasting.end()) common = scope->Holder();
  auto item = std::find_if(owner->m_documents.begin(), owner->m_documents.end(),
                           [&](const CDocumentCache::CDocumentItem& i) { return i.document == document; });
  if (item == owner->m_documents.end()) return document;
  CDocumentCache::CDocumentItem moved = std::move(*item);
  owner->m_documents.erase(item);
  Give(*m_cache, common, std::move(moved));
  return document;
}

void CDocumentScope::AddDocument(Core::StringView url, const Dom::XNode& document) {
  if (Xslt::CDataSet* dataSet = m_cache->GetDataSet()) dataSet->AddDocument(document);
  Take(CDocumentCache::CDocumentItem{Core::String(url), document});
}

void CDocumentScope::End(bool keep, bool keepForRun) {
  if (m_ended) return;
  m_ended = true;
  m_kept = keep || keepForRun;
  m_keptForRun = keepForRun;
  std::vector<CDocumentCache::CDocumentItem> documents = std::move(m_documents);
  m_documents.clear();
  if (keepForRun) {
    for (CDocumentCache::CDocumentItem& item : documents) m_cache->AddRunDocument(std::move(item));
  } else if (keep) {
    CDocumentScope* holder = m_enclosing ? m_enclosing->Holder() : nullptr;
    for (CDocumentCache::CDocumentItem& item : documents) Give(*m_cache, holder, std::move(item));
  } else {
    // Newest first, as they were loaded.
    for (size_t i = documents.size(); i-- > 0;) m_cache->Unload(documents[i]);
  }
}

} // namespace XsltPrivate
