#pragma once
// The report package's state for one run: the counters, the groups being
// processed (innermost last) and the sort keys declared by the sort
// children of the group element that is about to make its groups.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "extensions/reports/CounterTable.h"
#include "extensions/reports/GroupNodeSets.h"
#include "xpath/Expr.h"
#include "xpath/NodeSet.h"
#include "xslt/processor/data/SortedArray.h"
#include "xslt/processor/extensions/ExtensionContext.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace XsltReports {

class CReportsPackageContext : public Xslt::CExtensionPackageContext {
public:
  void Start(bool flag) override;
  void Finish() override;

  void DefineCounter(Core::StringView name, Xpath::CNumber value) { m_counters.Define(name, value); }
  void IncrementCounter(Core::StringView name, Xpath::CNumber delta) { m_counters.Increment(name, delta); }
  Xpath::CNumber GetCounter(Core::StringView name) const { return m_counters.GetValue(name); }

  // The members of the innermost group being processed, in sorted order.
  Core::XInterface<Xpath::CNodeSet> GetCurrentGroup(Xslt::CExtensionContext* context);
  // Sorts the selection (or, without select, the innermost group's members)
  // by the pending keys, pushes its group list and hands out the iterator
  // over the groups; null when select gives no node.
  Core::XInterface<Xpath::CIterator> MakeGroups(Xslt::CExtensionContext* context, const Xpath::CExpr* select,
                                                Xpath::CExpr* key);
  void PopGroup();

  void ClearSortKeys();
  void AddSortKey(const Xslt::CSortAttributes& attributes, Xpath::CExpr* select);
  // The node set's nodes with their keys, sorted; in iteration order when
  // no key is pending.
  Core::XInterface<Xslt::CSortedArray> SortNodes(Xslt::CExtensionContext* context, Xpath::CNodeSet* nodeSet);

  const XsltReportsPrivate::CCounterTable& GetCounterTable() const { return m_counters; }
  int32_t GetGroupDepth() const { return static_cast<int32_t>(m_groups.size()); }

private:
  struct CGroupPair {
    Core::XInterface<CGroupListNodeSet> groupList;
    Core::XInterface<CGroupListIterator> iterator;
  };

  XsltReportsPrivate::CCounterTable m_counters;
  std::vector<CGroupPair> m_groups;
  std::vector<Xslt::CSortAttributes> m_sortAttributes;
  std::vector<Core::XInterface<Xpath::CExpr>> m_sortSelects;
};

// The run's report package context, found through the extension context.
CReportsPackageContext* GetReportsContext(Xslt::CExtensionContext* context);

} // namespace XsltReports
