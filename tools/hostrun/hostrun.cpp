// hostrun: runs a program of the host system from Windows under Wine and ends with its exit
// code, so that a Windows program can wait for a host TeX as for any child process (Wine gives
// no process handle for a host program it starts).
//
//   hostrun.exe PROGRAM ARGS...   runs PROGRAM
//   latex.exe ARGS...             a copy named otherwise runs the host program of its name
//
// An argument that begins with a drive and "\" or "/" is turned into its host path; the others
// pass unchanged. The host program runs under a fixed /bin/sh script with its name and
// arguments as the script's positional parameters, so no character of them is read by a
// shell; its input and output are /dev/null. The script writes the exit status to a file of
// this launch, renaming it into place once written; this program polls for that file.
#include <windows.h>

#include <shellapi.h>

#include <cwctype>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr wchar_t LauncherName[] = L"hostrun";
constexpr wchar_t Shell[] = L"Z:\\bin\\sh";
constexpr wchar_t StatusVariable[] = L"HOSTRUN_STATUS";
constexpr wchar_t Script[] =
    L"exec </dev/null >/dev/null 2>&1; \"$0\" \"$@\"; "
    L"echo $? >\"$HOSTRUN_STATUS.part\" && mv -f \"$HOSTRUN_STATUS.part\" \"$HOSTRUN_STATUS\"";
constexpr DWORD PollMs = 20;
// The shell could not be started.
constexpr int NotStartedExitCode = 127;

using UnixFileName = char*(CDECL*)(const wchar_t*);

// The host path of a Windows path; empty when there is none (not under Wine).
std::wstring HostPath(const std::wstring& path) {
  static const auto toUnix = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (!toUnix)
    return {};
  std::unique_ptr<char, void (*)(char*)> unix(toUnix(path.c_str()),
                                              [](char* p) { HeapFree(GetProcessHeap(), 0, p); });
  if (!unix)
    return {};
  int length = MultiByteToWideChar(CP_UTF8, 0, unix.get(), -1, nullptr, 0);
  std::wstring result(static_cast<size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, unix.get(), -1, result.data(), length);
  result.resize(result.size() - 1);
  return result;
}

bool IsWindowsPath(const std::wstring& argument) {
  return argument.size() >= 3 && std::iswalpha(argument[0]) && argument[1] == L':' &&
         (argument[2] == L'\\' || argument[2] == L'/');
}

std::wstring Mapped(const std::wstring& argument) {
  if (!IsWindowsPath(argument))
    return argument;
  std::wstring host = HostPath(argument);
  return host.empty() ? argument : host;
}

// One argument as the Windows rules read it back.
std::wstring Quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
    return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t ch : argument) {
    if (ch == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(ch == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(ch);
  }
  quoted.append(backslashes * 2, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

std::vector<std::wstring> Arguments() {
  int count = 0;
  std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &count),
                                                     &LocalFree);
  if (!argv)
    return {};
  return std::vector<std::wstring>(argv.get(), argv.get() + count);
}

std::wstring OwnName() {
  wchar_t path[MAX_PATH] = {};
  std::wstring name(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  name = name.substr(name.find_last_of(L"\\/") + 1);
  if (size_t dot = name.rfind(L'.'); dot != std::wstring::npos)
    name.resize(dot);
  return name;
}

// The file this launch's exit status comes in.
std::wstring StatusFile() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"hostrun-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount()) + L".status";
}

int ReadStatus(const std::wstring& statusFile) {
  HANDLE file = CreateFileW(statusFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  char text[32] = {};
  DWORD read = 0;
  ReadFile(file, text, sizeof text - 1, &read, nullptr);
  CloseHandle(file);
  DeleteFileW(statusFile.c_str());
  return atoi(text);
}

int Run(const std::vector<std::wstring>& command) {
  const std::wstring statusFile = StatusFile();
  SetEnvironmentVariableW(StatusVariable, HostPath(statusFile).c_str());
  std::wstring commandLine = L"sh -c " + Quoted(Script);
  for (const std::wstring& argument : command)
    commandLine += L" " + Quoted(Mapped(argument));
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(Shell, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started))
    return NotStartedExitCode;
  if (started.hProcess)
    CloseHandle(started.hProcess);
  if (started.hThread)
    CloseHandle(started.hThread);
  while (GetFileAttributesW(statusFile.c_str()) == INVALID_FILE_ATTRIBUTES)
    Sleep(PollMs);
  return ReadStatus(statusFile);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::wstring> arguments = Arguments();
  if (!arguments.empty())
    arguments.erase(arguments.begin());
  if (_wcsicmp(OwnName().c_str(), LauncherName) != 0)
    arguments.insert(arguments.begin(), OwnName());
  if (arguments.empty())
    return NotStartedExitCode;
  return Run(arguments);
}
