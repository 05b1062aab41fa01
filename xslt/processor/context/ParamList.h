#pragma once
// Evaluated parameter values on their way from a caller to a template: the
// external parameters of a run, the xsl:with-param values of
// xsl:apply-templates and xsl:call-template. Of two items of one name the
// older wins, so a parameter given twice is bound from its first occurrence.
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Value.h"
#include "xslt/compiler/ExpandedName.h"

namespace XsltPrivate {

class CParamList {
public:
  CParamList() = default;
  CParamList(const CParamList&) = delete;
  CParamList& operator=(const CParamList&) = delete;
  ~CParamList();

  // No duplicate check.
  void Add(Core::StringView namespaceUri, Core::StringView localName, Xpath::CValue* value);
  // The same with a name that is kept as it is.
  void Add(CExpandedName* name, Xpath::CValue* value);
  void Reserve(size_t count) { m_items.reserve(count); }
  // The value of the first item of that name, without a use added; null when none.
  Xpath::CValue* Find(Core::StringView namespaceUri, Core::StringView localName) const;

  int32_t GetCount() const { return int32_t(m_items.size()); }

private:
  struct CParamItem {
    Core::XInterface<CExpandedName> name;
    Core::XInterface<Xpath::CValue> value;
  };

  std::vector<CParamItem> m_items;
};

} // namespace XsltPrivate
