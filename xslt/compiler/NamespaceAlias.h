#pragma once
// A compiled xsl:namespace-alias: the namespace URIs the two prefixes are
// bound to ("#default" is the default namespace, or none).
#include "core/String.h"
#include "xslt/compiler/TopLevel.h"

namespace XsltPrivate {

class CNamespaceAlias : public CTopLevel {
public:
  void Compile(CStaticContext& context);

  Core::String GetStylesheetNamespace() const { return m_stylesheetNamespace; }
  Core::String GetResultNamespace() const { return m_resultNamespace; }
  // The result-prefix as written ("#default" for the default namespace).
  Core::String GetResultPrefix() const { return m_resultPrefix; }

private:
  Core::String m_stylesheetNamespace;
  Core::String m_resultNamespace;
  Core::String m_resultPrefix;
};

} // namespace XsltPrivate
