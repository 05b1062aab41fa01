#pragma once
// The context/ folder: the run-time context of a transformation: scopes, variables, parameters and template matching state.
//
// The run-time context every compiled instruction executes in: the run's
// tables (through the top-level context), the result-tree writer, the
// stylesheet element whose code runs, the current node list, the local
// variables and the current template rule. Through it an instruction
// evaluates expressions, writes result events, binds variables, loads
// documents, resolves names and URIs and reports errors.
//
// Each context is also a scope. It opens when the context is made (a scope of
// the local variables for contexts that have their own, a scope of loaded
// documents, a scope of the package contexts, started once package code runs
// in it) and ends with EndScope, called by whoever made the context when its
// work is done: package contexts that started finish, documents nobody keeps
// are unloaded, the variable scope is popped
// and a binding the instruction left pending (xsl:variable, xsl:param) is
// committed to the enclosing scope. The destructor ends a scope still open
// (an exception unwound its maker) and never throws.
//
// Contexts are counted and made on the heap: XPath values made in a context
// (lazy node sets) keep it through their function library. A child holds
// uses of what it shares with its parent, never of the parent itself.
#include <cstdint>
#include <vector>

#include "core/Array.h"
#include "core/Interface.h"
#include "core/String.h"
#include "core/StringHelpers.h"
#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xpath/Expr.h"
#include "xpath/NodeSet.h"
#include "xpath/Number.h"
#include "xpath/Value.h"

namespace Xslt {
class CAvt;
class CDataSet;
class CExtensionContext;
class CExtensionHandler;
class CInputHandler;
class CLocationHandler;
class CTopLevelExtensionContext;
class CXsltImplementation;
} // namespace Xslt

namespace XsltPrivate {

class CAttributeSetTable;
class CDecimalFormatTable;
class CDoctypeSet;
class CDocumentCache;
class CDocumentScope;
class CExpandedName;
class CExtensionInstruction;
class CInstruction;
class CNamedTemplateTable;
class CNamespaceAliasTable;
class CNamespaceMap;
class COutputElementStack;
class CPrivateOutputOptions;
class CResultTreeFragmentValue;
class CStylesheet;
class CStylesheetElement;
class CTemplate;
class CTopLevelContext;
class CTopLevelVariableTable;
class CVariableTable;
class CXsltFunctionTable;

// The compiled children of an element (StylesheetElement.h).
using CContentList = Core::XArray<Core::XInterface<CInstruction>>;
using CExpandedNameList = std::vector<Core::XInterface<CExpandedName>>;

class CContext : public Core::CInterface {
public:
  // Flag bits.
  enum : uint32_t {
    ScopeOpen = 0x1,
    // The context made its own variable table (the caller's locals are out of sight).
    FreshVariableTable = 0x2,
    // The context pushes a scope of the variable table and pops it at EndScope.
    OwnVariableScope = 0x4,
    // Documents loaded in this scope pass to the enclosing scope (a value
    // computed here is bound outside it).
    KeepScopeDocuments = 0x8,
    // Documents loaded in this scope stay to the end of the run (a global
    // variable's value).
    KeepDocumentsForRun = 0x10,
    // Only text may be written; inherited by every child.
    TextOnly = 0x20,
  };

  // The root context of a run: a fresh variable table over the run's global
  // table, the principal stylesheet as current element, no current node yet.
  CContext(CTopLevelContext* topLevel, COutputElementStack* output);
  // A child running element: an instruction of a content list (fresh false),
  // a template body, an attribute of an attribute set or a global variable
  // (fresh true). It always has its own variable scope.
  CContext(CContext& parent, CStylesheetElement* element, bool freshVariableTable);
  // A child over a node list: the iterator's current node is the current node.
  CContext(CContext& parent, Xpath::CIterator* iterator);
  // A child whose result events go to another stack (fragments, messages,
  // the text of a processing instruction).
  CContext(CContext& parent, COutputElementStack* output);
  ~CContext() override;
  // A child running element without a fresh variable table, in holder: the
  // ended child that holder has is made anew when nothing else holds it (no
  // value or extension kept it), which spares making and dropping a context
  // for every instruction of a list; otherwise a new child.
  static CContext& ChildFor(Core::XInterface<CContext>& holder, CContext& parent, CStylesheetElement* element);

  CContext(const CContext&) = delete;
  CContext& operator=(const CContext&) = delete;

  // Scope and flags.

  // Ends the scope (once; later calls do nothing). Throws fatal error 34 when
  // the pending binding's name is already bound in the enclosing scope, and
  // whatever a package context's Finish throws, after everything else was
  // closed.
  void EndScope();
  bool IsScopeOpen() const { return (m_flags & ScopeOpen) != 0; }
  // Keep the documents loaded in this scope for the enclosing scope.
  void SetFlag8() { m_flags |= KeepScopeDocuments; }
  // Keep the documents loaded in this scope to the end of the run.
  void SetFlag16() { m_flags |= KeepDocumentsForRun; }
  void SetTextOnly() { m_flags |= TextOnly; }
  void ClearTextOnly() { m_flags &= ~uint32_t(TextOnly); }
  bool IsTextOnly() const { return (m_flags & TextOnly) != 0; }
  uint32_t GetFlags() const { return m_flags; }
  // The binding EndScope commits to the enclosing variable scope.
  void SetPendingVariable(Core::StringView namespaceUri, Core::StringView localName, Xpath::CValue* value);
  // The same with the declaration's name, kept as it is.
  void SetPendingVariable(CExpandedName* name, Xpath::CValue* value);
  // Binds a value that needs no keeping (IsKeptAsItIs) in the variable
  // table's current scope, as the end of a child's scope commits a pending
  // one; false, binding nothing, when the name is bound there already.
  bool BindVariable(CExpandedName* name, Xpath::CValue* value);

  // Accessors.

  // The current iterator's current node; null without one.
  Dom::XNode GetCurrentNode() const;
  // The current iterator's node set (no use added); null without an iterator.
  Xpath::CNodeSet* GetCurrentNodeList() const;
  Xpath::CIterator* GetCurrentIterator() const { return m_iterator.Get(); }
  CStylesheetElement* GetCurrentStylesheetElement() const { return m_element.Get(); }
  // The namespace declarations in scope at the current stylesheet element.
  CNamespaceMap* GetNamespaceDeclarations() const;
  CTemplate* GetCurrentTemplateRule() const { return m_template.Get(); }
  // Set by a template to itself before its body runs, cleared by xsl:for-each.
  void SetCurrentTemplateRule(CTemplate* rule);
  CVariableTable* GetVariableTable() const { return m_variables.Get(); }
  COutputElementStack* GetOutputElementStack() const { return m_output.Get(); }
  CTopLevelContext* GetTopLevelContext() const { return m_topLevel.Get(); }

  // Members of the top-level context, no use added.
  CStylesheet* GetStylesheet() const;
  CNamedTemplateTable* GetNamedTemplateTable() const;
  CNamespaceAliasTable* GetNamespaceAliasTable() const;
  CAttributeSetTable* GetAttributeSetTable() const;
  CDecimalFormatTable* GetDecimalFormatTable() const;
  CPrivateOutputOptions* GetOutputOptions() const;
  CTopLevelVariableTable* GetTopLevelVariableTable() const;
  CDoctypeSet* GetDoctypeSet() const;
  Xslt::CDataSet* GetDataSet() const;
  Xpath::CFunctionLibrary* GetCoreFunctionLibrary() const;
  CXsltFunctionTable* GetXsltFunctionTable() const;
  CDocumentCache* GetDocumentCache() const;
  Xslt::CExtensionHandler* GetExtensionHandler() const;
  Xslt::CTopLevelExtensionContext* GetTopLevelExtensionContext() const;
  Xslt::CLocationHandler* GetLocationHandler() const;
  Xslt::CXsltImplementation* GetImplementation() const;

  // Evaluation.

  // A new XPath context of this context: the current node list, the local
  // variables visible now (a later binding does not reach it), the XSLT
  // function library, the namespaces of the current element, the run's data
  // set and XPath implementation.
  Core::XInterface<Xpath::CContext> GetXpathContext();
  // An XPath error becomes fatal error 43.
  Core::XInterface<Xpath::CValue> Evaluate(const Xpath::CExpr* expr);
  // An XPath error becomes fatal error 42.
  Core::String EvaluateAvt(const Xslt::CAvt* avt);
  // Conversions of a value already held; an XPath error becomes fatal error 44.
  Core::String EvaluateString(const Xpath::CValue& value);
  Xpath::CNumber EvaluateNumber(const Xpath::CValue& value);
  bool EvaluateBoolean(const Xpath::CValue& value);
  // Runs the content into a new result tree fragment.
  Core::XInterface<CResultTreeFragmentValue> EvaluateToResultTreeFragment(const CContentList& content);

  // Names, namespaces and URIs.

  // Splits at the first ':' and resolves the prefix at the current element;
  // with useDefault an unprefixed name takes the default namespace. An
  // undeclared prefix is fatal error 9.
  void ResolveQName(Core::StringView qualifiedName, Core::String& namespaceUri, Core::String& localName,
                    bool useDefault);
  // The same with the prefixes declared in namespaces: those in scope where
  // an expression was written (a pattern's predicates are written on their
  // template, not on the instruction that dispatched).
  void ResolveQName(Core::StringView qualifiedName, Core::String& namespaceUri, Core::String& localName,
                    bool useDefault, Xpath::CNamespaceDeclarationSet* namespaces);
  // Without ':' the prefix is empty and the whole name is the local part.
  static void SplitQName(Core::StringView qualifiedName, Core::String& prefix, Core::String& localPart);
  // False for a namespace that does not reach the result from a literal
  // result element (the XSLT namespace, excluded and extension namespaces);
  // else true with the namespace's alias, or the namespace itself.
  bool ApplyNamespaceAlias(Core::StringView namespaceUri, Core::String& resultUri);
  static Core::String GetXsltNamespaceUri();
  // Makes the reference absolute against the base URI of the base node, or
  // of the current element when baseNode is null. Failures are reported as
  // recoverable errors 17 and 18 and answer false.
  bool ResolveUri(Core::StringView reference, const Dom::XNode& baseNode, Core::String& result);

  // Documents.

  // The source document becomes the current node list (one node). A given
  // node is used as it is; otherwise the document at the URI is parsed (with
  // the input handler when one is given). Failure is fatal error 49.
  void LoadSourceDocument(Core::StringView uri, Xslt::CInputHandler* inputHandler, const Dom::XNode& node);
  // document(): a one-node set of a newly parsed document, or null after
  // reporting recoverable error 49. Every call parses anew.
  Core::XInterface<Xpath::CNodeSet> LoadDocument(Core::StringView uri);
  // Parses a document with the run's whitespace rules, doctype set and
  // location handler; failures pass as they are.
  Dom::XNode LoadDocumentTree(Core::StringView uri, Xslt::CInputHandler* inputHandler);

  // Writes the attributes of the named sets; a name without a set is fatal
  // error 28, a set that uses itself (directly or not) fatal error 28 as well.
  void UseAttributeSets(const CExpandedNameList& names);

  // Output: forwarded to the output element stack; an event the stack
  // refuses is fatal error 50.
  void StartDocument();
  void EndDocument();
  void StartElement(Core::StringView qualifiedName, Core::StringView namespaceUri);
  void EndElement();
  void StartAttribute(Core::StringView qualifiedName, Core::StringView namespaceUri);
  void EndAttribute();
  void StartNamespace(Core::StringView prefix);
  void EndNamespace();
  void Characters(const char16_t* text, int32_t length, bool disableOutputEscaping);
  // Text of any length, in pieces that the output's 31-bit counts hold.
  void Characters(Core::StringView text, bool disableOutputEscaping = false) {
    // Empty text still closes an open start tag.
    if (text.empty()) Characters(text.data(), 0, disableOutputEscaping);
    Core::ForEachPiece(text, [&](const char16_t* units, int32_t count) {
      Characters(units, count, disableOutputEscaping);
    });
  }
  void StartComment();
  void EndComment();
  void ProcessingInstruction(Core::StringView target, Core::StringView data);
  // Writes a value at the current output position: a node set as copies of
  // its nodes, a fragment by replaying it, any other value as its text.
  void OutputValue(const Xpath::CValue& value);
  // The string value as text (nothing for the empty string).
  void OutputValueAsText(const Xpath::CValue& value, bool disableOutputEscaping = false);

  // Errors. Reports carry the current element and, when there is one, the
  // current node. Recoverable errors are reported with severity 1 and
  // processing goes on; fatal ones with severity 2 and then thrown.
  void ReportError(int32_t code, Core::StringView arg1 = {}, Core::StringView arg2 = {});
  [[noreturn]] void ThrowError(int32_t code, Core::StringView arg1 = {}, Core::StringView arg2 = {});
  // The text of an extension as error 55, without location, not thrown.
  void ReportExtensionWarning(Core::StringView text);
  void ReportExtensionError(Core::StringView text);

  // The view of this context given to extension code; an extension element
  // passes itself, an extension function null. Defined with the extension
  // context.
  Core::XInterface<Xslt::CExtensionContext> CreateExtensionContext(CExtensionInstruction* instruction);

private:
  void BeginScope();
  // The scope of this context's documents, made on the first load.
  CDocumentScope& GetDocumentScope();

  uint32_t m_flags = 0;
  Core::XInterface<CTopLevelContext> m_topLevel;
  Core::XInterface<COutputElementStack> m_output;
  Core::XInterface<CStylesheetElement> m_element;
  Core::XInterface<Xpath::CIterator> m_iterator;
  Core::XInterface<CVariableTable> m_variables;
  Core::XInterface<CTemplate> m_template;
  // Documents loaded in this scope; made on the first load. The enclosing
  // scope is the nearest one an ancestor had when this context was made.
  Core::XInterface<CDocumentScope> m_documents;
  Core::XInterface<CDocumentScope> m_enclosingDocuments;
  bool m_bindingPending = false;
  Core::XInterface<CExpandedName> m_pendingName;
  Core::XInterface<Xpath::CValue> m_pendingValue;
};

} // namespace XsltPrivate
