#include "xslt/processor/context/TopLevelContext.h"

#include <sys/resource.h>

#include "core/LargePages.h"
#include "xml/writer/OutputOptions.h"
#include "xml/xslt/LocationHandler.h"
#include "xpath/EvaluationCache.h"
#include "xpath/Function.h"
#include "xslt/compiler/Stylesheet.h"
#include "xslt/processor/context/AttributeSetTable.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/TopLevelTables.h"
#include "xslt/processor/context/VariableTable.h"
#include "xslt/processor/data/DataSet.h"
#include "xslt/processor/data/DoctypeSet.h"
#include "xslt/processor/data/DocumentCache.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltFunctionLibrary.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace XsltPrivate {

namespace {

// How much of the stack a run may take for nested templates: half of what
// the process may have (the other half is left to what runs inside the
// deepest template: expressions, output, library code). Without a limit, as
// much as a usual limit gives.
uintptr_t StackBudget() {
  constexpr uintptr_t kUsual = uintptr_t(8) << 20;
  constexpr uintptr_t kMost = uintptr_t(256) << 20;
  rlimit limit{};
  uintptr_t size = kUsual;
  if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    size = uintptr_t(limit.rlim_cur);
    if (size > kMost) size = kMost;
  }
  return size / 2;
}

} // namespace

CTopLevelContext::CTopLevelContext(CStylesheet* stylesheet, Xslt::CLocationHandler* locationHandler,
                                   Xslt::CXsltImplementation* implementation)
    : m_stylesheet(stylesheet),
      m_namedTemplates(new CNamedTemplateTable()),
      m_namespaceAliases(new CNamespaceAliasTable()),
      m_attributeSets(new CAttributeSetTable()),
      m_decimalFormats(new CDecimalFormatTable()),
      m_outputOptions(new CPrivateOutputOptions()),
      m_variables(new CTopLevelVariableTable()),
      m_doctypes(new CDoctypeSet()),
      m_coreFunctions(new Xpath::CCoreFunctionLibrary()),
      m_xsltFunctions(new CXsltFunctionTable()),
      m_locationHandler(locationHandler),
      m_implementation(implementation) {
  Core::UseHeapPolicy();
  if (Xslt::CDataSetFactory* factory = implementation->GetDataSetFactory()) m_dataSet = factory->CreateDataSet();
  else m_dataSet = new CBasicDataSet();
  m_dataSet->SetIdHandler(Core::XInterface<Xslt::CIdHandler>(new CPrivateIdHandler(m_doctypes.Get())).Get());
  m_documents = new CDocumentCache(m_doctypes.Get(), m_dataSet.Get(), m_locationHandler.Get());
  m_extensionHandler = implementation->GetExtensionHandler();
  if (m_extensionHandler) m_extensionContext = m_extensionHandler->CreateTopLevelExtensionContext();
  m_exprDataSet = new CPrivateExprDataSet(m_dataSet.Get());
  m_xpathImplementation = implementation->GetXpathImplementation();
  m_stackBase = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  m_stackBudget = StackBudget();
}

CTopLevelContext::~CTopLevelContext() { Shutdown(); }

bool CTopLevelContext::EnterNesting() {
  uintptr_t here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  if (here < m_stackBase && m_stackBase - here > m_stackBudget) return false;
  ++m_nesting;
  return true;
}

CNestingLevel::CNestingLevel(CContext& context, Core::StringView name) : m_run(context.GetTopLevelContext()) {
  if (!m_run->EnterNesting()) context.ThrowError(Xslt::CXsltException::RecursionTooDeep, name);
}

CNestingLevel::~CNestingLevel() { m_run->LeaveNesting(); }

XpathPrivate::CEvaluationCache* CTopLevelContext::GetPatternCache() {
  if (!m_patternCache) m_patternCache = new XpathPrivate::CEvaluationCache(true);
  return m_patternCache.Get();
}

void CTopLevelContext::ClosePackageScope() {
  if (!m_unstartedScopes.empty()) {
    m_unstartedScopes.pop_back();
    return;
  }
  if (m_extensionContext) m_extensionContext->FinishAll();
}

void CTopLevelContext::StartPackageScopes() {
  if (m_unstartedScopes.empty()) return;
  if (!m_extensionContext) {
    m_unstartedScopes.clear();
    return;
  }
  // A scope counts as started once its Start calls are made, also when one
  // of them throws: its end then finishes every package, as it would have.
  size_t started = 0;
  try {
    while (started < m_unstartedScopes.size()) m_extensionContext->StartAll(m_unstartedScopes[started++]);
  } catch (...) {
    m_unstartedScopes.erase(m_unstartedScopes.begin(), m_unstartedScopes.begin() + std::ptrdiff_t(started));
    throw;
  }
  m_unstartedScopes.clear();
}

void CTopLevelContext::Shutdown() {
  // Its values hold contexts of the run and documents.
  m_patternCache = nullptr;
  if (m_variables) m_variables->Clear();
  // The packages' run state may hold values too (call arguments left
  // pending, groups of nodes), and so the run through them. Scopes that
  // end while they go find no package state left.
  { Core::XInterface<Xslt::CTopLevelExtensionContext> packages = std::move(m_extensionContext); }
  if (m_documents) m_documents->UnloadRunDocuments();
}

} // namespace XsltPrivate
