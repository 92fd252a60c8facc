// The pointer-list quicksort: its order of equal keys, random keys against std::sort, short
// lists, and comparisons that answer at random (as another program's may).
#include "core/ListSortEx.h"
#include "core/ShellSortKey.h"
#include "fuzz/ListSortCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace quolin;

namespace {

struct Item {
  int key;
  char name;
};

int ByKey(const Item* a, const Item* b) {
  return (a->key > b->key) - (a->key < b->key);
}

std::string Names(const std::vector<Item*>& list) {
  std::string names;
  for (const Item* item : list)
    names += item->name;
  return names;
}

TEST(ListSortEx, EqualKeysAndShortLists) {
  Item a{1, 'a'}, b{1, 'b'}, c{1, 'c'};
  std::vector<Item*> two{&a, &b};
  ListSortEx(two, ByKey);
  EXPECT_EQ(Names(two), "ba");
  std::vector<Item*> three{&a, &b, &c};
  ListSortEx(three, ByKey);
  EXPECT_EQ(Names(three), "cba");
  // Short lists are left alone.
  for (std::vector<Item*> list : {std::vector<Item*>{}, std::vector<Item*>{&a}}) {
    bool compared = false;
    ListSortEx(list, [&](const Item*, const Item*) {
      compared = true;
      return 0;
    });
    EXPECT_FALSE(compared) << list.size();
  }
}

TEST(ListSortEx, RandomKeysComeOutInOrder) {
  std::mt19937 random(17);
  for (int round = 0; round < 300; ++round) {
    std::vector<Item> items(random() % 40);
    for (Item& item : items)
      item.key = static_cast<int>(random() % 10) - 5;
    std::vector<Item*> list;
    for (Item& item : items)
      list.push_back(&item);
    ListSortEx(list, ByKey);
    std::vector<int> keys, expected;
    for (const Item* item : list)
      keys.push_back(item->key);
    for (const Item& item : items)
      expected.push_back(item.key);
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(keys, expected) << "round " << round;
  }
}

TEST(ListSortEx, RandomAnswersNeverReadOutsideTheList) {
  std::mt19937 random(5);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> data(1 + random() % 200);
    for (uint8_t& byte : data)
      byte = static_cast<uint8_t>(random());
    ASSERT_TRUE(fuzz::SortStaysInsideTheList(data.data(), data.size())) << "round " << round;
  }
}

// The file list's own column order: folders first, then the column's value.

int Sign(int value) {
  return (value > 0) - (value < 0);
}

TEST(ShellSortKey, ColumnOrderAndAttributeLetters) {
  TShellSortKey small{false, 10, "Text", 5, "A"};
  TShellSortKey large{false, uint64_t{1} << 32, "text document", 3, "RA"};
  TShellSortKey folder{true, 99999, "Z", 9, "Z"};
  struct Case {
    TShellColumn column;
    const TShellSortKey& a;
    const TShellSortKey& b;
    int order;
  };
  const Case cases[] = {{scSize, small, large, -1},     {scSize, large, small, 1},
                        {scSize, small, small, 0},      {scType, small, large, -1},
                        {scType, large, small, 1},      {scModified, small, large, 1},
                        {scModified, large, small, -1}, {scAttributes, small, large, -1},
                        {scName, small, large, 0},      {scName, folder, small, -1},
                        {scSize, large, folder, 1},     {scModified, folder, small, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(Sign(CompareShellSortKeys(c.column, c.a, c.b)), c.order) << c.column;
  const std::pair<uint32_t, const char*> letters[] = {{0, ""},        {1, "R"},   {33, "RA"},
                                                      {0x27, "RHSA"}, {0x10, ""}, {0x26, "HSA"}};
  for (auto [attributes, expected] : letters)
    EXPECT_EQ(AttributeLetters(attributes), expected) << attributes;
}

} // namespace
