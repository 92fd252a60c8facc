// A window's procedure replaced by one of ours, called in the window's own character set. Cheaper
// than the common controls' subclassing, which reads a window property (a round trip to the
// server under Wine) at every message.
#pragma once

#include <windows.h>

namespace quolin {

class TReplacedProcedure {
public:
  void Replace(HWND window, WNDPROC procedure) {
    procedure_ = procedure;
    unicode_ = IsWindowUnicode(window);
    auto value = reinterpret_cast<LONG_PTR>(procedure);
    previous_ =
        reinterpret_cast<WNDPROC>(unicode_ ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                           : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
  }

  // Only while the procedure is still ours: whoever replaced it later keeps theirs.
  void Restore(HWND window) {
    if (!previous_)
      return;
    auto ours = reinterpret_cast<LONG_PTR>(procedure_);
    auto previous = reinterpret_cast<LONG_PTR>(previous_);
    previous_ = nullptr;
    if (unicode_ && GetWindowLongPtrW(window, GWLP_WNDPROC) == ours)
      SetWindowLongPtrW(window, GWLP_WNDPROC, previous);
    else if (!unicode_ && GetWindowLongPtrA(window, GWLP_WNDPROC) == ours)
      SetWindowLongPtrA(window, GWLP_WNDPROC, previous);
  }

  bool Replaced() const { return previous_ != nullptr; }

  LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    return unicode_ ? CallWindowProcW(previous_, window, message, wParam, lParam)
                    : CallWindowProcA(previous_, window, message, wParam, lParam);
  }

private:
  WNDPROC procedure_ = nullptr;
  WNDPROC previous_ = nullptr;
  bool unicode_ = false;
};

} // namespace quolin
