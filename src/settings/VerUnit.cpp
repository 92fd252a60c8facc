#include "settings/VerUnit.h"

#include "core/Format.h"
#include "core/ResConst.h"
#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Graphics.h"
#include "ui/Panels.h"
#include "ui/Timer.h"

#include <windows.h>

#include <shellapi.h>

#include <iterator>
#include <utility>

namespace quolin {

namespace {

constexpr char VersionText[] = "Version 4.2.2.0";
constexpr int VersionNumber = 4220;
constexpr char CreditsResource[] = "CREDITS";
constexpr char IconResource[] = "MAINICON";

constexpr char Credits[] = "Quolin - TeX/LaTeX 統合環境.  This software is based in part on the "
                           "work of the Independent JPEG Group.";

// The link labels; the version check's address is built from the version number.
struct TLinkText {
  const char* Name;
  const char* Text;
  const char* Address;
  RECT Bounds;
};
constexpr TLinkText Links[] = {
    {"Label2", "サポートページ", "https://example.org/quolin/support", {84, 44, 200, 13}},
    {"Label3", "Quolin の情報", "https://example.org/quolin/", {16, 150, 300, 13}},
    {"Label4", "作者へのメール", "mailto:author@example.org", {84, 64, 200, 13}},
    {"Label5", "各バージョン", "https://example.org/quolin/versions", {84, 104, 200, 13}},
    {"Label6", "Version Check", "", {84, 84, 200, 13}},
};

TOpenAddressHook& OpenHook() {
  static TOpenAddressHook hook;
  return hook;
}

// A label that the mouse reaches (a plain static control lets it through to its parent),
// showing the hand pointer.
class TLinkLabel : public TLabel {
protected:
  explicit TLinkLabel(TComponent* owner) : TLabel(owner) { SetCursor(crHandPoint); }
  void CreateParams(TCreateParams& params) override {
    TLabel::CreateParams(params);
    params.Style |= SS_NOTIFY;
  }
};

} // namespace

TOpenAddressHook SetOpenAddressHook(TOpenAddressHook hook) {
  return std::exchange(OpenHook(), std::move(hook));
}

void OpenAddress(const std::string& address) {
  if (OpenHook()) {
    OpenHook()(address);
    return;
  }
  ShellExecuteA(nullptr, "OPEN", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string VersionCheckAddress() {
  return Format(res::VersionCheckAddress, VersionNumber);
}

TVerForm::TVerForm(TComponent* owner) : TForm(owner) {
  SetCaption("バージョン情報");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poScreenCenter);
  KeyPreview = true;
  Image1 = PlaceControl<TImage>(this, "Image1", this, {16, 16, 32, 32});
  Image1->SetIcon(LoadIconA(GetModuleHandleA(nullptr), IconResource));
  Label1 = PlaceControl<TLabel>(this, "Label1", this, {84, 20, 200, 13}, VersionText);
  Image2 = PlaceControl<TImage>(this, "Image2", this, {40, AboutImageStartTop, 240, 80});
  TBitmap credits;
  if (credits.LoadFromResourceName(GetModuleHandleA(nullptr), CreditsResource))
    Image2->SetBitmap(credits);
  BuildLinks();
  Panel1 = PlaceControl<TPanel>(this, "Panel1", this, {0, 0, 320, 40});
  Panel1->SetAlign(alBottom);
  Button1 = PlaceControl<TButton>(this, "Button1", Panel1, {122, 8, 75, 25}, "閉じる");
  Button1->ModalResult = mrOk;
  Button1->SetCancel(true);
  Timer1 = TComponent::Create<TTimer>(this, "Timer1");
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this](TObject*) { AnimationStep(); };
  OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { FormKeyDown(key, shift); };
  OnKeyPress = [this](TObject*, char& key) {
    if (keys_.DiscardsChars())
      key = 0;
  };
  SetClientSize(320, 310);
}

void TVerForm::BuildLinks() {
  TLabel** labels[] = {&Label2, &Label3, &Label4, &Label5, &Label6};
  for (size_t i = 0; i < std::size(Links); ++i) {
    const TLinkText& link = Links[i];
    TLabel* label = PlaceControl<TLinkLabel>(this, link.Name, this, link.Bounds, link.Text);
    const std::string address = *link.Address ? link.Address : VersionCheckAddress();
    label->OnClick = [address](TObject*) { OpenAddress(address); };
    *labels[i] = label;
  }
  Label5->SetVisible(false);
}

void TVerForm::DoShow() {
  StopAnimation();
  Image2->SetVisible(false);
  Label3->SetVisible(false);
  for (TLabel* label : {Label1, Label2, Label4, Label6})
    label->SetVisible(true);
  Image2->SetBounds(Image2->Left(), AboutImageStartTop, Image2->Width(), Image2->Height());
  keys_.Reset();
  TForm::DoShow();
}

void TVerForm::DoHide() {
  StopAnimation();
  TForm::DoHide();
}

void TVerForm::FormKeyDown(WORD& key, TShiftState shift) {
  const TAboutKeyResult result = keys_.KeyDown(key, (shift & (ssShift | ssAlt | ssCtrl)) == ssCtrl);
  if (result.Consumed)
    key = 0;
  if (result.Beep)
    Beep();
  if (result.Start)
    StartAnimation();
}

void TVerForm::StartAnimation() {
  for (TLabel* label : {Label1, Label2, Label3, Label4, Label5, Label6})
    label->SetVisible(false);
  Image2->SetVisible(true);
  animation_ = std::make_unique<TAboutAnimation>(Credits, Image2->Top());
  AnimationStep();
}

void TVerForm::AnimationStep() {
  if (!animation_)
    return;
  const TAboutStep step = animation_->Next();
  switch (step.Action) {
  case TAboutAction::aaMoveImage:
    Image2->SetBounds(Image2->Left(), step.ImageTop, Image2->Width(), Image2->Height());
    break;
  case TAboutAction::aaShowText:
    Label3->SetText(step.Text);
    Label3->SetVisible(true);
    break;
  case TAboutAction::aaTypeText:
    Label3->SetText(step.Text);
    break;
  case TAboutAction::aaWait:
    break;
  case TAboutAction::aaDone:
    StopAnimation();
    keys_.AnimationDone();
    return;
  }
  Timer1->SetInterval(static_cast<unsigned>(step.Pause));
  Timer1->SetEnabled(true);
}

void TVerForm::StopAnimation() {
  Timer1->SetEnabled(false);
  animation_.reset();
}

void ShowVerForm() {
  TOwned<TVerForm> form(TComponent::Create<TVerForm>(Application, "VerForm"));
  form->ShowModal();
}

} // namespace quolin
