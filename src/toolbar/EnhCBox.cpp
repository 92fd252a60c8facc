#include "toolbar/EnhCBox.h"

#include "toolbar/TbCommon.h"
#include "ui/Application.h"

#include <commctrl.h>
#include <windowsx.h>

namespace quolin {

namespace {

constexpr UINT_PTR EditMouseSubclassId = 3;

HBRUSH FaceBrush() {
  return GetSysColorBrush(COLOR_BTNFACE);
}

} // namespace

bool FlatBorderShown(const TFlatBorderState& state) {
  if (state.alwaysShowBorder)
    return true;
  if (!state.mouseInside && !state.focused)
    return false;
  return state.showBorderWhenInactive || state.applicationActive;
}

TCustomEnhComboBox::TCustomEnhComboBox(TComponent* owner)
    : TComboBox(owner), buttonWidth_(GetSystemMetrics(SM_CXVSCROLL) + 1) {}

void TCustomEnhComboBox::SetFlat(bool flat) {
  if (flat == flat_)
    return;
  flat_ = flat;
  SetCtl3D(!flat);
  Invalidate();
}

void TCustomEnhComboBox::SetCtl3D(bool ctl3D) {
  if (ctl3D == ctl3D_)
    return;
  ctl3D_ = ctl3D;
  RecreateWnd();
}

void TCustomEnhComboBox::SetAlwaysShowBorder(bool always) {
  if (always == alwaysShowBorder_)
    return;
  alwaysShowBorder_ = always;
  PaintFrame();
}

int TCustomEnhComboBox::DropDownWidth() {
  if (HandleAllocated())
    return static_cast<int>(SendMessageA(Handle(), CB_GETDROPPEDWIDTH, 0, 0));
  return dropDownWidth_;
}

void TCustomEnhComboBox::SetDropDownWidth(int width) {
  dropDownWidth_ = width;
  if (!HandleAllocated())
    return;
  CloseList();
  SendMessageA(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

int TCustomEnhComboBox::HorizontalExtent() {
  if (HandleAllocated())
    return static_cast<int>(SendMessageA(Handle(), CB_GETHORIZONTALEXTENT, 0, 0));
  return horizontalExtent_;
}

void TCustomEnhComboBox::SetHorizontalExtent(int extent) {
  horizontalExtent_ = extent;
  if (!HandleAllocated())
    return;
  CloseList();
  SendMessageA(Handle(), CB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

bool TCustomEnhComboBox::ExtendedInterface() {
  if (HandleAllocated())
    return SendMessageA(Handle(), CB_GETEXTENDEDUI, 0, 0) != 0;
  return extendedInterface_;
}

void TCustomEnhComboBox::SetExtendedInterface(bool extended) {
  extendedInterface_ = extended;
  if (HandleAllocated())
    SendMessageA(Handle(), CB_SETEXTENDEDUI, extended, 0);
}

void TCustomEnhComboBox::CloseList() {
  if (DroppedDown())
    SetDroppedDown(false);
}

void TCustomEnhComboBox::SetEnabled(bool enabled) {
  if (flat_ && enabled != Enabled()) {
    if (!enabled) {
      savedColor_ = Color();
      savedParentColor_ = ParentColor();
      SetParentColor(true);
    } else if (!savedParentColor_) {
      SetColor(savedColor_);
    }
  }
  TComboBox::SetEnabled(enabled);
}

bool TCustomEnhComboBox::BorderShown() {
  return FlatBorderShown(
      {alwaysShowBorder_, ShowBorderWhenInactive, mouseInside_, HasFocus(), ApplicationIsActive()});
}

bool TCustomEnhComboBox::HasFocus() {
  HWND focus = GetFocus();
  HWND window = WindowHandle();
  return window && focus && (focus == window || IsChild(window, focus));
}

void TCustomEnhComboBox::CreateParams(TCreateParams& params) {
  TComboBox::CreateParams(params);
  params.Style |= WS_HSCROLL; // the list scrolls sideways to HorizontalExtent
  if (ctl3D_)
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEnhComboBox::CreateWnd() {
  TComboBox::CreateWnd();
  HWND window = Handle();
  SendMessageA(window, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(dropDownWidth_), 0);
  SendMessageA(window, CB_SETEXTENDEDUI, extendedInterface_, 0);
  SendMessageA(window, CB_SETHORIZONTALEXTENT, static_cast<WPARAM>(horizontalExtent_), 0);
  if (HWND edit = EditHandle())
    SetWindowSubclass(edit, EditMouseProc, EditMouseSubclassId, reinterpret_cast<DWORD_PTR>(this));
  mouseInside_ = pressed_ = dropped_ = false;
}

void TCustomEnhComboBox::DestroyWnd() {
  HWND window = Handle();
  if (HWND edit = EditHandle())
    RemoveWindowSubclass(edit, EditMouseProc, EditMouseSubclassId);
  dropDownWidth_ = static_cast<int>(SendMessageA(window, CB_GETDROPPEDWIDTH, 0, 0));
  horizontalExtent_ = static_cast<int>(SendMessageA(window, CB_GETHORIZONTALEXTENT, 0, 0));
  extendedInterface_ = SendMessageA(window, CB_GETEXTENDEDUI, 0, 0) != 0;
  TComboBox::DestroyWnd();
}

void TCustomEnhComboBox::WndProc(TMessage& message) {
  switch (message.Msg) {
  case WM_PAINT:
    if (flat_) {
      PaintFlat(message);
      return;
    }
    break;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    if (flat_ && LeftPress(message))
      return;
    break;
  case CN_COMMAND:
    Command(HIWORD(message.WParam));
    break;
  default:
    break;
  }
  TComboBox::WndProc(message);
}

void TCustomEnhComboBox::MouseMove(TShiftState shift, int x, int y) {
  Hover({x, y});
  TComboBox::MouseMove(shift, x, y);
}

// Moves over the box and its edit box, in the box's client coordinates.
void TCustomEnhComboBox::Hover(POINT point) {
  if (!flat_ || !Enabled())
    return;
  HWND window = Handle();
  if (dropped_) {
    RECT button = ButtonRect();
    if (bool over = PtInRect(&button, point); over != pressed_) {
      pressed_ = over;
      PaintFrame();
    }
  }
  RECT client = ClientRect();
  bool inside = PtInRect(&client, point);
  HWND capture = GetCapture();
  if (capture == window && !inside) {
    mouseInside_ = false;
    PaintFrame();
    if (!dropped_)
      ReleaseCapture();
  } else if (!capture && inside) {
    // Another window's capture (the edit box selecting, the dropped list) is left alone.
    if (Tooltip) {
      std::string text = Text();
      SetHint(TextExtent(Font().Handle(), text).cx > Width() - buttonWidth_ ? text : "");
    }
    mouseInside_ = true;
    pressed_ = false;
    PaintFrame();
    SetCapture(window);
  }
}

// A press made while the box held the capture for hovering: a press meant for the edit box is
// handed to it (true).
bool TCustomEnhComboBox::LeftPress(TMessage& message) {
  HWND window = Handle();
  bool hovering = GetCapture() == window;
  if (hovering)
    ReleaseCapture();
  POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  RECT button = ButtonRect();
  pressed_ = Style() != TComboBoxStyle::csDropDown || PtInRect(&button, point);
  PaintFrame();
  HWND edit = EditHandle();
  if (!hovering || !edit)
    return false;
  MapWindowPoints(window, edit, &point, 1);
  RECT editRect;
  GetClientRect(edit, &editRect);
  if (!PtInRect(&editRect, point))
    return false;
  message.Result = SendMessageA(edit, message.Msg, message.WParam, MAKELPARAM(point.x, point.y));
  return true;
}

void TCustomEnhComboBox::Command(WORD code) {
  switch (code) {
  case CBN_SETFOCUS:
  case CBN_KILLFOCUS:
    if (!ShowBorderWhenInactive)
      PaintFrame();
    break;
  case CBN_DROPDOWN:
    dropped_ = true;
    break;
  case CBN_CLOSEUP:
    dropped_ = false;
    pressed_ = false;
    PaintFrame();
    break;
  default:
    break;
  }
}

// The box paints its edit part, kept off the frame and the button, which are painted over it.
void TCustomEnhComboBox::PaintFlat(TMessage& message) {
  HWND window = Handle();
  auto given = reinterpret_cast<HDC>(message.WParam);
  PAINTSTRUCT paint{};
  HDC dc = given ? given : BeginPaint(window, &paint);
  int saved = SaveDC(dc);
  if (Style() != TComboBoxStyle::csSimple) {
    RECT client = ClientRect();
    IntersectClipRect(dc, 2, 2, client.right - buttonWidth_, client.bottom - 2);
  }
  message.WParam = reinterpret_cast<WPARAM>(dc);
  DefaultHandler(message);
  RestoreDC(dc, saved);
  if (!given)
    EndPaint(window, &paint);
  PaintFrame();
}

// Over the window: the button first, then the frames around it.
void TCustomEnhComboBox::PaintFrame() {
  if (!flat_ || !HandleAllocated())
    return;
  HWND window = Handle();
  HDC dc = GetWindowDC(window);
  bool shown = BorderShown();
  if (Style() != TComboBoxStyle::csSimple) {
    PaintButton(dc, shown);
    RECT button = ButtonRect();
    ExcludeClipRect(dc, button.left, button.top, button.right, button.bottom);
  }
  RECT rect;
  GetWindowRect(window, &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  if (shown) {
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  } else {
    FrameRect(dc, &rect, FaceBrush());
    InflateRect(&rect, -1, -1);
  }
  FrameRect(dc, &rect, FaceBrush());
  InflateRect(&rect, -1, -1);
  FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
  ReleaseDC(window, dc);
}

// With the border shown a face-coloured line parts the button from the edit part and the
// button is raised (sunken while pressed); otherwise the button is flat on the face colour.
void TCustomEnhComboBox::PaintButton(HDC dc, bool shown) {
  RECT button = ButtonRect();
  RECT strip{button.left - 2, button.top, button.left - 1, button.bottom};
  FillRect(dc, &strip, Brush());
  OffsetRect(&strip, 1, 0);
  FillRect(dc, &strip, shown ? FaceBrush() : Brush());
  if (shown)
    DrawEdge(dc, &button, pressed_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
             BF_RECT | BF_MIDDLE | BF_ADJUST);
  else
    FillRect(dc, &button, FaceBrush());
  DrawFrameControl(dc, &button, DFC_SCROLL,
                   DFCS_SCROLLCOMBOBOX | DFCS_FLAT | (pressed_ ? DFCS_PUSHED : 0));
}

// The button's width and 2 more at the right of the window, less 2 on every side.
RECT TCustomEnhComboBox::ButtonRect() {
  RECT rect;
  GetWindowRect(Handle(), &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  return {width - buttonWidth_, 2, width - 2, height - 2};
}

LRESULT CALLBACK TCustomEnhComboBox::EditMouseProc(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
  auto* combo = reinterpret_cast<TCustomEnhComboBox*>(data);
  if (message == WM_MOUSEMOVE)
    Guard(combo, [&] {
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      MapWindowPoints(window, combo->WindowHandle(), &point, 1);
      combo->Hover(point);
    });
  else if (message == WM_NCDESTROY)
    RemoveWindowSubclass(window, EditMouseProc, id);
  return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace quolin
