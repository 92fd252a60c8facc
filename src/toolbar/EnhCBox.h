// A combo box that can paint itself flat: its frame is drawn raised only while the pointer is
// over it or it has the focus. It also reaches three native settings: the width of the dropped
// list, the list's horizontal extent and the extended keyboard interface, which it keeps while
// it has no window, so that a new window gets them back.
//
// The layer has no mouse enter or leave messages: the box captures the mouse while the pointer
// is inside (moves over its edit box are passed on to it) and so notices when it leaves.
#pragma once

#include "ui/Edits.h"

namespace quolin {

// What decides whether a flat combo box draws its frame raised.
struct TFlatBorderState {
  bool alwaysShowBorder = false;
  bool showBorderWhenInactive = false;
  bool mouseInside = false;
  bool focused = false;
  bool applicationActive = false;
};

// Always with alwaysShowBorder; else only while the pointer is inside or the box has the focus,
// and then only while the application is active unless showBorderWhenInactive.
bool FlatBorderShown(const TFlatBorderState& state);

class TCustomEnhComboBox : public TComboBox {
public:
  bool Flat() const { return flat_; }
  // Ctl3D becomes its opposite.
  void SetFlat(bool flat);
  // The client edge (WS_EX_CLIENTEDGE).
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool ctl3D);
  bool AlwaysShowBorder() const { return alwaysShowBorder_; }
  void SetAlwaysShowBorder(bool always);
  // Hover and focus raise the frame even while the application is inactive, and focus changes
  // do not repaint it.
  bool ShowBorderWhenInactive = false;
  // While hovering, the hint is the text when the text is wider than the edit part.
  bool Tooltip = false;

  // The window is asked; the kept values while there is none. Setting the width or the
  // extent closes a dropped list first. A width below the box's gives the box's.
  int DropDownWidth();
  void SetDropDownWidth(int width);
  int HorizontalExtent();
  void SetHorizontalExtent(int extent);
  bool ExtendedInterface();
  void SetExtendedInterface(bool extended);

  // A flat box takes its parent's colour while disabled and gets its own back when enabled.
  void SetEnabled(bool enabled) override;

  bool BorderShown();
  bool MouseInside() const { return mouseInside_; }
  bool ButtonPressed() const { return pressed_; }

protected:
  explicit TCustomEnhComboBox(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  void MouseMove(TShiftState shift, int x, int y) override;

private:
  bool flat_ = true;
  bool ctl3D_ = false;
  bool alwaysShowBorder_ = false;
  int buttonWidth_;
  bool pressed_ = false;
  bool dropped_ = false;
  bool mouseInside_ = false;
  TColor savedColor_ = clWindow;
  bool savedParentColor_ = false;
  int dropDownWidth_ = 0;
  int horizontalExtent_ = 0;
  bool extendedInterface_ = false;

  void CloseList();
  void Hover(POINT point);
  bool LeftPress(TMessage& message);
  void Command(WORD code);
  void PaintFlat(TMessage& message);
  void PaintFrame();
  void PaintButton(HDC dc, bool shown);
  RECT ButtonRect();
  bool HasFocus();
  static LRESULT CALLBACK EditMouseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR data);
};

class TEnhComboBox : public TCustomEnhComboBox {
protected:
  using TCustomEnhComboBox::TCustomEnhComboBox;
};

} // namespace quolin
