#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "script/engine/PropertyTable.h"

namespace {

using EcmaScript::CPropertyName;
using EcmaScript::CPropertyTable;

// The table as it is described: entries in a slot array, placed at the first
// free slot from hash modulo capacity, probing upwards with wrap-around; the
// capacity doubles (entries placed again in slot order) when an insertion
// finds three quarters taken; a removal leaves a hole; searches visit every
// slot. The real table must place every entry in the same slot.
class CReferenceTable {
public:
  void Insert(const std::u16string& text) {
    if (m_count >= static_cast<int>(m_slots.size()) * 3 / 4) {
      std::vector<std::u16string> old = std::move(m_slots);
      m_slots.assign(old.empty() ? 4 : old.size() * 2, std::u16string());
      for (auto& t : old) {
        if (!t.empty()) Place(t);
      }
    }
    Place(text);
    ++m_count;
  }
  void Remove(const std::u16string& text) {
    for (auto& t : m_slots) {
      if (t == text) {
        t.clear();
        --m_count;
        return;
      }
    }
  }
  const std::vector<std::u16string>& Slots() const { return m_slots; }

private:
  void Place(const std::u16string& text) {
    size_t s = static_cast<size_t>(EcmaScript::HashText(text)) % m_slots.size();
    while (!m_slots[s].empty()) s = (s + 1) % m_slots.size();
    m_slots[s] = text;
  }

  std::vector<std::u16string> m_slots;
  int m_count = 0;
};

std::u16string SlotText(const CPropertyTable& table, int32_t s) {
  const EcmaScript::CPropertyEntry* e = table.GetAt(s);
  return e ? e->GetText() : std::u16string();
}

void ExpectSamePlacement(const CPropertyTable& table, const CReferenceTable& reference) {
  ASSERT_EQ(table.GetCapacity(), static_cast<int32_t>(reference.Slots().size()));
  for (int32_t s = 0; s < table.GetCapacity(); ++s) {
    ASSERT_EQ(SlotText(table, s), reference.Slots()[static_cast<size_t>(s)]) << "slot " << s;
  }
}

TEST(PropertyTable, GrowsFromFourAtThreeQuarters) {
  CPropertyTable table;
  EXPECT_EQ(table.GetCapacity(), 0);
  const char16_t* names[] = {u"a", u"b", u"c", u"d", u"e", u"f", u"g"};
  int32_t expected[] = {4, 4, 4, 8, 8, 8, 16};
  for (int i = 0; i < 7; ++i) {
    table.Insert(CPropertyName(names[i]), nullptr, 0, 0);
    EXPECT_EQ(table.GetCapacity(), expected[i]) << "after " << i + 1;
  }
  EXPECT_EQ(table.GetCount(), 7);
}

TEST(PropertyTable, HoleLeftByRemovalDoesNotHideLaterEntries) {
  // "a" (97) and "e" (101) share home slot 1 of 4: "e" goes to slot 2.
  CPropertyTable table;
  table.Insert(CPropertyName(u"a"), nullptr, 0, 0);
  table.Insert(CPropertyName(u"e"), nullptr, 0, 0);
  EXPECT_EQ(table.FindSlot(CPropertyName(u"e")), 2);
  table.RemoveAt(table.FindSlot(CPropertyName(u"a")));
  EXPECT_EQ(table.FindSlot(CPropertyName(u"e")), 2);
  EXPECT_EQ(table.FindSlot(CPropertyName(u"a")), -1);
  // A new entry fills the hole at its home slot.
  table.Insert(CPropertyName(u"i"), nullptr, 0, 0);
  EXPECT_EQ(table.FindSlot(CPropertyName(u"i")), 1);
}

TEST(PropertyTable, IntegerNamesMatchTheirText) {
  CPropertyTable table;
  table.Insert(CPropertyName::FromIndex(7), nullptr, 0, 0);
  table.Insert(CPropertyName(u"12"), nullptr, 0, 0);
  EXPECT_GE(table.FindSlot(CPropertyName(u"7")), 0);
  EXPECT_GE(table.FindSlot(CPropertyName::FromIndex(12)), 0);
  EXPECT_EQ(table.FindSlot(CPropertyName(u"07")), -1);
  EXPECT_EQ(SlotText(table, table.FindSlot(CPropertyName(u"7"))), u"7");
}

// Random insertions and removals, large enough for the side index and its
// rebuilds: every entry sits where the description puts it, and every
// lookup, hit or miss, answers as a map does.
TEST(PropertyTable, ChurnKeepsPlacementAndAnswers) {
  std::mt19937 random(17);
  CPropertyTable table;
  CReferenceTable reference;
  std::map<std::u16string, bool> present;
  for (int step = 0; step < 20000; ++step) {
    std::u16string text = u"p" + std::u16string(1, char16_t(u'a' + random() % 26)) +
                          std::u16string(1, char16_t(u'a' + random() % 26)) +
                          (random() % 2 ? std::u16string(u"x") : std::u16string());
    CPropertyName name(text);
    bool has = present[text];
    ASSERT_EQ(table.FindSlot(name) >= 0, has) << step;
    // Bias towards removal once the table is large, so it keeps shrinking
    // and growing through the whole run.
    bool remove = has && (table.GetCount() > 300 || random() % 3 == 0);
    if (remove) {
      table.RemoveAt(table.FindSlot(name));
      reference.Remove(text);
      present[text] = false;
    } else if (!has) {
      table.Insert(name, nullptr, 0, 0);
      reference.Insert(text);
      present[text] = true;
    }
    if (step % 997 == 0) ExpectSamePlacement(table, reference);
  }
  ExpectSamePlacement(table, reference);
  for (auto& [text, has] : present) EXPECT_EQ(table.FindSlot(CPropertyName(text)) >= 0, has);
}

} // namespace

namespace {

// Names of one shape hash into a few dense runs of slots, which wrap around
// the end of the slot array: thousands of them, some removed and others
// added into the holes, still sit where the description puts them.
TEST(PropertyTable, DenseRunsKeepPlacement) {
  CPropertyTable table;
  CReferenceTable reference;
  auto insert = [&](const std::u16string& text) {
    table.Insert(CPropertyName(text), nullptr, 0, 0);
    reference.Insert(text);
  };
  auto remove = [&](const std::u16string& text) {
    int32_t slot = table.FindSlot(CPropertyName(text));
    ASSERT_GE(slot, 0) << std::string(text.begin(), text.end());
    table.RemoveAt(slot);
    reference.Remove(text);
  };
  auto number = [](const char16_t* prefix, int i) {
    std::string digits = std::to_string(i);
    return std::u16string(prefix) + std::u16string(digits.begin(), digits.end());
  };
  for (int i = 0; i < 6000; ++i) insert(number(u"p", i));
  ExpectSamePlacement(table, reference);
  for (int i = 0; i < 6000; i += 3) remove(number(u"p", i));
  for (int i = 0; i < 6000; i += 9) insert(number(u"p", i));
  for (int i = 0; i < 2500; ++i) insert(number(u"q", i));
  ExpectSamePlacement(table, reference);
  for (int i = 0; i < 6000; ++i) EXPECT_EQ(table.FindSlot(CPropertyName(number(u"p", i))) >= 0, i % 3 != 0 || i % 9 == 0);
  EXPECT_EQ(table.FindSlot(CPropertyName(u"p6000")), -1);
}

} // namespace
