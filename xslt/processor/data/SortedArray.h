#pragma once
// Nodes sorted by string keys, for xsl:sort and the report package's sorting.
// The caller declares the keys (one CSortAttributes per sort key, in order),
// adds every node with its key values already turned into strings (one
// CSortKey per node), and reads the nodes back in sorted order by index or
// through a CSortedArrayIndex. Rows whose keys all tie keep the order in
// which they were added, also under descending keys.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/tree/Dom.h"

namespace Xslt {

// How one key compares.
struct CSortAttributes {
  enum : int32_t { Text = 0, Number = 1 };
  enum : int32_t { Ascending = 0, Descending = 1 };
  enum : int32_t { NoCaseOrder = 0, UpperFirst = 1, LowerFirst = 2 };

  // Kept and copied; languages do not change the comparison.
  Core::String lang = u"en";
  int32_t dataType = Text;
  // Kept with the record for its users; the comparison does not read them.
  Core::String extra1;
  Core::String extra2;
  int32_t order = Ascending;
  int32_t caseOrder = NoCaseOrder;
};

// The key values of one node: its 0-based position in input order and one
// string per declared key, in key order. A missing value compares as "".
class CSortKey : public Core::CInterface {
public:
  explicit CSortKey(int32_t position) : m_position(position) {}

  int32_t GetPosition() const { return m_position; }
  void AddValue(Core::String value) { m_values.push_back(std::move(value)); }
  int32_t GetValueCount() const { return static_cast<int32_t>(m_values.size()); }
  const Core::String& GetValue(int32_t index) const { return m_values[index]; }

private:
  int32_t m_position;
  std::vector<Core::String> m_values;
};

// Reads a sorted array in order: GetNode is null once the position passes
// the last row.
class CSortedArrayIndex : public Core::CInterface {
public:
  virtual Dom::XNode GetNode() = 0;
  virtual void Next() = 0;
};

class CSortedArray : public Core::CInterface {
public:
  // All keys first, then all rows, then Sort or CreateIndex, then reading.
  virtual void AddSortKey(const CSortAttributes& attributes) = 0;
  // A row added after sorting makes the next Sort or CreateIndex sort again.
  virtual void AddRow(const Dom::XNode& node, CSortKey* key) = 0;
  virtual void Sort() = 0;
  virtual int32_t GetCount() = 0;
  // The node of row index (below the count) in the current order.
  virtual Dom::XNode GetNode(int32_t index) = 0;
  // Sorts, then gives an index on the first row.
  virtual Core::XInterface<CSortedArrayIndex> CreateIndex() = 0;
};

class CSortedArrayFactory : public Core::CInterface {
public:
  virtual Core::XInterface<CSortedArray> CreateSortedArray() = 0;
};

class CBasicSortedArrayFactory : public CSortedArrayFactory {
public:
  Core::XInterface<CSortedArray> CreateSortedArray() override;
};

} // namespace Xslt

namespace XsltPrivate {

// Sorts once per change in O(n log n): number keys are converted once per
// row before the sort, never per comparison, and the input position breaks
// every tie, so the order is total and does not depend on the algorithm.
class CBasicSortedArray : public Xslt::CSortedArray {
public:
  void AddSortKey(const Xslt::CSortAttributes& attributes) override;
  void AddRow(const Dom::XNode& node, Xslt::CSortKey* key) override;
  void Sort() override;
  int32_t GetCount() override { return static_cast<int32_t>(m_nodes.size()); }
  Dom::XNode GetNode(int32_t index) override { return m_nodes[index]; }
  Core::XInterface<Xslt::CSortedArrayIndex> CreateIndex() override;

  // Sign of the comparison of two values under one key, descending applied.
  static int32_t CompareKeyValues(const Xslt::CSortAttributes& attributes, Core::StringView a, Core::StringView b);
  // The number a key value stands for: the XPath number of the text, NaN
  // when the text is not a number.
  static double KeyNumber(Core::StringView value);
  // The sign of comparing two texts through the collation of a case order.
  static int32_t CompareText(int32_t caseOrder, Core::StringView a, Core::StringView b);

private:
  std::vector<Xslt::CSortAttributes> m_keys;
  std::vector<Dom::XNode> m_nodes;
  std::vector<Core::XInterface<Xslt::CSortKey>> m_keyValues;
  bool m_sorted = true;
};

class CBasicSortedArrayIndex : public Xslt::CSortedArrayIndex {
public:
  explicit CBasicSortedArrayIndex(CBasicSortedArray* array) : m_array(array) {}

  Dom::XNode GetNode() override {
    return m_position < m_array->GetCount() ? m_array->GetNode(m_position) : Dom::XNode();
  }
  void Next() override { ++m_position; }

private:
  Core::XInterface<CBasicSortedArray> m_array;
  int32_t m_position = 0;
};

} // namespace XsltPrivate
