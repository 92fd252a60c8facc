#include "core/FindOpenBrowser.h"
#include "core/ResConst.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quolin {
namespace {

using Names = std::vector<std::string>;

bool Shows(const char* name, bool allFiles, std::string_view list = res::FindOpenTextFileDefault) {
  return ShowsInFindOpenList(name, false, allFiles, list);
}

TEST(FindOpenFilter, TextFilesByDefaultEveryFileOnRequest) {
  for (const char* name : {"C:\\w\\main.log", "A.TEX", "表.tex", "C:\\表\\b.Bib"}) {
    EXPECT_TRUE(Shows(name, false)) << name;
    EXPECT_TRUE(Shows(name, true)) << name;
  }
  for (const char* name : {"style.sty", "README", "a.tex.bak", "a.te", "a.texx", "C:\\a.tex\\b"}) {
    EXPECT_FALSE(Shows(name, false)) << name;
    EXPECT_TRUE(Shows(name, true)) << name;
  }
}

TEST(FindOpenFilter, FoldersNever) {
  for (bool allFiles : {false, true})
    EXPECT_FALSE(ShowsInFindOpenList("C:\\w\\sub.tex", true, allFiles,
                                     res::FindOpenTextFileDefault));
}

TEST(FindOpenFilter, StoredListReplacesTheDefault) {
  EXPECT_TRUE(Shows("a.sty", false, ".sty."));
  EXPECT_TRUE(Shows("A.STY", false, ".sty."));
  EXPECT_FALSE(Shows("a.tex", false, ".sty."));
  EXPECT_FALSE(Shows("a.st", false, ".sty."));
  EXPECT_FALSE(Shows("a.tex", false, ""));
}

class PreviewHistoryTest : public testing::Test {
protected:
  void Preview(const Names& paths) {
    for (const std::string& path : paths)
      history.Push(path);
  }
  TPreviewHistory history;
};

TEST_F(PreviewHistoryTest, BackAndForwardByOne) {
  Preview({"A", "B", "C"});
  EXPECT_EQ(history.GoBack(0), "B");
  EXPECT_EQ(history.BackList(), (Names{"B", "A"}));
  EXPECT_EQ(history.ForwardList(), (Names{"C"}));
  EXPECT_EQ(history.GoForward(0), "C");
  EXPECT_EQ(history.BackList(), (Names{"C", "B", "A"}));
  EXPECT_TRUE(history.ForwardList().empty());
}

TEST_F(PreviewHistoryTest, APreviewAfterGoingBackDropsTheForwardList) {
  Preview({"A", "B", "C"});
  history.GoBack(0);
  history.Push("D");
  EXPECT_EQ(history.BackList(), (Names{"D", "B", "A"}));
  EXPECT_TRUE(history.ForwardList().empty());
  EXPECT_FALSE(history.CanGoForward());
}

TEST_F(PreviewHistoryTest, MenuEntriesGoByTheirIndex) {
  Preview({"A", "B", "C", "D"});
  EXPECT_EQ(history.BackMenu(), (Names{"C", "B", "A"}));
  EXPECT_EQ(history.GoBack(2), "A");
  EXPECT_EQ(history.ForwardMenu(), (Names{"B", "C", "D"}));
  EXPECT_EQ(history.GoForward(1), "C");
  EXPECT_EQ(history.BackList(), (Names{"C", "B", "A"}));
  EXPECT_EQ(history.ForwardList(), (Names{"D"}));
}

TEST_F(PreviewHistoryTest, MovesOutOfRangeChangeNothing) {
  EXPECT_FALSE(history.GoBack(0));
  EXPECT_FALSE(history.GoForward(0));
  Preview({"A"});
  EXPECT_FALSE(history.GoBack(0)) << "one entry is the file shown";
  Preview({"B", "C"});
  EXPECT_FALSE(history.GoBack(2)) << "n + 1 reaches the count";
  EXPECT_EQ(history.GoBack(1), "A") << "n + 1 just below the count";
  EXPECT_FALSE(history.GoForward(2)) << "n reaches the forward count";
  EXPECT_EQ(history.BackList(), (Names{"A"}));
  EXPECT_EQ(history.ForwardList(), (Names{"B", "C"}));
  EXPECT_EQ(history.GoForward(1), "C") << "n just below the forward count";
}

TEST_F(PreviewHistoryTest, MenusHoldAtMostSixteen) {
  for (int file = 1; file <= 20; ++file) {
    std::string name(1, 'F');
    history.Push(name += std::to_string(file));
  }
  Names back = history.BackMenu();
  ASSERT_EQ(back.size(), TPreviewHistory::MenuLimit);
  EXPECT_EQ(back.front(), "F19") << "from the back list's second entry";
  EXPECT_EQ(back.back(), "F4");
  EXPECT_EQ(history.GoBack(18), "F1");
  Names forward = history.ForwardMenu();
  ASSERT_EQ(forward.size(), TPreviewHistory::MenuLimit);
  EXPECT_EQ(forward.front(), "F2") << "from the forward list's first entry";
  EXPECT_EQ(forward.back(), "F17");
}

TEST_F(PreviewHistoryTest, ButtonStates) {
  EXPECT_FALSE(history.CanGoBack());
  Preview({"A"});
  EXPECT_FALSE(history.CanGoBack());
  EXPECT_FALSE(history.CanGoForward());
  Preview({"B"});
  EXPECT_TRUE(history.CanGoBack());
  history.GoBack(0);
  EXPECT_FALSE(history.CanGoBack());
  EXPECT_TRUE(history.CanGoForward());
  EXPECT_TRUE(history.BackMenu().empty());
  EXPECT_EQ(history.ForwardMenu(), (Names{"B"}));
}

} // namespace
} // namespace quolin
