#include "xslt/compiler/TemplateIndex.h"

#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/Pattern.h"
#include "xslt/compiler/Template.h"

namespace XsltPrivate {

void CTemplateIndex::Add(CBucket& bucket, int32_t index) {
  // Templates are added in order, so a repeat can only be the last entry.
  if (bucket.empty() || bucket.back() != index) bucket.push_back(index);
}

void CTemplateIndex::AddAlternative(CModeGroup& group, const CLocationPathPattern& alternative, int32_t index) {
  uint32_t types = alternative.GetNodeTypes();
  Core::String localName = alternative.GetLocalName();
  int32_t hash = localName.empty() ? -1 : HashLocalName(localName);
  for (int32_t type = 0; type < TypeCount; ++type) {
    if (!(types & NodeTypeBit(type))) continue;
    if (hash >= 0 && type == Dom::ELEMENT_NODE) Add(group.elementsByName[hash], index);
    else if (hash >= 0 && type == Dom::ATTRIBUTE_NODE) Add(group.attributesByName[hash], index);
    else Add(group.byType[type], index);
  }
}

void CTemplateIndex::Build(const Core::XArray<Core::XInterface<CTemplate>>& templates) {
  m_defaultMode = CModeGroup();
  m_modes.clear();
  for (int32_t i = 0; i < templates.GetSize(); ++i) {
    const CTemplate& rule = *templates[i];
    const CPattern* match = rule.GetMatch();
    if (!match) continue;
    const CExpandedName* mode = rule.GetMode();
    CModeGroup& group = mode ? m_modes[CModeKey{mode->NamespaceUri(), mode->LocalName()}] : m_defaultMode;
    for (int32_t k = 0; k < match->GetCount(); ++k) AddAlternative(group, *match->GetAt(k), i);
  }
}

const CTemplateIndex::CModeGroup* CTemplateIndex::FindGroup(const CExpandedName* mode) const {
  if (!mode) return &m_defaultMode;
  auto it = m_modes.find(CModeView{mode->NamespaceUri(), mode->LocalName()});
  return it == m_modes.end() ? nullptr : &it->second;
}

} // namespace XsltPrivate
