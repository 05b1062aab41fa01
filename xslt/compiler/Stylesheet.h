#pragma once
// One compiled stylesheet module: the principal module or one module per
// xsl:import, each owning the modules it imports. Included stylesheets
// compile into the including module. Also the run of a compiled stylesheet
// and template dispatch over the module tree.
#include <cstdint>
#include <functional>
#include <vector>

#include "core/Array.h"
#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xml/xslt/LocationHandler.h"
#include "xml/xslt/SpaceHandler.h"
#include "xpath/Expr.h"
#include "xslt/compiler/AttributeSet.h"
#include "xslt/compiler/DecimalFormat.h"
#include "xslt/compiler/Key.h"
#include "xslt/compiler/NamespaceAlias.h"
#include "xslt/compiler/Output.h"
#include "xslt/compiler/StylesheetElement.h"
#include "xslt/compiler/Template.h"
#include "xslt/compiler/TemplateIndex.h"
#include "xslt/compiler/Variable.h"

namespace Xslt {
class CExternalParamList;
class CInputHandler;
class COutputHandler;
class CXsltImplementation;
} // namespace Xslt

namespace XsltPrivate {

class CContext;
class CParamList;

class CStylesheet : public CStylesheetElement {
public:
  // Imports and includes nested deeper than this are an error (a backstop
  // for cycles that spell one module's URI in ever new ways).
  static constexpr int32_t MaxModuleNesting = 100;

  CStylesheet();
  ~CStylesheet() override;

  // Reads the module from its document and the modules it imports and
  // includes. spaceRules is the table shared by every module (null for the
  // principal module, which makes it). importPrecedence is the counter:
  // the module takes its value and leaves it one above the module's final
  // precedence.
  void Compile(Xslt::CXsltImplementation* implementation, const Dom::XNode& document,
               Xslt::CLocationHandler* locationHandler, Xslt::CSpaceHandler* spaceRules,
               int32_t& importPrecedence);

  Xslt::CXsltImplementation* GetImplementation() const { return m_implementation.Get(); }
  // The whitespace rules for source documents.
  Xslt::CSpaceHandler* GetSpaceRules() const { return m_spaceRules.Get(); }
  int32_t GetImportPrecedence() const { return m_importPrecedence; }
  bool HasId() const { return m_hasId; }
  const Core::String& GetId() const { return m_id; }
  // In the order their xsl:import elements were read.
  const Core::XArray<Core::XInterface<CStylesheet>>& GetImports() const { return m_imports; }
  const Core::XArray<Core::XInterface<CAttributeSet>>& GetAttributeSets() const { return m_attributeSets; }
  const Core::XArray<Core::XInterface<CDecimalFormat>>& GetDecimalFormats() const { return m_decimalFormats; }
  const Core::XArray<Core::XInterface<CKey>>& GetKeys() const { return m_keys; }
  const Core::XArray<Core::XInterface<CNamespaceAlias>>& GetNamespaceAliases() const { return m_namespaceAliases; }
  const Core::XArray<Core::XInterface<COutput>>& GetOutputs() const { return m_outputs; }
  const Core::XArray<Core::XInterface<CParam>>& GetParams() const { return m_params; }
  const Core::XArray<Core::XInterface<CTemplate>>& GetTemplates() const { return m_templates; }
  const Core::XArray<Core::XInterface<CVariable>>& GetVariables() const { return m_variables; }
  // "node()", for the built-in rules.
  Xpath::CExpr* GetDefaultExpression() const { return m_defaultExpression.Get(); }
  // The module's template rules grouped for dispatch.
  const CTemplateIndex& GetTemplateIndex() const { return m_templateIndex; }

  // Run-time operations. sourceRead, when given, is called once the source
  // document is read and before anything is written to the output handler.
  void Run(Core::StringView sourceUri, Xslt::CInputHandler* inputHandler, const Dom::XNode& sourceNode,
           Xslt::CLocationHandler* locationHandler, Xslt::COutputHandler* outputHandler,
           Xslt::CExternalParamList* parameters, const std::function<void()>& sourceRead = {});
  void ApplyTemplates(CContext& context, const CExpandedName* mode, const CParamList& parameters);
  void ApplyImports(CContext& context, const CExpandedName* mode);

private:
  // A module being loaded, and the ones that are loading it.
  struct CLoadLink {
    Core::StringView uri;
    const CLoadLink* parent;
  };
  enum class ERootKind { Stylesheet, Simplified };
  class CLoadingScope;

  void CompileModule(Xslt::CXsltImplementation* implementation, const Dom::XNode& document,
                     Xslt::CLocationHandler* locationHandler, Xslt::CSpaceHandler* spaceRules,
                     int32_t& importPrecedence, const CLoadLink* loading);
  static ERootKind CheckRootElement(CStaticContext& rootContext);
  void ReadId(CStaticContext& rootContext);
  void CompileTopLevelElements(CStaticContext& rootContext);
  void CompileSimplifiedStylesheet(CStaticContext& rootContext);
  void CompileDeclaration(CStaticContext& context);
  void Import(CStaticContext& context);
  void Include(CStaticContext& context);
  // The href of xsl:import or xsl:include, refused when that module is
  // already being loaded (a cycle).
  Core::String ReadModuleHref(CStaticContext& context) const;
  Dom::XNode LoadModuleDocument(CStaticContext& context, const Core::String& uri);
  void AddSpaceRules(CStaticContext& context, bool preserve);

  Core::XInterface<Xslt::CXsltImplementation> m_implementation;
  Core::XInterface<Xslt::CSpaceHandler> m_spaceRules;
  int32_t m_importPrecedence = 0;
  bool m_hasId = false;
  Core::String m_id;
  Core::XArray<Core::XInterface<CStylesheet>> m_imports;
  Core::XArray<Core::XInterface<CAttributeSet>> m_attributeSets;
  Core::XArray<Core::XInterface<CDecimalFormat>> m_decimalFormats;
  Core::XArray<Core::XInterface<CKey>> m_keys;
  Core::XArray<Core::XInterface<CNamespaceAlias>> m_namespaceAliases;
  Core::XArray<Core::XInterface<COutput>> m_outputs;
  Core::XArray<Core::XInterface<CParam>> m_params;
  Core::XArray<Core::XInterface<CTemplate>> m_templates;
  Core::XArray<Core::XInterface<CVariable>> m_variables;
  Core::XInterface<Xpath::CExpr> m_defaultExpression;
  CTemplateIndex m_templateIndex;
  // The documents of the module and of its included stylesheets: compiled
  // elements refer to their nodes by identity.
  Dom::XNode m_document;
  std::vector<Dom::XNode> m_includedDocuments;
  // While compiling: the chain of modules being loaded, innermost first.
  const CLoadLink* m_loading = nullptr;
};

} // namespace XsltPrivate
