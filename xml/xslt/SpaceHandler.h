#pragma once
// The xsl:strip-space and xsl:preserve-space rules. The tree builder asks it
// once per element whether whitespace-only text directly inside is kept.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"

namespace Xslt {

class CSpaceHandler : public Core::CInterface {
public:
  CSpaceHandler();
  ~CSpaceHandler() override;

  void SetEnabled(bool enabled) { m_enabled = enabled; }
  bool IsEnabled() const { return m_enabled; }

  // No namespace URI: the rule for any element ("*"). A namespace URI alone:
  // the rule of that namespace ("prefix:*"). Both: the rule of one name.
  // A rule of higher precedence replaces a stored one, an equal one replaces
  // its flag (the later declaration wins) and answers false.
  bool AddRule(std::optional<Core::StringView> namespaceUri, std::optional<Core::StringView> localName,
               int32_t importPrecedence, bool preserve);

  // The most specific rule decides, whatever the precedences; no rule keeps.
  bool IsSpacePreserved(Core::StringView namespaceUri, Core::StringView localName) const;

private:
  struct CRule {
    int32_t precedence = 0;
    bool preserve = false;
    bool present = false;
  };
  struct CLocalEntry {
    Core::String key;
    uint32_t hash = 0;
    bool used = false;
    CRule rule;
  };
  struct CNamespaceEntry {
    Core::String key;
    uint32_t hash = 0;
    bool used = false;
    CRule rule;
    std::vector<CLocalEntry> locals;  // open addressing, 4 buckets to start
    int32_t localCount = 0;
  };

  static bool Store(CRule& rule, int32_t precedence, bool preserve);

  bool m_enabled = true;
  CRule m_anyElement;
  std::vector<CNamespaceEntry> m_namespaces;
  int32_t m_namespaceCount = 0;
};

} // namespace Xslt
