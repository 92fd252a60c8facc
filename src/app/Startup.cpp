#include "app/Startup.h"

#include "common/Format.h"
#include "common/ResConst.h"

namespace quolin {

namespace {

constexpr char HandOffName[] = "Quolin";
constexpr char CommandLineMacro[] = "CmdLine";
constexpr DWORD ExecuteTimeoutMs = 5000;
constexpr DWORD RetryMs = 100;

} // namespace

TInstanceMutex::~TInstanceMutex() {
  if (handle_)
    CloseHandle(handle_);
}

bool TInstanceMutex::Claim() {
  if (handle_)
    return true;
  HANDLE handle = CreateMutexA(nullptr, FALSE, res::MutexName);
  if (handle && GetLastError() != ERROR_ALREADY_EXISTS) {
    handle_ = handle;
    return true;
  }
  if (handle)
    CloseHandle(handle);
  return false;
}

dde::TDdeResult ExecuteDdeMacro(const std::string& name, const std::string& macro) {
  dde::Client client;
  if (!client.Connect(name, name))
    return dde::drNotConnected;
  return client.Execute(macro, ExecuteTimeoutMs);
}

dde::TDdeResult SendCommandLineByDde(const std::string& macro) {
  return ExecuteDdeMacro(HandOffName, macro);
}

TStartRole HandOffCommandLine(const std::string& commandLine, TInstanceMutex& mutex,
                              DWORD patienceMs) {
  // The running instance may come to the front on our behalf.
  AllowSetForegroundWindow(ASFW_ANY);
  std::string macro = std::string(CommandLineMacro) + Format("(%s)", commandLine);
  DWORD start = GetTickCount();
  for (;;) {
    dde::TDdeResult result = SendCommandLineByDde(macro);
    if (result != dde::drNotConnected)
      return result == dde::drDone ? srHandedOff : srGaveUp;
    if (GetTickCount() - start >= patienceMs)
      return srGaveUp;
    Sleep(RetryMs);
    if (mutex.Claim())
      return srFirst;
  }
}

} // namespace quolin
