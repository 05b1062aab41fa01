#pragma once
// Makes empty documents, numbered per factory: the id in the top 8 bits and
// a running count from 1 in the low 24 bits.
#include <cstdint>

#include "core/Interface.h"
#include "xml/tree/Dom.h"

namespace BasicXdm {

class CDocumentFactory : public Core::CInterface {
public:
  explicit CDocumentFactory(uint32_t factoryId)
      : m_factoryId(factoryId), m_nextDocumentNumber((factoryId << 24) + 1) {}

  // An empty document with the next document number.
  Dom::XNode CreateDocument();

  uint32_t GetFactoryId() const { return m_factoryId; }

private:
  uint32_t m_factoryId;
  uint32_t m_nextDocumentNumber;
};

} // namespace BasicXdm
