// Buttons: the native push button, check box and radio button, and the painted speed button
// that can stay down alone or in a group.
#pragma once

#include "ui/Control.h"

namespace quolin {

class TImageList;

class TButton : public TControl {
public:
  // Enter clicks the default button unless another button has the focus.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  // Escape clicks the cancel button.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  // Clicking sets the form's ModalResult to this.
  TModalResult ModalResult = mrNone;

  void Click() override;
  bool AcceleratorKey(char key) override;
  bool ClicksOnDialogKey(WORD key, TShiftState shift) const override;

protected:
  explicit TButton(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

private:
  bool default_ = false;
  bool cancel_ = false;
};

// The native check box and radio button: a checked state that the button's window shows, a
// click or the accelerator key that changes it, and OnClick when it changed.
class TCheckableButton : public TControl {
public:
  bool Checked() const { return checked_; }
  virtual void SetChecked(bool checked) = 0;
  bool AcceleratorKey(char key) override;

protected:
  // width: the default width in pixels; buttonStyle: BS_CHECKBOX or BS_RADIOBUTTON.
  TCheckableButton(TComponent* owner, int width, DWORD buttonStyle);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

  // The state a click gives.
  virtual bool ClickedState() const = 0;
  // Keeps and shows checked; false when the button was already so.
  bool StoreChecked(bool checked);

private:
  DWORD buttonStyle_;
  bool checked_ = false;
};

class TCheckBox : public TCheckableButton {
public:
  // Raises OnClick when the state changes.
  void SetChecked(bool checked) override;

protected:
  explicit TCheckBox(TComponent* owner) : TCheckableButton(owner, 97, BS_CHECKBOX) {}
  bool ClickedState() const override { return !Checked(); }
};

// Checking one radio button unchecks the others of the same parent.
class TRadioButton : public TCheckableButton {
public:
  // Raises OnClick when it becomes checked.
  void SetChecked(bool checked) override;

protected:
  explicit TRadioButton(TComponent* owner) : TCheckableButton(owner, 113, BS_RADIOBUTTON) {}
  bool ClickedState() const override { return true; }
};

// A painted button. With a GroupIndex above 0 it stays down when clicked and the other
// buttons of its group (same parent, same index) go up; with AllowAllUp a click raises it.
class TSpeedButton : public TCustomControl {
public:
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index);
  bool Down() const { return down_; }
  // Ignored for group 0; a down button of a group without AllowAllUp stays down.
  void SetDown(bool down);
  bool AllowAllUp() const { return allowAllUp_; }
  // Shared by the whole group.
  void SetAllowAllUp(bool allow);
  bool Flat = false;
  TImageList* Images = nullptr;
  int ImageIndex = -1;

protected:
  explicit TSpeedButton(TComponent* owner);
  void Paint(HDC dc) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  int groupIndex_ = 0;
  bool down_ = false;
  bool allowAllUp_ = false;
  bool pressing_ = false;

  std::vector<TSpeedButton*> Group() const;
};

} // namespace quolin
