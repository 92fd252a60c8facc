#include "ui/Control.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Sjis.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <unordered_map>

namespace quolin {

namespace {

thread_local TControl* creatingControl = nullptr;
TControl::TMessageTap messageTap = nullptr;
thread_local bool wheelPassedOn = false;
int nextControlId = 100;

// The control of each window of the layer. Not a window property: under Wine reading one is a
// round trip to the server, and every message a window gets looks its control up.
class TControlRegistry {
public:
  void Add(HWND window, TControl* control) {
    std::lock_guard guard(lock_);
    controls_[window] = control;
  }
  void Remove(HWND window) {
    std::lock_guard guard(lock_);
    controls_.erase(window);
  }
  TControl* Find(HWND window) {
    std::lock_guard guard(lock_);
    auto found = controls_.find(window);
    return found == controls_.end() ? nullptr : found->second;
  }

private:
  std::mutex lock_;
  std::unordered_map<HWND, TControl*> controls_;
};

// Never destroyed: windows may still go while statics are destroyed.
TControlRegistry& Registry() {
  static auto* registry = new TControlRegistry;
  return *registry;
}

template <typename List, typename Item> void EraseItem(List& list, Item item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

// Calls each observer of the list in order until one answers true; observers may remove
// themselves (or others) while they run.
template <typename Observer, typename Call>
bool WalkObservers(std::vector<std::pair<int, Observer>>& list, Call call) {
  if (list.empty())
    return false;
  std::vector<int> ids;
  for (auto& entry : list)
    ids.push_back(entry.first);
  for (int id : ids) {
    auto found =
        std::find_if(list.begin(), list.end(), [id](auto& entry) { return entry.first == id; });
    if (found == list.end())
      continue;
    Observer observer = found->second;
    if (call(observer))
      return true;
  }
  return false;
}

} // namespace

TShiftState KeyboardShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0)
    shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0)
    shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0)
    shift |= ssAlt;
  return shift;
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT)
    shift |= ssShift;
  if (keys & MK_CONTROL)
    shift |= ssCtrl;
  if (keys & MK_LBUTTON)
    shift |= ssLeft;
  if (keys & MK_RBUTTON)
    shift |= ssRight;
  if (keys & MK_MBUTTON)
    shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0)
    shift |= ssAlt;
  return shift;
}

// The window procedures of the layer: the class procedure of its own classes and the subclass
// procedure of native ones. Both end in TControl::Dispatch, the exception barrier.
struct TControlWindow {
  static LRESULT CALLBACK ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TControl* control = TControl::FromHandle(window);
    if (!control) {
      control = creatingControl;
      if (!control)
        return DefWindowProcA(window, message, wParam, lParam);
      creatingControl = nullptr;
      control->Bind(window);
    }
    return control->Dispatch(message, wParam, lParam);
  }

  // Set as the window procedure itself rather than through the common controls' subclassing,
  // which reads a window property (a round trip to the server under Wine) for every message.
  static LRESULT CALLBACK NativeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return TControl::FromHandle(window)->Dispatch(message, wParam, lParam);
  }

  static void Register(const TCreateParams& params) {
    static std::set<std::string> registered;
    if (registered.count(params.WinClassName))
      return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = params.ClassStyle;
    windowClass.lpfnWndProc = ClassProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = Application->Icon();
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw EInvalidOperation(Format("Cannot register window class %s", params.WinClassName));
    registered.insert(params.WinClassName);
  }
};

TControl* TControl::FromHandle(HWND window) {
  return window ? Registry().Find(window) : nullptr;
}

void TControl::SetMessageTap(TMessageTap tap) {
  messageTap = tap;
}

TControl* TControl::FindFromHandle(HWND window) {
  for (; window; window = GetParent(window))
    if (TControl* control = FromHandle(window))
      return control;
  return nullptr;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  if (alive_)
    *alive_ = false;
  if (brush_)
    DeleteObject(brush_);
}

HWND TControl::Handle() {
  if (!handle_)
    CreateHandle();
  return handle_;
}

void TControl::CreateHandle() {
  HWND parentWindow = parent_ ? parent_->Handle() : nullptr;
  if (handle_)
    return; // the parent's creation made it
  TCreateParams params;
  params.Caption = text_;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = WindowHeight(height_);
  params.WndParent = parentWindow;
  params.Style = WS_CLIPSIBLINGS | (parentWindow ? WS_CHILD : 0);
  if (visible_)
    params.Style |= WS_VISIBLE;
  if (!enabled_)
    params.Style |= WS_DISABLED;
  if (tabStop_)
    params.Style |= WS_TABSTOP;
  params.WinClassName = "TQuolinControl";
  CreateParams(params);
  if (!params.Native)
    TControlWindow::Register(params);
  HMENU id = (params.Style & WS_CHILD)
                 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextControlId++))
                 : nullptr;
  creatingControl = params.Native ? nullptr : this;
  HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                                params.Style, params.X, params.Y, params.Width, params.Height,
                                params.WndParent, id, GetModuleHandleA(nullptr), params.Param);
  creatingControl = nullptr;
  if (!window)
    throw EInvalidOperation(Format("Cannot create a window of class %s (error %u)",
                                   params.WinClassName, static_cast<unsigned>(GetLastError())));
  native_ = params.Native;
  if (native_) {
    Bind(window);
    nativeProcedure_.Replace(window, TControlWindow::NativeProc);
  }
  UpdateBoundsFromWindow();
  ApplyFont();
  Application->AddHintTool(this);
  CreateWnd();
  for (TControl* child : std::vector<TControl*>(controls_))
    child->CreateHandle();
  Realign();
}

void TControl::DestroyHandle() {
  if (!handle_)
    return;
  for (TControl* child : controls_)
    child->DestroyHandle();
  text_ = Text();
  DestroyWnd();
  if (handle_)
    DestroyWindowHandle();
  Unbind();
}

void TControl::DestroyWindowHandle() {
  DestroyWindow(handle_);
}

void TControl::RecreateWnd() {
  if (!handle_)
    return;
  bool focused = Focused();
  DestroyHandle();
  CreateHandle();
  if (focused && CanFocus())
    ::SetFocus(handle_);
}

void TControl::CreateParams(TCreateParams&) {
}

void TControl::CreateWnd() {
}

void TControl::DestroyWnd() {
}

void TControl::Bind(HWND window) {
  handle_ = window;
  Registry().Add(window, this);
}

void TControl::Unbind() {
  if (!handle_)
    return;
  Application->RemoveHintTool(handle_);
  Registry().Remove(handle_);
  if (native_)
    nativeProcedure_.Restore(handle_);
  handle_ = nullptr;
}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(Handle(), message, wParam, lParam);
}

LRESULT TControl::Dispatch(UINT messageId, WPARAM wParam, LPARAM lParam) {
  TMessage message{messageId, wParam, lParam, 0};
  try {
    if (messageTap)
      messageTap(handle_, messageId, wParam, lParam);
    bool handled = WalkObservers(observers_, [&](auto& observer) { return observer(message); });
    if (!handled) {
      // A handler may free this object: the after-observers run only while it lives.
      std::shared_ptr<bool> alive = afterObservers_.empty() ? nullptr : alive_;
      WndProc(message);
      if (alive && *alive)
        WalkObservers(afterObservers_, [&](auto& observer) {
          observer(message);
          return !*alive;
        });
    }
  } catch (...) {
    Application->HandleException(this);
  }
  // Nothing else of this object is touched after WndProc except for the last message it gets.
  if (messageId == WM_NCDESTROY)
    Unbind();
  return message.Result;
}

void TControl::WndProc(TMessage& message) {
  switch (message.Msg) {
  case WM_COMMAND:
  case WM_NOTIFY:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
  case WM_DRAWITEM:
  case WM_MEASUREITEM:
  case WM_HSCROLL:
  case WM_VSCROLL:
    if (Reflect(message))
      return;
    break;
  case CN_NOTIFY: {
    // Common controls report clicks by notification.
    UINT code = reinterpret_cast<NMHDR*>(message.LParam)->code;
    if (code == static_cast<UINT>(NM_CLICK))
      Click();
    else if (code == static_cast<UINT>(NM_DBLCLK))
      DblClick();
    break;
  }
  case CN_CTLCOLOREDIT:
  case CN_CTLCOLORLISTBOX:
  case CN_CTLCOLORBTN:
  case CN_CTLCOLORSTATIC: {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(font_.Color()));
    SetBkColor(dc, ColorToRGB(color_));
    message.Result = reinterpret_cast<LRESULT>(Brush());
    return;
  }
  case WM_MOUSEMOVE:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_MBUTTONDBLCLK:
    HandleMouse(message);
    return;
  case WM_MOUSEWHEEL:
    HandleWheel(message);
    return;
  case WM_CONTEXTMENU: {
    bool handled = false;
    DoContextPopup(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}, handled);
    if (handled) {
      message.Result = 0;
      return;
    }
    if (HandleContextMenu(message))
      return;
    break;
  }
  case WM_SETCURSOR:
    if (HandleSetCursor(message))
      return;
    break;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN: {
    WORD key = static_cast<WORD>(message.WParam);
    if (DoKeyDown(key, KeyboardShiftState()))
      return;
    message.WParam = key;
    break;
  }
  case WM_KEYUP:
  case WM_SYSKEYUP: {
    WORD key = static_cast<WORD>(message.WParam);
    KeyUp(key, KeyboardShiftState());
    if (key == 0)
      return;
    message.WParam = key;
    break;
  }
  case WM_CHAR:
    HandleChar(message, false);
    return;
  case WM_SYSCHAR:
    HandleChar(message, true);
    return;
  case WM_SETFOCUS:
    if (TForm* form = ParentForm(); form && form != this)
      form->FocusedControlChanged(this);
    break;
  case WM_WINDOWPOSCHANGED:
    UpdateBoundsFromWindow();
    break;
  case WM_SIZE:
    DefaultHandler(message);
    Realign();
    Resize();
    return;
  case WM_ERASEBKGND:
    if (native_)
      break;
    if (!opaque_)
      EraseBackground(reinterpret_cast<HDC>(message.WParam));
    message.Result = 1;
    return;
  default:
    break;
  }
  DefaultHandler(message);
}

void TControl::EraseBackground(HDC dc) {
  if (parentBackground_ && parent_ && parent_->handle_) {
    // The parent erases and paints into this DC moved to its own coordinates.
    POINT origin{0, 0};
    MapWindowPoints(handle_, parent_->handle_, &origin, 1);
    POINT old;
    OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
    SendMessageA(parent_->handle_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(parent_->handle_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetWindowOrgEx(dc, old.x, old.y, nullptr);
    return;
  }
  RECT rect;
  GetClientRect(handle_, &rect);
  FillRect(dc, &rect, Brush());
}

void TControl::DefaultHandler(TMessage& message) {
  if (!handle_) {
    message.Result = 0;
    return;
  }
  if (message.Msg >= CN_BASE && message.Msg < CN_BASE + 0x400) {
    message.Result = 0;
    return;
  }
  if (!native_)
    message.Result = DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
  else
    message.Result =
        nativeProcedure_.CallPrevious(handle_, message.Msg, message.WParam, message.LParam);
}

bool TControl::Reflect(TMessage& message) {
  HWND child = nullptr;
  switch (message.Msg) {
  case WM_COMMAND:
  case WM_HSCROLL:
  case WM_VSCROLL:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC:
    child = reinterpret_cast<HWND>(message.LParam);
    break;
  case WM_NOTIFY:
    child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
    break;
  case WM_DRAWITEM: {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
    if (item->CtlType == ODT_MENU) {
      message.Result = TMenuItem::DrawMenuImage(*item);
      return true;
    }
    child = item->hwndItem;
    break;
  }
  case WM_MEASUREITEM: {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    if (item->CtlType == ODT_MENU) {
      message.Result = TMenuItem::MeasureMenuImage(*item);
      return true;
    }
    child = GetDlgItem(handle_, static_cast<int>(item->CtlID));
    break;
  }
  default:
    return false;
  }
  TControl* control = FromHandle(child);
  if (!control || control == this)
    return false;
  message.Result = control->Dispatch(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

void TControl::HandleMouse(TMessage& message) {
  int x = GET_X_LPARAM(message.LParam);
  int y = GET_Y_LPARAM(message.LParam);
  TShiftState shift = MouseShiftState(message.WParam);
  if (message.Msg == WM_MOUSEMOVE) {
    DefaultHandler(message);
    MouseMove(shift, x, y);
    return;
  }
  TMouseButton button = TMouseButton::mbLeft;
  if (message.Msg >= WM_RBUTTONDOWN && message.Msg <= WM_RBUTTONDBLCLK)
    button = TMouseButton::mbRight;
  else if (message.Msg >= WM_MBUTTONDOWN && message.Msg <= WM_MBUTTONDBLCLK)
    button = TMouseButton::mbMiddle;
  UINT offset = (message.Msg - WM_LBUTTONDOWN) % 3; // 0 down, 1 up, 2 double click
  if (offset != 1) {
    if (!native_)
      SetCapture(handle_);
    if (button == TMouseButton::mbLeft)
      leftPressed_ = true;
    if (offset == 2 && button == TMouseButton::mbLeft && clickEvents_)
      DblClick();
    MouseDown(button, shift | (offset == 2 ? ssDouble : 0), x, y);
    DefaultHandler(message);
    return;
  }
  DefaultHandler(message);
  if (!native_ && !(message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) &&
      GetCapture() == handle_)
    ReleaseCapture();
  bool click = button == TMouseButton::mbLeft && leftPressed_;
  if (button == TMouseButton::mbLeft)
    leftPressed_ = false;
  if (click && clickEvents_) {
    RECT rect = ClientRect();
    if (PtInRect(&rect, POINT{x, y}))
      Click();
  }
  MouseUp(button, shift, x, y);
}

void TControl::HandleWheel(TMessage& message) {
  if (wheelPassedOn) {
    // A child's unclaimed wheel message travelling up by the default handling.
    DefaultHandler(message);
    return;
  }
  TShiftState shift = MouseShiftState(GET_KEYSTATE_WPARAM(message.WParam));
  int delta = GET_WHEEL_DELTA_WPARAM(message.WParam);
  POINT position{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  for (TControl* control = this; control; control = control->parent_)
    if (control->DoMouseWheel(shift, delta, position)) {
      message.Result = 0;
      return;
    }
  wheelPassedOn = true;
  try {
    DefaultHandler(message);
  } catch (...) {
    wheelPassedOn = false;
    throw;
  }
  wheelPassedOn = false;
}

void TControl::DoContextPopup(POINT, bool&) {
}

bool TControl::HandleContextMenu(TMessage& message) {
  if (!popupMenu_ || !popupMenu_->AutoPopup)
    return false;
  POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  if (point.x == -1 && point.y == -1)
    point = ClientToScreen(POINT{0, 0});
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(point.x, point.y);
  message.Result = 0;
  return true;
}

bool TControl::HandleSetCursor(TMessage& message) {
  if (LOWORD(message.LParam) != HTCLIENT || reinterpret_cast<HWND>(message.WParam) != handle_)
    return false;
  TCursor cursor = Screen->Cursor();
  if (cursor == crDefault)
    cursor = cursor_;
  if (cursor == crDefault)
    return false;
  ::SetCursor(Screen->CursorHandle(cursor));
  message.Result = TRUE;
  return true;
}

void TControl::HandleChar(TMessage& message, bool system) {
  char key = static_cast<char>(message.WParam);
  TForm* form = ParentForm();
  if (!system) {
    if (DoKeyPress(key))
      return;
    message.WParam = static_cast<unsigned char>(key);
    // A window of the layer's own classes answers through Dispatch without the round trips of
    // a sent message.
    LRESULT code =
        native_ ? SendMessageA(handle_, WM_GETDLGCODE, 0, 0) : Dispatch(WM_GETDLGCODE, 0, 0);
    if (!(code & DLGC_WANTCHARS) && form && form->DialogChar(key))
      return;
  } else if (form && form->DialogChar(key)) {
    return;
  }
  DefaultHandler(message);
}

bool TControl::DoKeyDown(WORD& key, TShiftState shift) {
  TForm* form = ParentForm();
  if (form && form != this && form->KeyPreview) {
    static_cast<TControl*>(form)->KeyDown(key, shift);
    if (key == 0)
      return true;
  }
  KeyDown(key, shift);
  return key == 0;
}

bool TControl::DoKeyPress(char& key) {
  TForm* form = ParentForm();
  if (form && form != this && form->KeyPreview) {
    static_cast<TControl*>(form)->KeyPress(key);
    if (key == 0)
      return true;
  }
  KeyPress(key);
  return key == 0;
}

void TControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown && EventsAllowed())
    OnKeyDown(this, key, shift);
}

void TControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp && EventsAllowed())
    OnKeyUp(this, key, shift);
}

void TControl::KeyPress(char& key) {
  if (OnKeyPress && EventsAllowed())
    OnKeyPress(this, key);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown && EventsAllowed())
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp && EventsAllowed())
    OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove && EventsAllowed())
    OnMouseMove(this, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) {
  bool handled = false;
  if (OnMouseWheel && EventsAllowed())
    OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  return handled;
}

void TControl::Click() {
  if (OnClick && EventsAllowed())
    OnClick(this);
}

bool TControl::AcceleratorKey(char) {
  return false;
}

bool TControl::ClicksOnDialogKey(WORD, TShiftState) const {
  return false;
}

std::vector<TControl*> TControl::TabOrderList() const {
  std::vector<TControl*> list;
  for (TControl* child : tabList_) {
    list.push_back(child);
    std::vector<TControl*> inner = child->TabOrderList();
    list.insert(list.end(), inner.begin(), inner.end());
  }
  return list;
}

bool IsAccel(char key, const std::string& caption) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  size_t pos = 0;
  while (pos < caption.size()) {
    if (caption[pos] == '&' && pos + 1 < caption.size()) {
      if (caption[pos + 1] == '&') {
        pos += 2;
        continue;
      }
      return sjis::CharLength(caption, pos + 1) == 1 && upper(caption[pos + 1]) == upper(key);
    }
    pos += sjis::CharLength(caption, pos);
  }
  return false;
}

std::string LiteralCaption(const std::string& text) {
  std::string caption;
  caption.reserve(text.size());
  for (char c : text) {
    caption += c;
    if (c == '&') // never a Shift-JIS trail byte, so a byte-wise scan is exact
      caption += c;
  }
  return caption;
}

void TControl::DblClick() {
  if (OnDblClick && EventsAllowed())
    OnDblClick(this);
}

void TControl::Resize() {
  if (OnResize && EventsAllowed() && !Loading())
    OnResize(this);
}

void TControl::DoEnter() {
  if (OnEnter && EventsAllowed())
    OnEnter(this);
}

void TControl::DoExit() {
  if (OnExit && EventsAllowed())
    OnExit(this);
}

bool TControl::EventsAllowed() const {
  return !Destroying();
}

void TControl::SetParent(TControl* parent) {
  if (parent == parent_)
    return;
  if (parent == this || (parent && ContainsControl(parent)))
    throw EInvalidOperation("A control cannot have itself or its child as its parent");
  TControl* old = parent_;
  if (old) {
    EraseItem(old->controls_, this);
    EraseItem(old->tabList_, this);
  }
  parent_ = parent;
  if (parent) {
    parent->controls_.push_back(this);
    parent->tabList_.push_back(this);
    if (parentFont_)
      ParentFontChanged();
    if (parentColor_)
      ParentColorChanged();
  }
  if (handle_) {
    PlaceWindowOnParent();
  } else if (parent && parent->handle_) {
    CreateHandle();
  }
  if (align_ != alNone) {
    if (old)
      old->Realign();
    RealignParent(this);
    return;
  }
  if (old)
    old->ChildChanged(this, TChildChange::Left);
  if (parent)
    parent->ChildChanged(this, TChildChange::Joined);
}

void TControl::PlaceWindowOnParent() {
  if (parent_ && parent_->handle_)
    ::SetParent(handle_, parent_->handle_);
  else
    DestroyHandle();
}

HWND DialogOwnerWindow(TComponent* owner) {
  if (auto* control = dynamic_cast<TControl*>(owner))
    return GetAncestor(control->Handle(), GA_ROOT);
  return Application->Handle();
}

EInvalidOperation ParentRequiredError(const TControl& control) {
  return EInvalidOperation(Format("Control '%s' has no parent window", control.Name()));
}

bool TControl::ContainsControl(const TControl* control) const {
  for (const TControl* walk = control ? control->parent_ : nullptr; walk; walk = walk->parent_)
    if (walk == this)
      return true;
  return false;
}

TForm* TControl::ParentForm() const {
  const TControl* top = this;
  while (top->parent_)
    top = top->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_)
    return;
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_)
    SetWindowPos(handle_, nullptr, left, top, width, WindowHeight(height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (align_ != alNone)
    RealignParent(this);
  else if (resized && parent_)
    parent_->ChildChanged(this, TChildChange::Resized);
}

int TControl::WindowHeight(int height) const {
  return height;
}

void TControl::UpdateBoundsFromWindow() {
  if (!handle_)
    return;
  RECT rect;
  GetWindowRect(handle_, &rect);
  if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
  left_ = rect.left;
  top_ = rect.top;
  width_ = rect.right - rect.left;
  height_ = rect.bottom - rect.top;
}

RECT TControl::ClientRect() {
  RECT rect{0, 0, width_, height_};
  if (handle_)
    GetClientRect(handle_, &rect);
  return rect;
}

int TControl::ClientWidth() {
  RECT rect = ClientRect();
  return rect.right - rect.left;
}

int TControl::ClientHeight() {
  RECT rect = ClientRect();
  return rect.bottom - rect.top;
}

void TControl::SetClientSize(int width, int height) {
  RECT client = ClientRect();
  SetBounds(left_, top_, width_ + width - (client.right - client.left),
            height_ + height - (client.bottom - client.top));
}

POINT TControl::ClientToScreen(POINT point) {
  ::ClientToScreen(Handle(), &point);
  return point;
}

POINT TControl::ScreenToClient(POINT point) {
  ::ScreenToClient(Handle(), &point);
  return point;
}

void TControl::SetAlign(TAlign align) {
  if (align == align_)
    return;
  align_ = align;
  RealignParent(this);
}

void TControl::Realign() {
  if (!handle_ || aligning_ || Destroying())
    return;
  aligning_ = true;
  try {
    RECT rect = ClientRect();
    AlignControls(rect);
  } catch (...) {
    aligning_ = false;
    alignTrigger_ = nullptr;
    throw;
  }
  aligning_ = false;
  alignTrigger_ = nullptr;
}

void TControl::RealignParent(TControl* trigger) {
  if (!parent_ || parent_->aligning_)
    return;
  parent_->alignTrigger_ = trigger;
  parent_->Realign();
}

void TControl::ChildChanged(TControl*, TChildChange) {
}

void TControl::AlignControls(RECT& rect) {
  // Within a side the outermost comes first by its current position; the control whose change
  // asked for this alignment wins a tie.
  auto outerKey = [](const TControl* control) {
    switch (control->align_) {
    case alTop:
      return control->top_;
    case alBottom:
      return -(control->top_ + control->height_);
    case alLeft:
      return control->left_;
    case alRight:
      return -(control->left_ + control->width_);
    default:
      return 0;
    }
  };
  for (TAlign side : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    for (TControl* child : controls_)
      if (child->align_ == side && child->visible_)
        list.push_back(child);
    std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) {
      int keyA = outerKey(a);
      int keyB = outerKey(b);
      if (keyA != keyB)
        return keyA < keyB;
      return a == alignTrigger_ && b != alignTrigger_;
    });
    for (TControl* child : list) {
      int width = rect.right - rect.left;
      int height = rect.bottom - rect.top;
      switch (side) {
      case alTop:
        child->SetBounds(rect.left, rect.top, width, child->height_);
        rect.top = std::min(rect.bottom, rect.top + child->height_);
        break;
      case alBottom:
        child->SetBounds(rect.left, rect.bottom - child->height_, width, child->height_);
        rect.bottom = std::max(rect.top, rect.bottom - child->height_);
        break;
      case alLeft:
        child->SetBounds(rect.left, rect.top, child->width_, height);
        rect.left = std::min(rect.right, rect.left + child->width_);
        break;
      case alRight:
        child->SetBounds(rect.right - child->width_, rect.top, child->width_, height);
        rect.right = std::max(rect.left, rect.right - child->width_);
        break;
      default:
        child->SetBounds(rect.left, rect.top, width, height);
        break;
      }
    }
  }
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  visible_ = visible;
  if (handle_)
    ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
  if (align_ != alNone)
    RealignParent(this);
  else if (parent_)
    parent_->ChildChanged(this, visible ? TChildChange::Shown : TChildChange::Hidden);
}

bool TControl::Showing() const {
  for (const TControl* control = this; control; control = control->parent_)
    if (!control->visible_ || !control->handle_)
      return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  if (handle_)
    EnableWindow(handle_, enabled);
}

std::string TControl::Text() const {
  if (!handle_)
    return text_;
  int length = GetWindowTextLengthA(handle_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(handle_, text.data(), length + 1)));
  return text;
}

void TControl::SetText(const std::string& text) {
  text_ = text;
  if (handle_ && Text() != text)
    SetWindowTextA(handle_, text.c_str());
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_)
    return;
  color_ = color;
  ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  if (parentColor)
    ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parent_ || parent_->color_ == color_)
    return;
  color_ = parent_->color_;
  ColorChanged();
}

void TControl::ColorChanged() {
  if (brush_) {
    DeleteObject(brush_);
    brush_ = nullptr;
  }
  Invalidate();
  for (TControl* child : controls_)
    if (child->parentColor_)
      child->ParentColorChanged();
}

HBRUSH TControl::Brush() {
  if (!brush_)
    brush_ = CreateSolidBrush(ColorToRGB(color_));
  return brush_;
}

void TControl::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  if (parentFont)
    ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parent_)
    return;
  font_.Assign(parent_->font_.Value());
  parentFont_ = true; // Assign took it for an own change
}

void TControl::FontChanged() {
  parentFont_ = false;
  ApplyFont();
  Invalidate();
  for (TControl* child : controls_)
    if (child->parentFont_)
      child->ParentFontChanged();
}

void TControl::ApplyFont() {
  if (handle_)
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
}

bool TControl::ShowHint() const {
  if (parentShowHint_ && parent_)
    return parent_->ShowHint();
  return showHint_;
}

void TControl::SetShowHint(bool showHint) {
  showHint_ = showHint;
  parentShowHint_ = false;
}

std::string TControl::EffectiveHint() const {
  for (const TControl* control = this; control; control = control->parent_)
    if (!control->hint_.empty())
      return control->hint_;
  return {};
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_ == menu)
    return;
  if (popupMenu_)
    RemoveFreeNotification(popupMenu_);
  popupMenu_ = menu;
  if (menu)
    FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == popupMenu_)
    popupMenu_ = nullptr;
}

int TControl::TabOrder() const {
  if (!parent_)
    return -1;
  auto& list = parent_->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TControl::SetTabOrder(int order) {
  if (!parent_)
    return;
  auto& list = parent_->tabList_;
  EraseItem(list, this);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

void TControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  if (!handle_)
    return;
  LONG style = GetWindowLongA(handle_, GWL_STYLE);
  SetWindowLongA(handle_, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

bool TControl::CanFocus() const {
  // Up to the form, not the form itself: a hidden form's controls can be chosen for later.
  for (const TControl* control = this; control; control = control->parent_) {
    if (control != this && !control->parent_)
      break;
    if (!control->visible_ || !control->enabled_)
      return false;
  }
  return true;
}

bool TControl::Focused() const {
  return handle_ && GetFocus() == handle_;
}

void TControl::SetFocus() {
  if (!CanFocus())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

void TControl::Invalidate() {
  if (handle_)
    InvalidateRect(handle_, nullptr, TRUE);
}

void TControl::Update() {
  if (handle_)
    UpdateWindow(handle_);
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::SetZOrder(bool top) {
  if (handle_)
    SetWindowPos(handle_, top ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!parent_)
    return;
  auto& list = parent_->controls_;
  EraseItem(list, this);
  list.insert(top ? list.end() : list.begin(), this);
}

void TControl::BringToFront() {
  SetZOrder(true);
}

void TControl::SendToBack() {
  SetZOrder(false);
}

int TControl::AddMessageObserver(TMessageObserver observer) {
  int id = nextObserverId_++;
  observers_.emplace_back(id, std::move(observer));
  return id;
}

int TControl::AddAfterMessageObserver(TAfterMessageObserver observer) {
  if (!alive_)
    alive_ = std::make_shared<bool>(true);
  int id = nextObserverId_++;
  afterObservers_.emplace_back(id, std::move(observer));
  return id;
}

void TControl::RemoveMessageObserver(int id) {
  auto matches = [id](auto& entry) { return entry.first == id; };
  std::erase_if(observers_, matches);
  std::erase_if(afterObservers_, matches);
}

void TControl::MarkDestroying() {
  TComponent::MarkDestroying();
  for (TControl* child : controls_)
    if (!child->Destroying())
      child->MarkDestroying();
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  // Child controls go with their parent, whoever owns them.
  std::vector<TControl*> children = controls_;
  for (auto child = children.rbegin(); child != children.rend(); ++child)
    if (std::find(controls_.begin(), controls_.end(), *child) != controls_.end())
      (*child)->Free();
  DestroyHandle();
  SetParent(nullptr);
}

void TCustomControl::Paint(HDC dc) {
  if (OnPaint && EventsAllowed())
    OnPaint(this, dc);
}

void TCustomControl::WndProc(TMessage& message) {
  if (message.Msg == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(WindowHandle(), &paint);
    // The update region is validated even when painting raises, or the error would repeat
    // with every WM_PAINT.
    struct EndPainting {
      HWND window;
      PAINTSTRUCT* paint;
      ~EndPainting() { EndPaint(window, paint); }
    } end{WindowHandle(), &paint};
    Paint(dc);
    return;
  }
  if (message.Msg == WM_PRINTCLIENT) {
    Paint(reinterpret_cast<HDC>(message.WParam));
    return;
  }
  TControl::WndProc(message);
}

} // namespace quolin
