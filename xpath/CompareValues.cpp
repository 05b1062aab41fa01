#include "xpath/CompareValues.h"

#include <optional>

#include "xml/tree/Dom.h"
#include "xpath/EvaluationCache.h"
#include "xpath/NodeSetSummary.h"
#include "xpath/ValueConverter.h"

namespace XpathPrivate {

using Xpath::CContext;
using Xpath::CIterator;
using Xpath::CNodeSet;
using Xpath::CNumber;
using Xpath::CValue;
using Xpath::CValueConverter;

namespace {

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

// The operator with its operands swapped: a op b is b Mirror(op) a.
int32_t Mirror(int32_t op) {
  switch (op) {
  case CompareLess: return CompareGreater;
  case CompareGreater: return CompareLess;
  case CompareLessOrEqual: return CompareGreaterOrEqual;
  case CompareGreaterOrEqual: return CompareLessOrEqual;
  default: return op;
  }
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

class CComparer {
public:
  CComparer(CContext* context, CEvaluationCache* cache, bool leftLasting, bool rightLasting)
      : m_context(context),
        m_converter(context),
        m_cache(cache),
        m_leftLasting(cache && leftLasting),
        m_rightLasting(cache && rightLasting) {}

  bool Compare(int32_t op, const CValue& a, const CValue& b) {
    int32_t ta = a.GetType();
    int32_t tb = b.GetType();
    if (ta == CValue::NodeSetType) {
      if (m_leftLasting && tb >= CValue::NumberType && tb <= CValue::StringType) {
        return CompareWithLasting(Mirror(op), b, a.GetNodeSet());
      }
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
      if (m_rightLasting && ta >= CValue::NumberType && ta <= CValue::StringType) {
        return CompareWithLasting(op, a, b.GetNodeSet());
      }
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

  // value op v for some node v of a lasting node set; value a number or a
  // string.
  bool CompareWithLasting(int32_t op, const CValue& value, CNodeSet* nodeSet) {
    bool number = value.GetType() == CValue::NumberType;
    CNodeSetSummary& summary = Summary(nodeSet, CNodeSetSummary::KindFor(op, number));
    if (number) return summary.Matches(op, value.GetNumber());
    return summary.Matches(op, value.GetString());
  }

  // Every node of the left set against the right set, the right set read
  // only as far as the pairs examined need: for each left node, the nodes
  // already read decide it, or reading goes on until one matches.
  bool CompareNodeSets(int32_t op, CNodeSet* left, CNodeSet* right) {
    CNodeSetSummary::EKind kind = CNodeSetSummary::KindFor(op, false);
    if (!m_rightLasting && m_leftLasting) return CompareWithLastingLeft(op, Summary(left, kind), right);
    CNodeWalk walk(left);
    Core::String s;
    if (!walk.NextString(s)) return false;
    std::optional<CNodeSetSummary> fresh;
    CNodeSetSummary* rightSide;
    if (m_rightLasting) {
      rightSide = &Summary(right, kind);
    } else {
      fresh.emplace(right, kind);
      rightSide = &*fresh;
    }
    do {
      if (rightSide->Matches(op, s)) return true;
    } while (walk.NextString(s));
    return false;
  }

  // As CompareNodeSets with a lasting left set, reading both sets exactly as
  // far as the nested walk would: the first left node against the right set,
  // which reads the right set to its end unless it matches; then the left
  // nodes read before, all at once, and the rest of the left set one by one.
  static bool CompareWithLastingLeft(int32_t op, CNodeSetSummary& left, CNodeSet* right) {
    if (!left.ReadFirst()) return false;
    CNodeSetSummary rightSide(right, CNodeSetSummary::KindFor(op, false));
    if (rightSide.Matches(op, left.FirstText())) return true;
    if (rightSide.MatchesRead(op, left)) return true;
    Core::String s;
    while (left.ReadNext(s)) {
      if (rightSide.Matches(op, s)) return true;
    }
    return false;
  }

  CNodeSetSummary& Summary(CNodeSet* nodeSet, CNodeSetSummary::EKind kind) {
    return m_cache->GetSummary(nodeSet, kind);
  }

  CContext* m_context;
  CValueConverter m_converter;
  CEvaluationCache* m_cache;
  bool m_leftLasting;
  bool m_rightLasting;
};

} // namespace

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

bool CompareValues(CContext* context, int32_t op, const CValue& left, const CValue& right) {
  return CComparer(context, nullptr, false, false).Compare(op, left, right);
}

bool CompareValues(CContext* context, int32_t op, const CValue& left, const CValue& right, CEvaluationCache* cache,
                   bool leftLasting, bool rightLasting) {
  return CComparer(context, cache, leftLasting, rightLasting).Compare(op, left, right);
}

} // namespace XpathPrivate
