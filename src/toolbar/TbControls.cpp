#include "toolbar/TbControls.h"

#include "toolbar/TbCommon.h"
#include "toolbar/TbDock.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Timer.h"

#include <algorithm>
#include <vector>

namespace quolin {

namespace {

constexpr unsigned MouseInInterval = 125;

// What every button of the process shares.
struct ButtonProcessState {
  int instances = 0;
  TTimer* mouseInTimer = nullptr;
  TToolbarButton* mouseInButton = nullptr;
  TGdiHandle<HBRUSH> checker; // made when first painted, dropped on a system colour change
};

ButtonProcessState& Shared() {
  static ButtonProcessState state;
  return state;
}

TControl* ControlUnderCursor() {
  POINT cursor;
  GetCursorPos(&cursor);
  return TControl::FromHandle(WindowFromPoint(cursor));
}

// Moves anywhere in the thread and the application's deactivation unlight the lit button.
void ButtonHook(THookKind kind, HWND, WPARAM wParam, LPARAM) {
  TToolbarButton* button = Shared().mouseInButton;
  if (!button)
    return;
  if (kind == hkMouseMove ? ControlUnderCursor() != button
                          : !wParam && !button->ShowBorderWhenInactive)
    button->MouseLeft();
}

void MouseInTick(TObject*) {
  TToolbarButton* button = Shared().mouseInButton;
  if (button && ControlUnderCursor() != button)
    button->MouseLeft();
}

HBRUSH CheckerBrush() {
  TGdiHandle<HBRUSH>& checker = Shared().checker;
  if (!checker) {
    TBitmap pattern;
    pattern.SetSize(8, 8, clBtnFace);
    TMemoryDC dc(pattern.Handle());
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if (CheckerHighlight(x, y))
          SetPixel(dc.Get(), x, y, ColorToRGB(clBtnHighlight));
    checker.reset(CreatePatternBrush(pattern.Handle()));
  }
  return checker.get();
}

RECT ToRect(const DockRect& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

bool IsEmpty(const DockRect& rect) {
  return rect.Width() <= 0 || rect.Height() <= 0;
}

bool PressOrDoubleClick(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
         message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK ||
         message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK;
}

// A mouse message taken while the menu held the capture may name the menu's window: it goes
// to this thread's window under its point, as it would have without the menu.
MSG ToWindowUnderPoint(MSG message) {
  HWND under = WindowFromPoint(message.pt);
  if (!under || under == message.hwnd ||
      GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId())
    return message;
  POINT point = message.pt;
  ScreenToClient(under, &point);
  message.hwnd = under;
  message.lParam = MAKELPARAM(point.x, point.y);
  return message;
}

// Puts the menu's alignment and tracking button back when it has been shown.
struct MenuSettingsKept {
  TPopupMenu* menu;
  TPopupAlignment alignment = menu->Alignment;
  TTrackButton trackButton = menu->TrackButton;
  ~MenuSettingsKept() {
    menu->Alignment = alignment;
    menu->TrackButton = trackButton;
  }
};

} // namespace

TToolbarButtonActionLink::TToolbarButtonActionLink(TToolbarButton* button, TAction* action)
    : TControlActionLink(button, action), button_(button) {}

void TToolbarButtonActionLink::ActionChanged() {
  TControlActionLink::ActionChanged();
  if (TAction* action = Action()) {
    button_->HelpContext = action->HelpContext();
    button_->SetImageIndex(action->ImageIndex());
    button_->SetDown(action->Checked());
  }
}

TToolbarButton::TToolbarButton(TComponent* owner) : TCustomControl(owner) {
  clickEvents_ = false; // presses are tracked here
  SetBounds(0, 0, 22, 23);
  UpdateOpaque();
  ButtonProcessState& shared = Shared();
  if (shared.instances++ > 0)
    return;
  shared.mouseInTimer = TComponent::Create<TTimer>(nullptr);
  shared.mouseInTimer->SetEnabled(false);
  shared.mouseInTimer->SetInterval(MouseInInterval);
  shared.mouseInTimer->OnTimer = MouseInTick;
  InstallHookProc(ButtonHook, HookKinds({hkActivateApp, hkMouseMove}));
}

void TToolbarButton::BeforeDestruction() {
  ButtonProcessState& shared = Shared();
  if (shared.mouseInButton == this) {
    shared.mouseInButton = nullptr;
    shared.mouseInTimer->SetEnabled(false);
  }
  actionLink_.reset();
  glyph_.Release();
  if (--shared.instances == 0) {
    FreeAndNil(shared.mouseInTimer);
    UninstallHookProc(ButtonHook);
    shared.checker.reset();
  }
  TCustomControl::BeforeDestruction();
}

TToolbarButton* TToolbarButton::MouseInButton() {
  return Shared().mouseInButton;
}

TTimer* TToolbarButton::MouseInTimer() {
  return Shared().mouseInTimer;
}

void TToolbarButton::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != TOperation::opRemove)
    return;
  if (component == dropdownMenu_)
    dropdownMenu_ = nullptr;
  if (component == images_)
    SetImages(nullptr);
  if (actionLink_ && component == actionLink_->Action())
    actionLink_.reset();
}

std::vector<TToolbarButton*> TToolbarButton::Group() const {
  std::vector<TToolbarButton*> group;
  if (!Parent() || groupIndex_ == 0)
    return group;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* button = dynamic_cast<TToolbarButton*>(Parent()->Controls(i));
        button && button != this && button->groupIndex_ == groupIndex_)
      group.push_back(button);
  return group;
}

void TToolbarButton::SetAllowAllUp(bool allow) {
  allowAllUp_ = allow;
  for (TToolbarButton* other : Group())
    other->allowAllUp_ = allow;
}

void TToolbarButton::SetDown(bool down) {
  if (groupIndex_ == 0)
    down = false;
  if (down == down_ || (!down && !allowAllUp_))
    return;
  down_ = down;
  SetState(RestingState());
  if (down)
    for (TToolbarButton* other : Group()) {
      if (other->down_) {
        other->down_ = false;
        other->SetState(other->RestingState());
        if (TAction* action = other->Action())
          action->SetChecked(false);
      }
      other->allowAllUp_ = allowAllUp_;
    }
  if (TAction* action = Action())
    action->SetChecked(down_);
}

void TToolbarButton::SetGroupIndex(int index) {
  groupIndex_ = index;
  if (index == 0 && down_) {
    down_ = false;
    SetState(RestingState());
  }
}

void TToolbarButton::SetDropdownArrowWidth(int width) {
  Change(dropdownArrowWidth_, std::max(width, MinDropdownArrowWidth));
}

void TToolbarButton::SetDropdownCombo(bool combo) {
  if (combo == dropdownCombo_)
    return;
  dropdownCombo_ = combo;
  const int part = ComboPartWidth(dropdownArrowWidth_);
  SetWidth(Width() + (combo ? part : -part));
  Invalidate();
}

void TToolbarButton::SetDropdownMenu(TPopupMenu* menu) {
  if (dropdownMenu_)
    RemoveFreeNotification(dropdownMenu_);
  dropdownMenu_ = menu;
  if (menu)
    FreeNotification(menu);
  Invalidate();
}

void TToolbarButton::SetFlat(bool flat) {
  Change(flat_, flat);
  UpdateOpaque();
}

void TToolbarButton::SetOpaque(bool opaque) {
  Change(opaqueProperty_, opaque);
  UpdateOpaque();
}

// A flat transparent button lets the parent show through; any other paints its rectangle.
void TToolbarButton::UpdateOpaque() {
  opaque_ = opaqueProperty_ || !flat_;
  parentBackground_ = !opaque_;
}

void TToolbarButton::SetImageIndex(int index) {
  imageIndex_ = index;
  ChangeGlyph([&] { glyph_.SetImages(images_, index); });
}

void TToolbarButton::SetImages(TImageList* images) {
  if (images_)
    RemoveFreeNotification(images_);
  images_ = images;
  if (images)
    FreeNotification(images);
  ChangeGlyph([&] { glyph_.SetImages(images, imageIndex_); });
}

void TToolbarButton::SetOldDisabledStyle(bool old) {
  oldDisabledStyle_ = old;
  ChangeGlyph([&] { glyph_.SetOldDisabledStyle(old); });
}

TAction* TToolbarButton::Action() const {
  return actionLink_ ? actionLink_->Action() : nullptr;
}

void TToolbarButton::SetAction(TAction* action) {
  if (TAction* old = Action())
    RemoveFreeNotification(old);
  actionLink_.reset();
  if (!action)
    return;
  actionLink_ = std::make_unique<TToolbarButtonActionLink>(this, action);
  FreeNotification(action);
  action->SetChecked(down_);
  actionLink_->ActionChanged();
}

void TToolbarButton::SetEnabled(bool enabled) {
  if (enabled == Enabled())
    return;
  TCustomControl::SetEnabled(enabled);
  if (!enabled)
    mouseInControl_ = false;
  ReleaseGlyphs();
  SetState(RestingState());
}

TButtonState TToolbarButton::RestingState() const {
  if (!Enabled())
    return bsDisabled;
  if (down_)
    return bsExclusive;
  return mouseInControl_ ? bsMouseIn : bsUp;
}

void TToolbarButton::SetState(TButtonState state) {
  if (state == state_)
    return;
  state_ = state;
  Invalidate();
}

bool TToolbarButton::InMainPart(int x, int y) {
  const int width = dropdownCombo_ ? Width() - ComboPartWidth(dropdownArrowWidth_) : Width();
  return x >= 0 && y >= 0 && x < width && y < Height();
}

void TToolbarButton::ReleaseGlyphs() {
  glyph_.Release();
  Invalidate();
}

void TToolbarButton::MouseEntered() {
  if (!Enabled() || mouseInControl_)
    return;
  mouseInControl_ = true;
  if (state_ == bsUp)
    state_ = bsMouseIn;
  if (flat_ || NumGlyphs() >= 5)
    Invalidate();
  if (OnMouseEnter && EventsAllowed())
    OnMouseEnter(this);
}

void TToolbarButton::MouseLeft() {
  if (mouseIsDown_)
    return;
  ButtonProcessState& shared = Shared();
  if (shared.mouseInButton == this) {
    shared.mouseInTimer->SetEnabled(false);
    shared.mouseInButton = nullptr;
  }
  if (!mouseInControl_)
    return;
  mouseInControl_ = false;
  if (state_ == bsMouseIn || (state_ == bsDown && !inClick_))
    state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
  Invalidate();
  if (OnMouseExit && EventsAllowed())
    OnMouseExit(this);
}

void TToolbarButton::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  ButtonProcessState& shared = Shared();
  if (shared.mouseInButton != this && ControlUnderCursor() == this) {
    if (shared.mouseInButton)
      shared.mouseInButton->MouseLeft();
    if (ShowBorderWhenInactive || ApplicationIsActive()) {
      shared.mouseInButton = this;
      shared.mouseInTimer->SetEnabled(false); // restarted for this button
      shared.mouseInTimer->SetEnabled(true);
      MouseEntered();
    }
  }
  if (!mouseIsDown_)
    return;
  pressOver_ = InMainPart(x, y);
  SetState(pressOver_ ? bsDown : down_ ? bsExclusive : bsUp);
}

void TToolbarButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !Enabled())
    return;
  if ((shift & ssDouble) && down_) {
    if (OnDblClick && EventsAllowed())
      OnDblClick(this);
    return;
  }
  MouseEntered();
  if (UsesDropdown() && (!dropdownCombo_ || OnArrowPart(x, Width(), dropdownArrowWidth_))) {
    arrowPressed_ = dropdownCombo_;
    Click();
    return;
  }
  if (!down_)
    SetState(bsDown);
  mouseIsDown_ = true;
  pressOver_ = true;
  if (!Repeating)
    return;
  Click();
  StartRepeat();
}

void TToolbarButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (button == TMouseButton::mbRight && Enabled()) {
    EndTracking();
    MouseLeft();
    return;
  }
  if (button != TMouseButton::mbLeft || !mouseIsDown_)
    return;
  const bool over = InMainPart(x, y);
  EndTracking();
  if (over && !Repeating)
    Click();
  else if (!over)
    MouseLeft();
}

void TToolbarButton::EndTracking() {
  mouseIsDown_ = false;
  pressOver_ = false;
  StopRepeat();
  SetState(RestingState());
}

void TToolbarButton::StartRepeat() {
  if (!repeatTimer_) {
    repeatTimer_ = TComponent::Create<TTimer>(this);
    repeatTimer_->OnTimer = [this](TObject*) { RepeatTick(); };
  }
  repeatTimer_->SetEnabled(false);
  repeatTimer_->SetInterval(static_cast<unsigned>(RepeatDelay));
  repeatTimer_->SetEnabled(true);
}

void TToolbarButton::StopRepeat() {
  if (repeatTimer_)
    repeatTimer_->SetEnabled(false);
}

// Held off the main part the repeat pauses; it resumes when the cursor comes back.
void TToolbarButton::RepeatTick() {
  repeatTimer_->SetInterval(static_cast<unsigned>(RepeatInterval));
  if (!mouseIsDown_) {
    StopRepeat();
    return;
  }
  if (pressOver_)
    Click();
}

void TToolbarButton::FireClick() {
  if (!EventsAllowed())
    return;
  if (OnClick)
    OnClick(this);
  else if (actionLink_)
    actionLink_->Execute();
}

void TToolbarButton::Click() {
  const bool dropdown = UsesDropdown() && (!dropdownCombo_ || arrowPressed_);
  if (Repeating && !dropdown) {
    FireClick();
    return;
  }
  inClick_ = true;
  if (groupIndex_ != 0 && !dropdown)
    SetDown(!down_);
  if (dropdown) {
    menuIsDown_ = true;
    SetState(bsDown);
    Repaint();
    if (!dropdownCombo_)
      FireClick();
    ReleaseCapture();
    bool showMenu = dropdownMenu_ != nullptr;
    bool removeClicks = true;
    if (OnDropdown && EventsAllowed())
      OnDropdown(this, showMenu, removeClicks);
    if (showMenu && dropdownMenu_) {
      ShowDropdownMenu();
      if (removeClicks)
        RemoveClicks();
    }
    menuIsDown_ = false;
  } else {
    if (state_ == bsDown)
      SetState(RestingState());
    if (TForm* form = ParentForm(); form && form != static_cast<TControl*>(this))
      form->SetModalResult(ModalResult);
    FireClick();
  }
  inClick_ = false;
  arrowPressed_ = false;
  if (state_ == bsDown)
    state_ = RestingState();
  Invalidate();
  MouseLeft();
}

TDropdownPlace TToolbarButton::DropdownPlace() {
  RECT rect;
  GetWindowRect(Handle(), &rect);
  TDockPosition position = dpTop;
  for (TControl* control = Parent(); control; control = control->Parent())
    if (auto* window = dynamic_cast<TCustomToolWindow*>(control)) {
      if (TDock* dock = window->DockedTo())
        position = dock->Position();
      break;
    }
  switch (position) {
  case dpLeft:
    return {{rect.right, rect.top}, false};
  case dpRight:
    return {{rect.left, rect.top}, true};
  default:
    return {{rect.left, rect.bottom}, false};
  }
}

void TToolbarButton::ShowDropdownMenu() {
  TDropdownPlace place = DropdownPlace();
  TPopupMenu* menu = dropdownMenu_;
  MenuSettingsKept kept{menu};
  menu->Alignment = place.rightAligned ? TPopupAlignment::paRight : TPopupAlignment::paLeft;
  menu->TrackButton = TTrackButton::tbLeftButton;
  menu->SetPopupComponent(this);
  menu->Popup(place.point.x, place.point.y);
}

// Takes every waiting mouse-button message first and posts the kept ones back afterwards:
// posting them inside the scan would find them again.
void TToolbarButton::RemoveClicks() {
  RECT rect;
  GetWindowRect(Handle(), &rect);
  std::vector<MSG> kept;
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_MBUTTONDBLCLK, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      kept.push_back(message);
      break;
    }
    if (PressOrDoubleClick(message.message) && PtInRect(&rect, message.pt))
      continue; // the click that closed this button's menu
    kept.push_back(ToWindowUnderPoint(message));
  }
  for (const MSG& entry : kept)
    if (entry.message == WM_QUIT)
      PostQuitMessage(static_cast<int>(entry.wParam));
    else
      PostMessageA(entry.hwnd, entry.message, entry.wParam, entry.lParam);
}

bool TToolbarButton::AcceleratorKey(char key) {
  if (displayMode_ == TButtonDisplayMode::dmGlyphOnly || !Enabled() || !IsAccel(key, Caption()))
    return false;
  Click();
  return true;
}

bool TToolbarButton::ClicksOnDialogKey(WORD key, TShiftState shift) const {
  if (shift & (ssShift | ssCtrl | ssAlt) || !Enabled() || !Visible())
    return false;
  return (key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_);
}

void TToolbarButton::WndProc(TMessage& message) {
  switch (message.Msg) {
  case WM_CANCELMODE:
    EndTracking();
    break;
  case WM_SYSCOLORCHANGE:
    Shared().checker.reset();
    ReleaseGlyphs();
    break;
  default:
    break;
  }
  TCustomControl::WndProc(message);
}

void TToolbarButton::Paint(HDC dc) {
  RECT client = ClientRect();
  const bool hot = mouseInControl_ && Enabled();
  const bool comboMenuOpen = dropdownCombo_ && menuIsDown_;
  const bool downLook = state_ == bsExclusive || (state_ == bsDown && !comboMenuOpen);
  const bool border =
      !noBorder_ && (!flat_ || state_ == bsDown || state_ == bsExclusive || hot);
  if (opaque_)
    FillRect(dc, &client, Brush());
  RECT main = client;
  if (dropdownCombo_)
    main.right -= ComboPartWidth(dropdownArrowWidth_);
  if (border)
    PaintBorder(dc, main, downLook);
  RECT face = main;
  InflateRect(&face, flat_ ? -1 : -2, flat_ ? -1 : -2);
  if (state_ == bsExclusive && highlightWhenDown_ && !hot && !menuIsDown_)
    FillRect(dc, &face, CheckerBrush());
  if (dropdownCombo_)
    PaintComboPart(dc, {main.right, client.top, client.right, client.bottom}, border);
  PaintContent(dc, face, downLook ? 1 : 0);
  TCustomControl::Paint(dc);
}

void TToolbarButton::PaintBorder(HDC dc, RECT rect, bool pressed) {
  if (flat_)
    DrawEdge(dc, &rect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  else if (pressed)
    DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
  else
    DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
}

void TToolbarButton::PaintComboPart(HDC dc, RECT part, bool border) {
  if (border)
    PaintBorder(dc, part, menuIsDown_);
  PaintArrow(dc, (part.left + part.right) / 2, part.bottom / 2 - 1);
}

void TToolbarButton::PaintContent(HDC dc, RECT face, int offset) {
  const SIZE glyph = glyph_.Size();
  const std::string caption = Caption();
  const int mainWidth = dropdownCombo_ ? Width() - ComboPartWidth(dropdownArrowWidth_) : Width();
  const UINT lines = wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  RECT extent{0, 0, 0, 0};
  if (!caption.empty() && displayMode_ != TButtonDisplayMode::dmGlyphOnly) {
    TSelected font(dc, Font().Handle());
    if (wordWrap_)
      extent.right = WrapWidth(mainWidth, glyph.cx, layout_, margin_, spacing_);
    DrawTextA(dc, caption.c_str(), -1, &extent, DT_CALCRECT | lines);
  }
  ButtonLayoutInput input;
  input.width = Width();
  input.height = Height();
  input.glyphWidth = glyph.cx;
  input.glyphHeight = glyph.cy;
  input.textWidth = extent.right;
  input.textHeight = extent.bottom;
  input.layout = layout_;
  input.margin = margin_;
  input.spacing = spacing_;
  input.displayMode = displayMode_;
  input.arrowBesideGlyph = UsesDropdown() && !dropdownCombo_ && dropdownArrow_;
  input.combo = dropdownCombo_;
  input.arrowWidth = dropdownArrowWidth_;
  input.downOffset = offset;
  const ButtonLayoutResult layout = LayoutButton(input);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, face.left, face.top, face.right, face.bottom);
  if (!IsEmpty(layout.glyph))
    glyph_.Draw(dc, layout.glyph.left, layout.glyph.top, Enabled() ? state_ : bsDisabled);
  if (!IsEmpty(layout.text)) {
    const UINT align = alignment_ == TAlignment::taCenter        ? DT_CENTER
                       : alignment_ == TAlignment::taRightJustify ? DT_RIGHT
                                                                  : DT_LEFT;
    PaintCaption(dc, ToRect(layout.text), align | lines | (wordWrap_ ? 0 : DT_VCENTER));
  }
  RestoreDC(dc, saved);
  if (input.arrowBesideGlyph)
    PaintArrow(dc, (layout.arrow.left + layout.arrow.right) / 2, layout.arrow.top);
}

// Disabled: once 1 pixel down and right in the highlight colour, then in place in the shadow.
template <typename Draw> void DrawEnabledOrEmbossed(bool enabled, TColor color, Draw draw) {
  if (enabled) {
    draw(0, color);
    return;
  }
  draw(1, clBtnHighlight);
  draw(0, clBtnShadow);
}

void TToolbarButton::PaintArrow(HDC dc, int centreX, int top) {
  DrawEnabledOrEmbossed(Enabled(), Font().Color(), [&](int shift, TColor color) {
    TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(color)));
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
    TSelected selectedPen(dc, pen.get());
    TSelected selectedBrush(dc, brush.get());
    const auto corners = ArrowTriangle(centreX + shift, top + shift);
    POINT points[3];
    for (size_t i = 0; i < corners.size(); ++i)
      points[i] = {corners[i].x, corners[i].y};
    Polygon(dc, points, 3);
  });
}

void TToolbarButton::PaintCaption(HDC dc, RECT rect, UINT format) {
  const std::string caption = Caption();
  TSelected font(dc, Font().Handle());
  SetBkMode(dc, TRANSPARENT);
  DrawEnabledOrEmbossed(Enabled(), Font().Color(), [&](int shift, TColor color) {
    RECT shifted = rect;
    OffsetRect(&shifted, shift, shift);
    SetTextColor(dc, ColorToRGB(color));
    DrawTextA(dc, caption.c_str(), -1, &shifted, format);
  });
}

} // namespace quolin
