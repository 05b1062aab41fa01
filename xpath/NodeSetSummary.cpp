#include "xpath/NodeSetSummary.h"

#include "xml/tree/Dom.h"
#include "xpath/CompareValues.h"
#include "xpath/ValueConverter.h"

namespace XpathPrivate {

using Xpath::CNumber;

CNodeSetSummary::EKind CNodeSetSummary::KindFor(int32_t op, bool otherIsNumber) {
  if (op == CompareEqual) return otherIsNumber ? NumberSet : StringSet;
  if (op == CompareNotEqual) return otherIsNumber ? NumberRange : StringFirst;
  return NumberRange;
}

bool CNodeSetSummary::Matches(int32_t op, const Core::String& text) {
  if (m_kind == StringSet) {
    if (m_strings.count(text)) return true;
    Core::String read;
    while (ReadNext(read)) {
      if (read == text) return true;
    }
    return false;
  }
  if (m_kind == StringFirst) {
    if (m_read > 0 && (m_distinct || m_first != text)) return true;
    Core::String read;
    while (ReadNext(read)) {
      if (read != text) return true;
    }
    return false;
  }
  return Matches(op, Xpath::CValueConverter::StringToNumber(text));
}

bool CNodeSetSummary::Matches(int32_t op, CNumber n) {
  if (MatchesIndex(op, n)) return true;
  Core::String read;
  while (ReadNext(read)) {
    if (CompareNumbers(op, n, m_last)) return true;
  }
  return false;
}

// Some number v read so far with "n op v": NaN never compares true but
// with !=, and a number compares true with some number exactly when it does
// with the least or the greatest of them.
bool CNodeSetSummary::MatchesIndex(int32_t op, CNumber n) const {
  if (m_kind == NumberSet) return !n.IsNaN() && m_numbers.count(n.GetValue() + 0.0);
  switch (op) {
  case CompareNotEqual:
    if (m_read == 0) return false;
    if (n.IsNaN() || m_anyNaN) return true;
    return m_min != m_max || n != m_min;
  case CompareLess:
  case CompareLessOrEqual:
    return m_anyNumber && CompareNumbers(op, n, m_max);
  case CompareGreater:
  case CompareGreaterOrEqual:
    return m_anyNumber && CompareNumbers(op, n, m_min);
  default:
    return false;
  }
}

bool CNodeSetSummary::MatchesRead(int32_t op, const CNodeSetSummary& left) const {
  switch (m_kind) {
  case StringSet: {
    const auto& small = m_strings.size() < left.m_strings.size() ? m_strings : left.m_strings;
    const auto& large = &small == &m_strings ? left.m_strings : m_strings;
    for (const Core::String& s : small) {
      if (large.count(s)) return true;
    }
    return false;
  }
  case StringFirst:
    return m_read > 0 && left.m_read > 0 && (m_distinct || left.m_distinct || m_first != left.m_first);
  case NumberSet: {
    const auto& small = m_numbers.size() < left.m_numbers.size() ? m_numbers : left.m_numbers;
    const auto& large = &small == &m_numbers ? left.m_numbers : m_numbers;
    for (double v : small) {
      if (large.count(v)) return true;
    }
    return false;
  }
  default:
    if (!m_anyNumber || !left.m_anyNumber) return false;
    if (op == CompareLess || op == CompareLessOrEqual) return CompareNumbers(op, left.m_min, m_max);
    return CompareNumbers(op, left.m_max, m_min);
  }
}

bool CNodeSetSummary::ReadFirst() {
  if (m_read > 0) return true;
  Core::String text;
  return ReadNext(text);
}

bool CNodeSetSummary::ReadNext(Core::String& text) {
  try {
    return ReadNextUnguarded(text);
  } catch (...) {
    m_broken = true;
    throw;
  }
}

bool CNodeSetSummary::ReadNextUnguarded(Core::String& text) {
  if (m_done) return false;
  // The iterator is made at the first read, where a fresh walk would make it.
  if (!m_iterator) m_iterator = m_nodeSet->CreateIterator();
  else m_iterator->Next();
  Dom::XNode node = m_iterator->GetNode();
  if (!node) {
    m_done = true;
    m_iterator = nullptr;
    return false;
  }
  text.clear();
  node->AppendStringValue(text);
  Index(text);
  return true;
}

void CNodeSetSummary::Index(const Core::String& text) {
  if (m_read++ == 0) m_first = text;
  switch (m_kind) {
  case StringSet:
    m_strings.insert(text);
    return;
  case StringFirst:
    if (!m_distinct && text != m_first) m_distinct = true;
    return;
  default:
    break;
  }
  m_last = Xpath::CValueConverter::StringToNumber(text);
  if (m_last.IsNaN()) {
    m_anyNaN = true;
    return;
  }
  if (m_kind == NumberSet) {
    // -0 and +0 are one key, as they are equal.
    m_numbers.insert(m_last.GetValue() + 0.0);
  } else {
    if (!m_anyNumber || m_last < m_min) m_min = m_last;
    if (!m_anyNumber || m_last > m_max) m_max = m_last;
  }
  m_anyNumber = true;
}

} // namespace XpathPrivate
