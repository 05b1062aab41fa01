#pragma once
// What a pattern match may ask of the run: the view of one run-time context
// that template dispatch, xsl:key indexing and xsl:number hand to the
// patterns. It lives for one match (or one walk) on its maker's stack.
#include <cstdint>

#include "core/String.h"
#include "xml/tree/Dom.h"

namespace Xpath {
class CContext;
}
namespace XpathPrivate {
class CEvaluationCache;
}

namespace XsltPrivate {

class CMatchContext {
public:
  virtual ~CMatchContext() = default;

  // The XPath context of the run context, built on the first request and
  // kept: every later request gives the same object (no use added).
  virtual Xpath::CContext* GetXpathContext() = 0;
  // The run context's current node.
  virtual Dom::XNode GetCurrentNode() = 0;
  // The prefix in the namespace declarations the run context gives XPath
  // evaluation; false when it is not declared.
  virtual bool GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) = 0;
  // The value of the element's attribute of type ID; false when it has
  // none or the run has no ID handler.
  virtual bool GetElementId(const Dom::XNode& node, Core::String& id) = 0;
  // Whether the node's values under the named key include the value exactly;
  // false when the run has no key of that name.
  virtual bool IsInKey(const Dom::XNode& node, Core::StringView keyNamespaceUri, Core::StringView keyLocalName,
                       Core::StringView value) = 0;
  // The name hash (XsltPrivate::HashLocalName) of the current node's local
  // name when it is an element, -1 for every other node.
  virtual int32_t GetNameHash() = 0;
  // Where the predicates of patterns keep, across the matches of a run, the
  // operands that depend on nothing but the document (a lasting cache);
  // null: each test evaluates them afresh.
  virtual XpathPrivate::CEvaluationCache* GetPatternCache() { return nullptr; }
};

} // namespace XsltPrivate
