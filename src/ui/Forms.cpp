#include "ui/Forms.h"

#include "core/Exceptions.h"
#include "ui/Application.h"
#include "ui/Buttons.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace quolin {

namespace {

// Posted by an activated form, to run once the activation has raised it.
constexpr UINT CM_RAISEOWNED = WM_APP + 0x3F04;

// Windows keeps the windows a window owns above it when it comes to the front. Wine may raise an
// activated window alone, and under a display without a window manager the screen then shows it
// over its tool windows and dialogs: bring the shown ones back to the top, keeping their order.
void RaiseOwnedWindows(HWND owner) {
  std::vector<HWND> owned;
  for (HWND walk = GetTopWindow(nullptr); walk; walk = GetWindow(walk, GW_HWNDNEXT))
    if (GetWindow(walk, GW_OWNER) == owner && IsWindowVisible(walk))
      owned.push_back(walk);
  for (auto window = owned.rbegin(); window != owned.rend(); ++window)
    SetWindowPos(*window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Child windows hear of a system colour change only from their top-level window.
BOOL CALLBACK ForwardSysColorChange(HWND child, LPARAM) {
  SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

// The MDI client of a frame shows the frame's colour.
// The procedure of the class the MDI clients are all of.
WNDPROC mdiClientClassProc = nullptr;

// The client's background in its frame's colour. A procedure in its place rather than a
// subclass, which is looked up in a window property at every message.
LRESULT CALLBACK MdiClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND)
    if (auto* frame = dynamic_cast<TForm*>(TControl::FromHandle(GetParent(window)))) {
      RECT rect;
      GetClientRect(window, &rect);
      FillRect(reinterpret_cast<HDC>(wParam), &rect, frame->Brush());
      return 1;
    }
  return CallWindowProcA(mdiClientClassProc, window, message, wParam, lParam);
}

// The first child window number an MDI client gives its window list.
constexpr UINT kFirstMDIChild = 0xFF00;

void CenterIn(TControl& control, const RECT& area) {
  int left = area.left + (area.right - area.left - control.Width()) / 2;
  int top = area.top + (area.bottom - area.top - control.Height()) / 2;
  control.SetBounds(left, top, control.Width(), control.Height());
}

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM context) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(context);
  if (window != list->front() && IsWindowVisible(window) && IsWindowEnabled(window))
    list->push_back(window);
  return TRUE;
}

// Disables the thread's visible top-level windows other than keep; returns them.
std::vector<HWND> DisableThreadWindows(HWND keep) {
  std::vector<HWND> list{keep};
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&list));
  list.erase(list.begin());
  for (HWND window : list)
    EnableWindow(window, FALSE);
  return list;
}

void EnableWindows(const std::vector<HWND>& list) {
  for (HWND window : list)
    if (IsWindow(window))
      EnableWindow(window, TRUE);
}

} // namespace

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
  BeginLoading();
  visible_ = false;
  parentFont_ = false;
  parentShowHint_ = false;
  width_ = 400;
  height_ = 300;
  Screen->AddForm(this);
}

TForm::~TForm() {
  Screen->RemoveForm(this);
}

void TForm::AfterConstruction() {
  TCustomControl::AfterConstruction();
  EndLoading();
  bool show = visible_ || formStyle_ == TFormStyle::fsMDIChild;
  visible_ = false;
  HandleNeeded();
  if (OnCreate)
    OnCreate(this);
  if (show)
    Show();
}

void TForm::BeforeDestruction() {
  MarkDestroying();
  if (OnDestroy)
    OnDestroy(this);
  Screen->RemoveForm(this);
  TCustomControl::BeforeDestruction();
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != TOperation::opRemove)
    return;
  if (component == menu_)
    SetMenu(nullptr);
  if (component == activeControl_)
    activeControl_ = nullptr;
  if (component == popupParent_)
    popupParent_ = nullptr;
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_)
    return;
  borderStyle_ = style;
  RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_)
    return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_)
    return;
  TFormStyle old = formStyle_;
  formStyle_ = style;
  if (style == TFormStyle::fsMDIChild && !MDIFrame()) {
    formStyle_ = old;
    throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
  }
  HWND window = WindowHandle();
  bool topmostOnly = (style == TFormStyle::fsStayOnTop || old == TFormStyle::fsStayOnTop) &&
                     style != TFormStyle::fsMDIChild && style != TFormStyle::fsMDIForm &&
                     old != TFormStyle::fsMDIChild && old != TFormStyle::fsMDIForm;
  if (window && topmostOnly)
    SetWindowPos(window, style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  else
    RecreateWnd();
}

TWindowState TForm::WindowState() const {
  HWND window = WindowHandle();
  if (!window || !shownOnce_)
    return windowState_;
  if (IsIconic(window))
    return TWindowState::wsMinimized;
  if (IsZoomed(window))
    return TWindowState::wsMaximized;
  return TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  HWND window = WindowHandle();
  if (!window || !visible_ || !shownOnce_) {
    windowState_ = state;
    return;
  }
  if (state == TWindowState::wsMinimized && this == Application->MainForm()) {
    Application->Minimize();
    return;
  }
  windowState_ = state;
  if (formStyle_ == TFormStyle::fsMDIChild) {
    HWND client = GetParent(window);
    if (state == TWindowState::wsMaximized) {
      SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(window), 0);
      return;
    }
    if (state == TWindowState::wsNormal) {
      SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(window), 0);
      return;
    }
  }
  ShowWindow(window, state == TWindowState::wsMaximized   ? SW_MAXIMIZE
                     : state == TWindowState::wsMinimized ? SW_MINIMIZE
                                                          : SW_RESTORE);
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_)
    return;
  HWND window = WindowHandle();
  if (menu_) {
    RemoveFreeNotification(menu_);
    menu_->SetWindow(nullptr);
    if (window && formStyle_ != TFormStyle::fsMDIChild)
      ::SetMenu(window, nullptr);
  }
  menu_ = menu;
  if (!menu)
    return;
  FreeNotification(menu);
  if (window && formStyle_ != TFormStyle::fsMDIChild) {
    ::SetMenu(window, menu->Handle());
    menu->SetWindow(window);
  }
}

void TForm::SetPopupParent(TForm* form) {
  if (form == popupParent_)
    return;
  if (popupParent_)
    RemoveFreeNotification(popupParent_);
  popupParent_ = form;
  if (form)
    FreeNotification(form);
  RecreateWnd();
}

void TForm::SetIcon(HICON icon) {
  icon_ = icon;
  if (HWND window = WindowHandle()) {
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
}

void TForm::CreateParams(TCreateParams& params) {
  params.WinClassName = "TForm";
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.ExStyle = 0;
  switch (borderStyle_) {
  case TFormBorderStyle::bsNone:
    params.Style |= WS_POPUP;
    break;
  case TFormBorderStyle::bsSingle:
    params.Style |= WS_CAPTION | WS_BORDER;
    break;
  case TFormBorderStyle::bsSizeable:
    params.Style |= WS_CAPTION | WS_THICKFRAME;
    break;
  case TFormBorderStyle::bsDialog:
    params.Style |= WS_CAPTION | DS_MODALFRAME;
    params.ExStyle |= WS_EX_DLGMODALFRAME;
    break;
  case TFormBorderStyle::bsToolWindow:
    params.Style |= WS_CAPTION;
    params.ExStyle |= WS_EX_TOOLWINDOW;
    break;
  case TFormBorderStyle::bsSizeToolWin:
    params.Style |= WS_CAPTION | WS_THICKFRAME;
    params.ExStyle |= WS_EX_TOOLWINDOW;
    break;
  }
  bool framed = borderStyle_ == TFormBorderStyle::bsSingle ||
                borderStyle_ == TFormBorderStyle::bsSizeable;
  if ((borderIcons_ & biSystemMenu) && borderStyle_ != TFormBorderStyle::bsNone)
    params.Style |= WS_SYSMENU;
  if ((borderIcons_ & biMinimize) && framed)
    params.Style |= WS_MINIMIZEBOX;
  if ((borderIcons_ & biMaximize) && framed)
    params.Style |= WS_MAXIMIZEBOX;
  if (!enabled_)
    params.Style |= WS_DISABLED;
  if (formStyle_ == TFormStyle::fsStayOnTop)
    params.ExStyle |= WS_EX_TOPMOST;
  if (formStyle_ == TFormStyle::fsMDIChild) {
    params.Style |= WS_CHILD;
    params.ExStyle |= WS_EX_MDICHILD;
    TForm* frame = MDIFrame();
    params.WndParent = frame ? frame->ClientHandle() : nullptr;
  } else {
    params.WndParent = popupParent_ ? popupParent_->Handle() : Application->Handle();
  }
  if (!shownOnce_ && (position_ == TPosition::poDefault ||
                      position_ == TPosition::poDefaultPosOnly ||
                      formStyle_ == TFormStyle::fsMDIChild)) {
    params.X = CW_USEDEFAULT;
    params.Y = CW_USEDEFAULT;
  }
}

void TForm::CreateWnd() {
  HWND window = WindowHandle();
  if (formStyle_ == TFormStyle::fsMDIForm) {
    CLIENTCREATESTRUCT client{nullptr, kFirstMDIChild};
    clientHandle_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL |
                                        WS_VISIBLE,
                                    0, 0, 0, 0, window, nullptr, GetModuleHandleA(nullptr), &client);
    mdiClientClassProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        clientHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MdiClientProc)));
  }
  if (menu_ && formStyle_ != TFormStyle::fsMDIChild) {
    ::SetMenu(window, menu_->Handle());
    menu_->SetWindow(window);
  }
  if (icon_)
    SetIcon(icon_);
  if (visible_)
    ShowWindowNow(); // made again while visible
}

void TForm::ColorChanged() {
  TCustomControl::ColorChanged();
  if (clientHandle_)
    InvalidateRect(clientHandle_, nullptr, TRUE);
}

void TForm::DestroyWnd() {
  HWND window = WindowHandle();
  if (clientHandle_ && GetWindowLongPtrA(clientHandle_, GWLP_WNDPROC) ==
                           reinterpret_cast<LONG_PTR>(MdiClientProc))
    SetWindowLongPtrA(clientHandle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mdiClientClassProc));
  if (menu_ && formStyle_ != TFormStyle::fsMDIChild) {
    ::SetMenu(window, nullptr);
    menu_->SetWindow(nullptr);
  }
  clientHandle_ = nullptr;
}

void TForm::DestroyWindowHandle() {
  HWND window = WindowHandle();
  HWND client = formStyle_ == TFormStyle::fsMDIChild ? GetParent(window) : nullptr;
  if (client)
    SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  else
    DestroyWindow(window);
}

void TForm::TellSettingChange(TControl* parent, const TMessage& message) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    control->Perform(CM_WININICHANGE, message.WParam, message.LParam);
    TellSettingChange(control, message);
  }
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
  case WM_CLOSE:
    Close();
    message.Result = 0;
    return;
  case WM_ACTIVATE:
    HandleActivate(message);
    return;
  case WM_MDIACTIVATE:
    if (reinterpret_cast<HWND>(message.LParam) == WindowHandle())
      Activate();
    else if (reinterpret_cast<HWND>(message.WParam) == WindowHandle())
      Deactivate();
    break;
  case WM_ACTIVATEAPP:
    Application->ActivateApp(message.WParam != 0);
    break;
  case WM_SYSCOLORCHANGE:
    EnumChildWindows(WindowHandle(), ForwardSysColorChange, 0);
    break;
  case WM_SETFOCUS:
    if (formStyle_ == TFormStyle::fsMDIForm && !activeControl_)
      break; // the frame hands the focus to its active child
    DefaultHandler(message);
    FocusFirstControl();
    return;
  case WM_SYSCOMMAND:
    if (HandleSysCommand(message))
      return;
    break;
  case WM_COMMAND:
    if (message.LParam == 0 && HandleMenuCommand(message))
      return;
    break;
  case WM_MENUSELECT:
    TMenuItem::MenuSelect(message.WParam, message.LParam);
    break;
  case WM_INITMENUPOPUP:
    if (!HIWORD(message.LParam))
      TMenuItem::InitMenuPopup(reinterpret_cast<HMENU>(message.WParam));
    break;
  case WM_SIZE:
    if (formStyle_ == TFormStyle::fsMDIForm) {
      // DefFrameProc would stretch the MDI client over the aligned controls.
      Realign();
      Resize();
      message.Result = 0;
      return;
    }
    break;
  case CM_RELEASE:
    Free();
    return;
  case CM_RAISEOWNED:
    RaiseOwnedWindows(WindowHandle());
    return;
  case WM_WINDOWPOSCHANGED:
    if (reinterpret_cast<const WINDOWPOS*>(message.LParam)->flags & SWP_HIDEWINDOW)
      RaiseOwnedWindowsAfterHiding();
    break;
  case WM_SETTINGCHANGE:
    TellSettingChange(this, message);
    break;
  default:
    break;
  }
  TCustomControl::WndProc(message);
}

void TForm::DefaultHandler(TMessage& message) {
  HWND window = WindowHandle();
  if (!window || (message.Msg >= CN_BASE && message.Msg < CN_BASE + 0x400)) {
    TCustomControl::DefaultHandler(message);
    return;
  }
  if (formStyle_ == TFormStyle::fsMDIForm)
    message.Result =
        DefFrameProcA(window, clientHandle_, message.Msg, message.WParam, message.LParam);
  else if (formStyle_ == TFormStyle::fsMDIChild)
    message.Result = DefMDIChildProcA(window, message.Msg, message.WParam, message.LParam);
  else
    TCustomControl::DefaultHandler(message);
}

void TForm::AlignControls(RECT& rect) {
  TCustomControl::AlignControls(rect);
  if (clientHandle_)
    MoveWindow(clientHandle_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               TRUE);
}

// Wine restacks the display only for a window that comes first in the z-order. While a
// stay-on-top form (the splash at start-up) shows, the active form's owned windows rise only to
// just under it, and the screen keeps them under the active form: raise them again once it hides.
void TForm::RaiseOwnedWindowsAfterHiding() {
  HWND active = GetActiveWindow();
  if (formStyle_ == TFormStyle::fsStayOnTop && active && active != WindowHandle())
    RaiseOwnedWindows(active);
}

void TForm::HandleActivate(TMessage& message) {
  bool activating = LOWORD(message.WParam) != WA_INACTIVE;
  if (activating)
    Screen->SetActiveForm(this);
  else if (Screen->ActiveForm() == this)
    Screen->SetActiveForm(nullptr);
  DefaultHandler(message);
  if (activating && !(GetWindowLongA(WindowHandle(), GWL_STYLE) & WS_CHILD))
    PostMessageA(WindowHandle(), CM_RAISEOWNED, 0, 0);
  if (activating)
    Activate();
  else
    Deactivate();
}

bool TForm::HandleSysCommand(TMessage& message) {
  if ((message.WParam & 0xFFF0) == SC_MINIMIZE && this == Application->MainForm()) {
    Application->Minimize();
    message.Result = 0;
    return true;
  }
  return false;
}

bool TForm::HandleMenuCommand(TMessage& message) {
  if (HIWORD(message.WParam) > 1)
    return false;
  TMenuItem* item = TMenuItem::FromCommand(LOWORD(message.WParam));
  if (!item || !dynamic_cast<TMainMenu*>(item->ParentMenu()))
    return false;
  item->Click();
  message.Result = 0;
  return true;
}

void TForm::Activate() {
  active_ = true;
  if (OnActivate && EventsAllowed())
    OnActivate(this);
}

void TForm::Deactivate() {
  active_ = false;
  if (OnDeactivate && EventsAllowed())
    OnDeactivate(this);
}

void TForm::DoShow() {
  if (OnShow && EventsAllowed())
    OnShow(this);
}

void TForm::DoHide() {
  if (OnHide && EventsAllowed())
    OnHide(this);
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose && EventsAllowed())
    OnClose(this, action);
}

void TForm::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  visible_ = visible;
  if (!WindowHandle() || Loading())
    return; // shown once the construction ends
  if (visible) {
    DoShow();
    ShowWindowNow();
    AfterShow();
  } else {
    DoHide();
    HideWindowNow();
  }
}

void TForm::ShowWindowNow() {
  HWND window = WindowHandle();
  if (!shownOnce_) {
    PlaceAtFirstShow();
    shownOnce_ = true;
  }
  int command = windowState_ == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                : windowState_ == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
                                                            : SW_SHOWNORMAL;
  ShowWindow(window, command);
  if (formStyle_ == TFormStyle::fsMDIChild)
    SendMessageA(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
  else if (this == Application->MainForm())
    Application->MainFormShown();
}

void TForm::HideWindowNow() {
  HWND window = WindowHandle();
  bool activeChild = formStyle_ == TFormStyle::fsMDIChild &&
                     reinterpret_cast<HWND>(SendMessageA(GetParent(window), WM_MDIGETACTIVE, 0,
                                                         0)) == window;
  if (activeChild)
    SendMessageA(GetParent(window), WM_MDINEXT, reinterpret_cast<WPARAM>(window), 0);
  ShowWindow(window, SW_HIDE);
}

void TForm::PlaceAtFirstShow() {
  if (formStyle_ == TFormStyle::fsMDIChild)
    return;
  TForm* around = nullptr;
  switch (position_) {
  case TPosition::poScreenCenter:
    CenterIn(*this, Screen->WorkAreaRect());
    return;
  case TPosition::poMainFormCenter:
    around = Application->MainForm();
    break;
  case TPosition::poOwnerFormCenter:
    around = popupParent_ ? popupParent_ : dynamic_cast<TForm*>(Owner());
    break;
  default:
    return;
  }
  if (around && around != this && around->HandleAllocated())
    CenterIn(*this, around->BoundsRect());
  else
    CenterIn(*this, Screen->WorkAreaRect());
}

void TForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TForm::BringToFront() {
  HWND window = WindowHandle();
  if (!window || !visible_)
    return;
  if (formStyle_ == TFormStyle::fsMDIChild)
    SendMessageA(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
  else
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::Close() {
  if (released_)
    return;
  if (modal_) {
    if (modalResult_ == mrNone)
      modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery())
    return;
  TCloseAction action = TCloseAction::caHide;
  if (formStyle_ == TFormStyle::fsMDIChild)
    action = (borderIcons_ & biMinimize) ? TCloseAction::caMinimize : TCloseAction::caNone;
  DoClose(action);
  if (action == TCloseAction::caNone)
    return;
  if (this == Application->MainForm()) {
    Application->Terminate();
    return;
  }
  switch (action) {
  case TCloseAction::caHide:
    Hide();
    break;
  case TCloseAction::caMinimize:
    SetWindowState(TWindowState::wsMinimized);
    break;
  default:
    Release();
    break;
  }
}

bool TForm::CloseQuery() {
  if (released_)
    return true;
  if (formStyle_ == TFormStyle::fsMDIForm)
    for (TForm* child : MDIChildList())
      if (!child->CloseQuery())
        return false;
  bool canClose = true;
  if (OnCloseQuery && EventsAllowed())
    OnCloseQuery(this, canClose);
  return canClose;
}

TModalResult TForm::ShowModal() {
  if (visible_ || !enabled_ || modal_ || formStyle_ == TFormStyle::fsMDIChild)
    throw EInvalidOperation("Cannot make a visible window modal");
  HWND window = Handle();
  HWND activeBefore = GetActiveWindow();
  if (GetCapture())
    ReleaseCapture();
  std::vector<HWND> disabled = DisableThreadWindows(window);
  modal_ = true;
  modalResult_ = mrNone;
  try {
    Show();
    do {
      Application->HandleMessage();
      if (Application->Terminated())
        modalResult_ = mrCancel;
      else if (modalResult_ != mrNone)
        CloseModal();
    } while (modalResult_ == mrNone);
  } catch (...) {
    modal_ = false;
    EnableWindows(disabled);
    throw;
  }
  modal_ = false;
  EnableWindows(disabled);
  if (activeBefore && IsWindow(activeBefore))
    SetActiveWindow(activeBefore);
  Hide();
  return modalResult_;
}

void TForm::CloseModal() {
  TCloseAction action = TCloseAction::caNone;
  if (CloseQuery()) {
    action = TCloseAction::caHide;
    DoClose(action);
  }
  if (action == TCloseAction::caNone)
    modalResult_ = mrNone;
  else if (action == TCloseAction::caFree)
    Release();
}

void TForm::Release() {
  released_ = true;
  if (HWND window = WindowHandle())
    PostMessageA(window, CM_RELEASE, 0, 0);
  else
    Free();
}

std::vector<TForm*> TForm::MDIChildList() const {
  std::vector<TForm*> list;
  if (!clientHandle_)
    return list;
  for (HWND child = GetWindow(clientHandle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (auto* form = dynamic_cast<TForm*>(FromHandle(child)))
      list.push_back(form);
  return list;
}

int TForm::MDIChildCount() const {
  return static_cast<int>(MDIChildList().size());
}

TForm* TForm::MDIChildren(int index) const {
  std::vector<TForm*> list = MDIChildList();
  return index >= 0 && index < static_cast<int>(list.size()) ? list[static_cast<size_t>(index)]
                                                              : nullptr;
}

TForm* TForm::ActiveMDIChild() const {
  if (!clientHandle_)
    return nullptr;
  auto active = reinterpret_cast<HWND>(SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TForm*>(FromHandle(active));
}

TForm* TForm::MDIParent() const {
  return formStyle_ == TFormStyle::fsMDIChild ? MDIFrame() : nullptr;
}

TForm* TForm::MDIFrame() const {
  auto* owner = dynamic_cast<TForm*>(Owner());
  if (owner && owner->formStyle_ == TFormStyle::fsMDIForm)
    return owner;
  TForm* main = Application->MainForm();
  return main && main->formStyle_ == TFormStyle::fsMDIForm ? main : nullptr;
}

void TForm::SetActiveControl(TControl* control) {
  if (control && !control->CanFocus())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (control && active_ && Showing()) {
    control->SetFocus();
    return;
  }
  if (activeControl_ && activeControl_ != control)
    RemoveFreeNotification(activeControl_);
  activeControl_ = control;
  if (control)
    FreeNotification(control);
}

void TForm::FocusedControlChanged(TControl* control) {
  if (control == activeControl_)
    return;
  TControl* old = activeControl_;
  if (old)
    RemoveFreeNotification(old);
  activeControl_ = control;
  if (control)
    FreeNotification(control);
  if (old)
    old->DoExit();
  if (control)
    control->DoEnter();
  if (TForm* frame = MDIParent(); control && frame)
    frame->FocusedControlChanged(nullptr); // the focus left the frame's own controls
}

void TForm::FocusFirstControl() {
  TControl* target = activeControl_;
  if (!target || !target->CanFocus() || !target->HandleAllocated()) {
    target = nullptr;
    for (TControl* control : TabOrderList())
      if (control->TabStop() && control->CanFocus() && control->HandleAllocated()) {
        target = control;
        break;
      }
  }
  if (target && GetFocus() != target->WindowHandle())
    ::SetFocus(target->WindowHandle());
}

TControl* TForm::FocusedChild() const {
  TControl* focused = FindFromHandle(GetFocus());
  return focused && focused != this && ContainsControl(focused) ? focused : activeControl_;
}

bool TForm::SelectNext(TControl* current, bool forward, bool checkTabStop) {
  std::vector<TControl*> list = TabOrderList();
  if (list.empty())
    return false;
  auto found = std::find(list.begin(), list.end(), current);
  size_t count = list.size();
  size_t start = found == list.end() ? (forward ? count - 1 : 0)
                                     : static_cast<size_t>(found - list.begin());
  for (size_t step = 1; step <= count; ++step) {
    size_t index = forward ? (start + step) % count : (start + count - step) % count;
    TControl* candidate = list[index];
    if (candidate == current)
      break;
    if (candidate->CanFocus() && candidate->HandleAllocated() &&
        (!checkTabStop || candidate->TabStop())) {
      candidate->SetFocus();
      return true;
    }
  }
  return false;
}

bool TForm::SelectSibling(TControl* current, bool forward) {
  TControl* parent = current ? current->Parent() : nullptr;
  if (!parent)
    return false;
  const std::vector<TControl*>& list = parent->tabList_;
  auto found = std::find(list.begin(), list.end(), current);
  if (found == list.end())
    return false;
  size_t count = list.size();
  size_t start = static_cast<size_t>(found - list.begin());
  for (size_t step = 1; step < count; ++step) {
    TControl* candidate = list[forward ? (start + step) % count : (start + count - step) % count];
    if (!candidate->CanFocus() || !candidate->HandleAllocated())
      continue;
    candidate->SetFocus();
    if (auto* radio = dynamic_cast<TRadioButton*>(candidate))
      radio->SetChecked(true);
    return true;
  }
  return false;
}

TControl* TForm::DialogButton(WORD key, TShiftState shift) const {
  if (key == VK_RETURN)
    if (auto* focused = dynamic_cast<TButton*>(FocusedChild()); focused && focused->CanFocus())
      return focused;
  for (TControl* control : TabOrderList())
    if (control->CanFocus() && control->ClicksOnDialogKey(key, shift))
      return control;
  return nullptr;
}

bool TForm::DialogKey(WORD key, TShiftState shift) {
  if (shift & (ssCtrl | ssAlt))
    return false;
  switch (key) {
  case VK_TAB:
    return SelectNext(FocusedChild(), !(shift & ssShift), true);
  case VK_LEFT:
  case VK_UP:
  case VK_RIGHT:
  case VK_DOWN:
    return SelectSibling(FocusedChild(), key == VK_RIGHT || key == VK_DOWN);
  case VK_RETURN:
  case VK_ESCAPE:
    if (TControl* button = DialogButton(key, shift)) {
      button->Click();
      return true;
    }
    return false;
  default:
    return false;
  }
}

bool TForm::DialogChar(char key) {
  for (TControl* control : TabOrderList())
    if (control->CanFocus() && control->AcceleratorKey(key))
      return true;
  return false;
}

bool TForm::IsShortCut(TControl* control, TShortCut shortCut) {
  for (TControl* walk = control; walk; walk = walk->Parent())
    if (walk->PopupMenu() && walk->PopupMenu()->IsShortCut(shortCut))
      return true;
  if (menu_ && formStyle_ != TFormStyle::fsMDIChild && menu_->IsShortCut(shortCut))
    return true;
  TForm* frame = MDIParent();
  return frame && frame->menu_ && frame->menu_->IsShortCut(shortCut);
}

} // namespace quolin
