#include "ui/Buttons.h"

#include "ui/Forms.h"
#include "ui/Graphics.h"

namespace quolin {

namespace {

bool IsClickNotification(const TMessage& message) {
  return message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED;
}

} // namespace

TButton::TButton(TComponent* owner) : TControl(owner) {
  clickEvents_ = false;
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool value) {
  default_ = value;
  if (HandleAllocated())
    SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& params) {
  params.WinClassName = "BUTTON";
  params.Native = true;
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& message) {
  if (IsClickNotification(message)) {
    Click();
    return;
  }
  TControl::WndProc(message);
}

void TButton::Click() {
  if (ModalResult != mrNone)
    if (TForm* form = ParentForm())
      form->SetModalResult(ModalResult);
  TControl::Click();
}

bool TButton::ClicksOnDialogKey(WORD key, TShiftState) const {
  return (key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_);
}

bool TButton::AcceleratorKey(char key) {
  if (!IsAccel(key, Caption()))
    return false;
  Click();
  return true;
}

TCheckableButton::TCheckableButton(TComponent* owner, int width, DWORD buttonStyle)
    : TControl(owner), buttonStyle_(buttonStyle) {
  clickEvents_ = false;
  SetTabStop(true);
  SetParentColor(true);
  SetBounds(0, 0, width, 17);
}

bool TCheckableButton::StoreChecked(bool checked) {
  if (checked == checked_)
    return false;
  checked_ = checked;
  if (HandleAllocated())
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

bool TCheckableButton::AcceleratorKey(char key) {
  if (!IsAccel(key, Caption()))
    return false;
  SetFocus();
  SetChecked(ClickedState());
  return true;
}

void TCheckableButton::CreateParams(TCreateParams& params) {
  params.WinClassName = "BUTTON";
  params.Native = true;
  params.Style |= buttonStyle_;
}

void TCheckableButton::CreateWnd() {
  SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckableButton::WndProc(TMessage& message) {
  if (IsClickNotification(message)) {
    SetChecked(ClickedState());
    return;
  }
  TControl::WndProc(message);
}

void TCheckBox::SetChecked(bool checked) {
  if (StoreChecked(checked))
    Click();
}

void TRadioButton::SetChecked(bool checked) {
  if (!StoreChecked(checked) || !checked)
    return;
  if (TControl* parent = Parent())
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
        sibling->SetChecked(false);
  Click();
}

TSpeedButton::TSpeedButton(TComponent* owner) : TCustomControl(owner) {
  clickEvents_ = false;
  SetParentColor(true);
  SetBounds(0, 0, 23, 22);
}

std::vector<TSpeedButton*> TSpeedButton::Group() const {
  std::vector<TSpeedButton*> group;
  if (!Parent() || groupIndex_ == 0)
    return group;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* button = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        button && button != this && button->groupIndex_ == groupIndex_)
      group.push_back(button);
  return group;
}

void TSpeedButton::SetGroupIndex(int index) {
  if (index == groupIndex_)
    return;
  groupIndex_ = index;
  if (index == 0 && down_) {
    down_ = false;
    Invalidate();
  }
}

void TSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0 || down == down_)
    return;
  if (down_ && !allowAllUp_)
    return;
  down_ = down;
  Invalidate();
  if (!down)
    return;
  for (TSpeedButton* other : Group())
    if (other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
}

void TSpeedButton::SetAllowAllUp(bool allow) {
  allowAllUp_ = allow;
  for (TSpeedButton* other : Group())
    other->allowAllUp_ = allow;
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) {
    pressing_ = true;
    Invalidate();
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && pressing_) {
    pressing_ = false;
    RECT rect = ClientRect();
    bool inside = PtInRect(&rect, POINT{x, y}) != 0;
    if (inside && groupIndex_ != 0)
      SetDown(!down_);
    Invalidate();
    if (inside)
      Click();
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Paint(HDC dc) {
  RECT rect = ClientRect();
  bool sunken = down_ || pressing_;
  if (sunken || !Flat)
    DrawEdge(dc, &rect, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  int shift = sunken ? 1 : 0;
  if (Images && ImageIndex >= 0) {
    int x = (rect.left + rect.right - Images->Width()) / 2 + shift;
    int y = (rect.top + rect.bottom - Images->Height()) / 2 + shift;
    Images->Draw(dc, x, y, ImageIndex, Enabled());
  }
  std::string caption = Caption();
  if (caption.empty())
    return;
  OffsetRect(&rect, shift, shift);
  HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &rect,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  TCustomControl::Paint(dc);
}

} // namespace quolin
