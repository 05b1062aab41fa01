#pragma once
// The start of a location path pattern: none (any node), the root, id('...')
// or key('...', '...'). Asked about the node the steps have climbed to.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"

namespace XsltPrivate {

class CMatchContext;

class CStartPattern : public Core::CInterface {
public:
  enum : int32_t { AnyKind = 0, RootKind = 1, IdKind = 2, KeyKind = 3 };

  virtual int32_t GetKind() const = 0;
  virtual bool Match(CMatchContext& context, const Dom::CNode* node) const = 0;
};

class CAnyStartPattern final : public CStartPattern {
public:
  int32_t GetKind() const override { return AnyKind; }
  bool Match(CMatchContext&, const Dom::CNode*) const override { return true; }
};

// The root of the tree that holds the node being matched, so that "/" and
// "/a" work in every document a run loads, not only the source document.
class CRootStartPattern final : public CStartPattern {
public:
  int32_t GetKind() const override { return RootKind; }
  bool Match(CMatchContext& context, const Dom::CNode* node) const override;
};

// An element whose ID is one of the whitespace-separated IDs of the
// literal, as the id() function selects them.
class CIdStartPattern final : public CStartPattern {
public:
  explicit CIdStartPattern(Core::StringView ids);
  int32_t GetKind() const override { return IdKind; }
  bool Match(CMatchContext& context, const Dom::CNode* node) const override;

  const std::vector<Core::String>& GetIds() const { return m_ids; }

private:
  std::vector<Core::String> m_ids;
};

class CKeyStartPattern final : public CStartPattern {
public:
  // Splits the key name at its first ":".
  CKeyStartPattern(Core::StringView name, Core::String value);
  int32_t GetKind() const override { return KeyKind; }
  // Raises CPatternException 8 for a prefix that was not resolved when the
  // pattern was compiled and that the match context does not declare.
  bool Match(CMatchContext& context, const Dom::CNode* node) const override;

  // Binds the prefix once, when the pattern is compiled.
  void SetNamespaceUri(Core::String namespaceUri);

  const Core::String& GetPrefix() const { return m_prefix; }
  const Core::String& GetLocalName() const { return m_localName; }
  const Core::String& GetValue() const { return m_value; }
  bool IsResolved() const { return m_resolved; }
  const Core::String& GetNamespaceUri() const { return m_namespaceUri; }

private:
  Core::String m_prefix;
  Core::String m_localName;
  Core::String m_value;
  bool m_resolved;
  Core::String m_namespaceUri;
};

} // namespace XsltPrivate
