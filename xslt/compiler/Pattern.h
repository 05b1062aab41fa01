#pragma once
// Compiled XSLT patterns (match of xsl:template and xsl:key, count and from
// of xsl:number): a union of location path patterns, each a start and a
// list of steps. A node is matched from itself upwards, right to left over
// the steps, never by evaluating the path from a root.
//
// Template dispatch groups the alternatives by what they can match
// (GetNodeTypes, GetLocalName, GetNameHash) and ranks them by
// GetDefaultPriority.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xslt/compiler/StartPattern.h"
#include "xslt/compiler/StepPattern.h"

namespace XsltPrivate {

class CMatchContext;

// h = h * 9 + unit over the UTF-16 units (unsigned 32-bit), top bit
// cleared: the name hash of patterns and of the node a match context is
// about.
int32_t HashLocalName(Core::StringView localName);

// The bit of one node type in a mask of node types.
constexpr uint32_t NodeTypeBit(int32_t nodeType) { return uint32_t(1) << nodeType; }

class CLocationPathPattern : public Core::CInterface {
public:
  explicit CLocationPathPattern(const Core::XInterface<CStartPattern>& start) : m_start(start) {}

  void AddStep(const Core::XInterface<CStepPattern>& step) { m_steps.push_back(step); }
  // The namespaces of the element that owns the pattern; its predicates
  // resolve their prefixes there.
  void SetNamespaces(Xpath::CNamespaceDeclarationSet* namespaces) { m_namespaces = namespaces; }

  CStartPattern* GetStart() const { return m_start.Get(); }
  int32_t GetStepCount() const { return static_cast<int32_t>(m_steps.size()); }
  CStepPattern* GetStep(int32_t index) const { return m_steps[static_cast<size_t>(index)].Get(); }

  // 0.5 for a start other than none, several steps or a predicate; else by
  // the single step's node test: 0 for a name or processing-instruction('x'),
  // -0.25 for prefix:*, -0.5 for the others.
  double GetDefaultPriority() const;
  // -1 unless the last step is a child step with a name test; then the hash
  // of its local name (HashLocalName). Computed on first request.
  int32_t GetNameHash() const;
  // The node types (NodeTypeBit) a matching node can have; 0 when none can
  // match.
  uint32_t GetNodeTypes() const;
  // The local name every matching node has (a child or attribute step with
  // a name test last); empty when there is none.
  Core::String GetLocalName() const;

  // Exceptions of predicates and of key and id lookups pass through.
  bool Match(CMatchContext& context, const Dom::XNode& node) const;

private:
  Core::XInterface<CStartPattern> m_start;
  std::vector<Core::XInterface<CStepPattern>> m_steps;
  Core::XInterface<Xpath::CNamespaceDeclarationSet> m_namespaces;
  mutable int32_t m_nameHash = -2;
};

class CPattern : public Core::CInterface {
public:
  void Add(const Core::XInterface<CLocationPathPattern>& alternative) { m_alternatives.push_back(alternative); }
  // Sets the namespaces of every alternative.
  void SetNamespaces(Xpath::CNamespaceDeclarationSet* namespaces);

  int32_t GetCount() const { return static_cast<int32_t>(m_alternatives.size()); }
  CLocationPathPattern* GetAt(int32_t index) const { return m_alternatives[static_cast<size_t>(index)].Get(); }

  // True when an alternative matches, trying them in source order.
  bool Match(CMatchContext& context, const Dom::XNode& node) const;

private:
  std::vector<Core::XInterface<CLocationPathPattern>> m_alternatives;
};

} // namespace XsltPrivate
