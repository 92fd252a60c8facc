// End-to-end harness: start Quolin.exe under test, find its windows, close it, read its exit.
#pragma once

#include "support/WaitLimit.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

using quolin::test_support::WaitLimitMs;
using quolin::test_support::WaitUntil;

// Folder of the running test executable, with a trailing backslash. Quolin.exe and the
// program folder's resources live there too.
std::string ExecutableFolder();

struct HandleCloser {
  void operator()(HANDLE handle) const {
    if (handle && handle != INVALID_HANDLE_VALUE)
      CloseHandle(handle);
  }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct StartOptions {
  std::string arguments;     // appended to the quoted program path
  std::string currentFolder; // empty: the test's own
  std::string program;       // empty: Quolin.exe beside the test
};

class QuolinProcess {
public:
  explicit QuolinProcess(const StartOptions& options = {});
  ~QuolinProcess();
  QuolinProcess(const QuolinProcess&) = delete;
  QuolinProcess& operator=(const QuolinProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return processId_; }

  // The process's visible top-level window of that class or title (either may be empty),
  // waited for up to timeoutMs. nullptr when none appeared.
  HWND WaitForWindow(const std::string& className, const std::string& title,
                     DWORD timeoutMs = WaitLimitMs) const;
  // All top-level windows of the process, visible or not.
  std::vector<HWND> Windows() const;

  bool WaitForExit(DWORD timeoutMs = WaitLimitMs) const;
  // Waits for the end while watching the process's top-level windows.
  struct ExitWatch {
    bool exited = false;
    bool sawVisibleWindow = false;
  };
  ExitWatch WatchUntilExit(DWORD timeoutMs = WaitLimitMs) const;
  // STILL_ACTIVE while it runs.
  DWORD ExitCode() const;
  // Asks the window to close (WM_CLOSE) and waits for the process to end.
  bool Close(HWND window, DWORD timeoutMs = WaitLimitMs) const;

private:
  UniqueHandle process_;
  DWORD processId_ = 0;
};

// The text of a window (WM_GETTEXT), in the program's code page.
std::string WindowText(HWND window);
// The first descendant window of that class, or nullptr.
HWND FindChild(HWND parent, const std::string& className);
// The text of the first descendant of that class once done(text) holds, or the last text
// read when timeoutMs passed first.
std::string WaitForChildText(HWND parent, const std::string& className,
                             const std::function<bool(const std::string&)>& done,
                             DWORD timeoutMs = WaitLimitMs);

// The captions of the program's document windows inside its main window, topmost first.
std::vector<std::string> DocumentCaptions(HWND main);
// DocumentCaptions once done(captions) holds, or the last ones read when timeoutMs passed
// first.
std::vector<std::string>
WaitForDocuments(HWND main, const std::function<bool(const std::vector<std::string>&)>& done,
                 DWORD timeoutMs = WaitLimitMs);
// WaitForDocuments until there are count of them and their order has settled.
std::vector<std::string> WaitForDocumentCount(HWND main, size_t count,
                                              DWORD timeoutMs = WaitLimitMs);

// The program's per-user state in the test prefix: its settings key and its user data folder
// (with a trailing backslash).
extern const char SettingsKey[];
std::string UserDataFolder();
// Removes the settings and the user data folder, as before a first start.
void ResetUserState();

} // namespace e2e
