#include <algorithm>
#include <cmath>
#include <vector>

#include "xpath/Number.h"
#include "xslt/compiler/instructions/Number.h"
#include "xslt/compiler/instructions/NumberFormatter.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/RunMatchContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

// What an xsl:number remembers from its last execution in one document, so
// that numbering the nodes of a document in document order walks each part
// of the document once in total: the last node counted at level any with its
// count, and per depth the last node whose siblings were counted.
class CNumberCounts {
public:
  struct CSiblings {
    const Dom::CNode* parent = nullptr;
    const Dom::CNode* child = nullptr;
    int64_t count = 0;
  };

  // Forgets everything unless the counts were made in this document and,
  // for the default count pattern, for nodes of this type and name.
  void Prepare(const Dom::XNode& document, int32_t nodeType, Core::StringView namespaceUri,
               Core::StringView localName) {
    if (document == m_document && nodeType == m_nodeType && namespaceUri == m_namespaceUri &&
        localName == m_localName)
      return;
    // The document handle keeps the remembered nodes alive.
    m_document = document;
    m_nodeType = nodeType;
    m_namespaceUri.assign(namespaceUri);
    m_localName.assign(localName);
    anyNode = nullptr;
    anyCount = 0;
    siblings.clear();
  }

  const Dom::CNode* anyNode = nullptr;
  int64_t anyCount = 0;
  // Indexed by the depth of the child.
  std::vector<CSiblings> siblings;

private:
  Dom::XNode m_document;
  int32_t m_nodeType = -1;
  Core::String m_namespaceUri;
  Core::String m_localName;
};

namespace {

using Xslt::CXsltException;

// A pattern whose answer for a node depends on nothing but the node and the
// document: no predicate (a predicate may read variables or current()).
bool IsContextFree(const CPattern* pattern) {
  if (!pattern) return true;
  for (int32_t i = 0; i < pattern->GetCount(); ++i) {
    const CLocationPathPattern* path = pattern->GetAt(i);
    for (int32_t s = 0; s < path->GetStepCount(); ++s) {
      const Xpath::CStepExpr* step = path->GetStep(s)->GetStepExpr();
      if (step && !step->GetPredicates().empty()) return false;
    }
  }
  return true;
}

// The name the default count pattern compares: a processing instruction's
// target, the local name of the others.
Core::StringView NameOf(const Dom::CNode* node) {
  return node->GetNodeType() == Dom::PROCESSING_INSTRUCTION_NODE ? node->NodeNameView() : node->LocalNameView();
}

// Attributes and namespace nodes are not on the walks of document order
// below, so they are never remembered.
bool IsTreeNode(const Dom::CNode* node) {
  int32_t type = node->GetNodeType();
  return type != Dom::ATTRIBUTE_NODE && type != Dom::NAMESPACE_NODE;
}

} // namespace

// The counting of one execution.
class CNumberCounting {
public:
  CNumberCounting(CNumber& number, CContext& context)
      : m_number(number), m_match(context), m_current(context.GetCurrentNode()) {
    if (!m_current || !IsContextFree(number.m_count.Get()) || !IsContextFree(number.m_from.Get())) return;
    if (!number.m_counts) number.m_counts = std::make_unique<CNumberCounts>();
    m_counts = number.m_counts.get();
    Dom::XNode document =
        m_current->GetNodeType() == Dom::DOCUMENT_NODE ? m_current : m_current->GetOwnerDocument();
    if (number.m_count)
      m_counts->Prepare(document, -1, {}, {});
    else
      m_counts->Prepare(document, m_current->GetNodeType(), m_current->NamespaceUriView(), NameOf(m_current.Get()));
  }

  void GetNumbers(std::vector<int64_t>& numbers) {
    if (!m_current) return;
    switch (m_number.m_level) {
      case CNumber::LevelAny:
        numbers.push_back(NumberAny());
        return;
      case CNumber::LevelMultiple:
        NumberMultiple(numbers);
        return;
      default:
        NumberSingle(numbers);
        return;
    }
  }

  static const Dom::CNode* PreviousInDocumentOrder(const Dom::CNode* node) {
    if (const Dom::CNode* sibling = node->PreviousSibling()) {
      while (const Dom::CNode* last = sibling->LastChild()) sibling = last;
      return sibling;
    }
    return node->Parent();
  }

private:
  bool MatchesCount(const Dom::CNode* node) {
    if (m_number.m_count) return m_number.m_count->Match(m_match, Dom::XNode(const_cast<Dom::CNode*>(node)));
    const Dom::CNode* current = m_current.Get();
    return node->GetNodeType() == current->GetNodeType() && NameOf(node) == NameOf(current) &&
           node->NamespaceUriView() == current->NamespaceUriView();
  }

  bool MatchesFrom(const Dom::CNode* node) {
    return m_number.m_from->Match(m_match, Dom::XNode(const_cast<Dom::CNode*>(node)));
  }

  // The current node and its ancestors, nearest first.
  void Ancestors(std::vector<const Dom::CNode*>& chain) const {
    for (const Dom::CNode* node = m_current.Get(); node; node = node->Parent()) chain.push_back(node);
  }

  // The first of the chain the from pattern matches; null without a from
  // pattern or when none matches, and the counting then goes up to the root.
  const Dom::CNode* FindFrom(const std::vector<const Dom::CNode*>& chain) {
    if (!m_number.m_from) return nullptr;
    for (const Dom::CNode* node : chain)
      if (MatchesFrom(node)) return node;
    return nullptr;
  }

  // 1 plus the preceding siblings that match count; depth places the node's
  // remembered siblings.
  int64_t CountSiblings(const Dom::CNode* node, size_t depth) {
    const Dom::CNode* stop = nullptr;
    int64_t base = 0;
    CNumberCounts::CSiblings* remembered = nullptr;
    if (m_counts && IsTreeNode(node)) {
      if (m_counts->siblings.size() <= depth) m_counts->siblings.resize(depth + 1);
      remembered = &m_counts->siblings[depth];
      if (remembered->child && remembered->parent == node->Parent() &&
          remembered->child->GetOrderKey() <= node->GetOrderKey()) {
        if (remembered->child == node) return remembered->count;
        stop = remembered->child;
        base = remembered->count;
      }
    }
    int64_t count = 1;
    for (const Dom::CNode* sibling = node->PreviousSibling(); sibling && sibling != stop;
         sibling = sibling->PreviousSibling())
      if (MatchesCount(sibling)) ++count;
    count += base;
    if (remembered) *remembered = {node->Parent(), node, count};
    return count;
  }

  void NumberSingle(std::vector<int64_t>& numbers) {
    std::vector<const Dom::CNode*> chain;
    Ancestors(chain);
    const Dom::CNode* from = FindFrom(chain);
    for (size_t i = 0; i < chain.size(); ++i) {
      if (chain[i] == from) return;
      if (MatchesCount(chain[i])) {
        numbers.push_back(CountSiblings(chain[i], chain.size() - 1 - i));
        return;
      }
    }
  }

  void NumberMultiple(std::vector<int64_t>& numbers) {
    std::vector<const Dom::CNode*> chain;
    Ancestors(chain);
    const Dom::CNode* from = FindFrom(chain);
    for (size_t i = 0; i < chain.size() && chain[i] != from; ++i)
      if (MatchesCount(chain[i])) numbers.push_back(CountSiblings(chain[i], chain.size() - 1 - i));
    std::reverse(numbers.begin(), numbers.end());
  }

  // Walks back in document order from the current node to the nearest node
  // the from pattern matches, the root, or the node the last execution
  // counted.
  int64_t NumberAny() {
    const Dom::CNode* remembered = m_counts ? m_counts->anyNode : nullptr;
    int64_t count = 0;
    for (const Dom::CNode* node = m_current.Get(); node; node = PreviousInDocumentOrder(node)) {
      if (node == remembered) {
        count += m_counts->anyCount;
        break;
      }
      if (m_number.m_from && MatchesFrom(node)) break;
      if (MatchesCount(node)) ++count;
    }
    if (m_counts && IsTreeNode(m_current.Get())) {
      m_counts->anyNode = m_current.Get();
      m_counts->anyCount = count;
    }
    return count;
  }

  CNumber& m_number;
  CRunMatchContext m_match;
  Dom::XNode m_current;
  // Null when the patterns depend on more than the node.
  CNumberCounts* m_counts = nullptr;
};

CNumber::CNumber() = default;
CNumber::~CNumber() = default;

void CNumber::Execute(CContext& context) {
  std::vector<int64_t> numbers;
  // Set for a value no integer of 64 bits holds, or a negative one: it is
  // written as its XPath string.
  Core::String valueText;
  bool isText = false;
  if (m_value) {
    Core::XInterface<Xpath::CValue> value = context.Evaluate(m_value.Get());
    Xpath::CNumber number = context.EvaluateNumber(*value);
    double rounded = number.Round().GetValue();
    isText = std::isnan(rounded) || rounded < 0 || rounded >= 9223372036854775808.0;
    if (isText)
      valueText = number.ToString();
    else
      numbers.push_back(int64_t(rounded));
  } else {
    CNumberCounting(*this, context).GetNumbers(numbers);
  }

  CNumberFormatter formatter;
  formatter.SetFormat(context.EvaluateAvt(m_format.Get()));
  if (m_letterValue) {
    Core::String text = context.EvaluateAvt(m_letterValue.Get());
    if (text == u"alphabetic")
      formatter.SetLetterValue(CNumberFormatter::Alphabetic);
    else if (text == u"traditional")
      formatter.SetLetterValue(CNumberFormatter::Traditional);
    else
      context.ThrowError(CXsltException::InvalidComputedAttributeValue, u"letter-value", text);
  }
  if (m_groupingSeparator) formatter.SetGroupingSeparator(context.EvaluateAvt(m_groupingSeparator.Get()));
  if (m_groupingSize) {
    Core::String text = context.EvaluateAvt(m_groupingSize.Get());
    int64_t size = 0;
    for (char16_t c : text) {
      if (c < u'0' || c > u'9')
        context.ThrowError(CXsltException::InvalidComputedAttributeValue, u"grouping-size", text);
      size = std::min<int64_t>(size * 10 + (c - u'0'), INT32_MAX);
    }
    formatter.SetGroupingSize(int32_t(size));
  }

  Core::String result = isText ? formatter.FormatText(valueText) : formatter.Format(numbers);
  context.Characters(result.data(), int32_t(result.size()), false);
}

} // namespace XsltPrivate
