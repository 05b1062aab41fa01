#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/Sort.h"

namespace {

struct Item {
  int key;
  int id;
};

// Sorts items by key, logging every call.
class Items : public Core::CSortable {
public:
  explicit Items(const std::vector<int>& keys) {
    for (int k = 0; k < int(keys.size()); ++k) items.push_back({keys[k], k});
  }
  int32_t GetCount() override { return int32_t(items.size()); }
  int32_t Compare(int32_t i, int32_t j) override {
    ++compares;
    if (logging) log.push_back("C" + std::to_string(i) + "," + std::to_string(j));
    if (tieBreak && items[i].key == items[j].key) return items[i].id - items[j].id;
    return (items[i].key > items[j].key) - (items[i].key < items[j].key);
  }
  void Swap(int32_t i, int32_t j) override {
    ++swaps;
    if (logging) log.push_back("S" + std::to_string(i) + "," + std::to_string(j));
    std::swap(items[i], items[j]);
  }
  std::vector<int> Keys() const {
    std::vector<int> keys;
    for (const auto& it : items) keys.push_back(it.key);
    return keys;
  }
  std::vector<int> Ids() const {
    std::vector<int> ids;
    for (const auto& it : items) ids.push_back(it.id);
    return ids;
  }

  std::vector<Item> items;
  std::vector<std::string> log;
  bool logging = true;
  bool tieBreak = false;  // equal keys ordered by input position
  long compares = 0, swaps = 0;
};

TEST(Sort, FewerThanTwoItemsNeedNoCalls) {
  for (const std::vector<int>& keys : {std::vector<int>{}, std::vector<int>{4}}) {
    Items items(keys);
    Core::Sort(items);
    EXPECT_TRUE(items.log.empty());
  }
}

TEST(Sort, SmallRangesAreSortedByInsertion) {
  Items items({8, 7, 6, 5, 4, 3, 2, 1});
  Core::Sort(items);
  EXPECT_EQ(items.Keys(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  // Only neighbours are compared and swapped: no pivot was chosen.
  for (const auto& call : items.log) {
    int i = 0, j = 0;
    ASSERT_EQ(std::sscanf(call.c_str() + 1, "%d,%d", &i, &j), 2);
    EXPECT_EQ(j, i + 1) << call;
  }
  EXPECT_EQ(items.swaps, 28);
}

TEST(Sort, EqualItemsOfSmallRangesStayInOrder) {
  Items items({1, 1, 1, 1, 1, 1, 1, 1});
  Core::Sort(items);
  EXPECT_EQ(items.Ids(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(items.swaps, 0);
  Items mixed({2, 1, 2, 1, 2});
  Core::Sort(mixed);
  EXPECT_EQ(mixed.Ids(), (std::vector<int>{1, 3, 0, 2, 4}));
}

TEST(Sort, PartitionTakesTheMiddleItemAndComparesWithThePivotFirst) {
  Items items({5, 3, 8, 1, 9, 2, 7, 4, 6, 0});
  Core::Sort(items);
  EXPECT_EQ(items.Keys(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  // Pivot 9 (index 4) moves to 0; i runs to the end, j stops at once.
  std::vector<std::string> start(items.log.begin(), items.log.begin() + 12);
  EXPECT_EQ(start, (std::vector<std::string>{"S4,0", "C0,1", "C0,2", "C0,3", "C0,4", "C0,5", "C0,6", "C0,7",
                                             "C0,8", "C0,9", "C0,9", "S0,9"}));
}

TEST(Sort, AllEqualItemsEndInLinearTime) {
  for (int n : {9, 10, 100, 100000}) {
    Items items(std::vector<int>(n, 3));
    items.logging = false;
    Core::Sort(items);
    std::vector<int> ids = items.Ids();
    std::sort(ids.begin(), ids.end());
    for (int k = 0; k < n; ++k) ASSERT_EQ(ids[k], k);
    EXPECT_LE(items.compares, 2L * n + 16) << n;
  }
}

TEST(Sort, MatchesAReferenceOrderOnRandomInput) {
  std::mt19937 rng(11);
  for (int n : {2, 3, 8, 9, 10, 17, 50, 64, 1000, 5000}) {
    for (int range : {2, 5, 1000000}) {
      std::vector<int> keys(n);
      for (int& k : keys) k = int(rng() % range);
      Items items(keys);
      items.logging = false;
      Core::Sort(items);
      std::sort(keys.begin(), keys.end());
      EXPECT_EQ(items.Keys(), keys) << n << " " << range;
    }
  }
}

// Ascending, descending and random input stay near n log n by partitioning.
// An ascending run followed by a descending one (an organ pipe) makes the
// middle item the largest of its range again and again, and few distinct keys
// leave most equal items in one part; neither may make the sort quadratic.
TEST(Sort, InputShapesStayNearNLogN) {
  const int n = 100000;
  struct Shape {
    const char* name;
    std::vector<int> keys;
    double factor;  // of n log2 n comparisons
  };
  std::vector<Shape> shapes;
  std::vector<int> v(n);
  for (int k = 0; k < n; ++k) v[k] = k;
  shapes.push_back({"ascending", v, 4});
  std::reverse(v.begin(), v.end());
  shapes.push_back({"descending", v, 4});
  std::mt19937 rng(5);
  for (int& k : v) k = int(rng());
  shapes.push_back({"random", v, 4});
  for (int& k : v) k = int(rng() % 10);
  shapes.push_back({"ten distinct keys", v, 8});
  for (int k = 0; k < n; ++k) v[k] = k < n / 2 ? k : n - k;
  shapes.push_back({"organ pipe", v, 8});
  for (int k = 0; k < n; ++k) v[k] = k < n / 2 ? 2 * k : 2 * (n - k) + 1;
  shapes.push_back({"organ pipe without duplicates", v, 8});
  for (auto& [name, keys, factor] : shapes) {
    Items items(keys);
    items.logging = false;
    Core::Sort(items);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(items.Keys(), keys) << name;
    EXPECT_LT(double(items.compares), factor * n * std::log2(n)) << name;
  }
}

// An adversary that decides the order of the items only as the sort compares
// them, always so that the pivot candidate sorts lowest (after McIlroy). Any
// quicksort that picks its pivot from a few items goes quadratic against it.
TEST(Sort, AdversarialCompareStaysNearNLogN) {
  class Adversary : public Core::CSortable {
  public:
    explicit Adversary(int n) : ids(n), values(n, n), gas(n) {
      for (int k = 0; k < n; ++k) ids[k] = k;
    }
    int32_t GetCount() override { return int32_t(ids.size()); }
    int32_t Compare(int32_t i, int32_t j) override {
      ++compares;
      int x = ids[i], y = ids[j];
      if (values[x] == gas && values[y] == gas) values[x == candidate ? x : y] = solid++;
      if (values[x] == gas) candidate = x;
      else if (values[y] == gas) candidate = y;
      return (values[x] > values[y]) - (values[x] < values[y]);
    }
    void Swap(int32_t i, int32_t j) override { std::swap(ids[i], ids[j]); }
    std::vector<int> ids, values;
    int gas, solid = 0, candidate = -1;
    long compares = 0;
  };
  const int n = 100000;
  Adversary adversary(n);
  Core::Sort(adversary);
  for (int k = 1; k < n; ++k) ASSERT_LE(adversary.values[adversary.ids[k - 1]], adversary.values[adversary.ids[k]]);
  EXPECT_LT(double(adversary.compares), 8.0 * n * std::log2(n));
}

// The fallback keeps the order total: with ties broken by input position
// (as every user of the sort does) the result is the one order there is.
TEST(Sort, TieBrokenResultsMatchAReferenceOnPathologicalInput) {
  for (int n : {9, 40, 1000, 30000}) {
    std::vector<int> keys(n);
    for (int k = 0; k < n; ++k) keys[k] = (k < n / 2 ? k : n - k) / 3;
    Items items(keys);
    items.logging = false;
    items.tieBreak = true;
    Core::Sort(items);
    std::vector<Item> expected = Items(keys).items;
    std::stable_sort(expected.begin(), expected.end(), [](const Item& a, const Item& b) { return a.key < b.key; });
    for (int k = 0; k < n; ++k) {
      ASSERT_EQ(items.items[k].id, expected[k].id) << n << " at " << k;
    }
  }
}

TEST(Sort, InconsistentCompareStillEnds) {
  class Coin : public Core::CSortable {
  public:
    int32_t GetCount() override { return 2000; }
    int32_t Compare(int32_t, int32_t) override { return int32_t(rng() % 3) - 1; }
    void Swap(int32_t i, int32_t j) override {
      ASSERT_GE(i, 0);
      ASSERT_LT(j, 2000);
    }
    std::mt19937 rng{3};
  } coin;
  Core::Sort(coin);
}

TEST(Sort, ExceptionsFromComparePassThrough) {
  class Throwing : public Core::CSortable {
  public:
    int32_t GetCount() override { return 20; }
    int32_t Compare(int32_t, int32_t) override { throw 42; }
    void Swap(int32_t, int32_t) override {}
  } throwing;
  EXPECT_THROW(Core::Sort(throwing), int);
}

} // namespace
