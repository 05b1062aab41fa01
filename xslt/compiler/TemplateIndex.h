#pragma once
// The template rules of one module grouped by what their match patterns can
// match: by mode, then by node type and, for elements and attributes, by the
// hash of the local name. Dispatch asks for the candidates of one node and
// looks at no other rule; candidates come in template order, each once.
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

#include "core/Array.h"
#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"
#include "xslt/compiler/Pattern.h"

namespace XsltPrivate {

class CExpandedName;
class CTemplate;

class CTemplateIndex {
public:
  void Build(const Core::XArray<Core::XInterface<CTemplate>>& templates);

  // Calls visit(i) for the index i of every template (in the array given to
  // Build) that may match the node in the mode (null: the default mode).
  template <class F>
  void ForEachCandidate(const CExpandedName* mode, const Dom::CNode* node, F&& visit) const;

private:
  static constexpr int32_t TypeCount = Dom::NAMESPACE_NODE + 1;
  using CBucket = std::vector<int32_t>;
  struct CModeGroup {
    // Templates whose alternatives may match a node of the type, whatever its name.
    CBucket byType[TypeCount];
    // Elements and attributes: by the hash of the one local name an alternative requires.
    std::unordered_map<int32_t, CBucket> elementsByName;
    std::unordered_map<int32_t, CBucket> attributesByName;
  };
  // Modes are looked up by views, without copying the names.
  struct CModeKey {
    Core::String namespaceUri;
    Core::String localName;
  };
  struct CModeView {
    Core::StringView namespaceUri;
    Core::StringView localName;
  };
  struct CModeLess {
    using is_transparent = void;
    static CModeView View(const CModeKey& k) { return {k.namespaceUri, k.localName}; }
    static CModeView View(const CModeView& v) { return v; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
      CModeView x = View(a), y = View(b);
      return x.namespaceUri != y.namespaceUri ? x.namespaceUri < y.namespaceUri : x.localName < y.localName;
    }
  };

  const CModeGroup* FindGroup(const CExpandedName* mode) const;
  static void Add(CBucket& bucket, int32_t index);
  static void AddAlternative(CModeGroup& group, const CLocationPathPattern& alternative, int32_t index);

  CModeGroup m_defaultMode;
  std::map<CModeKey, CModeGroup, CModeLess> m_modes;
};

// ---- inline definitions -------------------------------------------------

template <class F>
void CTemplateIndex::ForEachCandidate(const CExpandedName* mode, const Dom::CNode* node, F&& visit) const {
  const CModeGroup* group = FindGroup(mode);
  int32_t type = node->GetNodeType();
  if (!group || type < 0 || type >= TypeCount) return;
  const CBucket& any = group->byType[type];
  const CBucket* named = nullptr;
  const std::unordered_map<int32_t, CBucket>* names =
      type == Dom::ELEMENT_NODE ? &group->elementsByName
                                : (type == Dom::ATTRIBUTE_NODE ? &group->attributesByName : nullptr);
  if (names && !names->empty()) {
    auto it = names->find(HashLocalName(node->LocalNameView()));
    if (it != names->end()) named = &it->second;
  }
  if (!named) {
    for (int32_t i : any) visit(i);
    return;
  }
  // Both lists ascend; a template in both comes once.
  size_t a = 0, b = 0;
  while (a < any.size() || b < named->size()) {
    int32_t next;
    if (b == named->size() || (a < any.size() && any[a] <= (*named)[b])) {
      next = any[a++];
      if (b < named->size() && (*named)[b] == next) ++b;
    } else {
      next = (*named)[b++];
    }
    visit(next);
  }
}

} // namespace XsltPrivate
