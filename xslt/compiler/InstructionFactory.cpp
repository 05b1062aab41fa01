#include "xslt/compiler/InstructionFactory.h"

#include "core/StringHelpers.h"
#include "xslt/compiler/ExtensionInstruction.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/compiler/Variable.h"
#include "xslt/compiler/instructions/ControlInstructions.h"
#include "xslt/compiler/instructions/CopyInstructions.h"
#include "xslt/compiler/instructions/Number.h"
#include "xslt/compiler/instructions/ResultInstructions.h"
#include "xslt/compiler/instructions/TemplateInvocation.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

namespace {

template <class T>
Core::XInterface<CInstruction> Make(CStaticContext& context) {
  Core::XInterface<T> instruction(new T);
  instruction->Compile(context);
  return instruction;
}

struct CInstructionEntry {
  const char16_t* localName;
  Core::XInterface<CInstruction> (*create)(CStaticContext&);
};

// "fallback" yields no instruction: inside recognised content it never runs.
const CInstructionEntry kInstructions[] = {
    {u"apply-templates", Make<CApplyTemplates>},
    {u"value-of", Make<CValueOf>},
    {u"if", Make<CIf>},
    {u"for-each", Make<CForEach>},
    {u"choose", Make<CChoose>},
    {u"text", Make<CText>},
    {u"variable", Make<CVariable>},
    {u"call-template", Make<CCallTemplate>},
    {u"element", Make<CElement>},
    {u"attribute", Make<CAttribute>},
    {u"copy-of", Make<CCopyOf>},
    {u"copy", Make<CCopy>},
    {u"apply-imports", Make<CApplyImports>},
    {u"comment", Make<CComment>},
    {u"processing-instruction", Make<CProcessingInstruction>},
    {u"number", Make<CNumber>},
    {u"message", Make<CMessage>},
    {u"fallback", nullptr},
};

} // namespace

CInstructionFactory::CNestingGuard::CNestingGuard(CInstructionFactory& factory, CStaticContext& context)
    : m_factory(factory) {
  if (m_factory.m_depth >= MaxNesting)
    context.ThrowError(Xslt::CXsltException::UnsupportedFeature, u"instructions nested deeper than",
                       Core::IntToWideString(MaxNesting));
  ++m_factory.m_depth;
}

Core::XInterface<CInstruction> CInstructionFactory::Create(CStaticContext& context) {
  CNestingGuard guard(*this, context);
  Core::XInterface<CInstruction> instruction;
  if (context.IsXsltElement()) {
    if (!CreateInstruction(instruction, context)) {
      if (!context.IsForwardsCompatible()) context.ThrowError(Xslt::CXsltException::InvalidInstruction);
      CreateUnrecognizedInstruction(instruction, context);
    }
  } else if (context.IsExtensionElement()) {
    if (!CreateExtensionInstruction(instruction, context)) CreateUnrecognizedInstruction(instruction, context);
  } else {
    Core::XInterface<CElement> element(new CElement);
    element->CompileLiteral(context);
    instruction = element;
  }
  return instruction;
}

bool CInstructionFactory::CreateInstruction(Core::XInterface<CInstruction>& out, CStaticContext& context) {
  Core::StringView localName = context.GetNode()->LocalNameView();
  for (const CInstructionEntry& entry : kInstructions) {
    if (localName != entry.localName) continue;
    out = entry.create ? entry.create(context) : nullptr;
    return true;
  }
  return false;
}

bool CInstructionFactory::CreateExtensionInstruction(Core::XInterface<CInstruction>& out, CStaticContext& context) {
  Xslt::CExtensionHandler* handler = context.GetExtensionHandler();
  const Dom::CNode* element = context.GetElement();
  if (!handler || !handler->IsElementAvailable(element->NamespaceUriView(), element->LocalNameView())) return false;
  out = Make<CExtensionInstruction>(context);
  return true;
}

void CInstructionFactory::CreateUnrecognizedInstruction(Core::XInterface<CInstruction>& out, CStaticContext& context) {
  Core::XInterface<CUnrecognizedInstruction> instruction(new CUnrecognizedInstruction);
  instruction->Compile(context);
  out = instruction;
}

void CUnrecognizedInstruction::Compile(CStaticContext& context) {
  CStylesheetElement::Compile(context);
  Dom::XNode element = context.GetNode();
  for (Dom::CNode* child = element->FirstChild(); child; child = child->NextSibling()) {
    Core::XInterface<CStaticContext> childContext(new CStaticContext(context, Dom::XNode(child)));
    if (!childContext->IsXsltElement() || child->LocalNameView() != u"fallback") continue;
    Core::XInterface<CFallback> fallback(new CFallback);
    fallback->Compile(*childContext);
    AppendInstruction(m_fallbacks, fallback);
  }
}

} // namespace XsltPrivate
