#include "xslt/compiler/Stylesheet.h"

#include <optional>
#include <vector>

#include "core/LargePages.h"
#include "core/StringHelpers.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/xslt/StylesheetSpaceHandler.h"
#include "xpath/Parser.h"
#include "xslt/compiler/InstructionFactory.h"
#include "xslt/compiler/StaticContext.h"
#include "xslt/processor/data/DocumentFactory.h"
#include "xslt/processor/data/InputHandler.h"
#include "xslt/processor/services/ErrorHandler.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace XsltPrivate {

// Restores the chain of loading modules when an include or a module ends.
class CStylesheet::CLoadingScope {
public:
  CLoadingScope(CStylesheet& module, const CLoadLink* link) : m_module(module), m_saved(module.m_loading) {
    module.m_loading = link;
  }
  ~CLoadingScope() { m_module.m_loading = m_saved; }
  CLoadingScope(const CLoadingScope&) = delete;
  CLoadingScope& operator=(const CLoadingScope&) = delete;

private:
  CStylesheet& m_module;
  const CLoadLink* m_saved;
};

CStylesheet::CStylesheet() = default;
CStylesheet::~CStylesheet() = default;

void CStylesheet::Compile(Xslt::CXsltImplementation* implementation, const Dom::XNode& document,
                          Xslt::CLocationHandler* locationHandler, Xslt::CSpaceHandler* spaceRules,
                          int32_t& importPrecedence) {
  CompileModule(implementation, document, locationHandler, spaceRules, importPrecedence, nullptr);
}

void CStylesheet::CompileModule(Xslt::CXsltImplementation* implementation, const Dom::XNode& document,
                                Xslt::CLocationHandler* locationHandler, Xslt::CSpaceHandler* spaceRules,
                                int32_t& importPrecedence, const CLoadLink* loading) {
  m_implementation = implementation;
  m_spaceRules = spaceRules ? spaceRules : new Xslt::CSpaceHandler;
  m_importPrecedence = importPrecedence;
  m_document = document;

  Dom::CNode* root = document ? document->FirstChild() : nullptr;
  while (root && root->GetNodeType() != Dom::ELEMENT_NODE) root = root->NextSibling();
  if (!root) {
    Xslt::CXsltException error(Xslt::CXsltException::InvalidStylesheet);
    implementation->GetErrorHandler()->Report(2, error, locationHandler);
    throw error;
  }

  // The principal module starts the chain of loading modules with its own
  // URI, where its location is known.
  Core::String ownUri;
  CLoadLink own{{}, nullptr};
  if (!loading && locationHandler && locationHandler->GetBaseUri(root->GetIdentity(), ownUri)) {
    own.uri = ownUri;
    loading = &own;
  }
  CLoadingScope scope(*this, loading);

  Core::XInterface<CStaticContext> rootContext(new CStaticContext(document, locationHandler, implementation));
  rootContext->SetInstructionFactory(new CInstructionFactory);
  CStylesheetElement::Compile(*rootContext);
  if (CheckRootElement(*rootContext) == ERootKind::Stylesheet) {
    ReadId(*rootContext);
    CompileTopLevelElements(*rootContext);
  } else {
    CompileSimplifiedStylesheet(*rootContext);
  }

  XpathPrivate::CParser parser;
  parser.Parse(m_defaultExpression, u"node()");
  m_templateIndex.Build(m_templates);
  importPrecedence = m_importPrecedence + 1;
}

CStylesheet::ERootKind CStylesheet::CheckRootElement(CStaticContext& rootContext) {
  if (rootContext.IsXsltElement()) {
    Core::StringView localName = rootContext.GetNode()->LocalNameView();
    if (localName == u"stylesheet" || localName == u"transform") return ERootKind::Stylesheet;
    rootContext.ThrowError(Xslt::CXsltException::InvalidStylesheet);
  }
  if (rootContext.IsExtensionElement()) rootContext.ThrowError(Xslt::CXsltException::InvalidStylesheet);
  return ERootKind::Simplified;
}

void CStylesheet::ReadId(CStaticContext& rootContext) { m_hasId = rootContext.GetAttribute(u"id", m_id, false); }

void CStylesheet::CompileTopLevelElements(CStaticContext& rootContext) {
  bool importsAllowed = true;
  Dom::XNode root = rootContext.GetNode();
  for (Dom::CNode* child = root->FirstChild(); child; child = child->NextSibling()) {
    int32_t type = child->GetNodeType();
    if (type == Dom::COMMENT_NODE || type == Dom::PROCESSING_INSTRUCTION_NODE) continue;
    Core::XInterface<CStaticContext> context(new CStaticContext(rootContext, Dom::XNode(child)));
    if (type != Dom::ELEMENT_NODE) context->ThrowError(Xslt::CXsltException::InvalidStylesheetContent);
    if (!context->IsXsltElement()) {
      if (child->NamespaceUriView().empty() && !context->IsForwardsCompatible())
        context->ThrowError(Xslt::CXsltException::InvalidTopLevelElement);
      continue;
    }
    Core::StringView localName = child->LocalNameView();
    if (localName == u"import") {
      if (!importsAllowed) context->ThrowError(Xslt::CXsltException::MisplacedImport);
      Import(*context);
      continue;
    }
    if (localName == u"include") Include(*context);
    else if (localName == u"preserve-space") AddSpaceRules(*context, true);
    else if (localName == u"strip-space") AddSpaceRules(*context, false);
    else CompileDeclaration(*context);
    importsAllowed = false;
  }
}

void CStylesheet::CompileSimplifiedStylesheet(CStaticContext& rootContext) {
  Core::XInterface<CTemplate> rule(new CTemplate);
  rule->CompileRootTemplate(rootContext, this);
  m_templates.Append(rule);
}

namespace {

template <class T>
Core::XInterface<T> CompileNew(CStaticContext& context) {
  Core::XInterface<T> declaration(new T);
  declaration->Compile(context);
  return declaration;
}

} // namespace

void CStylesheet::CompileDeclaration(CStaticContext& context) {
  Core::StringView localName = context.GetNode()->LocalNameView();
  if (localName == u"template") {
    Core::XInterface<CTemplate> rule(new CTemplate);
    rule->Compile(context, this);
    m_templates.Append(rule);
  } else if (localName == u"attribute-set") {
    m_attributeSets.Append(CompileNew<CAttributeSet>(context));
  } else if (localName == u"decimal-format") {
    m_decimalFormats.Append(CompileNew<CDecimalFormat>(context));
  } else if (localName == u"key") {
    m_keys.Append(CompileNew<CKey>(context));
  } else if (localName == u"namespace-alias") {
    m_namespaceAliases.Append(CompileNew<CNamespaceAlias>(context));
  } else if (localName == u"output") {
    m_outputs.Append(CompileNew<COutput>(context));
  } else if (localName == u"param") {
    m_params.Append(CompileNew<CParam>(context));
  } else if (localName == u"variable") {
    m_variables.Append(CompileNew<CVariable>(context));
  } else if (!context.IsForwardsCompatible()) {
    context.ThrowError(Xslt::CXsltException::InvalidTopLevelElement);
  }
}

Core::String CStylesheet::ReadModuleHref(CStaticContext& context) const {
  Core::String uri;
  context.GetUriAttribute(u"href", uri, true);
  int32_t depth = 0;
  for (const CLoadLink* link = m_loading; link; link = link->parent, ++depth) {
    if (link->uri == uri)
      context.ThrowError(Xslt::CXsltException::StylesheetRetrievalError, uri,
                         u"The stylesheet imports or includes itself");
  }
  if (depth >= MaxModuleNesting)
    context.ThrowError(Xslt::CXsltException::StylesheetRetrievalError, uri,
                       u"Imports and includes nested deeper than " + Core::IntToWideString(MaxModuleNesting));
  return uri;
}

void CStylesheet::Import(CStaticContext& context) {
  Core::String uri = ReadModuleHref(context);
  Dom::XNode document = LoadModuleDocument(context, uri);
  Core::XInterface<CStylesheet> module(new CStylesheet);
  CLoadLink link{uri, m_loading};
  module->CompileModule(m_implementation.Get(), document, context.GetLocationHandler(), m_spaceRules.Get(),
                        m_importPrecedence, &link);
  m_imports.Append(module);
}

void CStylesheet::Include(CStaticContext& context) {
  Core::String uri = ReadModuleHref(context);
  Dom::XNode document = LoadModuleDocument(context, uri);
  Dom::CNode* root = document->FirstChild();
  while (root && root->GetNodeType() != Dom::ELEMENT_NODE) root = root->NextSibling();
  if (!root) context.ThrowError(Xslt::CXsltException::InvalidStylesheet);
  m_includedDocuments.push_back(document);

  CLoadLink link{uri, m_loading};
  CLoadingScope scope(*this, &link);
  Core::XInterface<CStaticContext> rootContext(
      new CStaticContext(document, context.GetLocationHandler(), m_implementation.Get()));
  rootContext->SetInstructionFactory(new CInstructionFactory);
  if (CheckRootElement(*rootContext) == ERootKind::Stylesheet) CompileTopLevelElements(*rootContext);
  else CompileSimplifiedStylesheet(*rootContext);
}

Dom::XNode CStylesheet::LoadModuleDocument(CStaticContext& context, const Core::String& uri) {
  Dom::XNode document;
  Core::String message;
  try {
    document = m_implementation->GetDocumentFactory()->CreateDocument();
    Core::XInterface<Sxp::IDocumentHandler> builder = m_implementation->GetDocumentHandlerFactory()->CreateDocumentHandler(
        document, context.GetSpaceHandler(), context.GetLocationHandler());
    Core::XInterface<Xslt::CBasicInputHandler> input(new Xslt::CBasicInputHandler(m_implementation.Get()));
    input->SetUri(uri);
    input->SetDocumentHandler(builder.Get());
    // A stylesheet of many modules builds megabytes of trees and compiled
    // code; a page fault per small page cost more than parsing them.
    Core::UseLargePagesForHeap();
    input->Parse();
    return document;
  } catch (const Core::IException& e) {
    message = e.GetMessage();
  }
  context.ThrowError(Xslt::CXsltException::StylesheetRetrievalError, uri, message);
}

void CStylesheet::AddSpaceRules(CStaticContext& context, bool preserve) {
  std::vector<Core::String> tokens;
  context.GetTokenListAttribute(u"elements", tokens, true);
  for (const Core::String& token : tokens) {
    if (token == u"*") {
      m_spaceRules->AddRule(std::nullopt, std::nullopt, m_importPrecedence, preserve);
    } else if (token.size() > 2 && token.ends_with(u":*")) {
      Core::String uri = context.ResolvePrefix(Core::StringView(token).substr(0, token.size() - 2));
      m_spaceRules->AddRule(Core::StringView(uri), std::nullopt, m_importPrecedence, preserve);
    } else {
      Core::XInterface<CExpandedName> name = context.ResolveQName(token, false);
      m_spaceRules->AddRule(Core::StringView(name->NamespaceUri()), Core::StringView(name->LocalName()),
                            m_importPrecedence, preserve);
    }
  }
}

} // namespace XsltPrivate
