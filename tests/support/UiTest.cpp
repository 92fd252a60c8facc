#include "support/UiTest.h"

#include "support/WindowSearch.h"
#include "ui/Dialogs.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace uitest {

using namespace quolin;

void Pump() {
  Application->ProcessMessages();
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  return quolin::test_support::WaitUntil(
      [&] {
        Application->ProcessMessages();
        return done();
      },
      timeoutMs, 5);
}

HeldKeys::HeldKeys(TShiftState shift) {
  GetKeyboardState(saved_);
  BYTE state[256];
  std::copy(std::begin(saved_), std::end(saved_), state);
  state[VK_SHIFT] = (shift & ssShift) ? 0x80 : 0;
  state[VK_CONTROL] = (shift & ssCtrl) ? 0x80 : 0;
  state[VK_MENU] = (shift & ssAlt) ? 0x80 : 0;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() {
  SetKeyboardState(saved_);
}

void PressKey(HWND window, WORD key, TShiftState shift) {
  HeldKeys held(shift);
  bool alt = shift & ssAlt;
  LPARAM altBit = alt ? (1 << 29) : 0;
  PostMessageA(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | altBit);
  PostMessageA(window, alt ? WM_SYSKEYUP : WM_KEYUP, key, 1 | altBit | (3u << 30));
  Pump();
}

void PressShortCut(HWND window, WORD key, TShiftState shift) {
  HeldKeys held(shift);
  bool alt = shift & ssAlt;
  auto post = [&](WORD virtualKey, bool down) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    LPARAM flags = 1 | scan | (alt ? (1 << 29) : 0) | (down ? 0 : (3u << 30));
    UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    PostMessageA(window, message, virtualKey, flags);
    Pump(); // a character that the key makes comes before the next key, as from a keyboard
  };
  const std::pair<TShiftState, WORD> modifiers[] = {
      {ssCtrl, VK_CONTROL}, {ssShift, VK_SHIFT}, {ssAlt, VK_MENU}};
  for (const auto& [flag, modifier] : modifiers)
    if (shift & flag)
      post(modifier, true);
  post(key, true);
  post(key, false);
  for (const auto& [flag, modifier] : modifiers)
    if (shift & flag)
      post(modifier, false);
}

void TypeChar(HWND window, char character, bool alt) {
  PostMessageA(window, alt ? WM_SYSCHAR : WM_CHAR, static_cast<unsigned char>(character),
               1 | (alt ? (1 << 29) : 0));
  Pump();
}

std::string EventLog::Joined() const {
  std::string text;
  for (const std::string& entry : entries)
    text += text.empty() ? entry : "," + entry;
  return text;
}

DialogRecorder::DialogRecorder() {
  SetDialogHook({[this](const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
                   calls.push_back({text, static_cast<int>(type), buttons});
                   return answer;
                 },
                 [this] { ++beeps; }});
}

DialogRecorder::~DialogRecorder() {
  SetDialogHook({});
}

InputRecorder::InputRecorder() {
  SetInputQueryHook([this](const std::string& caption, const std::string& prompt,
                           std::string& value) {
    calls.push_back({caption, prompt, value});
    if (answers.empty())
      return false;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    if (answer)
      value = *answer;
    return answer.has_value();
  });
}

InputRecorder::~InputRecorder() {
  SetInputQueryHook(nullptr);
}

namespace {

using quolin::test_support::CaptionOf;
using quolin::test_support::ClassNameOf;
using quolin::test_support::FirstWindow;
using quolin::test_support::VisitWindows;

// A box is taken once it shows with its buttons.
HWND FindBox(DWORD processId) {
  return FirstWindow(nullptr, [&](HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == processId && IsWindowVisible(window) &&
           ClassNameOf(window) == "TMessageForm" &&
           FindWindowExA(window, nullptr, "Button", nullptr);
  });
}

BoxView ReadBox(HWND window) {
  BoxView view;
  view.window = window;
  view.title = CaptionOf(window);
  VisitWindows(window, [&](HWND child) {
    std::string className = ClassNameOf(child);
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (_stricmp(className.c_str(), "Button") == 0) {
      view.buttonWindows.push_back(child);
      if ((style & 0x0F) == BS_DEFPUSHBUTTON)
        view.defaultButton = child;
    } else if (_stricmp(className.c_str(), "Static") == 0) {
      if ((style & SS_TYPEMASK) == SS_ICON)
        view.icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
      else
        view.text = CaptionOf(child);
    }
    return true;
  });
  std::sort(view.buttonWindows.begin(), view.buttonWindows.end(), [](HWND a, HWND b) {
    RECT left, right;
    GetWindowRect(a, &left);
    GetWindowRect(b, &right);
    return left.left < right.left;
  });
  for (HWND button : view.buttonWindows)
    view.buttons.push_back(CaptionOf(button));
  return view;
}

} // namespace

bool BoxView::Press(const std::string& caption) const {
  for (size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i] == caption) {
      PostMessageA(buttonWindows[i], BM_CLICK, 0, 0);
      return true;
    }
  return false;
}

void BoxView::CloseByButton() const {
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

BoxDriver::BoxDriver(std::function<void(const BoxView&)> act, DWORD processId)
    : thread_([this, act, processId] {
        using quolin::test_support::WaitUntil;
        HWND box = nullptr;
        if (!WaitUntil([&] { return (box = FindBox(processId)) != nullptr; }))
          return;
        seen_ = ReadBox(box);
        act(seen_);
        if (!WaitUntil([&] { return !IsWindowVisible(box); }))
          PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
      }) {}

BoxDriver::~BoxDriver() {
  if (thread_.joinable())
    thread_.join();
}

const BoxView& BoxDriver::Seen() {
  if (thread_.joinable())
    thread_.join();
  return seen_;
}

namespace {

bool OpenClipboardPatiently() {
  return quolin::test_support::WaitUntil([] { return OpenClipboard(nullptr) != FALSE; });
}

} // namespace

std::optional<std::string> ClipboardBytes(UINT format) {
  if (!OpenClipboardPatiently())
    return std::nullopt;
  std::optional<std::string> bytes;
  if (HANDLE data = GetClipboardData(format)) {
    if (const char* block = static_cast<const char*>(GlobalLock(data))) {
      bytes = std::string(block, GlobalSize(data));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

std::optional<std::string> ClipboardText() {
  std::optional<std::string> bytes = ClipboardBytes(CF_TEXT);
  if (bytes)
    bytes->resize(strnlen(bytes->c_str(), bytes->size()));
  return bytes;
}

bool EmptyTheClipboard() {
  if (!OpenClipboardPatiently())
    return false;
  EmptyClipboard();
  CloseClipboard();
  return true;
}

ForeignActiveWindow::ForeignActiveWindow()
    : thread_([this] {
        HWND window = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 900, 700, 80, 60,
                                      nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        SetActiveWindow(window);
        MSG message;
        while (!stop_) {
          while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
          MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        DestroyWindow(window);
      }) {}

ForeignActiveWindow::~ForeignActiveWindow() {
  stop_ = true;
  thread_.join();
}

POINT ScreenCentre(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  COLORREF pixel = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return pixel;
}

} // namespace uitest
