#pragma once
// The elements of one document by ID, for id() and the ID lookups of the
// run's data set. Built on the first lookup from the ID handler; when several
// elements have the same ID, the first in document order is the answer.
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xslt/processor/data/IdHandler.h"

namespace XsltPrivate {

class CIdIndex : public Core::CInterface {
public:
  CIdIndex(const Dom::XNode& document, Xslt::CIdHandler* ids);
  ~CIdIndex() override;

  // The element, or null when no element of the document has the ID.
  Dom::CNode* Find(Core::StringView id);

private:
  struct CEntry {
    Core::String id;
    Dom::CNode* element;
  };

  void Build();

  Dom::XNode m_document;
  Core::XInterface<Xslt::CIdHandler> m_ids;
  bool m_built = false;
  std::vector<CEntry> m_entries;  // by ID, and in document order among equal IDs
};

} // namespace XsltPrivate
