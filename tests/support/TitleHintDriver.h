// Points on a real window's title bar, and a driver for a title-bar hint on a real form: the
// hint's clock and pointer are the driver's, the form is told that it is active and asked what
// lies under the pointer, and the timer's tick is called directly.
#pragma once

#include "toolbar/TBHints.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

namespace uitest {

// The middle of the caption or of its close button; the frame is half the difference of the
// window's and the client's width.
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

class TitleHintDriver {
public:
  uint32_t start = 0xFFFFFF00u; // the tick count wraps while the pointer rests
  uint32_t now = start;
  POINT pointer{};

  TitleHintDriver(quolin::TForm& form, quolin::TTBHint& hint) : form_(form), hint_(hint) {
    hint.TickSource = [this] { return now; };
    hint.PointerSource = [this] { return pointer; };
    SendMessageA(form.Handle(), WM_NCACTIVATE, TRUE, 0);
  }

  // The pointer moves there: the form is asked what lies under it.
  LRESULT MoveTo(POINT point) {
    pointer = point;
    return SendMessageA(form_.Handle(), WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  }
  POINT Caption() const { return CaptionPoint(form_.Handle()); }
  POINT Client() const { return form_.ClientToScreen({10, 10}); }
  // The pointer comes from the client area into the caption now.
  void EnterCaption() {
    start = now;
    ASSERT_EQ(MoveTo(Client()), HTCLIENT);
    ASSERT_EQ(MoveTo(Caption()), HTCAPTION);
  }
  // The timer ticks that many milliseconds after the pointer came.
  void TickAt(uint32_t elapsed) {
    now = start + elapsed;
    hint_.Poll();
  }
  bool Shown() const { return hint_.HintWindow() && IsWindowVisible(hint_.HintWindow()); }
  // Enters the caption and rests past the wait: the hint's text, "" when none shows.
  std::string Rest() {
    EnterCaption();
    TickAt(hint_.WaitTime + 1);
    return Shown() ? quolin::TControl::FromHandle(hint_.HintWindow())->Text() : "";
  }

private:
  quolin::TForm& form_;
  quolin::TTBHint& hint_;
};

} // namespace uitest
