#include "xslt/compiler/StaticContext.h"

#include <unordered_map>

#include "core/Uri.h"
#include "xml/tree/Names.h"
#include "xml/xslt/LocationHandler.h"
#include "xml/xslt/StylesheetSpaceHandler.h"
#include "xpath/Number.h"
#include "xslt/compiler/Avt.h"
#include "xslt/processor/services/ErrorHandler.h"
#include "xslt/processor/services/XsltException.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace XsltPrivate {

using Core::String;
using Core::StringView;
using Core::XInterface;

// What every context of one module shares. It keeps the stylesheet
// document alive: handles of its elements do not.
class CStaticContext::CModule : public Core::CInterface {
public:
  Dom::XNode document;
  XInterface<Xslt::CLocationHandler> locationHandler;
  XInterface<Xslt::CXsltImplementation> implementation;
  XInterface<CStylesheetSpaceHandler> spaceHandler;
  XInterface<Core::CInterface> instructionFactory;
  // One namespace map per namespace scope of the document: elements without
  // declarations of their own share their parent's scope.
  std::unordered_map<const Dom::CNamespaceScope*, XInterface<CNamespaceMap>> namespaceMaps;
};

namespace {

// The parts of a qualified name as views into it: no copies.
void SplitQNameView(StringView qualifiedName, StringView& prefix, StringView& localName) {
  size_t colon = qualifiedName.find(u':');
  if (colon == StringView::npos) {
    prefix = StringView();
    localName = qualifiedName;
  } else {
    prefix = qualifiedName.substr(0, colon);
    localName = qualifiedName.substr(colon + 1);
  }
}

} // namespace

void SplitQName(StringView qualifiedName, String& prefix, String& localName) {
  StringView prefixView, localView;
  SplitQNameView(qualifiedName, prefixView, localView);
  prefix.assign(prefixView);
  localName.assign(localView);
}

namespace {

bool IsTokenSeparator(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

} // namespace

void SplitTokens(StringView text, std::vector<String>& tokens) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsTokenSeparator(text[i])) ++i;
    size_t start = i;
    while (i < text.size() && !IsTokenSeparator(text[i])) ++i;
    if (i > start) tokens.emplace_back(text.substr(start, i - start));
  }
}

CStaticContext::CStaticContext(const Dom::XNode& document, Xslt::CLocationHandler* locationHandler,
                               Xslt::CXsltImplementation* implementation)
    : m_module(new CModule),
      m_extensionNamespaces(new CNamespaceUriArray),
      m_excludedNamespaces(new CNamespaceUriArray) {
  m_module->document = document;
  m_module->locationHandler = locationHandler;
  m_module->implementation = implementation;
  m_module->spaceHandler = new CStylesheetSpaceHandler;
  Dom::XNode element = document ? document->GetDocumentElement() : Dom::XNode();
  m_node = element ? element : document;
  if (m_node && m_node->GetNodeType() == Dom::ELEMENT_NODE) ReadElementAttributes(true);
}

CStaticContext::CStaticContext(CStaticContext& parent, const Dom::XNode& node)
    : m_node(node),
      m_module(parent.m_module),
      m_forwardsCompatible(parent.m_forwardsCompatible),
      m_hasVersion(parent.m_hasVersion),
      m_version(parent.m_version),
      m_extensionNamespaces(parent.m_extensionNamespaces),
      m_excludedNamespaces(parent.m_excludedNamespaces) {
  if (m_node && m_node->GetNodeType() == Dom::ELEMENT_NODE) ReadElementAttributes(false);
}

CStaticContext::~CStaticContext() = default;

Xslt::CLocationHandler* CStaticContext::GetLocationHandler() const { return m_module->locationHandler.Get(); }
Xslt::CXsltImplementation* CStaticContext::GetImplementation() const { return m_module->implementation.Get(); }
CStylesheetSpaceHandler* CStaticContext::GetSpaceHandler() const { return m_module->spaceHandler.Get(); }

Xslt::CExtensionHandler* CStaticContext::GetExtensionHandler() const {
  Xslt::CXsltImplementation* implementation = m_module->implementation.Get();
  return implementation ? implementation->GetExtensionHandler() : nullptr;
}

Core::CInterface* CStaticContext::GetInstructionFactorySlot() const { return m_module->instructionFactory.Get(); }
void CStaticContext::SetInstructionFactorySlot(Core::CInterface* factory) { m_module->instructionFactory = factory; }

CNamespaceMap* CStaticContext::GetNamespaceMap() {
  if (m_namespaceMap) return m_namespaceMap.Get();
  const Dom::CNode* element = NearestElement(m_node.Get());
  const Dom::CNamespaceScope* scope = element ? element->NamespaceScope() : nullptr;
  XInterface<CNamespaceMap>& shared = m_module->namespaceMaps[scope];
  if (!shared) shared = new CNamespaceMap(m_node.Get());
  m_namespaceMap = shared;
  return m_namespaceMap.Get();
}

// ---- classification ------------------------------------------------------------

void CStaticContext::ReadElementAttributes(bool root) {
  const Dom::CNode* element = m_node.Get();
  m_isXsltElement = element->NamespaceUriView() == XsltNamespaceUri;
  // XSLT elements carry these attributes plainly, every other element in the
  // XSLT namespace.
  StringView attributeNamespace = m_isXsltElement ? StringView() : XsltNamespaceUri;
  if (root || !m_isXsltElement) {
    m_extensionNamespaces =
        GetPrefixListAttribute(m_extensionNamespaces, attributeNamespace, u"extension-element-prefixes");
  }
  m_isExtensionElement = m_extensionNamespaces->Contains(element->NamespaceUriView());
  m_isLiteralResultElement = !m_isXsltElement && !m_isExtensionElement;
  if (root || m_isLiteralResultElement) {
    String version;
    if (GetAttributeNS(attributeNamespace, u"version", version)) {
      m_forwardsCompatible = version != u"1.0";
      m_hasVersion = true;
      m_version = std::move(version);
    } else if (root && m_isLiteralResultElement) {
      // A simplified stylesheet without xsl:version.
      m_forwardsCompatible = true;
    }
    m_excludedNamespaces =
        GetPrefixListAttribute(m_excludedNamespaces, attributeNamespace, u"exclude-result-prefixes");
  }
}

XInterface<CNamespaceUriArray> CStaticContext::GetPrefixListAttribute(const XInterface<CNamespaceUriArray>& inherited,
                                                                      StringView namespaceUri, StringView name) {
  String value;
  if (!GetAttributeNS(namespaceUri, name, value)) return inherited;
  XInterface<CNamespaceUriArray> list = new CNamespaceUriArray;
  list->AddAll(*inherited);
  std::vector<String> tokens;
  SplitTokens(value, tokens);
  for (const String& token : tokens) list->Add(ResolvePrefix(token));
  return list;
}

// ---- attributes ----------------------------------------------------------------

const Dom::CNode* CStaticContext::FindAttribute(StringView name) const {
  const Dom::CNode* element = m_node.Get();
  if (!element) return nullptr;
  int32_t count = element->AttributeCount();
  for (int32_t i = 0; i < count; ++i) {
    const Dom::CNode* attribute = element->AttributeAt(i);
    if (attribute->NodeNameView() == name) return attribute;
  }
  return nullptr;
}

bool CStaticContext::GetAttributeNS(StringView namespaceUri, StringView localName, String& value) const {
  if (namespaceUri.empty()) {
    const Dom::CNode* attribute = FindAttribute(localName);
    if (!attribute) return false;
    value.assign(attribute->ValueView());
    return true;
  }
  const Dom::CNode* element = m_node.Get();
  if (!element) return false;
  // Usually no attribute or a single one qualifies; only several (one name
  // under two prefixes of the same URI) need the namespace-map order.
  const Dom::CNode* found = nullptr;
  int32_t matches = 0;
  int32_t count = element->AttributeCount();
  for (int32_t i = 0; i < count; ++i) {
    const Dom::CNode* attribute = element->AttributeAt(i);
    if (attribute->LocalNameView() == localName && attribute->NamespaceUriView() == namespaceUri) {
      if (!found) found = attribute;
      ++matches;
    }
  }
  if (matches > 1) {
    const Dom::CNamespaceScope* scope = element->NamespaceScope();
    for (int32_t k = 0; scope && k < scope->GetCount(); ++k) {
      const Dom::CNamespaceNode* entry = scope->GetItem(k);
      StringView prefix(entry->prefix, entry->prefixLength);
      if (prefix.empty() || StringView(entry->namespaceUri, entry->uriLength) != namespaceUri) continue;
      String qualifiedName(prefix);
      qualifiedName += u':';
      qualifiedName += localName;
      if (const Dom::CNode* attribute = FindAttribute(qualifiedName)) {
        found = attribute;
        break;
      }
    }
  }
  if (!found) return false;
  value.assign(found->ValueView());
  return true;
}

const Dom::CNode* CStaticContext::FindRequiredAttribute(StringView name, bool required) {
  const Dom::CNode* attribute = FindAttribute(name);
  if (!attribute && required) ThrowError(ErrorMissingAttribute, name);
  return attribute;
}

bool CStaticContext::GetRequiredAttribute(StringView name, String& value, bool required) {
  const Dom::CNode* attribute = FindRequiredAttribute(name, required);
  if (!attribute) return false;
  value.assign(attribute->ValueView());
  return true;
}

bool CStaticContext::GetAttribute(StringView name, String& value, bool required) {
  return GetRequiredAttribute(name, value, required);
}

String CStaticContext::GetAttributeOrDefault(StringView name, StringView defaultValue) {
  String value;
  if (!GetRequiredAttribute(name, value, false)) value.assign(defaultValue);
  return value;
}

bool CStaticContext::GetUriAttribute(StringView name, String& uri, bool required) {
  String value;
  if (!GetRequiredAttribute(name, value, required)) return false;
  uri = ResolveUri(value);
  return true;
}

XInterface<CExpandedName> CStaticContext::GetQNameAttribute(StringView name, bool useDefault, bool required) {
  const Dom::CNode* attribute = FindRequiredAttribute(name, required);
  return attribute ? ResolveQName(attribute->ValueView(), useDefault) : nullptr;
}

bool CStaticContext::GetPrefixAttribute(StringView name, String& namespaceUri, bool required) {
  String value;
  if (!GetRequiredAttribute(name, value, required)) return false;
  namespaceUri = ResolvePrefix(value);
  return true;
}

XInterface<Xslt::CAvt> CStaticContext::CompileAvtAttribute(StringView name, const char16_t* defaultText,
                                                          bool required) {
  String value;
  if (GetRequiredAttribute(name, value, required)) return CompileAvt(value);
  if (defaultText) return CompileAvt(defaultText);
  return nullptr;
}

bool CStaticContext::GetTokenListAttribute(StringView name, std::vector<String>& tokens, bool required) {
  tokens.clear();
  String value;
  if (!GetRequiredAttribute(name, value, required)) return false;
  SplitTokens(value, tokens);
  return true;
}

namespace {

void ResolveQNameList(CStaticContext& context, StringView value, std::vector<XInterface<CExpandedName>>& names,
                      bool useDefault) {
  std::vector<String> tokens;
  SplitTokens(value, tokens);
  names.reserve(tokens.size());
  for (const String& token : tokens) names.push_back(context.ResolveQName(token, useDefault));
}

} // namespace

bool CStaticContext::GetQNameListAttribute(StringView name, std::vector<XInterface<CExpandedName>>& names,
                                           bool useDefault, bool required) {
  names.clear();
  String value;
  if (!GetRequiredAttribute(name, value, required)) return false;
  ResolveQNameList(*this, value, names, useDefault);
  return true;
}

bool CStaticContext::GetXsltQNameListAttribute(StringView localName, std::vector<XInterface<CExpandedName>>& names,
                                               bool useDefault, bool required) {
  names.clear();
  String value;
  if (!GetAttributeNS(XsltNamespaceUri, localName, value)) {
    if (required) ThrowError(ErrorMissingAttribute, localName);
    return false;
  }
  ResolveQNameList(*this, value, names, useDefault);
  return true;
}

int32_t CStaticContext::GetEnumAttribute(StringView name, const CEnumItem* table, int32_t defaultValue,
                                         bool required) {
  String value;
  if (!GetRequiredAttribute(name, value, required)) return defaultValue;
  for (const CEnumItem* row = table; row->text; ++row) {
    if (value == row->text) return row->value;
  }
  ThrowError(ErrorInvalidAttributeValue, name, value);
}

bool CStaticContext::GetYesNoAttribute(StringView name, bool defaultValue, bool required) {
  static const CEnumItem kYesNo[] = {{u"yes", 1}, {u"no", 0}, {nullptr, 0}};
  return GetEnumAttribute(name, kYesNo, defaultValue ? 1 : 0, required) != 0;
}

bool CStaticContext::GetNumberAttribute(StringView name, double& number, bool required) {
  String value;
  if (!GetRequiredAttribute(name, value, required)) return false;
  Xpath::CNumber parsed;
  if (!Xpath::CNumber::FromString(value, parsed)) {
    number = 0;
    ThrowError(ErrorInvalidAttributeValue, name, value);
  }
  number = parsed.GetValue();
  return true;
}

// ---- names and URIs --------------------------------------------------------------

XInterface<CExpandedName> CStaticContext::ResolveQName(StringView qualifiedName, bool useDefault) {
  StringView prefix, localName;
  SplitQNameView(qualifiedName, prefix, localName);
  if (prefix.empty() && useDefault) prefix = u"#default";
  String namespaceUri;
  if (!prefix.empty()) namespaceUri = ResolvePrefix(prefix);
  return new CExpandedName(std::move(namespaceUri), String(localName));
}

String CStaticContext::ResolvePrefix(StringView prefix) {
  const Dom::CNode* element = NearestElement(m_node.Get());
  const Dom::CNamespaceScope* scope = element ? element->NamespaceScope() : nullptr;
  bool isDefault = prefix == u"#default";
  const Dom::CNamespaceNode* entry = scope ? scope->Find(isDefault ? StringView() : prefix) : nullptr;
  if (entry && !isDefault && entry->uriLength == 0) entry = nullptr;
  if (entry) return String(entry->namespaceUri, entry->uriLength);
  if (isDefault) return String();
  ThrowError(ErrorUndefinedPrefix, prefix);
}

String CStaticContext::ResolveUri(StringView reference) {
  Uri::CUri parsed;
  try {
    parsed.Parse(reference);
  } catch (const Uri::CUriException& e) {
    ThrowError(ErrorInvalidUriSyntax, reference, e.GetMessage());
  }
  if (parsed.IsAbsolute()) return String(reference);
  String base;
  Xslt::CLocationHandler* locationHandler = m_module->locationHandler.Get();
  if (!m_node || !locationHandler || !locationHandler->GetBaseUri(m_node->GetIdentity(), base)) {
    ThrowError(ErrorCannotResolveUri, reference);
  }
  Uri::CUri baseUri;
  try {
    baseUri.Parse(base);
  } catch (const Uri::CUriException& e) {
    ThrowError(ErrorInvalidUriSyntax, base, e.GetMessage());
  }
  String result;
  try {
    baseUri.Resolve(result, reference);
  } catch (const Uri::CUriException&) {
    ThrowError(ErrorCannotResolveUri, reference);
  }
  return result;
}

XInterface<Xslt::CAvt> CStaticContext::CompileAvt(StringView text) {
  XInterface<CPrivateAvt> avt = new CPrivateAvt;
  avt->Parse(*this, text);
  return avt;
}

// ---- errors ----------------------------------------------------------------------

namespace {

Xslt::CXsltException MakeException(const Dom::XNode& node, int32_t code, StringView argument1,
                                   StringView argument2) {
  Dom::CNodeIdentity identity = node ? node->GetIdentity() : Dom::CNodeIdentity{0, 0};
  String name = node ? String(node->NodeNameView()) : String();
  return Xslt::CXsltException(code, identity, std::move(name), String(argument1), String(argument2));
}

} // namespace

void CStaticContext::ThrowError(int32_t code, StringView argument1, StringView argument2) {
  Xslt::CXsltException exception = MakeException(m_node, code, argument1, argument2);
  Xslt::CXsltImplementation* implementation = m_module->implementation.Get();
  if (Xslt::CErrorHandler* handler = implementation ? implementation->GetErrorHandler() : nullptr) {
    handler->Report(2, exception, m_module->locationHandler.Get());
  }
  throw exception;
}

void CStaticContext::ReportExtensionError(StringView text) {
  Xslt::CXsltException exception = MakeException(m_node, ErrorExtensionText, text, {});
  Xslt::CXsltImplementation* implementation = m_module->implementation.Get();
  if (Xslt::CErrorHandler* handler = implementation ? implementation->GetErrorHandler() : nullptr) {
    handler->Report(2, exception, m_module->locationHandler.Get());
  }
}

} // namespace XsltPrivate
