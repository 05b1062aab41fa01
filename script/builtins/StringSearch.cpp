#include "script/builtins/StringSearch.h"

#include <algorithm>

namespace EcmaScript {

CStringSearch::CStringSearch(Core::StringView pattern) : m_pattern(pattern) {
  const size_t m = pattern.size();
  if (m < 2) return;
  m_forward.assign(m, 0);
  uint32_t k = 0;
  for (size_t i = 1; i < m; ++i) {
    while (k > 0 && pattern[i] != pattern[k]) k = m_forward[k - 1];
    if (pattern[i] == pattern[k]) ++k;
    m_forward[i] = k;
  }
}

size_t CStringSearch::FindFirst(Core::StringView text, size_t from) const {
  const size_t n = text.size(), m = m_pattern.size();
  if (from > n || m > n - from) return npos;
  if (m == 0) return from;
  const char16_t first = m_pattern[0];
  if (m == 1) {
    const char16_t* hit = std::char_traits<char16_t>::find(text.data() + from, n - from, first);
    return hit ? static_cast<size_t>(hit - text.data()) : npos;
  }
  size_t matched = 0;
  for (size_t i = from; i < n; ++i) {
    if (matched == 0) {
      // Skip to the next unit that can start a match.
      const char16_t* hit = std::char_traits<char16_t>::find(text.data() + i, n - i, first);
      if (!hit) return npos;
      i = static_cast<size_t>(hit - text.data());
      if (m > n - i) return npos;
    }
    while (matched > 0 && text[i] != m_pattern[matched]) matched = m_forward[matched - 1];
    if (text[i] == m_pattern[matched]) ++matched;
    if (matched == m) return i + 1 - m;
  }
  return npos;
}

size_t CStringSearch::FindLast(Core::StringView text, size_t last) const {
  const size_t n = text.size(), m = m_pattern.size();
  if (m > n) return npos;
  size_t start = std::min(last, n - m);  // the last position a match may begin at
  if (m == 0) return start;
  if (m_backward.empty()) {
    // Borders of the reversed pattern.
    m_backward.assign(m, 0);
    uint32_t k = 0;
    for (size_t i = 1; i < m; ++i) {
      while (k > 0 && m_pattern[m - 1 - i] != m_pattern[m - 1 - k]) k = m_backward[k - 1];
      if (m_pattern[m - 1 - i] == m_pattern[m - 1 - k]) ++k;
      m_backward[i] = k;
    }
  }
  // Scan the text backwards from the end of the last possible match.
  size_t matched = 0;
  for (size_t i = start + m; i-- > 0;) {
    while (matched > 0 && text[i] != m_pattern[m - 1 - matched]) matched = m_backward[matched - 1];
    if (text[i] == m_pattern[m - 1 - matched]) ++matched;
    if (matched == m) return i;
  }
  return npos;
}

} // namespace EcmaScript
