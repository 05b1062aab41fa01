#pragma once
// The steps of a location path pattern: a child or attribute step (axis,
// node test, predicates) or the descendant-or-self step that "//" stands
// for. A step is asked whether one node satisfies it; the pattern climbs
// from there.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xpath/Context.h"
#include "xpath/NodeTest.h"
#include "xpath/PathExpr.h"

namespace XsltPrivate {

class CMatchContext;

// A name test whose prefix was resolved when the pattern was compiled: a
// QName test, or prefix:* (no local name). Matching needs no context.
class CExpandedNameTest final : public Xpath::CNodeTest {
public:
  // For prefix:*.
  explicit CExpandedNameTest(Core::String namespaceUri) : m_namespaceUri(std::move(namespaceUri)), m_wildcard(true) {}
  CExpandedNameTest(Core::String namespaceUri, Core::String localName)
      : m_namespaceUri(std::move(namespaceUri)), m_localName(std::move(localName)), m_wildcard(false) {}

  int32_t GetKind() const override { return m_wildcard ? NamespaceWildcard : QName; }
  bool Match(Xpath::CContext* context, const Dom::CNode* node) const override;
  using Xpath::CNodeTest::Match;
  Core::String GetLocalName() const override { return m_localName; }
  const Core::String& GetNamespaceUri() const { return m_namespaceUri; }

private:
  Core::String m_namespaceUri;
  Core::String m_localName;
  bool m_wildcard;
};

class CStepPattern : public Core::CInterface {
public:
  virtual bool IsDescendantStep() const = 0;
  // namespaces resolve the prefixes of the predicates (those of the element
  // that owns the pattern); null leaves them to the match context's XPath
  // context.
  virtual bool Match(CMatchContext& context, const Dom::CNode* node,
                     Xpath::CNamespaceDeclarationSet* namespaces) const = 0;
  // Null for the descendant-or-self step.
  virtual Xpath::CStepExpr* GetStepExpr() const { return nullptr; }
};

// A child or attribute step: the node's type, then the node test, then the
// predicates in order, each seeing the size and position of the node among
// the nodes the step selects from the node's parent with the predicates
// before it.
class CTestStepPattern : public CStepPattern {
public:
  bool IsDescendantStep() const override { return false; }
  Xpath::CStepExpr* GetStepExpr() const override { return m_step.Get(); }

  // The step's axis and node test, without predicates.
  Xpath::CStepExpr* GetNodeTestStep() const { return m_nodeTestStep.Get(); }

protected:
  explicit CTestStepPattern(const Core::XInterface<Xpath::CStepExpr>& step);
  bool Test(CMatchContext& context, const Dom::CNode* node, Xpath::CNamespaceDeclarationSet* namespaces) const;

private:
  Core::XInterface<Xpath::CStepExpr> m_step;
  Core::XInterface<Xpath::CStepExpr> m_nodeTestStep;
  // A test with a prefix left for match time resolves it in the context.
  bool m_testNeedsContext;
};

class CChildStepPattern final : public CTestStepPattern {
public:
  explicit CChildStepPattern(const Core::XInterface<Xpath::CStepExpr>& step) : CTestStepPattern(step) {}
  // Elements, text, CDATA sections, processing instructions and comments.
  bool Match(CMatchContext& context, const Dom::CNode* node,
             Xpath::CNamespaceDeclarationSet* namespaces) const override;
};

class CAttributeStepPattern final : public CTestStepPattern {
public:
  explicit CAttributeStepPattern(const Core::XInterface<Xpath::CStepExpr>& step) : CTestStepPattern(step) {}
  bool Match(CMatchContext& context, const Dom::CNode* node,
             Xpath::CNamespaceDeclarationSet* namespaces) const override;
};

class CDescendantOrSelfStepPattern final : public CStepPattern {
public:
  bool IsDescendantStep() const override { return true; }
  bool Match(CMatchContext&, const Dom::CNode*, Xpath::CNamespaceDeclarationSet*) const override { return true; }
};

} // namespace XsltPrivate
