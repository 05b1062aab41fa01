#include "xslt/processor/data/CollationTables.h"

#include <array>

namespace XsltPrivate {

namespace {

using CTable = std::array<uint32_t, 256>;

struct CTables {
  CTable table[3];

  // One walk over the codes with a running weight; a lowercase letter takes
  // its weight together with its uppercase partner.
  constexpr CTables() : table{} {
    uint32_t weight = 0;
    for (uint32_t code = 0; code < 256; ++code) {
      if (code >= 'A' && code <= 'Z') {
        uint32_t lower = code + 32;
        table[0][code] = weight;
        table[0][lower] = weight;
        table[1][code] = weight;
        table[1][lower] = weight + 1;
        table[2][code] = weight + 1;
        table[2][lower] = weight;
        weight += 2;
      } else if (code >= 'a' && code <= 'z') {
        continue;
      } else {
        for (auto& t : table) t[code] = weight;
        ++weight;
      }
    }
  }
};

// Filled at compile time, so no sort can run before the tables exist.
constexpr CTables kTables;

} // namespace

const uint32_t* CCollationTables::Get(int32_t caseOrder) {
  if (caseOrder == UpperFirst || caseOrder == LowerFirst) return kTables.table[caseOrder].data();
  return kTables.table[0].data();
}

} // namespace XsltPrivate
