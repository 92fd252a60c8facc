// The shell tree under real pointer input: a press on a node selects on release, a move of 6
// pixels with the button down asks to drag, a release outside ends the press, and a press on
// the expand button opens and fills the node. These tests move the pointer: they run alone.
#include "shell/PointerGestures.h"
#include "shell/ShellTreeFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <vector>

using namespace quolin;
using namespace quolin::test_support;
using uitest::InputDriver;

namespace {

class ShellTreeMouse : public ShellTree {
protected:
  ShellTreeMouse() {
    tree_->StopWatching();
    for (const char* name : {"a", "a\\inner", "b"})
      CreateDirectoryA((top_ / name).c_str(), nullptr);
    OpenDriveE();
    NodeOf(top_.Path())->Expand(false);
    a_ = NodeOf(top_ / "a");
    tree_->OnChange = [this](TObject*, TTreeNode* node) { changed_ = node; };
    tree_->OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
      lastMove_ = x * 10000 + y;
    };
    tree_->OnShBeginDrag = [this](TObject*, TTreeNode*, const POINT& pt, int x, int y,
                                  bool& canDrag) {
      distances_.push_back(std::max(std::abs(x - pt.x), std::abs(y - pt.y)));
      asked_ = true;
      canDrag = false; // never the shell's drag loop
    };
  }

  InputDriver::Step Until(std::function<bool()> condition) {
    return gestures_.Until(std::move(condition));
  }
  // Waits until the tree handled a move to the screen point.
  InputDriver::Step MovedTo(POINT screen) {
    const POINT client = tree_->ScreenToClient(screen);
    return Until([this, client] { return lastMove_ == client.x * 10000 + client.y; });
  }
  // A screen point on the node's label.
  POINT OnLabel(TTreeNode* node) {
    const RECT rect = ItemRect(node);
    return tree_->ClientToScreen(POINT{rect.left + 3, (rect.top + rect.bottom) / 2});
  }
  // Runs the gesture until an attempt was not void; reset puts back what a void one changed.
  bool Run(const std::function<PointerGestures::Steps()>& gesture,
           const std::function<void()>& reset) {
    return gestures_.Run(gesture, [&] {
      reset();
      changed_ = nullptr;
      asked_ = false;
      distances_.clear();
      lastMove_ = -1;
    });
  }

  TempFolder top_{"mouse", "E:\\"};
  TTreeNode* a_ = nullptr;
  std::atomic<TTreeNode*> changed_{nullptr};
  std::atomic<bool> asked_{false};
  // The last move the tree handled, as x * 10000 + y.
  std::atomic<int> lastMove_{-1};
  std::vector<int> distances_;
  PointerGestures gestures_{*form_, *tree_, [this] { return tree_->MouseState() == 0; }};
};

TEST_F(ShellTreeMouse, APressSelectsOnReleaseAndFivePixelsDoNotDrag) {
  ASSERT_NE(a_, nullptr);
  const POINT start = OnLabel(a_);
  // Each step waits for the tree to handle it; the release may come before the tree handled
  // the last move.
  const POINT five{start.x + 5, start.y};
  const POINT fiveFive{start.x + 5, start.y + 5};
  TTreeNode* before = NodeOf(top_.Path());
  ASSERT_NE(before, nullptr);
  before->SetSelected(true);
  uitest::Pump();
  ASSERT_TRUE(Run(
      [&]() -> PointerGestures::Steps {
        return {InputDriver::MoveTo(start), InputDriver::LeftDown(),
                Until([&] { return tree_->MouseState() == 1; }), InputDriver::MoveTo(five),
                MovedTo(five), InputDriver::MoveTo(fiveFive), MovedTo(fiveFive),
                InputDriver::LeftUp(), Until([&] { return changed_ == a_; })};
      },
      [&] { before->SetSelected(true); }));
  EXPECT_EQ(tree_->Selected(), a_);
  EXPECT_FALSE(asked_);
  EXPECT_EQ(tree_->MouseState(), 0);
  EXPECT_EQ(tree_->DropTarget(), nullptr);
}

TEST_F(ShellTreeMouse, SixPixelsAskToDragAndAReleaseOutsideEndsThePress) {
  ASSERT_NE(a_, nullptr);
  const POINT start = OnLabel(a_);
  const POINT outside = form_->ClientToScreen(POINT{600, 400});
  ASSERT_TRUE(Run(
      [&]() -> PointerGestures::Steps {
        return {InputDriver::MoveTo(start),
                InputDriver::LeftDown(),
                InputDriver::MoveTo(POINT{start.x, start.y + 6}),
                Until([&] { return asked_.load(); }),
                InputDriver::MoveTo(outside),
                InputDriver::LeftUp(),
                Until([&] { return tree_->MouseState() == 0; })};
      },
      [] {}));
  ASSERT_FALSE(distances_.empty());
  EXPECT_EQ(*std::min_element(distances_.begin(), distances_.end()), 6);
  EXPECT_EQ(tree_->MouseState(), 0);
  TTreeNode* b = NodeOf(top_ / "b");
  ASSERT_NE(b, nullptr);
  b->SetSelected(true);
  EXPECT_EQ(tree_->Selected(), b) << "selections are taken again";
}

TEST_F(ShellTreeMouse, APressOnTheButtonOpensAndFills) {
  ASSERT_TRUE(a_ && a_->HasChildren() && !a_->Expanded() && a_->Count() == 0);
  const RECT rect = ItemRect(a_);
  const int y = (rect.top + rect.bottom) / 2;
  POINT button{-1, y};
  for (int x = 0; x < rect.left && button.x < 0; ++x) {
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    SendMessageA(tree_->Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.flags & TVHT_ONITEMBUTTON)
      button.x = x;
  }
  ASSERT_GE(button.x, 0);
  const POINT screen = tree_->ClientToScreen(POINT{button.x + 2, y});
  ASSERT_TRUE(Run(
      [&]() -> PointerGestures::Steps {
        return {InputDriver::MoveTo(screen), InputDriver::LeftDown(), InputDriver::LeftUp(),
                Until([&] { return a_->Expanded(); })};
      },
      [&] { a_->Collapse(false); }));
  EXPECT_TRUE(a_->Expanded());
  EXPECT_EQ(ChildTexts(a_), std::vector<std::string>{"inner"});
  EXPECT_EQ(tree_->MouseState(), 0);
}

} // namespace
