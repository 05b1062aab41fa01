#include "xslt/compiler/AttributeSet.h"

#include "xslt/compiler/StaticContext.h"
#include "xslt/compiler/instructions/ResultInstructions.h"

namespace XsltPrivate {

CAttributeSet::CAttributeSet() = default;
CAttributeSet::~CAttributeSet() = default;

void CAttributeSet::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  m_name = context.GetQNameAttribute(u"name", false, true);
  context.GetQNameListAttribute(u"use-attribute-sets", m_usedAttributeSets, false, false);
  Dom::XNode element = context.GetNode();
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    if (child->GetNodeType() != Dom::ELEMENT_NODE) continue;
    Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
    if (!childContext->IsXsltElement() || child->LocalNameView() != u"attribute") continue;
    Core::XInterface<CAttribute> attribute(new CAttribute);
    attribute->Compile(*childContext);
    m_attributes.Append(attribute);
  }
}

} // namespace XsltPrivate
