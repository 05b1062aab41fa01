#pragma once
// Everything that lives for one run of a compiled stylesheet: the tables the
// declaration pass fills from all modules, the run's services and the
// document cache. Every run-time context of the run holds it.
//
// Values of a run may hold run-time contexts (a lazy node set keeps the
// context it was made in), and contexts hold this object: Shutdown, at the
// end of the run, drops the values and documents so the cycles are broken.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "xpath/Context.h"

namespace Xslt {
class CDataSet;
class CExtensionHandler;
class CLocationHandler;
class CTopLevelExtensionContext;
class CXsltImplementation;
} // namespace Xslt

namespace XpathPrivate {
class CEvaluationCache;
}

namespace XsltPrivate {

class CAttributeSetTable;
class CContext;
class CDecimalFormatTable;
class CDoctypeSet;
class CDocumentCache;
class CNamedTemplateTable;
class CNamespaceAliasTable;
class CPrivateOutputOptions;
class CStylesheet;
class CTopLevelVariableTable;
class CXsltFunctionTable;

class CTopLevelContext : public Core::CInterface {
public:
  CTopLevelContext(CStylesheet* stylesheet, Xslt::CLocationHandler* locationHandler,
                   Xslt::CXsltImplementation* implementation);
  ~CTopLevelContext() override;

  CStylesheet* GetStylesheet() const { return m_stylesheet.Get(); }
  CNamedTemplateTable* GetNamedTemplateTable() const { return m_namedTemplates.Get(); }
  CNamespaceAliasTable* GetNamespaceAliasTable() const { return m_namespaceAliases.Get(); }
  CAttributeSetTable* GetAttributeSetTable() const { return m_attributeSets.Get(); }
  CDecimalFormatTable* GetDecimalFormatTable() const { return m_decimalFormats.Get(); }
  CPrivateOutputOptions* GetOutputOptions() const { return m_outputOptions.Get(); }
  CTopLevelVariableTable* GetTopLevelVariableTable() const { return m_variables.Get(); }
  CDoctypeSet* GetDoctypeSet() const { return m_doctypes.Get(); }
  Xslt::CDataSet* GetDataSet() const { return m_dataSet.Get(); }
  Xpath::CFunctionLibrary* GetCoreFunctionLibrary() const { return m_coreFunctions.Get(); }
  CXsltFunctionTable* GetXsltFunctionTable() const { return m_xsltFunctions.Get(); }
  CDocumentCache* GetDocumentCache() const { return m_documents.Get(); }
  // The lasting evaluation cache of pattern predicates (see CMatchContext),
  // made at the first request and dropped at Shutdown.
  XpathPrivate::CEvaluationCache* GetPatternCache();
  Xslt::CExtensionHandler* GetExtensionHandler() const { return m_extensionHandler.Get(); }
  Xslt::CTopLevelExtensionContext* GetTopLevelExtensionContext() const { return m_extensionContext.Get(); }
  Xslt::CLocationHandler* GetLocationHandler() const { return m_locationHandler.Get(); }
  Xslt::CXsltImplementation* GetImplementation() const { return m_implementation.Get(); }
  // What every evaluation is given: the data set as XPath sees it, and the
  // implementation's XPath implementation.
  Xpath::CDataSet* GetExprDataSet() const { return m_exprDataSet.Get(); }
  Xpath::CXpathImplementation* GetXpathImplementation() const { return m_xpathImplementation.Get(); }

  // Nesting of template bodies, built-in rules and global evaluations, with
  // the stack they use. Enter returns false when one more would go too deep
  // for the stack; each true answer is matched by one Leave.
  bool EnterNesting();
  void LeaveNesting() { --m_nesting; }
  int32_t GetNesting() const { return m_nesting; }

  // The run-time scopes as the package contexts see them. A scope starts
  // the package contexts only once package code may run while it is open
  // (StartPackageScopes, called before any extension code runs): most
  // scopes of a run see no package code, and for them Start and Finish of
  // every package would be all their cost. Scopes end innermost first.
  void OpenPackageScope(bool freshVariableTable) { m_unstartedScopes.push_back(freshVariableTable); }
  void ClosePackageScope();
  // Starts the package contexts for every open scope that has not started
  // them, outermost first.
  void StartPackageScopes();

  // The end of the run: drops global values, the packages' run state and
  // every document kept.
  void Shutdown();

private:
  Core::XInterface<CStylesheet> m_stylesheet;
  Core::XInterface<CNamedTemplateTable> m_namedTemplates;
  Core::XInterface<CNamespaceAliasTable> m_namespaceAliases;
  Core::XInterface<CAttributeSetTable> m_attributeSets;
  Core::XInterface<CDecimalFormatTable> m_decimalFormats;
  Core::XInterface<CPrivateOutputOptions> m_outputOptions;
  Core::XInterface<CTopLevelVariableTable> m_variables;
  Core::XInterface<CDoctypeSet> m_doctypes;
  Core::XInterface<Xslt::CDataSet> m_dataSet;
  Core::XInterface<Xpath::CFunctionLibrary> m_coreFunctions;
  Core::XInterface<CXsltFunctionTable> m_xsltFunctions;
  Core::XInterface<CDocumentCache> m_documents;
  Core::XInterface<XpathPrivate::CEvaluationCache> m_patternCache;
  Core::XInterface<Xslt::CExtensionHandler> m_extensionHandler;
  Core::XInterface<Xslt::CTopLevelExtensionContext> m_extensionContext;
  Core::XInterface<Xslt::CLocationHandler> m_locationHandler;
  Core::XInterface<Xslt::CXsltImplementation> m_implementation;
  Core::XInterface<Xpath::CDataSet> m_exprDataSet;
  Core::XInterface<Xpath::CXpathImplementation> m_xpathImplementation;

  // The innermost open scopes that have not started the package contexts,
  // outermost first, with their flags; the scopes below them have.
  std::vector<bool> m_unstartedScopes;
  int32_t m_nesting = 0;
  // Where the stack stood when the run began, and how far it may grow.
  uintptr_t m_stackBase = 0;
  uintptr_t m_stackBudget = 0;
};

// One more level of nesting (of a template body, a global's evaluation, an
// attribute set's use...) for the length of a scope. A level that would go
// too deep for the stack is fatal error 56, raised through the context with
// the name given.
class CNestingLevel {
public:
  CNestingLevel(CContext& context, Core::StringView name);
  ~CNestingLevel();
  CNestingLevel(const CNestingLevel&) = delete;
  CNestingLevel& operator=(const CNestingLevel&) = delete;

private:
  CTopLevelContext* m_run;
};

} // namespace XsltPrivate
