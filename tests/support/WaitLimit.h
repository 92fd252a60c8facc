// How long a test waits for what it expects to come: a window, a dialog, a reply, a process's
// end. One generous limit for every helper: under ctest -j on a loaded machine with a fresh
// Wine prefix a window can take many seconds, and a passing test never waits this long.
#pragma once

#include <windows.h>

namespace quolin::test_support {

inline constexpr DWORD WaitLimitMs = 60000;

} // namespace quolin::test_support
