#include "xslt/processor/data/SortedArray.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "xpath/Number.h"
#include "xslt/processor/data/CollationTables.h"
#include "xslt/processor/services/PendingServices.h"

namespace Xslt {

Core::XInterface<CSortedArray> CBasicSortedArrayFactory::CreateSortedArray() {
  return Core::XInterface<CSortedArray>(new XsltPrivate::CBasicSortedArray());
}

} // namespace Xslt

namespace XsltPrivate {

namespace {

// A key that is no number (NaN) sorts before every number and ties with
// another such key, so the order stays total.
int32_t Sign(double a, double b) {
  if (a != a) return b != b ? 0 : -1;
  if (b != b) return 1;
  return a < b ? -1 : (b < a ? 1 : 0);
}

const Core::String kEmpty;

} // namespace

void MakeSortedArrayFactory(CServiceSlot<Xslt::CSortedArrayFactory>& slot) {
  auto made = Core::Make<Xslt::CBasicSortedArrayFactory>();
  slot.service = made.Get();
  slot.use = made.Get();
}

void CBasicSortedArray::AddSortKey(const Xslt::CSortAttributes& attributes) { m_keys.push_back(attributes); }

void CBasicSortedArray::AddRow(const Dom::XNode& node, Xslt::CSortKey* key) {
  m_nodes.push_back(node);
  m_keyValues.emplace_back(key);
  m_sorted = false;
}

double CBasicSortedArray::KeyNumber(Core::StringView value) {
  // The XPath conversion: no exponent, hexadecimal or infinity forms; a text
  // that is no number is NaN.
  Xpath::CNumber number;
  if (!Xpath::CNumber::FromString(value, number)) return std::numeric_limits<double>::quiet_NaN();
  return number.GetValue();
}

int32_t CBasicSortedArray::CompareText(int32_t caseOrder, Core::StringView a, Core::StringView b) {
  const uint32_t* weights = XsltPrivate::CCollationTables::Get(caseOrder);
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t ca = a[i], cb = b[i];
    if (ca == cb) continue;
    if (ca < 256 && cb < 256) {
      if (weights[ca] != weights[cb]) return weights[ca] < weights[cb] ? -1 : 1;
    } else {
      return ca < cb ? -1 : 1;
    }
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int32_t CBasicSortedArray::CompareKeyValues(const Xslt::CSortAttributes& attributes, Core::StringView a,
                                            Core::StringView b) {
  int32_t result = attributes.dataType == Xslt::CSortAttributes::Number ? Sign(KeyNumber(a), KeyNumber(b))
                                                                       : CompareText(attributes.caseOrder, a, b);
  return attributes.order == Xslt::CSortAttributes::Descending ? -result : result;
}

void CBasicSortedArray::Sort() {
  if (m_sorted) return;
  m_sorted = true;
  const size_t rows = m_nodes.size();
  if (m_keys.empty() || rows < 2) return;

  // Each row's values and input position are read once; number keys are
  // converted here, not in the comparison.
  struct CKeyColumn {
    bool number;
    bool descending;
    int32_t caseOrder;
    std::vector<double> numbers;
    std::vector<const Core::String*> texts;
  };
  std::vector<CKeyColumn> columns(m_keys.size());
  std::vector<int32_t> positions(rows);
  for (size_t k = 0; k < m_keys.size(); ++k) {
    CKeyColumn& column = columns[k];
    column.number = m_keys[k].dataType == Xslt::CSortAttributes::Number;
    column.descending = m_keys[k].order == Xslt::CSortAttributes::Descending;
    column.caseOrder = m_keys[k].caseOrder;
    if (column.number)
      column.numbers.resize(rows);
    else
      column.texts.resize(rows);
  }
  for (size_t r = 0; r < rows; ++r) {
    const Xslt::CSortKey* key = m_keyValues[r].Get();
    positions[r] = key ? key->GetPosition() : static_cast<int32_t>(r);
    for (size_t k = 0; k < columns.size(); ++k) {
      const Core::String& value =
          key && int32_t(k) < key->GetValueCount() ? key->GetValue(static_cast<int32_t>(k)) : kEmpty;
      if (columns[k].number)
        columns[k].numbers[r] = KeyNumber(value);
      else
        columns[k].texts[r] = &value;
    }
  }

  std::vector<int32_t> order(rows);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int32_t i, int32_t j) {
    for (const CKeyColumn& column : columns) {
      int32_t result = column.number ? Sign(column.numbers[i], column.numbers[j])
                                     : CompareText(column.caseOrder, *column.texts[i], *column.texts[j]);
      if (result != 0) return column.descending ? result > 0 : result < 0;
    }
    return positions[i] < positions[j];
  });

  std::vector<Dom::XNode> nodes(rows);
  std::vector<Core::XInterface<Xslt::CSortKey>> keyValues(rows);
  for (size_t r = 0; r < rows; ++r) {
    nodes[r] = std::move(m_nodes[order[r]]);
    keyValues[r] = std::move(m_keyValues[order[r]]);
  }
  m_nodes.swap(nodes);
  m_keyValues.swap(keyValues);
}

Core::XInterface<Xslt::CSortedArrayIndex> CBasicSortedArray::CreateIndex() {
  Sort();
  return Core::XInterface<Xslt::CSortedArrayIndex>(new CBasicSortedArrayIndex(this));
}

} // namespace XsltPrivate
