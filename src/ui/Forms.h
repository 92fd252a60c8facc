// TForm: a top-level window (normal, stay-on-top, MDI frame or MDI child) built in code. The
// constructor of a derived form builds its components; Create then runs Loaded on them, makes
// the windows and raises OnCreate. Dialog keys and mnemonics are the layer's own (DialogKey,
// DialogChar), not IsDialogMessage.
#pragma once

#include "common/Placement.h"
#include "ui/Control.h"
#include "ui/Menus.h"

#include <vector>

namespace quolin {

class TMainMenu;
class TButton;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = uint8_t;
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// The message a form posts itself to be freed once its handlers have returned.
inline constexpr UINT CM_RELEASE = WM_APP + 0x3F00;

class TForm : public TCustomControl {
public:
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return formStyle_; }
  // An MDI child needs an MDI frame: its owner, else the application's main form.
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // The owner window of a form that is not an MDI child (the application's otherwise).
  void SetPopupParent(TForm* form);
  void SetIcon(HICON icon);

  bool KeyPreview = false;
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  bool Modal() const { return modal_; }
  // True while the form (or, for an MDI child, the child within its frame) is active.
  bool Active() const { return active_; }

  TControl* ActiveControl() const { return activeControl_; }
  // Focuses the control when the form is showing, else when it is next activated.
  void SetActiveControl(TControl* control);
  // Moves the focus to the next (or previous) control in tab order; false when none.
  bool SelectNext(TControl* current, bool forward, bool checkTabStop);
  // Called by a control that received the focus: OnExit of the last one, OnEnter of it.
  void FocusedControlChanged(TControl* control);

  void SetVisible(bool visible) override;
  // Shows and brings to the front (an MDI child becomes the active one).
  void Show();
  void Close();
  // The form's OnCloseQuery; an MDI frame asks each child's first.
  virtual bool CloseQuery();
  // Disables the thread's other windows, runs until ModalResult is set, then restores them
  // and the activation. Raises EInvalidOperation for a visible form.
  TModalResult ShowModal();
  // Frees the form once the current message has been handled.
  void Release();
  void BringToFront();

  // An MDI frame's children in z-order, the active one first.
  int MDIChildCount() const;
  TForm* MDIChildren(int index) const;
  TForm* ActiveMDIChild() const;
  HWND ClientHandle() const { return clientHandle_; }
  // The frame of an MDI child (nullptr otherwise).
  TForm* MDIParent() const;

  // Tab and arrows move the focus, Enter clicks the focused or the default button, Escape the
  // cancel button. True when the key was used.
  virtual bool DialogKey(WORD key, TShiftState shift);
  // Clicks (or focuses) the control whose caption has "&" before that character.
  virtual bool DialogChar(char key);
  // The menus' shortcuts for a key pressed on control: pop-up menus of the control and its
  // parents, the form's menu, an MDI child's frame menu.
  bool IsShortCut(TControl* control, TShortCut shortCut);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

protected:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  void AfterConstruction() override;
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DestroyWindowHandle() override;
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void AlignControls(RECT& rect) override;
  // An MDI frame's client shows the frame's colour too.
  void ColorChanged() override;

  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();
  // Runs once the window has become visible (OnShow ran before).
  virtual void AfterShow() {}

private:
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  TPosition position_ = TPosition::poDefaultPosOnly;
  TWindowState windowState_ = TWindowState::wsNormal;
  TMainMenu* menu_ = nullptr;
  TForm* popupParent_ = nullptr;
  HICON icon_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  // Closed and waiting to be freed: asked no more, closed no more.
  bool released_ = false;
  bool active_ = false;
  bool shownOnce_ = false;
  TControl* activeControl_ = nullptr;
  HWND clientHandle_ = nullptr;

  void ShowWindowNow();
  void HideWindowNow();
  void PlaceAtFirstShow();
  void CloseModal();
  void FocusFirstControl();
  void HandleActivate(TMessage& message);
  void RaiseOwnedWindowsAfterHiding();
  bool HandleSysCommand(TMessage& message);
  // CM_WININICHANGE to every control below parent.
  static void TellSettingChange(TControl* parent, const TMessage& message);
  bool HandleMenuCommand(TMessage& message);
  std::vector<TForm*> MDIChildList() const;
  TForm* MDIFrame() const;
  TControl* FocusedChild() const;
  bool SelectSibling(TControl* current, bool forward);
  // The focused button for Enter, else the first control in tab order that the key clicks.
  TControl* DialogButton(WORD key, TShiftState shift) const;
};

} // namespace quolin
