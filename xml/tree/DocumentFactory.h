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

  // What the last document built through this factory holds; the next
  // document's first blocks are sized from it.
  void NoteBuiltSize(size_t nodeBytes, size_t textUnits) {
    m_lastNodeBytes = nodeBytes;
    m_lastTextUnits = textUnits;
  }

private:
  uint32_t m_factoryId;
  uint32_t m_nextDocumentNumber;
  size_t m_lastNodeBytes = 0;
  size_t m_lastTextUnits = 0;
};

} // namespace BasicXdm
