// Window lookups the helpers share: a window's class and text, and the windows of a thread,
// of the desktop or below a parent walked by a lambda instead of a callback of its own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quolin::test_support {

// Returns false to end the walk.
using WindowVisit = std::function<bool(HWND window)>;

inline BOOL CALLBACK VisitWindow(HWND window, LPARAM visit) {
  return (*reinterpret_cast<const WindowVisit*>(visit))(window);
}

// The top-level windows (parent nullptr) or the descendants of parent.
inline void VisitWindows(HWND parent, const WindowVisit& visit) {
  auto context = reinterpret_cast<LPARAM>(&visit);
  if (parent)
    EnumChildWindows(parent, VisitWindow, context);
  else
    EnumWindows(VisitWindow, context);
}

// The first of those windows that matches, or nullptr.
inline HWND FirstWindow(HWND parent, const std::function<bool(HWND window)>& matches) {
  HWND found = nullptr;
  VisitWindows(parent, [&](HWND window) {
    if (matches(window))
      found = window;
    return !found;
  });
  return found;
}

inline void VisitThreadWindows(DWORD thread, const WindowVisit& visit) {
  EnumThreadWindows(thread, VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

inline std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The text as GetWindowTextA gives it.
inline std::string CaptionOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

} // namespace quolin::test_support
