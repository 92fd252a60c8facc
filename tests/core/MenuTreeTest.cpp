#include "core/MenuTree.h"
#include "core/StringList.h"
#include "core/UserDataRoundTrip.h"

#include <gtest/gtest.h>

#include <random>

using namespace quolin;

namespace {

std::string Line(const char* caption, int parent, int level, int kind, int id = 0) {
  return BuildMenuLine({caption, parent, level, kind, id, 0});
}

// Main menu: A (with A1, A2 (with A21)), B; main pop-up: P; editor pop-up: E (with E1).
// Absolute indices: root0 0, A 1, A1 2, A2 3, A21 4, B 5, root1 6, P 7, root2 8, E 9, E1 10.
TStringList SampleLines() {
  TStringList lines;
  for (const auto& line :
       {Line("A", 0, 1, 0), Line("A1", 1, 2, 0, 3), Line("A2", 1, 2, 0), Line("A21", 3, 3, 0, -1),
        Line("B", 0, 1, 0, 4), Line("P", 6, 1, 1, 5), Line("E", 8, 1, 2), Line("E1", 9, 2, 2, 6)})
    lines.Add(line);
  return lines;
}

TMenuTree SampleTree() {
  TMenuTree tree;
  tree.LoadLines(SampleLines());
  return tree;
}

std::string Captions(const TMenuNode& node) {
  std::string text = node.Record.Caption;
  if (node.Children.empty())
    return text;
  text += "(";
  for (const auto& child : node.Children)
    text += Captions(*child) + " ";
  text.back() = ')';
  return text;
}

TEST(MenuTree, LinesToTreeAndBack) {
  TMenuTree tree = SampleTree();
  EXPECT_EQ(Captions(tree.Root(mkMainMenu)), "メイン(A(A1 A2(A21)) B)");
  EXPECT_EQ(Captions(tree.Root(mkMainPopup)), "メインポップアップ(P)");
  EXPECT_EQ(Captions(tree.Root(mkEditorPopup)), "編集ポップアップ(E(E1))");
  TStringList written;
  tree.WriteLines(written);
  EXPECT_EQ(written.Text(), SampleLines().Text());
}

TEST(MenuTree, EmptyRootsWriteNothing) {
  TMenuTree tree;
  TStringList lines;
  lines.Add("stale");
  tree.WriteLines(lines);
  EXPECT_EQ(lines.Count(), 0);
  tree.LoadLines(lines);
  EXPECT_TRUE(tree == TMenuTree());
}

TEST(MenuTree, CorruptLinesGoUnderTheirRootOrAreSkipped) {
  TStringList lines;
  for (const auto& line :
       {Line("far", 99, 1, 1), Line("neg", -4, 1, 2), Line("kind", 0, 1, 3), Line("ok", 2, 2, 1)})
    lines.Add(line);
  TMenuTree tree;
  tree.LoadLines(lines);
  EXPECT_EQ(Captions(tree.Root(mkMainMenu)), "メイン");
  EXPECT_EQ(Captions(tree.Root(mkMainPopup)), "メインポップアップ(far(ok))");
  EXPECT_EQ(Captions(tree.Root(mkEditorPopup)), "編集ポップアップ(neg)");
}

TEST(MenuTree, TreesDifferInAnyComparedFieldOfAnyNode) {
  TMenuTree loaded;
  loaded.LoadLines(SampleLines());
  TMenuTree same;
  same.LoadLines(SampleLines());
  EXPECT_TRUE(loaded == same);
  // Each change is made to a node below the first level, and one in the last root.
  TMenuNode& a21 = *loaded.Root(mkMainMenu).Children[0]->Children[1]->Children[0];
  TMenuNode& e1 = *loaded.Root(mkEditorPopup).Children[0]->Children[0];
  const struct {
    const char* field;
    TMenuNode& node;
    void (*change)(TMenuNode&);
  } cases[] = {
      {"caption", a21, [](TMenuNode& node) { node.Record.Caption += "x"; }},
      {"command", a21, [](TMenuNode& node) { node.Record.CommandId = 7; }},
      {"short-cut", a21, [](TMenuNode& node) { node.Record.ShortCut = 0x4041; }},
      {"short-cut in the last root", e1, [](TMenuNode& node) { node.Record.ShortCut = 0x70; }},
      {"children", a21, [](TMenuNode& node) { node.AddChild({}); }},
  };
  for (const auto& c : cases) {
    const TQuolin_MenuList record = c.node.Record;
    c.change(c.node);
    EXPECT_FALSE(same == loaded) << c.field;
    EXPECT_FALSE(loaded == same) << c.field;
    c.node.Record = record;
    c.node.Children.clear();
    EXPECT_TRUE(loaded == same) << c.field;
  }
}

std::string AllCaptions(const TMenuTree& tree) {
  return Captions(tree.Root(mkMainMenu)) + " " + Captions(tree.Root(mkMainPopup)) + " " +
         Captions(tree.Root(mkEditorPopup));
}

// The written lines load into the tree they were written from.
void ExpectLinesReload(const TMenuTree& tree) {
  TStringList lines;
  tree.WriteLines(lines);
  TMenuTree again;
  again.LoadLines(lines);
  EXPECT_TRUE(again == tree) << lines.Text();
}

TEST(MenuTreeMove, MovesASubtreeBeforeItsTarget) {
  const struct {
    const char* what;
    int source, target;
    const char* expected;
  } cases[] = {
      {"before an earlier sibling", 5, 1,
       "メイン(B A(A1 A2(A21))) メインポップアップ(P) 編集ポップアップ(E(E1))"},
      {"before the sibling just before it", 3, 2,
       "メイン(A(A2(A21) A1) B) メインポップアップ(P) 編集ポップアップ(E(E1))"},
      {"before the node just past its subtree", 1, 5,
       "メイン(A(A1 A2(A21)) B) メインポップアップ(P) 編集ポップアップ(E(E1))"},
      {"into another tree", 3, 7,
       "メイン(A(A1) B) メインポップアップ(A2(A21) P) 編集ポップアップ(E(E1))"},
      {"before a node of another depth", 10, 4,
       "メイン(A(A1 A2(E1 A21)) B) メインポップアップ(P) 編集ポップアップ(E)"},
      {"from the last place to the first", 10, 1,
       "メイン(E1 A(A1 A2(A21)) B) メインポップアップ(P) 編集ポップアップ(E)"},
  };
  for (const auto& c : cases) {
    TMenuTree tree = SampleTree();
    EXPECT_TRUE(tree.MoveBefore(c.source, c.target)) << c.what;
    EXPECT_EQ(AllCaptions(tree), c.expected) << c.what;
    EXPECT_EQ(tree.Count(), 11) << c.what;
    ExpectLinesReload(tree);
  }
}

TEST(MenuTreeMove, RefusesCyclesRootsAndPlacesOutsideTheTree) {
  const struct {
    const char* what;
    int source, target;
  } cases[] = {
      {"onto itself", 1, 1},        {"onto a child", 1, 2},         {"onto a grandchild", 1, 4},
      {"onto its last node", 3, 4}, {"a root", 6, 1},               {"onto a root", 2, 8},
      {"onto the first root", 2, 0}, {"source before the tree", -1, 2}, {"source past it", 11, 2},
      {"target before the tree", 2, -1}, {"target past it", 2, 11},
  };
  const std::string before = AllCaptions(SampleTree());
  for (const auto& c : cases) {
    TMenuTree tree = SampleTree();
    EXPECT_FALSE(tree.MoveBefore(c.source, c.target)) << c.what;
    EXPECT_EQ(AllCaptions(tree), before) << c.what;
  }
}

TEST(MenuTreeMove, TheRuleOnPositions) {
  // A node at 3 whose subtree takes places 3 and 4.
  EXPECT_TRUE(TMenuTree::CanMoveBefore(3, 2, false, 2, false));
  EXPECT_FALSE(TMenuTree::CanMoveBefore(3, 2, false, 3, false));
  EXPECT_FALSE(TMenuTree::CanMoveBefore(3, 2, false, 4, false));
  EXPECT_TRUE(TMenuTree::CanMoveBefore(3, 2, false, 5, false));
  EXPECT_FALSE(TMenuTree::CanMoveBefore(3, 2, true, 5, false));
  EXPECT_FALSE(TMenuTree::CanMoveBefore(3, 2, false, 5, true));
}

TEST(UserDataRoundTrip, RandomBytesKeepTheirMeaning) {
  std::mt19937 random(19);
  const std::string alphabet = "0123456789ABCDEFabcdef\t\r\n-$tfTg表ソ";
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i)
      bytes += random() % 4 ? alphabet[random() % alphabet.size()] : static_cast<char>(random());
    ASSERT_TRUE(test_support::UserDataLinesRoundTrip(bytes)) << round;
  }
}

} // namespace
