// The pointer-list quicksort: its order of equal keys, random keys against std::sort, short
// lists, and comparisons that answer at random (as another program's may).
#include "core/ListSortEx.h"

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

// The body of the fuzz target: the first byte sizes the list, the others are the comparison's
// answers in turn (below, equal, above). True when every comparison saw entries of the list
// and the sort left them all in it.
bool SortStaysInsideTheList(const uint8_t* data, size_t size) {
  if (size == 0)
    return true;
  std::vector<Item> items(data[0] % 64);
  std::vector<Item*> list;
  for (Item& item : items)
    list.push_back(&item);
  const std::set<Item*> members(list.begin(), list.end());
  bool inside = true;
  size_t next = 1;
  ListSortEx(list, [&](Item* a, Item* b) {
    inside = inside && members.count(a) && members.count(b);
    int answer = size > 1 ? data[next] % 3 - 1 : 0;
    next = next + 1 < size ? next + 1 : 1;
    return answer;
  });
  return inside && std::set<Item*>(list.begin(), list.end()) == members;
}

TEST(ListSortEx, EqualKeysChangePlaces) {
  Item a{1, 'a'}, b{1, 'b'}, c{1, 'c'};
  std::vector<Item*> two{&a, &b};
  ListSortEx(two, ByKey);
  EXPECT_EQ(Names(two), "ba");
  std::vector<Item*> three{&a, &b, &c};
  ListSortEx(three, ByKey);
  EXPECT_EQ(Names(three), "cba");
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

TEST(ListSortEx, ShortListsAreLeftAlone) {
  Item a{1, 'a'};
  for (std::vector<Item*> list : {std::vector<Item*>{}, std::vector<Item*>{&a}}) {
    bool compared = false;
    ListSortEx(list, [&](const Item*, const Item*) {
      compared = true;
      return 0;
    });
    EXPECT_FALSE(compared) << list.size();
  }
}

TEST(ListSortEx, RandomAnswersNeverReadOutsideTheList) {
  std::mt19937 random(5);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> data(1 + random() % 200);
    for (uint8_t& byte : data)
      byte = static_cast<uint8_t>(random());
    ASSERT_TRUE(SortStaysInsideTheList(data.data(), data.size())) << "round " << round;
  }
}

} // namespace
