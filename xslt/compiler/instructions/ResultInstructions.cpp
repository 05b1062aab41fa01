#include "xslt/compiler/instructions/ResultInstructions.h"

#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

void CText::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_disableOutputEscaping = context.GetYesNoAttribute(u"disable-output-escaping", false, false);
  Dom::XNode element = context.GetNode();
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    int32_t type = child->GetNodeType();
    if (type == Dom::TEXT_NODE || type == Dom::CDATA_SECTION_NODE) {
      m_text += child->ValueView();
    } else {
      Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
      childContext->ThrowError(Xslt::CXsltException::InvalidContent);
    }
  }
}

void CText::CompileLiteral(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_text = context.GetNode()->ValueView();
  m_disableOutputEscaping = false;
}

void CValueOf::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_select = context.CompileExpressionAttribute(u"select", nullptr, true);
  m_disableOutputEscaping = context.GetYesNoAttribute(u"disable-output-escaping", false, false);
  if (context.GetNode()->FirstChild()) context.ThrowError(Xslt::CXsltException::ContentMustBeEmpty);
}

void CElement::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_nameAvt = context.CompileAvtAttribute(u"name", nullptr, true);
  m_namespaceAvt = context.CompileAvtAttribute(u"namespace", nullptr, false);
  context.GetQNameListAttribute(u"use-attribute-sets", m_usedAttributeSets, false, false);
  CompileContent(m_content, context);
}

void CElement::CompileLiteral(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_literal = true;
  Dom::XNode element = context.GetNode();
  m_nameAvt = context.CompileAvt(element->NodeNameView());
  context.GetXsltQNameListAttribute(u"use-attribute-sets", m_usedAttributeSets, false, false);
  for (int32_t i = 0; i < element->AttributeCount(); ++i) {
    Dom::CNode* attribute = element->AttributeAt(i);
    if (attribute->NamespaceUriView() == XsltNamespaceUri) continue;
    Core::XInterface<CStaticContext> attributeContext(new CStaticContext(context, Dom::XNode(attribute)));
    Core::XInterface<CAttribute> compiled(new CAttribute);
    compiled->CompileLiteral(*attributeContext);
    AppendInstruction(m_content, compiled);
  }
  CompileContent(m_content, context);
}

void CAttribute::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_nameAvt = context.CompileAvtAttribute(u"name", nullptr, true);
  m_namespaceAvt = context.CompileAvtAttribute(u"namespace", nullptr, false);
  CompileContent(m_content, context);
}

void CAttribute::CompileLiteral(CStaticContext& attributeContext) {
  CStylesheetElement::Compile(attributeContext);
  Dom::XNode attribute = attributeContext.GetNode();
  m_nameAvt = attributeContext.CompileAvt(attribute->NodeNameView());
  m_valueAvt = attributeContext.CompileAvt(attribute->ValueView());
}

void CComment::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  CompileContent(m_content, context);
}

void CProcessingInstruction::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_nameAvt = context.CompileAvtAttribute(u"name", nullptr, true);
  CompileContent(m_content, context);
}

} // namespace XsltPrivate
