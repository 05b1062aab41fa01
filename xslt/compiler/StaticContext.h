#pragma once
// The compile-time view of one stylesheet element: the element, its
// classification (XSLT element, extension element, literal result element),
// what XSLT lets it inherit from its ancestors (forwards-compatible mode and
// version, extension and excluded namespaces), and the readers of
// attributes, QNames, prefixes and URIs that every compile step shares, with
// their static errors. A static error is reported at the element and then
// thrown as Xslt::CXsltException, which ends the compilation.
//
// A module's root element gets the first constructor; every other node a
// child context made from its parent's.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/Expr.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/NamespaceMap.h"

namespace Xslt {
class CAvt;
class CExtensionHandler;
class CLocationHandler;
class CXsltImplementation;
} // namespace Xslt

namespace XsltPrivate {

class CInstructionFactory;
class CPattern;
class CStylesheetSpaceHandler;

// The XSLT namespace of XSLT 1.0.
inline constexpr Core::StringView XsltNamespaceUri = u"http://www.w3.org/1999/XSL/Transform";

// Static error codes raised here (the message table is Xslt::CXsltException's).
enum : int32_t {
  ErrorMissingAttribute = 5,
  ErrorInvalidAttributeValue = 6,
  ErrorInvalidExpressionSyntax = 7,
  ErrorInvalidAvtSyntax = 8,
  ErrorUndefinedPrefix = 9,
  ErrorInvalidUriSyntax = 17,
  ErrorCannotResolveUri = 18,
  ErrorExtensionText = 55,
};

// A row of an enumerated attribute's table; the table ends with a null text.
struct CEnumItem {
  const char16_t* text;
  int32_t value;
};

// Splits at the first ":"; no colon gives an empty prefix. The parts are not
// checked for being names.
void SplitQName(Core::StringView qualifiedName, Core::String& prefix, Core::String& localName);
// Whitespace-separated tokens (space, tab, CR, LF) in order; none is empty.
void SplitTokens(Core::StringView text, std::vector<Core::String>& tokens);

class CStaticContext : public Core::CInterface {
public:
  // For a module's root: the document element of the document, a new
  // stylesheet space handler and empty namespace lists.
  CStaticContext(const Dom::XNode& document, Xslt::CLocationHandler* locationHandler,
                 Xslt::CXsltImplementation* implementation);
  // For a child node of the parent's element.
  CStaticContext(CStaticContext& parent, const Dom::XNode& node);
  ~CStaticContext() override;

  CStaticContext(const CStaticContext&) = delete;
  CStaticContext& operator=(const CStaticContext&) = delete;

  // ---- queries
  Dom::XNode GetNode() const { return m_node; }
  const Dom::CNode* GetElement() const { return m_node.Get(); }
  Xslt::CLocationHandler* GetLocationHandler() const;
  Xslt::CXsltImplementation* GetImplementation() const;
  Xslt::CExtensionHandler* GetExtensionHandler() const;
  CStylesheetSpaceHandler* GetSpaceHandler() const;
  bool IsXsltElement() const { return m_isXsltElement; }
  bool IsExtensionElement() const { return m_isExtensionElement; }
  bool IsLiteralResultElement() const { return m_isLiteralResultElement; }
  bool IsForwardsCompatible() const { return m_forwardsCompatible; }
  bool HasVersion() const { return m_hasVersion; }
  const Core::String& GetVersion() const { return m_version; }
  Core::String GetXsltNamespaceUri() const { return Core::String(XsltNamespaceUri); }
  CNamespaceUriArray* GetExtensionNamespaces() const { return m_extensionNamespaces.Get(); }
  CNamespaceUriArray* GetExcludedNamespaces() const { return m_excludedNamespaces.Get(); }
  // The namespaces in scope at the element. Elements that share their
  // declarations share one map.
  CNamespaceMap* GetNamespaceMap();

  // The module's instruction factory, shared by every context of the
  // module; the module reader puts it on the root context.
  template <class TFactory = CInstructionFactory>
  TFactory* GetInstructionFactory() const {
    return static_cast<TFactory*>(GetInstructionFactorySlot());
  }
  template <class TFactory>
  void SetInstructionFactory(TFactory* factory) {
    SetInstructionFactorySlot(factory);
  }

  // ---- attribute readers (name as written on the element, e.g. "select").
  // A missing attribute with required set is static error 5.
  bool GetAttribute(Core::StringView name, Core::String& value, bool required = false);
  Core::String GetAttributeOrDefault(Core::StringView name, Core::StringView defaultValue);
  // Resolved against the element's base URI (errors 17, 18).
  bool GetUriAttribute(Core::StringView name, Core::String& uri, bool required = false);
  // Null when absent; error 9 for an undeclared prefix.
  Core::XInterface<CExpandedName> GetQNameAttribute(Core::StringView name, bool useDefault, bool required = false);
  // The namespace URI of the prefix the attribute names.
  bool GetPrefixAttribute(Core::StringView name, Core::String& namespaceUri, bool required = false);
  // Absent: the default text compiled the same way, or null without one.
  Core::XInterface<Xpath::CExpr> CompileExpressionAttribute(Core::StringView name,
                                                            const char16_t* defaultText = nullptr,
                                                            bool required = false);
  Core::XInterface<CPattern> CompilePatternAttribute(Core::StringView name, const char16_t* defaultText = nullptr,
                                                     bool required = false);
  Core::XInterface<Xslt::CAvt> CompileAvtAttribute(Core::StringView name, const char16_t* defaultText = nullptr,
                                                   bool required = false);
  bool GetTokenListAttribute(Core::StringView name, std::vector<Core::String>& tokens, bool required = false);
  bool GetQNameListAttribute(Core::StringView name, std::vector<Core::XInterface<CExpandedName>>& names,
                             bool useDefault, bool required = false);
  // The attribute of that local name in the XSLT namespace (for example
  // xsl:use-attribute-sets on a literal result element).
  bool GetXsltQNameListAttribute(Core::StringView localName, std::vector<Core::XInterface<CExpandedName>>& names,
                                 bool useDefault, bool required = false);
  // The value of the row whose text equals the attribute exactly; another
  // value is static error 6.
  int32_t GetEnumAttribute(Core::StringView name, const CEnumItem* table, int32_t defaultValue,
                           bool required = false);
  bool GetYesNoAttribute(Core::StringView name, bool defaultValue, bool required = false);
  // By the XPath number rules; a value that is no number leaves 0 and is
  // static error 6.
  bool GetNumberAttribute(Core::StringView name, double& number, bool required = false);

  // ---- names and URIs
  // "#default" with useDefault for an unprefixed name; error 9 for an
  // undeclared prefix.
  Core::XInterface<CExpandedName> ResolveQName(Core::StringView qualifiedName, bool useDefault);
  // "#default" is the default namespace (empty when none is declared).
  Core::String ResolvePrefix(Core::StringView prefix);
  // An empty namespace URI looks up the plain name; otherwise the element's
  // in-scope prefixes of that URI, in namespace-map order, are tried.
  bool GetAttributeNS(Core::StringView namespaceUri, Core::StringView localName, Core::String& value) const;
  Core::String ResolveUri(Core::StringView reference);
  Core::XInterface<Xslt::CAvt> CompileAvt(Core::StringView text);

  // ---- errors
  // Reports the error at the element with severity 2 and throws it.
  [[noreturn]] void ThrowError(int32_t code, Core::StringView argument1 = {}, Core::StringView argument2 = {});
  // Reports the text as error 55 and returns.
  void ReportExtensionError(Core::StringView text);

private:
  class CModule;

  void ReadElementAttributes(bool root);
  Core::XInterface<CNamespaceUriArray> GetPrefixListAttribute(const Core::XInterface<CNamespaceUriArray>& inherited,
                                                              Core::StringView namespaceUri, Core::StringView name);
  // The attribute node of that qualified name, or null.
  const Dom::CNode* FindAttribute(Core::StringView name) const;
  // The attribute node, or null when it is absent and not required; a
  // required one that is absent is a static error.
  const Dom::CNode* FindRequiredAttribute(Core::StringView name, bool required);
  bool GetRequiredAttribute(Core::StringView name, Core::String& value, bool required);
  Core::CInterface* GetInstructionFactorySlot() const;
  void SetInstructionFactorySlot(Core::CInterface* factory);

  Dom::XNode m_node;
  Core::XInterface<CModule> m_module;
  bool m_isXsltElement = false;
  bool m_isExtensionElement = false;
  bool m_isLiteralResultElement = false;
  bool m_forwardsCompatible = false;
  bool m_hasVersion = false;
  Core::String m_version;
  Core::XInterface<CNamespaceUriArray> m_extensionNamespaces;
  Core::XInterface<CNamespaceUriArray> m_excludedNamespaces;
  Core::XInterface<CNamespaceMap> m_namespaceMap;
};

} // namespace XsltPrivate
