#pragma once
// A compiled xsl:key: name, match pattern and use expression.
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/Expr.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Pattern.h"
#include "xslt/compiler/TopLevel.h"

namespace XsltPrivate {

class CContext;

class CKey : public CTopLevel {
public:
  void Compile(CStaticContext& context);

  CExpandedName* GetName() const { return m_name.Get(); }
  CPattern* GetMatch() const { return m_match.Get(); }
  Xpath::CExpr* GetUse() const { return m_use.Get(); }

  // The use values of the node: none unless the node matches the pattern;
  // the string value of each node of a node-set result, else the result as
  // a string. Both are evaluated in a child of the context over the node.
  // declaration holds the child for the declaration between calls: one
  // made anew for each node of an index would cost more than the match.
  void GetKeyValues(const Dom::XNode& node, CContext& context, std::vector<Core::String>& values,
                    Core::XInterface<CContext>& declaration);
  // The key's values were asked for again while the node's were being worked
  // out: fatal error 60, reported at the declaration and the node.
  [[noreturn]] void ThrowCircular(const Dom::XNode& node, CContext& context);

private:
  Core::XInterface<CExpandedName> m_name;
  Core::XInterface<CPattern> m_match;
  Core::XInterface<Xpath::CExpr> m_use;
};

} // namespace XsltPrivate
