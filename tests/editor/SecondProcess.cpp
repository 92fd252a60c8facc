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
  std::string commandLine =
      "\"" + std::string(path) + "\" " + kModeSwitch + " " + mode + " \"" + argument + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return static_cast<DWORD>(-1);
  CloseHandle(info.hThread);
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0)
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
