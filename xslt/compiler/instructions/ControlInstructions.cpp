#include "xslt/compiler/instructions/ControlInstructions.h"

#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

void CForEach::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_select = context.CompileExpressionAttribute(u"select", nullptr, true);
  Dom::XNode element = context.GetNode();
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
    if (childContext->IsXsltElement() && child->LocalNameView() == u"sort") {
      if (!IsContentEmpty(m_content)) childContext->ThrowError(Xslt::CXsltException::MisplacedElement);
      Core::XInterface<CSort> sort(new CSort);
      sort->Compile(*childContext);
      m_sorts.Append(sort);
    } else {
      CompileChild(m_content, *childContext);
    }
  }
}

void CIf::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_test = context.CompileExpressionAttribute(u"test", nullptr, true);
  CompileContent(m_content, context);
}

void CWhen::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_test = context.CompileExpressionAttribute(u"test", nullptr, true);
  CompileContent(m_content, context);
}

void COtherwise::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  CompileContent(m_content, context);
}

void CChoose::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  Dom::XNode element = context.GetNode();
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    int32_t type = child->GetNodeType();
    if (type == Dom::COMMENT_NODE || type == Dom::PROCESSING_INSTRUCTION_NODE) continue;
    Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
    bool xslt = childContext->IsXsltElement();
    if (xslt && child->LocalNameView() == u"when") {
      if (m_otherwise) childContext->ThrowError(Xslt::CXsltException::MisplacedElement);
      Core::XInterface<CWhen> when(new CWhen);
      when->Compile(*childContext);
      m_whens.Append(when);
    } else if (xslt && child->LocalNameView() == u"otherwise") {
      if (m_otherwise) childContext->ThrowError(Xslt::CXsltException::MisplacedElement);
      m_otherwise = new COtherwise;
      m_otherwise->Compile(*childContext);
    } else {
      childContext->ThrowError(Xslt::CXsltException::InvalidElement);
    }
  }
  if (m_whens.GetSize() == 0)
    context.ThrowError(Xslt::CXsltException::MissingElement, XsltNamespaceUri, u"when");
}

void CMessage::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_terminate = context.GetYesNoAttribute(u"terminate", false, false);
  CompileContent(m_content, context);
}

void CFallback::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  CompileContent(m_content, context);
}

} // namespace XsltPrivate
