#include "texchain/TexCtrl.h"

#include "common/StringHelpers.h"
#include "core/Format.h"
#include "core/Paths.h"
#include "texchain/ToolPlaceholders.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"
#include "ui/Timer.h"

#include <windows.h>

#include <memory>

namespace quolin {

namespace {

constexpr unsigned SequenceDelayMs = 256;
constexpr char DefaultDosOption[] = "%longfilename";
constexpr char DdeErrorReply[] = "DDE Error";

constexpr char NoSpaceMarker[] = "%nospace";
constexpr char NoFileSpaceMarker[] = "%nofilespace";
constexpr char SpaceInPath[] = "ファイルパスにスペースが含まれています.";
constexpr char SpaceInName[] = "ファイル名にスペースが含まれています.";
constexpr char SpaceMessageStyle[] = "IoB";

constexpr int AllModules = 5;
constexpr const char* BibTeXCaptions[] = {"wbibtex", "JBibTeX"};
constexpr int StartupWindowSize = 100;

struct THandleClose {
  void operator()(HANDLE handle) const {
    if (handle)
      CloseHandle(handle);
  }
};
using THandle = std::unique_ptr<void, THandleClose>;

// Removes every marker (any case) from options. False, after the message, when there is one
// and name holds a blank.
bool RemoveSpaceMarker(std::string& options, const char* marker, const std::string& name,
                       const char* message) {
  std::string removed = ReplaceAll(options, marker, "", false);
  if (removed == options)
    return true;
  if (name.find(' ') != std::string::npos) {
    MsgBox(message, SpaceMessageStyle);
    return false;
  }
  options = std::move(removed);
  return true;
}

// The markers that refuse a target with blanks, checked and removed.
bool PassesSpaceChecks(std::string& options, const std::string& targetFile) {
  const std::string target = Trim(targetFile);
  return RemoveSpaceMarker(options, NoSpaceMarker, target, SpaceInPath) &&
         RemoveSpaceMarker(options, NoFileSpaceMarker, ExtractFileName(target), SpaceInName);
}

bool HasVersionResource(const std::string& program) {
  DWORD handle = 0;
  return GetFileVersionInfoSizeA(program.c_str(), &handle) != 0;
}

} // namespace

void CloseWindowByCaption(const std::string& caption) {
  if (caption.empty())
    return;
  if (HWND window = FindWindowA(nullptr, caption.c_str()))
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TTexCtrl::TTexCtrl(TComponent* owner) : TComponent(owner), modules_(DefaultModules()) {
  timer_ = Create<TTimer>(this);
  timer_->SetEnabled(false);
  timer_->SetInterval(SequenceDelayMs);
  timer_->OnTimer = [this](TObject*) {
    timer_->SetEnabled(false);
    sequence_.TimerFired();
  };
}

void TTexCtrl::BeforeDestruction() {
  *alive_ = false;
  TComponent::BeforeDestruction();
}

bool TTexCtrl::Execute() {
  if (Busy())
    return false;
  LoadFormatDefaults();
  if (AutoDDECheck)
    ApplyAutoDDECheck();
  if (ExeType >= etAuto) {
    sequence_.Start();
    return true;
  }
  executing_ = true;
  auto alive = alive_;
  TRunStart start = RunModule(static_cast<TModuleType>(ExeType));
  if (!*alive)
    return true;
  executing_ = false;
  return start != TRunStart::Failed && start != TRunStart::FailedReported;
}

void TTexCtrl::ApplyAutoDDECheck() {
  for (TModuleType type : {mtTeX, mtMakeIndex, mtBibTeX})
    modules_[type].UseDDE = HasVersionResource(modules_[type].ExeName);
}

TRunStart TTexCtrl::RunModule(TModuleType module) {
  currentModule_ = module;
  TModule& chosen = modules_[module];
  return chosen.UseDDE ? RunDde(chosen) : RunChildProcess(chosen);
}

TRunStart TTexCtrl::RunChildProcess(TModule& module) {
  if (Trim(module.DosOption).empty())
    module.DosOption = DefaultDosOption;
  std::string options = module.DosOption;
  if (!PassesSpaceChecks(options, TargetFile))
    return TRunStart::Failed;
  options =
      ExpandModuleMacros({EditFileName, OwnerFileName, EditRowNum}, options, TargetFile, true, "");
  if (activ_ || Trim(module.ExeName).empty())
    return TRunStart::Failed;

  std::string commandLine = Trim(QuoteIfSpace(module.ExeName) + " " + Trim(options));
  std::string folder = ExtractFileDir(TargetFile);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  startup.dwXSize = StartupWindowSize;
  startup.dwYSize = StartupWindowSize;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &started))
    return TRunStart::Failed;
  THandle process(started.hProcess), thread(started.hThread);
  // A host program started under Wine gives no handle to wait on.
  if (!module.DosCallBack || !process)
    return TRunStart::Silent;
  activ_ = true;
  return WaitForProcess(process.get());
}

TRunStart TTexCtrl::WaitForProcess(void* process) {
  auto alive = alive_;
  const unsigned stops = stopCount_;
  HANDLE handles[] = {process, Application->SyncEvent()};
  while (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) {
    Application->ProcessMessages();
    // Freed or stopped meanwhile: the tool is left to finish.
    if (!*alive || stopCount_ != stops)
      return TRunStart::Abandoned;
    if (Application->Terminated()) {
      activ_ = false;
      sequence_.End();
      return TRunStart::Abandoned;
    }
    MsgWaitForMultipleObjectsEx(2, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  activ_ = false;
  DWORD exitCode = 0;
  GetExitCodeProcess(process, &exitCode);
  ReportEnd(exitCode == 0, std::to_string(exitCode));
  return *alive ? TRunStart::Reporting : TRunStart::Abandoned;
}

TRunStart TTexCtrl::RunDde(TModule& module) {
  std::string macro = module.DDEMacro;
  if (activ_ || !PassesSpaceChecks(macro, TargetFile))
    return TRunStart::Failed;
  // No DDE client yet: every run by DDE fails as one that found no conversation.
  auto alive = alive_;
  ReportEnd(false, DdeErrorReply);
  return *alive ? TRunStart::FailedReported : TRunStart::Abandoned;
}

void TTexCtrl::ReportEnd(bool succeeded, const std::string& reply) {
  auto alive = alive_;
  if (OnEndProcess)
    OnEndProcess(currentModule_, succeeded, reply);
  if (*alive)
    sequence_.RunEnded(succeeded);
}

void TTexCtrl::Stop() {
  sequence_.End();
  ++stopCount_;
  DisconnectDde();
}

void TTexCtrl::DisconnectDde() {
  activ_ = false;
}

void TTexCtrl::CloseModule(const TModule& module) {
  // Closing by DDE macro waits for the DDE client.
  if (!module.CloseUseDDE)
    CloseWindowByCaption(module.CloseCaption);
}

void TTexCtrl::CloseModules(int kind) {
  const bool all = kind == AllModules;
  if (all || kind == mtTeX) {
    TModule& tex = modules_[mtTeX];
    tex.CloseCaption = tex.DdeService;
    CloseModule(tex);
  }
  if (all || kind == mtMakeIndex)
    CloseModule(modules_[mtMakeIndex]);
  if (all || kind == mtBibTeX)
    for (const char* caption : BibTeXCaptions)
      CloseWindowByCaption(caption);
}

void TTexCtrl::StartSequenceTimer() {
  timer_->SetEnabled(false);
  timer_->SetEnabled(true);
}

void TTexCtrl::StopSequenceTimer() {
  timer_->SetEnabled(false);
}

void TTexCtrl::SequenceBringToFront() {
  if (OnBringApplicationToFront)
    OnBringApplicationToFront();
}

void TTexCtrl::SequenceStatusMessage(const std::string& text) {
  if (OnShowTimedStatusMessage)
    OnShowTimedStatusMessage(text);
}

} // namespace quolin
