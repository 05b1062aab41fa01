#include "xml/tree/Names.h"
#include "xslt/compiler/instructions/CopyInstructions.h"
#include "xslt/compiler/instructions/SelectedNodes.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

using Xslt::CXsltException;

namespace {

void WriteAttribute(const Dom::CNode* node, CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(CXsltException::MisplacedAttributeNode);
    return;
  }
  context.StartAttribute(node->NodeNameView(), node->NamespaceUriView());
  context.Characters(node->ValueView());
  context.EndAttribute();
}

// Text, and CDATA sections, which only foreign trees hold.
void WriteText(const Dom::CNode* node, CContext& context) {
  if (node->GetNodeType() == Dom::TEXT_NODE) {
    context.Characters(node->ValueView());
    return;
  }
  Core::String text = node->GetNodeValue();
  context.Characters(text);
}

void WriteComment(const Dom::CNode* node, CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(CXsltException::MisplacedCommentNode);
    return;
  }
  context.StartComment();
  context.Characters(node->ValueView());
  context.EndComment();
}

void WriteProcessingInstruction(const Dom::CNode* node, CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(CXsltException::MisplacedProcessingInstructionNode);
    return;
  }
  context.ProcessingInstruction(node->NodeNameView(), node->ValueView());
}

void WriteNamespace(const Dom::CNode* node, CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(CXsltException::MisplacedNamespaceNode);
    return;
  }
  context.StartNamespace(node->NodeNameView());
  context.Characters(node->ValueView());
  context.EndNamespace();
}

// Attribute, text, comment, processing instruction or namespace node; false
// for the other kinds, which have children or nothing to write.
bool WriteLeaf(const Dom::CNode* node, CContext& context) {
  switch (node->GetNodeType()) {
  case Dom::ATTRIBUTE_NODE:
    WriteAttribute(node, context);
    return true;
  case Dom::TEXT_NODE:
  case Dom::CDATA_SECTION_NODE:
    WriteText(node, context);
    return true;
  case Dom::COMMENT_NODE:
    WriteComment(node, context);
    return true;
  case Dom::PROCESSING_INSTRUCTION_NODE:
    WriteProcessingInstruction(node, context);
    return true;
  case Dom::NAMESPACE_NODE:
    WriteNamespace(node, context);
    return true;
  default:
    return false;
  }
}

void WriteNamespaces(const Dom::CNode* element, CContext& context) {
  const Dom::CNamespaceScope* scope = element->NamespaceScope();
  for (int32_t i = 0, n = scope ? scope->GetCount() : 0; i < n; ++i) WriteNamespace(scope->GetItem(i), context);
}

// The start of an element: its name and namespace nodes. False when no
// element may be written here; the error is reported.
bool StartElement(const Dom::CNode* element, CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(CXsltException::MisplacedElementNode);
    return false;
  }
  context.StartElement(element->NodeNameView(), element->NamespaceUriView());
  WriteNamespaces(element, context);
  return true;
}

} // namespace

void CopyAttributeNode(const Dom::XNode& node, CContext& context) { WriteAttribute(node.Get(), context); }
void CopyTextNode(const Dom::XNode& node, CContext& context) { WriteText(node.Get(), context); }
void CopyCommentNode(const Dom::XNode& node, CContext& context) { WriteComment(node.Get(), context); }
void CopyProcessingInstructionNode(const Dom::XNode& node, CContext& context) {
  WriteProcessingInstruction(node.Get(), context);
}
void CopyNamespaceNode(const Dom::XNode& node, CContext& context) { WriteNamespace(node.Get(), context); }

void CCopy::Execute(CContext& context) {
  Dom::XNode node = context.GetCurrentNode();
  if (node && node->GetNodeType() == Dom::ELEMENT_NODE) {
    if (!StartElement(node.Get(), context)) return;
    if (!m_usedAttributeSets.empty()) context.UseAttributeSets(m_usedAttributeSets);
    ExecuteInstructions(m_content, context);
    context.EndElement();
    return;
  }
  if (node && WriteLeaf(node.Get(), context)) return;
  ExecuteInstructions(m_content, context);
}

void CCopyOf::Execute(CContext& context) {
  Core::XInterface<Xpath::CValue> value = context.Evaluate(m_select.Get());
  if (value->GetType() != Xpath::CValue::NodeSetType) {
    // A fragment is replayed, any other value written as text.
    context.OutputValue(*value);
    return;
  }
  Core::XInterface<Xpath::CIterator> nodes = IterateNodes(context, *value->GetNodeSet());
  for (Dom::XNode node = nodes->GetNode(); node; node = NextNode(context, *nodes)) CopyNode(node, context);
}

// Walks the subtree in document order with the tree's own links, not the
// C++ stack: a source document may nest deeper than any stack would allow.
void CCopyOf::CopyNode(const Dom::XNode& node, CContext& context) {
  const Dom::CNode* root = node.Get();
  if (WriteLeaf(root, context)) return;
  const Dom::CNode* current = root;
  for (;;) {
    // Enter the current node; descend into its first child when it has one.
    int32_t type = current->GetNodeType();
    bool entered = true;
    if (type == Dom::ELEMENT_NODE) {
      entered = StartElement(current, context);
      if (entered) {
        for (int32_t i = 0, n = current->AttributeCount(); i < n; ++i)
          WriteAttribute(current->AttributeAt(i), context);
      }
    } else if (type != Dom::DOCUMENT_NODE && type != Dom::DOCUMENT_FRAGMENT_NODE) {
      entered = false;
      WriteLeaf(current, context);
    }
    if (entered) {
      if (const Dom::CNode* child = current->FirstChild()) {
        current = child;
        continue;
      }
    }
    // Leave the current node and every ancestor whose last child it is.
    for (;;) {
      if (entered && type == Dom::ELEMENT_NODE) context.EndElement();
      if (current == root) return;
      if (const Dom::CNode* next = current->NextSibling()) {
        current = next;
        break;
      }
      current = current->Parent();
      type = current->GetNodeType();
      entered = true;
    }
  }
}

} // namespace XsltPrivate
