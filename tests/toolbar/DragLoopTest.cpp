// Tool windows dragged and sized with the real pointer and keyboard: from dock to dock, into new
// rows and out to float, with Ctrl, Escape and a right click, the no-entry cursor, a window kept
// on screen, and the loops giving back capture, lock, clip and outline, an exception too.
#include "PointerFixture.h"

#include <atomic>
#include <stdexcept>
#include <vector>

using namespace docktest;

namespace {

// The screen's pixels of a rectangle.
std::vector<COLORREF> ScreenPixels(const RECT& rect) {
  TBitmap bitmap;
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  bitmap.SetSize(width, height);
  HDC screen = GetDC(nullptr);
  {
    TMemoryDC dc(bitmap.Handle());
    BitBlt(dc.Get(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  std::vector<COLORREF> pixels(static_cast<size_t>(width * height));
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap.Handle(), 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return pixels;
}

// Set by a timer of the test's thread, which runs inside the loop, once the loop shows the
// no-entry cursor.
std::atomic<bool> noEntry{false};
void CALLBACK WatchForNoEntry(HWND, UINT, UINT_PTR, DWORD) {
  if (GetCursor() == LoadCursor(nullptr, IDC_NO))
    noEntry = true;
}

class DragLoop : public PointerForm {
protected:
  // The drag's outline and its cursor are gone, the desktop can be locked again.
  static void ExpectNothingLeft(const RECT& area, const std::vector<COLORREF>& before) {
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(LockWindowUpdate(GetDesktopWindow()));
    LockWindowUpdate(nullptr);
    EXPECT_TRUE(ScreenPixels(area) == before) << "an outline is left on the screen";
  }
};

TEST_F(DragLoop, MovesBetweenDocksAndRows) {
  TToolWindow* window = Window(100, 30, top);
  TToolWindow* other = Window(80, 30, top);
  other->SetDockRow(0);
  uitest::Pump();
  RECT before = WindowRect(*window);
  POINT press = Handle(*window);
  DragGrip grip = GripOf({press.x - before.left, press.y - before.top}, before.right - before.left,
                         before.bottom - before.top);
  RECT leftDock = WindowRect(*left);
  // The empty left dock counts as 2 pixels wide, the grip near the window's left adds 2.
  POINT drop{leftDock.left + 1, leftDock.top + 60};
  Drag(*window, press, Moves({{press.x + 30, press.y + 30}, drop}));
  ASSERT_EQ(window->DockedTo(), left);
  EXPECT_EQ(window->DockRow(), 0);
  DockRect outline = PlaceDragRect({drop.x, drop.y}, {104 + 0, 34 + 9}, grip);
  EXPECT_EQ(window->DockPos(), outline.top - leftDock.top);

  // Back onto the top dock: 3 pixels from the start of row 0 makes a new row in front of it.
  RECT row = WindowRect(*other);
  POINT from = Handle(*window);
  RECT now = WindowRect(*window);
  grip = GripOf({from.x - now.left, from.y - now.top}, now.right - now.left, now.bottom - now.top);
  DockSize onTop{113, 34};
  int pointerForCentre =
      row.top + 3 - onTop.cy / 2 + quolin::MulDiv(onTop.cy - 1, grip.offset.y, grip.reference.cy);
  Drag(*window, from, Moves({{from.x + 40, from.y}, {row.right + 20, pointerForCentre}}));
  ASSERT_EQ(window->DockedTo(), top);
  EXPECT_EQ(window->DockRow(), 0);
  EXPECT_EQ(other->DockRow(), 1) << "moved down for the new row";
  // Well inside the other's row: it joins it.
  row = WindowRect(*other);
  from = Handle(*window);
  Drag(*window, from,
       Moves({{from.x + 40, from.y + 10}, {row.right + 20, (row.top + row.bottom) / 2}}));
  EXPECT_EQ(window->DockRow(), other->DockRow());
}

TEST_F(DragLoop, CtrlFloatsEscapeAndRightClickChangeNothing) {
  TToolWindow* window = Window(100, 30, top);
  uitest::Pump();
  RECT leftDock = WindowRect(*left);
  POINT overLeft{leftDock.left + 4, leftDock.top + 60};
  POINT press = Handle(*window);
  Steps ctrlHeld{InputDriver::Key(VK_CONTROL, true)};
  Steps moves = Moves({{press.x + 20, press.y + 20}, overLeft});
  ctrlHeld.insert(ctrlHeld.end(), moves.begin(), moves.end());
  Drag(*window, press, ctrlHeld);
  InputDriver release({InputDriver::Key(VK_CONTROL, false)});
  ASSERT_TRUE(uitest::PumpUntil([&] { return release.Done(); }));
  EXPECT_FALSE(window->Docked()) << "Ctrl held: floats";

  // Ctrl down, then up over the dock: it docks.
  POINT caption = Caption(*window);
  Steps toggled = Moves({{caption.x + 20, caption.y + 20}});
  toggled.push_back(InputDriver::Key(VK_CONTROL, true));
  toggled.push_back(InputDriver::MoveTo(overLeft));
  toggled.push_back(InputDriver::Key(VK_CONTROL, false));
  toggled.push_back(InputDriver::MoveTo({overLeft.x, overLeft.y + 1}));
  Drag(*window, caption, toggled);
  EXPECT_EQ(window->DockedTo(), left);

  // Escape cancels.
  const int row = window->DockRow();
  const int position = window->DockPos();
  press = Handle(*window);
  RECT area = WindowRect(*form);
  std::vector<COLORREF> pixels = ScreenPixels(area);
  Steps escape = Moves({{press.x + 150, press.y + 100}});
  Steps keys = Keys(VK_ESCAPE);
  escape.insert(escape.end(), keys.begin(), keys.end());
  Drag(*window, press, escape);
  EXPECT_EQ(window->DockedTo(), left);
  EXPECT_EQ(window->DockRow(), row);
  EXPECT_EQ(window->DockPos(), position);
  ExpectNothingLeft(area, pixels);
  // A right click is swallowed. The press keeps apart from the last one, which would make a
  // double-click.
  press.x += 8;
  Drag(*window, press,
       {InputDriver::MoveTo({press.x + 150, press.y + 100}), InputDriver::RightDown(),
        InputDriver::RightUp(), InputDriver::MoveTo(press)});
  EXPECT_EQ(window->DockedTo(), left);
  EXPECT_EQ(window->DockRow(), row);
  EXPECT_EQ(window->DockPos(), position);
}

TEST_F(DragLoop, DockModesAndTheScreenEdge) {
  TToolWindow* window = Window(100, 30, top);
  window->SetDockMode(TToolWindowDockMode::dmCannotFloat);
  uitest::Pump();
  POINT press = Handle(*window);
  RECT client = WindowRect(*form);
  POINT away{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
  noEntry = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 10, WatchForNoEntry);
  Drag(*window, press,
       {InputDriver::MoveTo(away), InputDriver::WaitFor([] { return noEntry.load(); })});
  KillTimer(nullptr, timer);
  EXPECT_EQ(window->DockedTo(), top) << "cannot float: stays";

  // Its own dock only: the left dock is no target.
  window->SetDockMode(TToolWindowDockMode::dmCannotFloatOrChangeDocks);
  RECT leftDock = WindowRect(*left);
  // Presses apart from the last one, which would make a double-click.
  press = {Handle(*window).x, Handle(*window).y + 8};
  Drag(*window, press, Moves({{leftDock.left + 1, leftDock.top + 60}}));
  EXPECT_EQ(window->DockedTo(), top);

  // Dragged off the screen: frame + 4 pixels stay, the caption below the top.
  window->SetDockMode(TToolWindowDockMode::dmCanFloat);
  press = {Handle(*window).x, Handle(*window).y - 8};
  Drag(*window, press, Moves({{press.x, 300}, {2, 0}}));
  ASSERT_FALSE(window->Docked());
  RECT work = Screen->WorkAreaOf(WindowRect(*window));
  RECT rect = WindowRect(*window);
  int frame = GetSystemMetrics(SM_CXSIZEFRAME);
  EXPECT_GE(rect.right, work.left + frame + 4);
  EXPECT_GE(rect.top + GetSystemMetrics(SM_CYSIZEFRAME) + GetSystemMetrics(SM_CYSMCAPTION),
            work.top + 4);
}

TEST_F(DragLoop, AnExceptionInTheLoopLeavesNothingHeld) {
  TToolWindow* window = Window(100, 30, top);
  auto* events = TComponent::Create<TApplicationEvents>(form.get());
  int errors = 0;
  events->OnException = [&](TObject*, std::exception_ptr) { ++errors; };
  left->OnRequestDock = [](TObject*, TCustomToolWindow*, bool&) {
    throw std::runtime_error("refused");
  };
  uitest::Pump();
  RECT area = WindowRect(*form);
  std::vector<COLORREF> pixels = ScreenPixels(area);
  RECT leftDock = WindowRect(*left);
  POINT press = Handle(*window);
  Drag(*window, press,
       Moves({{press.x + 20, press.y + 40}, {leftDock.left + 1, leftDock.top + 60}}));
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(window->DockedTo(), top);
  ExpectNothingLeft(area, pixels);
}

TEST_F(DragLoop, SizingFollowsTheBorderDownToTheMinimum) {
  TToolWindow* window = Window(100, 60, nullptr);
  window->SetBounds(300, 300, window->Width(), window->Height());
  uitest::Pump();
  ASSERT_TRUE(IsWindowVisible(window->Handle()));
  RECT rect = WindowRect(*window);
  POINT border{rect.right - 1, (rect.top + rect.bottom) / 2};
  ASSERT_EQ(SendMessageA(window->Handle(), WM_NCHITTEST, 0, MAKELPARAM(border.x, border.y)),
            HTRIGHT);
  RECT work = Screen->WorkAreaOf(rect);
  RECT clip{};
  Drag(*window, border,
       {InputDriver::MoveTo({border.x + 40, border.y}),
        InputDriver::WaitFor([&clip] { return GetClipCursor(&clip) != FALSE; })});
  EXPECT_EQ(window->ClientAreaWidth(), 140);
  EXPECT_TRUE(EqualRect(&clip, &work)) << "clipped to the work area during the loop";
  RECT after{};
  GetClipCursor(&after);
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(EqualRect(&after, &screen)) << "and free afterwards";

  // A tool window stops at its minimum client size of 32 x 32.
  rect = WindowRect(*window);
  POINT corner{rect.right - 1, rect.bottom - 1};
  Drag(*window, corner, Moves({{rect.left + 5, rect.top + 5}}));
  EXPECT_EQ(window->ClientAreaWidth(), 32);
  EXPECT_EQ(window->ClientAreaHeight(), 32);

  // Escape puts it back.
  rect = WindowRect(*window);
  corner = {rect.right - 1, rect.bottom - 1};
  Steps escape = Moves({{corner.x + 50, corner.y + 50}});
  Steps keys = Keys(VK_ESCAPE);
  escape.insert(escape.end(), keys.begin(), keys.end());
  Drag(*window, corner, escape);
  EXPECT_EQ(window->ClientAreaWidth(), 32);
}

} // namespace
