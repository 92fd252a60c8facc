#include "support/E2eProcess.h"

#include "common/TempFolder.h"
#include "support/WindowSearch.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace e2e {

using quolin::test_support::ClassNameOf;
using quolin::test_support::FirstWindow;
using quolin::test_support::VisitWindows;

std::string ExecutableFolder() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

QuolinProcess::QuolinProcess(const StartOptions& options) {
  std::string program =
      options.program.empty() ? ExecutableFolder() + "Quolin.exe" : options.program;
  std::string commandLine = "\"" + program + "\"";
  if (!options.arguments.empty())
    commandLine += " " + options.arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const char* folder = options.currentFolder.empty() ? nullptr : options.currentFolder.c_str();
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder, &startup, &info))
    return;
  CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  processId_ = info.dwProcessId;
}

QuolinProcess::~QuolinProcess() {
  // A test that failed half-way must not leave the program running into the next test.
  if (process_ && ExitCode() == STILL_ACTIVE) {
    TerminateProcess(process_.get(), 255);
    WaitForSingleObject(process_.get(), WaitLimitMs);
  }
}

std::vector<HWND> QuolinProcess::Windows() const {
  std::vector<HWND> found;
  VisitWindows(nullptr, [&](HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId_)
      found.push_back(window);
    return true;
  });
  return found;
}

HWND QuolinProcess::WaitForWindow(const std::string& className, const std::string& title,
                                  DWORD timeoutMs) const {
  auto matches = [&](HWND window) {
    return IsWindowVisible(window) && (className.empty() || ClassNameOf(window) == className) &&
           (title.empty() || WindowText(window) == title);
  };
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : Windows())
          found = found ? found : matches(window) ? window : nullptr;
        return found || !process_ || ExitCode() != STILL_ACTIVE;
      },
      timeoutMs);
  return found;
}

bool QuolinProcess::WaitForExit(DWORD timeoutMs) const {
  return process_ && WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

QuolinProcess::ExitWatch QuolinProcess::WatchUntilExit(DWORD timeoutMs) const {
  ExitWatch watch;
  watch.exited = WaitUntil(
      [&] {
        for (HWND window : Windows())
          watch.sawVisibleWindow = watch.sawVisibleWindow || IsWindowVisible(window);
        return WaitForExit(10);
      },
      timeoutMs);
  return watch;
}

DWORD QuolinProcess::ExitCode() const {
  DWORD code = 0;
  if (!process_ || !GetExitCodeProcess(process_.get(), &code))
    return 0xFFFFFFFF;
  return code;
}

bool QuolinProcess::Close(HWND window, DWORD timeoutMs) const {
  PostMessageA(window, WM_CLOSE, 0, 0);
  return WaitForExit(timeoutMs);
}

std::string WindowText(HWND window) {
  LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

HWND FindChild(HWND parent, const std::string& className) {
  return FirstWindow(parent, [&](HWND window) { return ClassNameOf(window) == className; });
}

std::string WaitForChildText(HWND parent, const std::string& className,
                             const std::function<bool(const std::string&)>& done, DWORD timeoutMs) {
  std::string text;
  WaitUntil(
      [&] {
        HWND child = FindChild(parent, className);
        text = child ? WindowText(child) : "";
        return child && done(text);
      },
      timeoutMs);
  return text;
}

std::vector<std::string> DocumentCaptions(HWND main) {
  std::vector<std::string> captions;
  VisitWindows(main, [&](HWND window) {
    if (ClassNameOf(window) == "TDocForm")
      captions.push_back(WindowText(window));
    return true;
  });
  return captions;
}

std::vector<std::string>
WaitForDocuments(HWND main, const std::function<bool(const std::vector<std::string>&)>& done,
                 DWORD timeoutMs) {
  std::vector<std::string> captions;
  WaitUntil(
      [&] {
        captions = DocumentCaptions(main);
        return done(captions);
      },
      timeoutMs);
  return captions;
}

std::vector<std::string> WaitForDocumentCount(HWND main, size_t count, DWORD timeoutMs) {
  // A new document window stands at the bottom until it is activated: wait until the list
  // has held still for a few polls, so the order read is the settled one.
  constexpr int kSettledPolls = 5;
  std::vector<std::string> previous;
  int samePolls = 0;
  return WaitForDocuments(
      main,
      [&](const std::vector<std::string>& captions) {
        samePolls = captions == previous ? samePolls + 1 : 0;
        previous = captions;
        return captions.size() >= count && samePolls >= kSettledPolls;
      },
      timeoutMs);
}

const char SettingsKey[] = "Software\\Dravenlux\\Quolin\\4.2";

std::string UserDataFolder() {
  char folder[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  return std::string(folder) + "\\Quolin4.2\\";
}

void ResetUserState() {
  SHDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
  quolin::test_support::TempFolder::RemoveTree(UserDataFolder());
}

} // namespace e2e
