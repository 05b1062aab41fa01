#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TreeFixture.h"
#include "xslt/processor/data/CollationTables.h"
#include "xslt/processor/data/SortedArray.h"
#include "xslt/processor/services/BasicXsltImplementation.h"

namespace {

using Xslt::CSortAttributes;

struct CKeyDef {
  int32_t dataType;
  int32_t order;
  int32_t caseOrder;
};

// Sorts rows of key values (one string per key, '|' between keys) and gives
// the row numbers in sorted order: each row is an element named r<i>.
std::string SortRows(const std::vector<CKeyDef>& keys, const std::vector<std::u16string>& rows) {
  KeltoTest::CTreeFixture trees;
  std::u16string markup = u"<d>";
  for (size_t i = 0; i < rows.size(); ++i) markup += u"<r" + Core::FromUtf8(std::to_string(i)) + u"/>";
  markup += u"</d>";
  Dom::XNode document = trees.Build(markup);

  Xslt::CBasicXsltImplementation implementation;
  Core::XInterface<Xslt::CSortedArray> array = implementation.GetSortedArrayFactory()->CreateSortedArray();
  for (const CKeyDef& def : keys) {
    CSortAttributes attributes;
    attributes.dataType = def.dataType;
    attributes.order = def.order;
    attributes.caseOrder = def.caseOrder;
    array->AddSortKey(attributes);
  }
  int32_t position = 0;
  for (Dom::CNode* n = document->FirstChild()->FirstChild(); n; n = n->NextSibling(), ++position) {
    auto key = Core::Make<Xslt::CSortKey>(position);
    const std::u16string& row = rows[position];
    for (size_t start = 0;;) {
      size_t bar = row.find(u'|', start);
      key->AddValue(row.substr(start, bar == std::u16string::npos ? bar : bar - start));
      if (bar == std::u16string::npos) break;
      start = bar + 1;
    }
    array->AddRow(Dom::XNode(n), key.Get());
  }
  std::string out;
  Core::XInterface<Xslt::CSortedArrayIndex> index = array->CreateIndex();
  for (Dom::XNode node = index->GetNode(); node; index->Next(), node = index->GetNode()) {
    if (!out.empty()) out += ' ';
    out += Core::ToUtf8(node->LocalNameView().substr(1));
  }
  EXPECT_FALSE(index->GetNode());
  // Reading by index gives the same order.
  std::string byIndex;
  for (int32_t i = 0; i < array->GetCount(); ++i) {
    if (!byIndex.empty()) byIndex += ' ';
    byIndex += Core::ToUtf8(array->GetNode(i)->LocalNameView().substr(1));
  }
  EXPECT_EQ(out, byIndex);
  return out;
}

constexpr CKeyDef kText{CSortAttributes::Text, CSortAttributes::Ascending, 0};
constexpr CKeyDef kTextDown{CSortAttributes::Text, CSortAttributes::Descending, 0};
constexpr CKeyDef kUpper{CSortAttributes::Text, CSortAttributes::Ascending, CSortAttributes::UpperFirst};
constexpr CKeyDef kLower{CSortAttributes::Text, CSortAttributes::Ascending, CSortAttributes::LowerFirst};
constexpr CKeyDef kNumber{CSortAttributes::Number, CSortAttributes::Ascending, 0};
constexpr CKeyDef kNumberDown{CSortAttributes::Number, CSortAttributes::Descending, 0};

TEST(CollationTablesTest, Weights) {
  struct {
    int32_t caseOrder;
    char16_t c;
    uint32_t weight;
  } cases[] = {
      {0, u'@', 64},  {0, u'A', 65},  {0, u'a', 65},  {1, u'A', 65},  {1, u'a', 66},  {2, u'A', 66},
      {2, u'a', 65},  {0, u'Z', 115}, {1, u'z', 116}, {0, u'[', 117}, {0, u'`', 122}, {1, u'_', 121},
      {0, u'{', 123}, {2, 0xFF, 255}, {0, 0xE9, 0xE9}, {7, u'a', 65},
  };
  for (const auto& c : cases)
    EXPECT_EQ(XsltPrivate::CCollationTables::Get(c.caseOrder)[c.c], c.weight) << c.caseOrder << " " << int(c.c);
}

TEST(SortedArrayTest, TextKeys) {
  struct {
    CKeyDef key;
    std::vector<std::u16string> rows;
    const char* sorted;
  } cases[] = {
      // Case folded: equal keys keep their input order.
      {kText, {u"b", u"B", u"a"}, "2 0 1"},
      {kText, {u"B", u"b", u"a"}, "2 0 1"},
      {kUpper, {u"b", u"B", u"a"}, "2 1 0"},
      {kLower, {u"B", u"b", u"a"}, "2 1 0"},
      {kText, {u"apple", u"Apple", u"APPLE"}, "0 1 2"},
      {kUpper, {u"apple", u"Apple"}, "1 0"},
      {kLower, {u"Apple", u"apple"}, "1 0"},
      // Punctuation between the alphabets sorts after the letters.
      {kText, {u"_x", u"zz"}, "1 0"},
      {kUpper, {u"[", u"Z"}, "1 0"},
      {kText, {u"abc", u"ab", u""}, "2 1 0"},
      // Latin-1 letters by code, after "{"; beyond U+00FF by code unit.
      {kText, {u"\u00e9", u"{", u"z"}, "2 1 0"},
      {kText, {u"\u0100", u"\u00ff", u"\u4e00", u"a"}, "3 1 0 2"},
      // Descending keeps ties in input order.
      {kTextDown, {u"a", u"b", u"A", u"B"}, "1 3 0 2"},
  };
  for (const auto& c : cases) EXPECT_EQ(SortRows({c.key}, c.rows), c.sorted) << c.sorted;
}

TEST(SortedArrayTest, NumberKeys) {
  struct {
    CKeyDef key;
    std::vector<std::u16string> rows;
    const char* sorted;
  } cases[] = {
      // Non-numbers go before every number and keep their input order
      // among themselves; descending puts them last.
      {kNumber, {u"10", u"9", u"abc", u""}, "2 3 1 0"},
      {kNumber, {u"10", u"9", u"abc", u"", u"-1", u"0"}, "2 3 4 5 1 0"},
      {kNumber, {u" 2 ", u"\t1\n", u"1.5"}, "1 2 0"},
      // The XPath number conversion: no hexadecimal, infinity, NaN or
      // exponent forms; they are all NaN. -0 ties with 0.
      {kNumber, {u"0x10", u"1", u"inf", u"nan", u"1e3", u"-0", u"0", u"-Infinity"}, "0 2 3 4 7 5 6 1"},
      {kNumber, {u"NaN", u"-3", u"NaN", u"5", u"NaN"}, "0 2 4 1 3"},
      {kNumberDown, {u"1", u"x", u"3", u"0", u"2", u"y", u"-5"}, "2 4 0 3 6 1 5"},
      {kNumber, {u"100000000000000000000000", u"99999999999999999999"}, "1 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(SortRows({c.key}, c.rows), c.sorted) << c.sorted;
}

TEST(SortedArrayTest, SeveralKeysAndNoKeys) {
  // The second key decides only where the first ties.
  EXPECT_EQ(SortRows({kText, kNumberDown}, {u"b|1", u"a|2", u"b|3", u"a|1", u"B|2"}), "1 3 2 4 0");
  EXPECT_EQ(SortRows({kNumber, kText}, {u"1|b", u"x|z", u"1|a", u"y|a"}), "3 1 2 0");
  // A row with fewer values than keys compares its missing values as "".
  EXPECT_EQ(SortRows({kText, kText}, {u"a|b", u"a"}), "1 0");
  // Without keys the rows stay in the order they were added.
  EXPECT_EQ(SortRows({}, {u"c", u"b", u"a"}), "0 1 2");
  EXPECT_EQ(SortRows({kText}, {}), "");
}

TEST(SortedArrayTest, CompareKeyValues) {
  using XsltPrivate::CBasicSortedArray;
  CSortAttributes number;
  number.dataType = CSortAttributes::Number;
  EXPECT_LT(CBasicSortedArray::CompareKeyValues(number, u"9", u"10"), 0);
  EXPECT_LT(CBasicSortedArray::CompareKeyValues(number, u"NaN", u"-1"), 0);
  EXPECT_GT(CBasicSortedArray::CompareKeyValues(number, u"0", u"x"), 0);
  EXPECT_EQ(CBasicSortedArray::CompareKeyValues(number, u"x", u""), 0);
  number.order = CSortAttributes::Descending;
  EXPECT_GT(CBasicSortedArray::CompareKeyValues(number, u"9", u"10"), 0);
  EXPECT_GT(CBasicSortedArray::CompareKeyValues(number, u"NaN", u"-1"), 0);
  CSortAttributes text;
  EXPECT_EQ(CBasicSortedArray::CompareKeyValues(text, u"ABC", u"abc"), 0);
  EXPECT_LT(CBasicSortedArray::CompareKeyValues(text, u"ab", u"abc"), 0);
}

TEST(SortedArrayTest, SortsAgainAfterNewRowsAndLargeInputs) {
  KeltoTest::CTreeFixture trees;
  Dom::XNode document = trees.Build(u"<d><a/><b/><c/></d>");
  Dom::CNode* a = document->FirstChild()->FirstChild();
  auto array = Core::Make<XsltPrivate::CBasicSortedArray>();
  CSortAttributes number;
  number.dataType = CSortAttributes::Number;
  array->AddSortKey(number);
  auto add = [&](Dom::CNode* node, int32_t position, const char16_t* value) {
    auto key = Core::Make<Xslt::CSortKey>(position);
    key->AddValue(value);
    array->AddRow(Dom::XNode(node), key.Get());
  };
  add(a, 0, u"3");
  add(a->NextSibling(), 1, u"2");
  array->Sort();
  EXPECT_EQ(array->GetNode(0).Get(), a->NextSibling());
  add(a->NextSibling()->NextSibling(), 2, u"1");
  auto index = array->CreateIndex();
  EXPECT_EQ(index->GetNode().Get(), a->NextSibling()->NextSibling());

  // Many equal keys in descending runs: a sort that is quadratic on them
  // would not finish here.
  auto big = Core::Make<XsltPrivate::CBasicSortedArray>();
  big->AddSortKey(number);
  const int32_t n = 200000;
  for (int32_t i = 0; i < n; ++i) {
    auto key = Core::Make<Xslt::CSortKey>(i);
    key->AddValue(Core::FromUtf8(std::to_string((n - i) / 1000)));
    big->AddRow(Dom::XNode(a), key.Get());
  }
  big->Sort();
  EXPECT_EQ(big->GetCount(), n);
}

} // namespace
