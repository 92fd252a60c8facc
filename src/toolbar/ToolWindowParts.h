// Pieces the files of the dockable window share: the list of floating windows, a counter held
// up for a while, the hold on dock arrangement, conversions between Win32 rectangles and the
// window-free geometry, a point in a window's own coordinates, and an owner for GDI objects.
#pragma once

#include "core/DockGeometry.h"
#include "toolbar/TbDock.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace quolin {

// The floating windows, in the order they began to float.
std::vector<TCustomToolWindow*>& FloatingWindows();
bool IsFloating(TCustomToolWindow* window);

// Raises a counter for its lifetime.
class TCounted {
public:
  explicit TCounted(int& count) : count_(count) { ++count_; }
  ~TCounted() { --count_; }
  TCounted(const TCounted&) = delete;
  TCounted& operator=(const TCounted&) = delete;

private:
  int& count_;
};

// Holds the arrangement of the docks a window leaves and enters until Release, which lets each
// arrange once.
class TArrangeHold {
public:
  TArrangeHold(TDock* from, TDock* to) : from_(from), to_(to == from ? nullptr : to) {
    for (TDock* dock : {from_, to_})
      if (dock)
        dock->BeginUpdate();
  }
  ~TArrangeHold() { Release(); }
  TArrangeHold(const TArrangeHold&) = delete;
  TArrangeHold& operator=(const TArrangeHold&) = delete;
  void Release() {
    for (TDock** dock : {&from_, &to_})
      if (TDock* held = std::exchange(*dock, nullptr))
        held->EndUpdate();
  }

private:
  TDock* from_;
  TDock* to_;
};

inline DockRect ToDockRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

inline RECT ToRect(const DockRect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// A point of the screen in window's coordinates (its top-left is 0, 0).
inline DockPoint InWindow(HWND window, POINT screen) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {screen.x - rect.left, screen.y - rect.top};
}

// The sizing edges of a WM_NCHITTEST border code (0 for other codes), and the code of edges.
SizingEdges EdgesOfBorderCode(WPARAM code);
LRESULT BorderCodeOf(SizingEdges edges);

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// A font, brush, bitmap or region deleted with its owner.
template <typename Handle>
using TGdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

} // namespace quolin
