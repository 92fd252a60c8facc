// A window that draws nothing while held, then all of it, children and frame included, at once:
// a rebuild of many parts shows no half-built state and does not flash.
#pragma once

#include <windows.h>

namespace quolin {

class TRedrawLock {
public:
  // Holds nothing for a null window.
  explicit TRedrawLock(HWND window) : window_(window) {
    if (window_)
      SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~TRedrawLock() {
    if (!window_)
      return;
    SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  TRedrawLock(const TRedrawLock&) = delete;
  TRedrawLock& operator=(const TRedrawLock&) = delete;

private:
  HWND window_;
};

} // namespace quolin
