// Checks that every check box and radio button below a window shows its whole caption: the
// caption's extent in the control's own font, after the mark, within the control's client
// width, and the control within the window's client area.
#pragma once

#include "support/WindowSearch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace quolin::test_support {

inline bool IsMarkedButton(HWND window) {
  if (_stricmp(ClassNameOf(window).c_str(), "Button") != 0)
    return false;
  switch (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) {
  case BS_CHECKBOX:
  case BS_AUTOCHECKBOX:
  case BS_3STATE:
  case BS_AUTO3STATE:
  case BS_RADIOBUTTON:
  case BS_AUTORADIOBUTTON:
    return true;
  default:
    return false;
  }
}

inline int CaptionExtent(HWND control) {
  const std::string text = CaptionOf(control);
  HDC dc = GetDC(control);
  HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return size.cx;
}

// Returns how many controls it checked.
inline int ExpectMarkedCaptionsFit(HWND container) {
  RECT area;
  GetClientRect(container, &area);
  int checked = 0;
  VisitWindows(container, [&](HWND control) {
    if (!IsMarkedButton(control))
      return true;
    ++checked;
    RECT client;
    GetClientRect(control, &client);
    EXPECT_LE(GetSystemMetrics(SM_CXMENUCHECK) + CaptionExtent(control), client.right)
        << CaptionOf(control);
    RECT placed;
    GetWindowRect(control, &placed);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_LE(placed.right, area.right) << CaptionOf(control);
    return true;
  });
  return checked;
}

} // namespace quolin::test_support
