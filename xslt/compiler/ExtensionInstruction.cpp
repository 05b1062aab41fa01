#include "xslt/compiler/ExtensionInstruction.h"

#include "xslt/compiler/ExtensionStaticContext.h"
#include "xslt/compiler/InstructionFactory.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/compiler/instructions/ResultInstructions.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

CExtensionInstruction::CExtensionInstruction() = default;
CExtensionInstruction::~CExtensionInstruction() = default;

void CExtensionInstruction::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  Core::XInterface<CPrivateExtensionStaticContext> extensionContext(
      new CPrivateExtensionStaticContext(&context, this));
  Core::String message;
  try {
    m_element = context.GetExtensionHandler()->CreateInstruction(extensionContext.Get());
    extensionContext->Detach();
    return;
  } catch (const Xslt::CXsltException&) {
    extensionContext->Detach();
    throw;
  } catch (const Core::IException& e) {
    message = e.GetMessage();
  }
  extensionContext->Detach();
  context.ReportExtensionError(message);
  context.ThrowError(Xslt::CXsltException::ExtensionStaticError);
}

void CExtensionInstruction::CompileContent(CStaticContext& context, Xslt::CExtensionContentType* contentType) {
  Dom::XNode element = context.GetNode();
  if (!contentType) {
    if (element->FirstChild()) context.ThrowError(Xslt::CXsltException::ContentMustBeEmpty);
    return;
  }
  std::vector<int32_t> counts(static_cast<size_t>(contentType->GetCount()), 0);
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    int32_t type = child->GetNodeType();
    if (type != Dom::TEXT_NODE && type != Dom::CDATA_SECTION_NODE && type != Dom::ELEMENT_NODE) continue;
    Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
    Core::XInterface<CInstruction> instruction;
    int32_t item;
    if (type == Dom::ELEMENT_NODE) {
      instruction = context.GetInstructionFactory()->Create(*childContext);
      if (!instruction) continue;  // xsl:fallback of an implemented element never runs
      item = contentType->FindType(child->NamespaceUriView(), child->LocalNameView());
      if (item < 0) childContext->ThrowError(Xslt::CXsltException::InvalidElement);
    } else {
      item = contentType->GetWildcardIndex();
      if (item < 0) childContext->ThrowError(Xslt::CXsltException::InvalidPcdata);
      Core::XInterface<CText> text(new CText);
      text->CompileLiteral(*childContext);
      instruction = text;
    }
    CountChild(*childContext, *contentType, item, counts, instruction);
  }
  CheckRequiredChildren(context, *contentType, counts);
}

void CExtensionInstruction::CountChild(CStaticContext& childContext, const Xslt::CExtensionContentType& contentType,
                                       int32_t item, std::vector<int32_t>& counts,
                                       const Core::XInterface<CInstruction>& instruction) {
  if (contentType.IsSingle(item) && counts[static_cast<size_t>(item)] > 0)
    childContext.ThrowError(Xslt::CXsltException::MisplacedElement);
  if (contentType.IsOrdered()) {
    for (int32_t later = item + 1; later < contentType.GetCount(); ++later) {
      if (counts[static_cast<size_t>(later)] > 0 && contentType.GetBlock(later) != contentType.GetBlock(item))
        childContext.ThrowError(Xslt::CXsltException::MisplacedElement);
    }
  }
  ++counts[static_cast<size_t>(item)];
  m_content.push_back({contentType.GetBlock(item), instruction});
}

void CExtensionInstruction::CheckRequiredChildren(CStaticContext& context,
                                                  const Xslt::CExtensionContentType& contentType,
                                                  const std::vector<int32_t>& counts) {
  for (int32_t i = 0; i < contentType.GetCount(); ++i) {
    if (contentType.IsRequired(i) && counts[static_cast<size_t>(i)] == 0)
      context.ThrowError(Xslt::CXsltException::MissingElement, contentType.GetNamespaceUri(i),
                         contentType.GetLocalName(i));
  }
}

} // namespace XsltPrivate
