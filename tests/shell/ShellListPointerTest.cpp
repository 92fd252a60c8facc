// The shell list view under real pointer input: the native list's own tracking takes the first
// moves; the list asks OnShBeginDrag only from 6 pixels on, and is idle again once the button
// is up. These tests move the pointer: they run alone.
#include "common/TempFolder.h"
#include "shell/PointerGestures.h"
#include "shell/ShellListView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

using namespace quolin;
using namespace quolin::test_support;
using uitest::InputDriver;

namespace {

TEST(ShellListPointer, SixPixelsAskOnShBeginDragWhichMayRefuse) {
  TempFolder folder;
  TempFolder::WriteFile(folder / "drag.txt", "text");
  TOwned<TForm> form = uitest::MakeForm();
  form->SetBounds(0, 0, 640, 480);
  form->Show();
  auto* list = TComponent::Create<TShellListView>(form.get(), "ShellListView1");
  list->SetParent(form.get());
  list->SetViewStyle(TViewStyle::vsReport);
  list->SetBounds(0, 0, 600, 400);
  ASSERT_TRUE(list->SetFolderPath(folder.Path().substr(0, folder.Path().size() - 1)));
  list->SetSelected(0, true);
  const RECT rect = list->ItemRect(0, LVIR_LABEL);
  const POINT start = list->ClientToScreen(POINT{rect.left + 4, rect.top + 4});
  std::vector<int> distances;
  std::atomic<bool> asked{false};
  list->OnShBeginDrag = [&](TObject*, TShellIDList& ids, const POINT& pt, int x, int,
                            bool& canDrag) {
    distances.push_back(x - pt.x);
    EXPECT_EQ(ids.Count(), 1);
    asked = true;
    canDrag = false;
  };
  // A list whose release went elsewhere goes idle at its next move, once the button is up.
  PointerGestures gestures(*form, *list, [] { return GetAsyncKeyState(VK_LBUTTON) >= 0; });
  ASSERT_TRUE(gestures.Run(
      [&]() -> PointerGestures::Steps {
        return {InputDriver::MoveTo(start),
                InputDriver::LeftDown(),
                InputDriver::MoveTo(POINT{start.x + 5, start.y}),
                InputDriver::MoveTo(POINT{start.x + 6, start.y}),
                gestures.Until([&] { return asked.load(); }),
                InputDriver::LeftUp(),
                gestures.Until([&] { return list->MouseState() == 0; })};
      },
      [&] {
        distances.clear();
        asked = false;
      }));
  ASSERT_FALSE(distances.empty());
  EXPECT_EQ(*std::min_element(distances.begin(), distances.end()), 6);
  EXPECT_EQ(list->MouseState(), 0);
}

} // namespace
