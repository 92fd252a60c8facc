// The merge of a node's children run on a model: a list of old children and inserted items,
// changed by the merge's steps as a tree would be. The answers of the comparison come from a
// function, so the fuzz target can give any and the tests a consistent one. Shared by the fuzz
// target and the core tests.
#pragma once

#include "core/ChildMerge.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <list>
#include <vector>

namespace quolin::fuzz {

struct TMergeModel final : TChildMergeSteps {
  // An old child or a new item's node.
  struct Entry {
    bool old;
    size_t index;
    // The item an old child was kept for.
    size_t keptFor;
  };

  TMergeModel(size_t children, size_t items,
              std::function<TMergeAnswer(size_t child, size_t item)> answer)
      : childSeen(children, 0), itemSeen(items, 0), answer_(std::move(answer)) {
    for (size_t i = 0; i < children; ++i)
      places_.push_back(nodes.insert(nodes.end(), Entry{true, i, 0}));
  }

  std::list<Entry> nodes;
  // How often each old child was kept or deleted, each new item used or left unused.
  std::vector<int> childSeen;
  std::vector<int> itemSeen;
  size_t steps = 0;
  size_t unused = 0;
  size_t deleted = 0;
  // A step named a position outside the runs or a child already gone.
  bool outside = false;

  TMergeAnswer Compare(size_t child, size_t item) override {
    outside = outside || child >= childSeen.size() || item >= itemSeen.size();
    return answer_(child, item);
  }
  void Keep(size_t child, size_t item) override {
    if (Count(child, item))
      places_[child]->keptFor = item;
    ++unused;
  }
  void InsertBefore(size_t child, size_t item) override {
    if (Count(SIZE_MAX, item) && child < places_.size())
      nodes.insert(places_[child], Entry{false, item, 0});
    else
      outside = true;
  }
  void Delete(size_t child) override {
    if (Count(child, SIZE_MAX))
      nodes.erase(places_[child]);
    ++deleted;
  }
  void Append(size_t item) override {
    if (Count(SIZE_MAX, item))
      nodes.push_back(Entry{false, item, 0});
  }

  // Every child and item met once, and the nodes stand for the items in their order.
  bool Sound() const {
    if (outside)
      return false;
    for (int seen : childSeen)
      if (seen != 1)
        return false;
    for (int seen : itemSeen)
      if (seen != 1)
        return false;
    if (nodes.size() != itemSeen.size() || steps > childSeen.size() + itemSeen.size())
      return false;
    size_t item = 0;
    for (const Entry& entry : nodes)
      if ((entry.old ? entry.keptFor : entry.index) != item++)
        return false;
    return true;
  }

private:
  bool Count(size_t child, size_t item) {
    ++steps;
    bool inside = true;
    if (child != SIZE_MAX)
      inside = child < childSeen.size() && ++childSeen[child] == 1;
    if (item != SIZE_MAX)
      inside = inside && item < itemSeen.size() && ++itemSeen[item] == 1;
    outside = outside || !inside;
    return inside;
  }

  std::function<TMergeAnswer(size_t, size_t)> answer_;
  std::vector<std::list<Entry>::iterator> places_;
};

// The first two bytes size the runs, the others answer the comparisons in turn.
inline bool MergeStaysSound(const uint8_t* data, size_t size) {
  if (size < 2)
    return true;
  size_t next = 2;
  TMergeModel model(data[0] % 32, data[1] % 32, [&](size_t, size_t) {
    const auto answer = static_cast<TMergeAnswer>(next < size ? data[next] % 4 : 0);
    next = next + 1 < size ? next + 1 : 2;
    return answer;
  });
  MergeChildren(model.childSeen.size(), model.itemSeen.size(), model);
  return model.Sound();
}

} // namespace quolin::fuzz
