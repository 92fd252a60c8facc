#include "app/InterimMain.h"

#include "app/CommandLine.h"
#include "app/SpUnit.h"
#include "app/Startup.h"
#include "app/UserFolders.h"
#include "common/Format.h"
#include "ui/Application.h"

#include <utility>

namespace quolin {

namespace {

// A read-only edit of several lines with a vertical scroll bar.
class TListingEdit : public TEdit {
protected:
  using TEdit::TEdit;
  void CreateParams(TCreateParams& params) override {
    TEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
    params.Style &= ~ES_AUTOHSCROLL;
  }
};

} // namespace

TInterimMainForm::TInterimMainForm(TComponent* owner) : TForm(owner) {
  SetCaption("Quolin");
  SetBounds(Left(), Top(), 800, 600);

  Quolin = Create<TDdeServerConv>(this, "Quolin");
  Quolin->OnExecuteMacro = [this](TObject* sender, TStrings& lines) {
    QuolinExecuteMacro(sender, lines);
  };

  CmdLineTimer1 = Create<TTimer>(this, "CmdLineTimer1");
  CmdLineTimer1->SetEnabled(false);
  CmdLineTimer1->SetInterval(256);
  CmdLineTimer1->OnTimer = [this](TObject* sender) { CmdLineTimer1Timer(sender); };

  Edit_Listing = Create<TListingEdit>(this, "Edit_Listing");
  Edit_Listing->SetParent(this);
  Edit_Listing->SetAlign(alClient);
  Edit_Listing->SetReadOnly(true);

  OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

void TInterimMainForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.WinClassName = "TTopForm";
}

void TInterimMainForm::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation == TOperation::opRemove && component == splash_)
    splash_ = nullptr;
}

void TInterimMainForm::FormCreate(TObject*) {
  splash_ = BeginStartup();
  splash_->FreeNotification(this);
}

void TInterimMainForm::AfterShow() {
  TForm::AfterShow();
  if (shown_)
    return;
  shown_ = true;
  Update();
  if (CountCmdLineArgs(StartCommandLine()) > 0)
    CmdLineTimer1->SetEnabled(true);
  if (splash_)
    splash_->Timer1->SetEnabled(true);
  TStringList lines;
  for (const std::string& text : std::exchange(pendingMacros_, {})) {
    lines.SetText(text);
    HandleDdeMacro(lines, GetCmdLineArg("", 0), Actions());
  }
}

void TInterimMainForm::CmdLineTimer1Timer(TObject*) {
  CmdLineTimer1->SetEnabled(false);
  ProcessCommandLine(StartCommandLine(), Actions());
}

void TInterimMainForm::QuolinExecuteMacro(TObject*, TStrings& lines) {
  if (shown_)
    HandleDdeMacro(lines, GetCmdLineArg("", 0), Actions());
  else
    pendingMacros_.push_back(lines.Text());
}

CommandLineActions TInterimMainForm::Actions() {
  CommandLineActions actions;
  actions.openFile = [this](const std::string& fileName, bool asTemplate, int line) {
    AppendLine(Format("open \"%s\" line=%d template=%d", fileName, line, asTemplate ? 1 : 0));
  };
  actions.runCommand = [this](const std::string& command) {
    AppendLine(Format("command \"%s\"", command));
  };
  actions.bringToFront = [this] { BringApplicationToFront(); };
  actions.programFolder = GetProgramFolder();
  return actions;
}

void TInterimMainForm::AppendLine(const std::string& line) {
  Edit_Listing->SetText(Edit_Listing->Text() + line + "\r\n");
}

void TInterimMainForm::BringApplicationToFront() {
  if (Application->Minimized())
    Application->Restore();
  HWND window = Handle();
  if (IsIconic(window))
    ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

} // namespace quolin
