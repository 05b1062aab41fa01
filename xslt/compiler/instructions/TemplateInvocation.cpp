#include "xslt/compiler/instructions/TemplateInvocation.h"

#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

namespace {

bool IsSkipped(const Dom::CNode* node) {
  int32_t type = node->GetNodeType();
  return type == Dom::COMMENT_NODE || type == Dom::PROCESSING_INSTRUCTION_NODE;
}

Core::XInterface<CWithParam> CompileWithParam(CStaticContext& context) {
  Core::XInterface<CWithParam> param(new CWithParam);
  param->Compile(context);
  return param;
}

} // namespace

void CWithParam::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_definition.Compile(context);
}

void CApplyTemplates::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_select = context.CompileExpressionAttribute(u"select", u"node()", false);
  m_mode = context.GetQNameAttribute(u"mode", false, false);
  Dom::XNode element = context.GetNode();
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    if (IsSkipped(child)) continue;
    Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
    if (childContext->IsXsltElement() && child->LocalNameView() == u"sort") {
      Core::XInterface<CSort> sort(new CSort);
      sort->Compile(*childContext);
      m_sorts.Append(sort);
    } else if (childContext->IsXsltElement() && child->LocalNameView() == u"with-param") {
      m_params.Append(CompileWithParam(*childContext));
    } else {
      childContext->ThrowError(Xslt::CXsltException::InvalidElement);
    }
  }
}

void CCallTemplate::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_name = context.GetQNameAttribute(u"name", false, true);
  Dom::XNode element = context.GetNode();
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    if (IsSkipped(child)) continue;
    Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
    if (!childContext->IsXsltElement() || child->LocalNameView() != u"with-param")
      childContext->ThrowError(Xslt::CXsltException::InvalidElement);
    m_params.Append(CompileWithParam(*childContext));
  }
  m_resolved = nullptr;
}

void CApplyImports::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  if (context.GetNode()->FirstChild()) context.ThrowError(Xslt::CXsltException::ContentMustBeEmpty);
}

} // namespace XsltPrivate
