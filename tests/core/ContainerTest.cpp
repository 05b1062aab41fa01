#include <gtest/gtest.h>

#include <vector>

#include "core/Array.h"
#include "core/HashTable.h"
#include "core/Interface.h"

namespace {

std::vector<int>* g_destroyed = nullptr;

struct Tracked {
  int id = -1;
  Tracked() = default;
  explicit Tracked(int i) : id(i) {}
  Tracked(const Tracked& o) : id(o.id) {}
  Tracked(Tracked&& o) noexcept : id(std::exchange(o.id, -1)) {}
  Tracked& operator=(const Tracked& o) = default;
  ~Tracked() {
    if (id >= 0 && g_destroyed) g_destroyed->push_back(id);
  }
};

class Counted : public Core::CInterface {
public:
  explicit Counted(int id) : m_id(id) {}
  ~Counted() override { g_destroyed->push_back(m_id); }

private:
  int m_id;
};

TEST(XArray, GrowthFollowsTheStepRule) {
  Core::XArray<int32_t> a;
  EXPECT_EQ(a.GetCapacity(), 0);
  EXPECT_EQ(a.GetData(), nullptr);
  std::vector<int32_t> capacities;
  for (int32_t i = 0; i < 20000; ++i) {
    a.Append(i);
    if (capacities.empty() || capacities.back() != a.GetCapacity()) capacities.push_back(a.GetCapacity());
  }
  const std::vector<int32_t> start = {4,  8,  12, 16, 20, 24, 28, 32, 36, 40,
                                      45, 50, 56, 63, 70, 78, 87, 97, 109, 122};
  ASSERT_GE(capacities.size(), start.size());
  EXPECT_EQ(std::vector<int32_t>(capacities.begin(), capacities.begin() + start.size()), start);
  // From a size of 8192 on the step is 1024.
  for (size_t k = 1; k < capacities.size(); ++k) {
    int32_t size = capacities[k - 1];
    int32_t step = std::min(std::max(size / 8, 4), 1024);
    EXPECT_EQ(capacities[k] - capacities[k - 1], step) << "after " << size;
  }
  EXPECT_EQ(capacities.back() - capacities[capacities.size() - 2], 1024);
  for (int32_t i = 0; i < 20000; ++i) ASSERT_EQ(a[i], i);
}

TEST(XArray, SetSize) {
  Core::XArray<int32_t> a;
  a.SetSize(3, 1);  // room for 4, three zeros
  EXPECT_EQ(a.GetSize(), 3);
  EXPECT_EQ(a.GetCapacity(), 4);
  EXPECT_EQ(a.GetAt(2), 0);
  a.Append(7);
  a.SetSize(2, 1);  // smaller n: no shrinking, but room for one more
  EXPECT_EQ(a.GetSize(), 4);
  EXPECT_EQ(a.GetCapacity(), 8);
  EXPECT_EQ(a.GetAt(3), 7);
  a.SetSize(20, 1);  // a shortfall larger than the step is taken whole
  EXPECT_EQ(a.GetSize(), 20);
  EXPECT_EQ(a.GetCapacity(), 21);
  a.SetAt(19, 5);
  EXPECT_EQ(a[19], 5);
}

TEST(XArray, RemoveAtDestroysLastFirstAndKeepsOrder) {
  std::vector<int> destroyed;
  g_destroyed = &destroyed;
  {
    Core::XArray<Tracked> a;
    for (int i = 0; i < 6; ++i) a.Append(Tracked(i));
    destroyed.clear();
    a.RemoveAt(1, 3);
    EXPECT_EQ(destroyed, (std::vector<int>{3, 2, 1}));
    ASSERT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[0].id, 0);
    EXPECT_EQ(a[1].id, 4);
    EXPECT_EQ(a[2].id, 5);
    EXPECT_EQ(a.GetCapacity(), 8);
    a.RemoveAt(1, 0);
    a.RemoveAt(2, 1);  // the last: nothing moves
    EXPECT_EQ(a.GetSize(), 2);
    destroyed.clear();
  }
  EXPECT_EQ(destroyed, (std::vector<int>{4, 0}));
  g_destroyed = nullptr;
}

TEST(XArray, DestroyingReleasesSmartPointersLastFirst) {
  std::vector<int> destroyed;
  g_destroyed = &destroyed;
  Core::XInterface<Counted> kept;
  {
    Core::XArray<Core::XInterface<Counted>> a;
    for (int i = 0; i < 10; ++i) a.Append(Core::Make<Counted>(i));  // grows twice
    kept = a.GetAt(4);
    EXPECT_EQ(kept->GetUseCount(), 2);
    EXPECT_TRUE(destroyed.empty());
  }
  EXPECT_EQ(destroyed, (std::vector<int>{9, 8, 7, 6, 5, 3, 2, 1, 0}));
  kept = nullptr;
  EXPECT_EQ(destroyed.back(), 4);
  g_destroyed = nullptr;
}

// Strings own their text through a pointer into themselves when short:
// moving the block must move-construct them, not copy their bytes.
TEST(XArray, StringsSurviveGrowthAndRemoval) {
  Core::XArray<Core::String> a;
  std::vector<Core::String> expected;
  for (int i = 0; i < 200; ++i) {
    Core::String s = (i % 2 ? u"s" : u"a much longer text that lives on the heap ") + Core::String(1, char16_t(u'A' + i % 26));
    a.Append(s);
    expected.push_back(s);
  }
  a.RemoveAt(10, 50);
  expected.erase(expected.begin() + 10, expected.begin() + 60);
  ASSERT_EQ(a.GetSize(), int32_t(expected.size()));
  size_t k = 0;
  for (const Core::String& s : a) EXPECT_EQ(s, expected[k++]);
  a.Append(a[0]);  // an element of the array itself, while it grows
  EXPECT_EQ(a[a.GetSize() - 1], expected[0]);

  Core::XArray<Core::String> copy = a;
  EXPECT_EQ(copy.GetSize(), a.GetSize());
  EXPECT_EQ(copy[5], a[5]);
  Core::XArray<Core::String> moved = std::move(copy);
  EXPECT_EQ(moved[5], a[5]);
  EXPECT_EQ(copy.GetSize(), 0);
}

TEST(XHashTable, NameHash) {
  EXPECT_EQ(Core::HashName(u""), 0);
  EXPECT_EQ(Core::HashName(u"a"), 97);
  EXPECT_EQ(Core::HashName(u"ab"), 971);
  EXPECT_EQ(Core::HashName(u"bY"), 971);
  uint32_t h = 0;
  for (char16_t c : std::u16string_view(u"a-rather-long-element-name\uFFFF")) h = h * 9 + c;
  EXPECT_EQ(Core::HashName(u"a-rather-long-element-name\uFFFF"), int32_t(h & 0x7FFFFFFF));
  EXPECT_EQ(Core::XHashTable<int>::Hash(u"ab"), 971);
}

TEST(XHashTable, GrowsBeforeTheFourthKey) {
  Core::XHashTable<int32_t> t;
  EXPECT_EQ(t.GetCount(), 4);
  EXPECT_EQ(t.Find(u"a"), nullptr);
  const char16_t* names[] = {u"ab", u"bY", u"c", u"div", u"span", u"p", u"", u"table"};
  int32_t expectedCount[] = {4, 4, 4, 8, 8, 8, 16, 16};
  for (int k = 0; k < 8; ++k) {
    t.Insert(names[k]).value = k + 1;
    EXPECT_EQ(t.GetCount(), expectedCount[k]) << k;
    EXPECT_EQ(t.GetUsed(), k + 1);
    for (int j = 0; j <= k; ++j) {
      auto* b = t.Find(names[j]);
      ASSERT_NE(b, nullptr) << k << " " << j;
      EXPECT_EQ(b->value, j + 1);
      EXPECT_EQ(b->GetKey(), names[j]);
    }
  }
  // Equal hashes are told apart by the units.
  EXPECT_EQ(t.Find(u"ab")->value, 1);
  EXPECT_EQ(t.Find(u"bY")->value, 2);
  EXPECT_EQ(t.Find(u"aY"), nullptr);
}

TEST(XHashTable, InsertingAnExistingNameKeepsItsValue) {
  Core::XHashTable<int32_t> t;
  t.Insert(u"x").value = 5;
  auto& again = t.Insert(u"x");
  EXPECT_EQ(again.value, 5);
  EXPECT_EQ(&again, t.Find(u"x"));
  EXPECT_EQ(t.GetUsed(), 1);
}

TEST(XHashTable, RemoveKeepsProbeChainsAndReusesTheFirstGap) {
  Core::XHashTable<int32_t> t;
  // "a" (97), "e" (101) and "i" (105) share home bucket 1 of 4.
  t.Insert(u"a").value = 1;
  t.Insert(u"e").value = 2;
  EXPECT_EQ(t.GetBucket(1).GetKey(), u"a");
  EXPECT_EQ(t.GetBucket(2).GetKey(), u"e");
  t.Remove(u"a");
  t.Remove(u"missing");
  EXPECT_TRUE(t.GetBucket(1).IsEmpty());
  ASSERT_NE(t.Find(u"e"), nullptr);
  EXPECT_EQ(t.Find(u"e")->value, 2);
  EXPECT_EQ(t.Find(u"a"), nullptr);
  auto& i = t.Insert(u"i");
  EXPECT_EQ(&i, &t.GetBucket(1));
  EXPECT_EQ(i.value, 0);  // not the value the removed key left
  EXPECT_EQ(t.GetUsed(), 3);
  EXPECT_EQ(t.GetCount(), 4);
  // Removed keys still count: the next new key rehashes.
  t.Remove(u"e");
  t.Insert(u"a");
  EXPECT_EQ(t.GetCount(), 8);
  EXPECT_EQ(t.GetUsed(), 4);
  EXPECT_NE(t.Find(u"i"), nullptr);
  EXPECT_NE(t.Find(u"a"), nullptr);
  EXPECT_EQ(t.Find(u"e"), nullptr);
}

TEST(XHashTable, RehashPlacesKeysInOldIndexOrder) {
  Core::XHashTable<int32_t> t;
  // Home buckets of 4: "c" 3, "g" 3 (wraps to 0), "k" 3 (wraps to 1).
  t.Insert(u"c");
  t.Insert(u"g");
  t.Insert(u"k");
  EXPECT_EQ(t.GetBucket(0).GetKey(), u"g");
  EXPECT_EQ(t.GetBucket(1).GetKey(), u"k");
  t.Insert(u"s");  // 115: home 3 of 8
  // Old order g, k, c; homes of 8: g 103%8 = 7, k 107%8 = 3, c 99%8 = 3 -> 4, then s -> 5.
  EXPECT_EQ(t.GetBucket(7).GetKey(), u"g");
  EXPECT_EQ(t.GetBucket(3).GetKey(), u"k");
  EXPECT_EQ(t.GetBucket(4).GetKey(), u"c");
  EXPECT_EQ(t.GetBucket(5).GetKey(), u"s");
}

TEST(XHashTable, NestedTablesMoveWithTheirBuckets) {
  Core::XHashTable<Core::XHashTable<int32_t>> outer;
  for (int k = 0; k < 12; ++k) {
    Core::String ns = u"urn:" + Core::String(1, char16_t(u'a' + k));
    auto& inner = outer.Insert(ns).value;
    EXPECT_EQ(inner.GetCount(), 4);
    for (int j = 0; j <= k; ++j) inner.Insert(Core::String(1, char16_t(u'A' + j))).value = j;
  }
  EXPECT_EQ(outer.GetCount(), 16);
  for (int k = 0; k < 12; ++k) {
    auto* b = outer.Find(u"urn:" + Core::String(1, char16_t(u'a' + k)));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->value.GetUsed(), k + 1);
    ASSERT_NE(b->value.Find(u"A"), nullptr);
    EXPECT_EQ(b->value.Find(Core::String(1, char16_t(u'A' + k)))->value, k);
  }
}

TEST(XHashTable, ManyKeys) {
  Core::XHashTable<int32_t> t;
  for (int i = 0; i < 5000; ++i) t.Insert(u"k" + Core::String(1, char16_t(0x100 + i))).value = i;
  for (int i = 0; i < 5000; i += 2) t.Remove(u"k" + Core::String(1, char16_t(0x100 + i)));
  for (int i = 0; i < 5000; ++i) {
    auto* b = t.Find(u"k" + Core::String(1, char16_t(0x100 + i)));
    if (i % 2) {
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->value, i);
    } else {
      EXPECT_EQ(b, nullptr);
    }
  }
  EXPECT_LE(t.GetUsed(), t.GetCount() * 3 / 4);
}

} // namespace
