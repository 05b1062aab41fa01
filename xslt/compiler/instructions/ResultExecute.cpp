#include "xslt/compiler/NamespaceMap.h"
#include "xslt/compiler/instructions/ResultInstructions.h"
#include "xslt/compiler/instructions/ResultNames.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/TopLevelTables.h"
#include "xslt/processor/output/OutputElementStack.h"
#include "xslt/processor/output/OutputException.h"
#include "xslt/processor/output/ResultTreeFragment.h"
#include "xslt/processor/output/StringOutputHandler.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

using Xslt::CXsltException;

namespace {

// The namespace a literal result element or attribute stands for in the
// result: the alias of its stylesheet namespace, if it has one.
void ApplyAlias(CContext& context, Core::String& namespaceUri) {
  Core::String alias;
  if (context.GetNamespaceAliasTable()->Lookup(namespaceUri, alias, false)) namespaceUri = std::move(alias);
}

class CContextReporter final : public COutputErrorReporter {
public:
  explicit CContextReporter(CContext& context) : m_context(context) {}
  void ReportOutputError(int32_t code) override { m_context.ReportError(code); }

private:
  CContext& m_context;
};

// The content of an element that could not be made goes where the element
// would have gone, without the attributes and namespace nodes meant for it.
void WriteContentOnly(const CContentList& content, CContext& context) {
  Core::XInterface<CResultTreeFragmentValue> fragment = context.EvaluateToResultTreeFragment(content);
  COutputElementStack* output = context.GetOutputElementStack();
  CContextReporter reporter(context);
  COutputElementStack::CReporterScope reporterScope(*output, &reporter);
  Core::String message;
  try {
    fragment->GetRecording().ReplayContent(*output);
    return;
  } catch (const COutputException& error) {
    message = error.GetMessage();
  }
  context.ThrowError(CXsltException::OutputError, message);
}

} // namespace

void CText::Execute(CContext& context) { context.Characters(m_text, m_disableOutputEscaping); }

void CValueOf::Execute(CContext& context) {
  Core::XInterface<Xpath::CValue> value = context.Evaluate(m_select.Get());
  context.OutputValueAsText(*value, m_disableOutputEscaping);
}

void CElement::Execute(CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(CXsltException::MisplacedElementNode);
    return;
  }
  Core::String qualifiedName = EvaluateText(context, m_nameAvt.Get());
  if (!m_literal && !IsQName(qualifiedName)) {
    context.ReportError(CXsltException::InvalidElementName, qualifiedName);
    WriteContentOnly(m_content, context);
    return;
  }
  // A given namespace makes the prefix a mere hint: it need not be declared.
  Core::String namespaceUri, localName;
  if (m_namespaceAvt) {
    namespaceUri = context.EvaluateAvt(m_namespaceAvt.Get());
  } else {
    context.ResolveQName(qualifiedName, namespaceUri, localName, true);
    if (m_literal) ApplyAlias(context, namespaceUri);
  }
  context.StartElement(qualifiedName, namespaceUri);
  WriteNamespaces(context);
  if (!m_usedAttributeSets.empty()) context.UseAttributeSets(m_usedAttributeSets);
  ExecuteInstructions(m_content, context);
  context.EndElement();
}

void CElement::WriteNamespaces(CContext& context) const {
  const void* element = context.GetCurrentStylesheetElement();
  const void* aliases = context.GetNamespaceAliasTable();
  if (!m_resultNamespacesElement || element != m_resultNamespacesElement || aliases != m_resultNamespacesAliases) {
    m_resultNamespaces.clear();
    CNamespaceMap* namespaces = GetNamespaceMap();
    Core::String namespaceUri;
    for (int32_t i = 0, n = namespaces->GetCount(); i < n; ++i) {
      if (!context.ApplyNamespaceAlias(namespaces->GetUri(i), namespaceUri)) continue;
      m_resultNamespaces.push_back({Core::String(namespaces->GetPrefix(i)), namespaceUri});
    }
    m_resultNamespacesElement = element;
    m_resultNamespacesAliases = aliases;
  }
  for (const CResultNamespace& item : m_resultNamespaces) {
    context.StartNamespace(item.prefix);
    context.Characters(item.namespaceUri);
    context.EndNamespace();
  }
}

void CAttribute::Execute(CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(CXsltException::MisplacedAttributeNode);
    return;
  }
  context.SetTextOnly();
  Core::String qualifiedName, namespaceUri;
  if (!EvaluateName(context, qualifiedName, namespaceUri)) return;
  context.StartAttribute(qualifiedName, namespaceUri);
  WriteValue(context);
  context.EndAttribute();
}

bool CAttribute::EvaluateName(CContext& context, Core::String& qualifiedName, Core::String& namespaceUri) const {
  qualifiedName = EvaluateText(context, m_nameAvt.Get());
  // Literal attributes were named by the stylesheet's parser.
  bool literal = m_valueAvt.Get() != nullptr;
  if (qualifiedName == u"xmlns" || (!literal && !IsQName(qualifiedName))) {
    context.ReportError(CXsltException::InvalidAttributeName, qualifiedName);
    return false;
  }
  if (m_namespaceAvt) {
    namespaceUri = context.EvaluateAvt(m_namespaceAvt.Get());
    return true;
  }
  Core::String localName;
  context.ResolveQName(qualifiedName, namespaceUri, localName, false);
  if (literal && !namespaceUri.empty()) ApplyAlias(context, namespaceUri);
  return true;
}

void CAttribute::WriteValue(CContext& context) const {
  if (m_valueAvt) {
    context.Characters(EvaluateText(context, m_valueAvt.Get()));
    return;
  }
  context.SetTextOnly();
  ExecuteInstructions(m_content, context);
}

void CComment::Execute(CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(CXsltException::MisplacedCommentNode);
    return;
  }
  context.SetTextOnly();
  context.StartComment();
  ExecuteInstructions(m_content, context);
  context.EndComment();
}

void CProcessingInstruction::Execute(CContext& context) {
  if (context.IsTextOnly()) {
    context.ReportError(CXsltException::MisplacedProcessingInstructionNode);
    return;
  }
  context.SetTextOnly();
  Core::String target = EvaluateText(context, m_nameAvt.Get());
  if (!IsProcessingInstructionTarget(target)) {
    context.ReportError(CXsltException::InvalidProcessingInstructionTarget, target);
    return;
  }
  Core::XInterface<CStringOutputHandler> text(new CStringOutputHandler);
  Core::XInterface<COutputElementStack> output(
      new COutputElementStack(text.Get(), COutputElementStack::EContent::kTextOnly));
  Core::XInterface<CContext> capture(new CContext(context, output.Get()));
  capture->StartDocument();
  ExecuteInstructions(m_content, *capture);
  capture->EndDocument();
  capture->EndScope();
  context.ProcessingInstruction(target, text->GetText());
}

} // namespace XsltPrivate
