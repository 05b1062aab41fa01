#include "xslt/compiler/StylesheetElement.h"

#include "xslt/compiler/Instruction.h"
#include "xslt/compiler/InstructionFactory.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/compiler/instructions/ResultInstructions.h"

namespace XsltPrivate {

void AppendInstruction(CContentList& content, const Core::XInterface<CInstruction>& instruction) {
  content.Append(instruction);
}

CStylesheetElement::CStylesheetElement() = default;
CStylesheetElement::~CStylesheetElement() = default;

void CStylesheetElement::Compile(CStaticContext& context) {
  Dom::XNode node = context.GetNode();
  m_nodeName = node->GetNodeName();
  m_nodeId = node->GetIdentity();
  m_namespaceMap = context.GetNamespaceMap();
  m_extensionNamespaces = context.GetExtensionNamespaces();
  m_excludedNamespaces = context.GetExcludedNamespaces();
}

void CStylesheetElement::CompileContent(CContentList& content, CStaticContext& context) {
  Dom::XNode element = context.GetNode();
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
    CompileChild(content, *childContext);
  }
}

void CStylesheetElement::CompileChild(CContentList& content, CStaticContext& childContext) {
  Dom::XNode node = childContext.GetNode();
  switch (node->GetNodeType()) {
    case Dom::TEXT_NODE:
    case Dom::CDATA_SECTION_NODE: {
      Core::XInterface<CText> text(new CText);
      text->CompileLiteral(childContext);
      AppendInstruction(content, text);
      break;
    }
    case Dom::ELEMENT_NODE: {
      Core::XInterface<CInstruction> instruction = childContext.GetInstructionFactory()->Create(childContext);
      if (instruction) AppendInstruction(content, instruction);
      break;
    }
    default:
      break;
  }
}

} // namespace XsltPrivate
