#pragma once
// Search for a text in a text in linear time whatever the input: a
// prefix-function (Knuth-Morris-Pratt) search, which never looks at a unit
// of the text twice. A pattern is prepared once and can be searched for
// many times (split).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/String.h"

namespace EcmaScript {

class CStringSearch {
public:
  static constexpr size_t npos = Core::StringView::npos;

  // The pattern must outlive the search.
  explicit CStringSearch(Core::StringView pattern);

  // The first position at or after from at which the pattern occurs, or
  // npos. An empty pattern occurs at from when from is within the text.
  size_t FindFirst(Core::StringView text, size_t from) const;
  // The last position at or before last at which the pattern occurs, or
  // npos.
  size_t FindLast(Core::StringView text, size_t last) const;

private:
  Core::StringView m_pattern;
  // Forward: the length of the longest proper border of each prefix.
  // Backward: the same for each suffix (built on first use).
  std::vector<uint32_t> m_forward;
  mutable std::vector<uint32_t> m_backward;
};

} // namespace EcmaScript
