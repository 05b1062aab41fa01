#pragma once
// Makes empty documents, numbered per factory: the id in the top 8 bits and
// a running count from 1 in the low 24 bits.
#include <cstdint>

#include "core/Interface.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/Dom.h"

namespace Xslt {
class CSpaceHandler;
class CLocationHandler;
} // namespace Xslt

namespace BasicXdm {

class CDocumentFactory : public Core::CInterface {
public:
  explicit CDocumentFactory(uint32_t factoryId)
      : m_factoryId(factoryId), m_nextDocumentNumber((factoryId << 24) + 1) {}

  // An empty document with the next document number.
  Dom::XNode CreateDocument();

  // The tree builder that fills the document from parser events, dropping
  // whitespace-only text by the rules (may be null) and telling the location
  // handler (may be null) of every node. DOM error 9 unless the node is a
  // document.
  Core::XInterface<Sxp::IDocumentHandler> CreateDocumentHandler(const Dom::XNode& document,
                                                                Xslt::CSpaceHandler* spaceHandler,
                                                                Xslt::CLocationHandler* locationHandler);

  uint32_t GetFactoryId() const { return m_factoryId; }

private:
  uint32_t m_factoryId;
  uint32_t m_nextDocumentNumber;
};

} // namespace BasicXdm
