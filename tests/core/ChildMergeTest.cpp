// The merge of a node's children with a folder's content: the runs of equal, greater, less and
// error answers, all new and all gone, a random model against the plain set result, and the
// fuzz target's invariant on random answers.
#include "core/ChildMerge.h"
#include "fuzz/ChildMergeCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace quolin;
using quolin::fuzz::TMergeModel;

namespace {

struct TMerged {
  // The names of the result, old children marked "=".
  std::string text;
  size_t unused = 0;
  size_t deleted = 0;
};

// Old children and new items as sorted names, compared by name.
TMerged Merged(const std::vector<std::string>& children, const std::vector<std::string>& items) {
  TMergeModel model(children.size(), items.size(), [&](size_t child, size_t item) {
    const int order = children[child].compare(items[item]);
    return order == 0 ? TMergeAnswer::Equal
                      : order > 0 ? TMergeAnswer::ChildGreater : TMergeAnswer::ChildLess;
  });
  MergeChildren(children.size(), items.size(), model);
  TMerged merged{"", model.unused, model.deleted};
  for (const auto& entry : model.nodes)
    merged.text += std::string(merged.text.empty() ? "" : ",") +
                   (entry.old ? "=" + children[entry.index] : items[entry.index]);
  EXPECT_TRUE(model.Sound()) << merged.text;
  return merged;
}

TEST(ShellTreeMerge, EqualGreaterLessRuns) {
  TMerged same = Merged({"b", "d"}, {"b", "d"});
  EXPECT_EQ(same.text, "=b,=d");
  EXPECT_EQ(same.unused, 2u) << "matched items are freed";
  EXPECT_EQ(Merged({"d"}, {"a", "b", "d"}).text, "a,b,=d") << "greater child: inserted before";
  TMerged gone = Merged({"a", "b", "d"}, {"d"});
  EXPECT_EQ(gone.text, "=d") << "lesser children go";
  EXPECT_EQ(gone.deleted, 2u);
  EXPECT_EQ(Merged({"b", "c"}, {"a", "c", "e"}).text, "a,=c,e") << "renamed b to a, new e";
}

TEST(ShellTreeMerge, AllNewAndAllGone) {
  TMerged fresh = Merged({}, {"a", "b"});
  EXPECT_EQ(fresh.text, "a,b");
  EXPECT_EQ(fresh.unused, 0u);
  TMerged empty = Merged({"a", "b"}, {});
  EXPECT_EQ(empty.text, "");
  EXPECT_EQ(empty.deleted, 2u);
  EXPECT_EQ(Merged({}, {}).text, "");
}

TEST(ShellTreeMerge, ErrorDeletesTheChildAndKeepsTheItem) {
  TMergeModel model(2, 1, [](size_t child, size_t) {
    return child == 0 ? TMergeAnswer::Error : TMergeAnswer::Equal;
  });
  MergeChildren(2, 1, model);
  ASSERT_TRUE(model.Sound());
  ASSERT_EQ(model.nodes.size(), 1u);
  EXPECT_TRUE(model.nodes.front().old);
  EXPECT_EQ(model.nodes.front().index, 1u) << "the second child matched the same item";
  EXPECT_EQ(model.deleted, 1u);
}

TEST(ShellTreeMerge, RandomFoldersGiveTheNewContent) {
  std::mt19937 random(4711);
  for (int round = 0; round < 500; ++round) {
    std::set<std::string> before;
    std::set<std::string> after;
    for (int i = 0; i < 12; ++i) {
      const std::string name(1, static_cast<char>('a' + random() % 16));
      if (random() % 2)
        before.insert(name);
      if (random() % 2)
        after.insert(name);
    }
    const std::vector<std::string> children(before.begin(), before.end());
    const std::vector<std::string> items(after.begin(), after.end());
    std::string expected;
    for (const std::string& name : items)
      expected += std::string(expected.empty() ? "" : ",") + (before.count(name) ? "=" : "") + name;
    ASSERT_EQ(Merged(children, items).text, expected) << "round " << round;
  }
}

TEST(ShellTreeMerge, RandomAnswersStaySound) {
  std::mt19937 random(1234);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> data(2 + random() % 40);
    for (uint8_t& byte : data)
      byte = static_cast<uint8_t>(random());
    ASSERT_TRUE(fuzz::MergeStaysSound(data.data(), data.size())) << "round " << round;
  }
}

} // namespace
