#pragma once
// The result of a successful search: entry 0 is the whole match, entry k
// capturing group k, each a (start, length) pair in UTF-16 code units;
// (-1, -1) for a group that took no part in the match.
#include <cstdint>
#include <vector>

namespace RegExp {

class CCaptureList {
public:
  void Add(int32_t start, int32_t length) { m_pairs.push_back({start, length}); }
  void Get(int32_t index, int32_t& start, int32_t& length) const {
    start = m_pairs[index].start;
    length = m_pairs[index].length;
  }
  int32_t GetCount() const { return static_cast<int32_t>(m_pairs.size()); }
  // Keeps the storage for the next search.
  void Clear() { m_pairs.clear(); }

private:
  struct CPair {
    int32_t start;
    int32_t length;
  };
  std::vector<CPair> m_pairs;
};

} // namespace RegExp
