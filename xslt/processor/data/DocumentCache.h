#pragma once
// The documents a run loads (the source document and those of document()),
// arranged by the scopes of the run-time contexts. A document belongs to the
// scope of the context whose evaluation loaded it: the context that made the
// expression's value, even when a lazy value loads it later, deeper down. When
// that scope ends its documents are unloaded, unless the scope computed a
// value that is bound outside it (they pass to the enclosing scope) or a
// global variable's value (they stay to the end of the run). So a document
// stays loaded while a value made where it was loaded can still be used.
//
// Documents that document() loads are kept to the end of the run, one per
// URL: loading a URL again gives the same nodes, so generate-id() and set
// operations agree across calls, and a file read again and again (a table
// of localised words) is parsed once.
//
// Unloading takes a document out of the data set, the doctype set and the
// location handler and releases it. A URL loaded again while its document is
// still loaded gives that same document, so document() returns one node per
// URL; the document then moves to a scope that lives as long as both users.
#include <unordered_map>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"

namespace Xslt {
class CDataSet;
class CLocationHandler;
} // namespace Xslt

namespace XsltPrivate {

class CDoctypeSet;
class CDocumentScope;

class CDocumentCache : public Core::CInterface {
public:
  struct CDocumentItem {
    Core::String url;
    Dom::XNode document;
  };

  CDocumentCache(CDoctypeSet* doctypes, Xslt::CDataSet* dataSet, Xslt::CLocationHandler* locationHandler);
  ~CDocumentCache() override;

  // A new open scope inside the enclosing one (null: directly in the run).
  Core::XInterface<CDocumentScope> BeginScope(CDocumentScope* enclosing);
  // Keeps the document to the end of the run.
  void AddRunDocument(CDocumentItem item);
  // Adds a newly loaded document to the data set and keeps it to the end of
  // the run.
  void AddLoadedRunDocument(Core::StringView url, const Dom::XNode& document);
  // The document kept for the run under the URL, or null.
  Dom::XNode FindRunDocument(Core::StringView url) const;
  // Takes the document out of the run's services and releases it.
  void Unload(CDocumentItem& item);
  // Unloads every document kept for the run (the end of the run).
  void UnloadRunDocuments();

  int32_t GetRunDocumentCount() const { return int32_t(m_runDocuments.size()); }
  Xslt::CDataSet* GetDataSet() const { return m_dataSet.Get(); }

private:
  friend class CDocumentScope;
  // Where each loaded URL's document is held: a scope, or null for the run.
  struct CHeld {
    Dom::CNode* document;
    CDocumentScope* holder;
  };
  void Hold(const CDocumentItem& item, CDocumentScope* holder) { m_held[item.url] = {item.document.Get(), holder}; }

  std::unordered_map<Core::String, CHeld> m_held;
  Core::XInterface<CDoctypeSet> m_doctypes;
  Core::XInterface<Xslt::CDataSet> m_dataSet;
  Core::XInterface<Xslt::CLocationHandler> m_locationHandler;
  std::vector<CDocumentItem> m_runDocuments;
};

class CDocumentScope : public Core::CInterface {
public:
  CDocumentScope(CDocumentCache* cache, CDocumentScope* enclosing);
  // A scope never ended unloads its documents.
  ~CDocumentScope() override;

  // Adds the document to the data set and to the scope that holds this
  // scope's documents now (see Holder).
  void AddDocument(Core::StringView url, const Dom::XNode& document);
  // The document still loaded for the URL, or null; when it is held by a
  // scope that may end before this one's documents go, it moves to one that
  // does not.
  Dom::XNode FindDocument(Core::StringView url);
  // keepForRun: the documents stay to the end of the run; keep: they pass
  // to the enclosing scope; neither: they are unloaded. Once only.
  void End(bool keep, bool keepForRun);
  bool IsOpen() const { return !m_ended; }
  int32_t GetDocumentCount() const { return int32_t(m_documents.size()); }

private:
  // Where a document loaded for this scope goes: the scope itself while it is
  // open; after it ended with keep, where its enclosing scope's go; null (the
  // run) otherwise: a value still loading documents after its scope ended
  // without keeping them has outlived what anyone expected.
  CDocumentScope* Holder();
  void Take(CDocumentCache::CDocumentItem item);
  // Moves the documents to the scope that holds this scope's documents now
  // (null: the run).
  static void Give(CDocumentCache& cache, CDocumentScope* holder, CDocumentCache::CDocumentItem item);

  Core::XInterface<CDocumentCache> m_cache;
  Core::XInterface<CDocumentScope> m_enclosing;
  std::vector<CDocumentCache::CDocumentItem> m_documents;
  bool m_ended = false;
  bool m_kept = false;
  bool m_keptForRun = false;
};

} // namespace XsltPrivate
