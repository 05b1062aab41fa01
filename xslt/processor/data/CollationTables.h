#pragma once
// The three case-order collations of text sort keys, indexed by a character
// code below 256: table 0 folds ASCII case, table 1 puts an uppercase letter
// just before its lowercase one, table 2 just after it. Letter pairs sort
// right after "@" and before "[", so the ASCII punctuation between the two
// alphabets sorts after every letter; Latin-1 letters keep their code order.
#include <cstdint>

namespace XsltPrivate {

class CCollationTables {
public:
  enum : int32_t { NoCaseOrder = 0, UpperFirst = 1, LowerFirst = 2 };

  // The weights of one case order; any other value gives table 0.
  static const uint32_t* Get(int32_t caseOrder);
};

} // namespace XsltPrivate
