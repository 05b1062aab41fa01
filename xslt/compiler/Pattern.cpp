#include "xslt/compiler/Pattern.h"

#include <memory>

#include "xpath/Axis.h"
#include "xslt/processor/context/MatchContext.h"

namespace XsltPrivate {

int32_t HashLocalName(Core::StringView localName) {
  uint32_t h = 0;
  for (char16_t c : localName) h = h * 9u + c;
  return static_cast<int32_t>(h & 0x7FFFFFFFu);
}

double CLocationPathPattern::GetDefaultPriority() const {
  if (m_start->GetKind() != CStartPattern::AnyKind || m_steps.size() != 1) return 0.5;
  const Xpath::CStepExpr* step = m_steps[0]->GetStepExpr();
  if (!step || !step->GetPredicates().empty()) return 0.5;
  switch (step->GetNodeTest()->GetKind()) {
  case Xpath::CNodeTest::QName:
  case Xpath::CNodeTest::ProcessingInstructionWithLiteral:
    return 0.0;
  case Xpath::CNodeTest::NamespaceWildcard:
    return -0.25;
  default:
    return -0.5;
  }
}

int32_t CLocationPathPattern::GetNameHash() const {
  if (m_nameHash != -2) return m_nameHash;
  m_nameHash = -1;
  const Xpath::CStepExpr* last = m_steps.empty() ? nullptr : m_steps.back()->GetStepExpr();
  if (last && last->GetAxisCode() == Xpath::CAxis::Child) {
    Core::String localName = last->GetNodeTest()->GetLocalName();
    if (!localName.empty()) m_nameHash = HashLocalName(localName);
  }
  return m_nameHash;
}

namespace {

constexpr uint32_t kAllNodeTypes = ~uint32_t(0);
constexpr uint32_t kChildNodeTypes = NodeTypeBit(Dom::ELEMENT_NODE) | NodeTypeBit(Dom::TEXT_NODE) |
                                     NodeTypeBit(Dom::CDATA_SECTION_NODE) |
                                     NodeTypeBit(Dom::PROCESSING_INSTRUCTION_NODE) | NodeTypeBit(Dom::COMMENT_NODE);

uint32_t NodeTestTypes(int32_t kind) {
  switch (kind) {
  case Xpath::CNodeTest::Comment:
    return NodeTypeBit(Dom::COMMENT_NODE);
  case Xpath::CNodeTest::Text:
    return NodeTypeBit(Dom::TEXT_NODE) | NodeTypeBit(Dom::CDATA_SECTION_NODE);
  case Xpath::CNodeTest::ProcessingInstruction:
  case Xpath::CNodeTest::ProcessingInstructionWithLiteral:
    return NodeTypeBit(Dom::PROCESSING_INSTRUCTION_NODE);
  case Xpath::CNodeTest::Node:
    return kAllNodeTypes;
  default:  // name tests match the axis's principal node type
    return NodeTypeBit(Dom::ELEMENT_NODE) | NodeTypeBit(Dom::ATTRIBUTE_NODE) | NodeTypeBit(Dom::NAMESPACE_NODE);
  }
}

} // namespace

uint32_t CLocationPathPattern::GetNodeTypes() const {
  if (m_steps.empty()) {
    switch (m_start->GetKind()) {
    case CStartPattern::RootKind:
      return NodeTypeBit(Dom::DOCUMENT_NODE) | NodeTypeBit(Dom::DOCUMENT_FRAGMENT_NODE);
    case CStartPattern::IdKind:
      return NodeTypeBit(Dom::ELEMENT_NODE);
    default:
      return kAllNodeTypes;
    }
  }
  const Xpath::CStepExpr* last = m_steps.back()->GetStepExpr();
  if (!last) return kAllNodeTypes;
  uint32_t axisTypes = last->GetAxisCode() == Xpath::CAxis::Attribute ? NodeTypeBit(Dom::ATTRIBUTE_NODE)
                                                                       : kChildNodeTypes;
  return axisTypes & NodeTestTypes(last->GetNodeTest()->GetKind());
}

Core::String CLocationPathPattern::GetLocalName() const {
  const Xpath::CStepExpr* last = m_steps.empty() ? nullptr : m_steps.back()->GetStepExpr();
  return last ? last->GetNodeTest()->GetLocalName() : Core::String();
}

bool CLocationPathPattern::Match(CMatchContext& context, const Dom::XNode& node) const {
  const int32_t n = static_cast<int32_t>(m_steps.size());
  Xpath::CNamespaceDeclarationSet* namespaces = m_namespaces.Get();
  // The choice points of the "//" steps: the next ancestor at which the
  // steps to the left of one are to be tried.
  const Dom::CNode* inlineChoices[16];
  std::unique_ptr<const Dom::CNode*[]> heapChoices;
  const Dom::CNode** choices = inlineChoices;
  if (n > 16) {
    heapChoices.reset(new const Dom::CNode*[static_cast<size_t>(n)]);
    choices = heapChoices.get();
  }

  const Dom::CNode* current = node.Get();
  int32_t i = n;
  for (;;) {
    --i;
    if (i >= 0) {
      const CStepPattern& step = *m_steps[static_cast<size_t>(i)];
      if (step.IsDescendantStep()) {
        // The steps to its left are tried here first, then ever higher.
        choices[i] = current->Parent();
        continue;
      }
      if (step.Match(context, current, namespaces)) {
        current = current->Parent();
        if (!current) return false;
        continue;
      }
    } else if (m_start->Match(context, current)) {
      return true;
    }
    // Backtrack to the nearest "//" to the right, one level higher. When
    // that one has reached the top, no older choice can help: moving one
    // up only leaves the steps to the left fewer ancestors to match, and a
    // step's answer depends on its node alone.
    int32_t j = i + 1;
    while (j < n && !m_steps[static_cast<size_t>(j)]->IsDescendantStep()) ++j;
    if (j >= n || !choices[j]) return false;
    current = choices[j];
    choices[j] = current->Parent();
    i = j;
  }
}

void CPattern::SetNamespaces(Xpath::CNamespaceDeclarationSet* namespaces) {
  for (const Core::XInterface<CLocationPathPattern>& alternative : m_alternatives) {
    alternative->SetNamespaces(namespaces);
  }
}

bool CPattern::Match(CMatchContext& context, const Dom::XNode& node) const {
  for (const Core::XInterface<CLocationPathPattern>& alternative : m_alternatives) {
    if (alternative->Match(context, node)) return true;
  }
  return false;
}

} // namespace XsltPrivate
