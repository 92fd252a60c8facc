// The application object, its events and the screen. The application owns a hidden window
// that owns the forms and carries the title and the taskbar button; its message loop routes
// keys to MDI system keys, menu shortcuts and the forms' dialog keys before a control sees them.
#pragma once

#include "ui/Component.h"
#include "ui/Types.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace quolin {

class TControl;
class TForm;
class TApplicationEvents;

// The part of a hint before "|" (the tooltip) and the part after it (the status text);
// without "|" both are the whole text.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

// The text an exception is reported with.
std::string ExceptionMessage(std::exception_ptr error);

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  // Made on first use.
  HWND Handle();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  HICON Icon() const;

  // The first form made by CreateForm is the main form; closing it ends Run.
  template <typename T> T* CreateForm(std::string_view name = {}) {
    T* form = Create<T>(this, name);
    if (!mainForm_)
      SetMainForm(form);
    return form;
  }
  TForm* MainForm() const { return mainForm_; }
  bool ShowMainForm = true;

  // Shows the main form and handles messages until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles one message, or waits for one when there is none.
  void HandleMessage();
  // Handles every message waiting now.
  void ProcessMessages();

  // The main form's minimising: the application window goes to the taskbar and the forms are
  // hidden (owned windows stay visible otherwise); Restore brings them back.
  void Minimize();
  void Restore();
  bool Minimized() const { return minimized_; }

  bool Active() const { return active_; }
  // WM_ACTIVATEAPP of any of its windows; the events run only on a real change.
  void ActivateApp(bool active);

  const std::string& Hint() const { return hint_; }
  // Raises OnHint when the hint changes.
  void SetHint(const std::string& hint);
  bool ShowHint = true;
  void AddHintTool(TControl* control);
  void RemoveHintTool(HWND window);

  // Raises OnHelp with the context; true when a handler took it.
  bool HelpContext(int context);

  // Reports the exception being handled (or error): OnException when assigned, else a message
  // box with its text (style "Eo"). One raised while that box is up goes to the debug output.
  void HandleException(TObject* sender);
  void HandleException(TObject* sender, std::exception_ptr error);

  // Runs fn on this thread the next time it handles messages (from any thread).
  void Queue(std::function<void()> fn);
  // Signalled whenever something is queued.
  HANDLE SyncEvent() const { return syncEvent_; }
  // The user-interface thread: the one that made this object.
  DWORD MainThreadID() const { return mainThreadId_; }
  // Runs what other threads queued or handed over; true when something ran.
  bool CheckSynchronize();

  // For the layer: the main form became visible.
  void MainFormShown();

private:
  friend class TApplicationEvents;
  friend class TForm;

  HWND handle_ = nullptr;
  HWND hintWindow_ = nullptr;
  HANDLE syncEvent_ = nullptr;
  DWORD mainThreadId_ = 0;
  std::string title_ = "Quolin";
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool active_ = false;
  bool minimized_ = false;
  bool handlingException_ = false;
  std::string hint_;
  std::vector<HWND> hiddenForms_;
  std::vector<TApplicationEvents*> events_;

  void SetMainForm(TForm* form);
  bool ProcessMessage(MSG& message);
  bool IsKeyMessage(MSG& message);
  // Hands a mouse message for a control's window to the tooltip.
  void RelayToHint(MSG& message);
  void HintMouseMessage(const MSG& message);
  LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Notification(TComponent* component, TOperation operation) override;
  void RaiseNotify(TNotifyEvent TApplicationEvents::*event);
  std::string hintText_;
};

using TExceptionEvent = std::function<void(TObject* sender, std::exception_ptr error)>;
using THelpEvent = std::function<bool(int command, int data, bool& callHelp)>;

// Application events for a form: any number of these may exist; each gets every event.
class TApplicationEvents : public TComponent {
public:
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnHint;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TExceptionEvent OnException;
  THelpEvent OnHelp;

protected:
  explicit TApplicationEvents(TComponent* owner);
  void BeforeDestruction() override;
};

class TScreen {
public:
  TCursor Cursor() const { return cursor_; }
  // Shown at once; crDefault gives every control its own cursor back.
  void SetCursor(TCursor cursor);
  HCURSOR CursorHandle(TCursor cursor) const;
  // Registers a cursor under a number of the program's own (positive).
  void SetCursorHandle(TCursor cursor, HCURSOR handle);

  TForm* ActiveForm() const { return activeForm_; }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }

  // The primary monitor's work area; the nearest monitor's work area of a rectangle.
  RECT WorkAreaRect() const;
  RECT WorkAreaOf(const RECT& rect) const;
  // True when some monitor's work area meets the rectangle.
  bool OnSomeMonitor(const RECT& rect) const;
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

  // For TForm.
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);
  void SetActiveForm(TForm* form) { activeForm_ = form; }

private:
  TCursor cursor_ = crDefault;
  TForm* activeForm_ = nullptr;
  std::vector<TForm*> forms_;
  std::vector<std::pair<TCursor, HCURSOR>> cursors_;
};

extern TApplication* const Application;
extern TScreen* const Screen;

// Runs action behind the exception barrier; false when it raised (and was reported).
template <typename Action> bool Guard(TObject* sender, Action&& action) noexcept {
  try {
    action();
    return true;
  } catch (...) {
    Application->HandleException(sender);
    return false;
  }
}

} // namespace quolin
