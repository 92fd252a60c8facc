// Points on a real window's title bar, from its window and client rectangles (the frame is half
// their difference in width): the middle of the caption and of its close button.
#pragma once

#include <windows.h>

namespace uitest {

inline POINT CaptionPoint(HWND window, bool closeButton = false) {
  RECT outer;
  RECT client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  int border = (outer.right - outer.left - client.right) / 2;
  int y = outer.top + border + GetSystemMetrics(SM_CYCAPTION) / 2;
  if (closeButton)
    return {outer.right - border - GetSystemMetrics(SM_CXSIZE) / 2 - 1, y};
  return {(outer.left + outer.right) / 2, y};
}

} // namespace uitest
