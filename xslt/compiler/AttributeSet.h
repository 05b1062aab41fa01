#pragma once
// A compiled xsl:attribute-set: its name, the sets it uses and its
// xsl:attribute children (other children are ignored).
#include <vector>

#include "core/Array.h"
#include "core/Interface.h"
#include "xslt/compiler/ExpandedName.h"
#include "xslt/compiler/TopLevel.h"

namespace XsltPrivate {

class CAttribute;

class CAttributeSet : public CTopLevel {
public:
  CAttributeSet();
  ~CAttributeSet() override;

  void Compile(CStaticContext& context);

  CExpandedName* GetName() const { return m_name.Get(); }
  int32_t GetUsedAttributeSetCount() const { return static_cast<int32_t>(m_usedAttributeSets.size()); }
  CExpandedName* GetUsedAttributeSet(int32_t i) const { return m_usedAttributeSets[static_cast<size_t>(i)].Get(); }
  int32_t GetAttributeCount() const { return m_attributes.GetSize(); }
  CAttribute* GetAttribute(int32_t i) const { return m_attributes[i].Get(); }

private:
  Core::XInterface<CExpandedName> m_name;
  std::vector<Core::XInterface<CExpandedName>> m_usedAttributeSets;
  Core::XArray<Core::XInterface<CAttribute>> m_attributes;
};

} // namespace XsltPrivate
