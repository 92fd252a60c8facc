#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/SpUnit.h"
#include "app/TopUnit.h"
#include "app/UserFolders.h"
#include "commands/SetMenuForm.h"
#include "core/Format.h"
#include "core/ResConst.h"
#include "editor/EditorStartup.h"
#include "shell/ShellIDFunc.h"
#include "ui/Application.h"
#include "ui/DdeConv.h"

#include <ole2.h>

namespace quolin {

namespace {

constexpr char HandOffName[] = "Quolin";
constexpr char CommandLineMacro[] = "CmdLine";
constexpr DWORD ExecuteTimeoutMs = 5000;
constexpr DWORD RetryMs = 100;
constexpr char ApplicationTitle[] = "Quolin";

// The forms go before OLE does.
void FreeForms() {
  while (Application->ComponentCount() > 0)
    Application->Components(Application->ComponentCount() - 1)->Free();
}

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
  TOwned<TDdeClientConv> conv(TComponent::Create<TDdeClientConv>(Application));
  conv->ConnectMode = TDdeConnectMode::ddeManual;
  conv->TimeoutMs = ExecuteTimeoutMs;
  if (!conv->SetLink(name, name) || !conv->OpenLink())
    return dde::drNotConnected;
  conv->ExecuteMacro(macro);
  conv->CloseLink();
  return conv->LastResult();
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

const std::string& StartCommandLine() {
  static const std::string commandLine = AbsoluteCommandLine(GetCommandLineA());
  return commandLine;
}

TSpForm* BeginStartup() {
  SetSettingsRoot();
  SetupUserFolders();
  LoadSystemSettings();
  TSpForm* splash = TComponent::Create<TSpForm>(Application, "SpForm");
  splash->Show();
  splash->Update();
  ImportDefaultSettingsOnce();
  return splash;
}

int RunQuolin() {
  const std::string& commandLine = StartCommandLine();
  TInstanceMutex mutex;
  if (!mutex.Claim() && HandOffCommandLine(commandLine, mutex) != srFirst)
    return 0;
  HRESULT ole = OleInitialize(nullptr);
  bool ran = Guard(Application, [] {
    EditorUnitStartup();
    ShellUnitStartup();
    Application->SetTitle(ApplicationTitle);
    Application->CreateForm<TTopForm>("TopForm");
    Application->CreateForm<TSetMenuForm>("SetMenuForm");
    Application->Run();
  });
  FreeForms();
  ShellUnitShutdown();
  if (SUCCEEDED(ole))
    OleUninitialize();
  return ran ? 0 : 1;
}

} // namespace quolin
