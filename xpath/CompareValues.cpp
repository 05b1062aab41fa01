#include "xpath/CompareValues.h"

#include <limits>
#include <unordered_set>
#include <vector>

#include "xml/tree/Dom.h"
#include "xpath/ValueConverter.h"

namespace XpathPrivate {

using Xpath::CContext;
using Xpath::CIterator;
using Xpath::CNodeSet;
using Xpath::CNumber;
using Xpath::CValue;
using Xpath::CValueConverter;

namespace {

bool CompareNumbers(int32_t op, CNumber a, CNumber b) {
  switch (op) {
  case CompareEqual: return a == b;
  case CompareNotEqual: return a != b;
  case CompareLess: return a < b;
  case CompareGreater: return a > b;
  case CompareLessOrEqual: return a <= b;
  default: return a >= b;
  }
}

bool CompareBooleans(int32_t op, bool a, bool b) {
  if (op == CompareEqual) return a == b;
  if (op == CompareNotEqual) return a != b;
  return CompareNumbers(op, CNumber(a ? 1 : 0), CNumber(b ? 1 : 0));
}

// Two strings: compared as strings for = and !=, as numbers otherwise.
bool CompareStrings(int32_t op, const Core::String& a, const Core::String& b) {
  if (op == CompareEqual) return a == b;
  if (op == CompareNotEqual) return a != b;
  return CompareNumbers(op, CValueConverter::StringToNumber(a), CValueConverter::StringToNumber(b));
}

// Walks a node set one node at a time. The iterator moves on only when the
// next node is asked for, so a lazily evaluated set is never walked further
// than the comparison has reached.
class CNodeWalk {
public:
  explicit CNodeWalk(CNodeSet* nodeSet) : m_iterator(nodeSet->CreateIterator()) {}
  // False at the end; otherwise the next node's string value in text.
  bool NextString(Core::String& text) {
    if (m_started) m_iterator->Next();
    m_started = true;
    Dom::XNode node = m_iterator->GetNode();
    if (!node) return false;
    text.clear();
    node->AppendStringValue(text);
    return true;
  }

private:
  Core::XInterface<CIterator> m_iterator;
  bool m_started = false;
};

// The right-hand node set of a node-set comparison, read only as far as the
// pairs examined so far have needed, and summarised so that every node's
// string value is taken once. Each left node is then decided by the summary
// of the nodes already read, and reads further only when that summary cannot
// decide it: the same nodes are read as in a fresh walk of the right set for
// every left node that stops at the first pair that holds.
class CRightSide {
public:
  CRightSide(int32_t op, CNodeSet* nodeSet) : m_op(op), m_walk(nodeSet) {}

  bool Matches(const Core::String& left) {
    CNumber leftNumber = m_op >= CompareLess ? CValueConverter::StringToNumber(left) : CNumber(0);
    switch (m_op) {
    case CompareEqual:
      if (m_strings.count(left)) return true;
      break;
    case CompareNotEqual:
      if (m_any && (m_distinct || m_first != left)) return true;
      break;
    default:
      if (MatchesExtreme(leftNumber)) return true;
      break;
    }
    Core::String right;
    while (!m_done) {
      if (!m_walk.NextString(right)) {
        m_done = true;
        break;
      }
      if (m_op == CompareEqual) {
        if (right == left) return true;
        m_strings.insert(std::move(right));
      } else if (m_op == CompareNotEqual) {
        bool differs = right != left;
        if (!m_any) {
          m_any = true;
          m_first = std::move(right);
        } else if (!m_distinct && right != m_first) {
          m_distinct = true;
        }
        if (differs) return true;
      } else {
        CNumber n = CValueConverter::StringToNumber(right);
        if (!n.IsNaN()) {
          if (!m_any || n < m_min) m_min = n;
          if (!m_any || n > m_max) m_max = n;
          m_any = true;
        }
        if (CompareNumbers(m_op, leftNumber, n)) return true;
      }
    }
    return false;
  }

private:
  // A number compares true with some number read so far exactly when it
  // compares true with the smallest or the largest of them (NaN never does).
  bool MatchesExtreme(CNumber left) const {
    if (!m_any) return false;
    if (m_op == CompareLess || m_op == CompareLessOrEqual) return CompareNumbers(m_op, left, m_max);
    return CompareNumbers(m_op, left, m_min);
  }

  int32_t m_op;
  CNodeWalk m_walk;
  bool m_done = false;
  // =: every string read. !=: the first string, and whether another differs.
  // Relational: the extremes of the numbers read.
  std::unordered_set<Core::String> m_strings;
  bool m_any = false;
  bool m_distinct = false;
  Core::String m_first;
  CNumber m_min, m_max;
};

class CComparer {
public:
  explicit CComparer(CContext* context) : m_context(context), m_converter(context) {}

  bool Compare(int32_t op, const CValue& a, const CValue& b) {
    int32_t ta = a.GetType();
    int32_t tb = b.GetType();
    if (ta == CValue::NodeSetType) {
      switch (tb) {
      case CValue::NodeSetType: return CompareNodeSets(op, a.GetNodeSet(), b.GetNodeSet());
      case CValue::BooleanType: return CompareBooleans(op, m_converter.ToBoolean(a), b.GetBoolean());
      case CValue::NumberType: {
        CNumber n = b.GetNumber();
        return AnyNode(a.GetNodeSet(), [&](const Core::String& s) {
          return CompareNumbers(op, CValueConverter::StringToNumber(s), n);
        });
      }
      case CValue::StringType: {
        Core::String text = b.GetString();
        if (op >= CompareLess) {
          CNumber n = CValueConverter::StringToNumber(text);
          return AnyNode(a.GetNodeSet(), [&](const Core::String& s) {
            return CompareNumbers(op, CValueConverter::StringToNumber(s), n);
          });
        }
        return AnyNode(a.GetNodeSet(), [&](const Core::String& s) { return CompareStrings(op, s, text); });
      }
      default:
        return Host()->CompareNodeSetWithValue(m_context, op, a, b);
      }
    }
    if (tb == CValue::NodeSetType) {
      switch (ta) {
      case CValue::BooleanType: return CompareBooleans(op, a.GetBoolean(), m_converter.ToBoolean(b));
      case CValue::NumberType: {
        CNumber n = a.GetNumber();
        return AnyNode(b.GetNodeSet(), [&](const Core::String& s) {
          return CompareNumbers(op, n, CValueConverter::StringToNumber(s));
        });
      }
      case CValue::StringType: {
        Core::String text = a.GetString();
        if (op >= CompareLess) {
          CNumber n = CValueConverter::StringToNumber(text);
          return AnyNode(b.GetNodeSet(), [&](const Core::String& s) {
            return CompareNumbers(op, n, CValueConverter::StringToNumber(s));
          });
        }
        return AnyNode(b.GetNodeSet(), [&](const Core::String& s) { return CompareStrings(op, text, s); });
      }
      default:
        return Host()->CompareValueWithNodeSet(m_context, op, a, b);
      }
    }
    if (op == CompareEqual || op == CompareNotEqual) {
      if (ta == CValue::BooleanType) return CompareBooleans(op, a.GetBoolean(), m_converter.ToBoolean(b));
      if (tb == CValue::BooleanType) return CompareBooleans(op, m_converter.ToBoolean(a), b.GetBoolean());
      if (ta == CValue::NumberType) return CompareNumbers(op, a.GetNumber(), m_converter.ToNumber(b));
      if (tb == CValue::NumberType) return CompareNumbers(op, m_converter.ToNumber(a), b.GetNumber());
      return CompareStrings(op, m_converter.ToString(a), m_converter.ToString(b));
    }
    return CompareNumbers(op, m_converter.ToNumber(a), m_converter.ToNumber(b));
  }

private:
  Xpath::CValueCompareExtension* Host() { return m_context->GetXpathImplementation()->GetValueCompareExtension(); }

  template <class Test>
  static bool AnyNode(CNodeSet* nodeSet, Test test) {
    CNodeWalk walk(nodeSet);
    Core::String s;
    while (walk.NextString(s)) {
      if (test(s)) return true;
    }
    return false;
  }

  static bool CompareNodeSets(int32_t op, CNodeSet* left, CNodeSet* right) {
    CNodeWalk walk(left);
    Core::String s;
    if (!walk.NextString(s)) return false;
    CRightSide rightSide(op, right);
    do {
      if (rightSide.Matches(s)) return true;
    } while (walk.NextString(s));
    return false;
  }

  CContext* m_context;
  CValueConverter m_converter;
};

} // namespace

bool CompareValues(CContext* context, int32_t op, const CValue& left, const CValue& right) {
  return CComparer(context).Compare(op, left, right);
}

} // namespace XpathPrivate
