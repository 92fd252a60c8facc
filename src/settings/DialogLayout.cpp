#include "settings/DialogLayout.h"

namespace quolin {

namespace {
constexpr int ButtonWidth = 88;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 8;
} // namespace

void SetUpDialog(TForm& form, int width, int height) {
  form.SetBorderStyle(TFormBorderStyle::bsDialog);
  form.SetBorderIcons(biSystemMenu);
  form.SetPosition(TPosition::poMainFormCenter);
  form.SetBounds(0, 0, width, height);
}

TButton* AddDialogButton(TForm& form, const char* name, const char* caption, int left, int top) {
  auto* button = TComponent::Create<TButton>(&form, name);
  button->SetCaption(caption);
  button->SetBounds(left, top, ButtonWidth, ButtonHeight);
  button->SetParent(&form);
  return button;
}

void AddOkCancel(TForm& form, TButton*& ok, TButton*& cancel, int left, int top) {
  ok = AddDialogButton(form, "Button_OK", "OK", left, top);
  ok->ModalResult = mrOk;
  ok->SetDefault(true);
  cancel =
      AddDialogButton(form, "Button_Cancel", "キャンセル", left + ButtonWidth + ButtonGap, top);
  cancel->ModalResult = mrCancel;
  cancel->SetCancel(true);
}

} // namespace quolin
