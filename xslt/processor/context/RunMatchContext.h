#pragma once
// The view of a run-time context that pattern matching gets: template
// dispatch, xsl:key indexing and xsl:number make one on the stack for the
// node they test (or the walk they make) and drop it when they return.
#include <cstdint>

#include "core/Interface.h"
#include "xpath/Context.h"
#include "xslt/processor/context/MatchContext.h"

namespace XsltPrivate {

class CContext;

class CRunMatchContext : public CMatchContext {
public:
  explicit CRunMatchContext(CContext& context);
  ~CRunMatchContext() override;

  CRunMatchContext(const CRunMatchContext&) = delete;
  CRunMatchContext& operator=(const CRunMatchContext&) = delete;

  // Built on the first request and kept for every predicate of the match.
  Xpath::CContext* GetXpathContext() override;
  Dom::XNode GetCurrentNode() override;
  bool GetNamespaceUri(Core::StringView prefix, Core::String& namespaceUri) override;
  bool GetElementId(const Dom::XNode& node, Core::String& id) override;
  bool IsInKey(const Dom::XNode& node, Core::StringView keyNamespaceUri, Core::StringView keyLocalName,
               Core::StringView value) override;
  int32_t GetNameHash() override { return m_nameHash; }
  XpathPrivate::CEvaluationCache* GetPatternCache() override;

private:
  Core::XInterface<CContext> m_context;
  Core::XInterface<Xpath::CContext> m_xpathContext;
  int32_t m_nameHash = -1;
};

} // namespace XsltPrivate
