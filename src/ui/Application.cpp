#include "ui/Application.h"

#include "core/Exceptions.h"
#include "ui/Control.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

#include <commctrl.h>

#include <algorithm>
#include <deque>
#include <mutex>

namespace quolin {

namespace {

constexpr UINT kSyncMessage = WM_APP + 0x3F01;
constexpr char kUnknownError[] = "不明なエラーが発生しました.";

std::mutex syncMutex;
std::deque<std::function<void()>> syncQueue;

struct TSystemCursor {
  TCursor cursor;
  LPCSTR id;
};

const TSystemCursor kSystemCursors[] = {
    {crArrow, IDC_ARROW},       {crCross, IDC_CROSS},     {crIBeam, IDC_IBEAM},
    {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},   {crSizeNWSE, IDC_SIZENWSE},
    {crSizeWE, IDC_SIZEWE},     {crUpArrow, IDC_UPARROW}, {crHourGlass, IDC_WAIT},
    {crDrag, IDC_ARROW},        {crNoDrop, IDC_NO},       {crHSplit, IDC_SIZEWE},
    {crVSplit, IDC_SIZENS},     {crNo, IDC_NO},           {crAppStart, IDC_APPSTARTING},
    {crHandPoint, IDC_HAND},    {crSizeAll, IDC_SIZEALL},
};

TOOLINFOA HintToolInfo(HWND owner, HWND window) {
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  // Mouse messages reach it from the message loop (RelayToHint): a subclassed tool would make
  // every message of the window a few round trips to the server under Wine.
  info.uFlags = TTF_IDISHWND;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(window);
  info.lpszText = LPSTR_TEXTCALLBACKA;
  return info;
}

BOOL CALLBACK MeetsWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
  auto* search = reinterpret_cast<std::pair<RECT, bool>*>(context);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT common;
  if (GetMonitorInfoA(monitor, &info) && IntersectRect(&common, &info.rcWork, &search->first)) {
    search->second = true;
    return FALSE;
  }
  return TRUE;
}

// The screen outlives the application object: it is destroyed after it.
TScreen screenInstance;
TApplication applicationInstance;

} // namespace

TApplication* const Application = &applicationInstance;
TScreen* const Screen = &screenInstance;

std::string GetShortHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

std::string ExceptionMessage(std::exception_ptr error) {
  try {
    if (error)
      std::rethrow_exception(error);
  } catch (const Exception& exception) {
    return exception.Message();
  } catch (const std::exception& exception) {
    return exception.what();
  } catch (...) {
  }
  return kUnknownError;
}

TApplication::TApplication() : TComponent(nullptr) {
  syncEvent_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  mainThreadId_ = GetCurrentThreadId();
}

TApplication::~TApplication() {
  MarkDestroying();
  DestroyComponents();
  if (hintWindow_)
    DestroyWindow(hintWindow_);
  if (handle_)
    DestroyWindow(handle_);
  CloseHandle(syncEvent_);
}

HWND TApplication::Handle() {
  if (handle_)
    return handle_;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = Icon();
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = "TApplication";
  RegisterClassExA(&windowClass);
  RECT area = Screen->WorkAreaRect();
  // No size: the window only carries the title and the taskbar button.
  handle_ = CreateWindowExA(0, "TApplication", title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            (area.left + area.right) / 2, (area.top + area.bottom) / 2, 0, 0,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!handle_)
    throw EInvalidOperation("Cannot create the application window");
  return handle_;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_)
    SetWindowTextA(handle_, title.c_str());
}

HICON TApplication::Icon() const {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  return icon ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

void TApplication::SetMainForm(TForm* form) {
  mainForm_ = form;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == mainForm_)
    mainForm_ = nullptr;
}

void TApplication::Run() {
  terminated_ = false;
  if (mainForm_ && ShowMainForm)
    mainForm_->Show();
  while (!terminated_)
    HandleMessage();
  terminated_ = false;
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

void TApplication::HandleMessage() {
  MSG message;
  if (ProcessMessage(message))
    return;
  CheckSynchronize();
  MsgWaitForMultipleObjectsEx(1, &syncEvent_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  CheckSynchronize();
}

void TApplication::ProcessMessages() {
  MSG message;
  while (ProcessMessage(message)) {
  }
  CheckSynchronize();
}

bool TApplication::ProcessMessage(MSG& message) {
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (message.message == WM_MOUSEMOVE)
    HintMouseMessage(message);
  RelayToHint(message);
  bool handled = false;
  Guard(this, [&] { handled = IsKeyMessage(message); });
  if (!handled) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

namespace {

// Whether the focused window wants the key itself (WM_GETDLGCODE).
bool ControlClaimsKey(MSG& message, WORD key) {
  LRESULT code = SendMessageA(message.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message));
  LRESULT wanted = DLGC_WANTALLKEYS | DLGC_WANTMESSAGE;
  if (key == VK_TAB)
    wanted |= DLGC_WANTTAB;
  else if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
    wanted |= DLGC_WANTARROWS;
  return (code & wanted) != 0;
}

bool IsDialogKeyCode(WORD key) {
  switch (key) {
  case VK_TAB:
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN:
  case VK_RETURN:
  case VK_ESCAPE:
    return true;
  default:
    return false;
  }
}

} // namespace

bool TApplication::IsKeyMessage(MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
    return false;
  TControl* control = TControl::FindFromHandle(message.hwnd);
  TForm* form = control ? control->ParentForm() : nullptr;
  if (!form)
    return false;
  TForm* frame = form->FormStyle() == TFormStyle::fsMDIForm ? form : form->MDIParent();
  if (frame && frame->ClientHandle() && TranslateMDISysAccel(frame->ClientHandle(), &message))
    return true;
  WORD key = static_cast<WORD>(message.wParam);
  TShiftState shift = KeyboardShiftState();
  if (form->IsShortCut(control, ShortCut(key, shift)))
    return true;
  if (IsDialogKeyCode(key) && !ControlClaimsKey(message, key) && form->DialogKey(key, shift))
    return true;
  if (key == VK_F1 && shift == 0) {
    for (TControl* walk = control; walk; walk = walk->Parent())
      if (walk->HelpContext != 0)
        return HelpContext(walk->HelpContext);
  }
  return false;
}

void TApplication::RelayToHint(MSG& message) {
  switch (message.message) {
  case WM_MOUSEMOVE:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
    break;
  default:
    return;
  }
  // Only the windows of controls with a parent are tools.
  TControl* control = TControl::FromHandle(message.hwnd);
  if (hintWindow_ && control && control->Parent())
    SendMessageA(hintWindow_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void TApplication::HintMouseMessage(const MSG& message) {
  TControl* control = TControl::FindFromHandle(message.hwnd);
  SetHint(control ? GetLongHint(control->EffectiveHint()) : std::string());
}

void TApplication::Minimize() {
  if (minimized_)
    return;
  hiddenForms_.clear();
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* form = Screen->Forms(i);
    if (form->FormStyle() == TFormStyle::fsMDIChild || !form->HandleAllocated())
      continue;
    HWND window = form->Handle();
    if (IsWindowVisible(window)) {
      ShowWindow(window, SW_HIDE);
      hiddenForms_.push_back(window);
    }
  }
  minimized_ = true;
  ShowWindow(Handle(), SW_MINIMIZE);
  RaiseNotify(&TApplicationEvents::OnMinimize);
}

void TApplication::Restore() {
  if (!minimized_)
    return;
  minimized_ = false;
  ShowWindow(Handle(), SW_RESTORE);
  for (HWND window : hiddenForms_)
    if (IsWindow(window))
      ShowWindow(window, SW_SHOWNA);
  hiddenForms_.clear();
  if (mainForm_ && mainForm_->HandleAllocated())
    SetActiveWindow(GetLastActivePopup(mainForm_->Handle()));
  RaiseNotify(&TApplicationEvents::OnRestore);
}

void TApplication::MainFormShown() {
  if (!IsWindowVisible(Handle()))
    ShowWindow(handle_, SW_SHOWNA);
}

void TApplication::ActivateApp(bool active) {
  if (active == active_)
    return;
  active_ = active;
  RaiseNotify(active ? &TApplicationEvents::OnActivate : &TApplicationEvents::OnDeactivate);
}

void TApplication::SetHint(const std::string& hint) {
  if (hint == hint_)
    return;
  hint_ = hint;
  RaiseNotify(&TApplicationEvents::OnHint);
}

void TApplication::AddHintTool(TControl* control) {
  if (!control->Parent())
    return;
  if (!hintWindow_) {
    hintWindow_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!hintWindow_)
      return;
    SendMessageA(hintWindow_, TTM_SETMAXTIPWIDTH, 0, 600);
  }
  TOOLINFOA info = HintToolInfo(Handle(), control->Handle());
  SendMessageA(hintWindow_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void TApplication::RemoveHintTool(HWND window) {
  if (!hintWindow_ || !handle_)
    return;
  TOOLINFOA info = HintToolInfo(handle_, window);
  SendMessageA(hintWindow_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

bool TApplication::HelpContext(int context) {
  bool handled = false;
  std::vector<TApplicationEvents*> list = events_;
  for (TApplicationEvents* events : list)
    if (events->OnHelp) {
      bool callHelp = true;
      events->OnHelp(HELP_CONTEXT, context, callHelp);
      handled = true;
    }
  return handled;
}

void TApplication::HandleException(TObject* sender) {
  HandleException(sender, std::current_exception());
}

void TApplication::HandleException(TObject* sender, std::exception_ptr error) {
  std::string text = ExceptionMessage(error);
  if (handlingException_) {
    OutputDebugStringA((text + "\n").c_str());
    return;
  }
  handlingException_ = true;
  try {
    bool handled = false;
    std::vector<TApplicationEvents*> list = events_;
    for (TApplicationEvents* events : list)
      if (events->OnException) {
        events->OnException(sender, error);
        handled = true;
      }
    if (!handled)
      MessageDlg(text, TMsgDlgType::mtError, mbOK);
  } catch (...) {
    OutputDebugStringA((ExceptionMessage(std::current_exception()) + "\n").c_str());
  }
  handlingException_ = false;
}

void TApplication::Queue(std::function<void()> fn) {
  {
    std::lock_guard<std::mutex> lock(syncMutex);
    syncQueue.push_back(std::move(fn));
  }
  SetEvent(syncEvent_);
  if (handle_)
    PostMessageA(handle_, kSyncMessage, 0, 0);
}

bool TApplication::CheckSynchronize() {
  bool ran = false;
  for (;;) {
    std::function<void()> fn;
    {
      std::lock_guard<std::mutex> lock(syncMutex);
      if (syncQueue.empty())
        return ran;
      fn = std::move(syncQueue.front());
      syncQueue.pop_front();
    }
    ran = true;
    Guard(this, fn);
  }
}

void TApplication::RaiseNotify(TNotifyEvent TApplicationEvents::*event) {
  std::vector<TApplicationEvents*> list = events_;
  for (TApplicationEvents* events : list)
    if (events->*event && !events->Destroying())
      (events->*event)(this);
}

LRESULT TApplication::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CLOSE:
    if (mainForm_)
      mainForm_->Close();
    return 0;
  case WM_SYSCOMMAND:
    switch (wParam & 0xFFF0) {
    case SC_MINIMIZE:
      Minimize();
      return 0;
    case SC_RESTORE:
      Restore();
      return 0;
    default:
      break;
    }
    break;
  case WM_ACTIVATEAPP:
    ActivateApp(wParam != 0);
    break;
  case WM_ACTIVATE:
    if (LOWORD(wParam) != WA_INACTIVE && !minimized_ && mainForm_ && mainForm_->HandleAllocated()) {
      HWND last = GetLastActivePopup(mainForm_->Handle());
      if (IsWindowVisible(last) && IsWindowEnabled(last)) {
        SetActiveWindow(last);
        return 0;
      }
    }
    break;
  case WM_MENUSELECT:
    TMenuItem::MenuSelect(wParam, lParam);
    break;
  case WM_INITMENUPOPUP:
    if (!HIWORD(lParam))
      TMenuItem::InitMenuPopup(reinterpret_cast<HMENU>(wParam));
    break;
  case WM_MEASUREITEM: {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType == ODT_MENU)
      return TMenuItem::MeasureMenuImage(*measure);
    break;
  }
  case WM_DRAWITEM: {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlType == ODT_MENU)
      return TMenuItem::DrawMenuImage(*draw);
    break;
  }
  case WM_NOTIFY: {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code != TTN_GETDISPINFOA)
      break;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    TControl* control = TControl::FromHandle(reinterpret_cast<HWND>(header->idFrom));
    hintText_ = ShowHint && control && control->ShowHint() ? GetShortHint(control->EffectiveHint())
                                                           : std::string();
    info->lpszText = hintText_.data();
    return 0;
  }
  case kSyncMessage:
    CheckSynchronize();
    return 0;
  default:
    break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK TApplication::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  LRESULT result = 0;
  if (!Guard(Application, [&] { result = Application->WndProc(window, message, wParam, lParam); }))
    return 0;
  return result;
}

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {
  Application->events_.push_back(this);
}

void TApplicationEvents::BeforeDestruction() {
  auto& list = Application->events_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  TComponent::BeforeDestruction();
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  if (cursor != crDefault) {
    ::SetCursor(CursorHandle(cursor));
    return;
  }
  // Let the window under the pointer choose its own cursor again.
  POINT point;
  GetCursorPos(&point);
  HWND window = WindowFromPoint(point);
  if (window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(hit, WM_MOUSEMOVE));
  } else {
    ::SetCursor(CursorHandle(crArrow));
  }
}

HCURSOR TScreen::CursorHandle(TCursor cursor) const {
  for (const auto& entry : cursors_)
    if (entry.first == cursor)
      return entry.second;
  for (const TSystemCursor& entry : kSystemCursors)
    if (entry.cursor == cursor)
      return LoadCursorA(nullptr, entry.id);
  return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

void TScreen::SetCursorHandle(TCursor cursor, HCURSOR handle) {
  for (auto& entry : cursors_)
    if (entry.first == cursor) {
      entry.second = handle;
      return;
    }
  cursors_.emplace_back(cursor, handle);
}

RECT TScreen::WorkAreaRect() const {
  RECT area{0, 0, Width(), Height()};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

RECT TScreen::WorkAreaOf(const RECT& rect) const {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info))
    return info.rcWork;
  return WorkAreaRect();
}

bool TScreen::OnSomeMonitor(const RECT& rect) const {
  std::pair<RECT, bool> search{rect, false};
  EnumDisplayMonitors(nullptr, nullptr, MeetsWorkArea, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void TScreen::AddForm(TForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
    forms_.push_back(form);
}

void TScreen::RemoveForm(TForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (activeForm_ == form)
    activeForm_ = nullptr;
}

} // namespace quolin
