// How long a test waits for what it expects to come: a window, a dialog, a reply, a process's
// end. One generous limit for every helper: under ctest -j on a loaded machine with a fresh
// Wine prefix a window can take many seconds, and a passing test never waits this long.
#pragma once

#include <windows.h>

#include <functional>

namespace quolin::test_support {

inline constexpr DWORD WaitLimitMs = 60000;

// The one polling loop of the helpers: asks done() every pollMs until it holds or timeoutMs
// passed; whether it held.
inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = WaitLimitMs,
                      DWORD pollMs = 20) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs)
      return false;
    Sleep(pollMs);
  }
  return true;
}

} // namespace quolin::test_support
