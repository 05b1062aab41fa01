#include "xslt/processor/DocumentCache.h"

#include "xml/xslt/LocationHandler.h"
#include "xslt/processor/DataSet.h"
#include "xslt/processor/DoctypeSet.h"

namespace XsltPrivate {

CDocumentCache::CDocumentCache(CDoctypeSet* doctypes, Xslt::CDataSet* dataSet,
                               Xslt::CLocationHandler* locationHandler)
    : m_doctypes(doctypes), m_dataSet(dataSet), m_locationHandler(locationHandler) {}

CDocumentCache::~CDocumentCache() { UnloadRunDocuments(); }

Core::XInterface<CDocumentScope> CDocumentCache::BeginScope(CDocumentScope* enclosing) {
  return new CDocumentScope(this, enclosing);
}

void CDocumentCache::AddRunDocument(CDocumentItem item) { m_runDocuments.push_back(std::move(item)); }

void CDocumentCache::Unload(CDocumentItem& item) {
  if (!item.document) return;
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

void CDocumentScope::Take(CDocumentCache::CDocumentItem item) {
  if (CDocumentScope* holder = Holder()) holder->m_documents.push_back(std::move(item));
  else m_cache->AddRunDocument(std::move(item));
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
    for (CDocumentCache::CDocumentItem& item : documents) {
      if (holder) holder->m_documents.push_back(std::move(item));
      else m_cache->AddRunDocument(std::move(item));
    }
  } else {
    // Newest first, as they were loaded.
    for (size_t i = documents.size(); i-- > 0;) m_cache->Unload(documents[i]);
  }
}

} // namespace XsltPrivate
