#include "ui/Dialogs.h"

#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Forms.h"
#include "ui/Panels.h"

#include <algorithm>

namespace quolin {

namespace {

TDialogHook dialogHook;

struct TButtonKind {
  TMsgDlgButtons button;
  const char* name;
  const char* caption;
  TModalResult result;
};

// In the order the buttons appear.
constexpr TButtonKind kButtonKinds[] = {
    {mbYes, "Yes", "はい(&Y)", mrYes},
    {mbNo, "No", "いいえ(&N)", mrNo},
    {mbOK, "OK", "OK", mrOk},
    {mbCancel, "Cancel", "キャンセル", mrCancel},
    {mbAbort, "Abort", "中止(&A)", mrAbort},
    {mbRetry, "Retry", "再試行(&R)", mrRetry},
    {mbIgnore, "Ignore", "無視(&I)", mrIgnore},
    {mbAll, "All", "すべて(&L)", mrAll},
    {mbNoToAll, "NoToAll", "すべていいえ(&O)", mrNoToAll},
    {mbYesToAll, "YesToAll", "すべてはい(&T)", mrYesToAll},
    {mbHelp, "Help", "ヘルプ(&H)", mrNone},
};

// The first of these that the dialog has is the default button, and the one Escape presses.
constexpr TMsgDlgButtons kDefaultOrder[] = {mbOK, mbYes, mbRetry};
constexpr TMsgDlgButtons kCancelOrder[] = {mbCancel, mbNo, mbOK};

constexpr int kMargin = 12;
constexpr int kGap = 8;
constexpr int kButtonHeight = 25;
constexpr int kButtonMinWidth = 75;

std::string DialogTitle(TMsgDlgType type) {
  switch (type) {
  case TMsgDlgType::mtWarning:
    return "警告";
  case TMsgDlgType::mtError:
    return "エラー";
  case TMsgDlgType::mtInformation:
    return "情報";
  case TMsgDlgType::mtConfirmation:
    return "確認";
  default:
    return Application->Title();
  }
}

HICON DialogIcon(TMsgDlgType type) {
  LPCSTR id = nullptr;
  switch (type) {
  case TMsgDlgType::mtWarning:
    id = IDI_WARNING;
    break;
  case TMsgDlgType::mtError:
    id = IDI_ERROR;
    break;
  case TMsgDlgType::mtInformation:
    id = IDI_INFORMATION;
    break;
  case TMsgDlgType::mtConfirmation:
    id = IDI_QUESTION;
    break;
  default:
    return nullptr;
  }
  return LoadIconA(nullptr, id);
}

TMsgDlgButtons FirstOf(TMsgDlgButtons buttons, const TMsgDlgButtons (&order)[3]) {
  for (TMsgDlgButtons button : order)
    if (buttons & button)
      return button;
  return 0;
}

class TMessageForm : public TForm {
public:
  bool Pressed() const { return pressed_; }

protected:
  TMessageForm(TComponent* owner, const std::string& text, TMsgDlgType type,
               TMsgDlgButtons buttons)
      : TForm(owner) {
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(TPosition::poScreenCenter);
    SetCaption(DialogTitle(type));
    if (TForm* active = Screen->ActiveForm(); active && active->Visible())
      SetPopupParent(active);
    if (buttons == 0)
      buttons = mbOK;
    Build(text, type, buttons);
  }

  void CreateParams(TCreateParams& params) override {
    TForm::CreateParams(params);
    params.WinClassName = "TMessageForm";
  }

  bool DialogKey(WORD key, TShiftState shift) override {
    if (key == VK_ESCAPE && !(shift & (ssCtrl | ssAlt)) && !hasCancel_) {
      Close(); // no result
      return true;
    }
    return TForm::DialogKey(key, shift);
  }

private:
  bool pressed_ = false;
  bool hasCancel_ = false;

  void Build(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    int left = kMargin;
    int iconBottom = 0;
    if (HICON icon = DialogIcon(type)) {
      auto* image = Create<TImage>(this, "Image");
      image->SetBounds(kMargin, kMargin, 32, 32);
      image->SetIcon(icon);
      image->SetParent(this);
      left += 32 + kMargin;
      iconBottom = kMargin + 32;
    }
    auto* message = Create<TLabel>(this, "Message");
    message->SetShowAccelChar(false);
    message->SetWordWrap(true);
    RECT area = Screen->WorkAreaRect();
    message->SetAutoSize(false);
    message->SetText(text);
    SIZE extent = message->TextExtent((area.right - area.left) * 2 / 3);
    message->SetBounds(left, kMargin, extent.cx, extent.cy);
    message->SetParent(this);

    int buttonsTop = std::max(kMargin + static_cast<int>(extent.cy), iconBottom) + kMargin + 4;
    TMsgDlgButtons defaultButton = FirstOf(buttons, kDefaultOrder);
    TMsgDlgButtons cancelButton = FirstOf(buttons, kCancelOrder);
    std::vector<TButton*> row;
    for (const TButtonKind& kind : kButtonKinds) {
      if (!(buttons & kind.button))
        continue;
      auto* button = Create<TButton>(this, kind.name);
      button->SetCaption(kind.caption);
      button->ModalResult = kind.result;
      button->SetDefault(defaultButton ? kind.button == defaultButton : row.empty());
      button->SetCancel(kind.button == cancelButton);
      if (kind.result != mrNone)
        button->OnClick = [this](TObject*) { pressed_ = true; };
      row.push_back(button);
    }
    hasCancel_ = cancelButton != 0;

    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    int rowWidth = 0;
    for (TButton* button : row) {
      SIZE size{};
      std::string caption = button->Caption();
      GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
      button->SetWidth(std::max(kButtonMinWidth, static_cast<int>(size.cx) + 16));
      rowWidth += button->Width() + (rowWidth ? kGap : 0);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);

    int clientWidth = std::max(left + static_cast<int>(extent.cx) + kMargin, rowWidth + 2 * kMargin);
    int x = (clientWidth - rowWidth) / 2;
    for (TButton* button : row) {
      button->SetBounds(x, buttonsTop, button->Width(), kButtonHeight);
      button->SetParent(this);
      x += button->Width() + kGap;
      if (button->Default())
        SetActiveControl(button);
    }
    HandleNeeded();
    SetClientSize(clientWidth, buttonsTop + kButtonHeight + kMargin);
  }
};

// Stay-on-top forms step back while a box is up, so that no box hides below them.
class TTopmostPause {
public:
  TTopmostPause() {
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TForm* form = Screen->Forms(i);
      if (form->FormStyle() == TFormStyle::fsStayOnTop && form->HandleAllocated() &&
          IsWindowVisible(form->Handle())) {
        SetWindowPos(form->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        paused_.push_back(form->Handle());
      }
    }
  }
  ~TTopmostPause() {
    for (HWND window : paused_)
      if (IsWindow(window))
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  TTopmostPause(const TTopmostPause&) = delete;
  TTopmostPause& operator=(const TTopmostPause&) = delete;

private:
  std::vector<HWND> paused_;
};

} // namespace

void SetDialogHook(TDialogHook hook) {
  dialogHook = std::move(hook);
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  if (dialogHook.Dialog)
    return dialogHook.Dialog(text, type, buttons);
  TTopmostPause pause;
  TOwned<TMessageForm> form(TComponent::Create<TMessageForm>(nullptr, {}, text, type, buttons));
  TModalResult result = form->ShowModal();
  return form->Pressed() ? result : mrNone;
}

void Beep() {
  if (dialogHook.Beep)
    dialogHook.Beep();
  else
    MessageBeep(MB_OK);
}

} // namespace quolin
