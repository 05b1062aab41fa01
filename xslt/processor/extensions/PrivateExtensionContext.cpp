#include "xslt/processor/extensions/PrivateExtensionContext.h"

#include "xslt/compiler/ExtensionInstruction.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/output/OutputElementStack.h"

namespace XsltPrivate {

namespace {

// What extension code gets for using an extension context after its
// element or function returned; the call running then reports it as a
// failure of the package.
class CInertContextException final : public Core::IException {
public:
  Core::String GetMessage() const override {
    return u"Extension context used after its extension element or function returned";
  }
};

// Nodes the output element stack refuses while extension code writes
// (errors 36 to 40) are reported at the extension's context.
class CExtensionReporter final : public COutputErrorReporter {
public:
  explicit CExtensionReporter(CContext& context) : m_context(context) {}
  void ReportOutputError(int32_t code) override { m_context.ReportError(code); }

private:
  CContext& m_context;
};

} // namespace

// The scopes one call opened, outermost first, and every extension context
// of the call (not counted: each leaves when it goes).
class CExtensionScopes final : public Core::CInterface {
public:
  // Every extension context of the call is gone by now, and each ended its
  // scope or let the call end it.
  ~CExtensionScopes() override {
    while (!m_open.empty()) EndInnermost();
  }

  void Add(CPrivateExtensionContext* extension) { m_contexts.push_back(extension); }
  void Remove(CPrivateExtensionContext* extension) {
    for (size_t i = m_contexts.size(); i-- > 0;) {
      if (m_contexts[i] != extension) continue;
      m_contexts.erase(m_contexts.begin() + std::ptrdiff_t(i));
      return;
    }
  }

  void Open(CContext* child) { m_open.push_back(COpen{child, false}); }

  // The last extension context over the child went: its scope ends once no
  // scope opened after it is still open.
  void ReleaseScope(CContext* child) noexcept {
    for (size_t i = m_open.size(); i-- > 0;) {
      if (m_open[i].context.Get() != child) continue;
      m_open[i].released = true;
      break;
    }
    while (!m_open.empty() && m_open.back().released) EndInnermost();
  }

  // Ends every scope still open, innermost first, and makes every extension
  // context of the call inert. The first failure is kept for the caller.
  void End(bool keepFailure) noexcept {
    if (m_ended) return;
    m_ended = true;
    while (!m_open.empty()) EndInnermost();
    // The caller holds a use of the call, so it outlives the contexts' uses.
    std::vector<CPrivateExtensionContext*> contexts;
    contexts.swap(m_contexts);
    for (CPrivateExtensionContext* extension : contexts) extension->MakeInert();
    if (!keepFailure) m_failure = nullptr;
  }

  std::exception_ptr TakeFailure() { return std::exchange(m_failure, nullptr); }

private:
  struct COpen {
    Core::XInterface<CContext> context;
    bool released;
  };

  void EndInnermost() noexcept {
    Core::XInterface<CContext> child = std::move(m_open.back().context);
    m_open.pop_back();
    try {
      child->EndScope();
    } catch (...) {
      if (!m_failure) m_failure = std::current_exception();
    }
  }

  std::vector<COpen> m_open;
  std::vector<CPrivateExtensionContext*> m_contexts;
  std::exception_ptr m_failure;
  bool m_ended = false;
};

// Package code may run from here on: every open scope starts the package
// contexts first.
CPrivateExtensionContext::CPrivateExtensionContext(CContext* context, CExtensionInstruction* instruction)
    : m_context(context), m_instruction(instruction) {
  context->GetTopLevelContext()->StartPackageScopes();
}

CPrivateExtensionContext::CPrivateExtensionContext(CContext* child, CExtensionInstruction* instruction,
                                                   CExtensionScopes* scopes)
    : m_context(child), m_instruction(instruction), m_scopes(scopes), m_ownsScope(true) {
  child->GetTopLevelContext()->StartPackageScopes();
  m_scopes->Add(this);
  m_scopes->Open(child);
}

CPrivateExtensionContext::~CPrivateExtensionContext() {
  if (!m_scopes) return;
  Core::XInterface<CExtensionScopes> scopes = std::move(m_scopes);
  scopes->Remove(this);
  if (m_ownsScope) scopes->ReleaseScope(m_context.Get());
}

void CPrivateExtensionContext::MakeInert() noexcept {
  m_scopes = nullptr;
  m_instruction = nullptr;
  m_context = nullptr;
}

// Most calls make no child: the scopes are made with the first one.
CExtensionScopes* CPrivateExtensionContext::Scopes() {
  if (!m_scopes) {
    m_scopes = new CExtensionScopes;
    m_scopes->Add(this);
  }
  return m_scopes.Get();
}

void CPrivateExtensionContext::EndCall() {
  Core::XInterface<CExtensionScopes> scopes = m_scopes;
  if (!scopes) {
    MakeInert();
    return;
  }
  scopes->End(true);
  if (std::exception_ptr failure = scopes->TakeFailure()) std::rethrow_exception(failure);
}

void CPrivateExtensionContext::AbandonCall() noexcept {
  Core::XInterface<CExtensionScopes> scopes = m_scopes;
  if (!scopes) {
    MakeInert();
    return;
  }
  scopes->End(false);
}

CContext& CPrivateExtensionContext::Live() {
  if (!m_context) throw CInertContextException();
  return *m_context;
}

// ---- child contexts ---------------------------------------------------------

Core::XInterface<Xslt::CExtensionContext> CPrivateExtensionContext::CreateContextForNodeList(
    Xpath::CIterator* iterator) {
  Core::XInterface<CContext> child(new CContext(Live(), iterator));
  return new CPrivateExtensionContext(child.Get(), m_instruction.Get(), Scopes());
}

// A function has no element of its own: its child runs as the element whose
// expression called it.
Core::XInterface<Xslt::CExtensionContext> CPrivateExtensionContext::CreateContextForNode() {
  CContext& context = Live();
  CStylesheetElement* element = m_instruction ? m_instruction.Get() : context.GetCurrentStylesheetElement();
  Core::XInterface<CContext> child(new CContext(context, element, false));
  return new CPrivateExtensionContext(child.Get(), m_instruction.Get(), Scopes());
}

Xslt::CTopLevelExtensionContext* CPrivateExtensionContext::GetTopLevelExtensionContext() {
  CContext& context = Live();
  context.GetTopLevelContext()->StartPackageScopes();
  return context.GetTopLevelExtensionContext();
}

Xpath::CNodeSet* CPrivateExtensionContext::GetCurrentNodeList() { return Live().GetCurrentNodeList(); }

void CPrivateExtensionContext::ExecuteContent(int32_t block) {
  CContext& context = Live();
  if (m_instruction) m_instruction->ExecuteContent(context, block);
}

// ---- evaluation ---------------------------------------------------------------

Core::XInterface<Xpath::CContext> CPrivateExtensionContext::GetXpathContext() { return Live().GetXpathContext(); }

Core::XInterface<Xpath::CValue> CPrivateExtensionContext::Evaluate(const Xpath::CExpr* expr) {
  return Live().Evaluate(expr);
}

Core::String CPrivateExtensionContext::EvaluateAvt(const Xslt::CAvt* avt) { return Live().EvaluateAvt(avt); }

bool CPrivateExtensionContext::ResolveUri(Core::StringView reference, Core::String& uri) {
  return Live().ResolveUri(reference, Dom::XNode(), uri);
}

Xslt::CXsltImplementation* CPrivateExtensionContext::GetImplementation() { return Live().GetImplementation(); }

void CPrivateExtensionContext::OutputValue(const Xpath::CValue& value) { Live().OutputValue(value); }

// ---- result events --------------------------------------------------------------

// Straight to the stack: its own exceptions reach the extension code.
#define KELTO_EXTENSION_OUTPUT(call)                                        \
  do {                                                                       \
    CContext& context = Live();                                              \
    COutputElementStack& stack = *context.GetOutputElementStack();           \
    CExtensionReporter reporter(context);                                    \
    COutputElementStack::CReporterScope reporterScope(stack, &reporter);     \
    stack.call;                                                              \
  } while (false)

void CPrivateExtensionContext::StartDocument() { KELTO_EXTENSION_OUTPUT(StartDocument()); }
void CPrivateExtensionContext::EndDocument() { KELTO_EXTENSION_OUTPUT(EndDocument()); }
void CPrivateExtensionContext::StartElement(Core::StringView qualifiedName, Core::StringView namespaceUri) {
  KELTO_EXTENSION_OUTPUT(StartElement(qualifiedName, namespaceUri));
}
void CPrivateExtensionContext::EndElement() { KELTO_EXTENSION_OUTPUT(EndElement()); }
void CPrivateExtensionContext::StartAttribute(Core::StringView qualifiedName, Core::StringView namespaceUri) {
  KELTO_EXTENSION_OUTPUT(StartAttribute(qualifiedName, namespaceUri));
}
void CPrivateExtensionContext::EndAttribute() { KELTO_EXTENSION_OUTPUT(EndAttribute()); }
void CPrivateExtensionContext::StartNamespace(Core::StringView prefix) { KELTO_EXTENSION_OUTPUT(StartNamespace(prefix)); }
void CPrivateExtensionContext::EndNamespace() { KELTO_EXTENSION_OUTPUT(EndNamespace()); }
void CPrivateExtensionContext::Characters(const char16_t* text, int32_t length, bool disableOutputEscaping) {
  KELTO_EXTENSION_OUTPUT(Characters(text, length, disableOutputEscaping));
}
void CPrivateExtensionContext::StartComment() { KELTO_EXTENSION_OUTPUT(StartComment()); }
void CPrivateExtensionContext::EndComment() { KELTO_EXTENSION_OUTPUT(EndComment()); }
void CPrivateExtensionContext::ProcessingInstruction(Core::StringView target, Core::StringView data) {
  KELTO_EXTENSION_OUTPUT(ProcessingInstruction(target, data));
}

int32_t CPrivateExtensionContext::GetOpenOutputNodes() {
  return Live().GetOutputElementStack()->GetOpenNodeCount();
}
void CPrivateExtensionContext::EndOutputNodes(int32_t count) { KELTO_EXTENSION_OUTPUT(EndOpenNodes(count)); }

#undef KELTO_EXTENSION_OUTPUT

// ---- errors -------------------------------------------------------------------------

void CPrivateExtensionContext::ReportWarning(const Core::IException& failure) {
  CContext& context = Live();
  context.ReportExtensionWarning(failure.GetMessage());
  context.ReportError(Xslt::CXsltException::ExtensionRuntimeWarning);
}

void CPrivateExtensionContext::ReportError(const Core::IException& failure) {
  CContext& context = Live();
  context.ReportExtensionError(failure.GetMessage());
  context.ThrowError(Xslt::CXsltException::ExtensionRuntimeError);
}

// ---- the run-time context's side ----------------------------------------------------

Core::XInterface<Xslt::CExtensionContext> CContext::CreateExtensionContext(CExtensionInstruction* instruction) {
  return new CPrivateExtensionContext(this, instruction);
}

} // namespace XsltPrivate
