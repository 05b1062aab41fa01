#include "extensions/reports/ReportsPackageContext.h"

#include "extensions/reports/ReportsException.h"
#include "extensions/reports/ReportsPackage.h"
#include "xpath/ValueConverter.h"
#include "xslt/processor/extensions/ExtensionHandler.h"
#include "xslt/processor/services/XsltImplementation.h"

namespace XsltReports {

CReportsPackageContext* GetReportsContext(Xslt::CExtensionContext* context) {
  auto* reports = dynamic_cast<CReportsPackageContext*>(
      context->GetTopLevelExtensionContext()->FindPackageContext(kReportsNamespaceUri));
  // Only when another package took the namespace first.
  if (!reports) throw CXsltReportsException(-1);
  return reports;
}

void CReportsPackageContext::Start(bool) { m_counters.BeginScope(); }

void CReportsPackageContext::Finish() { m_counters.EndScope(); }

void CReportsPackageContext::ClearSortKeys() {
  m_sortAttributes.clear();
  m_sortSelects.clear();
}

void CReportsPackageContext::AddSortKey(const Xslt::CSortAttributes& attributes, Xpath::CExpr* select) {
  m_sortAttributes.push_back(attributes);
  m_sortSelects.emplace_back(select);
}

Core::XInterface<Xslt::CSortedArray> CReportsPackageContext::SortNodes(Xslt::CExtensionContext* context,
                                                                       Xpath::CNodeSet* nodeSet) {
  Core::XInterface<Xslt::CSortedArray> array =
      context->GetImplementation()->GetSortedArrayFactory()->CreateSortedArray();
  for (const Xslt::CSortAttributes& attributes : m_sortAttributes) array->AddSortKey(attributes);

  // Keys see each node as context node, its position in the node set and
  // the set's size.
  Core::XInterface<Xpath::CIterator> nodes = nodeSet->CreateIterator();
  Core::XInterface<Xpath::CContext> base = context->GetXpathContext();
  Core::XInterface<Xpath::CContext> keyContext(new Xpath::CContext(base.Get(), nodes.Get()));
  Xpath::CValueConverter converter(keyContext.Get());
  int32_t position = 0;
  for (Dom::XNode node = nodes->GetNode(); node; nodes->Next(), node = nodes->GetNode()) {
    Core::XInterface<Xslt::CSortKey> key(new Xslt::CSortKey(position++));
    for (const Core::XInterface<Xpath::CExpr>& select : m_sortSelects) {
      Core::XInterface<Xpath::CValue> value = select->Evaluate(keyContext.Get());
      key->AddValue(converter.ToString(*value));
    }
    array->AddRow(node, key.Get());
  }
  array->Sort();
  return array;
}

Core::XInterface<Xpath::CIterator> CReportsPackageContext::MakeGroups(Xslt::CExtensionContext* context,
                                                                      const Xpath::CExpr* select, Xpath::CExpr* key) {
  Core::XInterface<CGroupNodeSet> selection;
  if (select) {
    Core::XInterface<Xpath::CValue> value = context->Evaluate(select);
    if (value->GetType() != Xpath::CValue::NodeSetType)
      context->ReportError(CXsltReportsException(CXsltReportsException::InvalidSelectionResultType));
    Core::XInterface<Xslt::CSortedArray> array = SortNodes(context, value->GetNodeSet());
    // The pending keys stay for the next group element to clear.
    if (array->GetCount() <= 0) return nullptr;
    selection = new CGroupNodeSet(array.Get(), 0, array->GetCount());
  } else {
    if (m_groups.empty()) context->ReportError(CXsltReportsException(CXsltReportsException::InvalidGroupAttributes));
    const CGroupPair& outer = m_groups.back();
    selection = new CGroupNodeSet(outer.groupList->GetSelection()->GetArray(), outer.iterator->GetFirst(),
                                  outer.iterator->GetEnd());
    if (!m_sortAttributes.empty()) {
      Core::XInterface<Xslt::CSortedArray> array = SortNodes(context, selection.Get());
      selection = new CGroupNodeSet(array.Get(), 0, array->GetCount());
    }
  }
  ClearSortKeys();

  Core::XInterface<CGroupListNodeSet> groupList(
      new CGroupListNodeSet(selection.Get(), context->GetXpathContext().Get(), key));
  Core::XInterface<CGroupListIterator> iterator(new CGroupListIterator(groupList.Get()));
  m_groups.push_back(CGroupPair{groupList, iterator});
  return iterator;
}

void CReportsPackageContext::PopGroup() {
  if (!m_groups.empty()) m_groups.pop_back();
}

Core::XInterface<Xpath::CNodeSet> CReportsPackageContext::GetCurrentGroup(Xslt::CExtensionContext* context) {
  if (m_groups.empty()) context->ReportError(CXsltReportsException(CXsltReportsException::InvalidGroupAttributes));
  const CGroupPair& group = m_groups.back();
  return new CGroupNodeSet(group.groupList->GetSelection()->GetArray(), group.iterator->GetFirst(),
                           group.iterator->GetEnd());
}

} // namespace XsltReports
