// Hidden top-level windows titled like the outside tools, for the tests of closing tools by
// their captions. Each counts the system close commands it gets and otherwise stays. Closing by
// caption reaches every window of the Wine session: tests with these hold the lock
// "quolin_tools".
#pragma once

#include "support/UiTest.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace quolin::test_support {

class ToolWindows {
public:
  explicit ToolWindows(const std::vector<std::string>& captions) {
    static const ATOM windowClass = [] {
      WNDCLASSA description = {};
      description.lpfnWndProc = Procedure;
      description.hInstance = GetModuleHandleA(nullptr);
      description.lpszClassName = "QuolinTestToolWindow";
      description.cbWndExtra = sizeof(Window*);
      return RegisterClassA(&description);
    }();
    for (const std::string& caption : captions) {
      auto window = std::make_unique<Window>();
      window->caption = caption;
      window->handle =
          CreateWindowExA(0, MAKEINTATOM(windowClass), caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0,
                          100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
      SetWindowLongPtrA(window->handle, 0, reinterpret_cast<LONG_PTR>(window.get()));
      windows_.push_back(std::move(window));
    }
  }
  ~ToolWindows() {
    for (const auto& window : windows_)
      DestroyWindow(window->handle);
  }
  ToolWindows(const ToolWindows&) = delete;
  ToolWindows& operator=(const ToolWindows&) = delete;

  // The captions of the windows that got a close command since the last call, in the order
  // the windows were made; what was posted to them before the call has arrived.
  std::vector<std::string> Closed() {
    for (const auto& window : windows_) {
      window->marked = false;
      PostMessageA(window->handle, WM_APP, 0, 0);
    }
    uitest::PumpUntil([&] {
      for (const auto& window : windows_)
        if (!window->marked)
          return false;
      return true;
    });
    std::vector<std::string> closed;
    for (const auto& window : windows_)
      for (; window->closes > 0; --window->closes)
        closed.push_back(window->caption);
    return closed;
  }

private:
  struct Window {
    std::string caption;
    HWND handle = nullptr;
    int closes = 0;
    bool marked = false;
  };
  std::vector<std::unique_ptr<Window>> windows_;

  static LRESULT CALLBACK Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrA(handle, 0));
    if (window && message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
      ++window->closes;
      return 0;
    }
    if (window && message == WM_APP) {
      window->marked = true;
      return 0;
    }
    return DefWindowProcA(handle, message, wParam, lParam);
  }
};

} // namespace quolin::test_support
