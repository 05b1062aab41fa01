#pragma once
// The string values of one node set, read for comparisons: one node at a
// time, only as far as the comparisons asked so far have needed, into an
// index chosen by the kind of comparison. A summary kept for many
// comparisons reads each node once; each comparison still reads exactly
// the nodes a fresh walk that stops at the first pair that holds would read,
// so a node set that raises raises at the same comparison.
#include <cstdint>
#include <unordered_set>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/NodeSet.h"
#include "xpath/Number.h"

namespace XpathPrivate {

class CNodeSetSummary {
public:
  enum EKind : int8_t {
    StringSet,    // = against a string or a node set
    StringFirst,  // != against a string or a node set
    NumberRange,  // < > <= >= against anything; != against a number
    NumberSet,    // = against a number
  };
  // The kind that answers comparison code op against a number (otherIsNumber)
  // or against a string or a node set.
  static EKind KindFor(int32_t op, bool otherIsNumber);

  CNodeSetSummary(Xpath::CNodeSet* nodeSet, EKind kind) : m_nodeSet(nodeSet), m_kind(kind) {}

  // Whether "text op v" holds for some node v of the set: by strings for a
  // string kind, by numbers otherwise.
  bool Matches(int32_t op, const Core::String& text);
  // Whether "n op number(v)" holds for some node v (number kinds).
  bool Matches(int32_t op, Xpath::CNumber n);
  // Whether "u op v" holds for a node u that left has read and a node v this
  // summary has read; both of the kind for op against a node set.
  bool MatchesRead(int32_t op, const CNodeSetSummary& left) const;
  // Reads the next node into the index; false at the end. text receives its
  // string value.
  bool ReadNext(Core::String& text);
  // Reads the first node if none is read yet; false when the set is empty.
  bool ReadFirst();
  const Core::String& FirstText() const { return m_first; }
  // An error escaped a read: the walk cannot be resumed.
  bool IsBroken() const { return m_broken; }

private:
  bool ReadNextUnguarded(Core::String& text);
  void Index(const Core::String& text);
  bool MatchesIndex(int32_t op, Xpath::CNumber n) const;

  Core::XInterface<Xpath::CNodeSet> m_nodeSet;
  Core::XInterface<Xpath::CIterator> m_iterator;  // null until the first read
  EKind m_kind;
  bool m_done = false;
  bool m_broken = false;
  int64_t m_read = 0;
  Core::String m_first;
  // StringSet: every string read. StringFirst: whether one differs from the
  // first. Number kinds: the numbers read (NaN apart), as a set or as their
  // extremes.
  std::unordered_set<Core::String> m_strings;
  bool m_distinct = false;
  std::unordered_set<double> m_numbers;
  bool m_anyNumber = false;
  bool m_anyNaN = false;
  Xpath::CNumber m_min, m_max;
  Xpath::CNumber m_last;  // the number of the node read last
};

} // namespace XpathPrivate
