#include "xslt/processor/context/Context.h"

#include <exception>

#include "core/Uri.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/writer/OutputOptions.h"
#include "xml/xslt/LocationHandler.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/ValueConverter.h"
#include "xpath/XpathException.h"
#include "xslt/compiler/Avt.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Instruction.h"
#include "xslt/compiler/NamespaceMap.h"
#include "xslt/compiler/Stylesheet.h"
#include "xslt/compiler/StylesheetElement.h"
#include "xslt/compiler/Template.h"
#include "xslt/compiler/instructions/CopyInstructions.h"
#include "xslt/processor/context/AttributeSetTable.h"
#include "xslt/processor/context/KeptNodeSet.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/context/TopLevelTables.h"
#include "xslt/processor/context/VariableTable.h"
#include "xslt/processor/data/DataSet.h"
#include "xslt/processor/data/DoctypeSet.h"
#include "xslt/processor/data/DocumentCache.h"
#include "xslt/processor/data/DocumentFactory.h"
#include "xslt/processor/data/InputHandler.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/output/OutputElementStack.h"
#include "xslt/processor/output/OutputException.h"
#include "xslt/processor/output/ResultTreeFragment.h"
#include "xslt/processor/services/ErrorHandler.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltFunctionLibrary.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace XsltPrivate {

using Xslt::CXsltException;

namespace {

constexpr char16_t kXsltNamespaceUri[] = u"http://www.w3.org/1999/XSL/Transform";

// Reports the nodes the output element stack refuses (errors 36 to 40) at the
// context that sent the event.
class CContextReporter final : public COutputErrorReporter {
public:
  explicit CContextReporter(CContext& context) : m_context(context) {}
  void ReportOutputError(int32_t code) override { m_context.ReportError(code); }

private:
  CContext& m_context;
};

// A node set whose walk may raise an XPath error, as a context hands it out:
// the error becomes fatal error 43 at the context that evaluated the
// expression, wherever the set is walked later.
class CGuardedNodeSet final : public Xpath::CNodeSet {
public:
  CGuardedNodeSet(Xpath::CNodeSet* inner, CContext* context) : m_inner(inner), m_context(context) {}

  bool IsDocumentOrder() override { return m_inner->IsDocumentOrder(); }
  bool IsReverseOrder() override { return m_inner->IsReverseOrder(); }
  int32_t GetCount() override {
    return Guard([&] { return m_inner->GetCount(); });
  }
  Dom::XNode GetFirstNode() override {
    return Guard([&] { return m_inner->GetFirstNode(); });
  }
  Core::XInterface<Xpath::CIterator> CreateIterator() override;
  bool MayRaise() override { return m_inner->MayRaise(); }
  bool HasNodes() override {
    return Guard([&] { return m_inner->HasNodes(); });
  }

  template <class F>
  auto Guard(F step) -> decltype(step()) {
    Core::String message;
    try {
      return step();
    } catch (const Xpath::CXpathException& error) {
      message = error.GetMessage();
    }
    m_context->ThrowError(CXsltException::ExpressionEvaluationError, message);
  }

private:
  Core::XInterface<Xpath::CNodeSet> m_inner;
  Core::XInterface<CContext> m_context;
};

class CGuardedIterator final : public Xpath::CIterator {
public:
  CGuardedIterator(CGuardedNodeSet* set, Core::XInterface<Xpath::CIterator> inner)
      : m_set(set), m_inner(std::move(inner)) {}

  Xpath::CNodeSet* GetNodeSet() override { return m_set.Get(); }
  Dom::XNode GetNode() override { return m_inner->GetNode(); }
  int32_t GetPosition() override { return m_inner->GetPosition(); }
  void Next() override {
    m_set->Guard([&] { m_inner->Next(); });
  }

private:
  Core::XInterface<CGuardedNodeSet> m_set;
  Core::XInterface<Xpath::CIterator> m_inner;
};

Core::XInterface<Xpath::CIterator> CGuardedNodeSet::CreateIterator() {
  Core::XInterface<Xpath::CIterator> inner = Guard([&] { return m_inner->CreateIterator(); });
  return new CGuardedIterator(this, std::move(inner));
}

} // namespace

// ---- construction and scope -------------------------------------------

CContext::CContext(CTopLevelContext* topLevel, COutputElementStack* output)
    : m_flags(FreshVariableTable | OwnVariableScope),
      m_topLevel(topLevel),
      m_output(output),
      m_element(topLevel->GetStylesheet()),
      m_variables(new CVariableTable(topLevel->GetTopLevelVariableTable())) {
  BeginScope();
}

CContext::CContext(CContext& parent, CStylesheetElement* element, bool freshVariableTable)
    : m_flags((parent.m_flags & TextOnly) | OwnVariableScope | (freshVariableTable ? uint32_t(FreshVariableTable) : 0u)),
      m_topLevel(parent.m_topLevel),
      m_output(parent.m_output),
      m_element(element),
      m_iterator(parent.m_iterator),
      m_variables(freshVariableTable ? new CVariableTable(parent.GetTopLevelVariableTable()) : parent.m_variables.Get()),
      m_template(parent.m_template),
      m_enclosingDocuments(parent.m_documents ? parent.m_documents : parent.m_enclosingDocuments) {
  BeginScope();
}

CContext::CContext(CContext& parent, Xpath::CIterator* iterator)
    : m_flags(parent.m_flags & TextOnly),
      m_topLevel(parent.m_topLevel),
      m_output(parent.m_output),
      m_element(parent.m_element),
      m_iterator(iterator),
      m_variables(parent.m_variables),
      m_template(parent.m_template),
      m_enclosingDocuments(parent.m_documents ? parent.m_documents : parent.m_enclosingDocuments) {
  BeginScope();
}

CContext::CContext(CContext& parent, COutputElementStack* output)
    : m_flags(parent.m_flags & TextOnly),
      m_topLevel(parent.m_topLevel),
      m_output(output),
      m_element(parent.m_element),
      m_iterator(parent.m_iterator),
      m_variables(parent.m_variables),
      m_template(parent.m_template),
      m_enclosingDocuments(parent.m_documents ? parent.m_documents : parent.m_enclosingDocuments) {
  BeginScope();
}

namespace {

template <class T>
void Share(Core::XInterface<T>& to, const Core::XInterface<T>& from) {
  if (to.Get() != from.Get()) to = from;
}

} // namespace

CContext& CContext::ChildFor(Core::XInterface<CContext>& holder, CContext& parent, CStylesheetElement* element) {
  CContext* child = holder.Get();
  if (!child || child->GetUseCount() != 1 || child->IsScopeOpen()) {
    holder = new CContext(parent, element, false);
    return *holder;
  }
  // As the constructor makes it. The ended scope left no pending binding.
  child->m_flags = (parent.m_flags & TextOnly) | OwnVariableScope;
  Share(child->m_topLevel, parent.m_topLevel);
  Share(child->m_output, parent.m_output);
  if (child->m_element.Get() != element) child->m_element = element;
  Share(child->m_iterator, parent.m_iterator);
  Share(child->m_variables, parent.m_variables);
  Share(child->m_template, parent.m_template);
  child->m_documents = nullptr;
  Share(child->m_enclosingDocuments, parent.m_documents ? parent.m_documents : parent.m_enclosingDocuments);
  child->BeginScope();
  return *child;
}

CContext::~CContext() {
  if (!IsScopeOpen()) return;
  // The maker was unwound by an exception; that exception is the one that
  // counts, so nothing is thrown from here.
  try {
    EndScope();
  } catch (...) {
  }
}

void CContext::BeginScope() {
  m_bindingPending = false;
  if (m_flags & OwnVariableScope) m_variables->PushScope();
  m_topLevel->OpenPackageScope((m_flags & FreshVariableTable) != 0);
  m_flags |= ScopeOpen;
}

void CContext::EndScope() {
  if (!IsScopeOpen()) return;
  m_flags &= ~ScopeOpen;
  // Every step runs whatever an earlier one threw; the first failure is
  // thrown at the end.
  std::exception_ptr failure;
  try {
    m_topLevel->ClosePackageScope();
  } catch (...) {
    failure = std::current_exception();
  }
  if (m_documents) m_documents->End((m_flags & KeepScopeDocuments) != 0, (m_flags & KeepDocumentsForRun) != 0);
  if (m_flags & OwnVariableScope) m_variables->PopScope();
  Core::XInterface<Xpath::CValue> value = std::move(m_pendingValue);
  m_pendingValue = nullptr;
  Core::XInterface<CExpandedName> name = std::move(m_pendingName);
  m_pendingName = nullptr;
  if (m_bindingPending) {
    m_bindingPending = false;
    if (!m_variables->Bind(name.Get(), value.Get()) && !failure) {
      try {
        ThrowError(CXsltException::DuplicateVariableName, name->NamespaceUri(), name->LocalName());
      } catch (...) {
        failure = std::current_exception();
      }
    }
  }
  if (failure) std::rethrow_exception(failure);
}

void CContext::SetPendingVariable(Core::StringView namespaceUri, Core::StringView localName, Xpath::CValue* value) {
  Core::XInterface<CExpandedName> name(new CExpandedName(Core::String(namespaceUri), Core::String(localName)));
  SetPendingVariable(name.Get(), value);
}

void CContext::SetPendingVariable(CExpandedName* name, Xpath::CValue* value) {
  m_bindingPending = true;
  m_pendingName = name;
  // Kept as it is walked: a value used many times is worked out once.
  m_pendingValue = KeepNodeSetValue(value, this, name->NamespaceUri(), name->LocalName());
}

bool CContext::BindVariable(CExpandedName* name, Xpath::CValue* value) { return m_variables->Bind(name, value); }

// ---- accessors ----------------------------------------------------------

Dom::XNode CContext::GetCurrentNode() const { return m_iterator ? m_iterator->GetNode() : Dom::XNode(); }

Xpath::CNodeSet* CContext::GetCurrentNodeList() const { return m_iterator ? m_iterator->GetNodeSet() : nullptr; }

CNamespaceMap* CContext::GetNamespaceDeclarations() const { return m_element ? m_element->GetNamespaceMap() : nullptr; }

void CContext::SetCurrentTemplateRule(CTemplate* rule) { m_template = rule; }

CStylesheet* CContext::GetStylesheet() const { return m_topLevel->GetStylesheet(); }
CNamedTemplateTable* CContext::GetNamedTemplateTable() const { return m_topLevel->GetNamedTemplateTable(); }
CNamespaceAliasTable* CContext::GetNamespaceAliasTable() const { return m_topLevel->GetNamespaceAliasTable(); }
CAttributeSetTable* CContext::GetAttributeSetTable() const { return m_topLevel->GetAttributeSetTable(); }
CDecimalFormatTable* CContext::GetDecimalFormatTable() const { return m_topLevel->GetDecimalFormatTable(); }
CPrivateOutputOptions* CContext::GetOutputOptions() const { return m_topLevel->GetOutputOptions(); }
CTopLevelVariableTable* CContext::GetTopLevelVariableTable() const { return m_topLevel->GetTopLevelVariableTable(); }
CDoctypeSet* CContext::GetDoctypeSet() const { return m_topLevel->GetDoctypeSet(); }
Xslt::CDataSet* CContext::GetDataSet() const { return m_topLevel->GetDataSet(); }
Xpath::CFunctionLibrary* CContext::GetCoreFunctionLibrary() const { return m_topLevel->GetCoreFunctionLibrary(); }
CXsltFunctionTable* CContext::GetXsltFunctionTable() const { return m_topLevel->GetXsltFunctionTable(); }
CDocumentCache* CContext::GetDocumentCache() const { return m_topLevel->GetDocumentCache(); }
Xslt::CExtensionHandler* CContext::GetExtensionHandler() const { return m_topLevel->GetExtensionHandler(); }
Xslt::CTopLevelExtensionContext* CContext::GetTopLevelExtensionContext() const {
  return m_topLevel->GetTopLevelExtensionContext();
}
Xslt::CLocationHandler* CContext::GetLocationHandler() const { return m_topLevel->GetLocationHandler(); }
Xslt::CXsltImplementation* CContext::GetImplementation() const { return m_topLevel->GetImplementation(); }

// ---- evaluation ---------------------------------------------------------

Core::XInterface<Xpath::CContext> CContext::GetXpathContext() {
  Core::XInterface<Xpath::CVariableBindingSet> variables = m_variables->GetSnapshot();
  Core::XInterface<Xpath::CFunctionLibrary> functions(new CXsltFunctionLibrary(this));
  return new Xpath::CContext(m_iterator.Get(), variables.Get(), functions.Get(), GetNamespaceDeclarations(),
                             m_topLevel->GetExprDataSet(), m_topLevel->GetXpathImplementation());
}

Core::XInterface<Xpath::CValue> CContext::Evaluate(const Xpath::CExpr* expr) {
  Core::String message;
  try {
    Core::XInterface<Xpath::CValue> value = expr->Evaluate(GetXpathContext().Get());
    if (value && value->GetType() == Xpath::CValue::NodeSetType && value->GetNodeSet()->MayRaise())
      return new Xpath::CNodeSetValue(new CGuardedNodeSet(value->GetNodeSet(), this));
    return value;
  } catch (const Xpath::CXpathException& error) {
    message = error.GetMessage();
  }
  ThrowError(CXsltException::ExpressionEvaluationError, message);
}

Core::String CContext::EvaluateAvt(const Xslt::CAvt* avt) {
  Core::String message;
  try {
    return avt->Evaluate(GetXpathContext().Get());
  } catch (const Xpath::CXpathException& error) {
    message = error.GetMessage();
  }
  ThrowError(CXsltException::AvtEvaluationError, message);
}

Core::String CContext::EvaluateString(const Xpath::CValue& value) {
  if (value.GetType() == Xpath::CValue::StringType)
    return Core::String(static_cast<const Xpath::CStringValue&>(value).GetText());
  Core::String message;
  try {
    return Xpath::CValueConverter(GetXpathContext().Get()).ToString(value);
  } catch (const Xpath::CXpathException& error) {
    message = error.GetMessage();
  }
  ThrowError(CXsltException::ValueConversionError, message);
}

Xpath::CNumber CContext::EvaluateNumber(const Xpath::CValue& value) {
  Core::String message;
  try {
    return Xpath::CValueConverter(GetXpathContext().Get()).ToNumber(value);
  } catch (const Xpath::CXpathException& error) {
    message = error.GetMessage();
  }
  ThrowError(CXsltException::ValueConversionError, message);
}

bool CContext::EvaluateBoolean(const Xpath::CValue& value) {
  if (value.GetType() == Xpath::CValue::BooleanType) return value.GetBoolean();
  Core::String message;
  try {
    return Xpath::CValueConverter(GetXpathContext().Get()).ToBoolean(value);
  } catch (const Xpath::CXpathException& error) {
    message = error.GetMessage();
  }
  ThrowError(CXsltException::ValueConversionError, message);
}

Core::XInterface<CResultTreeFragmentValue> CContext::EvaluateToResultTreeFragment(const CContentList& content) {
  Core::XInterface<CResultTreeFragmentValue> value(new CResultTreeFragmentValue());
  Core::XInterface<COutputElementStack> recorder(new COutputElementStack(&value->GetRecording()));
  recorder->SetOutputOptions(GetOutputOptions());
  Core::XInterface<CContext> child(new CContext(*this, recorder.Get()));
  // A fragment is a tree of its own: built inside xsl:attribute (a variable
  // there) it still holds elements, and only its string value reaches the
  // attribute.
  child->ClearTextOnly();
  child->StartDocument();
  ExecuteInstructions(content, *child);
  child->EndDocument();
  child->EndScope();
  return value;
}

// ---- names, namespaces and URIs -------------------------------------------

void CContext::SplitQName(Core::StringView qualifiedName, Core::String& prefix, Core::String& localPart) {
  size_t colon = qualifiedName.find(u':');
  if (colon == Core::StringView::npos) {
    prefix.clear();
    localPart = qualifiedName;
  } else {
    prefix = qualifiedName.substr(0, colon);
    localPart = qualifiedName.substr(colon + 1);
  }
}

void CContext::ResolveQName(Core::StringView qualifiedName, Core::String& namespaceUri, Core::String& localName,
                            bool useDefault) {
  ResolveQName(qualifiedName, namespaceUri, localName, useDefault, GetNamespaceDeclarations());
}

void CContext::ResolveQName(Core::StringView qualifiedName, Core::String& namespaceUri, Core::String& localName,
                            bool useDefault, Xpath::CNamespaceDeclarationSet* namespaces) {
  Core::String prefix;
  SplitQName(qualifiedName, prefix, localName);
  namespaceUri.clear();
  if (prefix.empty() && !useDefault) return;
  // The map keeps the default namespace under the empty prefix.
  if (namespaces && namespaces->GetNamespaceUri(prefix, namespaceUri)) return;
  namespaceUri.clear();
  if (prefix.empty()) return;
  ThrowError(CXsltException::UndefinedPrefix, prefix);
}

bool CContext::ApplyNamespaceAlias(Core::StringView namespaceUri, Core::String& resultUri) {
  if (namespaceUri == kXsltNamespaceUri) return false;
  if (m_element) {
    CNamespaceUriArray* excluded = m_element->GetExcludedNamespaces();
    CNamespaceUriArray* extensions = m_element->GetExtensionNamespaces();
    if ((excluded && excluded->Contains(namespaceUri)) || (extensions && extensions->Contains(namespaceUri)))
      return false;
  }
  CNamespaceAliasTable* aliases = GetNamespaceAliasTable();
  if (!aliases->IsEmpty() && aliases->Lookup(namespaceUri, resultUri, false)) return true;
  resultUri = namespaceUri;
  return true;
}

Core::String CContext::GetXsltNamespaceUri() { return kXsltNamespaceUri; }

bool CContext::ResolveUri(Core::StringView reference, const Dom::XNode& baseNode, Core::String& result) {
  Uri::CUri parsed;
  try {
    parsed.Parse(reference);
  } catch (const Core::IException& error) {
    ReportError(CXsltException::InvalidUriSyntax, reference, error.GetMessage());
    return false;
  }
  if (parsed.IsAbsolute()) {
    result = reference;
    return true;
  }
  Dom::CNodeIdentity where = baseNode ? baseNode->GetIdentity() : m_element->GetNodeId();
  Core::String base;
  Xslt::CLocationHandler* locations = GetLocationHandler();
  if (!locations || !locations->GetBaseUri(where, base)) {
    ReportError(CXsltException::CannotResolveRelativeUri, reference);
    return false;
  }
  // An empty reference names the base document itself (document('') is the
  // stylesheet), not the folder it is in.
  if (reference.empty()) {
    result = base.substr(0, base.find(u'#'));
    return true;
  }
  Uri::CUri parsedBase;
  try {
    parsedBase.Parse(base);
  } catch (const Core::IException& error) {
    ReportError(CXsltException::InvalidUriSyntax, base, error.GetMessage());
    return false;
  }
  try {
    parsedBase.Resolve(result, reference);
  } catch (const Core::IException&) {
    ReportError(CXsltException::CannotResolveRelativeUri, reference);
    return false;
  }
  return true;
}

// ---- documents ------------------------------------------------------------

CDocumentScope& CContext::GetDocumentScope() {
  if (!m_documents) {
    m_documents = GetDocumentCache()->BeginScope(m_enclosingDocuments.Get());
    // A value of this context loads a document after the context ended: it
    // goes where the context's own documents went.
    if (!IsScopeOpen())
      m_documents->End((m_flags & KeepScopeDocuments) != 0, (m_flags & KeepDocumentsForRun) != 0);
  }
  return *m_documents;
}

Dom::XNode CContext::LoadDocumentTree(Core::StringView uri, Xslt::CInputHandler* inputHandler) {
  Xslt::CXsltImplementation* implementation = GetImplementation();
  CDoctypeSet* doctypes = GetDoctypeSet();
  Dom::XNode document = implementation->GetDocumentFactory()->CreateDocument();
  doctypes->SetCurrentDocument(document);
  try {
    Core::XInterface<Sxp::IDocumentHandler> builder =
        implementation->GetDocumentHandlerFactory()->CreateDocumentHandler(
            document, GetStylesheet()->GetSpaceRules(), GetLocationHandler());
    Core::XInterface<Xslt::CInputHandler> input(inputHandler);
    if (!input) {
      Core::XInterface<Xslt::CBasicInputHandler> basic(new Xslt::CBasicInputHandler(implementation));
      basic->SetUri(uri);
      input = basic.Get();
    }
    input->SetDocumentHandler(builder.Get());
    input->SetDtdHandler(doctypes);
    input->Parse();
  } catch (...) {
    doctypes->RemoveDocument(document.Get());
    throw;
  }
  return document;
}

void CContext::LoadSourceDocument(Core::StringView uri, Xslt::CInputHandler* inputHandler, const Dom::XNode& node) {
  Dom::XNode source = node;
  if (!source) {
    Core::String message;
    bool failed = false;
    try {
      source = LoadDocumentTree(uri, inputHandler);
      GetDocumentScope().AddDocument(uri, source);
    } catch (const Core::IException& error) {
      message = error.GetMessage();
      failed = true;
    }
    if (failed) ThrowError(CXsltException::DocumentRetrievalError, uri, message);
  }
  Core::XInterface<Xpath::CNodeSet> nodes(new XpathPrivate::CSingleNodeSet(source));
  m_iterator = nodes->CreateIterator();
}

Core::XInterface<Xpath::CNodeSet> CContext::LoadDocument(Core::StringView uri) {
  CDocumentCache* cache = GetDocumentCache();
  if (Dom::XNode kept = cache->FindRunDocument(uri)) return new XpathPrivate::CSingleNodeSet(kept);
  // The source document is held by the root scope.
  if (Dom::XNode loaded = GetDocumentScope().FindDocument(uri)) return new XpathPrivate::CSingleNodeSet(loaded);
  Core::String message;
  try {
    Dom::XNode document = LoadDocumentTree(uri, nullptr);
    cache->AddLoadedRunDocument(uri, document);
    return new XpathPrivate::CSingleNodeSet(document);
  } catch (const Core::IException& error) {
    message = error.GetMessage();
  }
  ReportError(CXsltException::DocumentRetrievalError, uri, message);
  return nullptr;
}

// ---- attribute sets -------------------------------------------------------

void CContext::UseAttributeSets(const CExpandedNameList& names) {
  CAttributeSetTable* sets = GetAttributeSetTable();
  for (const Core::XInterface<CExpandedName>& name : names) {
    CMergedAttributeSet* set = sets->Find(name->NamespaceUri(), name->LocalName());
    if (!set) ThrowError(CXsltException::AttributeSetNotFound, name->NamespaceUri(), name->LocalName());
    set->Output(*this);
  }
}

// ---- output -----------------------------------------------------------------

#define KELTO_FORWARD_OUTPUT(call)                                           \
  do {                                                                        \
    CContextReporter reporter(*this);                                         \
    COutputElementStack::CReporterScope reporterScope(*m_output, &reporter);  \
    Core::String message;                                                     \
    try {                                                                     \
      m_output->call;                                                         \
      return;                                                                 \
    } catch (const COutputException& error) {                                 \
      message = error.GetMessage();                                           \
    }                                                                         \
    ThrowError(CXsltException::OutputError, message);                         \
  } while (false)

void CContext::StartDocument() { KELTO_FORWARD_OUTPUT(StartDocument()); }
void CContext::EndDocument() { KELTO_FORWARD_OUTPUT(EndDocument()); }
void CContext::StartElement(Core::StringView qualifiedName, Core::StringView namespaceUri) {
  KELTO_FORWARD_OUTPUT(StartElement(qualifiedName, namespaceUri));
}
void CContext::EndElement() { KELTO_FORWARD_OUTPUT(EndElement()); }
void CContext::StartAttribute(Core::StringView qualifiedName, Core::StringView namespaceUri) {
  KELTO_FORWARD_OUTPUT(StartAttribute(qualifiedName, namespaceUri));
}
void CContext::EndAttribute() { KELTO_FORWARD_OUTPUT(EndAttribute()); }
void CContext::StartNamespace(Core::StringView prefix) { KELTO_FORWARD_OUTPUT(StartNamespace(prefix)); }
void CContext::EndNamespace() { KELTO_FORWARD_OUTPUT(EndNamespace()); }
void CContext::Characters(const char16_t* text, int32_t length, bool disableOutputEscaping) {
  KELTO_FORWARD_OUTPUT(Characters(text, length, disableOutputEscaping));
}
void CContext::StartComment() { KELTO_FORWARD_OUTPUT(StartComment()); }
void CContext::EndComment() { KELTO_FORWARD_OUTPUT(EndComment()); }
void CContext::ProcessingInstruction(Core::StringView target, Core::StringView data) {
  KELTO_FORWARD_OUTPUT(ProcessingInstruction(target, data));
}

#undef KELTO_FORWARD_OUTPUT

void CContext::OutputValue(const Xpath::CValue& value) {
  if (value.GetType() == Xpath::CValue::NodeSetType) {
    Xpath::CNodeSet* nodes = value.GetNodeSet();
    for (auto it = nodes->CreateIterator(); Dom::XNode node = it->GetNode(); it->Next()) CCopyOf::CopyNode(node, *this);
    return;
  }
  if (const CResultTreeFragmentValue* fragment = CResultTreeFragmentValue::From(value)) {
    CContextReporter reporter(*this);
    COutputElementStack::CReporterScope reporterScope(*m_output, &reporter);
    Core::String message;
    try {
      fragment->GetRecording().Replay(*m_output);
      return;
    } catch (const COutputException& error) {
      message = error.GetMessage();
    }
    ThrowError(CXsltException::OutputError, message);
  }
  OutputValueAsText(value);
}

void CContext::OutputValueAsText(const Xpath::CValue& value, bool disableOutputEscaping) {
  // A string's text goes out as it is held: it may be the long result of a
  // recursion, not worth a copy.
  if (value.GetType() == Xpath::CValue::StringType) {
    Core::StringView text = static_cast<const Xpath::CStringValue&>(value).GetText();
    if (!text.empty()) Characters(text, disableOutputEscaping);
    return;
  }
  Core::String text = EvaluateString(value);
  if (!text.empty()) Characters(text, disableOutputEscaping);
}

// ---- errors -------------------------------------------------------------------

namespace {

CXsltException MakeError(CContext& context, int32_t code, Core::StringView arg1, Core::StringView arg2) {
  CStylesheetElement* element = context.GetCurrentStylesheetElement();
  Dom::CNodeIdentity elementId = element ? element->GetNodeId() : Dom::CNodeIdentity{0, 0};
  Core::String elementName = element ? element->GetNodeName() : Core::String();
  Dom::XNode node = context.GetCurrentNode();
  if (!node) return CXsltException(code, elementId, elementName, Core::String(arg1), Core::String(arg2));
  return CXsltException(code, elementId, elementName, node->GetIdentity(), node->GetNodeName(), Core::String(arg1),
                        Core::String(arg2));
}

void Report(CContext& context, int32_t severity, const CXsltException& error) {
  if (Xslt::CErrorHandler* handler = context.GetImplementation()->GetErrorHandler())
    handler->Report(severity, error, context.GetLocationHandler());
}

} // namespace

void CContext::ReportError(int32_t code, Core::StringView arg1, Core::StringView arg2) {
  Report(*this, Xslt::CErrorHandler::Recoverable, MakeError(*this, code, arg1, arg2));
}

void CContext::ThrowError(int32_t code, Core::StringView arg1, Core::StringView arg2) {
  CXsltException error = MakeError(*this, code, arg1, arg2);
  Report(*this, Xslt::CErrorHandler::Fatal, error);
  throw error;
}

void CContext::ReportExtensionWarning(Core::StringView text) {
  Report(*this, Xslt::CErrorHandler::Recoverable, CXsltException(CXsltException::MessageText, Core::String(text)));
}

void CContext::ReportExtensionError(Core::StringView text) {
  Report(*this, Xslt::CErrorHandler::Fatal, CXsltException(CXsltException::MessageText, Core::String(text)));
}

} // namespace XsltPrivate
