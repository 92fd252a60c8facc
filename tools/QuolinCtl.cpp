// Console helper for the run script: waits for a top-level window by title and prints its
// rectangle, or asks it to close. Exit code 0 on success, 1 when no such window appeared.
//   QuolinCtl wait <title> <timeout ms>   prints "<left> <top> <width> <height>"
//   QuolinCtl close <title>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND WaitForTitle(const char* title, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND window = FindWindowA(nullptr, title);
    if (window && IsWindowVisible(window))
      return window;
    if (GetTickCount() - start >= timeoutMs)
      return nullptr;
    Sleep(50);
  }
}

int Wait(const char* title, DWORD timeoutMs) {
  HWND window = WaitForTitle(title, timeoutMs);
  if (!window)
    return 1;
  // Let the first paint finish before anyone looks at the screen.
  Sleep(500);
  RECT rect{};
  GetWindowRect(window, &rect);
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  return 0;
}

int Close(const char* title) {
  HWND window = FindWindowA(nullptr, title);
  if (!window)
    return 1;
  PostMessageA(window, WM_CLOSE, 0, 0);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "wait") == 0)
    return Wait(argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
  if (argc >= 3 && std::strcmp(argv[1], "close") == 0)
    return Close(argv[2]);
  std::fprintf(stderr, "usage: QuolinCtl wait <title> <ms> | close <title>\n");
  return 2;
}
