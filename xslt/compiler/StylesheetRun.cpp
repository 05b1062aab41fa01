// The run of a compiled stylesheet: the declaration passes that turn the
// modules' declarations into the run's tables, the source document, the
// global variables and the application of templates to the root; and
// template dispatch: the best rule of a module, then of its imports from the
// last to the first, then the built-in rules.
#include <functional>
#include <vector>

#include "xml/writer/OutputHandler.h"
#include "xml/writer/OutputOptions.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/Value.h"
#include "xslt/compiler/Stylesheet.h"
#include "xslt/compiler/instructions/ResultInstructions.h"
#include "xslt/processor/context/AttributeSetTable.h"
#include "xslt/processor/context/Context.h"
#include "xslt/processor/context/ExternalParamList.h"
#include "xslt/processor/context/ParamList.h"
#include "xslt/processor/context/RunMatchContext.h"
#include "xslt/processor/context/TopLevelContext.h"
#include "xslt/processor/context/TopLevelTables.h"
#include "xslt/processor/context/VariableTable.h"
#include "xslt/processor/data/DataSet.h"
#include "xslt/processor/output/OutputElementStack.h"
#include "xslt/processor/services/XsltException.h"

namespace XsltPrivate {

using Xslt::CXsltException;

namespace {

// An xsl:key declaration as the data set asks it for values.
class CPrivateKeyHandler : public Xslt::CKeyHandler {
public:
  // The run context outlives every use: indexes are built during the run.
  CPrivateKeyHandler(CKey* key, CContext* runContext) : m_key(key), m_runContext(runContext) {}

  // A key whose match or use needs its own values while they are asked for
  // (key() on its own name, directly or through other keys) would ask
  // forever: that is fatal error 60, raised at the declaration.
  void GetKeyValues(const Dom::XNode& node, std::vector<Core::String>& values) override {
    if (m_active) m_key->ThrowCircular(m_active, *m_runContext);
    struct CActive {
      Dom::XNode& active;
      CActive(Dom::XNode& a, const Dom::XNode& node) : active(a) { active = node; }
      ~CActive() { active = Dom::XNode(); }
    } active(m_active, node);
    m_key->GetKeyValues(node, *m_runContext, values, m_declaration);
  }
  uint32_t GetNodeTypes() override {
    uint32_t types = 0;
    CPattern* match = m_key->GetMatch();
    for (int32_t i = 0, n = match ? match->GetCount() : 0; i < n; ++i) types |= match->GetAt(i)->GetNodeTypes();
    return types;
  }

  // The run ends: the context kept holds the run, which holds this handler.
  void EndRun() { m_declaration = nullptr; }

private:
  Core::XInterface<CKey> m_key;
  CContext* m_runContext;
  Dom::XNode m_active;  // the node whose values are being asked for
  // The declaration's context of the last node indexed, ended.
  Core::XInterface<CContext> m_declaration;
};

using CKeyHandlers = std::vector<Core::XInterface<CPrivateKeyHandler>>;

// Every module in falling import precedence: the module, then its imports
// from the last to the first, each the same way.
void VisitModules(CStylesheet& module, const std::function<void(CStylesheet&)>& visit) {
  visit(module);
  const auto& imports = module.GetImports();
  for (int32_t i = imports.GetSize(); i-- > 0;) VisitModules(*imports[i], visit);
}

// Errors of the declaration passes are raised at the declaration.
[[noreturn]] void ThrowAt(CContext& root, CStylesheetElement* declaration, int32_t code, Core::StringView arg1,
                          Core::StringView arg2 = {}) {
  Core::XInterface<CContext> at(new CContext(root, declaration, false));
  at->ThrowError(code, arg1, arg2);
}

void RegisterNamedTemplates(CContext& root, CStylesheet& principal) {
  CNamedTemplateTable* table = root.GetNamedTemplateTable();
  VisitModules(principal, [&](CStylesheet& module) {
    table->MarkImportBoundary();
    const auto& templates = module.GetTemplates();
    for (int32_t i = templates.GetSize(); i-- > 0;) {
      CTemplate* rule = templates[i].Get();
      CExpandedName* name = rule->GetName();
      if (!name) continue;
      if (table->Find(name->NamespaceUri(), name->LocalName(), true))
        ThrowAt(root, rule, CXsltException::DuplicateTemplateName, name->NamespaceUri(), name->LocalName());
      table->Add(rule);
    }
  });
}

void RegisterNamespaceAliases(CContext& root, CStylesheet& principal) {
  CNamespaceAliasTable* table = root.GetNamespaceAliasTable();
  VisitModules(principal, [&](CStylesheet& module) {
    table->MarkImportBoundary();
    const auto& aliases = module.GetNamespaceAliases();
    for (int32_t i = aliases.GetSize(); i-- > 0;) {
      CNamespaceAlias* alias = aliases[i].Get();
      Core::String stylesheetUri = alias->GetStylesheetNamespace();
      Core::String ignored;
      if (table->Lookup(stylesheetUri, ignored, true))
        ThrowAt(root, alias, CXsltException::DuplicateNamespaceAlias, stylesheetUri);
      table->Add(stylesheetUri, alias->GetResultNamespace());
    }
  });
}

void RegisterAttributeSets(CContext& root, CStylesheet& principal) {
  CAttributeSetTable* table = root.GetAttributeSetTable();
  VisitModules(principal, [&](CStylesheet& module) {
    table->ResolveAll();
    const auto& sets = module.GetAttributeSets();
    for (int32_t i = sets.GetSize(); i-- > 0;) table->Add(sets[i].Get());
  });
}

// A name may be declared in several modules only with the same symbols; the
// first declaration (of highest import precedence) is the one kept.
void RegisterDecimalFormats(CContext& root, CStylesheet& principal) {
  CDecimalFormatTable* table = root.GetDecimalFormatTable();
  VisitModules(principal, [&](CStylesheet& module) {
    const auto& formats = module.GetDecimalFormats();
    for (int32_t i = 0, n = formats.GetSize(); i < n; ++i) {
      CDecimalFormat* format = formats[i].Get();
      CExpandedName* name = format->GetName();
      Core::String namespaceUri = name ? name->GetNamespaceUri() : Core::String();
      Core::String localName = name ? name->GetLocalName() : Core::String();
      if (CDecimalFormat* known = table->Lookup(namespaceUri, localName)) {
        if (!known->Equals(*format))
          ThrowAt(root, format, CXsltException::DuplicateDecimalFormatName, namespaceUri, localName);
        continue;
      }
      table->Add(format);
    }
  });
}

// xsl:output of all modules: a setting given by a module of higher import
// precedence stays; within one module the declaration that comes last wins,
// and a setting given twice is recoverable error 33.
void MergeOutputDeclarations(CContext& root, CStylesheet& principal) {
  CPrivateOutputOptions* options = root.GetOutputOptions();
  enum EState { Open, Taken, SetHere };
  enum ESetting { Method, Version, Encoding, OmitXmlDeclaration, Standalone, DoctypePublic, DoctypeSystem, Indent,
                  MediaType, SettingCount };
  static const char16_t* const kNames[SettingCount] = {u"method", u"version", u"encoding", u"omit-xml-declaration",
                                                       u"standalone", u"doctype-public", u"doctype-system", u"indent",
                                                       u"media-type"};
  VisitModules(principal, [&](CStylesheet& module) {
    EState states[SettingCount];
    {
      uint32_t method = 0;
      Core::String text, uri;
      bool flag = false;
      states[Method] = options->GetMethod(method) || options->GetMethodName(uri, text) ? Taken : Open;
      states[Version] = options->GetVersion(text) ? Taken : Open;
      states[Encoding] = options->GetEncoding(text) ? Taken : Open;
      states[OmitXmlDeclaration] = options->GetOmitXmlDeclaration(flag) ? Taken : Open;
      states[Standalone] = options->GetStandalone(flag) ? Taken : Open;
      states[DoctypePublic] = options->GetDoctypePublic(text) ? Taken : Open;
      states[DoctypeSystem] = options->GetDoctypeSystem(text) ? Taken : Open;
      states[Indent] = options->GetIndent(flag) ? Taken : Open;
      states[MediaType] = options->GetMediaType(text) ? Taken : Open;
    }
    const auto& outputs = module.GetOutputs();
    for (int32_t i = outputs.GetSize(); i-- > 0;) {
      COutput* output = outputs[i].Get();
      // True when the declaration's value is to be stored.
      auto claim = [&](ESetting setting) {
        switch (states[setting]) {
        case Taken:
          return false;
        case SetHere: {
          Core::XInterface<CContext> at(new CContext(root, output, false));
          at->ReportError(CXsltException::DuplicateOutputAttribute, kNames[setting]);
          return false;
        }
        default:
          states[setting] = SetHere;
          return true;
        }
      };
      int32_t kind = 0, code = 0;
      Core::String text;
      CExpandedName* methodName = output->GetMethodName();
      if ((output->GetMethod(kind) || methodName) && claim(Method)) {
        if (methodName) options->SetMethodName(methodName->NamespaceUri(), methodName->LocalName());
        else options->SetMethod(uint32_t(kind));
      }
      if (output->GetVersion(text) && claim(Version)) options->SetVersion(text);
      if (output->GetEncoding(text) && claim(Encoding)) options->SetEncoding(text);
      if (output->GetOmitXmlDeclaration(code) && claim(OmitXmlDeclaration))
        options->SetOmitXmlDeclaration(code == COutput::Yes);
      if (output->GetStandalone(code) && claim(Standalone)) options->SetStandalone(code == COutput::Yes);
      if (output->GetDoctypePublic(text) && claim(DoctypePublic)) options->SetDoctypePublic(text);
      if (output->GetDoctypeSystem(text) && claim(DoctypeSystem)) options->SetDoctypeSystem(text);
      if (output->GetIndent(code) && claim(Indent)) options->SetIndent(code == COutput::Yes);
      if (output->GetMediaType(text) && claim(MediaType)) options->SetMediaType(text);
      for (int32_t j = 0, n = output->GetCdataSectionElementCount(); j < n; ++j) {
        CExpandedName* name = output->GetCdataSectionElement(j);
        options->AddCdataSectionElement(name->NamespaceUri(), name->LocalName());
      }
    }
  });
}

// Every declaration of a key name is registered; all of them count.
void RegisterKeys(CContext& root, CStylesheet& principal, CKeyHandlers& handlers) {
  Xslt::CDataSet* dataSet = root.GetDataSet();
  VisitModules(principal, [&](CStylesheet& module) {
    const auto& keys = module.GetKeys();
    for (int32_t i = 0, n = keys.GetSize(); i < n; ++i) {
      CKey* key = keys[i].Get();
      CExpandedName* name = key->GetName();
      Core::XInterface<CPrivateKeyHandler> handler(new CPrivateKeyHandler(key, &root));
      handlers.push_back(handler);
      dataSet->AddKey(name->NamespaceUri(), name->LocalName(), handler.Get());
    }
  });
}

void RegisterGlobalVariables(CContext& root, CStylesheet& principal, const CParamList& external) {
  CTopLevelVariableTable* table = root.GetTopLevelVariableTable();
  VisitModules(principal, [&](CStylesheet& module) {
    table->MarkImportBoundary();
    const auto& params = module.GetParams();
    for (int32_t i = 0, n = params.GetSize(); i < n; ++i) {
      CParam* param = params[i].Get();
      CExpandedName* name = param->GetName();
      if (!table->AddParam(param, external.Find(name->NamespaceUri(), name->LocalName())))
        ThrowAt(root, param, CXsltException::DuplicateVariableName, name->NamespaceUri(), name->LocalName());
    }
    const auto& variables = module.GetVariables();
    for (int32_t i = 0, n = variables.GetSize(); i < n; ++i) {
      CVariable* variable = variables[i].Get();
      CExpandedName* name = variable->GetName();
      if (!table->AddVariable(variable))
        ThrowAt(root, variable, CXsltException::DuplicateVariableName, name->NamespaceUri(), name->LocalName());
    }
  });
}

void BindExternalParams(CContext& root, Xslt::CExternalParamList* parameters, CParamList& list) {
  for (int32_t i = 0, n = parameters ? parameters->GetCount() : 0; i < n; ++i) {
    Core::String qualifiedName, namespaceUri, localName;
    Xpath::CValue* value = nullptr;
    parameters->GetItem(i, qualifiedName, namespaceUri, localName, value);
    if (!qualifiedName.empty()) root.ResolveQName(qualifiedName, namespaceUri, localName, false);
    list.Add(namespaceUri, localName, value);
  }
}

CTemplate* FindImportedTemplate(CStylesheet& module, CContext& context, const CExpandedName* mode);

// The best rule of the module: the highest priority, the later template of
// two with the same (and error 23); rules of different modules never clash.
CTemplate* FindTemplate(CStylesheet& module, CContext& context, const CExpandedName* mode) {
  Dom::XNode node = context.GetCurrentNode();
  if (!node) return nullptr;
  CTemplate* chosen = nullptr;
  double best = 0;
  bool ambiguous = false;
  {
    CRunMatchContext matchContext(context);
    const auto& templates = module.GetTemplates();
    module.GetTemplateIndex().ForEachCandidate(mode, node.Get(), [&](int32_t i) {
      CTemplate* rule = templates[i].Get();
      double priority = 0;
      if (!rule->Match(matchContext, mode, priority)) return;
      if (!chosen || priority > best) {
        chosen = rule;
        best = priority;
        ambiguous = false;
      } else if (priority == best) {
        chosen = rule;
        ambiguous = true;
      }
    });
  }
  if (ambiguous) context.ReportError(CXsltException::MultipleMatchingTemplateRules);
  return chosen ? chosen : FindImportedTemplate(module, context, mode);
}

CTemplate* FindImportedTemplate(CStylesheet& module, CContext& context, const CExpandedName* mode) {
  const auto& imports = module.GetImports();
  for (int32_t i = imports.GetSize(); i-- > 0;)
    if (CTemplate* rule = FindTemplate(*imports[i], context, mode)) return rule;
  return nullptr;
}

void RunTemplate(CTemplate* rule, CContext& context, const CParamList& parameters) {
  Core::XInterface<CContext> child(new CContext(context, rule, true));
  rule->Execute(*child, parameters);
  child->EndScope();
}

// Children of an element or the root go through template dispatch again,
// from the principal stylesheet's rules (also after xsl:apply-imports), in
// the same mode and without parameters.
void ApplyBuiltInElementRule(CContext& context, const CExpandedName* mode) {
  CTopLevelContext* run = context.GetTopLevelContext();
  CStylesheet* principal = context.GetStylesheet();
  if (!run->EnterNesting()) context.ThrowError(CXsltException::RecursionTooDeep, u"built-in template rule");
  struct CLeave {
    CTopLevelContext* run;
    ~CLeave() { run->LeaveNesting(); }
  } leave{run};
  Core::XInterface<CContext> rule(new CContext(context, principal, false));
  Core::XInterface<Xpath::CValue> children = rule->Evaluate(principal->GetDefaultExpression());
  Core::XInterface<Xpath::CIterator> iterator = children->GetNodeSet()->CreateIterator();
  Core::XInterface<CContext> list(new CContext(*rule, iterator.Get()));
  CParamList none;
  for (; iterator->GetNode(); iterator->Next()) principal->ApplyTemplates(*list, mode, none);
  list->EndScope();
  rule->EndScope();
}

void ApplyBuiltInRule(CContext& context, const CExpandedName* mode) {
  Dom::XNode node = context.GetCurrentNode();
  if (!node) return;
  switch (node->GetNodeType()) {
  case Dom::ELEMENT_NODE:
  case Dom::DOCUMENT_NODE:
    ApplyBuiltInElementRule(context, mode);
    break;
  case Dom::ATTRIBUTE_NODE:
  case Dom::TEXT_NODE:
  case Dom::CDATA_SECTION_NODE: {
    Core::StringView text = node->ValueView();
    if (!text.empty()) context.Characters(text);
    break;
  }
  default:
    break;
  }
}

} // namespace

void CStylesheet::Run(Core::StringView sourceUri, Xslt::CInputHandler* inputHandler, const Dom::XNode& sourceNode,
                      Xslt::CLocationHandler* locationHandler, Xslt::COutputHandler* outputHandler,
                      Xslt::CExternalParamList* parameters, const std::function<void()>& sourceRead) {
  Core::XInterface<CTopLevelContext> run(new CTopLevelContext(this, locationHandler, m_implementation.Get()));
  // Values of the run may hold its contexts, which hold the run: whatever
  // way the run ends, the values go first.
  CKeyHandlers keys;
  struct CShutdown {
    CTopLevelContext* run;
    CKeyHandlers& keys;
    ~CShutdown() {
      run->Shutdown();
      for (const Core::XInterface<CPrivateKeyHandler>& key : keys) key->EndRun();
    }
  } shutdown{run.Get(), keys};
  Core::XInterface<COutputElementStack> output(new COutputElementStack(outputHandler));
  Core::XInterface<CContext> root(new CContext(run.Get(), output.Get()));

  CParamList external;
  BindExternalParams(*root, parameters, external);
  RegisterNamedTemplates(*root, *this);
  RegisterNamespaceAliases(*root, *this);
  RegisterAttributeSets(*root, *this);
  RegisterDecimalFormats(*root, *this);
  MergeOutputDeclarations(*root, *this);
  output->SetOutputOptions(root->GetOutputOptions());
  RegisterKeys(*root, *this, keys);
  RegisterGlobalVariables(*root, *this, external);

  root->LoadSourceDocument(sourceUri, inputHandler, sourceNode);
  if (sourceRead) sourceRead();
  run->GetTopLevelVariableTable()->EvaluateAll(*root);
  root->StartDocument();
  CParamList none;
  ApplyTemplates(*root, nullptr, none);
  root->EndDocument();
  root->EndScope();
}

void CStylesheet::ApplyTemplates(CContext& context, const CExpandedName* mode, const CParamList& parameters) {
  if (CTemplate* rule = FindTemplate(*this, context, mode)) RunTemplate(rule, context, parameters);
  else ApplyBuiltInRule(context, mode);
}

void CStylesheet::ApplyImports(CContext& context, const CExpandedName* mode) {
  if (CTemplate* rule = FindImportedTemplate(*this, context, mode)) {
    CParamList none;
    RunTemplate(rule, context, none);
  } else {
    ApplyBuiltInRule(context, mode);
  }
}

} // namespace XsltPrivate
