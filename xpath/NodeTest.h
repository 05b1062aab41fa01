#pragma once
// Node tests of location steps: name tests (*, prefix:*, QName) and node-type
// tests. Prefixes are resolved through the evaluation context each time a
// candidate node needs it, so one compiled test serves any context.
#include <cstdint>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"

namespace Xpath {

class CContext;

class CNodeTest : public Core::CInterface {
public:
  enum : int32_t {
    Wildcard = 0,
    NamespaceWildcard = 1,
    QName = 2,
    Comment = 3,
    Text = 4,
    ProcessingInstruction = 5,
    ProcessingInstructionWithLiteral = 6,
    Node = 7,
  };

  virtual int32_t GetKind() const = 0;
  // Raises Xpath::CXpathException 13 when a prefix that the node needs is
  // not declared in the context.
  virtual bool Match(CContext* context, const Dom::CNode* node) const = 0;
  bool Match(CContext* context, const Dom::XNode& node) const { return Match(context, node.Get()); }
  // The local name of a QName test; empty for every other kind.
  virtual Core::String GetLocalName() const { return {}; }
};

} // namespace Xpath

namespace XpathPrivate {

class CWildcardNodeTest final : public Xpath::CNodeTest {
public:
  int32_t GetKind() const override { return Wildcard; }
  bool Match(Xpath::CContext* context, const Dom::CNode* node) const override;
  using Xpath::CNodeTest::Match;
};

class CNamespaceNodeTest final : public Xpath::CNodeTest {
public:
  explicit CNamespaceNodeTest(Core::String prefix) : m_prefix(std::move(prefix)) {}
  int32_t GetKind() const override { return NamespaceWildcard; }
  bool Match(Xpath::CContext* context, const Dom::CNode* node) const override;
  using Xpath::CNodeTest::Match;
  const Core::String& GetPrefix() const { return m_prefix; }

private:
  Core::String m_prefix;
};

class CNameNodeTest final : public Xpath::CNodeTest {
public:
  CNameNodeTest(Core::String prefix, Core::String localName)
      : m_prefix(std::move(prefix)), m_localName(std::move(localName)) {}
  int32_t GetKind() const override { return QName; }
  bool Match(Xpath::CContext* context, const Dom::CNode* node) const override;
  using Xpath::CNodeTest::Match;
  Core::String GetLocalName() const override { return m_localName; }
  const Core::String& GetPrefix() const { return m_prefix; }

private:
  Core::String m_prefix;
  Core::String m_localName;
};

class CCommentNodeTest final : public Xpath::CNodeTest {
public:
  int32_t GetKind() const override { return Comment; }
  bool Match(Xpath::CContext* context, const Dom::CNode* node) const override;
  using Xpath::CNodeTest::Match;
};

class CTextNodeTest final : public Xpath::CNodeTest {
public:
  int32_t GetKind() const override { return Text; }
  bool Match(Xpath::CContext* context, const Dom::CNode* node) const override;
  using Xpath::CNodeTest::Match;
};

class CProcessingInstructionNodeTest final : public Xpath::CNodeTest {
public:
  CProcessingInstructionNodeTest() = default;
  explicit CProcessingInstructionNodeTest(Core::String literal) : m_hasLiteral(true), m_literal(std::move(literal)) {}
  int32_t GetKind() const override { return m_hasLiteral ? ProcessingInstructionWithLiteral : ProcessingInstruction; }
  bool Match(Xpath::CContext* context, const Dom::CNode* node) const override;
  using Xpath::CNodeTest::Match;

private:
  bool m_hasLiteral = false;
  Core::String m_literal;
};

class CNodeNodeTest final : public Xpath::CNodeTest {
public:
  int32_t GetKind() const override { return Node; }
  bool Match(Xpath::CContext* context, const Dom::CNode* node) const override;
  using Xpath::CNodeTest::Match;
};

// The URI of a prefix in the context's namespace declarations; raises
// Xpath::CXpathException 13 when it is not declared.
Core::String ResolvePrefix(Xpath::CContext* context, const Core::String& prefix);

} // namespace XpathPrivate
