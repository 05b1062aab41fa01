#pragma once
// The location handler of stylesheets and runs: one record per node reported
// while its document was parsed, and ranges of consecutive nodes read from
// one entity for base URIs. What it does not know, its parent answers (a
// run's handler has the stylesheet's as parent).
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "xml/xslt/LocationHandler.h"

namespace XsltPrivate {

class CBasicLocationHandler : public Xslt::CLocationHandler {
public:
  CBasicLocationHandler();
  ~CBasicLocationHandler() override;

  void SetParent(const Core::XInterface<Xslt::CLocationHandler>& parent) override;
  // A node with neither a public nor a system id is not recorded.
  void RecordLocation(Dom::CNodeIdentity position, Core::StringView publicId, Core::StringView systemId,
                      int32_t line, int32_t column) override;
  // The first record of the position, else the parent's answer.
  bool GetLocation(Dom::CNodeIdentity position, Core::String& publicId, Core::String& systemId, int32_t& line,
                   int32_t& column) override;
  // The system id of the first range holding the position, else the parent's answer.
  bool GetBaseUri(Dom::CNodeIdentity position, Core::String& uri) override;
  // Drops the node records of the document; its base URI ranges stay.
  void ForgetDocument(Dom::CNodeIdentity position) override;

private:
  struct CNodeItem {
    uint32_t documentNumber;
    uint32_t nodeIndex;
    int32_t publicId;  // index into m_publicIds, -1 for none
    int32_t systemId;  // index into m_systemIds, -1 for none
    uint32_t line;
    uint32_t column;
  };
  struct CBaseUriItem {
    Dom::CNodeIdentity first;
    Dom::CNodeIdentity last;
    int32_t systemId;  // index into m_systemIds
  };

  // Records of one document whose node indexes rise, as a parse makes
  // them: m_nodes[begin, end). A location is found by a binary search.
  struct CRun {
    uint32_t documentNumber;
    size_t begin;
    size_t end;
  };

  // The ids of a table and their indexes: a run that loads many documents
  // has one system id per document.
  struct CIdTable {
    std::vector<Core::String> ids;
    std::unordered_map<Core::String, int32_t> indexes;
  };
  static int32_t Intern(CIdTable& table, Core::StringView id);
  void AddToRuns(size_t item);

  Core::XInterface<Xslt::CLocationHandler> m_parent;
  CIdTable m_publicIds;
  CIdTable m_systemIds;
  // One record per node of every big document: grown in pieces, as a
  // doubling array would copy all of them again and again.
  std::deque<CNodeItem> m_nodes;
  std::vector<CRun> m_runs;
  // How many runs each document number has.
  std::unordered_map<uint32_t, int32_t> m_runCounts;
  std::vector<CBaseUriItem> m_baseUris;
  // The base URI ranges of each document number, in order.
  std::unordered_map<uint32_t, std::vector<size_t>> m_baseUrisByDocument;
};

} // namespace XsltPrivate
