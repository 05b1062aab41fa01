#include "xslt/compiler/Template.h"

#include "xslt/compiler/CompiledExpression.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/compiler/instructions/ResultInstructions.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

void CTemplate::Compile(CStaticContext& context, CStylesheet* module) {
  CStylesheetElement::Compile(context);
  m_module = module;
  m_match = context.CompilePatternAttribute(u"match", nullptr, false);
  m_name = context.GetQNameAttribute(u"name", false, false);
  m_hasPriority = context.GetNumberAttribute(u"priority", m_priority, false);
  m_mode = context.GetQNameAttribute(u"mode", false, false);

  Dom::XNode element = context.GetNode();
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
    if (childContext->IsXsltElement() && child->LocalNameView() == u"param") {
      if (!IsContentEmpty(m_content)) childContext->ThrowError(Xslt::CXsltException::MisplacedElement);
      Core::XInterface<CParam> param(new CParam);
      param->Compile(*childContext);
      m_params.Append(param);
    } else {
      CompileChild(m_content, *childContext);
    }
  }

  if (!m_match && !m_name) context.ThrowError(Xslt::CXsltException::MissingAttribute, u"match");
}

void CTemplate::CompileRootTemplate(CStaticContext& rootContext, CStylesheet* module) {
  CStylesheetElement::Compile(rootContext);
  m_module = module;
  m_match = CompilePattern(rootContext, u"/");
  Core::XInterface<CElement> element(new CElement);
  element->CompileLiteral(rootContext);
  AppendInstruction(m_content, element);
}

} // namespace XsltPrivate
