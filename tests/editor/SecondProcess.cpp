#include "SecondProcess.h"

#include <map>

namespace editortest {

namespace {

constexpr char kModeSwitch[] = "--second-process";

std::map<std::string, SecondProcessMain>& Modes() {
  static std::map<std::string, SecondProcessMain> modes;
  return modes;
}

} // namespace

SecondProcessMode::SecondProcessMode(const char* name, SecondProcessMain main) {
  Modes()[name] = main;
}

DWORD RunSecondProcess(const char* mode, const std::string& argument, DWORD timeoutMs) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string commandLine(1, '"');
  commandLine.append(path).append("\" ").append(kModeSwitch).append(" ").append(mode);
  commandLine.append(" \"").append(argument).append("\"");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return static_cast<DWORD>(-1);
  CloseHandle(info.hThread);
  // Messages keep coming meanwhile: the second process may ask this one's windows, for
  // example the clipboard's owner to render a format.
  DWORD start = GetTickCount();
  DWORD waited = WAIT_TIMEOUT;
  for (DWORD elapsed = 0; elapsed < timeoutMs; elapsed = GetTickCount() - start) {
    waited = MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    if (waited != WAIT_OBJECT_0 + 1)
      break;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  DWORD code = STILL_ACTIVE;
  if (waited == WAIT_OBJECT_0)
    GetExitCodeProcess(info.hProcess, &code);
  else
    TerminateProcess(info.hProcess, 255);
  CloseHandle(info.hProcess);
  return code;
}

bool RunRequestedMode(int argc, char** argv, int& exitCode) {
  if (argc < 4 || std::string(argv[1]) != kModeSwitch)
    return false;
  auto found = Modes().find(argv[2]);
  exitCode = found == Modes().end() ? 125 : found->second(argv[3]);
  return true;
}

} // namespace editortest
