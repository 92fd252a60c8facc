// Console helper for the run script: waits for a top-level window by title and the end of the
// start-up, and prints its rectangle, or asks it to close. Exit code 0 on success, 1 when no
// such window appeared.
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

BOOL CALLBACK FindSplash(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "TSpForm") != 0)
    return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

BOOL CALLBACK PaintNow(HWND window, LPARAM) {
  if (IsWindowVisible(window))
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return TRUE;
}

// The start-up ends with the splash window's end: the tool windows stand where they will stay.
// Then the pending paints are done, and the window's thread has been back to its message loop
// (where Wine hands what it drew to the display).
bool WaitForStartupEnd(HWND window, DWORD timeoutMs) {
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  DWORD start = GetTickCount();
  for (;;) {
    bool splash = false;
    EnumThreadWindows(thread, FindSplash, reinterpret_cast<LPARAM>(&splash));
    if (!splash)
      break;
    if (GetTickCount() - start >= timeoutMs)
      return false;
    Sleep(50);
  }
  EnumThreadWindows(thread, PaintNow, 0);
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

int Wait(const char* title, DWORD timeoutMs) {
  HWND window = WaitForTitle(title, timeoutMs);
  if (!window || !WaitForStartupEnd(window, timeoutMs))
    return 1;
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
