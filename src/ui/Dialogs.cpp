#include "ui/Dialogs.h"

#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/Panels.h"

#include <algorithm>

namespace quolin {

namespace {

TDialogHook dialogHook;
TInputQueryHook inputQueryHook;

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

// A form made for one call of a dialog routine: a dialog frame, centred on the screen, owned
// by the active form, of its own window class (tests find it by that).
class TDialogForm : public TForm {
protected:
  TDialogForm(TComponent* owner, const std::string& caption, const char* className)
      : TForm(owner), className_(className) {
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(TPosition::poScreenCenter);
    SetCaption(caption);
    if (TForm* active = Screen->ActiveForm(); active && active->Visible())
      SetPopupParent(active);
  }

  void CreateParams(TCreateParams& params) override {
    TForm::CreateParams(params);
    params.WinClassName = className_;
  }

  // The width of a caption in the form's font.
  int TextWidth(const std::string& text) {
    return static_cast<int>(TextExtent(Font().Handle(), text).cx);
  }

private:
  const char* className_;
};

class TMessageForm : public TDialogForm {
public:
  bool Pressed() const { return pressed_; }

protected:
  TMessageForm(TComponent* owner, const std::string& text, TMsgDlgType type,
               TMsgDlgButtons buttons)
      : TDialogForm(owner, DialogTitle(type), "TMessageForm") {
    if (buttons == 0)
      buttons = mbOK;
    Build(text, type, buttons);
  }

  bool DialogKey(WORD key, TShiftState shift) override {
    if (key == VK_ESCAPE && !(shift & (ssCtrl | ssAlt)) && !hasCancel_) {
      Close(); // no result
      return true;
    }
    return TDialogForm::DialogKey(key, shift);
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

    int rowWidth = 0;
    for (TButton* button : row) {
      button->SetWidth(std::max(kButtonMinWidth, TextWidth(button->Caption()) + 16));
      rowWidth += button->Width() + (rowWidth ? kGap : 0);
    }

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

class TInputQueryForm : public TDialogForm {
public:
  std::string Answer() const { return edit_->Text(); }

protected:
  TInputQueryForm(TComponent* owner, const std::string& caption, const std::string& prompt,
                  const std::string& value)
      : TDialogForm(owner, caption, "TInputQueryForm") {
    constexpr int kEditHeight = 21;
    constexpr int kMinClientWidth = 300;
    auto* label = Create<TLabel>(this, "Prompt");
    label->SetText(prompt);
    label->SetLeft(kMargin);
    label->SetTop(kMargin);
    label->SetParent(this);
    int clientWidth = std::max(kMinClientWidth, label->Width() + 2 * kMargin);

    edit_ = Create<TEdit>(this, "Edit");
    edit_->SetBounds(kMargin, label->Top() + label->Height() + 6, clientWidth - 2 * kMargin,
                     kEditHeight);
    edit_->SetText(value);
    edit_->SetParent(this);
    label->FocusControl = edit_;

    int buttonsTop = edit_->Top() + kEditHeight + kMargin;
    int left = (clientWidth - 2 * kButtonMinWidth - kGap) / 2;
    auto* ok = Create<TButton>(this, "OK");
    ok->SetCaption("OK");
    ok->ModalResult = mrOk;
    ok->SetDefault(true);
    ok->SetBounds(left, buttonsTop, kButtonMinWidth, kButtonHeight);
    ok->SetParent(this);
    auto* cancel = Create<TButton>(this, "Cancel");
    cancel->SetCaption("キャンセル");
    cancel->ModalResult = mrCancel;
    cancel->SetCancel(true);
    cancel->SetBounds(left + kButtonMinWidth + kGap, buttonsTop, kButtonMinWidth, kButtonHeight);
    cancel->SetParent(this);

    SetActiveControl(edit_);
    HandleNeeded();
    SetClientSize(clientWidth, buttonsTop + kButtonHeight + kMargin);
  }

  void AfterShow() override { edit_->SelectAll(); }

private:
  TEdit* edit_ = nullptr;
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

void SetInputQueryHook(TInputQueryHook hook) {
  inputQueryHook = std::move(hook);
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  std::string answer = value;
  if (inputQueryHook) {
    if (!inputQueryHook(caption, prompt, answer))
      return false;
  } else {
    TTopmostPause pause;
    TOwned<TInputQueryForm> form(
        TComponent::Create<TInputQueryForm>(nullptr, {}, caption, prompt, value));
    if (form->ShowModal() != mrOk)
      return false;
    answer = form->Answer();
  }
  value = answer;
  return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& defaultValue) {
  std::string value = defaultValue;
  return InputQuery(caption, prompt, value) ? value : defaultValue;
}

} // namespace quolin
